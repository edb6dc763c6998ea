// velorin synastry: both listings and the cross-aspects, both charts as JSON.

#include "cli/commands.h"
#include "tests/support/clirun.h"

#include <QByteArray>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

using namespace velorin::cli;

namespace {

using Outcome = velorin::test::CommandRun;

Outcome synastry(const Args& args) {
    return velorin::test::runCommand(runSynastry, args);
}

std::string write(const QTemporaryDir& dir, const QString& name, const QByteArray& record) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(record + "\r\n");
    return f.fileName().toStdString();
}

const QByteArray kAnna = "\"Anna\",\"1973\",\"2\",\"26\",\"2\",\"50\",\"47\",\"25\",\"22\",\"45\","
                         "\"-2\",0,\"\",#TRUE#,\"N\xF5\"";
const QByteArray kBela = "\"Bela\",\"1970\",\"7\",\"14\",\"5\",\"15\",\"47\",\"30\",\"19\",\"05\","
                         "\"-1\",1,\"\",#FALSE#,\"F\xE9rfi\",#TRUE#,#TRUE#";

Outcome chart(const Args& args) {
    std::ostringstream out, err;
    const int status = runChart(args, out, err);
    return {status, out.str(), err.str()};
}

} // namespace

TEST(SynastryCommand, ListingsSecondPersonFirstThenTheCrossAspects) {
    QTemporaryDir dir;
    const std::string anna = write(dir, "anna.ast", kAnna), bela = write(dir, "bela.ast", kBela);
    const Outcome run = synastry({anna, bela, "--listing"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(run.out.find('\r'), std::string::npos);
    // Two listings, each opened by its 10th-house line and ended by an empty
    // line, then aspect lines.
    auto listings = [](const std::string& s) {
        const size_t gap = s.find("\n\n 10 haz:");
        const size_t end = s.find("\n\n", gap + 2);
        return std::pair{s.substr(0, gap + 1), s.substr(gap + 2, end - gap - 1)};
    };
    ASSERT_EQ(run.out.rfind(" 10 haz:", 0), 0u) << run.out.substr(0, 80);
    const auto [second, first] = listings(run.out);
    EXPECT_NE(second, first);
    EXPECT_NE(run.out.find("  Egyutallas  ", second.size() + first.size()), std::string::npos);

    // Swapping the persons swaps the listings.
    const Outcome swapped = synastry({bela, anna, "--listing"});
    EXPECT_EQ(listings(swapped.out), std::pair(first, second));
}

TEST(SynastryCommand, JsonCarriesBothChartsAsChartJsonDoes) {
    QTemporaryDir dir;
    const std::string anna = write(dir, "anna.ast", kAnna), bela = write(dir, "bela.ast", kBela);
    const Outcome run = synastry({anna, bela, "--json"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    const QJsonObject annaAlone =
        QJsonDocument::fromJson(QByteArray::fromStdString(chart({anna, "--json"}).out)).object();
    for (const char* key : {"julianDayUT", "geoLongitude", "geoLatitude", "bodies", "cusps"})
        EXPECT_EQ(o["first"].toObject()[key], annaAlone[key]) << key;
    EXPECT_EQ(o["first"].toObject()["aspects"].toArray().size(),
              annaAlone["aspects"].toArray().size());
    EXPECT_EQ(o["second"].toObject()["bodies"].toArray().size(), 16);

    const QJsonArray cross = o["crossAspects"].toArray();
    ASSERT_FALSE(cross.isEmpty());
    for (const QJsonValue& v : cross) {
        const QJsonObject a = v.toObject();
        EXPECT_GE(a["i"].toInt(), 1);
        EXPECT_LE(a["j"].toInt(), 10);
        EXPECT_GE(a["k"].toInt(), 1);
        EXPECT_FALSE(a["name"].toString().isEmpty());
    }
}

TEST(SynastryCommand, HouseSystemReachesBothChartsAsInChart) {
    QTemporaryDir dir;
    const std::string anna = write(dir, "anna.ast", kAnna), bela = write(dir, "bela.ast", kBela);
    const Outcome run = synastry({anna, bela, "--json", "--houses", "C"});
    ASSERT_EQ(run.status, 0) << run.err;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(run.out)).object();
    const QJsonObject annaAlone =
        QJsonDocument::fromJson(
            QByteArray::fromStdString(chart({anna, "--json", "--houses", "C"}).out))
            .object();
    for (const char* person : {"first", "second"})
        EXPECT_EQ(o[person].toObject()["houseSystem"].toString(), "C") << person;
    EXPECT_EQ(o["first"].toObject()["cusps"], annaAlone["cusps"]);
    EXPECT_EQ(o["first"].toObject()["bodies"], annaAlone["bodies"]); // houses of the bodies too
    const Outcome bad = synastry({anna, bela, "--json", "--houses", "Z"});
    EXPECT_EQ(bad.status, 2);
    EXPECT_EQ(bad.err.rfind("velorin synastry: a --houses", 0), 0u) << bad.err;
}

TEST(SynastryCommand, UsageAndReadErrors) {
    QTemporaryDir dir;
    const std::string anna = write(dir, "anna.ast", kAnna);
    struct Case {
        Args args;
        int status;
    };
    const Case cases[] = {
        {{anna, "--listing"}, 2},
        {{anna, anna}, 2},
        {{anna, anna, "--listing", "--json"}, 2},
        {{anna, anna, "--json", "--size", "10x10"}, 2},
        {{anna, dir.filePath("nincs.ast").toStdString(), "--listing"}, 1},
        {{anna,
          write(dir, "bad.ast",
                "\"Rossz\",\"x\",\"2\",\"26\",\"2\",\"50\",\"47\",\"25\","
                "\"22\",\"45\",\"-2\",0,\"\",#TRUE#"),
          "--json"},
         1},
    };
    for (const Case& c : cases) {
        const Outcome run = synastry(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.back();
        EXPECT_TRUE(run.out.empty());
        EXPECT_FALSE(run.err.empty());
    }
}
