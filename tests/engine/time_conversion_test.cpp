// Birth data to Universal Time, Julian day and signed coordinates.

#include "tests/support/birthdata.h"

#include "engine/numbers.h"

#include <array>
#include <charconv>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <swephexp.h>
#include <vector>

using namespace velorin;
using velorin::test::anna;
using velorin::test::mustCompute;

namespace {

BirthData at(const std::string& hour, const std::string& minute, bool am, const std::string& zone) {
    BirthData d = anna();
    d.hour = hour;
    d.minute = minute;
    d.am = am;
    d.zone = zone;
    return d;
}

TEST(TimeConversion, TwelveHourClockAroundMidnightAndNoon) {
    struct Row {
        const char* hour;
        const char* minute;
        bool am;
        const char* zone;
        double utHour;
    } rows[] = {
        {"12", "0", true, "-1", -1.0},               // 12 A.M. is midnight
        {"12", "0", false, "-1", 11.0},              // 12 P.M. stays noon
        {"12", "30", true, "0", 0.5},                // half past midnight
        {"11", "59", false, "-2", 21.0 + 59.0 / 60}, // late evening, same day
        {"1", "0", true, "-2", -1.0},                // falls into the previous UT day
        {"2", "50", true, "-2", 50.0 / 60},
        {"3", "15", false, "5,5", 15.25 + 5.5}, // decimal comma in the zone
        {"3", "15", false, "5.5", 15.25 + 5.5}, // and a decimal point
    };
    for (const Row& r : rows) {
        Chart c = mustCompute(at(r.hour, r.minute, r.am, r.zone));
        EXPECT_NEAR(c.utHour, r.utHour, 1e-9)
            << r.hour << ":" << r.minute << (r.am ? " AM" : " PM") << " zone " << r.zone;
    }
}

TEST(TimeConversion, JulianDayAbsorbsHoursOutsideTheDay) {
    // 1:00 A.M. at UTC+2 is 23:00 UT on the day before.
    Chart c = mustCompute(at("1", "0", true, "-2"));
    EXPECT_NEAR(c.julianDayUT, swe_julday(1973, 2, 25, 23.0, SE_GREG_CAL), 1e-9);

    Chart annaChart = mustCompute(anna());
    EXPECT_NEAR(annaChart.julianDayUT, swe_julday(1973, 2, 26, 50.0 / 60, SE_GREG_CAL), 1e-9);
}

TEST(TimeConversion, DaylightSavingLowersTheZoneByOneHour) {
    BirthData summer = at("3", "0", false, "-1");
    summer.daylightSaving = 1;
    Chart a = mustCompute(summer);
    Chart b = mustCompute(at("3", "0", false, "-2"));
    EXPECT_DOUBLE_EQ(a.utHour, b.utHour);
    EXPECT_DOUBLE_EQ(a.julianDayUT, b.julianDayUT);
    EXPECT_DOUBLE_EQ(a.longitude[Moon], b.longitude[Moon]);
}

TEST(TimeConversion, ImpossibleDatesTakeTheArithmeticDate) {
    BirthData feb30 = anna();
    feb30.day = "30";
    BirthData march2 = anna();
    march2.month = std::string("3"); // a one-letter literal trips GCC 12's -Wrestrict at -O3
    march2.day = "2";
    EXPECT_DOUBLE_EQ(mustCompute(feb30).julianDayUT, mustCompute(march2).julianDayUT);

    BirthData month13 = anna();
    month13.month = "13";
    BirthData nextJanuary = anna();
    nextJanuary.year = "1974";
    nextJanuary.month = "1";
    EXPECT_DOUBLE_EQ(mustCompute(month13).julianDayUT, mustCompute(nextJanuary).julianDayUT);
}

TEST(TimeConversion, DateFieldsRoundHalfToEven) {
    auto dayJd = [](const char* day) {
        BirthData d = anna();
        d.day = day;
        return mustCompute(d).julianDayUT;
    };
    EXPECT_DOUBLE_EQ(dayJd("26.5"), dayJd("26"));
    EXPECT_DOUBLE_EQ(dayJd("27.5"), dayJd("28"));
    EXPECT_DOUBLE_EQ(dayJd("26,5"), dayJd("26"));
}

TEST(Coordinates, SignsFollowTheHemispheresAndRoundTo15Digits) {
    BirthData d = anna();
    Chart east = mustCompute(d);
    EXPECT_DOUBLE_EQ(east.geoLongitude, 22.75);
    EXPECT_DOUBLE_EQ(east.geoLatitude, 47.4166666666667); // 15 significant digits, not 47.41666…67
    d.east = false;
    d.north = false;
    Chart west = mustCompute(d);
    EXPECT_DOUBLE_EQ(west.geoLongitude, -22.75);
    EXPECT_DOUBLE_EQ(west.geoLatitude, -47.4166666666667);

    // 0°00' East reads as "West" and is zero either way.
    d.longDeg = "0";
    d.longMin = "00";
    d.east = true;
    EXPECT_EQ(mustCompute(d).geoLongitude, 0.0);
}

TEST(BirthDataErrors, NameTheFieldAndLeaveNoChart) {
    struct Row {
        void (*spoil)(BirthData&);
        BirthField field;
    } rows[] = {
        {[](BirthData& d) { d.day = ""; }, BirthField::Day},
        {[](BirthData& d) { d.year = "19x3"; }, BirthField::Year},
        {[](BirthData& d) { d.year = "40000"; }, BirthField::Year}, // beyond the 16-bit field
        {[](BirthData& d) { d.month = "feb"; }, BirthField::Month},
        {[](BirthData& d) { d.zone = ""; }, BirthField::Zone},
        {[](BirthData& d) { d.hour = "2h"; }, BirthField::Hour},
        // Moved in whole: GCC 12 at -O3 misreads assigning a one-letter
        // literal as an overlapping copy (-Wrestrict).
        {[](BirthData& d) { d.minute = std::string(" "); }, BirthField::Minute},
        {[](BirthData& d) { d.longDeg = "2 2"; }, BirthField::LongitudeDegrees},
        {[](BirthData& d) { d.longMin = "--5"; }, BirthField::LongitudeMinutes},
        {[](BirthData& d) { d.latDeg = "N47"; }, BirthField::LatitudeDegrees},
        {[](BirthData& d) { d.latMin = "1e"; }, BirthField::LatitudeMinutes},
    };
    initEngine("");
    for (const Row& r : rows) {
        BirthData d = anna();
        r.spoil(d);
        ChartOutcome o = computeChart(d, EngineSettings());
        EXPECT_FALSE(o.ok()) << int(r.field);
        EXPECT_EQ(o.error.field, r.field);
        EXPECT_TRUE(o.error.message.empty()) << o.error.message;
        EXPECT_FALSE(birthMoment(d).ok());
    }
}

// Found by fuzzing: numbers beyond every integer type reached integer
// conversions on the way to the chart (caught by the sanitizer build).
TEST(BirthDataErrors, HugeNumbersAreRefusedNotConverted) {
    initEngine("");
    for (const char* hour : {"1e300", "-1e300", "1e39"}) {
        BirthData d = anna();
        d.hour = hour;
        EXPECT_FALSE(computeChart(d, EngineSettings()).ok()) << hour;
    }
}

TEST(Numbers, StrictAndLeadingConversions) {
    EXPECT_EQ(strictNumber(" -5,5 "), -5.5);
    EXPECT_EQ(strictNumber("035"), 35.0);
    EXPECT_EQ(strictNumber(".5"), 0.5);
    EXPECT_FALSE(strictNumber(""));
    EXPECT_FALSE(strictNumber("1,2,3"));
    EXPECT_FALSE(strictNumber("12abc"));
    EXPECT_FALSE(strictNumber("-"));
    EXPECT_EQ(leadingNumber("12abc"), 12.0);
    EXPECT_EQ(leadingNumber("  3,75 fok"), 3.75);
    EXPECT_EQ(leadingNumber("abc"), 0.0);
    EXPECT_EQ(leadingNumber(""), 0.0);
    EXPECT_EQ(leadingNumber("---- HOUSE"), 0.0);
    EXPECT_EQ(leadingNumber(" 1ST HOUSE"), 1.0);
}

TEST(Numbers, FixedFollowsTheSeparatorAWindowProgramSets) {
    struct Case {
        char set;
        char in_effect;
        const char* half;
        const char* negative;
    };
    const Case cases[] = {
        {',', ',', "5,50", "-0,25"},                                 // a Hungarian user's
        {'.', '.', "5.50", "-0.25"},    {'-', '.', "5.50", "-0.25"}, // would read as a sign
        {'\0', '.', "5.50", "-0.25"},   {'7', '.', "5.50", "-0.25"},
        {'\xc3', '.', "5.50", "-0.25"}, // part of a UTF-8 letter
    };
    for (const Case& c : cases) {
        setFixedDecimalSeparator(c.set);
        EXPECT_EQ(fixedDecimalSeparator(), c.in_effect) << int(c.set);
        EXPECT_EQ(formatFixed2(5.5), c.half) << int(c.set);
        EXPECT_EQ(formatFixed2(-0.25), c.negative) << int(c.set);
        EXPECT_EQ(formatFixed2(-0.001), std::string("0") + c.in_effect + "00") << int(c.set);
        // Only the Fixed format changes: other numbers keep the point.
        EXPECT_EQ(formatPlain(-5.5), "-5.5");
    }
    setFixedDecimalSeparator('.');
}

// formatFixed2 takes a short way where x * 100 is clearly away from a half;
// every value, halves and the numbers beside them most of all, must read as
// the exact decimal rounding of the double does.
TEST(Numbers, FixedTwoPlacesAreTheExactRounding) {
    const auto exact = [](double x) {
        std::array<char, 64> buf{};
        const auto res =
            std::to_chars(buf.data(), buf.data() + buf.size(), x, std::chars_format::fixed, 2);
        std::string s(buf.data(), res.ptr);
        return s == "-0.00" ? std::string("0.00") : s;
    };
    std::vector<double> values{0.0,    -0.0,   0.005,  0.015,    0.125,   2.675, 1.005,
                               -0.005, -0.015, 29.995, 359.995,  -1e-300, 1e11,  -1e11,
                               1e13,   -1e13,  1e300,  0.994999, 0.995,   9.995, 99.995};
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> degrees(-720, 720);
    for (int n = 0; n < 200000; ++n)
        values.push_back(degrees(random));
    // Every exact hundredth and half-hundredth of the degree range, and their neighbours.
    for (int h = -72000; h <= 72000; ++h)
        for (const double x : {h / 100.0, (h + 0.5) / 100.0})
            for (const double y : {std::nextafter(x, -1e9), x, std::nextafter(x, 1e9)})
                values.push_back(y);
    int wrong = 0;
    for (const double x : values)
        if (formatFixed2(x) != exact(x) && ++wrong < 10)
            ADD_FAILURE() << std::hexfloat << x << ": " << formatFixed2(x) << " " << exact(x);
    EXPECT_EQ(wrong, 0);
}

TEST(Numbers, ListingFormats) {
    EXPECT_EQ(formatFixed2(5.5), "5.50");
    EXPECT_EQ(formatFixed2(15.2349), "15.23");
    EXPECT_EQ(formatFixed2(0), "0.00");
    EXPECT_EQ(formatSigned(10), " 10");
    EXPECT_EQ(formatSigned(0), " 0");
    EXPECT_EQ(formatSigned(-3), "-3");
    EXPECT_EQ(hour24Text("12", true), "0");
    EXPECT_EQ(hour24Text("12", false), "12");
    EXPECT_EQ(hour24Text("3", false), "15");
    EXPECT_EQ(hour24Text("-0.5", true), "0");
    // Found by fuzzing: a chart file's hour beyond any integer type.
    EXPECT_EQ(hour24Text("1e300", false), formatPlain(1e300));
    EXPECT_EQ(hour24Text("9223372036854775807", false), formatPlain(9223372036854775807.0 + 12));
    EXPECT_EQ(twelveHourFor(0).hour, "12");
    EXPECT_EQ(twelveHourFor(12).hour, "12");
    EXPECT_FALSE(twelveHourFor(12).am);
    EXPECT_EQ(twelveHourFor(15).hour, "3");
}

} // namespace
