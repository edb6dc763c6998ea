// velorin transits, progressed and return end to end: the JSON shapes, the
// refusals, and instants that agree with the reference facts of the
// forecast library's tests.

#include "cli/commands.h"
#include "interpretation/codetable.h"
#include "platform/folders.h"
#include "platform/textfile.h"
#include "tests/support/clirun.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <sstream>

using namespace velorin;
using namespace velorin::cli;

namespace {

using Outcome = velorin::test::CommandRun;

using Command = int (*)(const Args&, std::ostream&, std::ostream&);

Outcome run(Command command, const Args& args) {
    return velorin::test::runCommand(command, args);
}

const QByteArray kAnna = "\"Anna\",\"1973\",\"2\",\"26\",\"2\",\"50\",\"47\",\"25\",\"22\",\"45\","
                         "\"-2\",0,\"\",#TRUE#,\"N\xF5\"\r\n";

std::string annaFile(const QTemporaryDir& dir) {
    QFile f(dir.filePath("anna.ast"));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kAnna);
    return f.fileName().toStdString();
}

double arcSecondsBetween(double a, double b) {
    return std::fabs(std::fmod(a - b + 540.0, 360.0) - 180.0) * 3600;
}

} // namespace

TEST(ForecastCommands, TransitsJsonHasTheFieldsOfEachKindInTimeOrder) {
    QTemporaryDir dir;
    const Outcome r = run(runTransits, {annaFile(dir), "--from", "2027-01-01", "--to", "2028-01-01",
                                        "--bodies", "1,2,6,10", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonArray events = r.json().array();
    ASSERT_GT(events.size(), 500);
    double last = 0;
    QSet<QString> kinds;
    for (const QJsonValue& v : events) {
        const QJsonObject e = v.toObject();
        const QString kind = e["kind"].toString();
        kinds.insert(kind);
        const double jd = e["julianDayUT"].toDouble();
        EXPECT_GE(jd, last);
        EXPECT_GE(jd, 2461406.5);
        EXPECT_LT(jd, 2461771.5);
        last = jd;
        EXPECT_TRUE(e["code"].toString().startsWith("TR_"));
        EXPECT_EQ(e["utc"].toString().size(), 20) << e["utc"].toString().toStdString();
        EXPECT_TRUE(e["retrograde"].isBool());
        const struct {
            const char* kind;
            QStringList fields;
        } shapes[] = {{"aspect", {"aspect", "natal"}},
                      {"house", {"house"}},
                      {"sign", {"sign"}},
                      {"station", {"direction"}}};
        for (const auto& s : shapes)
            for (const QString& f : s.fields)
                EXPECT_EQ(e.contains(f), kind == s.kind)
                    << kind.toStdString() << " " << f.toStdString();
    }
    EXPECT_EQ(kinds, (QSet<QString>{"aspect", "house", "sign", "station"}));
}

TEST(ForecastCommands, ReturnsLandOnTheNatalDegreeAndAYearHoldsFourteen) {
    QTemporaryDir dir;
    const std::string file = annaFile(dir);
    const Outcome natal = run(runChart, {file, "--json"});
    ASSERT_EQ(natal.status, 0) << natal.err;
    const QJsonArray natalBodies = natal.json().object()["bodies"].toArray();

    const Outcome solar = run(runReturn, {file, "--solar", "--year", "2027", "--json"});
    ASSERT_EQ(solar.status, 0) << solar.err;
    const QJsonObject s = solar.json().object();
    EXPECT_NEAR(s["julianDayUT"].toDouble(), 2461462.6389050623, 1e-6);
    EXPECT_EQ(s["utc"].toString(), "2027-02-26T03:20:01Z");
    EXPECT_LT(arcSecondsBetween(s["chart"]["bodies"][0]["longitude"].toDouble(),
                                natalBodies[0].toObject()["longitude"].toDouble()),
              0.01);

    const Outcome year = run(runReturn, {file, "--lunar", "--year", "2027", "--json"});
    ASSERT_EQ(year.status, 0) << year.err;
    const QJsonArray lunar = year.json().array();
    ASSERT_EQ(lunar.size(), 14);
    for (const QJsonValue& v : lunar)
        EXPECT_LT(arcSecondsBetween(v["chart"]["bodies"][9]["longitude"].toDouble(),
                                    natalBodies[9].toObject()["longitude"].toDouble()),
                  0.01);

    // Cast for another place: its coordinates, the same instant.
    const Outcome there =
        run(runReturn, {file, "--solar", "--year", "2027", "--place", "Budapest", "--json"});
    ASSERT_EQ(there.status, 0) << there.err;
    const QJsonObject t = there.json().object();
    EXPECT_EQ(t["julianDayUT"].toDouble(), s["julianDayUT"].toDouble());
    EXPECT_NEAR(t["chart"]["geoLatitude"].toDouble(), 47.498, 0.01);
    EXPECT_NEAR(t["chart"]["geoLongitude"].toDouble(), 19.040, 0.01);
    const Outcome listing =
        run(runReturn, {file, "--solar", "--year", "2027", "--place", "Budapest", "--listing"});
    ASSERT_EQ(listing.status, 0) << listing.err;
    // Budapest keeps winter time in February: UTC+1.
    EXPECT_EQ(listing.out.rfind("NAPVISSZATERES 2027-02-26T03:20:01Z (Budapest, helyi idő "
                                "2027-02-26 04:20:01 Europe/Budapest)\n",
                                0),
              0u)
        << listing.out.substr(0, 120);

    const Outcome march =
        run(runReturn, {file, "--lunar", "--year", "2027", "--month", "3", "--json"});
    ASSERT_EQ(march.status, 0) << march.err;
    EXPECT_NEAR(march.json().object()["julianDayUT"].toDouble(), 2461492.6992827794, 1e-6);
}

TEST(ForecastCommands, ProgressedJsonCarriesTheProgressedInstantAndArc) {
    QTemporaryDir dir;
    const Outcome r = run(runProgressed, {annaFile(dir), "--date", "2027-06-01", "--json"});
    ASSERT_EQ(r.status, 0) << r.err;
    const QJsonObject o = r.json().object();
    EXPECT_NEAR(o["progressedJulianDayUT"].toDouble(), 2441793.7945129364, 1e-9);
    EXPECT_NEAR(o["julianDayUT"].toDouble(), 2441793.7945129364, 1e-9);
    EXPECT_NEAR(o["bodies"][0]["longitude"].toDouble(), 31.0390507997, 1e-7);
    EXPECT_GT(o["solarArc"].toDouble(), 0);
    EXPECT_LT(o["solarArc"].toDouble(), 360);
    EXPECT_EQ(o["cusps"].toArray().size(), 12);
}

TEST(ForecastCommands, BadUsageAndImpossibleRequestsPrintNothingOnStandardOutput) {
    QTemporaryDir dir;
    const std::string f = annaFile(dir);
    const struct {
        Command command;
        Args args;
        int status;
    } rows[] = {
        {runTransits, {f, "--to", "2028-01-01"}, 2},
        {runTransits, {f, "--from", "2027-13-01", "--to", "2028-01-01"}, 2},
        {runTransits, {f, "--from", "2027-02-29", "--to", "2028-01-01"}, 2},
        {runTransits, {f, "--from", "2027-01-01", "--to", "2028-01-01", "--bodies", "12"}, 2},
        {runTransits, {f, "--from", "2027-01-01", "--to", "2028-01-01", "--bodies", "1,x"}, 2},
        {runTransits, {f, "--from", "2027-01-01", "--to", "2028-01-01", "--frob"}, 2},
        {runTransits, {f, f, "--from", "2027-01-01", "--to", "2028-01-01"}, 2},
        {runTransits, {f, "--from", "2000-01-01", "--to", "2101-01-02"}, 1},
        {runTransits, {f, "--from", "2028-01-01", "--to", "2027-01-01"}, 1},
        {runTransits, {f, "--from", "5399-06-01", "--to", "5400-06-01"}, 1},
        {runProgressed, {f, "--date", "2027-06-01"}, 2},
        {runProgressed, {f, "--date", "2027-06-01", "--json", "--listing"}, 2},
        {runProgressed, {f, "--date", "2027-06-01", "--json", "--size", "10x10"}, 2},
        {runReturn, {f, "--year", "2027", "--json"}, 2},
        {runReturn, {f, "--solar", "--lunar", "--year", "2027", "--json"}, 2},
        {runReturn, {f, "--solar", "--year", "2027", "--month", "3", "--json"}, 2},
        {runReturn, {f, "--lunar", "--year", "2027", "--wheel", "x.png"}, 2},
        {runReturn, {f, "--solar", "--year", "9000", "--json"}, 1},
    };
    for (const auto& row : rows) {
        const Outcome r = run(row.command, row.args);
        std::string line;
        for (const std::string& a : row.args)
            line += a + " ";
        EXPECT_EQ(r.status, row.status) << line << r.err;
        EXPECT_TRUE(r.out.empty()) << line;
        EXPECT_FALSE(r.err.empty()) << line;
    }
}

// The document: each event's date line with the passage of its code, in time
// order; an old table without the event codes stays as it was and its
// events stand with their date lines alone; a second run never overwrites.
TEST(ForecastCommands, DocumentCarriesThePassagesOfTheEventCodes) {
    QTemporaryDir dir;
    const std::string f = annaFile(dir);
    const QString home = dir.filePath("home/"), data = dir.filePath("data/");
    auto forecast = [&](const Args& extra) {
        Args a{f,
               "--from",
               "2027-01-01",
               "--to",
               "2027-03-01",
               "--bodies",
               "1,6",
               "--mode",
               "3",
               "--home",
               home.toStdString(),
               "--data",
               data.toStdString()};
        a.insert(a.end(), extra.begin(), extra.end());
        const Outcome r = run(runForecast, a);
        setProgramFolderOverride(QString());
        setDataRootOverride(QString());
        return r;
    };
    auto read = [](const std::string& pathLine) {
        QFile doc(QString::fromStdString(pathLine.substr(0, pathLine.size() - 1)));
        EXPECT_TRUE(doc.open(QIODevice::ReadOnly)) << pathLine;
        return decodeTextFile(doc.readAll());
    };

    const Outcome first = forecast({});
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, (data + QString::fromUtf8("SZOVEG/Anna előrejelzés.txt\n")).toStdString());

    std::vector<CodeEntry> entries;
    ASSERT_TRUE(readCodeFile(home + "cod.dat", entries));
    ASSERT_EQ(entries.size(), defaultCodeEntries().size());
    const QString passage = dir.filePath("napjegy.txt");
    QFile p(passage);
    ASSERT_TRUE(p.open(QIODevice::WriteOnly));
    p.write("Uj honap, uj lendulet.\r\n");
    p.close();
    for (CodeEntry& e : entries)
        if (e.code == "TR_NAPVIK") // the Sun entering Aquarius, about 20 January
            e.file = passage;
    ASSERT_TRUE(saveCodeFile(home + "cod.dat", entries));

    const Outcome second = forecast({});
    ASSERT_EQ(second.status, 0) << second.err;
    EXPECT_NE(second.out, first.out) << "a free name, not the first document's";
    const QString text = read(second.out);
    EXPECT_TRUE(text.startsWith(QString::fromUtf8("Anna: 2027-01-01 – 2027-03-01")));
    const qsizetype line = text.indexOf(QRegularExpression(
        QStringLiteral("2027\\.01\\.(19|20|21)\\. \\d\\d:\\d\\d UT  NAP belép ebbe a jegybe: "
                       "VIZONTO\\r\\nUj honap, uj lendulet\\.\\r\\n")));
    EXPECT_GE(line, 0) << text.left(400).toStdString();
    EXPECT_EQ(text.count(QStringLiteral("Uj honap")), 1);
    EXPECT_GE(text.count(QStringLiteral(" UT  SZATURNUSZ ")), 1);
    QStringList dates;
    for (const QString& l : text.split(QStringLiteral("\r\n")))
        if (l.contains(QStringLiteral(" UT  ")))
            dates << l.left(18);
    QStringList sorted = dates;
    sorted.sort();
    EXPECT_EQ(dates, sorted) << "time order";

    // A table from before the event codes: loaded and left as it was.
    entries.resize(size_t(kNatalCodeCount));
    ASSERT_TRUE(saveCodeFile(home + "cod.dat", entries));
    QFile table(home + "cod.dat");
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    const QByteArray before = table.readAll();
    table.close();
    const Outcome old = forecast({});
    ASSERT_EQ(old.status, 0) << old.err;
    const QString oldText = read(old.out);
    EXPECT_FALSE(oldText.contains(QStringLiteral("Uj honap")));
    EXPECT_TRUE(oldText.contains(QStringLiteral("NAP belép ebbe a jegybe: VIZONTO\r\n")));
    ASSERT_TRUE(table.open(QIODevice::ReadOnly));
    EXPECT_EQ(table.readAll(), before);

    EXPECT_EQ(forecast({"--mode", "7"}).status, 2);
}

// The house-system choice reaches the forecast's charts as it reaches velorin
// chart: --houses is taken, and a wrong or missing letter refused, by every
// command that casts.
TEST(ForecastCommands, HousesAndWheelKindsAsInTheChartCommand) {
    QTemporaryDir dir;
    const std::string anna = annaFile(dir);
    const struct {
        Command command;
        Args args;
        int status;
        const char* inOutput;
    } cases[] = {
        {runProgressed,
         {anna, "--date", "2026-01-01", "--json", "--houses", "W"},
         0,
         "\"houseSystem\":\"W\""},
        {runReturn,
         {anna, "--solar", "--year", "2026", "--json", "--houses", "k"},
         0,
         "\"houseSystem\":\"K\""},
        {runTransits, {anna, "--from", "2026-01-01", "--to", "2026-02-01", "--houses", "Q"}, 2, ""},
        {runForecast, {anna, "--from", "2026-01-01", "--to", "2026-02-01", "--houses"}, 2, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args[1] + " " + c.args.back());
        const Outcome r = run(c.command, c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        if (c.status != 0) {
            EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
            continue;
        }
        EXPECT_NE(r.out.find(c.inOutput), std::string::npos) << r.out.substr(0, 200);
    }
}
