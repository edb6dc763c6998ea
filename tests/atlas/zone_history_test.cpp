// What the clocks showed, row by row against the tz database's published
// rules (tzdata 2025b source lines quoted per group), not against this code.

#include "atlas/zonetime.h"

#include <gtest/gtest.h>

using namespace velorin;

namespace {

struct Row {
    const char* what;
    const char* zone;
    QDate date;
    QTime time;
    int offsetSeconds;
    bool daylightSaving;
    const char* formZone;
};

// Europe/Budapest: "1 c CE%sT 1945" with "R c 1944 1945 - Ap M>=1 2s 1 S" and
// "R c 1944 o - O 2 2s 0 -"; "1 h CE%sT 1984" with "R h 1980 o - Ap 6 0 1 S",
// "R h 1980 o - S 28 1 0 -"; LMT 1:16:20 until 1890 Nov 1.
// America/New_York: "-5 NY E%sT 1967" with "R NY 1921 1966 - Ap lastSu 2 1 D",
// "R NY 1921 1954 - S lastSu 2 0 S"; LMT -4:56:02 until 1883 Nov 18.
// Asia/Kathmandu: "5:30 1986", then 5:45. Asia/Kolkata: 5:30.
const Row kRows[] = {
    {"Budapest 1944 summer", "Europe/Budapest", {1944, 7, 15}, {12, 0}, 7200, true, "-1"},
    {"Budapest 1944 winter", "Europe/Budapest", {1944, 1, 15}, {12, 0}, 3600, false, "-1"},
    {"Budapest after 2 Oct 1944", "Europe/Budapest", {1944, 12, 15}, {12, 0}, 3600, false, "-1"},
    {"Budapest 1980 summer", "Europe/Budapest", {1980, 7, 15}, {12, 0}, 7200, true, "-1"},
    {"Budapest 1980 winter", "Europe/Budapest", {1980, 1, 15}, {12, 0}, 3600, false, "-1"},
    {"Budapest 1980, day after the late switch",
     "Europe/Budapest",
     {1980, 4, 7},
     {12, 0},
     7200,
     true,
     "-1"},
    {"Budapest 1980 autumn, after 28 Sep",
     "Europe/Budapest",
     {1980, 9, 29},
     {12, 0},
     3600,
     false,
     "-1"},
    {"New York 1950 summer", "America/New_York", {1950, 7, 15}, {12, 0}, -4 * 3600, true, "5"},
    {"New York 1950 winter", "America/New_York", {1950, 1, 15}, {12, 0}, -5 * 3600, false, "5"},
    {"Budapest local mean time", "Europe/Budapest", {1880, 6, 1}, {12, 0}, 4580, false, "-1,2722"},
    {"New York local mean time",
     "America/New_York",
     {1880, 6, 1},
     {12, 0},
     -17762,
     false,
     "4,9339"},
    {"Kathmandu quarter hour", "Asia/Kathmandu", {2000, 1, 1}, {12, 0}, 20700, false, "-5,75"},
    {"Kathmandu before 1986", "Asia/Kathmandu", {1980, 1, 1}, {12, 0}, 19800, false, "-5,5"},
    {"Kolkata half hour", "Asia/Kolkata", {1990, 5, 1}, {12, 0}, 19800, false, "-5,5"},
};

TEST(ZoneHistory, ReadingsFollowThePublishedRules) {
    for (const Row& r : kRows) {
        const LocalTime t = localTimeInZone(r.zone, r.date, r.time);
        ASSERT_EQ(t.status, LocalTimeStatus::Unique) << r.what;
        ASSERT_EQ(t.readings.size(), 1u) << r.what;
        EXPECT_EQ(t.readings[0].offsetSeconds, r.offsetSeconds) << r.what;
        EXPECT_EQ(t.readings[0].daylightSaving, r.daylightSaving) << r.what;
        EXPECT_EQ(formZoneText(t.readings[0]), r.formZone) << r.what;
    }
}

struct Ambiguous {
    const char* what;
    const char* zone;
    QDate date;
    QTime time;
    LocalTimeStatus status;
    int firstOffset, secondOffset;
};

// EU rules ("R E 1981 ma - Mar lastSu 1u 1 S", "R E 1996 ma - O lastSu 1u 0 -")
// move Budapest's clocks at 2:00 and 3:00 local; Hungary's own 1980 rules at
// 0:00 (spring) and 1:00 (autumn); New York's at 2:00 on 30 April 1950.
const Ambiguous kAmbiguous[] = {
    {"EU spring gap",
     "Europe/Budapest",
     {2021, 3, 28},
     {2, 30},
     LocalTimeStatus::Skipped,
     3600,
     7200},
    {"EU autumn overlap",
     "Europe/Budapest",
     {2021, 10, 31},
     {2, 30},
     LocalTimeStatus::Repeated,
     7200,
     3600},
    {"Hungary 1980 spring gap",
     "Europe/Budapest",
     {1980, 4, 6},
     {0, 30},
     LocalTimeStatus::Skipped,
     3600,
     7200},
    {"Hungary 1980 autumn overlap",
     "Europe/Budapest",
     {1980, 9, 28},
     {0, 30},
     LocalTimeStatus::Repeated,
     7200,
     3600},
    {"New York 1950 spring gap",
     "America/New_York",
     {1950, 4, 30},
     {2, 30},
     LocalTimeStatus::Skipped,
     -5 * 3600,
     -4 * 3600},
};

TEST(ZoneHistory, GapsAndOverlapsGiveBothReadings) {
    for (const Ambiguous& a : kAmbiguous) {
        const LocalTime t = localTimeInZone(a.zone, a.date, a.time);
        EXPECT_EQ(t.status, a.status) << a.what;
        ASSERT_EQ(t.readings.size(), 2u) << a.what;
        EXPECT_EQ(t.readings[0].offsetSeconds, a.firstOffset) << a.what;
        EXPECT_EQ(t.readings[1].offsetSeconds, a.secondOffset) << a.what;
        const QString message = ambiguityMessage("Hely", a.date, a.time, t);
        EXPECT_FALSE(message.isEmpty()) << a.what;
    }
    // One minute outside the EU gap is an ordinary reading again.
    EXPECT_EQ(localTimeInZone("Europe/Budapest", {2021, 3, 28}, {3, 0}).status,
              LocalTimeStatus::Unique);
    EXPECT_EQ(localTimeInZone("Europe/Budapest", {2021, 3, 28}, {1, 59}).status,
              LocalTimeStatus::Unique);
}

TEST(ZoneHistory, UnknownZonesAndTimesAreNamedNotGuessed) {
    EXPECT_EQ(localTimeInZone("Mars/Olympus_Mons", {2000, 1, 1}, {12, 0}).status,
              LocalTimeStatus::UnknownZone);
    EXPECT_EQ(localTimeInZone("Europe/Budapest", QDate(2001, 2, 29), {12, 0}).status,
              LocalTimeStatus::InvalidTime);
}

TEST(ZoneHistory, PlaceOwnMeanTimeBeforeStandardTime) {
    // Debrecen, 21.63333 E: 21.63333 * 4 min = 1:26:32, not Budapest's 1:16:20.
    const LocalTime t = localTimeAtPlace("Europe/Budapest", 21.63333, {1880, 6, 1}, {12, 0});
    ASSERT_EQ(t.status, LocalTimeStatus::Unique);
    EXPECT_EQ(t.readings[0].offsetSeconds, 5192);
    EXPECT_EQ(describeReading(t.readings[0]), "UTC+1:26:32 helyi középidő");
    // After standard time began the longitude does not matter.
    EXPECT_EQ(localTimeAtPlace("Europe/Budapest", 21.63333, {1900, 6, 1}, {12, 0})
                  .readings[0]
                  .offsetSeconds,
              3600);
}

TEST(ZoneHistory, Descriptions) {
    EXPECT_EQ(describeReading({7200, true, "CEST"}), "UTC+2 nyári idő");
    EXPECT_EQ(describeReading({-4 * 3600, true, "EDT"}), "UTC-4 nyári idő");
    EXPECT_EQ(describeReading({20700, false, "+0545"}), "UTC+5:45");
    EXPECT_EQ(describeReading({0, false, "GMT"}), "UTC");
    // A summer shift of two hours (British double summer time) still adds up:
    // zone text plus the one hour of the summer-time box is the offset.
    EXPECT_EQ(formZoneText({7200, true, "BDST"}), "-1");
    EXPECT_EQ(formZoneText({0, false, "GMT"}), "0");
}

} // namespace
