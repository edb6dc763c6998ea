#pragma once
// The moon calendar's rules: the days of a month, and for each day the Moon's
// sign and the phase picture chosen from the Moon-Sun angle at local midnight.
// The calendar window and `velorin moon` print the same days from these.

#include "moment.h"

#include <optional>
#include <string>

namespace velorin {

inline constexpr int kPhasePictureCount = 181; // m000.jpg, m002.jpg … m360.jpg

// Days of a month of the Gregorian calendar, 29 in a leap February; 0 for a
// month outside 1..12.
int daysInMonth(int year, int month);

// The month's Hungarian name for the calendar's caption (UTF-8); "" outside 1..12.
std::string monthName(int month);

// How far the Moon stands ahead of the Sun, in (0, 360]: a conjunction is 360.
double moonSunAngle(double moonLongitude, double sunLongitude);

// The even whole degree of a Moon-Sun angle that names its picture: the whole
// part, an odd one rounded up (9.5 gives 10, 359.5 gives 360).
int phasePictureAngle(double angle);

// "m000.jpg" … "m360.jpg".
std::string phasePictureName(int pictureAngle);

// What the start window asks for, read from its texts.
struct MoonRequest {
    int year = 0;
    int month = 0;
    double zone = 0; // hours to add to local time for UT, daylight saving included
};

struct MoonRequestOutcome {
    std::optional<MoonRequest> value;
    std::string message; // short Hungarian message when the texts are not usable
    bool ok() const { return value.has_value(); }
};

// The year and zone must be numbers (the year a whole one), the month 1..12.
MoonRequestOutcome readMoonRequest(const std::string& year, const std::string& month,
                                   const std::string& zone);

struct MoonDay {
    int day = 0;
    Moment moment; // local midnight in Universal Time
    double sunLongitude = 0;
    double moonLongitude = 0;
    int sign = 0;     // SignId of the Moon, 1..12
    double angle = 0; // moonSunAngle
    int pictureAngle = 0;
    std::string picture; // phasePictureName
};

struct MoonDayOutcome {
    std::optional<MoonDay> value;
    ComputeError error;
    bool ok() const { return value.has_value(); }
};

// The Sun and the Moon at 0:00 local time of the day, the zone being hours to
// add for Universal Time. Positions are geocentric, so the place plays no part.
MoonDayOutcome computeMoonDay(int year, int month, int day, double zone);

} // namespace velorin
