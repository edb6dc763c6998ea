// Transits: the reference instants of a retrograde loop (found once by plain
// bisection on swe_calc_ut), and a brute-force count on a fine step that no
// pass may be missing from or doubled in.

#include "forecast/events.h"
#include "forecast/transits.h"

#include "engine/angles.h"
#include "tests/support/birthdata.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <map>
#include <set>

using namespace velorin;
using namespace velorin::forecast;

namespace {

constexpr double kSecond = 1.0 / 86400;

double longitudeAt(int body, double jd) {
    double x[6] = {0, 0, 0, 0, 0, 0};
    char serr[AS_MAXCH] = {0};
    swe_calc_ut(jd, ephemerisNumber(body), SEFLG_SWIEPH, x, serr);
    return x[0];
}

double offBy(double a, double b) {
    return std::fabs(std::fmod(a - b + 540.0, 360.0) - 180.0);
}

std::vector<Event> only(const std::vector<Event>& events, EventKind kind, int body) {
    std::vector<Event> out;
    for (const Event& e : events)
        if (e.kind == kind && e.body == body)
            out.push_back(e);
    return out;
}

} // namespace

TEST(Transits, SaturnsLoopOverAPointGivesExactlyThreePasses) {
    Chart natal = test::mustCompute(test::anna());
    natal.longitude[Mars] = 24.0; // inside Saturn's 2027 loop (21.02 to 27.88 degrees)
    TransitRequest r;
    r.fromJD = julianDayOfDate(2027, 1, 1);
    r.toJD = julianDayOfDate(2028, 7, 1);
    r.bodies = {Saturn};
    EventsOutcome o = findTransits(natal, r);
    ASSERT_TRUE(o.ok()) << o.error;

    std::vector<Event> passes;
    for (const Event& e : only(o.events, EventKind::Aspect, Saturn))
        if (e.natal == Mars && e.aspect == 1)
            passes.push_back(e);
    const struct {
        double jd;
        bool retrograde;
    } expected[] = {
        {2461557.0542308474, false}, {2461701.7069147713, true}, {2461822.4099422274, false}};
    ASSERT_EQ(passes.size(), 3u);
    for (size_t n = 0; n < 3; ++n) {
        EXPECT_NEAR(passes[n].julianDayUT, expected[n].jd, kSecond) << "pass " << n + 1;
        EXPECT_EQ(passes[n].retrograde, expected[n].retrograde) << "pass " << n + 1;
        EXPECT_EQ(passes[n].code, "TR_SZMAE");
    }

    const std::vector<Event> stations = only(o.events, EventKind::Station, Saturn);
    ASSERT_EQ(stations.size(), 2u);
    EXPECT_TRUE(stations[0].retrograde);
    EXPECT_EQ(stations[0].code, "TR_SZARR");
    EXPECT_FALSE(stations[1].retrograde);
    EXPECT_EQ(stations[1].code, "TR_SZARD");
    EXPECT_NEAR(longitudeAt(Saturn, stations[0].julianDayUT), 27.88, 0.01);
    EXPECT_NEAR(longitudeAt(Saturn, stations[1].julianDayUT), 21.02, 0.01);
}

TEST(Transits, EveryEventIsExactAndInOrderAndNoneIsLostOrDoubled) {
    const Chart natal = test::mustCompute(test::anna());
    TransitRequest r;
    r.fromJD = julianDayOfDate(2026, 3, 1);
    r.toJD = julianDayOfDate(2027, 3, 1);
    r.bodies = {Mercury, Venus, Mars, Moon, NorthNode, Chiron};
    EventsOutcome o = findTransits(natal, r);
    ASSERT_TRUE(o.ok()) << o.error;

    // Brute force on a step far finer than the search's: each crossing of
    // an aspect's longitude, cusp or sign boundary, counted per body and target.
    std::vector<double> targets;
    for (int n = 1; n <= BODY_COUNT; ++n)
        for (const AspectKind& a : aspectTable()) {
            std::set<int> angles{a.angle % 360, a.mirror % 360};
            for (int angle : angles) {
                const bool harmonic = angle == 60 || angle == 120 || angle == 240 || angle == 300;
                if ((n == SouthNode || n == Lilith) && harmonic)
                    continue;
                targets.push_back(natal.longitude[size_t(n)] + angle);
            }
        }
    for (int c = 1; c <= 12; ++c)
        targets.push_back(natal.cusps[size_t(c)]);
    for (int s = 0; s < 12; ++s)
        targets.push_back(30.0 * s);
    const double step = 0.05;
    std::map<int, int> expected; // per body
    for (int body : r.bodies) {
        double prev = longitudeAt(body, r.fromJD);
        for (double t = r.fromJD + step; t < r.toJD + step / 2; t += step) {
            const double now = longitudeAt(body, t);
            for (double lon : targets) {
                double ga = std::fmod(prev - lon + 720.0 + 180.0, 360.0) - 180.0;
                double gb = std::fmod(now - lon + 720.0 + 180.0, 360.0) - 180.0;
                if (std::fabs(gb - ga) < 180 && ((ga < 0) != (gb < 0)))
                    ++expected[body];
            }
            prev = now;
        }
    }

    std::map<int, int> found;
    double last = 0;
    for (const Event& e : o.events) {
        EXPECT_GE(e.julianDayUT, r.fromJD);
        EXPECT_LT(e.julianDayUT, r.toJD);
        EXPECT_GE(e.julianDayUT, last) << "time order";
        last = e.julianDayUT;
        if (e.kind == EventKind::Station)
            continue;
        ++found[e.body];
        const double at = longitudeAt(e.body, e.julianDayUT);
        if (e.kind == EventKind::Aspect) {
            const double d = normalize360(at - natal.longitude[size_t(e.natal)]);
            const AspectKind& k = aspectKind(e.aspect);
            EXPECT_LT(std::min(offBy(d, k.angle), offBy(d, k.mirror)), 1.0 / 3600) << e.code;
        } else if (e.kind == EventKind::House) {
            const int cusp = e.retrograde ? (e.house % 12) + 1 : e.house;
            EXPECT_LT(offBy(at, natal.cusps[size_t(cusp)]), 1.0 / 3600) << e.code;
        } else {
            const int start = e.retrograde ? (e.sign % 12) + 1 : e.sign;
            EXPECT_LT(offBy(at, 30.0 * (start - 1)), 1.0 / 3600) << e.code;
        }
    }
    for (int body : r.bodies)
        EXPECT_EQ(found[body], expected[body]) << codeLetters(body);
}

TEST(Transits, CodesCannotBeMistakenForNatalCodesAndAreAllCatalogued) {
    const Chart natal = test::mustCompute(test::anna());
    TransitRequest r;
    r.fromJD = julianDayOfDate(2026, 1, 1);
    r.toJD = julianDayOfDate(2027, 1, 1);
    r.bodies = defaultTransitBodies();
    r.bodies.push_back(Moon);
    EventsOutcome o = findTransits(natal, r);
    ASSERT_TRUE(o.ok()) << o.error;
    std::set<std::string> catalogue;
    for (const EventCodeEntry& c : eventCodeCatalogue()) {
        EXPECT_TRUE(catalogue.insert(c.code).second) << "twice: " << c.code;
        EXPECT_TRUE(c.code.rfind("TR_", 0) == 0 || c.code.rfind("PR_", 0) == 0) << c.code;
    }
    std::set<std::string> natalCodes(natal.codes.begin(), natal.codes.end());
    for (const Event& e : o.events) {
        EXPECT_TRUE(catalogue.count(e.code)) << "not catalogued: " << e.code;
        EXPECT_FALSE(natalCodes.count(e.code)) << e.code;
    }
}

TEST(Transits, CodesAreBuiltFromTheBodyLettersAndTheAspect) {
    const struct {
        Event event;
        const char* code;
    } rows[] = {
        {{0, EventKind::Aspect, Motion::Transit, Sun, 4, Moon}, "TR_NAHOP"},
        {{0, EventKind::Aspect, Motion::Transit, Chiron, 1, Ascendant}, "TR_KIASE"},
        {{0, EventKind::Aspect, Motion::Progressed, Moon, 6, Sun}, "PR_HONAN"},
        {{0, EventKind::House, Motion::Transit, Pluto, 0, 0, 4}, "TR_PLU04K"},
        {{0, EventKind::Sign, Motion::Transit, Jupiter, 0, 0, 0, 10}, "TR_JUPBAK"},
        {{0, EventKind::Station, Motion::Transit, Mercury, 0, 0, 0, 0, true}, "TR_MERRR"},
        {{0, EventKind::Station, Motion::Transit, Mercury, 0, 0, 0, 0, false}, "TR_MERRD"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(eventCode(row.event), row.code);
}

TEST(Transits, PeriodsThatCannotBeSearchedWholeAreRefused) {
    const Chart natal = test::mustCompute(test::anna());
    const struct {
        double from;
        double to;
        std::vector<int> bodies;
    } rows[] = {
        {julianDayOfDate(2027, 1, 1), julianDayOfDate(2027, 1, 1), {Sun}}, // empty
        {julianDayOfDate(2027, 1, 1), julianDayOfDate(2026, 1, 1), {Sun}}, // reversed
        {julianDayOfDate(1900, 1, 1), julianDayOfDate(2001, 1, 2), {Sun}}, // over a century
        {julianDayOfDate(5399, 6, 1), julianDayOfDate(5400, 6, 1), {Sun}}, // past the files
        {julianDayOfDate(2027, 1, 1), julianDayOfDate(2027, 2, 1), {SouthNode}},
        {julianDayOfDate(2027, 1, 1), julianDayOfDate(2027, 2, 1), {Ascendant}},
    };
    for (const auto& row : rows) {
        TransitRequest r;
        r.fromJD = row.from;
        r.toJD = row.to;
        r.bodies = row.bodies;
        EventsOutcome o = findTransits(natal, r);
        EXPECT_FALSE(o.ok()) << std::fixed << row.from << " " << row.to;
        EXPECT_TRUE(o.events.empty());
    }
}
