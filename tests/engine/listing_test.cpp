// The listing, the wheel's short texts and the interpretation codes, to the byte.

#include "tests/support/birthdata.h"

#include "engine/angles.h"
#include "engine/listing.h"
#include "engine/sheet.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace velorin;

namespace {

// Cusps with the Midheaven at exactly 270° and a retrograde Mercury.
Chart syntheticChart(bool male) {
    Chart c;
    c.male = male;
    const double natural[12] = {0.5,   30.5,  60.5,  90,  120.5, 150.5,
                                180.5, 210.5, 240.5, 270, 300.5, 330.5};
    for (int k = 1; k <= 12; ++k) {
        c.cusps[size_t(k)] = natural[k - 1];
        c.cuspRing[size_t(k <= 9 ? k + 3 : k - 9)] = natural[k - 1];
    }
    const double lon[17] = {0,   15.2349, 200.5, 45,  100, 130, 160, 190, 220,
                            250, 280,     305,   125, 95,  0.5, 270, 1};
    for (int b = 1; b <= 16; ++b)
        c.longitude[size_t(b)] = lon[b];
    c.speed[Mercury] = -0.5;
    c.retroFlags[Mercury - 1] = 'R';
    placeInHouses(c, 6);
    return c;
}

bool hasLine(const std::string& listing, const std::string& line) {
    return listing.find(line + "\r\n") != std::string::npos;
}

bool hasCode(const Chart& c, const std::string& code) {
    return std::find(c.codes.begin(), c.codes.end(), code) != c.codes.end();
}

TEST(Listing, CuspsPointsAndHousesToTheByte) {
    Chart c = syntheticChart(true);
    buildListing(c, Wording::ChartProgram);
    EXPECT_EQ(c.listing.rfind(" 10 ház BAK       0.00\r\n 11 ház", 0), 0u);
    EXPECT_TRUE(hasLine(c.listing, " 1 ház KOS       0.50"));
    EXPECT_TRUE(hasLine(c.listing, "NAP         KOS       15.23  "));
    EXPECT_TRUE(hasLine(c.listing, "MERKUR      MERLEG    20.50 R"));
    EXPECT_TRUE(hasLine(c.listing, "MERKUR      RETROGRAD"));
    EXPECT_TRUE(hasLine(c.listing, "NAP          1 házban"));
    EXPECT_EQ(c.houseTexts[10], " 10h-BAK 0.00\r\n");
    EXPECT_EQ(c.bodyTexts[0], "NAP -KOS 15.23  ");
    EXPECT_EQ(c.bodyTips[1], "MERKUR      MERLEG    20.50 R");

    // Points are listed Sun, Moon, Mercury … Midheaven; Chiron never.
    EXPECT_LT(c.listing.find("HOLD        BAK"), c.listing.find("MERKUR      MERLEG"));
    EXPECT_EQ(c.listing.find("\r\n\r\n"), std::string::npos);
    int pointLines = 0;
    for (size_t p = 0; (p = c.listing.find("\r\n", p)) != std::string::npos; p += 2)
        ++pointLines;
    EXPECT_EQ(pointLines, 12 + 15 + 1 + 13);
}

TEST(Listing, CodesInOrderWithTheirExceptions) {
    Chart c = syntheticChart(true);
    buildListing(c, Wording::ChartProgram);
    ASSERT_GE(c.codes.size(), 4u);
    EXPECT_EQ(c.codes[0], "F_NAPKOK");
    EXPECT_EQ(c.codes[1], "NAPKO-");
    EXPECT_EQ(c.codes[2], "F_HOLBAK");
    EXPECT_TRUE(hasCode(c, "F_MERRR"));
    EXPECT_TRUE(hasCode(c, "F_MERMEK"));
    EXPECT_TRUE(hasCode(c, "F_NAP01K"));
    EXPECT_TRUE(hasCode(c, "F_ASCKOK")); // sign codes for Ascendant and Midheaven
    EXPECT_TRUE(hasCode(c, "F_MC_BAK"));
    // The South Node shares "SAR" with the North Node: only one sign, karmic
    // and house code each may carry it.
    EXPECT_EQ(
        std::count_if(c.codes.begin(), c.codes.end(),
                      [](const std::string& x) { return x.find("SAR") != std::string::npos; }),
        3);
    EXPECT_FALSE(hasCode(c, "F_ASC04K")); // no house code for the angles
    EXPECT_FALSE(hasLine(c.listing, "ASC          4 házban"));
    EXPECT_TRUE(hasLine(c.listing, "SARKFAROK    5 házban"));

    // Sign codes come first, then the house codes; a direct planet has no RR.
    auto pos = [&](const std::string& code) {
        return std::find(c.codes.begin(), c.codes.end(), code) - c.codes.begin();
    };
    EXPECT_LT(pos("F_MC_BAK"), pos("F_NAP01K"));
    EXPECT_FALSE(hasCode(c, "F_NAPRR"));
}

TEST(Listing, FemaleChartsAndUnplacedPoints) {
    Chart c = syntheticChart(false);
    c.houses[Venus] = 0; // Venus matched no house
    buildListing(c, Wording::ChartProgram);
    for (const std::string& code : c.codes)
        EXPECT_TRUE(code.substr(0, 2) == "N_" || code.back() == '-') << code;
    EXPECT_TRUE(hasLine(c.listing, "VENUSZ       0 házban"));
    EXPECT_TRUE(hasCode(c, "N_VEN00K"));
}

TEST(Listing, SynastryWordingHasNoCodesOrRetrogradeLines) {
    Chart c = syntheticChart(true);
    buildListing(c, Wording::Synastry);
    EXPECT_TRUE(hasLine(c.listing, " 10 haz: BAK       0.00"));
    EXPECT_TRUE(hasLine(c.listing, "NAP          1 hazban"));
    EXPECT_FALSE(hasLine(c.listing, "MERKUR      RETROGRAD"));
    EXPECT_TRUE(c.codes.empty());
    EXPECT_TRUE(c.houseTexts[10].empty());
}

TEST(Sheet, HeaderCaptionsAndNotes) {
    BirthData d = test::anna();
    d.hour24 = "2";
    d.notes = "  Ikrek közül az első  ";
    EXPECT_EQ(sheetHeader(d), "Anna\r\n1973.2.26 2:50\r\n[22:45 - K , 47:25 - É, IZ: -2]\r\n\r\n");
    EXPECT_EQ(sheetTitleEntry(d), "Anna (1973.2.26 2:50)");
    EXPECT_EQ(birthCaption(d), "Anna [1973.2.26 2:50] [22 45 K  47 25 É  (-2)]");
    EXPECT_EQ(windowTitle(d), "Tarvessa [Anna]");
    Chart c = test::mustCompute(d);
    appendAspects(c, EngineSettings());
    std::string sheet = dataSheet(d, c);
    EXPECT_EQ(sheet.rfind("\r\nIkrek közül az első"),
              sheet.size() - std::string("\r\nIkrek közül az első").size());
    EXPECT_EQ(sheet.find(sheetHeader(d) + "\r\n" + c.listing), 0u);

    d.east = false;
    d.north = false;
    d.hour24.clear(); // derived from the 12-hour pair
    d.am = false;
    EXPECT_EQ(locationText(d), "[22:45 - NY , 47:25 - D, IZ: -2]");
    EXPECT_EQ(sheetTitleEntry(d), "Anna (1973.2.26 14:50)");
}

} // namespace

namespace {

// A chart made without texts must carry the very numbers, houses and aspects
// of the full one: the JSON of a batch is written from it.
TEST(ChartWithoutTexts, SameNumbersHousesAndAspects) {
    struct Case {
        const char* year;
        const char* month;
        const char* zone;
        char houses;
        bool showAsc;
    };
    const Case cases[] = {
        {"1973", "2", "-2", 'P', false},
        {"1900", "12", "0", 'K', true},
        {"2031", "7", "5", 'W', false},
        {"1755", "6", "-5,5", 'E', true},
    };
    for (const Case& k : cases) {
        BirthData d = test::anna();
        d.year = k.year;
        d.month = k.month;
        d.zone = k.zone;
        EngineSettings full;
        full.houseSystem = k.houses;
        full.showAsc = k.showAsc;
        EngineSettings bare = full;
        bare.texts = false;
        Chart a = test::mustCompute(d, full);
        Chart b = test::mustCompute(d, bare);
        appendAspects(a, full);
        appendAspects(b, bare);
        SCOPED_TRACE(k.year);
        EXPECT_EQ(a.longitude, b.longitude);
        EXPECT_EQ(a.speed, b.speed);
        EXPECT_EQ(a.cusps, b.cusps);
        EXPECT_EQ(a.houses, b.houses);
        EXPECT_EQ(a.retroFlags, b.retroFlags);
        ASSERT_EQ(a.aspects.size(), b.aspects.size());
        EXPECT_FALSE(a.aspects.empty());
        for (size_t n = 0; n < a.aspects.size(); ++n)
            EXPECT_TRUE(a.aspects[n].first == b.aspects[n].first &&
                        a.aspects[n].second == b.aspects[n].second &&
                        a.aspects[n].kind == b.aspects[n].kind);
        EXPECT_FALSE(a.listing.empty());
        EXPECT_TRUE(b.listing.empty() && b.codes.empty() && b.houseTexts[1].empty());
    }
}

} // namespace
