// The moon calendar's day rules and its phase pictures, without windows.

#include "assets/moonphase.h"
#include "engine/chart.h"
#include "engine/moonday.h"

#include <gtest/gtest.h>
#include <swephexp.h>

using namespace velorin;

namespace {

class MoonDays : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initEngine("/nonexistent-program-folder"); }
};

TEST_F(MoonDays, LocalMidnightIsTheZoneInUniversalTime) {
    // UTC+1 without daylight saving: 1 March 2024 begins at 23:00 UT on the
    // last day of February; with daylight saving at 22:00.
    MoonDayOutcome winter = computeMoonDay(2024, 3, 1, -1);
    ASSERT_TRUE(winter.ok()) << winter.error.message;
    EXPECT_DOUBLE_EQ(winter.value->moment.julianDayUT, swe_julday(2024, 2, 29, 23, SE_GREG_CAL));
    MoonDayOutcome summer = computeMoonDay(2024, 3, 1, -2);
    ASSERT_TRUE(summer.ok());
    EXPECT_DOUBLE_EQ(summer.value->moment.julianDayUT, swe_julday(2024, 2, 29, 22, SE_GREG_CAL));

    // The Sun and the Moon at that instant, nothing else.
    double xx[6];
    char serr[256];
    swe_calc_ut(winter.value->moment.julianDayUT, SE_MOON, 258, xx, serr);
    EXPECT_DOUBLE_EQ(winter.value->moonLongitude, xx[0]);
    EXPECT_EQ(winter.value->sign, signOf(xx[0]));
}

TEST_F(MoonDays, NewMoonsFromTheEphemerisShowTheNewMoonPictures) {
    // Swiss Ephemeris puts the conjunction of February 2024 at 22:59 UT on
    // the 9th: a minute before midnight at UTC+1, an hour after it at UTC+2.
    MoonDayOutcome winter = computeMoonDay(2024, 2, 10, -1);
    ASSERT_TRUE(winter.ok());
    EXPECT_EQ(winter.value->picture, "m000.jpg");
    MoonDayOutcome summer = computeMoonDay(2024, 2, 10, -2);
    ASSERT_TRUE(summer.ok());
    EXPECT_EQ(summer.value->picture, "m360.jpg");
}

TEST(MoonRules, AngleToPicture) {
    struct Row {
        double moon, sun;
        const char* picture;
    } rows[] = {
        {10, 0, "m010.jpg"},      {9.5, 0, "m010.jpg"},  // odd degrees round up
        {359.5, 0, "m360.jpg"},   {0.3, 0, "m000.jpg"},  // either side of new Moon
        {120, 120, "m360.jpg"},   {5, 355, "m010.jpg"},  // conjunction; across 0° Aries
        {180.2, 0.1, "m180.jpg"}, {270, 90, "m180.jpg"}, // full Moon
        {1.5, 300, "m062.jpg"},   {300, 1.5, "m298.jpg"},
    };
    for (const Row& r : rows) {
        const double e = moonSunAngle(r.moon, r.sun);
        EXPECT_GT(e, 0) << r.moon << " " << r.sun;
        EXPECT_LE(e, 360) << r.moon << " " << r.sun;
        EXPECT_EQ(phasePictureName(phasePictureAngle(e)), r.picture) << r.moon << " " << r.sun;
    }
    EXPECT_EQ(phasePictureName(8), "m008.jpg");
    EXPECT_EQ(signOf(29.99), 1);
    EXPECT_EQ(signOf(30), 2);
    EXPECT_EQ(signOf(359.99), 12);
}

TEST(MoonRules, DaysOfTheMonth) {
    struct Row {
        int year, month, days;
    } rows[] = {{2024, 2, 29},  {2023, 2, 28}, {2000, 2, 29}, {1900, 2, 28},
                {2100, 2, 28},  {-4, 2, 29},   {2024, 1, 31}, {2024, 4, 30},
                {2024, 12, 31}, {2024, 13, 0}, {2024, 0, 0}};
    for (const Row& r : rows)
        EXPECT_EQ(daysInMonth(r.year, r.month), r.days) << r.year << "-" << r.month;
    EXPECT_EQ(monthName(6), "Junius");
    EXPECT_EQ(monthName(13), "");
}

TEST(MoonRules, UnusableTextsAreNamedAndComputeNothing) {
    struct Row {
        const char *year, *month, *zone, *message;
    } rows[] = {
        {"2024", "13", "-1", "Helytelen hónap!"},   {"2024", "0", "-1", "Helytelen hónap!"},
        {"2024", "feb", "-1", "Helytelen hónap!"},  {"2024", "2.5", "-1", "Helytelen hónap!"},
        {"", "2", "-1", "Helytelen év!"},           {"20x4", "2", "-1", "Helytelen év!"},
        {"2024", "2", "", "Helytelen időzóna!"},    {"2024", "2", "--1", "Helytelen időzóna!"},
        {"2024", "2", "100", "Helytelen időzóna!"},
    };
    for (const Row& r : rows) {
        MoonRequestOutcome o = readMoonRequest(r.year, r.month, r.zone);
        EXPECT_FALSE(o.ok()) << r.year << "/" << r.month << "/" << r.zone;
        EXPECT_EQ(o.message, r.message) << r.year << "/" << r.month << "/" << r.zone;
    }
    MoonRequestOutcome ok = readMoonRequest(" 2024 ", "2", "5,5");
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.value->year, 2024);
    EXPECT_EQ(ok.value->month, 2);
    EXPECT_DOUBLE_EQ(ok.value->zone, 5.5);
}

// The brightness of a pixel, 0..255.
int light(const std::vector<unsigned char>& rgb, int size, int x, int y) {
    const size_t i = (size_t(y) * size_t(size) + size_t(x)) * 3;
    return (rgb[i] + rgb[i + 1] + rgb[i + 2]) / 3;
}

TEST(PhasePictures, WaxingIsLitOnTheRightWaningOnTheLeft) {
    const int n = kPhasePictureSize, mid = n / 2, left = n / 12, right = n - 1 - n / 12;
    auto lit = [&](int angle, int x) { return light(renderMoonPhase(angle), n, x, mid) > 150; };
    struct Row {
        int angle;
        bool leftLit, rightLit;
    } rows[] = {{0, false, false}, {360, false, false}, {45, false, true}, {90, false, true},
                {180, true, true}, {270, true, false},  {315, true, false}};
    for (const Row& r : rows) {
        EXPECT_EQ(lit(r.angle, left), r.leftLit) << r.angle;
        EXPECT_EQ(lit(r.angle, right), r.rightLit) << r.angle;
    }
    // The corners are the page, not the Moon; the same angle draws the same pixels.
    EXPECT_EQ(light(renderMoonPhase(180), n, 0, 0), 255);
    EXPECT_EQ(renderMoonPhase(122), renderMoonPhase(122));
}

} // namespace
