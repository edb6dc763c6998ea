#pragma once
// Text files in the Windows-1250 code page, and atomic replacement.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace velorin {

// Blanks removed from both ends, spaces only: the rule the original applied
// to names, notes and linked file names alike.
QString trimBlanks(const QString& s);

// The text split at its line ends (CR LF, CR or LF alike). What follows the
// last line end is the last element, empty when the text ends with one.
QStringList splitLineEnds(const QString& text);

QByteArray toCp1250(const QString& text);
QString fromCp1250(const QByteArray& bytes);

// Decodes a file's bytes: UTF-8 when they carry a BOM or are valid UTF-8 with
// multi-byte sequences (a file saved by another editor), Windows-1250 otherwise.
QString decodeTextFile(const QByteArray& bytes);

// Writes through a temporary file in the same folder renamed over the target,
// so a failure never leaves a half-written file. Returns false on failure and
// puts the reason into *error.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Reads a whole file of at most maxBytes; false when it cannot be read or is larger.
bool readSmallFile(const QString& path, QByteArray& out, qint64 maxBytes, QString* error = nullptr);

} // namespace velorin
