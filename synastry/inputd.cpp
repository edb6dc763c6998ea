#include "inputd.h"

#include "frmdraw.h"
#include "frmlisting.h"

#include "engine/coordinates.h"
#include "platform/birthfields.h"
#include "platform/chartfile.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/uiprompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velorin {
namespace {

const char* const kPersonCaption[2] = {"Elsö személy", "Második személy"};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

// The place this dialog starts with for both persons.
PersonEntry startEntry() {
    PersonEntry e;
    e.zone = QStringLiteral("-2");
    e.longDeg = QStringLiteral("22");
    e.longMin = QStringLiteral("45");
    e.latDeg = QStringLiteral("47");
    e.latMin = QStringLiteral("25");
    return e;
}

} // namespace

TwelveHourText synastryClockHour(const QTime& time) {
    if (time.hour() < 12)
        return {time.toString(QStringLiteral("hh")), true};
    return {QString::number(time.hour() - 12), false};
}

inputD::inputD(QWidget* parent) : QDialog(parent), m_entry{startEntry(), startEntry()} {
    setObjectName(QStringLiteral("inputD"));
    setWindowTitle(QStringLiteral("Synastry – két személy adatai"));

    auto* frames = new QHBoxLayout;
    frames->addWidget(buildFrame(kFirst, QString::fromUtf8(kPersonCaption[kFirst])));
    frames->addWidget(buildFrame(kSecond, QString::fromUtf8(kPersonCaption[kSecond])));

    auto* compute = new QPushButton(QStringLiteral("SZÁMOL"), this);
    compute->setObjectName(QStringLiteral("Command7"));
    compute->setDefault(true);
    connect(compute, &QPushButton::clicked, this, [this] { PressOK(); });
    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    bottom->addWidget(compute);
    bottom->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(frames);
    layout->addLayout(bottom);

    m_draw = std::make_unique<frmDraw>();
    m_draw->pressOK = [this] { PressOK(); };
    m_a1 = std::make_unique<frmListing>(QStringLiteral("frmA1"));
    m_a2 = std::make_unique<frmListing>(QStringLiteral("frmA2"));

    // The load step: the chart program's orbs and colours, the engine, and
    // both persons at the present moment. Nothing is computed yet.
    if (auto e = loadAll(m_settings))
        prompts().message(QStringLiteral("A beállítások (%1) nem olvashatók; a szinasztria az "
                                         "alapértelmezett orbiszokkal és színekkel számol.")
                              .arg(e->key),
                          QString(), MessageIcon::Warning);
    initEngine(programFolder().toStdString());
    setPresentMoment(kFirst);
    setPresentMoment(kSecond);
}

inputD::~inputD() = default;

QGroupBox* inputD::buildFrame(int n, const QString& caption) {
    auto* frame = new QGroupBox(caption, this);
    PersonFields& f = m_person[size_t(n)];
    const QString suffix = QStringLiteral("_%1").arg(n);
    auto box = [&](const char* name, int width) {
        auto* b = new QLineEdit(frame);
        b->setObjectName(QLatin1String(name) + suffix);
        b->setMaximumWidth(width);
        return b;
    };
    auto option = [&](const char* name, const QString& label) {
        auto* o = new QRadioButton(label, frame);
        o->setObjectName(QLatin1String(name) + suffix);
        return o;
    };
    auto pair = [&](QRadioButton* a, QRadioButton* b) {
        auto* group = new QButtonGroup(frame);
        group->addButton(a);
        group->addButton(b);
        auto* row = new QHBoxLayout;
        row->addWidget(a);
        row->addWidget(b);
        row->addStretch();
        return row;
    };
    f.name = box("txtName1", 400);
    f.year = box("txtYear1", 60);
    f.month = box("txtMonth1", 40);
    f.day = box("txtDay1", 40);
    f.hour = box("txtBirthHour1", 40);
    f.minute = box("txtBirthMinute1", 40);
    f.am = option("optAM1", QStringLiteral("DE"));
    f.pm = option("optPM1", QStringLiteral("DU"));
    f.zone = box("txtTZ1", 60);
    f.daylightSaving = new QCheckBox(QStringLiteral("Nyári idöszám."), frame);
    f.daylightSaving->setObjectName(QStringLiteral("Check11") + suffix);
    f.longDeg = box("txtLongDeg1", 50);
    f.longMin = box("txtLongMin1", 40);
    f.east = option("optEast1", QStringLiteral("KELET"));
    f.west = option("optWest1", QStringLiteral("NYUGAT"));
    f.latDeg = box("txtLatDeg1", 50);
    f.latMin = box("txtLatMin1", 40);
    f.north = option("optNorth1", QStringLiteral("ÉSZAK"));
    f.south = option("optSouth1", QStringLiteral("DÉL"));

    auto* grid = new QGridLayout(frame);
    int row = 0;
    auto label = [&](const QString& text, int r, int c) {
        grid->addWidget(new QLabel(text, frame), r, c);
    };
    auto boxes = [&](std::initializer_list<QWidget*> ws) {
        auto* h = new QHBoxLayout;
        for (QWidget* w : ws)
            h->addWidget(w);
        h->addStretch();
        return h;
    };
    label(QStringLiteral("NÉV"), row, 0);
    grid->addWidget(f.name, row++, 1);
    label(QStringLiteral("ÉV"), row, 0);
    grid->addLayout(boxes({f.year}), row++, 1);
    label(QStringLiteral("HÓNAP"), row, 0);
    grid->addLayout(boxes({f.month}), row++, 1);
    label(QStringLiteral("NAP"), row, 0);
    grid->addLayout(boxes({f.day}), row++, 1);
    label(QStringLiteral("ÓRA"), row, 0);
    auto* hourRow = boxes({f.hour});
    hourRow->insertLayout(1, pair(f.am, f.pm));
    grid->addLayout(hourRow, row++, 1);
    label(QStringLiteral("PERC"), row, 0);
    grid->addLayout(boxes({f.minute}), row++, 1);
    label(QStringLiteral("IDŐZÓNA"), row, 0);
    grid->addLayout(boxes({f.zone, f.daylightSaving}), row++, 1);
    label(QStringLiteral("HOSSZ. FOK"), row, 0);
    auto* longRow = boxes({f.longDeg, f.longMin});
    longRow->insertLayout(2, pair(f.east, f.west));
    grid->addLayout(longRow, row++, 1);
    label(QStringLiteral("SZÉL. FOK"), row, 0);
    auto* latRow = boxes({f.latDeg, f.latMin});
    latRow->insertLayout(2, pair(f.north, f.south));
    grid->addLayout(latRow, row++, 1);

    auto* buttons = new QHBoxLayout;
    auto* open = new QPushButton(QStringLiteral("NYIT"), frame);
    open->setObjectName(n == kFirst ? QStringLiteral("Command1") : QStringLiteral("Command2"));
    open->setAutoDefault(false);
    connect(open, &QPushButton::clicked, this, [this, n] { openChart(n); });
    buttons->addWidget(open);
    if (n == kSecond) {
        auto* today = new QPushButton(QStringLiteral("MA"), frame);
        today->setObjectName(QStringLiteral("Command3"));
        today->setAutoDefault(false);
        connect(today, &QPushButton::clicked, this, [this] { Command3_Click(); });
        buttons->addWidget(today);
    }
    buttons->addStretch();
    grid->addLayout(buttons, row, 1);

    f.bind(m_entry[size_t(n)]);
    f.show(m_entry[size_t(n)]);
    return frame;
}

void inputD::Command1_Click() {
    openChart(kFirst);
}

void inputD::Command2_Click() {
    openChart(kSecond);
}

void inputD::Command3_Click() {
    setPresentMoment(kSecond);
}

void inputD::openChart(int n) {
    FileDialogRequest req;
    req.filter = QStringLiteral("Velorin filek (*.ast)");
    if (QDir(chartFolder()).exists())
        req.startFolder = chartFolder();
    const QString path = prompts().openFile(req);
    if (path.isEmpty())
        return;
    PersonEntry& e = m_entry[size_t(n)];
    // The whole record is read before any field changes.
    const ReadResult r = readChartFile(path, e.toBirthData());
    if (!r.file) {
        prompts().message(r.error + QStringLiteral("\n%1 adatai nem változtak.")
                                        .arg(QString::fromUtf8(kPersonCaption[n])),
                          QString(), MessageIcon::Critical);
        return;
    }
    e.fillTyped(r.file->data);
    // This dialog has no 12-hour rule: the hour stands as the file has it,
    // and the computation reads it so.
    e.hour12 = q(r.file->data.hour);
    e.hour24FromPair();
    // Files written with the hemispheres carry them; older ones keep the
    // options the user set.
    if (r.file->hasHemispheres)
        e.setHemispheres(r.file->data.east, r.file->data.north);
    m_person[size_t(n)].show(e);
}

void inputD::setPresentMoment(int n) {
    const QDateTime moment = now();
    PersonEntry& e = m_entry[size_t(n)];
    e.takePresentMoment(moment);
    // "MA" writes the clock as it reads: "00" at half past midnight, "0" at
    // half past noon, not the form's 12.
    const TwelveHourText clock = synastryClockHour(moment.time());
    e.hour12 = clock.hour;
    e.am = clock.am;
    e.hour24FromPair();
    m_person[size_t(n)].show(e);
}

bool inputD::computePerson(int n, Chart& out) {
    ChartOutcome outcome =
        computeCheckedChart(m_entry[size_t(n)].toBirthData(), m_settings.engine(Wording::Synastry));
    if (!outcome.ok()) {
        prompts().message(
            QStringLiteral("%1: %2\nA rajz és a listák nem változtak.")
                .arg(QString::fromUtf8(kPersonCaption[n]), computeErrorText(outcome.error)),
            QString(), MessageIcon::Critical);
        return false;
    }
    out = std::move(*outcome.chart);
    return true;
}

bool inputD::PressOK() {
    // Showing or resizing the wheel inside a computation asks for another.
    if (m_computing)
        return false;
    m_computing = true;
    Chart second, first;
    const bool ok = computePerson(kSecond, second) && computePerson(kFirst, first);
    if (ok) {
        const QString firstName = m_entry[kFirst].name;
        const QString secondName = m_entry[kSecond].name;
        m_a1->showListing(secondName, q(second.listing));
        Longitudes secondPositions{};
        for (int b = 1; b <= kDrawnBodies; ++b)
            secondPositions[size_t(b)] = second.longitude[size_t(b)];
        m_a2->showListing(firstName, q(first.listing));
        m_draw->show();
        m_draw->setCharts(first, secondPositions, m_settings);
        m_draw->DrawRadix();
        m_draw->setWindowTitle(
            QStringLiteral("Synastry: Primér: %1, Rajta: %2").arg(firstName, secondName));
        m_draw->Elindult = true;
    }
    m_computing = false;
    return ok;
}

void inputD::reject() {
    m_draw->close();
    m_a1->close();
    m_a2->close();
    QDialog::reject();
}

} // namespace velorin
