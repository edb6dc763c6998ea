// The atlas file: what the writer puts in is what a search finds, other
// names included; a damaged or hostile file is refused with a message naming
// it, whether the fault lies in what the opening checks or in what a search
// reads later, and nothing crashes.

#include "atlas/atlas.h"
#include "atlas/atlaswriter.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

using namespace velorin;

namespace {

AtlasSourcePlace source(const char* name, const char* country, const char* region,
                        std::uint32_t population, const char* zone, QStringList others = {}) {
    AtlasSourcePlace s;
    s.place.name = QString::fromUtf8(name);
    s.place.country = country;
    s.place.region = QString::fromUtf8(region);
    s.place.latitude = 46.0708;
    s.place.longitude = 18.2328;
    s.place.population = population;
    s.place.zone = zone;
    s.otherNames = others;
    return s;
}

// Largest first, as the atlas keeps them.
std::vector<AtlasSourcePlace> sources() {
    return {
        source("Cluj-Napoca", "RO", "Cluj County", 316748, "Europe/Bucharest",
               {"CLJ", "Cluj", "Kolozsvar", "Kolozšvár", "Kolozsvár", "Клуж-Напока", "Cluj-Napoca",
                "Klausenburg"}),
        source("Pécs", "HU", "Baranya", 145347, "Europe/Budapest", {"Fünfkirchen", "Pečuh"}),
        source("Pécsbánya", "HU", "Baranya", 5000, "Europe/Budapest"),
        source("Cojocna", "RO", "Cluj County", 4336, "Europe/Bucharest", {"Kolozs"}),
        source("Pécsvárad", "HU", "Baranya", 2800, "Europe/Budapest", {"Pecs"}),
        source("Klausenburg-Süd", "RO", "", 100, "Europe/Bucharest"),
    };
}

QByteArray validFile() {
    QString error;
    const auto bytes = atlasFileBytes(sources(), &error);
    EXPECT_TRUE(bytes) << error.toStdString();
    return bytes.value_or(QByteArray());
}

quint32 get32(const QByteArray& b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

void set32(QByteArray& b, qsizetype at, quint32 v) {
    v = qToLittleEndian(v);
    b.replace(at, 4, reinterpret_cast<const char*>(&v), 4);
}

// Where each table of a file begins.
struct Layout {
    explicit Layout(const QByteArray& b)
        : places(64), zones(places + 20 * qsizetype(get32(b, 12))),
          regions(zones + 4 * qsizetype(get32(b, 20))),
          index(regions + 6 * qsizetype(get32(b, 16))), text(index + 12 * qsizetype(get32(b, 24))),
          keys(text + qsizetype(get32(b, 28))), entries(get32(b, 24)) {}
    qsizetype places, zones, regions, index, text, keys;
    quint32 entries;
    // The first letter of place i's name.
    qsizetype nameOf(const QByteArray& b, int i) const {
        return text + get32(b, places + 20 * i) + 1;
    }
    // The first index entry of another name.
    qsizetype otherEntry(const QByteArray& b) const {
        for (quint32 e = 0; e < entries; ++e)
            if (get32(b, index + 12 * e + 4) & 0x8000'0000u)
                return index + 12 * e;
        return -1;
    }
};

class AtlasFile : public ::testing::Test {
protected:
    QString write(const QByteArray& bytes) {
        const QString path = dir.filePath("places.vat");
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(bytes);
        return path;
    }
    QTemporaryDir dir;
};

QStringList shown(const std::vector<Place>& found) {
    QStringList names;
    for (const Place& p : found)
        names << p.shownName();
    return names;
}

TEST_F(AtlasFile, FindsPlacesByTheirOwnAndOtherNames) {
    QString error;
    const auto atlas = Atlas::load(write(validFile()), &error);
    ASSERT_TRUE(atlas) << error.toStdString();
    struct Case {
        const char* query;
        int limit;
        QStringList expected;
    };
    const Case cases[] = {
        // Found through the folded form, shown in its Hungarian spelling.
        {"kolozsvar", 10, {"Cluj-Napoca (Kolozsvár)"}},
        // A whole other name before a longer one, however large that place.
        {"KOLOZS", 10, {"Cojocna (Kolozs)", "Cluj-Napoca (Kolozsvár)"}},
        // The own name matching, the place is shown by it, once.
        {"cluj", 10, {"Cluj-Napoca"}},
        // Other names only add places: Pécsvárad's other name "Pecs" is
        // whole, but its own name puts it after the larger Pécsbánya.
        {"pecs", 10, {"Pécs", "Pécsbánya", "Pécsvárad"}},
        {"funf", 10, {"Pécs (Fünfkirchen)"}},
        {"pecu", 10, {"Pécs (Pečuh)"}},
        {"klausenburg", 10, {"Cluj-Napoca (Klausenburg)", "Klausenburg-Süd"}},
        // Each place once however many of its names match, largest first.
        {"k", 10, {"Cluj-Napoca (Klausenburg)", "Cojocna (Kolozs)", "Klausenburg-Süd"}},
        {"k", 2, {"Cluj-Napoca (Klausenburg)", "Cojocna (Kolozs)"}},
        // Codes and other scripts are not indexed.
        {"clj", 10, {}},
        {"Клуж", 10, {}},
        {"", 10, {}},
        {"pecs", 0, {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(shown(atlas->search(QString::fromUtf8(c.query), c.limit)), c.expected)
            << c.query << " " << c.limit;
    const Place cluj = atlas->search(u"kolozsvár", 1).at(0);
    EXPECT_EQ(cluj.name, "Cluj-Napoca");
    EXPECT_EQ(cluj.otherName, "Kolozsvár");
    EXPECT_EQ(cluj.region, "Cluj County");
    EXPECT_EQ(cluj.zone, "Europe/Bucharest");
    EXPECT_DOUBLE_EQ(cluj.latitude, 46.0708);
    EXPECT_DOUBLE_EQ(cluj.longitude, 18.2328);
    EXPECT_EQ(atlas->size(), 6);
    EXPECT_EQ(atlas->place(5).name, "Klausenburg-Süd");
    EXPECT_TRUE(atlas->place(5).otherName.isEmpty());
    EXPECT_TRUE(atlas->place(6).name.isEmpty());
    EXPECT_TRUE(atlas->error().isEmpty()) << atlas->error().toStdString();
}

TEST(AtlasOtherNames, IndexesLatinNamesButNoCodes) {
    const std::pair<const char*, bool> cases[] = {
        {"Kolozsvár", true},    {"Pozsony", true},          {"Kluž-Napoka", true},
        {"Sankt Pölten", true}, {"Pest-Buda", true},        {"CLJ", false},
        {"BUD", false},         {"12345", false},           {"", false},
        {"Клуж-Напока", false}, {"克卢日", false},          {"Kolozsвар", false},
        {"Kolozs\tvár", false}, {"'s-Hertogenbosch", true},
    };
    for (const auto& [name, indexed] : cases)
        EXPECT_EQ(indexedOtherName(QString::fromUtf8(name)), indexed) << name;
}

TEST_F(AtlasFile, RefusesDamagedFiles) {
    using Damage = std::function<void(QByteArray&, const Layout&)>;
    const std::pair<const char*, Damage> cases[] = {
        // Found when the file is opened.
        {"empty file", [](QByteArray& b, const Layout&) { b.clear(); }},
        {"other file",
         [](QByteArray& b, const Layout&) { b = QByteArray("PK\x03\x04 not an atlas at all"); }},
        {"the packed file of before",
         [](QByteArray& b, const Layout&) {
             b = QByteArray("VLRATLAS") + QByteArray::fromHex("0000000100000040") +
                 QByteArray(64, 'x');
         }},
        {"one place too many",
         [](QByteArray& b, const Layout&) { set32(b, 12, get32(b, 12) + 1); }},
        {"no places", [](QByteArray& b, const Layout&) { set32(b, 12, 0); }},
        {"4 billion index entries", [](QByteArray& b, const Layout&) { set32(b, 24, ~0u); }},
        {"text bytes wrapping the length",
         [](QByteArray& b, const Layout&) { set32(b, 28, get32(b, 28) - 0x1'0000u); }},
        {"cut short", [](QByteArray& b, const Layout&) { b.chop(1); }},
        {"a byte more", [](QByteArray& b, const Layout&) { b.append('\0'); }},
        {"reserved header byte set", [](QByteArray& b, const Layout&) { b[40] = 1; }},
        // Found when a search or a place first reads it.
        {"zone name with a path escape",
         [](QByteArray& b, const Layout& l) {
             b.replace(l.text + get32(b, l.zones) + 1, 3, "../");
         }},
        {"zone name outside the texts",
         [](QByteArray& b, const Layout& l) { set32(b, l.zones, 0xffff'fff0u); }},
        {"lower-case country", [](QByteArray& b, const Layout& l) { b[l.regions] = 'r'; }},
        {"tab in a region name",
         [](QByteArray& b, const Layout& l) { b[l.text + get32(b, l.regions + 2) + 2] = '\t'; }},
        {"NUL in a zone name",
         [](QByteArray& b, const Layout& l) { b[l.text + get32(b, l.zones) + 3] = '\0'; }},
        {"line feed in a place name",
         [](QByteArray& b, const Layout& l) { b[l.nameOf(b, 2) + 2] = '\n'; }},
        {"broken UTF-8 in a name",
         [](QByteArray& b, const Layout& l) { b[l.nameOf(b, 1) + 1] = char(0xff); }},
        {"NUL in a place name", [](QByteArray& b, const Layout& l) { b[l.nameOf(b, 3)] = '\0'; }},
        {"DEL in a place name",
         [](QByteArray& b, const Layout& l) { b[l.nameOf(b, 5) + 1] = char(0x7f); }},
        {"name outside the texts",
         [](QByteArray& b, const Layout& l) { set32(b, l.places + 20, 0x7fff'ffffu); }},
        {"name running past the texts",
         [](QByteArray& b, const Layout& l) { set32(b, l.places + 20, get32(b, 28) - 2); }},
        {"latitude beyond the pole",
         [](QByteArray& b, const Layout& l) { set32(b, l.places + 20 + 4, 9'100'000); }},
        {"zone index out of range",
         [](QByteArray& b, const Layout& l) { b[l.places + 20 + 18] = 7; }},
        {"region index out of range",
         [](QByteArray& b, const Layout& l) { b[l.places + 20 + 16] = 9; }},
        {"index entry pointing past the places",
         [](QByteArray& b, const Layout& l) { set32(b, l.otherEntry(b) + 4, 0x8000'0040u); }},
        {"key outside the keys",
         [](QByteArray& b, const Layout& l) {
             for (quint32 e = 0; e < l.entries; ++e)
                 set32(b, l.index + 12 * e, 0xffff'0000u);
         }},
        {"other name outside the texts",
         [](QByteArray& b, const Layout& l) {
             for (quint32 e = 0; e < l.entries; ++e)
                 set32(b, l.index + 12 * e + 8, 0xffff'0000u);
         }},
    };
    // The refusal is the program's one message: no library warning before it.
    static QStringList warnings;
    warnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& text) { warnings << text; });
    const QByteArray valid = validFile();
    for (const auto& [what, damage] : cases) {
        QByteArray bytes = valid;
        damage(bytes, Layout(valid));
        const QString path = write(bytes);
        QString error;
        const auto atlas = Atlas::load(path, &error);
        if (atlas) {
            // Read everything once, as searches over time would.
            for (int i = 0; i < atlas->size(); ++i)
                atlas->place(i);
            for (const char16_t* q : {u"k", u"p", u"c", u"f", u"kolozsvar"})
                atlas->search(QStringView(q), 10);
            error = atlas->error();
            // Refused whole: what was sound before finds nothing now.
            EXPECT_TRUE(atlas->search(u"cluj", 10).empty()) << what;
            EXPECT_TRUE(atlas->place(0).name.isEmpty()) << what;
        }
        EXPECT_TRUE(error.contains(path)) << what << ": " << error.toStdString();
        EXPECT_TRUE(error.contains("nem olvasható")) << what << ": " << error.toStdString();
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warnings.isEmpty()) << warnings.join('\n').toStdString();
}

TEST_F(AtlasFile, OpensRegularFilesOnly) {
    QString error;
    EXPECT_FALSE(Atlas::load(dir.path(), &error));
    EXPECT_TRUE(error.contains("nem közönséges fájl")) << error.toStdString();
    EXPECT_FALSE(Atlas::load(dir.filePath("missing.vat"), &error));
    EXPECT_TRUE(error.contains("nem létezik")) << error.toStdString();
}

TEST(AtlasWriter, RefusesWhatTheFileCannotHold) {
    const std::pair<const char*, std::function<void(AtlasSourcePlace&)>> cases[] = {
        {"name of 256 bytes", [](AtlasSourcePlace& s) { s.place.name = QString(256, u'a'); }},
        {"empty name", [](AtlasSourcePlace& s) { s.place.name.clear(); }},
        {"line feed in a name", [](AtlasSourcePlace& s) { s.place.name = "Pé\ncs"; }},
        {"latitude beyond the pole", [](AtlasSourcePlace& s) { s.place.latitude = 91; }},
        {"three-letter country", [](AtlasSourcePlace& s) { s.place.country = "HUN"; }},
    };
    for (const auto& [what, change] : cases) {
        auto places = sources();
        change(places[1]);
        QString error;
        EXPECT_FALSE(atlasFileBytes(places, &error)) << what;
        EXPECT_FALSE(error.isEmpty()) << what;
    }
    // An other name that cannot be held is left out, not the place.
    auto places = sources();
    places[1].otherNames << QString(300, u'x') << "Pé\tcs";
    EXPECT_TRUE(atlasFileBytes(places, nullptr));
}

} // namespace
