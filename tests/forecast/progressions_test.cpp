// Secondary progressions against the ephemeris library's own longitudes at
// instants computed once by hand: birth + age in days / 365.242199.

#include "forecast/events.h"
#include "forecast/progressions.h"

#include "engine/angles.h"

#include "tests/support/birthdata.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace velorin;
using namespace velorin::forecast;

TEST(Progressions, TheProgressedInstantIsOneDayForEachYearOfAge) {
    const Chart natal = test::mustCompute(test::anna());
    ASSERT_NEAR(natal.julianDayUT, 2441739.5347222220, 1e-8);
    // 18262 days of age are 50 years of 365.242199 days: 50 days after birth.
    EXPECT_NEAR(progressedInstant(natal.julianDayUT, natal.julianDayUT + 18262), 2441789.5344211888,
                1e-9);
    EXPECT_DOUBLE_EQ(progressedInstant(natal.julianDayUT, natal.julianDayUT), natal.julianDayUT);
}

TEST(Progressions, TheChartStandsAtTheProgressedInstantWithTheSolarArcMidheaven) {
    const Chart natal = test::mustCompute(test::anna());
    ProgressedOutcome p = progressedChart(natal, julianDayOfDate(2027, 6, 1), EngineSettings());
    ASSERT_TRUE(p.ok()) << p.error;
    EXPECT_NEAR(p.progressedJD, 2441793.7945129364, 1e-9);
    EXPECT_NEAR(p.chart->julianDayUT, 2441793.7945129364, 1e-9);
    // Sun and Moon of that instant, read once from the library.
    EXPECT_NEAR(p.chart->longitude[Sun], 31.0390507997, 1e-7);
    EXPECT_NEAR(p.chart->longitude[Moon], 252.4170696477, 1e-7);
    EXPECT_NEAR(p.solarArc, normalize360(31.0390507997 - natal.longitude[Sun]), 1e-7);
    EXPECT_NEAR(p.chart->longitude[Midheaven],
                normalize360(natal.longitude[Midheaven] + p.solarArc), 1e-6);
    EXPECT_NEAR(p.chart->cusps[10], p.chart->longitude[Midheaven], 1e-9);
    // The Ascendant of a northern place lies ahead of the Midheaven.
    const double ahead = normalize360(p.chart->cusps[1] - p.chart->cusps[10]);
    EXPECT_GT(ahead, 30);
    EXPECT_LT(ahead, 150);
}

TEST(Progressions, PolarBirthPlacesAreRefused) {
    BirthData far = test::anna();
    far.latDeg = "78";
    const Chart natal = test::mustCompute(far);
    ProgressedOutcome p = progressedChart(natal, julianDayOfDate(2027, 6, 1), EngineSettings());
    EXPECT_FALSE(p.ok());
    EXPECT_FALSE(p.error.empty());
}

TEST(Progressions, ProgressedAspectsAreRealInstantsInThePeriod) {
    const Chart natal = test::mustCompute(test::anna());
    const double from = julianDayOfDate(2020, 1, 1);
    const double to = julianDayOfDate(2030, 1, 1);
    EventsOutcome o = findProgressedAspects(natal, from, to);
    ASSERT_TRUE(o.ok()) << o.error;
    ASSERT_FALSE(o.events.empty()) << "the progressed Moon alone makes aspects every few months";
    for (const Event& e : o.events) {
        EXPECT_GE(e.julianDayUT, from);
        EXPECT_LT(e.julianDayUT, to);
        EXPECT_EQ(e.kind, EventKind::Aspect);
        EXPECT_EQ(e.code.substr(0, 3), "PR_");
        // At the event's date, the body at its progressed instant makes the
        // aspect to within a tenth of an arc second (a second of progressed
        // time is a year's 365th of a second of the body's motion).
        ProgressedOutcome p = progressedChart(natal, e.julianDayUT, EngineSettings());
        ASSERT_TRUE(p.ok());
        const double d =
            normalize360(p.chart->longitude[size_t(e.body)] - natal.longitude[size_t(e.natal)]);
        const double a = aspectKind(e.aspect).angle;
        const double off = std::min(std::fabs(std::fmod(d - a + 540.0, 360.0) - 180.0),
                                    std::fabs(std::fmod(d + a + 540.0, 360.0) - 180.0));
        EXPECT_LT(off * 3600, 0.1) << e.code;
    }
}
