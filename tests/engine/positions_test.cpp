// Positions, speeds and cusps against the ephemeris library for the same
// Julian day, plus a few published reference values.

#include "tests/support/birthdata.h"

#include <gtest/gtest.h>
#include <swephexp.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

using namespace velorin;
using velorin::test::anna;
using velorin::test::mustCompute;

namespace {

TEST(Positions, MatchTheLibraryForManyPeople) {
    std::mt19937 rng(1973);
    std::uniform_int_distribution<int> year(1800, 2100), month(1, 12), day(1, 28), hour(1, 12),
        minute(0, 59), zone(-12, 12), lonDeg(0, 179), latDeg(0, 65), mins(0, 59), coin(0, 1);
    const int ephemerisBody[17] = {-1, 0, 2, 3, 4, 5, 6, 7, 8, 9, 1, 10, -1, 12, -1, -1, 15};
    for (int n = 0; n < 150; ++n) {
        BirthData d = anna();
        d.year = std::to_string(year(rng));
        d.month = std::to_string(month(rng));
        d.day = std::to_string(day(rng));
        d.hour = std::to_string(hour(rng));
        d.minute = std::to_string(minute(rng));
        d.am = coin(rng);
        d.zone = std::to_string(zone(rng));
        d.longDeg = std::to_string(lonDeg(rng));
        d.longMin = std::to_string(mins(rng));
        d.latDeg = std::to_string(latDeg(rng) - (coin(rng) ? 0 : 60)); // -60 .. +65
        d.latMin = std::to_string(mins(rng));
        d.east = coin(rng);
        d.north = coin(rng);
        Chart c = mustCompute(d);
        SCOPED_TRACE(d.year + "-" + d.month + "-" + d.day + " lat " + d.latDeg);

        for (int b = 1; b <= 16; ++b) {
            if (ephemerisBody[b] < 0)
                continue;
            double xx[6];
            char serr[256];
            swe_calc_ut(c.julianDayUT, ephemerisBody[b], 258, xx, serr);
            if (b == NorthNode) {
                EXPECT_DOUBLE_EQ(c.longitude[NorthNode], xx[0]);
                continue;
            }
            EXPECT_DOUBLE_EQ(c.longitude[size_t(b)], xx[0]) << "body " << b;
            EXPECT_DOUBLE_EQ(c.speed[size_t(b)], xx[3]) << "body " << b;
            EXPECT_EQ(c.retrograde(b), xx[3] < 0) << "body " << b;
        }
        double cusps[13], ascmc[10];
        swe_houses(c.julianDayUT, c.geoLatitude, c.geoLongitude, 'P', cusps, ascmc);
        for (int k = 1; k <= 12; ++k)
            EXPECT_DOUBLE_EQ(c.cusps[size_t(k)], cusps[k]) << "cusp " << k;
        EXPECT_DOUBLE_EQ(c.longitude[Ascendant], cusps[1]);
        EXPECT_DOUBLE_EQ(c.longitude[Midheaven], cusps[10]);
        EXPECT_DOUBLE_EQ(c.longitude[SouthNode], normalize360(c.longitude[NorthNode] + 180));
        // Points that have no speed of their own never carry "R".
        for (int b : {NorthNode, SouthNode, Ascendant, Midheaven})
            EXPECT_FALSE(c.retrograde(b));
    }
}

TEST(Positions, PublishedReferenceValues) {
    // 1 January 2000, 12:00 UT at Greenwich: the Sun at 280.37° (apparent),
    // the Moon at 223.3°, Julian day 2451545.0.
    BirthData d;
    d.year = "2000";
    d.month = "1";
    d.day = "1";
    d.hour = "12";
    d.minute = "0";
    d.am = false;
    d.zone = "0";
    d.longDeg = "0";
    d.longMin = "0";
    d.latDeg = "51";
    d.latMin = "29";
    Chart c = mustCompute(d);
    EXPECT_DOUBLE_EQ(c.julianDayUT, 2451545.0);
    EXPECT_NEAR(c.longitude[Sun], 280.37, 0.01);
    EXPECT_NEAR(c.longitude[Moon], 223.32, 0.05);
    EXPECT_NEAR(c.speed[Sun], 1.019, 0.001);
}

TEST(Positions, ChartOrderPutsTheMoonTenth) {
    Chart c = mustCompute(anna());
    double xx[6];
    char serr[256];
    swe_calc_ut(c.julianDayUT, SE_MOON, 258, xx, serr);
    EXPECT_DOUBLE_EQ(c.longitude[10], xx[0]);
    swe_calc_ut(c.julianDayUT, SE_MERCURY, 258, xx, serr);
    EXPECT_DOUBLE_EQ(c.longitude[2], xx[0]);
    EXPECT_EQ(c.retroFlags.size(), 16u);
    EXPECT_EQ(c.cuspRing[1], c.cusps[10]);
    EXPECT_EQ(c.cuspRing[4], c.cusps[1]);
    EXPECT_EQ(c.cuspRing[12], c.cusps[9]);
    EXPECT_EQ(c.cuspRing[13], 0.0);
}

TEST(Positions, PolarLatitudesFallBackToAnotherHouseSystemAndSaySo) {
    BirthData d = anna();
    d.latDeg = "69";
    d.latMin = "39"; // Tromsø
    d.month = "12";
    Chart c = mustCompute(d);
    double cusps[13], ascmc[10];
    int rc = swe_houses(c.julianDayUT, c.geoLatitude, c.geoLongitude, 'O', cusps, ascmc);
    ASSERT_GE(rc, 0);
    if (!c.housesFallback)
        GTEST_SKIP() << "Placidus was computable here";
    EXPECT_EQ(c.houseSystem, 'O');
    for (int k = 1; k <= 12; ++k)
        EXPECT_DOUBLE_EQ(c.cusps[size_t(k)], cusps[k]);

    Chart budapest = mustCompute(anna());
    EXPECT_FALSE(budapest.housesFallback);
    EXPECT_EQ(budapest.houseSystem, 'P');
}

TEST(Positions, BodiesStandAtTheTrueInstantNotDeltaTEarlier) {
    // The library's own route to the same instant: ephemeris time is
    // Universal Time plus delta T.
    BirthData d = anna();
    const double years[] = {1800, 1900, 1973, 2000, 2100, 1000};
    for (double y : years) {
        d.year = std::to_string(int(y));
        Chart c = mustCompute(d);
        const double tt = c.julianDayUT + swe_deltat(c.julianDayUT);
        for (int b : {Sun, Moon, Mars}) {
            double xx[6];
            char serr[256];
            swe_calc(tt, b == Sun ? SE_SUN : b == Moon ? SE_MOON : SE_MARS, 258, xx, serr);
            EXPECT_NEAR(c.longitude[size_t(b)], xx[0], 1e-7) << "year " << y << " body " << b;
        }
    }
    // Delta T was about 64 s in 2000: the Moon moves half an arc minute in it.
    Chart c = mustCompute(anna());
    double xx[6];
    char serr[256];
    swe_calc(c.julianDayUT, SE_MOON, 258, xx, serr);
    EXPECT_GT(std::fabs(c.longitude[Moon] - xx[0]), 10.0 / 3600);
}

TEST(Positions, DatesOutsideTheDataFilesNameTheirYears) {
    namespace fs = std::filesystem;
    // Only the 1800-2399 pair of files: the range follows what the folder holds.
    fs::path home = fs::temp_directory_path() / "velorin-engine-range";
    fs::remove_all(home);
    fs::create_directories(home / "ephems");
    for (const char* f : {"sepl_18.se1", "semo_18.se1", "seplm06.se1"})
        std::ofstream(home / "ephems" / f) << "x";
    initEngine(home.string());
    ASSERT_TRUE(ephemerisYears());
    EXPECT_EQ(ephemerisYears()->first, 1800);
    EXPECT_EQ(ephemerisYears()->last, 2399);
    BirthData d = anna();
    d.year = "1799";
    d.month = "12";
    d.day = "31";
    d.hour = "11";
    d.am = false; // 23:00 local, 21:00 UT: still 1799
    ChartOutcome o = computeChart(d, EngineSettings());
    ASSERT_FALSE(o.ok());
    EXPECT_EQ(o.error.field, BirthField::Year);
    for (const char* part : {"1799", "1800", "2399"})
        EXPECT_NE(o.error.message.find(part), std::string::npos) << o.error.message;
    fs::remove_all(home);

    // The installed files: the whole range of years the suite promises.
    initEngine("/nonexistent-program-folder");
    ASSERT_TRUE(ephemerisYears()) << "no ephemeris files in " << ephemerisFolder();
    if (ephemerisYears()->first > 1000 || ephemerisYears()->last < 3000)
        GTEST_SKIP() << "only the basic ephemeris files are installed";
    EXPECT_EQ(ephemerisYears()->first, -5400);
    EXPECT_EQ(ephemerisYears()->last, 5399);
    for (const char* year : {"1000", "3000", "-5400", "5399"}) {
        d.year = year;
        d.month = "6";
        EXPECT_TRUE(computeChart(d, EngineSettings()).ok()) << year;
    }
    d.year = "5400";
    o = computeChart(d, EngineSettings());
    ASSERT_FALSE(o.ok());
    EXPECT_NE(o.error.message.find("-5400 – 5399"), std::string::npos) << o.error.message;
}

TEST(Positions, EphemerisFolderFallsBackToTheSystemFolder) {
    namespace fs = std::filesystem;
    fs::path home = fs::temp_directory_path() / "velorin-engine-home";
    fs::remove_all(home);
    fs::create_directories(home);
    EXPECT_NE(initEngine(home.string()), (home / "ephems").string());
    fs::create_directories(home / "ephems");
    EXPECT_EQ(initEngine(home.string()), (home / "ephems").string());
    fs::remove_all(home);
    initEngine("/nonexistent-program-folder");
    EXPECT_TRUE(fs::exists(ephemerisFolder() + "/sepl_18.se1")) << ephemerisFolder();
}

TEST(Positions, NormalizeIntoTheCircle) {
    EXPECT_DOUBLE_EQ(normalize360(-10), 350);
    EXPECT_DOUBLE_EQ(normalize360(-360), 0);
    EXPECT_DOUBLE_EQ(normalize360(725), 5);
    EXPECT_DOUBLE_EQ(normalize360(-0.5), 359.5);
    EXPECT_DOUBLE_EQ(normalize360(360), 0);
}

// The library's English never reaches a user; the data file it names does.
TEST(Positions, ALibraryFailureIsSaidInHungarianWithItsDataFile) {
    const struct {
        const char* body;
        const char* library;
        const char* said;
    } cases[] = {
        {"HOLD", "SwissEph file 'semo_18.se1' not found in PATH '/usr/share/sweph/'",
         "A csillagászati számítás nem sikerült (HOLD): a(z) semo_18.se1 adatfájl hiányzik vagy "
         "sérült."},
        {"HOLD", "error in file '/opt/eph/seas_18.se1': damaged",
         "A csillagászati számítás nem sikerült (HOLD): a(z) seas_18.se1 adatfájl hiányzik "
         "vagy sérült."},
        {"NAP", "illegal planet number", "A csillagászati számítás nem sikerült (NAP)."},
        {"NAP", "", "A csillagászati számítás nem sikerült (NAP)."},
        {"NAP", "file sepl_18.se1' cut", "A csillagászati számítás nem sikerült (NAP)."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ephemerisFailureText(c.body, c.library), c.said) << c.library;
}

} // namespace
