#pragma once
// Text files in the Windows-1250 code page, and atomic replacement.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

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

// Writes through a temporary file in the same folder, synced to the disk and
// renamed over the target, so a failure (a full disk, a size limit) never
// leaves a half-written file: the old one stays byte for byte and the
// temporary file is removed. A target that exists but is no regular file
// (a pipe, a device, a folder) is refused. Returns false on failure and puts
// the Hungarian reason into *error.
bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error = nullptr);

// Saves bytes under the first free name of path, path(2) ... path(10) (the
// counter before the extension). The name is taken only with its finished
// content: the bytes go to a temporary file beside it, synced to the disk,
// which is then linked to the first candidate that does not exist yet. A
// program killed at any moment leaves either no file under a candidate name
// or a whole one, never an empty or partial document, and parallel savers
// each get a name of their own. Nothing, with the Hungarian reason in
// *error, when all ten names exist or the file cannot be written.
std::optional<QString> writeUniqueFile(const QString& path, const QString& extension,
                                       const QByteArray& bytes, QString* error = nullptr);

// Removes the temporary files a killed writeFileAtomically or writeUniqueFile
// left in the folder (".NAME.XXXX.tmp", regular files only) once they are
// older than maxAgeSeconds; a younger one may belong to a write in progress.
// Every writer calls it with an hour; other files are never touched.
void removeStaleTemporaries(const QString& folder, qint64 maxAgeSeconds = 3600);

// Reads a whole regular file of at most maxBytes; false with the Hungarian
// reason when it cannot be read, is larger, or is no regular file (a named
// pipe is refused without waiting for a writer).
bool readSmallFile(const QString& path, QByteArray& out, qint64 maxBytes, QString* error = nullptr);

// True when the path names a regular file or nothing at all: what a reader
// that opens the file itself (the settings store) checks first.
bool isRegularOrAbsent(const QString& path);

} // namespace velorin
