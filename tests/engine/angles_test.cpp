// The aspect search: pairs, passes, orbs, filters and what is reported.

#include "engine/angles.h"
#include "engine/listing.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace velorin;

namespace {

Chart chartWith(std::initializer_list<std::pair<int, double>> positions, bool male = true) {
    Chart c;
    // Spread every point far from the others so that only the named ones meet.
    const double apart[17] = {0, 1, 13, 26, 39, 52, 65, 78, 91, 104, 117, 0, 0, 143, 200, 300, 0};
    for (int b = 1; b <= 16; ++b)
        c.longitude[size_t(b)] = apart[b] * 2.7 + 0.37;
    c.male = male;
    for (auto [b, lon] : positions)
        c.longitude[size_t(b)] = lon;
    return c;
}

std::vector<Aspect> between(const Chart& c, int i, int j, const EngineSettings& s = {}) {
    std::vector<Aspect> out;
    for (const Aspect& a : findAspects(c, s))
        if (a.first == i && a.second == j)
            out.push_back(a);
    return out;
}

EngineSettings zeroOrbs() {
    EngineSettings s;
    s.orbs.fill(0);
    return s;
}

TEST(Aspects, BothDirectionsOfATrine) {
    Chart forward = chartWith({{Sun, 10}, {Moon, 130}});
    auto a = between(forward, Sun, Moon, zeroOrbs());
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].kind, 4);
    EXPECT_EQ(aspectCode(forward, a[0]), "F_NAHOP");

    Chart backward = chartWith({{Sun, 130}, {Moon, 10}}); // d = 240, the mirror angle
    a = between(backward, Sun, Moon, zeroOrbs());
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].kind, 4);
}

TEST(Aspects, ConjunctionAcrossZeroAries) {
    for (auto [x, y] : {std::pair{359.0, 2.0}, std::pair{2.0, 359.0}}) {
        Chart c = chartWith({{Mars, x}, {Saturn, y}}, false);
        auto a = between(c, Mars, Saturn);
        ASSERT_EQ(a.size(), 1u) << x << " " << y;
        EXPECT_EQ(a[0].kind, 1);
        EXPECT_EQ(aspectCode(c, a[0]), "N_MASZE");
    }
}

TEST(Aspects, OrbBoundIsInclusiveAndOppositionIsReportedOnce) {
    EngineSettings s;
    s.orbs[7] = 4; // opposition
    Chart exact = chartWith({{Venus, 10}, {Jupiter, 194}});
    auto a = between(exact, Venus, Jupiter, s);
    ASSERT_EQ(a.size(), 1u); // found by both passes, reported once
    EXPECT_EQ(a[0].kind, 6);
    Chart beyond = chartWith({{Venus, 10}, {Jupiter, 194.001}});
    EXPECT_TRUE(between(beyond, Venus, Jupiter, s).empty());

    Chart c = exact;
    appendAspects(c, s);
    EXPECT_EQ(std::count(c.codes.begin(), c.codes.end(), "F_VEJUN"), 1);
    EXPECT_NE(c.listing.find("VENUSZ       Szembenallas  JUPITER    \r\n"), std::string::npos);
}

TEST(Aspects, OverlappingOrbsGiveSeveralAspectsInTableOrder) {
    EngineSettings s;
    s.orbs[1] = 10; // semi-square
    s.orbs[2] = 10; // sextile
    Chart c = chartWith({{Mercury, 100}, {Uranus, 152}});
    auto a = between(c, Mercury, Uranus, s);
    ASSERT_EQ(a.size(), 2u);
    EXPECT_EQ(a[0].kind, 2); // sextile before semi-square: table order
    EXPECT_EQ(a[1].kind, 7);
}

TEST(Aspects, NodesLilithAscendantRules) {
    // Venus 120° from Lilith and 60° from the South Node: nothing.
    Chart c = chartWith({{Venus, 100}, {Lilith, 220}, {SouthNode, 160}});
    EXPECT_TRUE(between(c, Venus, Lilith).empty());
    EXPECT_TRUE(between(c, Venus, SouthNode).empty());
    // 90° from Lilith is a square.
    c = chartWith({{Venus, 100}, {Lilith, 190}}, false);
    auto a = between(c, Venus, Lilith);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(aspectCode(c, a[0]), "N_VELIN");
    // Conjunct the North Node: nothing; conjunct the South Node: "SA".
    c = chartWith({{Jupiter, 40}, {NorthNode, 41}, {SouthNode, 221}});
    EXPECT_TRUE(between(c, Jupiter, NorthNode).empty());
    c = chartWith({{Jupiter, 40}, {SouthNode, 41}, {NorthNode, 221}});
    a = between(c, Jupiter, SouthNode);
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(aspectCode(c, a[0]), "F_JUSAE");

    // The Ascendant only with the switch on.
    c = chartWith({{Sun, 10}, {Ascendant, 12}});
    EXPECT_TRUE(between(c, Sun, Ascendant).empty());
    EngineSettings withAsc;
    withAsc.showAsc = true;
    EXPECT_EQ(between(c, Sun, Ascendant, withAsc).size(), 1u);
    // Midheaven and Chiron take part in nothing.
    c = chartWith({{Sun, 10}, {Midheaven, 10}, {Chiron, 10}});
    for (const Aspect& x : findAspects(c, withAsc)) {
        EXPECT_NE(x.second, Midheaven);
        EXPECT_NE(x.second, Chiron);
    }
}

TEST(Aspects, PairOrderPlanetsThenPointsThenAscendant) {
    EngineSettings s;
    s.showAsc = true;
    Chart c = chartWith({{Sun, 10}, {Moon, 12}, {Lilith, 14}, {Ascendant, 16}, {Mercury, 190}});
    auto all = findAspects(c, s);
    std::vector<std::pair<int, int>> pairs;
    for (const Aspect& a : all)
        pairs.push_back({a.first, a.second});
    auto pos = [&](int i, int j) {
        return std::find(pairs.begin(), pairs.end(), std::pair{i, j}) - pairs.begin();
    };
    EXPECT_LT(pos(Sun, Mercury), pos(Sun, Moon));
    EXPECT_LT(pos(Sun, Moon), pos(Sun, Lilith));
    EXPECT_LT(pos(Moon, Lilith), pos(Sun, Ascendant));
}

} // namespace
