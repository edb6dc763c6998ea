// Returns against instants found once by plain bisection on the ephemeris
// library's own longitudes (swe_calc_ut, Swiss Ephemeris files, no speed),
// independently of the forecast's search.

#include "forecast/events.h"
#include "forecast/returns.h"

#include "tests/support/birthdata.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>

using namespace velorin;
using namespace velorin::forecast;

namespace {

constexpr double kSecond = 1.0 / 86400;

double arcSecondsOff(int ephemerisBody, double jd, double longitude) {
    double x[6] = {0, 0, 0, 0, 0, 0};
    char serr[AS_MAXCH] = {0};
    swe_calc_ut(jd, ephemerisBody, SEFLG_SWIEPH, x, serr);
    double d = std::fmod(x[0] - longitude + 540.0, 360.0) - 180.0;
    return std::fabs(d) * 3600;
}

// Anna's lunar returns in 2027, Julian days UT.
constexpr double kLunar2027[] = {2461410.7962206071, 2461438.0551669830, 2461465.3549035834,
                                 2461492.6992827794, 2461520.0565343592, 2461547.3857560894,
                                 2461574.6668478865, 2461601.9120302219, 2461629.1579549219,
                                 2461656.4440923920, 2461683.7867048560, 2461711.1642011255,
                                 2461738.5271599256, 2461765.8314961325};

} // namespace

TEST(Returns, SolarReturnIsTheReferenceInstantWithTheSunOnItsNatalDegree) {
    const Chart natal = test::mustCompute(test::anna());
    ReturnsOutcome r = solarReturn(natal, 2027);
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.instants.size(), 1u);
    EXPECT_NEAR(r.instants[0], 2461462.6389050623, 0.01 * kSecond);
    EXPECT_LT(arcSecondsOff(SE_SUN, r.instants[0], natal.longitude[Sun]), 0.01);
}

TEST(Returns, AYearOfLunarReturnsMatchesTheReferenceOneByOne) {
    const Chart natal = test::mustCompute(test::anna());
    ReturnsOutcome r =
        lunarReturns(natal, julianDayOfDate(2027, 1, 1), julianDayOfDate(2028, 1, 1));
    ASSERT_TRUE(r.ok()) << r.error;
    ASSERT_EQ(r.instants.size(), std::size(kLunar2027));
    for (size_t n = 0; n < r.instants.size(); ++n) {
        EXPECT_NEAR(r.instants[n], kLunar2027[n], 0.01 * kSecond) << "return " << n + 1;
        EXPECT_LT(arcSecondsOff(SE_MOON, r.instants[n], natal.longitude[Moon]), 0.01)
            << "return " << n + 1;
    }
}

TEST(Returns, EveryYearHoldsThirteenOrFourteenLunarReturns) {
    const Chart natal = test::mustCompute(test::anna());
    for (int year : {1990, 2001, 2026, 2050, 2100}) {
        ReturnsOutcome r =
            lunarReturns(natal, julianDayOfDate(year, 1, 1), julianDayOfDate(year + 1, 1, 1));
        ASSERT_TRUE(r.ok()) << year << ": " << r.error;
        EXPECT_GE(r.instants.size(), 13u) << year;
        EXPECT_LE(r.instants.size(), 14u) << year;
    }
}

TEST(Returns, SolarReturnIsTheOneNearestTheBirthdayInEveryYear) {
    const Chart natal = test::mustCompute(test::anna());
    // Born 26 February (UT): the return never strays more than two days.
    for (int year : {1974, 1999, 2000, 2024, 2027, 2060}) {
        ReturnsOutcome r = solarReturn(natal, year);
        ASSERT_TRUE(r.ok()) << year << ": " << r.error;
        EXPECT_NEAR(r.instants[0], swe_julday(year, 2, 26, 0.8, SE_GREG_CAL), 2.0) << year;
        EXPECT_LT(arcSecondsOff(SE_SUN, r.instants[0], natal.longitude[Sun]), 0.01) << year;
    }
}

TEST(Returns, PolarPlacesAndYearsBeyondTheFilesAreRefusedWhole) {
    const Chart natal = test::mustCompute(test::anna());
    EXPECT_FALSE(solarReturn(natal, 9000).ok());
    ReturnsOutcome far =
        lunarReturns(natal, julianDayOfDate(5390, 1, 1), julianDayOfDate(5410, 1, 1));
    EXPECT_FALSE(far.ok());
    EXPECT_TRUE(far.instants.empty()) << "no partial list";
    const ReturnChartOutcome polar =
        chartAtInstant(2461462.6389050623, {19.0, 78.2}, false, EngineSettings());
    EXPECT_FALSE(polar.ok());
    EXPECT_FALSE(polar.error.empty());
    const ReturnChartOutcome home =
        chartAtInstant(2461462.6389050623, {19.04, 47.5}, false, EngineSettings());
    ASSERT_TRUE(home.ok()) << home.error;
    EXPECT_NEAR(home.chart->longitude[Sun], natal.longitude[Sun], 0.01 / 3600);
}
