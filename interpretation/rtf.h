#pragma once
// A small rich-text (RTF) reader and writer: Qt reads no RTF, and the
// documents and passages of the interpretation are RTF files.
//
// The reader takes any bytes: it never recurses, caps the group depth and the
// font and colour tables, and skips control words and destinations it does
// not know instead of showing them.

#include <QByteArray>
#include <QString>

class QTextDocument;

namespace velorin {

// The font and size a plain text is written in (8.5 pt).
inline constexpr const char* kRtfDefaultFont = "MS Sans Serif";
inline constexpr int kRtfDefaultHalfPoints = 17;

// True when the bytes start (after blanks) with "{\rtf".
bool looksLikeRtf(const QByteArray& data);

// The whole text in the default font; every line end (CR LF, LF or CR) ends a
// paragraph.
QByteArray plainTextToRtf(const QString& text);

// The document's paragraphs with bold, italic, underline, font, size, colour
// and alignment.
QByteArray documentToRtf(const QTextDocument& doc);

// The visible text; every paragraph and line break ends with CR LF.
QString rtfToPlainText(const QByteArray& rtf);

// Replaces the document's content with the formatted text.
void rtfToDocument(const QByteArray& rtf, QTextDocument& doc);

} // namespace velorin
