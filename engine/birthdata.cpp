#include "birthdata.h"

#include "numbers.h"

#include <cmath>

namespace velorin {

std::string hour24Text(const std::string& hour12, bool am) {
    // Kept in double: a chart file may hold any number as its hour, and the
    // computation refuses what is not an hour with the field's name.
    const double h = std::trunc(leadingNumber(hour12));
    if (am)
        return formatPlain(h == 12 ? 0 : h);
    return formatPlain(h == 12 ? 12 : h + 12);
}

TwelveHour twelveHourFor(int hour24) {
    if (hour24 < 12)
        return {std::to_string(hour24 == 0 ? 12 : hour24), true};
    int h = hour24 - 12;
    return {std::to_string(h == 0 ? 12 : h), false};
}

} // namespace velorin
