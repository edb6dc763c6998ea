// What a picked place puts into the birth-data form.

#include "atlas/placefill.h"

#include <gtest/gtest.h>

using namespace velorin;

namespace {

Place place(const char* name, double lat, double lon, const char* zone) {
    Place p;
    p.name = QString::fromUtf8(name);
    p.country = "XX";
    p.latitude = lat;
    p.longitude = lon;
    p.zone = zone;
    return p;
}

TEST(PlaceFill, CoordinatesInDegreesAndMinutesWithHemispheres) {
    struct Case {
        double lat, lon;
        const char *latDeg, *latMin, *longDeg, *longMin;
        bool north, east;
    };
    const Case cases[] = {
        {47.49835, 19.04045, "47", "30", "19", "02", true, true},
        {-34.61315, -58.37723, "34", "37", "58", "23", false, false},
        {40.71427, -74.00597, "40", "43", "74", "00", true, false},
        {51.99999, 0.99999, "52", "00", "1", "00", true, true}, // minutes round into degrees
    };
    for (const Case& c : cases) {
        const FormCoordinates f = formCoordinates(place("P", c.lat, c.lon, "UTC"));
        EXPECT_EQ(f.latDeg, c.latDeg) << c.lat;
        EXPECT_EQ(f.latMin, c.latMin) << c.lat;
        EXPECT_EQ(f.longDeg, c.longDeg) << c.lon;
        EXPECT_EQ(f.longMin, c.longMin) << c.lon;
        EXPECT_EQ(f.north, c.north) << c.lat;
        EXPECT_EQ(f.east, c.east) << c.lon;
    }
}

TEST(PlaceFill, ZoneAndSummerTimeForTheFormsMoment) {
    const Place budapest = place("Budapest", 47.49835, 19.04045, "Europe/Budapest");
    PlaceFill f = fillForPlace(budapest, "1980", "7", "15", "12", "00");
    ASSERT_TRUE(f.zone);
    EXPECT_EQ(f.zone->zoneText, "-1");
    EXPECT_TRUE(f.zone->daylightSaving);
    EXPECT_EQ(f.description, "Budapest, Europe/Budapest, UTC+2 nyári idő");
    EXPECT_TRUE(f.problem.isEmpty());

    // The spring gap: both readings named, the zone left to the user.
    f = fillForPlace(budapest, "2021", "3", "28", "2", "30");
    EXPECT_FALSE(f.zone);
    EXPECT_TRUE(f.problem.contains("nem létezik")) << f.problem.toStdString();
    EXPECT_TRUE(f.problem.contains("UTC+1 (időzóna -1)")) << f.problem.toStdString();
    EXPECT_TRUE(f.problem.contains("UTC+2 nyári idő")) << f.problem.toStdString();
    EXPECT_EQ(f.coordinates.latDeg, "47");

    // A date the form accepts but no calendar has: no zone guessed either.
    f = fillForPlace(budapest, "1980", "0", "15", "12", "00");
    EXPECT_FALSE(f.zone);
    EXPECT_FALSE(f.problem.isEmpty());
    EXPECT_EQ(f.description, "Budapest, Europe/Budapest");

    // Dublin's winter is a negative summer time in the database: the form
    // gets the offset in force and no box, not "UTC-1 with summer time".
    const Place dublin = place("Dublin", 53.33306, -6.24889, "Europe/Dublin");
    f = fillForPlace(dublin, "1980", "1", "1", "12", "00");
    ASSERT_TRUE(f.zone);
    EXPECT_EQ(f.zone->zoneText, "0");
    EXPECT_FALSE(f.zone->daylightSaving);
    EXPECT_EQ(f.description, "Dublin, Europe/Dublin, UTC");
}

} // namespace
