#include "personentry.h"

#include "birthfields.h"
#include "engine/coordinates.h"
#include "engine/numbers.h"
#include "presentmoment.h"
#include "timestep.h"
#include "zones.h"

#include <QDate>
#include <array>

namespace velorin {

namespace {

const std::array<const char*, 7> kWeekdays{"Hétfő (HOLD NAPJA)",    "Kedd (MARS NAPJA)",
                                           "Szerda (MERKÚR NAPJA)", "Csütörtök (JUPITER NAPJA)",
                                           "Péntek (VÉNUSZ NAPJA)", "Szombat (SZATURNUSZ NAPJA)",
                                           "Vasárnap (NAP NAPJA)"};

QString q(const std::string& s) {
    return QString::fromStdString(s);
}

std::string s(const QString& q) {
    return q.toStdString();
}

// A text box keeps CR LF and a lone CR as one line break each.
QString boxLines(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return t;
}

// A record's name, date, time, zone and summer time as typed.
void takeMoment(PersonEntry& e, const BirthData& d) {
    e.name = q(d.name);
    e.year = q(d.year);
    e.month = q(d.month);
    e.day = q(d.day);
    e.setHour12(q(d.hour));
    e.minute = q(d.minute);
    e.zone = q(d.zone);
    e.daylightSaving = d.daylightSaving != 0;
    // After the hour: the record's half of day outranks what the 12-hour
    // rule guessed from an hour above 12.
    e.am = d.am;
    e.hour24FromPair();
}

} // namespace

void PersonEntry::setHour12(const QString& text) {
    hour12 = text;
    const auto value = strictNumber(s(text));
    if (!value)
        return;
    const int h = int(*value);
    if (h == 0) {
        hour12 = QStringLiteral("12");
    } else if (h > 12) {
        hour12 = QString::number(h - 12);
        am = false;
    }
}

void PersonEntry::pairFromHour24() {
    const TwelveHour t = twelveHourFor(int(leadingNumber(s(hour24))));
    am = t.am;
    setHour12(q(t.hour));
}

void PersonEntry::hour24FromPair() {
    hour24 = q(hour24Text(s(hour12), am));
}

void PersonEntry::pickZoneRow(int row) {
    if (row < 0 || row >= kZoneRowCount)
        return;
    zoneRow = row;
    zone = QString::fromUtf8(zoneRows()[size_t(row)].value);
    const bool eastern = row > kLastWesternRow;
    chooseEast(eastern);
    north = eastern;
}

void PersonEntry::pickRowForZone() {
    pickZoneRow(findZoneRow(zone));
}

void PersonEntry::chooseEast(bool isEast) {
    east = isEast;
    zone = zoneTextForHemisphere(zone, isEast);
}

void PersonEntry::setHemispheres(bool isEast, bool isNorth) {
    east = isEast;
    north = isNorth;
}

QString PersonEntry::rangeMessage(RangedBox box) const {
    struct Range {
        const QString* text;
        int max;
        const char* message;
    };
    const Range ranges[] = {{&hour24, 23, "Helytelen óra!"},
                            {&minute, 59, "Helytelen perc!"},
                            {&day, 31, "Helytelen nap!"},
                            {&month, 12, "Helytelen hónap!"}};
    const Range& r = ranges[int(box)];
    const double v = leadingNumber(s(*r.text));
    return v >= 0 && v <= r.max ? QString() : QString::fromUtf8(r.message);
}

QString PersonEntry::weekdayText() const {
    bool okY = false, okM = false, okD = false;
    const QDate date(year.trimmed().toInt(&okY), month.trimmed().toInt(&okM),
                     day.trimmed().toInt(&okD));
    if (!okY || !okM || !okD || !date.isValid())
        return QString();
    return QString::fromUtf8(kWeekdays[size_t(date.dayOfWeek() - 1)]);
}

bool PersonEntry::stepMoment(int minutes) {
    const std::optional<MomentTexts> to =
        velorin::stepMoment({year, month, day, hour24, minute}, minutes);
    if (!to)
        return false;
    year = to->year;
    month = to->month;
    day = to->day;
    hour24 = to->hour24;
    minute = to->minute;
    const TwelveHourTexts twelve = twelveHourTexts(to->hour24.toInt());
    am = twelve.am;
    setHour12(twelve.hour);
    return true;
}

QString PersonEntry::stepRefusal() const {
    return QStringLiteral("Az időpont nem léptethető: a(z) %1.%2.%3 %4:%5 nem létező dátum vagy "
                          "időpont. Az asztrogram változatlan maradt.")
        .arg(year.trimmed(), month.trimmed(), day.trimmed(), hour24.trimmed(), minute.trimmed());
}

void PersonEntry::takePresentMoment(const QDateTime& now) {
    takeMoment(*this, presentMoment(now, toBirthData()));
    // The clock's reading belongs to the computer's zone; the place stays,
    // hemispheres included, so the row is taken without its rule.
    const int row = findZoneRow(zone);
    if (row >= 0)
        zoneRow = row;
}

void PersonEntry::fillTyped(const BirthData& d) {
    takeMoment(*this, d);
    latDeg = q(d.latDeg);
    latMin = q(d.latMin);
    longDeg = q(d.longDeg);
    longMin = q(d.longMin);
    notes = boxLines(q(d.notes));
}

void PersonEntry::fillFromChart(const ChartFile& file) {
    fillTyped(file.data);
    pickRowForZone();
    const QString fileSex = q(file.data.sex);
    if (file.layout == ChartLayout::Current &&
        (fileSex == QString::fromUtf8(kMaleText) || fileSex == QString::fromUtf8(kFemaleText)))
        sex = fileSex;
    if (file.hasHemispheres)
        setHemispheres(file.data.east, file.data.north);
}

void PersonEntry::fillFromLocation(const LocationFile& l) {
    zone = l.zone;
    longDeg = l.longDeg;
    longMin = l.longMin;
    if (l.east)
        chooseEast(true);
    if (l.west)
        chooseEast(false);
    latDeg = l.latDeg;
    latMin = l.latMin;
    if (l.north)
        north = true;
    if (l.south)
        north = false;
    pickRowForZone();
    // The zone row only guesses the latitude's hemisphere; the file knows it
    // (a southern place in an eastern zone stays southern).
    if (l.north != l.south)
        north = l.north;
}

LocationFile PersonEntry::location() const {
    LocationFile l;
    l.zone = zone;
    l.longDeg = longDeg;
    l.longMin = longMin;
    l.east = east;
    l.west = !east;
    l.latDeg = latDeg;
    l.latMin = latMin;
    l.north = north;
    l.south = !north;
    return l;
}

BirthData PersonEntry::toBirthData() const {
    BirthData d;
    d.name = s(name);
    d.sex = s(sex);
    d.year = s(year);
    d.month = s(month);
    d.day = s(day);
    d.hour = s(hour12);
    d.hour24 = s(hour24);
    d.minute = s(minute);
    d.am = am;
    d.zone = s(zone);
    d.daylightSaving = daylightSaving ? 1 : 0;
    d.longDeg = s(longDeg);
    d.longMin = s(longMin);
    d.east = east;
    d.latDeg = s(latDeg);
    d.latMin = s(latMin);
    d.north = north;
    // The chart files and the data sheet end their lines in CR LF.
    d.notes = s(QString(notes).replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
    return d;
}

QString PersonEntry::problemLine() const {
    // In the order the computation checks: the place first.
    const BirthData d = toBirthData();
    if (const std::optional<ComputeError> e = checkCoordinates(d))
        return computeErrorLine(*e);
    const MomentOutcome moment = birthMoment(d);
    return moment.ok() ? QString() : computeErrorLine(moment.error);
}

QString zoneTextForHemisphere(const QString& zone, bool isEast) {
    QString t = zone.trimmed();
    const auto value = strictNumber(s(t));
    if (!value)
        return zone;
    if (t.startsWith(QLatin1Char('-')) || t.startsWith(QLatin1Char('+')))
        t.remove(0, 1);
    return isEast && *value != 0 ? QStringLiteral("-") + t : t;
}

QString zoneTextAfterDaylightSaving(const QString& zone, bool ticked) {
    const double value = leadingNumber(s(zone));
    return q(formatPlain(ticked ? value - 1 : value + 1));
}

} // namespace velorin
