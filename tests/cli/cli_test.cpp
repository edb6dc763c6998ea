// The velorin chart command end to end: files in, bytes and exit codes out.

#include "cli/commands.h"

#include "engine/angles.h"
#include "engine/numbers.h"
#include "platform/clock.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <ctime>
#include <sstream>

using namespace velorin;
using namespace velorin::cli;

namespace {

QTemporaryDir* g_home = nullptr;

struct Result {
    int status;
    std::string out;
    std::string err;
};

Result chart(Args args) {
    std::ostringstream out, err;
    int status = runChart(args, out, err);
    return {status, out.str(), err.str()};
}

std::string writeChart(const QByteArray& bytes, const QString& name = "anna.ast") {
    QString path = g_home->filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path.toStdString();
}

// Anna, 26 February 1973, 2:50 A.M. at UTC+2, 22°45' E 47°25' N, a woman, in
// the old layout's order with the sex after the half of day.
const QByteArray kAnna = "\"Anna\",\"1973\",\"2\",\"26\",\"2\",\"50\",\"47\",\"25\",\"22\",\"45\","
                         "\"-2\",0,\"  Ikrek k\xF6z\xFCl az els\xF5 \",#TRUE#,\"N\xF5\"\r\n";

TEST(ChartCommand, ListingCodesAndSheetAgree) {
    std::string file = writeChart(kAnna);
    Result listing = chart({file, "--listing"});
    ASSERT_EQ(listing.status, 0) << listing.err;
    EXPECT_EQ(listing.out.find('\r'), std::string::npos);
    EXPECT_EQ(listing.out.rfind(" 10 ház ", 0), 0u);

    Result codes = chart({file, "--codes"});
    ASSERT_EQ(codes.status, 0);
    EXPECT_EQ(codes.out.rfind("ELOSZO0\nELOSZO\nN_NAPHAK\nNAPHA-\n", 0), 0u)
        << codes.out.substr(0, 80);

    Result sheet = chart({file, "--sheet"});
    ASSERT_EQ(sheet.status, 0);
    EXPECT_EQ(sheet.out.rfind(
                  "Anna\n1973.2.26 2:50\n[22:45 - K , 47:25 - É, IZ: -2]\n\n\n" + listing.out, 0),
              0u);
    EXPECT_NE(sheet.out.find(listing.out + "\nIkrek közül az első"), std::string::npos);
}

TEST(ChartCommand, JsonCarriesTheChartInFullPrecision) {
    std::string file = writeChart(kAnna);
    Result run = chart({file, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    QJsonParseError perr;
    QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(run.out), &perr);
    ASSERT_EQ(perr.error, QJsonParseError::NoError) << run.out.substr(0, 200);
    QJsonObject o = doc.object();
    EXPECT_DOUBLE_EQ(o["utHour"].toDouble(), 50.0 / 60);
    EXPECT_DOUBLE_EQ(o["geoLatitude"].toDouble(), 47.4166666666667);
    EXPECT_EQ(o["houseSystem"].toString(), "P");
    QJsonArray bodies = o["bodies"].toArray();
    ASSERT_EQ(bodies.size(), 16);
    EXPECT_EQ(bodies[0].toObject()["name"].toString(), "NAP");
    EXPECT_EQ(bodies[9].toObject()["name"].toString(), "HOLD");
    EXPECT_EQ(o["cusps"].toArray().size(), 12);
    for (const QJsonValue& a : o["aspects"].toArray()) {
        EXPECT_TRUE(a.toObject()["code"].toString().startsWith("N_"));
        EXPECT_LT(a.toObject()["i"].toInt(), a.toObject()["j"].toInt());
    }
}

TEST(ChartCommand, BadInputGivesOneLineAndStatusOne) {
    Result missing = chart({g_home->filePath("nincs.ast").toStdString(), "--listing"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("nincs.ast"), std::string::npos);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1);

    QByteArray emptyDay = QByteArray(kAnna).replace("\"26\"", "\"\"");
    Result noDay = chart({writeChart(emptyDay, "noday.ast"), "--json"});
    EXPECT_EQ(noDay.status, 1);
    EXPECT_NE(noDay.err.find("Helytelen adat: NAP"), std::string::npos) << noDay.err;
    EXPECT_TRUE(noDay.out.empty());

    Result truncated = chart({writeChart(kAnna.left(30), "cut.ast"), "--codes"});
    EXPECT_EQ(truncated.status, 1);
}

TEST(ChartCommand, SeveralFilesGiveOneOutputEachAndABadOneStopsNothing) {
    const std::string anna = writeChart(kAnna);
    const std::string cut = writeChart(kAnna.left(30), "cut.ast");
    const std::string one = chart({anna, "--json"}).out;
    Result run = chart({anna, cut, g_home->filePath("nincs.ast").toStdString(), anna, "--json"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, one + one);
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 2) << run.err;
    EXPECT_NE(run.err.find("cut.ast"), std::string::npos);
    EXPECT_NE(run.err.find("nincs.ast"), std::string::npos);
    EXPECT_EQ(chart({anna, anna, "--wheel", g_home->filePath("w.png").toStdString()}).status, 2);
}

TEST(ChartCommand, UsageErrorsAreStatusTwo) {
    EXPECT_EQ(chart({}).status, 2);
    EXPECT_EQ(chart({"--now"}).status, 2);
    EXPECT_EQ(chart({"--now", "--listing", "--json"}).status, 2);
    EXPECT_EQ(chart({"--now", "--wheel"}).status, 2);
    EXPECT_EQ(chart({"--now", "--listing", "--size", "800x600"}).status, 2);
    EXPECT_EQ(chart({"--now", "--bogus"}).status, 2);
    EXPECT_EQ(chart({"--now", "--listing", "--home"}).status, 2);
    Result help = chart({"--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("--sheet"), std::string::npos);
}

TEST(ChartCommand, NowUsesTheClockAndTheDefaultPlace) {
    setClock(
        [] { return QDateTime(QDate(2009, 10, 31), QTime(15, 15), QTimeZone("Europe/Budapest")); });
    Result run = chart({"--now", "--sheet"});
    setClock({});
    ASSERT_EQ(run.status, 0);
    EXPECT_EQ(run.out.rfind("Ma\n2009.10.31 15:15\n[19:07 - K , 47:035 - É, IZ: -1]\n", 0), 0u)
        << run.out.substr(0, 80);
}

// The computer's clock reads 14:00 on 1 July in Budapest: 12:00 UT, whatever
// zone the form would have started with.
TEST(ChartCommand, NowIsCastForTheComputersZone) {
    const QByteArray oldTz = qgetenv("TZ");
    const bool hadTz = qEnvironmentVariableIsSet("TZ");
    qputenv("TZ", "Europe/Budapest");
    ::tzset();
    setClock([] { return QDateTime(QDate(2026, 7, 1), QTime(14, 0)); });
    const Result run = chart({"--now", "--json"});
    setClock({});
    if (hadTz)
        qputenv("TZ", oldTz);
    else
        qunsetenv("TZ");
    ::tzset();
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_DOUBLE_EQ(o["utHour"].toDouble(), 12.0) << run.out.substr(0, 120);
}

TEST(ChartCommand, OrbsComeFromTheSettingsStore) {
    std::string file = writeChart(kAnna);
    Result before = chart({file, "--codes"});
    QDir config(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velorin");
    config.mkpath(".");
    QFile ini(config.filePath("Velorin.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    QByteArray body = "[set]\n0=0\n45=0\n60=0\n90=0\n120=0\n135=0\n150=0\n180=0\n";
    for (int i = 0; i < 8; ++i)
        body += "aspcolor-" + QByteArray::number(i) + "=0\n";
    for (int i = 0; i < 4; ++i)
        body += "color-" + QByteArray::number(i) + "=0\n";
    body += "PAL=0\n";
    ini.write(body);
    ini.close();
    Result after = chart({file, "--codes"});
    config.removeRecursively();
    EXPECT_LT(after.out.size(), before.out.size()); // zero orbs: hardly any aspect left
}

// The option names the system for this run only; the store's choice stands
// otherwise, and a store without the key means Placidus.
TEST(ChartCommand, HouseSystemComesFromTheOptionOrTheStore) {
    std::string file = writeChart(kAnna);
    auto systemOf = [&](Args args) {
        args.insert(args.begin(), {file, "--json"});
        Result r = chart(args);
        EXPECT_EQ(r.status, 0) << r.err;
        QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
        return std::make_pair(o["houseSystem"].toString().toStdString(),
                              o["cusps"].toArray()[1].toDouble());
    };
    const auto placidus = systemOf({});
    EXPECT_EQ(placidus.first, "P");
    for (const char* letter : {"K", "R", "C", "O", "E", "W", "B", "M", "T"}) {
        const auto other = systemOf({"--houses", letter});
        EXPECT_EQ(other.first, letter);
        EXPECT_NE(other.second, placidus.second) << letter; // the 2nd cusp moves
    }
    EXPECT_EQ(systemOf({"--houses", "w"}).first, "W");

    const struct {
        Args args;
        const char* message;
    } bad[] = {
        {{file, "--json", "--houses"}, "a --houses után a házrendszer betűje kell"},
        {{file, "--json", "--houses", "X"}, "P Placidus, K Koch"},
        {{file, "--json", "--houses", "PK"}, "velorin chart:"},
    };
    for (const auto& b : bad) {
        Result r = chart(b.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_NE(r.err.find(b.message), std::string::npos) << r.err;
        EXPECT_TRUE(r.out.empty());
    }

    // Through the store itself: a raw rewrite of the same size within a
    // second can go unnoticed by its cache.
    for (const auto& [stored, expected] :
         {std::pair{"K", "K"}, {"e", "E"}, {"?", "P"}, {"Koch", "P"}, {"", "P"}}) {
        SettingsStore::set(kSettingsApp, "set", kHouseSystemKey, stored);
        EXPECT_EQ(systemOf({}).first, expected) << stored;
    }
    SettingsStore::set(kSettingsApp, "set", kHouseSystemKey, "T");
    EXPECT_EQ(systemOf({"--houses", "R"}).first, "R"); // the option beats the store
    SettingsStore::set(kSettingsApp, "set", kHouseSystemKey, "");
    Result listing = chart({file, "--listing"});
    EXPECT_EQ(listing.out.rfind(" 10 ház ", 0), 0u); // no key: Placidus, unnamed
    Result koch = chart({file, "--sheet", "--houses", "K"});
    EXPECT_NE(koch.out.find("\n\nHázrendszer: Koch\n 10 ház "), std::string::npos) << koch.out;
}

} // namespace

int main(int argc, char** argv) {
    QTemporaryDir home;
    g_home = &home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("VELORIN_HOME", (home.path() + "/program").toUtf8());
    qputenv("ASTRO_DATA", (home.path() + "/data").toUtf8());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include "platform/zones.h"

#include <random>
#include <swephexp.h>

namespace {

// Chart files of many people, one for every zone row, both layouts and both
// sexes: the JSON carries what the library gives for the instant that the
// birth data stand for.
TEST(ChartCommand, JsonMatchesTheLibraryForEveryZoneRow) {
    std::mt19937 rng(2100);
    const auto& rows = zoneRows();
    for (int row = 0; row < kZoneRowCount; ++row) {
        int year = 1800 + int(rng() % 301), month = 1 + int(rng() % 12), day = 1 + int(rng() % 28);
        int hour24 = int(rng() % 24), minute = int(rng() % 60);
        int latDeg = int(rng() % 126) - 60; // -60 .. 65
        int lonDeg = int(rng() % 180);
        bool old = row % 3 == 0, male = row % 2 == 0;
        TwelveHour th = twelveHourFor(hour24);
        QByteArray line = "\"P" + QByteArray::number(row) + "\",\"" + QByteArray::number(year) +
                          "\",\"" + QByteArray::number(month) + "\",\"" + QByteArray::number(day) +
                          "\",\"" + QByteArray::fromStdString(th.hour) + "\",\"" +
                          QByteArray::number(minute) + "\",\"" +
                          QByteArray::number(std::abs(latDeg)) + "\",\"30\",\"" +
                          QByteArray::number(lonDeg) + "\",\"15\",\"" + rows[size_t(row)].value +
                          "\",0,\"\"," + (th.am ? "#TRUE#" : "#FALSE#");
        if (!old)
            line += male ? ",\"F\xE9rfi\"" : ",\"N\xF5\"";
        if (!old && row % 4 == 1)
            line += latDeg < 0 ? ",#TRUE#,#FALSE#" : ",#TRUE#,#TRUE#";
        line += "\r\n";
        Result run = chart({writeChart(line, "row.ast"), "--json"});
        ASSERT_EQ(run.status, 0) << run.err << line.toStdString();
        QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
        SCOPED_TRACE(line.toStdString());

        double zone = strictNumber(rows[size_t(row)].value).value();
        double ut = float(hour24 + zone) + minute / 60.0;
        EXPECT_NEAR(o["julianDayUT"].toDouble(), swe_julday(year, month, day, ut, SE_GREG_CAL),
                    1e-7);
        bool eastern = row > kLastWesternRow;
        bool stored = !old && row % 4 == 1;
        double lat = (latDeg < 0 ? -1 : 1) * (std::abs(latDeg) + 0.5);
        double expectedLat = stored ? (latDeg < 0 ? -std::abs(lat) : std::abs(lat))
                                    : (eastern ? std::abs(lat) : -std::abs(lat));
        EXPECT_NEAR(o["geoLatitude"].toDouble(), expectedLat, 1e-12);
        double jd = o["julianDayUT"].toDouble();
        double xx[6];
        char serr[256];
        swe_calc_ut(jd, SE_SUN, 258, xx, serr);
        QJsonObject sun = o["bodies"].toArray()[0].toObject();
        EXPECT_DOUBLE_EQ(sun["longitude"].toDouble(), xx[0]);
        EXPECT_DOUBLE_EQ(sun["speed"].toDouble(), xx[3]);
        swe_calc_ut(jd, SE_MOON, 258, xx, serr);
        EXPECT_DOUBLE_EQ(o["bodies"].toArray()[9].toObject()["longitude"].toDouble(), xx[0]);
        double cusps[13], ascmc[10];
        swe_houses(jd, o["geoLatitude"].toDouble(), o["geoLongitude"].toDouble(), 'P', cusps,
                   ascmc);
        EXPECT_DOUBLE_EQ(o["cusps"].toArray()[0].toDouble(), cusps[1]);
        EXPECT_DOUBLE_EQ(o["cusps"].toArray()[9].toDouble(), cusps[10]);
        for (const QJsonValue& a : o["aspects"].toArray())
            EXPECT_TRUE(a.toObject()["code"].toString().startsWith(male || old ? "F_" : "N_"));
    }
}

// Noon UT on 1 January 2000 at Greenwich. The library's positions for that
// instant, taken at ephemeris time JD 2451545.0 + delta T (63.8 s): the Moon
// stood 0.009° further on than at JD 2451545.0 read as ephemeris time.
TEST(ChartCommand, PositionsStandAtTheTrueInstantOverTheWholeRangeOfYears) {
    const QByteArray noon = "\"J2000\",\"2000\",\"1\",\"1\",\"12\",\"0\",\"51\",\"29\",\"0\",\"0\","
                            "\"0\",0,\"\",#FALSE#,\"F\xE9rfi\"\r\n";
    Result run = chart({writeChart(noon, "j2000.ast"), "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    EXPECT_DOUBLE_EQ(o["julianDayUT"].toDouble(), 2451545.0);
    const QJsonArray bodies = o["bodies"].toArray();
    EXPECT_NEAR(bodies[0].toObject()["longitude"].toDouble(), 280.368919, 0.001);
    EXPECT_NEAR(bodies[9].toObject()["longitude"].toDouble(), 223.323751, 0.001);

    for (const char* year : {"1000", "3000"}) {
        QByteArray other = QByteArray(noon).replace("\"2000\"", QByteArray("\"") + year + "\"");
        Result r = chart({writeChart(other, "other.ast"), "--json"});
        EXPECT_EQ(r.status, 0) << year << ": " << r.err;
    }
    QByteArray far = QByteArray(noon).replace("\"2000\"", "\"6000\"");
    Result beyond = chart({writeChart(far, "far.ast"), "--json"});
    EXPECT_EQ(beyond.status, 1);
    EXPECT_NE(beyond.err.find("-5400 – 5399"), std::string::npos) << beyond.err;
    EXPECT_NE(beyond.err.find("(ÉV)"), std::string::npos) << beyond.err;
    EXPECT_EQ(beyond.err.find("txt"), std::string::npos) << beyond.err;
}

} // namespace
