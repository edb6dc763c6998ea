#include "cli/commands.h"
#include "interpretation/codetable.h"
#include "interpretation/rtf.h"
#include "platform/folders.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sstream>

using namespace velorin;
using namespace velorin::cli;

namespace {

struct Outcome {
    int status;
    std::string out, err;
};

template <typename F> Outcome run(F command, std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = command(args, out, err);
    setProgramFolderOverride(QString());
    setDataRootOverride(QString());
    return {status, out.str(), err.str()};
}

const QByteArray kAnna = "\"Anna\",\"1973\",\"2\",\"26\",\"2\",\"50\",\"47\",\"25\",\"22\",\"45\","
                         "\"-2\",0,\"\",#TRUE#,\"N\xF5\"\r\n";

} // namespace

TEST(InterpretationCommands, CodetableWritesTheDefaultTable) {
    QTemporaryDir dir;
    const std::string path = dir.filePath("cod.dat").toStdString();
    const Outcome ok = run(runCodetable, {"--write", path});
    EXPECT_EQ(ok.status, 0) << ok.err;
    std::vector<CodeEntry> entries;
    ASSERT_TRUE(readCodeFile(QString::fromStdString(path), entries));
    EXPECT_EQ(entries, defaultCodeEntries());

    EXPECT_EQ(run(runCodetable, {"--write"}).status, 2);
    EXPECT_EQ(run(runCodetable, {}).status, 2);
    EXPECT_EQ(run(runCodetable, {"--write", dir.filePath("no/dir/cod.dat").toStdString()}).status,
              1);
}

TEST(InterpretationCommands, InterpretWritesTheDocumentOfAChartFile) {
    QTemporaryDir dir;
    const QString home = dir.filePath("home/");
    const QString data = dir.filePath("data/");
    // Neither folder exists yet, as on a machine where the chart program never ran.
    const QString chart = dir.filePath("anna.ast");
    QFile f(chart);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(kAnna);
    f.close();

    const std::vector<std::string> common{"--home", home.toStdString(), "--data",
                                          data.toStdString()};
    auto args = [&](std::vector<std::string> a) {
        a.insert(a.end(), common.begin(), common.end());
        return a;
    };
    // The first run writes the default table beside the program, as a first
    // start does; a woman's Sun in Pisces then finds its passage.
    Outcome first = run(runInterpret, args({chart.toStdString(), "--mode", "3"}));
    ASSERT_EQ(first.status, 0) << first.err;
    EXPECT_EQ(first.out, (data + "SZOVEG/Anna.txt\n").toStdString());

    std::vector<CodeEntry> entries;
    ASSERT_TRUE(readCodeFile(home + "cod.dat", entries));
    ASSERT_EQ(entries.size(), defaultCodeEntries().size());
    const QString passage = dir.filePath("naphak.txt");
    QFile p(passage);
    ASSERT_TRUE(p.open(QIODevice::WriteOnly));
    p.write("Nap a Halakban\r\n");
    p.close();
    for (CodeEntry& e : entries)
        if (e.code == "N_NAPHAK" || e.code == "F_NAPHAK")
            e.file = passage;
    ASSERT_TRUE(saveCodeFile(home + "cod.dat", entries));

    Outcome second = run(runInterpret, args({chart.toStdString()}));
    ASSERT_EQ(second.status, 0) << second.err;
    const QString docPath = data + "SZOVEG/Anna.doc";
    EXPECT_EQ(second.out, (docPath + "\n").toStdString());
    QFile doc(docPath);
    ASSERT_TRUE(doc.open(QIODevice::ReadOnly));
    const QString text = rtfToPlainText(doc.readAll());
    EXPECT_TRUE(text.startsWith("Anna\r\n1973.2.26 "));
    EXPECT_TRUE(text.endsWith("Nap a Halakban\r\n\r\n\r\n"));
    EXPECT_EQ(text.count("Nap a Halakban"), 1) << "only the woman's entry matches";

    EXPECT_EQ(run(runInterpret, args({chart.toStdString(), "--mode", "5"})).status, 2);
    EXPECT_EQ(run(runInterpret, args({})).status, 2);
    const Outcome missing = run(runInterpret, args({dir.filePath("nincs.ast").toStdString()}));
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("nincs.ast"), std::string::npos);
}
