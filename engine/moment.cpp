#include "moment.h"

#include "numbers.h"

#include <swephexp.h>

#include <cmath>

namespace velorin {
namespace {

ComputeError fieldError(BirthField field) {
    return {field, std::string()};
}

// A whole-number date field: strict conversion, banker's rounding, and the
// 16-bit range the original held it in.
bool dateField(const std::string& text, int& out) {
    auto v = strictNumber(text);
    if (!v)
        return false;
    double r = roundHalfEven(*v);
    if (r < -32768 || r > 32767)
        return false;
    out = int(r);
    return true;
}

} // namespace

Moment momentAt(int year, int month, int day, double utHour) {
    Moment m;
    m.year = year;
    m.month = month;
    m.day = day;
    m.utHour = utHour;
    // No date check: 30 February is 2 March, as the original's arithmetic
    // made it, and an hour outside the day moves into the next or last one.
    m.julianDayUT = swe_julday(year, month, day, utHour, SE_GREG_CAL);
    return m;
}

MomentOutcome birthMoment(const BirthData& d) {
    MomentOutcome out;
    int year = 0, month = 0, day = 0;
    if (!dateField(d.day, day)) {
        out.error = fieldError(BirthField::Day);
        return out;
    }
    if (!dateField(d.year, year)) {
        out.error = fieldError(BirthField::Year);
        return out;
    }
    if (!dateField(d.month, month)) {
        out.error = fieldError(BirthField::Month);
        return out;
    }

    auto zone = strictNumber(d.zone);
    if (!zone) {
        out.error = fieldError(BirthField::Zone);
        return out;
    }
    double zoneValue = *zone;
    if (d.daylightSaving == 1)
        zoneValue -= 1;

    if (!strictNumber(d.hour)) {
        out.error = fieldError(BirthField::Hour);
        return out;
    }
    if (!strictNumber(d.minute)) {
        out.error = fieldError(BirthField::Minute);
        return out;
    }
    // The original kept the hour and minute in single precision.
    float hour = float(leadingNumber(d.hour));
    float minute = float(leadingNumber(d.minute));
    // A number beyond single precision must be blamed on its own field, not
    // on the zone that the time is later added to.
    if (!std::isfinite(hour)) {
        out.error = fieldError(BirthField::Hour);
        return out;
    }
    if (!std::isfinite(minute)) {
        out.error = fieldError(BirthField::Minute);
        return out;
    }

    const std::pair<const std::string&, BirthField> coordinates[] = {
        {d.longDeg, BirthField::LongitudeDegrees},
        {d.longMin, BirthField::LongitudeMinutes},
        {d.latDeg, BirthField::LatitudeDegrees},
        {d.latMin, BirthField::LatitudeMinutes}};
    double coordinate[4] = {};
    for (size_t n = 0; n < 4; ++n) {
        auto v = strictNumber(coordinates[n].first);
        if (!v) {
            out.error = fieldError(coordinates[n].second);
            return out;
        }
        coordinate[n] = *v;
    }
    const double longDeg = coordinate[0], longMin = coordinate[1];
    const double latDeg = coordinate[2], latMin = coordinate[3];

    // The direction texts come from the degrees.minutes form, so 0°00' East
    // reads as "West"; the sign of the coordinate follows the text.
    float longDm = float(longDeg + longMin / 100);
    if (d.east)
        longDm = -longDm;
    const char* longDir = longDm >= 0 ? "West" : "East";
    float latDm = float(latDeg + latMin / 100);
    if (!d.north)
        latDm = -latDm;
    const char* latDir = latDm >= 0 ? "North" : "South";

    float h = hour;
    // Compared as a float: a typed hour may be far beyond any integer type.
    const float whole = std::trunc(h);
    if (d.am && whole == 12)
        h = h - 12;
    if (!d.am && whole != 12)
        h = h + 12;
    h = float(double(h) + zoneValue);
    const double utHour = double(h) + double(minute) / 60.0;

    GeoPosition place;
    double lon = longDeg + longMin / 60;
    if (!equalsIgnoreCase(longDir, "EAST"))
        lon = -lon;
    place.geoLongitude = roundTo15Digits(lon);
    double lat = latDeg + latMin / 60;
    if (!equalsIgnoreCase(latDir, "NORTH"))
        lat = -lat;
    place.geoLatitude = roundTo15Digits(lat);
    if (!std::isfinite(utHour) || !std::isfinite(place.geoLongitude) ||
        !std::isfinite(place.geoLatitude)) {
        out.error = fieldError(BirthField::Zone);
        return out;
    }
    out.value = BirthMoment{momentAt(year, month, day, utHour), place};
    return out;
}

} // namespace velorin
