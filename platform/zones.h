#pragma once
// The 39 rows of the time-zone list: the text the user picks and the zone
// value beside it (hours to add to local time for UT, decimal comma).

#include <QString>
#include <array>

namespace velorin {

struct ZoneRow {
    const char* text; // UTF-8
    const char* value;
};

inline constexpr int kZoneRowCount = 39;
inline constexpr int kDefaultZoneRow = 15;
// Rows 0..13 are western (positive values), 14..38 eastern.
inline constexpr int kLastWesternRow = 13;

const std::array<ZoneRow, kZoneRowCount>& zoneRows();

// First row whose value equals the zone text as a number; -1 when none does
// or the text is not a number.
int findZoneRow(const QString& zoneText);

// The zone box and the summer-time box for a clock that is offsetSeconds
// ahead of Universal Time: the text holds the hours to add for UT (positive
// west, decimal comma, at most four decimals: UTC+1:16:20 is "-1,2722"), and
// the box takes one more hour off, so with summer time the text is the
// offset less one hour, whatever the summer shift was.
QString formZoneText(int offsetSeconds, bool daylightSaving);

// Whether the summer-time box is ticked for a clock whose summer shift (the
// offset beyond its standard time) is daylightOffsetSeconds: only for a
// shift forward. A "negative summer time" (Dublin's winter, Casablanca's
// Ramadan) is the offset in force with the box empty, which is how a person
// reads the clock.
inline bool summerTimeBox(int daylightOffsetSeconds) {
    return daylightOffsetSeconds > 0;
}

} // namespace velorin
