// The cross-aspect search between two people's planets.

#include "engine/crossangles.h"

#include <gtest/gtest.h>

using namespace velorin;

namespace {

// Every planet far from every other of both persons, so only the named ones meet.
struct Pair {
    Longitudes first{};
    Longitudes second{};
    Pair() {
        for (int b = 1; b <= BODY_COUNT; ++b) {
            first[size_t(b)] = 7.3 * b;
            second[size_t(b)] = 180 + 7.3 * b + 3.1;
        }
    }
};

// Orbs in the settings' order 0, 45, 60, 90, 120, 135, 150, 180.
EngineSettings orbs(std::array<float, 8> o) {
    EngineSettings s;
    s.orbs = o;
    return s;
}

std::vector<int> kindsBetween(const std::vector<CrossAspect>& all, int i, int j) {
    std::vector<int> kinds;
    for (const CrossAspect& a : all)
        if (a.first == i && a.second == j)
            kinds.push_back(a.kind);
    return kinds;
}

TEST(CrossAspects, EachAspectWithItsOwnOrbInclusiveOncePerPair) {
    struct Case {
        const char* what;
        double sun, moon; // first person's Sun, second person's Moon
        std::array<float, 8> orbs;
        std::vector<int> kinds;
    };
    const std::array<float, 8> defaults{10, 3, 3, 5, 7, 3, 3, 10};
    const Case cases[] = {
        {"two degrees behind: conjunction through 360", 100, 98, defaults, {1}},
        {"exact conjunction with orb 0", 100, 100, {0, 0, 0, 0, 0, 0, 0, 0}, {1}},
        {"d 51: sextile by its orb 10, semi-square beyond its orb 3",
         10,
         61,
         {10, 3, 10, 5, 7, 3, 3, 10},
         {2}},
        {"d 52 with both orbs 10: both", 10, 62, {10, 10, 10, 5, 7, 3, 3, 10}, {2, 7}},
        {"square exactly at its orb", 10, 105, defaults, {3}},
        {"square just beyond its orb", 10, 105.001, defaults, {}},
        {"mirror angle 240 is a trine", 130, 10, defaults, {4}},
        {"opposition reported once", 10, 190, defaults, {6}},
        {"quincunx mirror 210", 0, 210, defaults, {5}},
        {"sesquiquadrate 225", 0, 225, defaults, {8}},
        {"nothing at 20 degrees", 0, 20, defaults, {}},
    };
    for (const Case& c : cases) {
        Pair p;
        p.first[Sun] = c.sun;
        p.second[Moon] = c.moon;
        EXPECT_EQ(kindsBetween(findCrossAspects(p.first, p.second, orbs(c.orbs)), Sun, Moon),
                  c.kinds)
            << c.what;
    }
}

TEST(CrossAspects, AFindingDoesNotDependOnThePairBefore) {
    // An exact conjunction is found whether or not the previous pair had an aspect.
    for (double mercury : {40.0, 250.0}) {
        Pair p;
        p.first[Sun] = 100;
        p.second[Mercury] = mercury;
        p.second[Venus] = 100;
        EXPECT_EQ(kindsBetween(findCrossAspects(p.first, p.second, orbs({0, 0, 0, 0, 0, 0, 0, 0})),
                               Sun, Venus),
                  std::vector<int>{1});
    }
}

TEST(CrossAspects, OnlyTheTenPlanetsInPairOrderSignedLongitudesAsAbsolute) {
    Longitudes first{}, second{};
    for (int b = 1; b <= BODY_COUNT; ++b) {
        first[size_t(b)] = 50; // every point at one place
        second[size_t(b)] = -50;
    }
    const auto all = findCrossAspects(first, second, EngineSettings{});
    ASSERT_EQ(all.size(), 100u); // planets 1..10 each, a conjunction apiece
    EXPECT_EQ(all.front().first, Sun);
    EXPECT_EQ(all.front().second, Sun);
    EXPECT_EQ(all[1].second, Mercury);
    EXPECT_EQ(all.back().first, Moon);
    EXPECT_EQ(all.back().second, Moon);
    EXPECT_EQ(crossAspectLine(all.front()), "NAP          Egyutallas  NAP        ");
}

} // namespace
