// House placement with the cusp anticipation.

#include "engine/chart.h"

#include <gtest/gtest.h>

using namespace velorin;

namespace {

// A chart whose cusps are given in natural order (cusp 1 first).
Chart withCusps(std::array<double, 12> natural) {
    Chart c;
    for (int k = 1; k <= 12; ++k) {
        c.cusps[size_t(k)] = natural[size_t(k - 1)];
        c.cuspRing[size_t(k <= 9 ? k + 3 : k - 9)] = natural[size_t(k - 1)];
    }
    return c;
}

int houseOf(Chart c, double longitude, float anticipation = 6) {
    c.longitude[Sun] = longitude;
    placeInHouses(c, anticipation);
    return c.house(Sun);
}

// Cusp 1 at 70, 2 at 100, … Midheaven at 340: no house contains 0° Aries
// except the 10th.
const std::array<double, 12> kEvenCusps{70, 100, 130, 160, 190, 220, 250, 280, 310, 340, 10, 40};

TEST(Houses, AnticipationMovesAPlanetIntoTheNextHouse) {
    Chart c = withCusps(kEvenCusps);
    EXPECT_EQ(houseOf(c, 95), 2);    // 5° before the 2nd cusp
    EXPECT_EQ(houseOf(c, 93.9), 1);  // 6.1° before it
    EXPECT_EQ(houseOf(c, 94), 2);    // exactly D before counts
    EXPECT_EQ(houseOf(c, 95, 4), 1); // a smaller anticipation
    EXPECT_EQ(houseOf(c, 247), 7);   // 3° before the 7th cusp
}

TEST(Houses, BeforeTheMidheavenThePlanetStaysInTheNinth) {
    // Midheaven at 280 and 4th cusp at 100, neither house near 0° Aries.
    Chart c = withCusps({10, 40, 70, 100, 130, 160, 190, 220, 250, 280, 310, 340});
    EXPECT_EQ(houseOf(c, 277), 9);
    EXPECT_EQ(houseOf(c, 97), 4);
    EXPECT_EQ(houseOf(c, 281), 10);
}

TEST(Houses, NoAnticipationAcrossZeroAries) {
    // Cusp 1 at 355 and cusp 2 at 25: the 1st house runs across 0° Aries.
    std::array<double, 12> cusps{355, 25, 55, 85, 115, 145, 175, 205, 235, 265, 295, 325};
    Chart c = withCusps(cusps);
    EXPECT_EQ(houseOf(c, 352), 12);
    EXPECT_EQ(houseOf(c, 2), 1);
    EXPECT_EQ(houseOf(c, 355), 1);
    EXPECT_EQ(houseOf(c, 20), 2); // the 2nd house does not contain 0°: anticipation applies
}

TEST(Houses, APointOnACuspBelongsToTheHouseThatStartsThere) {
    Chart c = withCusps(kEvenCusps);
    EXPECT_EQ(houseOf(c, 100, 0), 2);
    EXPECT_EQ(houseOf(c, 100 - 0.5 / 36000, 0), 2); // within a tenth of an arc second
    EXPECT_EQ(houseOf(c, 99.99, 0), 1);
}

TEST(Houses, EveryPointIsPlacedAndARepeatedPlacingStartsAfresh) {
    Chart c = withCusps(kEvenCusps);
    c.longitude[Sun] = 345;
    c.longitude[Moon] = 75;
    placeInHouses(c, 6);
    EXPECT_EQ(c.house(Sun), 10);
    EXPECT_EQ(c.house(Moon), 1);
    EXPECT_EQ(c.house(0), 0);
    EXPECT_EQ(c.house(BODY_COUNT + 1), 0);

    // A ring whose cusps are all equal matches no point: nothing may survive
    // from the placing before.
    c.cuspRing.fill(100);
    c.cuspRing[13] = 0;
    placeInHouses(c, 0);
    EXPECT_EQ(c.house(Sun), 0);
    EXPECT_EQ(c.house(Moon), 0);
}

} // namespace
