// The comma record form: what the writer writes the reader reads back, and
// hostile input never crashes it.

#include "platform/record.h"
#include "platform/textfile.h"

#include <QStringDecoder>
#include <algorithm>
#include <gtest/gtest.h>

using namespace velorin;

namespace {

TEST(Record, WriterUsesQuotesBareNumbersAndBooleans) {
    QString line = formatRecord(
        {textField("Ma"), numberField(0), textField(""), boolField(false), textField("Férfi")});
    EXPECT_EQ(line, QString("\"Ma\",0,\"\",#FALSE#,\"Férfi\"\r\n"));
    // A double quote would end the field early; it is kept as an apostrophe.
    EXPECT_EQ(formatRecord({textField("a \"b\" c")}), QString("\"a 'b' c\"\r\n"));
}

TEST(Record, ReaderTakesQuotedFieldsAcrossCommasAndLines) {
    auto recs = parseRecords("\"a,b\",12,#TRUE#,\"line1\r\nline2\",  bare text ,#false#\r\n"
                             "\r\n"
                             "\"second\"\n");
    ASSERT_EQ(recs.size(), 2u);
    const Record& r = recs[0];
    ASSERT_EQ(r.size(), 6u);
    EXPECT_EQ(r[0].text, "a,b");
    EXPECT_EQ(r[1].text, "12");
    EXPECT_EQ(r[1].kind, RecordField::Kind::Bare);
    EXPECT_TRUE(r[2].yes);
    EXPECT_EQ(r[3].text, "line1\r\nline2");
    EXPECT_EQ(r[4].text, "bare text");
    EXPECT_EQ(r[5].kind, RecordField::Kind::Bool);
    EXPECT_FALSE(r[5].yes);
    EXPECT_EQ(recs[1][0].text, "second");
}

TEST(Record, ByteOrderMarksInsideFieldsAreDropped) {
    // Found by fuzzing: one mark was lost per save, so the file never settled.
    const QString bom(QChar(0xFEFF));
    auto recs = parseRecords("\"" + bom + bom + "1\"," + bom + "2\r\n");
    ASSERT_EQ(recs.size(), 1u);
    EXPECT_EQ(recs[0][0].text, "1");
    EXPECT_EQ(recs[0][1].text, "2");
    EXPECT_EQ(parseRecords(formatRecord(recs[0]))[0][0].text, "1");
}

TEST(Record, HostileInputGivesFieldsNotCrashes) {
    const char* inputs[] = {"\"unclosed", "\"a\"junk,\"b\"", ",,,",        "\"",
                            "\r\r\n\n",   "#TRUE",           "\"a\"\"b\"", ""};
    for (const char* in : inputs) {
        auto recs = parseRecords(QString::fromUtf8(in));
        for (const Record& r : recs)
            EXPECT_LE(r.size(), 4u) << in;
    }
    EXPECT_EQ(parseRecords("\"unclosed")[0][0].text, "unclosed");
    EXPECT_EQ(parseRecords("\"a\"junk,\"b\"")[0][1].text, "b");
    EXPECT_EQ(parseRecords(",,,")[0].size(), 4u);
}

TEST(TextFiles, Windows1250BytesAndOtherEncodings) {
    QByteArray bytes = toCp1250("Nő, tűz, Férfi");
    EXPECT_EQ(bytes, QByteArray("N\xF5, t\xFBz, F\xE9rfi"));
    EXPECT_EQ(fromCp1250(bytes), QString("Nő, tűz, Férfi"));
    EXPECT_EQ(decodeTextFile(bytes), QString("Nő, tűz, Férfi"));
    EXPECT_EQ(decodeTextFile(QString("Nő").toUtf8()), QString("Nő"));
    EXPECT_EQ(decodeTextFile("\xEF\xBB\xBFMa"), QString("Ma"));
}

// The decoder reads bytes through a table of its own: every byte, the ones
// the code page leaves undefined among them, and bytes in any company, must
// come out as the system's converter gives them.
TEST(TextFiles, Windows1250DecodesAsTheConverterDoes) {
    QByteArray everyByte;
    for (int b = 0; b < 256; ++b)
        everyByte += char(b);
    QByteArray reversed = everyByte;
    std::reverse(reversed.begin(), reversed.end());
    for (const QByteArray& bytes :
         {everyByte, reversed, QByteArray(), QByteArray("\x81\x83\x88\x90\x98"),
          QByteArray("\0a\0", 3), everyByte.repeated(3).mid(100)}) {
        QStringDecoder converter("windows-1250");
        EXPECT_EQ(fromCp1250(bytes), converter.decode(bytes)) << bytes.toHex().constData();
    }
}

TEST(TextFiles, LineEndsOfEveryKindSplitAlike) {
    EXPECT_EQ(splitLineEnds("a\r\nb\nc\rd"), QStringList({"a", "b", "c", "d"}));
    EXPECT_EQ(splitLineEnds("a\r\n"), QStringList({"a", ""}));
    EXPECT_EQ(splitLineEnds("\r\n\r\n"), QStringList({"", "", ""}));
    EXPECT_EQ(splitLineEnds(""), QStringList({""}));
    EXPECT_EQ(splitLineEnds("\n\r"), QStringList({"", "", ""})); // LF then a lone CR: two ends
}

} // namespace
