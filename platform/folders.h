#pragma once
// Where the suite's files live. The program folder holds ephems/, cod.dat,
// helyseg/, radix/, moon/; VELORIN_HOME replaces it. The data root holds the
// user's charts, pictures, recordings and texts; ASTRO_DATA replaces it.
// Folder texts keep their trailing separator.

#include <QString>
#include <QStringList>

namespace velorin {

QString programFolder();
QString dataRoot();

QString chartFolder();    // <data root>RADIX/
QString pictureFolder();  // <data root>KEPEK/
QString soundFolder();    // <data root>HANG/
QString textFolder();     // <data root>SZOVEG/
QString locationFolder(); // <program folder>helyseg/

// Overrides for the command line's --home and --data (and for tests).
void setProgramFolderOverride(const QString& folder);
void setDataRootOverride(const QString& folder);

// Creates the four data folders; failures are ignored, as at start-up.
void createDataFolders();

// The name made safe for a file name: / \ : * ? " < > | and control
// characters become "_", and so do leading dots, so that no name makes a
// hidden file or reaches outside its folder; an empty name becomes "névtelen".
QString safeFileName(const QString& name);

// The first of path, path(2) ... path(10) (counter before the extension)
// that does not exist; empty when all ten do.
QString uniqueName(const QString& path, const QString& extension);

// path, path(2) ... path(10), the counter before the extension: the names
// uniqueName and writeUniqueFile (textfile.h) try, in that order.
QStringList uniqueNameCandidates(const QString& path, const QString& extension);

} // namespace velorin
