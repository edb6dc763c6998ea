#pragma once
// The byte form of the texts this subsystem writes.

#include <QByteArray>
#include <QString>

namespace velorin {

// Windows-1250 when the code page can spell every character; otherwise UTF-8
// with a byte-order mark, which the readers recognise, rather than losing the
// characters to '?'.
QByteArray encodeAnsiText(const QString& text);

// The Windows-1250 byte of one character, or -1 when the code page has none.
int cp1250Byte(QChar c);
// The character of one Windows-1250 byte.
QChar cp1250Char(unsigned char byte);

} // namespace velorin
