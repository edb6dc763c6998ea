#include "interpretation/generation.h"
#include "interpretation/rtf.h"
#include "platform/folders.h"
#include "platform/textfile.h"
#include "tests/support/scriptedprompts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velorin;
using velorin::test::ScriptedPrompts;
using Status = GenerationResult::Status;

namespace {

const QString kHeader =
    QStringLiteral("Anna\r\n1973.2.26 2:50\r\n[19:07 - K , 47:035 - É, IZ: -1]\r\n\r\n");
const QString kListing = QStringLiteral("NAP          KOS        5.50  \r\n");

class Generation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir.isValid());
        setDataRootOverride(dir.path() + "/");
        QDir().mkpath(textFolder());
        table.assign(defaultCodeEntries());
    }
    void TearDown() override { setDataRootOverride(QString()); }

    QString passage(const QString& name, const QByteArray& bytes) {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    void link(const char* code, const QString& path) {
        const int i = table.indexOf(QLatin1String(code));
        ASSERT_GE(i, 0) << code;
        table.entry(i).file = path;
    }
    GenerationRequest request(bool male, GenerationMode mode = GenerationMode::TextToText) {
        const QString s = male ? "F_" : "N_";
        GenerationRequest r;
        r.codes = QStringList{"ELOSZO0",    "ELOSZO",    s + "NAPKOK", "NAPKO-",
                              s + "NAP05K", s + "MERRR", s + "NAHOE"};
        r.header = kHeader;
        r.listing = kListing;
        r.name = "Anna";
        r.mode = mode;
        return r;
    }
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        return f.readAll();
    }

    QTemporaryDir dir;
    CodeTable table;
    ScriptedPrompts ui;
};

} // namespace

TEST_F(Generation, OneLinkedSignGivesTheExactAssembly) {
    link("F_NAPKOK", passage("nap_kos.txt", "Elso sor\r\nMasodik sor"));
    const QString doc = assembleInterpretation(table, request(true), ui);
    EXPECT_EQ(doc, kHeader + "\r\n" + QString::fromUtf8("ÉRTELMEZÉS") + "\r\n\r\n" + "\r\n\r\n" +
                       kListing + "\r\n\r\n" + "Elso sor\r\nMasodik sor\r\n" + "\r\n\r\n");
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Generation, ForewordsAndBodyFollowTableOrderForEitherSex) {
    link("ELOSZO0", passage("e0.txt", "E0"));
    link("ELOSZO", passage("e1.txt", "E1\n"));
    link("NAPKO-", passage("karma.txt", "KARMA"));
    link("F_NAPKOK", passage("f_sign.txt", "F-SIGN"));
    link("N_NAPKOK", passage("n_sign.txt", "N-SIGN"));
    link("F_NAP05K", passage("f_house.txt", "F-HOUSE"));
    link("N_NAP05K", passage("n_house.txt", "N-HOUSE"));
    link("F_NAHOE", passage("f_asp.txt", "F-ASP"));
    link("N_NAHOE", passage("n_asp.txt", "N-ASP"));
    link("F_MERRR", passage("f_retro.txt", "F-RETRO"));

    const QString head = kHeader + "\r\n" + QString::fromUtf8("ÉRTELMEZÉS") + "\r\n\r\n";
    const QString foreword = "E0\r\n\r\n\r\n";
    const QString afterListing = "\r\n\r\n" + kListing + "\r\n\r\n";
    // Table order: ELOSZO, retrograde, sign, house, aspect, karmic.
    EXPECT_EQ(assembleInterpretation(table, request(true), ui),
              head + foreword + afterListing + "E1\r\n\r\n\r\n" + "F-RETRO\r\n\r\n\r\n" +
                  "F-SIGN\r\n\r\n\r\n" + "F-HOUSE\r\n\r\n\r\n" + "F-ASP\r\n\r\n\r\n" +
                  "KARMA\r\n\r\n\r\n");
    EXPECT_EQ(assembleInterpretation(table, request(false), ui),
              head + foreword + afterListing + "E1\r\n\r\n\r\n" + "N-SIGN\r\n\r\n\r\n" +
                  "N-HOUSE\r\n\r\n\r\n" + "N-ASP\r\n\r\n\r\n" + "KARMA\r\n\r\n\r\n");
}

TEST_F(Generation, CodesMatchOnlyExactly) {
    table.entry(18).code = "f_napkok";
    link("f_napkok", passage("x.txt", "LOWER"));
    EXPECT_FALSE(assembleInterpretation(table, request(true), ui).contains("LOWER"));
}

TEST_F(Generation, AMissingFileIsReportedAndTheRestIsStillWritten) {
    const QString gone = passage("gone.txt", "GONE");
    link("F_NAPKOK", "  " + gone + "  ");
    link("F_NAP05K", passage("house.txt", "HOUSE"));
    link("F_MERRR", ""); // an empty link is skipped without a word
    QFile::remove(gone);

    const GenerationResult r = generateInterpretation(table, request(true), ui);
    ASSERT_EQ(r.status, Status::Written);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "A " + gone +
                  QString::fromUtf8(" nem található, ezért az értelmezésből ki lesz "
                                    "hagyva.\r\nEllenőrizze a kódszerkesztőben az olló "
                                    "ikonnal rendelkező kapcsolatokat, és javitsa ki."));
    EXPECT_EQ(ui.messages[0].icon, MessageIcon::Critical);
    EXPECT_TRUE(r.document.contains("HOUSE"));
}

TEST_F(Generation, EachGenerationWritesANewFileUntilTheNamesRunOut) {
    GenerationRequest req = request(true, GenerationMode::TextToRtf);
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        const GenerationResult r = generateInterpretation(table, req, ui);
        ASSERT_EQ(r.status, Status::Written);
        paths.append(r.path);
    }
    EXPECT_EQ(paths[0], textFolder() + "Anna.doc");
    EXPECT_EQ(paths[1], textFolder() + "Anna(2).doc");
    EXPECT_EQ(paths[9], textFolder() + "Anna(10).doc");

    const QByteArray first = bytesOf(paths[0]);
    const GenerationResult full = generateInterpretation(table, req, ui);
    EXPECT_EQ(full.status, Status::NoFreeName);
    EXPECT_TRUE(full.path.isEmpty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains(textFolder() + "Anna.doc"));
    EXPECT_EQ(bytesOf(paths[0]), first) << "nothing is overwritten";
    EXPECT_EQ(QDir(textFolder()).entryList(QDir::Files).size(), 10);
}

TEST_F(Generation, UnsafeNameCharactersBecomeUnderscores) {
    GenerationRequest req = request(true);
    req.name = "../Kiss/Anna:2?";
    const GenerationResult r = generateInterpretation(table, req, ui);
    ASSERT_EQ(r.status, Status::Written);
    EXPECT_EQ(r.path, textFolder() + "___Kiss_Anna_2_.txt"); // never hidden, never outside
    EXPECT_TRUE(QFile::exists(r.path));
}

TEST_F(Generation, AWriteFailureIsReportedNotPassedOffAsSuccess) {
    // A plain file where the text folder should be: the folder can be neither
    // made nor written into (permissions would not stop root).
    QDir(textFolder()).removeRecursively();
    QFile blocker(textFolder().chopped(1));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const GenerationResult r = generateInterpretation(table, request(true), ui);
    EXPECT_EQ(r.status, Status::WriteFailed);
    EXPECT_TRUE(r.path.isEmpty());
    ASSERT_EQ(ui.messages.size(), 1u);
}

TEST_F(Generation, ModesDecideFormatAndExtension) {
    link("F_NAPKOK", passage("sign.txt", toCp1250(QString::fromUtf8("Nap a Kosban: ő\r\n"))));
    const GenerationResult txt = generateInterpretation(table, request(true), ui);
    ASSERT_EQ(txt.status, Status::Written);
    EXPECT_TRUE(txt.path.endsWith("Anna.txt"));
    EXPECT_EQ(bytesOf(txt.path), toCp1250(txt.document + "\r\n"));

    const GenerationResult doc =
        generateInterpretation(table, request(true, GenerationMode::TextToRtf), ui);
    ASSERT_EQ(doc.status, Status::Written);
    EXPECT_TRUE(doc.path.endsWith("Anna.doc"));
    const QByteArray rtf = bytesOf(doc.path);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\ansicpg1250"));
    EXPECT_TRUE(rtf.contains("MS Sans Serif;"));
    EXPECT_TRUE(rtf.contains("\\fs17"));
    EXPECT_TRUE(rtf.contains("\\'f5")) << "ő is written as its code-page byte";
    EXPECT_EQ(rtfToPlainText(rtf), doc.document);
}

TEST_F(Generation, Mode2RepairsDosLettersOnly) {
    link("F_NAPKOK", passage("dos.txt", QByteArray("Nap \xA0 \x81 \x90 \x8B abc\r\n2. sor")));
    const GenerationResult r =
        generateInterpretation(table, request(true, GenerationMode::DosTextToRtf), ui);
    ASSERT_EQ(r.status, Status::Written);
    EXPECT_TRUE(r.document.contains(QString::fromUtf8("Nap á ü É ő abc\r\n2. sor\r\n")));

    EXPECT_EQ(repairDosAccents(QString::fromUtf8("xyz\r\n")), QString::fromUtf8("xyz\r\n"));
    // No capital Ő or Ű and no ű in the old table: those stay as they are.
    EXPECT_EQ(repairDosAccents(QString::fromUtf8("ŐŰű")), QString::fromUtf8("ŐŰű"));
    // Characters the code page cannot spell are not mistaken for DOS letters.
    EXPECT_EQ(repairDosAccents(QString::fromUtf8("Ж€")), QString::fromUtf8("Ж€"));
}

TEST_F(Generation, Mode4TakesThePlainTextOfRichPassages) {
    link("F_NAPKOK",
         passage("sign.rtf", "{\\rtf1\\ansi\\ansicpg1250{\\fonttbl{\\f0\\fcharset238 Arial;}}"
                             "{\\*\\generator Test;}\\f0 Bold \\b K\\'f5\\b0 s\\par Line}"));
    link("F_NAP05K", passage("house.txt", "Not rich at all"));
    const QString doc = assembleInterpretation(table, request(true, GenerationMode::RtfToRtf), ui);
    EXPECT_TRUE(doc.contains(QString::fromUtf8("Bold Kős\r\nLine\r\n\r\n\r\n")));
    EXPECT_TRUE(doc.contains("Not rich at all\r\n\r\n\r\n\r\n"));
    EXPECT_FALSE(doc.contains("Test"));
}

// One large passage linked to every code must not grow the document without
// bound: the generation stops with one message and leaves no file.
TEST_F(Generation, ADocumentPastTheLimitIsRefusedNotWritten) {
    const QString big = passage("big.txt", QByteArray(6 * 1000 * 1000, 'x'));
    for (const char* code : {"F_NAPKOK", "F_NAP05K", "F_MERRR", "F_NAHOE"})
        link(code, big);
    const GenerationResult r = generateInterpretation(table, request(true), ui);
    EXPECT_EQ(r.status, Status::TooLarge);
    EXPECT_TRUE(r.path.isEmpty());
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(ui.messages[0].text.contains("túl nagy")) << ui.messages[0].text.toStdString();
    EXPECT_TRUE(QDir(textFolder()).entryList(QDir::Files | QDir::Hidden).isEmpty());
}
