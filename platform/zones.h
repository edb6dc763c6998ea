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

} // namespace velorin
