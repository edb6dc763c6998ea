#include "frmelorejelzes.h"

#include "engine/numbers.h"
#include "forecast/progressions.h"
#include "forecast/returns.h"
#include "forecast/transits.h"
#include "wheel/synastrywheel.h"

#include <QDate>
#include <QDateEdit>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>

namespace velorin {

using namespace velorin::forecast;

namespace {

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

double julianDayOf(const QDate& d) {
    return julianDayOfDate(d.year(), d.month(), d.day());
}

const int kChoosable[] = {Sun,    Mercury, Venus, Mars, Jupiter,   Saturn,
                          Uranus, Neptune, Pluto, Moon, NorthNode, Chiron};

} // namespace

BirthData birthDataAt(const BirthData& natal, double julianDayUT, const std::string& name) {
    const CalendarMinute c = calendarMinute(julianDayUT);
    BirthData d = natal;
    d.name = name;
    d.year = std::to_string(c.year);
    d.month = std::to_string(c.month);
    d.day = std::to_string(c.day);
    const TwelveHour h = twelveHourFor(c.hour);
    d.hour = h.hour;
    d.am = h.am;
    d.hour24 = std::to_string(c.hour);
    d.minute = twoDigits(c.minute);
    // Assigned as a string, not a literal: GCC 12 at -O3 misreads the literal's
    // copy as overlapping (-Werror=restrict).
    d.zone = std::string(1, '0');
    d.daylightSaving = 0;
    return d;
}

frmElorejelzes::frmElorejelzes(const BirthData& data, const Chart& natal, const WorkingSettings& ws,
                               OpenChart openChart, MakeDocument makeDocument, QWidget* parent)
    : QWidget(parent, Qt::Window), m_data(data), m_natal(natal), m_settings(ws),
      m_openChart(std::move(openChart)), m_makeDocument(std::move(makeDocument)) {
    setObjectName(QStringLiteral("frmElorejelzes"));
    setWindowTitle(QStringLiteral("Előrejelzés – ") + q(trimSpaces(data.name)));
    auto* grid = new QGridLayout(this);

    const QDate today = QDate::currentDate();
    dtFrom = new QDateEdit(today, this);
    dtTo = new QDateEdit(today.addMonths(12), this);
    for (QDateEdit* e : {dtFrom, dtTo}) {
        e->setDisplayFormat(QStringLiteral("yyyy.MM.dd."));
        e->setCalendarPopup(true);
    }
    grid->addWidget(new QLabel(QStringLiteral("Kezdete:"), this), 0, 0);
    grid->addWidget(dtFrom, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Vége:"), this), 1, 0);
    grid->addWidget(dtTo, 1, 1);

    lstBodies = new QListWidget(this);
    const std::vector<int> defaults = defaultTransitBodies();
    for (int b : kChoosable) {
        auto* item = new QListWidgetItem(q(codeLetters(b)), lstBodies);
        item->setData(Qt::UserRole, b);
        const bool on = std::find(defaults.begin(), defaults.end(), b) != defaults.end();
        item->setCheckState(on ? Qt::Checked : Qt::Unchecked);
    }
    lstBodies->setMaximumWidth(160);
    grid->addWidget(lstBodies, 2, 0, 1, 2);

    cmdSzamol = new QPushButton(QStringLiteral("Számítás"), this);
    cmdNapvisszateres = new QPushButton(QStringLiteral("Napvisszatérés"), this);
    cmdProgresszio = new QPushButton(QStringLiteral("Progresszív kép"), this);
    grid->addWidget(cmdSzamol, 3, 0, 1, 2);
    grid->addWidget(cmdNapvisszateres, 4, 0, 1, 2);
    grid->addWidget(cmdProgresszio, 5, 0, 1, 2);
    cmdHoldvisszateres = new QPushButton(QStringLiteral("Holdvisszatérés"), this);
    cmdDokumentum = new QPushButton(QStringLiteral("Előrejelzés dokumentuma"), this);
    cmdDokumentum->setEnabled(false);
    grid->addWidget(cmdHoldvisszateres, 6, 0, 1, 2);
    grid->addWidget(cmdDokumentum, 7, 0, 1, 2);

    txtSzuro = new QLineEdit(this);
    txtSzuro->setPlaceholderText(QStringLiteral("Szűrés (pl. SZATURNUSZ, ház, Quadrat)"));
    grid->addWidget(txtSzuro, 0, 2);

    tblEvents = new QTableWidget(0, 3, this);
    tblEvents->setHorizontalHeaderLabels(
        {QStringLiteral("Helyi idő"), QStringLiteral("UT"), QStringLiteral("Esemény")});
    tblEvents->horizontalHeader()->setStretchLastSection(true);
    tblEvents->setSelectionBehavior(QAbstractItemView::SelectRows);
    tblEvents->setSelectionMode(QAbstractItemView::SingleSelection);
    tblEvents->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tblEvents->verticalHeader()->hide();
    grid->addWidget(tblEvents, 1, 2, 7, 1);

    lblWheel = new QLabel(this);
    lblWheel->setFixedSize(480, 360);
    lblWheel->setAlignment(Qt::AlignCenter);
    grid->addWidget(lblWheel, 0, 3, 8, 1);

    lblStatus = new QLabel(this);
    grid->addWidget(lblStatus, 8, 0, 1, 4);
    grid->setColumnStretch(2, 1);

    connect(cmdSzamol, &QPushButton::clicked, this, [this] { cmdSzamol_Click(); });
    connect(cmdNapvisszateres, &QPushButton::clicked, this, [this] { cmdNapvisszateres_Click(); });
    connect(cmdProgresszio, &QPushButton::clicked, this, [this] { cmdProgresszio_Click(); });
    connect(cmdHoldvisszateres, &QPushButton::clicked, this,
            [this] { cmdHoldvisszateres_Click(); });
    connect(cmdDokumentum, &QPushButton::clicked, this, [this] { cmdDokumentum_Click(); });
    connect(txtSzuro, &QLineEdit::textChanged, this, [this] { txtSzuro_Change(); });
    connect(tblEvents, &QTableWidget::currentCellChanged, this,
            [this](int row) { tblEvents_Select(row); });
}

void frmElorejelzes::cmdSzamol_Click() {
    m_events.clear();
    cmdDokumentum->setEnabled(false);
    tblEvents->setRowCount(0);
    lblWheel->clear();
    TransitRequest r;
    r.fromJD = julianDayOf(dtFrom->date());
    r.toJD = julianDayOf(dtTo->date());
    r.bodies.clear();
    for (int i = 0; i < lstBodies->count(); ++i)
        if (lstBodies->item(i)->checkState() == Qt::Checked)
            r.bodies.push_back(lstBodies->item(i)->data(Qt::UserRole).toInt());
    if (r.bodies.empty()) {
        lblStatus->setText(QStringLiteral("Jelöljön meg legalább egy égitestet."));
        return;
    }
    const EventsOutcome transits = findTransits(m_natal, r);
    const EventsOutcome progressed =
        transits.ok() ? findProgressedAspects(m_natal, r.fromJD, r.toJD) : EventsOutcome{};
    if (!transits.ok() || !progressed.ok()) {
        lblStatus->setText(q(transits.ok() ? progressed.error : transits.error) +
                           QStringLiteral(" Az eseménylista üres maradt."));
        return;
    }
    m_events = mergedInTimeOrder(transits.events, progressed.events);
    const double zone = strictNumber(m_data.zone).value_or(0);
    tblEvents->setRowCount(int(m_events.size()));
    for (int row = 0; row < int(m_events.size()); ++row) {
        const Event& e = m_events[size_t(row)];
        tblEvents->setItem(row, 0, new QTableWidgetItem(q(localTimeText(e.julianDayUT, zone))));
        tblEvents->setItem(row, 1, new QTableWidgetItem(q(utcText(e.julianDayUT, false))));
        tblEvents->setItem(row, 2, new QTableWidgetItem(q(describeEvent(e))));
    }
    tblEvents->resizeColumnsToContents();
    lblStatus->setText(QString::number(m_events.size()) + QStringLiteral(" esemény."));
    cmdDokumentum->setEnabled(bool(m_makeDocument));
    txtSzuro_Change();
}

void frmElorejelzes::txtSzuro_Change() {
    const QString filter = txtSzuro->text().trimmed();
    for (int row = 0; row < tblEvents->rowCount(); ++row) {
        bool shown = filter.isEmpty();
        for (int c = 0; c < 3 && !shown; ++c)
            shown = tblEvents->item(row, c)->text().contains(filter, Qt::CaseInsensitive);
        tblEvents->setRowHidden(row, !shown);
    }
}

void frmElorejelzes::tblEvents_Select(int row) {
    if (row < 0 || row >= int(m_events.size()))
        return;
    const Event& e = m_events[size_t(row)];
    // A progressed event's sky is that of its progressed instant.
    const double jd = e.motion == Motion::Progressed
                          ? progressedInstant(m_natal.julianDayUT, e.julianDayUT)
                          : e.julianDayUT;
    PositionsOutcome p = computePositions(jd);
    closeEphemeris();
    if (!p.ok()) {
        lblStatus->setText(q(p.error.message));
        return;
    }
    Chart sky = m_natal;
    sky.longitude = p.value->longitude;
    sky.speed = p.value->speed;
    sky.longitude[SouthNode] = normalize360(sky.longitude[NorthNode] + 180);
    sky.longitude[Ascendant] = m_natal.longitude[Ascendant];
    sky.longitude[Midheaven] = m_natal.longitude[Midheaven];
    lblWheel->setPixmap(
        QPixmap::fromImage(renderSynastryImage(m_natal, sky, m_settings, lblWheel->size())));
    lblStatus->setText(q(eventDateLine(e)));
}

void frmElorejelzes::cmdNapvisszateres_Click() {
    const int year = dtFrom->date().year();
    const ReturnsOutcome r = solarReturn(m_natal, year);
    if (!r.ok()) {
        lblStatus->setText(q(r.error));
        return;
    }
    openReturn(r.instants[0], trimSpaces(m_data.name) + " napvisszatérés " + std::to_string(year));
}

void frmElorejelzes::openReturn(double jd, const std::string& name) {
    ReturnChartOutcome c = chartAtInstant(jd, {m_natal.geoLongitude, m_natal.geoLatitude},
                                          m_natal.male, m_settings.engine());
    if (!c.ok()) {
        lblStatus->setText(q(c.error));
        return;
    }
    m_openChart(birthDataAt(m_data, jd, name), std::move(*c.chart));
}

void frmElorejelzes::cmdProgresszio_Click() {
    const QDate date = dtFrom->date();
    ProgressedOutcome p = progressedChart(m_natal, julianDayOf(date), m_settings.engine());
    if (!p.ok()) {
        lblStatus->setText(q(p.error));
        return;
    }
    const std::string name = trimSpaces(m_data.name) + " progresszív " +
                             date.toString(QStringLiteral("yyyy.MM.dd.")).toStdString();
    m_openChart(birthDataAt(m_data, p.progressedJD, name), std::move(*p.chart));
}

void frmElorejelzes::cmdHoldvisszateres_Click() {
    const double from = julianDayOf(dtFrom->date());
    // A lunar month and a little more always holds one.
    const ReturnsOutcome r = lunarReturns(m_natal, from, from + 30);
    if (!r.ok() || r.instants.empty()) {
        lblStatus->setText(q(r.ok() ? "Nincs holdvisszatérés." : r.error));
        return;
    }
    const CalendarMinute when = calendarMinute(r.instants[0]);
    openReturn(r.instants[0], trimSpaces(m_data.name) + " holdvisszatérés " +
                                  std::to_string(when.year) + "." + twoDigits(when.month) + ".");
}

ForecastRequest frmElorejelzes::documentRequest() const {
    ForecastRequest r;
    r.name = q(trimSpaces(m_data.name));
    r.header = r.name + QStringLiteral(": ") +
               dtFrom->date().toString(QStringLiteral("yyyy.MM.dd.")) + QStringLiteral(" – ") +
               dtTo->date().toString(QStringLiteral("yyyy.MM.dd.")) + QStringLiteral(" (0:00 UT)");
    for (int row = 0; row < int(m_events.size()) && row < tblEvents->rowCount(); ++row)
        if (!tblEvents->isRowHidden(row)) {
            const Event& e = m_events[size_t(row)];
            r.events.push_back({q(eventDateLine(e)), q(e.code)});
        }
    return r;
}

void frmElorejelzes::cmdDokumentum_Click() {
    if (m_makeDocument && !m_events.empty())
        m_makeDocument(documentRequest());
}

} // namespace velorin
