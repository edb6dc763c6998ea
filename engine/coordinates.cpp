#include "coordinates.h"

#include "numbers.h"

#include <cmath>

namespace velorin {

namespace {

struct Axis {
    const std::string BirthData::*degrees;
    const std::string BirthData::*minutes;
    BirthField degreeField;
    BirthField minuteField;
    const char* message;
    double limit;
};

const Axis kAxes[] = {
    {&BirthData::latDeg, &BirthData::latMin, BirthField::LatitudeDegrees,
     BirthField::LatitudeMinutes, "Helytelen adat: SZÉL. FOK (a szélesség legfeljebb 90°)",
     kMaxLatitude},
    {&BirthData::longDeg, &BirthData::longMin, BirthField::LongitudeDegrees,
     BirthField::LongitudeMinutes, "Helytelen adat: HOSSZ. FOK (a hosszúság legfeljebb 180°)",
     kMaxLongitude},
};

} // namespace

std::optional<ComputeError> checkCoordinates(const BirthData& data) {
    for (const Axis& a : kAxes) {
        const std::optional<double> deg = strictNumber(data.*a.degrees);
        const std::optional<double> min = strictNumber(data.*a.minutes);
        if (!deg || !min)
            continue;
        const bool degreesOut = !(std::abs(*deg) <= a.limit);
        // The engine adds the minutes to the degrees as they stand.
        const bool totalOut = !(std::abs(*deg + *min / 60) <= a.limit);
        if (!degreesOut && !totalOut)
            continue;
        return ComputeError{degreesOut ? a.degreeField : a.minuteField, a.message};
    }
    return std::nullopt;
}

ChartOutcome computeCheckedChart(const BirthData& data, const EngineSettings& settings) {
    if (std::optional<ComputeError> place = checkCoordinates(data)) {
        ChartOutcome out;
        out.error = *place;
        return out;
    }
    return computeChart(data, settings);
}

} // namespace velorin
