#pragma once
// The byte form of the texts this subsystem writes.

#include <QByteArray>
#include <QString>

namespace velorin {

// Windows-1250 when the code page can spell every character; otherwise UTF-8
// with a byte-order mark, which the readers recognise, rather than losing the
// characters to '?'.
QByteArray encodeAnsiText(const QString& text);

} // namespace velorin
