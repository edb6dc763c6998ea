#include "coordinates.h"

#include "numbers.h"

#include <cmath>

namespace velorin {

namespace {

struct Axis {
    const std::string BirthData::*degrees;
    const std::string BirthData::*minutes;
    const char* degreeField;
    const char* minuteField;
    const char* label;
    const char* limitText;
    double limit;
};

const Axis kAxes[] = {
    {&BirthData::latDeg, &BirthData::latMin, "txtLatDeg", "txtLatMin", "SZÉL. FOK",
     "a szélesség legfeljebb 90°", kMaxLatitude},
    {&BirthData::longDeg, &BirthData::longMin, "txtLongDeg", "txtLongMin", "HOSSZ. FOK",
     "a hosszúság legfeljebb 180°", kMaxLongitude},
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
        const char* field = degreesOut ? a.degreeField : a.minuteField;
        return ComputeError{field, a.label,
                            std::string("Helytelen adat: ") + a.label + " (" + a.limitText + ")"};
    }
    return std::nullopt;
}

} // namespace velorin
