#include "inputd.h"

#include "frmdraw.h"
#include "frmlisting.h"

#include "engine/coordinates.h"
#include "platform/birthfields.h"
#include "platform/chartfile.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/presentmoment.h"
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

} // namespace

TwelveHourText synastryClockHour(const QTime& time) {
    if (time.hour() < 12)
        return {time.toString(QStringLiteral("hh")), true};
    return {QString::number(time.hour() - 12), false};
}

inputD::inputD(QWidget* parent) : QDialog(parent) {
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
    auto box = [&](const char* name, const QString& value, int width) {
        auto* b = new QLineEdit(value, frame);
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
        a->setChecked(true);
        auto* row = new QHBoxLayout;
        row->addWidget(a);
        row->addWidget(b);
        row->addStretch();
        return row;
    };
    f.name = box("txtName1", QStringLiteral("Ma"), 400);
    f.year = box("txtYear1", QString(), 60);
    f.month = box("txtMonth1", QString(), 40);
    f.day = box("txtDay1", QString(), 40);
    f.hour = box("txtBirthHour1", QString(), 40);
    f.minute = box("txtBirthMinute1", QString(), 40);
    f.am = option("optAM1", QStringLiteral("DE"));
    f.pm = option("optPM1", QStringLiteral("DU"));
    f.zone = box("txtTZ1", QStringLiteral("-2"), 60);
    f.daylightSaving = new QCheckBox(QStringLiteral("Nyári idöszám."), frame);
    f.daylightSaving->setObjectName(QStringLiteral("Check11") + suffix);
    f.longDeg = box("txtLongDeg1", QStringLiteral("22"), 50);
    f.longMin = box("txtLongMin1", QStringLiteral("45"), 40);
    f.east = option("optEast1", QStringLiteral("KELET"));
    f.west = option("optWest1", QStringLiteral("NYUGAT"));
    f.latDeg = box("txtLatDeg1", QStringLiteral("47"), 50);
    f.latMin = box("txtLatMin1", QStringLiteral("25"), 40);
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
    const PersonFields& f = m_person[size_t(n)];
    // The whole record is read before any field changes.
    const ReadResult r = readChartFile(path, f.read());
    if (!r.file) {
        prompts().message(r.error + QStringLiteral("\n%1 adatai nem változtak.")
                                        .arg(QString::fromUtf8(kPersonCaption[n])),
                          QString(), MessageIcon::Critical);
        return;
    }
    f.fillTyped(r.file->data);
    // Files written with the hemispheres carry them; older ones keep the
    // options the user set.
    if (r.file->hasHemispheres)
        f.setHemispheres(r.file->data.east, r.file->data.north);
}

void inputD::setPresentMoment(int n) {
    const QDateTime moment = now();
    const PersonFields& f = m_person[size_t(n)];
    const BirthData p = presentMoment(moment, f.read());
    const TwelveHourText clock = synastryClockHour(moment.time());
    f.name->setText(q(p.name));
    f.hour->setText(clock.hour);
    (clock.am ? f.am : f.pm)->setChecked(true);
    f.minute->setText(q(p.minute));
    f.day->setText(q(p.day));
    f.month->setText(q(p.month));
    f.year->setText(q(p.year));
    // The clock's reading belongs to the computer's zone; the place stays.
    f.zone->setText(q(p.zone));
    f.daylightSaving->setChecked(p.daylightSaving != 0);
}

bool inputD::computePerson(int n, Chart& out) {
    ChartOutcome outcome =
        computeCheckedChart(m_person[size_t(n)].read(), m_settings.engine(Wording::Synastry));
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
        const QString firstName = m_person[kFirst].name->text();
        const QString secondName = m_person[kSecond].name->text();
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
