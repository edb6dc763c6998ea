#include "interpretation/rtf.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <gtest/gtest.h>

using namespace velorin;

namespace {

QTextCharFormat formatAt(const QTextDocument& doc, int position) {
    QTextCursor c(const_cast<QTextDocument*>(&doc));
    c.setPosition(position + 1);
    return c.charFormat();
}

} // namespace

TEST(RtfPlain, WrittenTextReadsBackUnchanged) {
    const QString text = QString::fromUtf8(
        "Árvíztűrő tükörfúrógép\r\n{braces} and \\back\\slashes\r\n\ttab, Ж, €, 😀\r\n\r\nend");
    const QByteArray rtf = plainTextToRtf(text);
    EXPECT_TRUE(looksLikeRtf(rtf));
    EXPECT_TRUE(rtf.contains("\\'c1rv\\'edzt\\'fbr\\'f5")) << rtf.constData();
    EXPECT_TRUE(rtf.contains("\\u1046?"));
    EXPECT_EQ(rtfToPlainText(rtf), text);
    // Lone LF and CR end paragraphs too.
    EXPECT_EQ(rtfToPlainText(plainTextToRtf("a\nb\rc")), "a\r\nb\r\nc");
}

TEST(RtfPlain, EveryLineEndAndEscapeWrittenExactly) {
    // Word processors and the documents already handed out rely on these
    // exact bytes: each line end one paragraph, nothing after the last.
    const QByteArray empty = plainTextToRtf(QString());
    ASSERT_TRUE(empty.endsWith(" }\r\n"));
    const QByteArray prefix = empty.left(empty.size() - 3);
    struct Case {
        const char* text; // UTF-8
        const char* body; // what follows the header
    };
    const Case cases[] = {
        {"", ""},
        {"a\r\nb", "a\\par\r\nb"},
        {"a\nb\rc", "a\\par\r\nb\\par\r\nc"},
        {"a\r\r\nb", "a\\par\r\n\\par\r\nb"},
        {"a\n\rb", "a\\par\r\n\\par\r\nb"},
        {"end\r\n", "end\\par\r\n"},
        {"end\r", "end\\par\r\n"},
        {"\r\n\r\n", "\\par\r\n\\par\r\n"},
        {"{x}\\y\tz", "\\{x\\}\\\\y\\tab z"},
        {"\xE2\x80\xA8|\x01|\x7F", "\\line |\\'01|\\'7f"},
        {"őŰé", "\\'f5\\'db\\'e9"},
        {"Ж€😀", "\\u1046?\\'80\\u-10179?\\u-8704?"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(plainTextToRtf(QString::fromUtf8(c.text)), prefix + c.body + "}\r\n") << c.text;
}

// Long documents are written in stretches: a line end or a wide character
// at a stretch's border must come out as it does anywhere else.
TEST(RtfPlain, LongTextsComeOutAsTheirParts) {
    const QByteArray empty = plainTextToRtf(QString());
    const QByteArray prefix = empty.left(empty.size() - 3);
    const auto body = [&](const QString& text) {
        const QByteArray rtf = plainTextToRtf(text);
        EXPECT_TRUE(rtf.startsWith(prefix) && rtf.endsWith("}\r\n"));
        return rtf.mid(prefix.size(), rtf.size() - prefix.size() - 3);
    };
    QString everyLetter; // every character the table covers, and some it does not
    for (char16_t c = 1; c < 0x200; ++c)
        if (c != u'\r' && c != u'\n')
            everyLetter += QChar(c);
    everyLetter += QString::fromUtf8("\xE2\x80\xA8Ж😀");
    for (const int size : {16383, 16384, 16385, 40000}) {
        SCOPED_TRACE(size);
        const QString filler(size, QLatin1Char('x'));
        const struct {
            QString first, second;
        } joins[] = {
            {filler.left(size - 1) + u'\r', u'\n' + filler},
            {filler + u'\r', QStringLiteral("\r\n")},
            {QString(size, QChar(0x416)), everyLetter},
            {everyLetter.repeated(size / everyLetter.size() + 1), QString(size, QChar(0x151))},
        };
        for (const auto& j : joins) {
            // The CR LF split between the two parts is one line end in the whole.
            const bool splitLineEnd = j.first.endsWith(u'\r') && j.second.startsWith(u'\n');
            QByteArray expected = body(j.first) + body(j.second);
            if (splitLineEnd)
                expected.remove(body(j.first).size() - 6, 6);
            EXPECT_EQ(body(j.first + j.second), expected);
        }
    }
    // A character that needs escaping, anywhere in a run of plain ones.
    for (const char16_t special : {u'\\', u'{', u'}', u'\t', u'\x1F', u'\x7F', u'\x80', u'\xE9',
                                   u'\x416', u'\x8000', u'\xFFFD', u'\r'}) {
        for (int at = 0; at < 18; ++at) {
            const QString text = QString(at, u'a') + QChar(special) + QString(20, u'b');
            EXPECT_EQ(body(text),
                      QByteArray(at, 'a') + body(QString(QChar(special))) + QByteArray(20, 'b'))
                << int(special) << " at " << at;
        }
    }
    QString printable;
    for (char16_t c = 0x20; c < 0x200; ++c)
        printable += QChar(c);
    EXPECT_EQ(rtfToPlainText(plainTextToRtf(printable)), printable);
}

TEST(RtfReader, HiddenGroupsAndUnknownWordsShowNothing) {
    const QByteArray rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0\\fswiss{\\*\\panose 020b}Arial;}}"
        "{\\colortbl;\\red255\\green0\\blue0;}{\\stylesheet{\\s0 Normal;}}"
        "{\\info{\\title Secret}{\\author Someone}}{\\*\\unknowndest hidden}"
        "\\viewkind4\\uc1\\pard\\f0\\fs20\\madeupword12 Visible{\\pict\\pngblip 89504e47}"
        "{\\field{\\*\\fldinst HYPERLINK x}{\\fldrslt Link}}\\~\\emdash\\bullet\\par}";
    EXPECT_EQ(rtfToPlainText(rtf), QString::fromUtf8("VisibleLink\u00A0—•\r\n"));
}

TEST(RtfReader, CodePagesAndUnicodeFallbacks) {
    // The font's charset wins over the document's code page.
    EXPECT_EQ(rtfToPlainText("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset238 A;}"
                             "{\\f1\\fcharset0 B;}}\\f0\\'f5\\f1\\'f5}"),
              QString::fromUtf8("őõ"));
    // \uc sets how many fallback characters follow; a group ends the count.
    EXPECT_EQ(rtfToPlainText("{\\rtf1\\u337?x\\uc2\\u337\\'3f\\'3fy{\\uc3\\u8364?}z}"),
              QString::fromUtf8("őxőy€z"));
    EXPECT_EQ(rtfToPlainText("{\\rtf1\\u-10179?\\u-8704?}"), QString::fromUtf8("😀"));
}

TEST(RtfReader, FormattingReachesTheDocument) {
    QTextDocument doc;
    rtfToDocument("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}{\\f1 Courier New;}}"
                  "{\\colortbl ;\\red0\\green0\\blue255;}"
                  "\\pard\\qc\\f0\\fs20 a{\\b b}{\\i i}{\\ul u}\\ulnone{\\f1\\fs30 c}"
                  "{\\cf1 d}\\par\\pard e\\line f}",
                  doc);
    ASSERT_EQ(doc.blockCount(), 2);
    EXPECT_EQ(doc.begin().text(), "abiucd");
    EXPECT_EQ(doc.begin().blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    EXPECT_EQ(doc.begin().next().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignLeft);
    EXPECT_FALSE(formatAt(doc, 0).fontWeight() >= QFont::Bold);
    EXPECT_TRUE(formatAt(doc, 1).fontWeight() >= QFont::Bold);
    EXPECT_TRUE(formatAt(doc, 2).fontItalic());
    EXPECT_TRUE(formatAt(doc, 3).fontUnderline());
    EXPECT_EQ(formatAt(doc, 0).fontFamilies().toStringList(), QStringList{"Arial"});
    EXPECT_EQ(formatAt(doc, 0).fontPointSize(), 10.0);
    EXPECT_EQ(formatAt(doc, 4).fontFamilies().toStringList(), QStringList{"Courier New"});
    EXPECT_EQ(formatAt(doc, 4).fontPointSize(), 15.0);
    EXPECT_EQ(formatAt(doc, 5).foreground().color(), QColor(0, 0, 255));
    EXPECT_EQ(doc.toPlainText(), "abiucd\ne\nf");
}

TEST(RtfWriter, DocumentFormattingSurvivesARoundTrip) {
    QTextDocument doc;
    QTextCursor c(&doc);
    QTextCharFormat plain;
    plain.setFontFamilies({"Liberation Serif"});
    plain.setFontPointSize(11);
    c.insertText(QString::fromUtf8("Kő "), plain);
    QTextCharFormat bold = plain;
    bold.setFontWeight(QFont::Bold);
    bold.setForeground(QColor(200, 10, 20));
    c.insertText("bold", bold);
    QTextBlockFormat right;
    right.setAlignment(Qt::AlignRight);
    c.insertBlock(right);
    QTextCharFormat mixed = plain;
    mixed.setFontItalic(true);
    mixed.setFontUnderline(true);
    c.insertText(QString::fromUtf8("{Ж}"), mixed);

    QTextDocument back;
    rtfToDocument(documentToRtf(doc), back);
    EXPECT_EQ(back.toPlainText(), doc.toPlainText());
    EXPECT_EQ(formatAt(back, 0).fontFamilies().toStringList(), QStringList{"Liberation Serif"});
    EXPECT_EQ(formatAt(back, 0).fontPointSize(), 11.0);
    EXPECT_TRUE(formatAt(back, 3).fontWeight() >= QFont::Bold);
    EXPECT_EQ(formatAt(back, 3).foreground().color(), QColor(200, 10, 20));
    EXPECT_FALSE(formatAt(back, 2).fontWeight() >= QFont::Bold);
    EXPECT_TRUE(formatAt(back, 8).fontItalic());
    EXPECT_TRUE(formatAt(back, 8).fontUnderline());
    EXPECT_EQ(back.lastBlock().blockFormat().alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignRight);
}

TEST(RtfReader, HostileInputEndsQuietly) {
    QByteArray deep = "{\\rtf1 a";
    deep += QByteArray(200000, '{');
    deep += "\\b deep";
    deep += QByteArray(200000, '}');
    deep += "b}";
    EXPECT_TRUE(rtfToPlainText(deep).startsWith("a"));
    EXPECT_TRUE(rtfToPlainText(deep).endsWith("deepb"));

    // Unbalanced closing braces, truncated escapes and words, oversized numbers.
    EXPECT_EQ(rtfToPlainText("}}}{\\rtf1 x}}}y\\'4"), "xy");
    EXPECT_EQ(rtfToPlainText("{\\rtf1 x\\u99999999999999999999"), "x");
    EXPECT_EQ(rtfToPlainText("{\\rtf1 x\\bin999999999 hidden"), "x");
    EXPECT_EQ(rtfToPlainText("{\\rtf1 x\\bin-5 y}"), "xy");
    QTextDocument doc;
    rtfToDocument("{\\rtf1\\fs999999999999 big\\fs-4 neg\\cf99999 c\\f-1 f}", doc);
    EXPECT_EQ(doc.toPlainText(), "bignegcf");
    // Characters the document keeps for objects and frames are not text.
    rtfToDocument("{\\rtf1 a\\u-4?b\\u-560?c\\u-559?d}", doc);
    EXPECT_EQ(doc.toPlainText(), "abcd");

    QByteArray fonts = "{\\rtf1{\\fonttbl";
    for (int i = 0; i < 5000; ++i)
        fonts += "{\\f" + QByteArray::number(i) + " F;}";
    fonts += "}ok}";
    EXPECT_EQ(rtfToPlainText(fonts), "ok");
}

// Units that are no character on their own never reach the document: half a
// surrogate pair, and NUL whether written as \u0 or as a hex byte.
TEST(RtfReader, LoneSurrogatesAndNulAreDropped) {
    const std::pair<const char*, const char*> cases[] = {
        {"{\\rtf1 a\\u-10179?b}", "ab"},                     // high half, then a letter
        {"{\\rtf1 a\\u-8704?b}", "ab"},                      // low half alone
        {"{\\rtf1 a\\u-10179?\\u-10179?\\u-8704?b}", "a😀b"}, // the second high half pairs
        {"{\\rtf1 a\\u0?b\\'00c}", "abc"},
    };
    for (const auto& [rtf, text] : cases) {
        EXPECT_EQ(rtfToPlainText(rtf), QString::fromUtf8(text)) << rtf;
        QTextDocument doc;
        rtfToDocument(rtf, doc);
        EXPECT_EQ(doc.toPlainText(), QString::fromUtf8(text)) << rtf;
    }
}
