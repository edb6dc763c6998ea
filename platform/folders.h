#pragma once
// Where the suite's files live. The program folder holds ephems/, cod.dat,
// helyseg/, radix/, moon/; VELORIN_HOME replaces it. The data root holds the
// user's charts, pictures, recordings and texts; ASTRO_DATA replaces it.
// Folder texts keep their trailing separator.

#include <QString>

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
// characters become "_".
QString safeFileName(const QString& name);

// The first of path, path(2) ... path(10) (counter before the extension)
// that does not exist; empty when all ten do.
QString uniqueName(const QString& path, const QString& extension);

} // namespace velorin
