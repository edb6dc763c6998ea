#pragma once
// One person's birth data exactly as the birth-data form holds it: texts as
// typed, options as set. The engine converts them itself, so a chart file, the
// form and the command line all go through the same rules.

#include <string>

namespace velorin {

inline constexpr const char* kMaleText = "Férfi";
inline constexpr const char* kFemaleText = "Nő";

struct BirthData {
    std::string name = "Ma";     // txtName
    std::string sex = kMaleText; // Combo1
    std::string year;            // txtYear
    std::string month;           // txtMonth
    std::string day;             // txtDay
    std::string hour;            // txtBirthHour, 12-hour clock
    std::string hour24;          // Text1, the 24-hour box the user sees
    std::string minute;          // txtBirthMinute
    bool am = true;              // optAM (false: optPM)
    std::string zone = "-1";     // txtTZ, hours to add to local time for UT
    int daylightSaving = 0;      // Check1, 0 or 1
    std::string longDeg = "19";  // txtLongDeg
    std::string longMin = "07";  // txtLongMin
    bool east = true;            // optEast (false: optWest)
    std::string latDeg = "47";   // txtLatDeg
    std::string latMin = "035";  // txtLatMin
    bool north = true;           // optNorth (false: optSouth)
    std::string notes;           // txtMeg

    bool isMale() const { return sex == kMaleText; }
};

// The 24-hour text for a 12-hour text and its half of day: 12 A.M. is 0,
// 12 P.M. stays 12, other P.M. hours gain 12.
std::string hour24Text(const std::string& hour12, bool am);

// The 12-hour text and half of day for a 24-hour value.
struct TwelveHour {
    std::string hour;
    bool am;
};
TwelveHour twelveHourFor(int hour24);

} // namespace velorin
