// Search in the committed atlas: accents and case ignored, largest first,
// and the Hungarian towns users will look for, by their Hungarian names too.

#include "atlas/atlas.h"

#include <QSet>
#include <QTimeZone>
#include <gtest/gtest.h>

using namespace velorin;

namespace {

const Atlas& atlas() {
    static const std::unique_ptr<Atlas> a = [] {
        QString error;
        auto loaded = Atlas::load(VELORIN_ATLAS_FILE, &error);
        EXPECT_TRUE(loaded) << error.toStdString();
        return loaded;
    }();
    return *a;
}

TEST(AtlasSearch, FindsWhatIsTypedWithoutAccents) {
    struct Case {
        const char* query;
        const char* first;
        const char* country;
    };
    const Case cases[] = {
        {"hodmezo", "Hódmezővásárhely", "HU"},
        {"HÓDMEZŐVÁSÁRHELY", "Hódmezővásárhely", "HU"},
        {"kiskunfelegyhaza", "Kiskunfélegyháza", "HU"},
        {"Mezokovesd", "Mezőkövesd", "HU"},
        {"tiszaujvaros", "Tiszaújváros", "HU"},
        {"budapest", "Budapest", "HU"},
        {"koln", "Köln", "DE"},
        {"saint etienne", "Saint-Étienne", "FR"},
        {"  szeged ", "Szeged", "HU"},
    };
    for (const Case& c : cases) {
        const auto found = atlas().search(QString::fromUtf8(c.query), 5);
        ASSERT_FALSE(found.empty()) << c.query;
        EXPECT_EQ(found[0].name, QString::fromUtf8(c.first)) << c.query;
        EXPECT_EQ(found[0].country, c.country) << c.query;
    }
    const Place szeged = atlas().search(u"szeged", 1).at(0);
    EXPECT_EQ(szeged.zone, "Europe/Budapest");
    EXPECT_EQ(szeged.region, "Csongrád-Csanád");
    EXPECT_NEAR(szeged.latitude, 46.25, 0.05);
    EXPECT_NEAR(szeged.longitude, 20.15, 0.05);
}

TEST(AtlasSearch, FindsTownsByTheirHungarianNames) {
    struct Case {
        const char* query;
        const char* name;
        const char* otherName;
        const char* country;
    };
    const Case cases[] = {
        {"Kolozsvár", "Cluj-Napoca", "Kolozsvár", "RO"},
        {"kolozsvar", "Cluj-Napoca", "Kolozsvár", "RO"},
        {"Pozsony", "Bratislava", "Pozsony", "SK"},
        {"Bécs", "Vienna", "Bécs", "AT"},
        {"Párizs", "Paris", "Párizs", "FR"},
        {"Nagyvárad", "Oradea", "Nagyvárad", "RO"},
        {"Szabadka", "Subotica", "Szabadka", "RS"},
        {"Kassa", "Košice", "Kassa", "SK"},
        // The Hungarian spelling of the names that search alike.
        {"Temesvar", "Timişoara", "Temesvár", "RO"},
        // By its own name the place shows no other one.
        {"Cluj", "Cluj-Napoca", "", "RO"},
        {"Wien", "Vienna", "Wien", "AT"},
    };
    for (const Case& c : cases) {
        const auto found = atlas().search(QString::fromUtf8(c.query), 1);
        ASSERT_EQ(found.size(), 1u) << c.query;
        EXPECT_EQ(found[0].name, QString::fromUtf8(c.name)) << c.query;
        EXPECT_EQ(found[0].otherName, QString::fromUtf8(c.otherName)) << c.query;
        EXPECT_EQ(found[0].country, c.country) << c.query;
    }
    // Codes and other scripts of the same places find nothing by themselves.
    for (const char16_t* q : {u"CLJ", u"Клуж", u"ブラチスラヴァ"}) {
        for (const Place& p : atlas().search(QStringView(q), 100))
            EXPECT_TRUE(p.otherName.isEmpty() ||
                        QStringView(p.otherName).startsWith(QStringView(q), Qt::CaseInsensitive))
                << p.shownName().toStdString();
    }
}

TEST(AtlasSearch, LargestFirstWithinTheLimit) {
    const auto found = atlas().search(u"sankt", 50); // no place is called just that
    ASSERT_EQ(found.size(), 50u);
    for (size_t i = 1; i < found.size(); ++i)
        EXPECT_GE(found[i - 1].population, found[i].population) << i;
    // A whole name first, even of a village without a population figure.
    const auto tard = atlas().search(u"tard", 3);
    ASSERT_FALSE(tard.empty());
    EXPECT_EQ(tard[0].name, "Tard");
    EXPECT_EQ(tard[0].region, "Borsod-Abaúj-Zemplén");
    EXPECT_TRUE(atlas().search(u"", 10).empty());
    EXPECT_TRUE(atlas().search(u"   ", 10).empty());
    EXPECT_TRUE(atlas().search(u"budapest", 0).empty());
    EXPECT_TRUE(atlas().search(u"xqzxqzxq", 10).empty());
}

TEST(AtlasSearch, CoversTheWorldAndHungary) {
    EXPECT_GE(atlas().size(), 100000);
    int hungarian = 0;
    QSet<QString> zones;
    for (int i = 0; i < atlas().size(); ++i) {
        const Place p = atlas().place(i);
        hungarian += p.country == "HU";
        zones.insert(p.zone);
    }
    EXPECT_GT(hungarian, 850);
    // The file is used where it lies: what opening it costs in memory does
    // not grow with its 24 MB.
    EXPECT_LT(atlas().memoryBytes(), 1u << 20);
    // A zone the system's tz database lacks would leave its places without
    // any reading.
    for (const QString& z : zones)
        EXPECT_TRUE(QTimeZone(z.toUtf8()).isValid()) << z.toStdString();
}

} // namespace
