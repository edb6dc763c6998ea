// Cusps in every house system offered, against the ephemeris library's own
// figures for those moments and places, and what the chart does with them.

#include "tests/support/birthdata.h"

#include "engine/housesystem.h"
#include "engine/listing.h"
#include "engine/sheet.h"

#include <gtest/gtest.h>

#include <cstdio>

#include <cmath>

using namespace velorin;
using namespace velorin::test;

namespace {

struct Place {
    double julianDayUT;
    double latitude;
    double longitude;
};

// Budapest on a winter night, Sydney at noon in its summer, Tromsø at noon in
// December (beyond the polar circle, where Placidus and Koch have no cusps).
constexpr Place kBudapest{2441739.5 + 1.8333333333 / 24, 47.5, 19.05};
constexpr Place kSydney{2451545.0 + 0.3, -33.8667, 151.2};
constexpr Place kTromso{2444954.5 + 0.5, 69.65, 18.95};

struct CuspFacts {
    const char* place;
    Place at;
    char system;
    bool fallback; // the library had no solution and gave Porphyry cusps
    std::array<double, 12> cusps;
};

// Computed once with swe_houses_ex (flags 0) of the Debian libswe, written
// down here so that a change of letter, of argument order or of library shows.
const CuspFacts kFacts[] = {
    {"budapest",
     kBudapest,
     'P',
     false,
     {264.709126, 305.297634, 350.089597, 24.112863, 48.185032, 67.161868, 84.709126, 125.297634,
      170.089597, 204.112863, 228.185032, 247.161868}},
    {"budapest",
     kBudapest,
     'K',
     false,
     {264.709126, 291.335353, 330.980783, 24.112863, 43.559645, 63.293325, 84.709126, 111.335353,
      150.980783, 204.112863, 223.559645, 243.293325}},
    {"budapest",
     kBudapest,
     'R',
     false,
     {264.709126, 299.809028, 349.078960, 24.112863, 45.499403, 63.295968, 84.709126, 119.809028,
      169.078960, 204.112863, 225.499403, 243.295968}},
    {"budapest",
     kBudapest,
     'C',
     false,
     {264.709126, 316.810233, 1.338419, 24.112863, 40.019463, 57.019552, 84.709126, 136.810233,
      181.338419, 204.112863, 220.019463, 237.019552}},
    {"budapest",
     kBudapest,
     'O',
     false,
     {264.709126, 304.510372, 344.311618, 24.112863, 44.311618, 64.510372, 84.709126, 124.510372,
      164.311618, 204.112863, 224.311618, 244.510372}},
    {"budapest",
     kBudapest,
     'E',
     false,
     {264.709126, 294.709126, 324.709126, 354.709126, 24.709126, 54.709126, 84.709126, 114.709126,
      144.709126, 174.709126, 204.709126, 234.709126}},
    {"budapest",
     kBudapest,
     'W',
     false,
     {240.000000, 270.000000, 300.000000, 330.000000, 0.000000, 30.000000, 60.000000, 90.000000,
      120.000000, 150.000000, 180.000000, 210.000000}},
    {"budapest",
     kBudapest,
     'B',
     false,
     {264.709126, 301.363769, 341.529369, 24.112863, 45.428581, 65.513389, 84.709126, 121.363769,
      161.529369, 204.112863, 225.428581, 245.513389}},
    {"budapest",
     kBudapest,
     'M',
     false,
     {294.112863, 324.684569, 352.952075, 20.643708, 49.913935, 81.644014, 114.112863, 144.684569,
      172.952075, 200.643708, 229.913935, 261.644014}},
    {"budapest",
     kBudapest,
     'T',
     false,
     {264.709126, 305.547163, 350.091129, 24.112863, 48.289601, 67.427463, 84.709126, 125.547163,
      170.091129, 204.112863, 228.289601, 247.427463}},
    {"sydney",
     kSydney,
     'P',
     false,
     {284.905707, 306.319770, 330.455704, 359.948520, 35.282066, 72.065705, 104.905707, 126.319770,
      150.455704, 179.948520, 215.282066, 252.065705}},
    {"sydney",
     kSydney,
     'K',
     false,
     {284.905707, 309.918786, 334.731345, 359.948520, 43.410387, 77.469405, 104.905707, 129.918786,
      154.731345, 179.948520, 223.410387, 257.469405}},
    {"sydney",
     kSydney,
     'R',
     false,
     {284.905707, 308.503037, 331.641737, 359.948520, 37.045582, 75.229835, 104.905707, 128.503037,
      151.641737, 179.948520, 217.045582, 255.229835}},
    {"sydney",
     kSydney,
     'C',
     false,
     {284.905707, 312.101613, 335.321441, 359.948520, 31.210568, 69.595832, 104.905707, 132.101613,
      155.321441, 179.948520, 211.210568, 249.595832}},
    {"sydney",
     kSydney,
     'O',
     false,
     {284.905707, 309.919978, 334.934249, 359.948520, 34.934249, 69.919978, 104.905707, 129.919978,
      154.934249, 179.948520, 214.934249, 249.919978}},
    {"sydney",
     kSydney,
     'E',
     false,
     {284.905707, 314.905707, 344.905707, 14.905707, 44.905707, 74.905707, 104.905707, 134.905707,
      164.905707, 194.905707, 224.905707, 254.905707}},
    {"sydney",
     kSydney,
     'W',
     false,
     {270.000000, 300.000000, 330.000000, 0.000000, 30.000000, 60.000000, 90.000000, 120.000000,
      150.000000, 180.000000, 210.000000, 240.000000}},
    {"sydney",
     kSydney,
     'B',
     false,
     {284.905707, 308.348297, 333.439733, 359.948520, 37.720722, 72.253090, 104.905707, 128.348297,
      153.439733, 179.948520, 217.720722, 252.253090}},
    {"sydney",
     kSydney,
     'M',
     false,
     {269.948520, 302.131770, 332.044038, 359.956664, 27.865722, 57.769890, 89.948520, 122.131770,
      152.044038, 179.956664, 207.865722, 237.769890}},
    {"sydney",
     kSydney,
     'T',
     false,
     {284.905707, 306.282453, 330.449040, 359.948520, 35.269259, 71.988910, 104.905707, 126.282453,
      150.449040, 179.948520, 215.269259, 251.988910}},
    {"tromso",
     kTromso,
     'P',
     true,
     {307.010126, 358.965417, 50.920707, 102.875998, 110.920707, 118.965417, 127.010126, 178.965417,
      230.920707, 282.875998, 290.920707, 298.965417}},
    {"tromso",
     kTromso,
     'K',
     true,
     {307.010126, 358.965417, 50.920707, 102.875998, 110.920707, 118.965417, 127.010126, 178.965417,
      230.920707, 282.875998, 290.920707, 298.965417}},
    {"tromso",
     kTromso,
     'R',
     false,
     {307.010126, 291.152712, 286.417231, 282.875998, 277.988752, 260.343853, 127.010126,
      111.152712, 106.417231, 102.875998, 97.988752, 80.343853}},
    {"tromso",
     kTromso,
     'C',
     false,
     {307.010126, 286.548134, 284.230880, 282.875998, 281.361255, 277.736199, 127.010126,
      106.548134, 104.230880, 102.875998, 101.361255, 97.736199}},
    {"tromso",
     kTromso,
     'O',
     false,
     {307.010126, 358.965417, 50.920707, 102.875998, 110.920707, 118.965417, 127.010126, 178.965417,
      230.920707, 282.875998, 290.920707, 298.965417}},
    {"tromso",
     kTromso,
     'E',
     false,
     {307.010126, 337.010126, 7.010126, 37.010126, 67.010126, 97.010126, 127.010126, 157.010126,
      187.010126, 217.010126, 247.010126, 277.010126}},
    {"tromso",
     kTromso,
     'W',
     false,
     {300.000000, 330.000000, 0.000000, 30.000000, 60.000000, 90.000000, 120.000000, 150.000000,
      180.000000, 210.000000, 240.000000, 270.000000}},
    {"tromso",
     kTromso,
     'B',
     false,
     {307.010126, 1.019481, 54.818209, 102.875998, 110.773468, 118.804909, 127.010126, 181.019481,
      234.818209, 282.875998, 290.773468, 298.804909}},
    {"tromso",
     kTromso,
     'M',
     false,
     {12.875998, 41.531286, 72.633747, 105.192964, 136.457097, 165.251677, 192.875998, 221.531286,
      252.633747, 285.192964, 316.457097, 345.251677}},
    {"tromso",
     kTromso,
     'T',
     false,
     {307.010126, 274.521316, 276.202541, 282.875998, 291.245757, 301.178508, 127.010126, 94.521316,
      96.202541, 102.875998, 111.245757, 121.178508}},
};

double arcDistance(double a, double b) {
    const double d = std::fabs(a - b);
    return std::min(d, 360 - d);
}

class HouseSystems : public ::testing::Test {
protected:
    static void SetUpTestSuite() { initEngine("/nonexistent-program-folder"); }
};

} // namespace

TEST_F(HouseSystems, CuspsMatchTheLibrarysFiguresForEverySystem) {
    for (const CuspFacts& f : kFacts) {
        GeoPosition place;
        place.geoLatitude = f.at.latitude;
        place.geoLongitude = f.at.longitude;
        const Houses h = computeHouses(f.at.julianDayUT, place, f.system);
        const std::string row = std::string(f.place) + " " + f.system;
        EXPECT_EQ(h.fallback, f.fallback) << row;
        EXPECT_EQ(h.system, f.fallback ? 'O' : f.system) << row;
        for (int k = 1; k <= 12; ++k)
            EXPECT_LT(arcDistance(h.cusps[size_t(k)], f.cusps[size_t(k - 1)]), 0.001)
                << row << " cusp " << k << ": " << h.cusps[size_t(k)] << " instead of "
                << f.cusps[size_t(k - 1)];
    }
}

TEST(HouseSystemNames, LettersAreReadInEitherCaseAndNothingElse) {
    const struct {
        const char* text;
        std::optional<char> letter;
    } cases[] = {
        {"P", 'P'},
        {"k", 'K'},
        {"w", 'W'},
        {"T", 'T'},
        {"B", 'B'},
        {"", std::nullopt},
        {"PP", std::nullopt},
        {"G", std::nullopt}, // Gauquelin is not offered
        {"Placidus", std::nullopt},
        {" P", std::nullopt},
        {"\xC9", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseHouseSystem(c.text), c.letter) << "\"" << c.text << "\"";
    for (const HouseSystem& s : houseSystems()) {
        EXPECT_EQ(parseHouseSystem(std::string(1, s.letter)), s.letter);
        EXPECT_EQ(houseSystemName(s.letter), s.name);
    }
    EXPECT_EQ(houseSystems().size(), 10u);
    EXPECT_EQ(houseSystems().front().letter, kDefaultHouseSystem);
}

TEST(HouseSystemChart, BodiesCodesAndListingFollowTheChosenSystem) {
    EngineSettings whole;
    whole.houseSystem = 'W';
    whole.anticipation = 0;
    const Chart c = mustCompute(anna(), whole);
    EXPECT_EQ(c.houseSystem, 'W');
    EXPECT_FALSE(c.housesFallback);
    // Whole-sign houses: a body's house counts the signs from the Ascendant's.
    const int ascSign = signOf(c.longitude[Ascendant]);
    for (int b = 1; b <= 13; ++b)
        EXPECT_EQ(c.house(b), (signOf(c.longitude[size_t(b)]) - ascSign + 12) % 12 + 1)
            << "body " << b;
    for (int k = 1; k <= 12; ++k)
        EXPECT_DOUBLE_EQ(c.cusps[size_t(k)], (ascSign - 1 + k - 1) % 12 * 30.0) << "cusp " << k;
    EXPECT_EQ(c.listing.rfind("Házrendszer: egész jegyes házak\r\n", 0), 0u);
    char sunCode[16];
    std::snprintf(sunCode, sizeof sunCode, "N_NAP%02dK", c.house(Sun));
    EXPECT_NE(std::find(c.codes.begin(), c.codes.end(), std::string(sunCode)), c.codes.end())
        << sunCode;

    // Placidus stays unnamed: a listing cast as before reads as before.
    const Chart placidus = mustCompute(anna());
    EXPECT_EQ(placidus.listing.find("Házrendszer"), std::string::npos);
    EXPECT_NE(placidus.cusps[2], c.cusps[2]);
}

TEST(HouseSystemChart, PolarFallbackNamesTheSystemThatFailed) {
    BirthData d = anna();
    d.latDeg = "69";
    d.latMin = "39";
    d.month = "12";
    const struct {
        char asked;
        bool fallback;
        const char* notice; // part of the data sheet's warning
    } cases[] = {
        {'P', true, "a Placidus-házak nem számíthatók, a házcsúcsok Porphyrius szerintiek."},
        {'K', true, "a választott házrendszer (Koch) nem számítható, a házcsúcsok Porphyrius"},
        {'R', false, ""},
        {'E', false, ""},
    };
    for (const auto& c : cases) {
        EngineSettings s;
        s.houseSystem = c.asked;
        const Chart chart = mustCompute(d, s);
        EXPECT_EQ(chart.housesFallback, c.fallback) << c.asked;
        EXPECT_EQ(chart.requestedHouseSystem, c.asked);
        const std::string sheet = dataSheet(d, chart);
        if (c.fallback)
            EXPECT_NE(sheet.find(c.notice), std::string::npos) << c.asked << sheet;
        else
            EXPECT_EQ(sheet.find("Figyelem"), std::string::npos) << c.asked;
        // Every body still lands in a house.
        for (int b = 1; b <= 13; ++b)
            EXPECT_GE(chart.house(b), 1) << c.asked << " body " << b;
    }
}
