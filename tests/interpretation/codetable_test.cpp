#include "interpretation/codetable.h"
#include "platform/textfile.h"
#include "tests/support/scriptedprompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velorin;
using velorin::test::ScriptedPrompts;

namespace {

QByteArray readBytes(const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    return f.readAll();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray line(const char* utf8) {
    return toCp1250(QString::fromUtf8(utf8)) + "\r\n";
}

} // namespace

TEST(DefaultCodeTable, FileHoldsTheKnownLinesInWindows1250) {
    QTemporaryDir dir;
    const QString path = dir.filePath("cod.dat");
    ASSERT_TRUE(writeDefaultCodeTable(path));
    const QByteArray bytes = readBytes(path);
    QList<QByteArray> lines = bytes.split('\n');
    ASSERT_TRUE(lines.last().isEmpty()) << "the last line ends with its line end";
    lines.removeLast();
    ASSERT_EQ(lines.size(), qsizetype(defaultCodeEntries().size()));
    for (const QByteArray& l : lines)
        ASSERT_TRUE(l.endsWith('\r')) << "every line ends in CR LF";

    EXPECT_EQ(lines[0] + '\n',
              line("\"ELOSZO0\",\"Előszó, bevezető - elso\",\"[nincs file hozzarendelve]\""));
    EXPECT_EQ(lines[2] + '\n',
              line("\"F_MERRR\",\"MERKUR retrográd - férfi.\",\"[nincs file hozzarendelve]\""));
    EXPECT_TRUE(lines[5].startsWith("\"F_JUPRR\","));
    EXPECT_EQ(lines[1121] + '\n',
              line("\"LILHA-\",\"LILITH a Halakban - karmikus leiras.\",\"[nincs file "
                   "hozzarendelve]\""));
    // ő is 0xF5 in the code page, not a UTF-8 pair.
    EXPECT_TRUE(lines[0].contains("\xF5"));
}

TEST(DefaultCodeTable, SectionsFollowTheirOrderAndWording) {
    const std::vector<CodeEntry> e = defaultCodeEntries();
    ASSERT_EQ(e.size(), size_t(kNatalCodeCount) + eventCodeEntries().size());
    auto find = [&](const char* code) {
        for (size_t i = 0; i < e.size(); ++i)
            if (e[i].code == QLatin1String(code))
                return int(i);
        return -1;
    };
    // Section starts: 2 forewords, 16 retrograde, 264 sign, 240 house, 468
    // aspect, 48 node/Lilith sign, 48 node/Lilith house, 36 karmic.
    EXPECT_EQ(find("N_MERRR"), 10);
    EXPECT_EQ(find("F_NAPKOK"), 18);
    EXPECT_EQ(find("N_NAPKOK"), 18 + 132);
    EXPECT_EQ(find("F_NAP01K"), 282);
    EXPECT_EQ(find("F_NAHOP"), 522);
    EXPECT_EQ(find("F_SARKOK"), 990);
    EXPECT_EQ(find("F_SAR01K"), 1038);
    EXPECT_EQ(find("NAPKO-"), 1086);

    auto explanation = [&](const char* code) { return e[size_t(find(code))].explanation; };
    EXPECT_EQ(explanation("F_NAPKOK"), QString::fromUtf8("NAP a Kosban (kevert) - férfi."));
    EXPECT_EQ(explanation("N_ASCVIK"), QString::fromUtf8("ASC a Vizöntőben (kevert) - nő."));
    EXPECT_EQ(explanation("N_HOL01K"), QString::fromUtf8("HOLD az 1. házban (kevert) - nő."));
    EXPECT_EQ(explanation("F_NEP05K"), QString::fromUtf8("NEPTUN az 5. házban (kevert) - férfi."));
    EXPECT_EQ(explanation("F_NEP10K"), QString::fromUtf8("NEPTUN a 10. házban (kevert) - férfi."));
    EXPECT_EQ(explanation("F_NAHOP"),
              QString::fromUtf8("NAP Pozitiv fényszögben a(z) HOLD - férfi."));
    EXPECT_EQ(explanation("N_SAASE"),
              QString::fromUtf8("SARKANYF Egyutall fényszögben a(z) ASC - nő."));
    EXPECT_EQ(explanation("N_NEPLN"),
              QString::fromUtf8("NEPTUNUSZ Negativ fényszögben a(z) PLUTO - nő."));
    EXPECT_EQ(explanation("N_LILHAK"), QString::fromUtf8("LILITH a Halakban (kevert) - nő."));
    EXPECT_EQ(explanation("SARSZ-"), QString::fromUtf8("SARKANYFEJ a Szüzben - karmikus leiras."));
    EXPECT_EQ(find("F_ASC01K"), -1) << "the ascendant has no house entries";

    QSet<QString> codes;
    for (const CodeEntry& entry : e) {
        EXPECT_EQ(entry.file, kNoFileAssigned);
        codes.insert(entry.code);
    }
    EXPECT_EQ(codes.size(), qsizetype(defaultCodeEntries().size())) << "no code appears twice";
}

TEST(CodeTableFile, MalformedLinesSurviveALoadAndSave) {
    QTemporaryDir dir;
    const QString path = dir.filePath("cod.dat");
    writeBytes(path, "\"ELOSZO0\",\"Elo, szo\",\"[nincs file hozzarendelve]\"\r\n"
                     "\"F_ONLYCODE\"\r\n"
                     "\"F_TWO\",\"two fields\"\n"
                     "\"F_STRAY,\"half\r\n"
                     "\"F_MORE\",\"x\",\"/a/b\",\"c\"\r\n"
                     "\"F_LAST\",\"y\",\"z\"\r\n");
    std::vector<CodeEntry> entries;
    ASSERT_TRUE(readCodeFile(path, entries));
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_EQ(entries[0], (CodeEntry{"ELOSZO0", "Elo, szo", kNoFileAssigned}));
    EXPECT_EQ(entries[1], (CodeEntry{"F_ONLYCODE", "", ""}));
    EXPECT_EQ(entries[2], (CodeEntry{"F_TWO", "two fields", ""}));
    EXPECT_EQ(entries[3].explanation, QString()) << "an unclosed quote spoils only its own line";
    EXPECT_EQ(entries[4].file, "/a/b,c") << "extra fields are kept, not dropped";
    EXPECT_EQ(entries[5], (CodeEntry{"F_LAST", "y", "z"}));

    ASSERT_TRUE(saveCodeFile(path, entries));
    std::vector<CodeEntry> again;
    ASSERT_TRUE(readCodeFile(path, again));
    EXPECT_EQ(again, entries);
}

TEST(CodeTableFile, PathsOutsideTheCodePageAreNotMangled) {
    QTemporaryDir dir;
    const QString path = dir.filePath("cod.dat");
    std::vector<CodeEntry> entries = defaultCodeEntries();
    entries[18].file = QString::fromUtf8("/home/анна/nap_kos.txt");
    ASSERT_TRUE(saveCodeFile(path, entries));
    std::vector<CodeEntry> again;
    ASSERT_TRUE(readCodeFile(path, again));
    EXPECT_EQ(again, entries);
}

TEST(CodeTableVersion, OldTablesAndShortTablesBringTheMessage) {
    QTemporaryDir dir;
    const QString path = dir.filePath("cod.dat");
    const auto check = [&](const QByteArray& content) {
        writeBytes(path, content);
        ScriptedPrompts ui;
        CodeTable table;
        EXPECT_TRUE(loadCodeTable(path, table, ui));
        return ui.messages;
    };
    QByteArray old;
    for (const char* c : {"ELOSZO0", "ELOSZO", "MERRR", "VENRR", "MARRR", "JUPRR", "SZARR"})
        old += QByteArray("\"") + c + "\",\"x\",\"[nincs file hozzarendelve]\"\r\n";
    const auto shown = check(old);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.startsWith(QString::fromUtf8("Az Ön kódrendszere az Velorin előző")));
    EXPECT_TRUE(shown[0].text.endsWith(QString::fromUtf8("ÚJRA KELL AZ ŰTVONALAKAT ÁLLITANI!")));
    EXPECT_EQ(shown[0].icon, MessageIcon::Information);

    EXPECT_EQ(check("\"ELOSZO0\",\"x\",\"y\"\r\n").size(), 1u) << "fewer than six entries";
    EXPECT_EQ(check("").size(), 1u);

    // A fourth code with the woman's prefix is enough to count as new.
    QByteArray mixed = old;
    mixed.replace("\"VENRR\"", "\"N_VENRR\"");
    EXPECT_TRUE(check(mixed).empty());
}

TEST(CodeTableVersion, FirstStartWritesAndLoadsWithoutMessage) {
    QTemporaryDir dir;
    const QString path = dir.filePath("cod.dat");
    ScriptedPrompts ui;
    CodeTable table;
    ASSERT_TRUE(ensureAndLoadCodeTable(path, table, ui));
    EXPECT_TRUE(ui.messages.empty());
    ASSERT_EQ(table.size(), int(defaultCodeEntries().size()));
    EXPECT_EQ(table.entry(5).code, "F_JUPRR");
    EXPECT_EQ(table.entry(2).explanation, QString::fromUtf8("MERKUR retrográd - férfi."));

    // A second start keeps what the user linked.
    std::vector<CodeEntry> entries;
    ASSERT_TRUE(readCodeFile(path, entries));
    entries[18].file = "/x/nap_kos.txt";
    ASSERT_TRUE(saveCodeFile(path, entries));
    ASSERT_TRUE(ensureAndLoadCodeTable(path, table, ui));
    EXPECT_EQ(table.entry(18).file, "/x/nap_kos.txt");
}

TEST(CodeTableVersion, AnUnreadableTableIsReportedAsSuchNotAsOld) {
    QTemporaryDir dir;
    ScriptedPrompts ui;
    CodeTable table;
    table.assign(defaultCodeEntries());
    EXPECT_FALSE(loadCodeTable(dir.filePath("missing/cod.dat"), table, ui));
    EXPECT_EQ(table.size(), 0);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Critical);
    EXPECT_FALSE(ui.messages[0].text.contains(QString::fromUtf8("előző verziójával")));
}

// Files that cannot be a code table are refused before they take memory: a
// file of commas, one absurdly long line, more lines than any table has.
TEST(CodeTableFile, OversizedTablesAreRefusedWithTheReason) {
    QTemporaryDir dir;
    QByteArray manyLines;
    for (int i = 0; i < 20001; ++i)
        manyLines += "\"F_X\"\r\n";
    const std::pair<QByteArray, const char*> cases[] = {
        {QByteArray(5 * 1024 * 1024, ','), "túl nagy fájl"},
        {"\"ELOSZO0\",\"a\",\"b\"\r\n" + QByteArray(9000, ',') + "\r\n", "a(z) 2. sor túl hosszú"},
        {manyLines, "túl sok sor"},
    };
    for (const auto& [bytes, reason] : cases) {
        const QString path = dir.filePath("cod.dat");
        writeBytes(path, bytes);
        std::vector<CodeEntry> entries;
        QString error;
        EXPECT_FALSE(readCodeFile(path, entries, &error));
        EXPECT_TRUE(error.startsWith(QString::fromUtf8(reason))) << error.toStdString();
        EXPECT_TRUE(entries.empty());
    }
}

// A user's first cod.dat comes from the installed default when it can be
// read, and from the built-in table otherwise; never from an empty or a
// broken source.
TEST(CodeTableFile, AMissingTableIsMadeFromTheInstalledDefault) {
    QTemporaryDir dir;
    const QString builtIn = dir.filePath("builtin.dat");
    ASSERT_TRUE(writeDefaultCodeTable(builtIn));
    const QByteArray packaged =
        line("\"ELOSZO0\",\"csomagolói\",\"\"") + line("\"F_NAPKOS\",\"a\",\"\"");
    writeBytes(dir.filePath("packaged.dat"), packaged);
    QDir().mkpath(dir.filePath("a-folder.dat"));
    writeBytes(dir.filePath("huge.dat"), QByteArray(5 * 1024 * 1024, 'x'));
    writeBytes(dir.filePath("empty.dat"), QByteArray());

    const std::pair<const char*, QByteArray> cases[] = {
        {"packaged.dat", packaged},           {"missing.dat", readBytes(builtIn)},
        {"a-folder.dat", readBytes(builtIn)}, {"huge.dat", readBytes(builtIn)},
        {"empty.dat", readBytes(builtIn)},
    };
    for (const auto& [source, expected] : cases) {
        const QString target = dir.filePath(QString("user/%1/cod.dat").arg(source));
        QDir().mkpath(QFileInfo(target).absolutePath());
        QString error;
        ASSERT_TRUE(createCodeTable(target, dir.filePath(source), &error)) << source;
        EXPECT_EQ(readBytes(target), expected) << source;
    }
}
