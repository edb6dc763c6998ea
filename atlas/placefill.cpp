#include "placefill.h"

#include <cmath>

namespace velorin {

namespace {

void degreesMinutes(double value, QString& degrees, QString& minutes) {
    const long total = std::lround(std::fabs(value) * 60);
    degrees = QString::number(total / 60);
    minutes = QString("%1").arg(total % 60, 2, 10, QChar('0'));
}

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

FormCoordinates formCoordinates(const Place& place) {
    FormCoordinates c;
    degreesMinutes(place.longitude, c.longDeg, c.longMin);
    degreesMinutes(place.latitude, c.latDeg, c.latMin);
    c.east = place.longitude >= 0;
    c.north = place.latitude >= 0;
    return c;
}

PlaceFill fillForPlace(const Place& place, const QString& year, const QString& month,
                       const QString& day, const QString& hour, const QString& minute) {
    PlaceFill fill;
    fill.coordinates = formCoordinates(place);
    fill.description = place.name + ", " + place.zone;

    const auto y = wholeNumber(year), mo = wholeNumber(month), d = wholeNumber(day),
               h = wholeNumber(hour);
    bool minuteOk = false;
    const double mi = minute.trimmed().replace(',', '.').toDouble(&minuteOk);
    QDate date;
    QTime time;
    if (y && mo && d && h && minuteOk && mi >= 0 && mi < 60) {
        date = QDate(*y, *mo, *d);
        time = QTime(*h, int(mi));
    }
    fill.local = localTimeAtPlace(place.zone.toUtf8(), place.longitude, date, time);
    switch (fill.local.status) {
    case LocalTimeStatus::Unique: {
        const ZoneReading& r = fill.local.readings.front();
        fill.zone = FormZone{formZoneText(r), r.daylightSaving};
        fill.description += ", " + describeReading(r);
        break;
    }
    case LocalTimeStatus::Skipped:
    case LocalTimeStatus::Repeated:
        fill.problem = ambiguityMessage(place.name, date, time, fill.local);
        fill.description += ", " + describeReading(fill.local.readings[0]) + " vagy " +
                            describeReading(fill.local.readings[1]) + "?";
        break;
    case LocalTimeStatus::UnknownZone:
        fill.problem = QString("A(z) %1 időzónát a rendszer időzóna-adatbázisa nem ismeri; "
                               "az időzóna és a nyári időszámítás nem változott.")
                           .arg(place.zone);
        break;
    case LocalTimeStatus::InvalidTime:
        fill.problem = "A születési dátum vagy idő nem teljes vagy hibás, ezért az időzóna és a "
                       "nyári időszámítás nem változott.";
        break;
    }
    return fill;
}

} // namespace velorin
