#pragma once
// Where the suite's files live. The program folder holds ephems/, cod.dat,
// helyseg/, radix/, moon/; VELORIN_HOME replaces it; an installed suite splits
// it into a read-only and a per-user folder (SuiteFolders). The data root holds the
// user's charts, pictures, recordings and texts; ASTRO_DATA replaces it.
// Folder texts keep their trailing separator.

#include <QString>
#include <QStringList>

namespace velorin {

QString programFolder();
QString dataRoot();

// Where a run finds its files. A build folder, and a folder given through
// VELORIN_HOME or --home, is all of them at once, as it has always been. An
// installed suite (<prefix>/bin beside <prefix>/share/velorin) reads its data
// from the share folder, which the user cannot write, and keeps what the user
// changes in $XDG_DATA_HOME/Velorin/ (~/.local/share/Velorin/).
struct SuiteFolders {
    QString programs;  // the executables (the recorder is run from here)
    QString data;      // read only: atlas/, moon/, the default cod.dat
    QString user;      // written: cod.dat, radix/, helyseg/, the recorder's files
    QString codeTable; // cod.dat beside the programs when there is one, else the user's
    bool installed = false;
};

// programDir is the executables' folder, homeOverride VELORIN_HOME (or
// --home), xdgDataHome and homeDir the environment's; reads only whether the
// share folder and a cod.dat beside the programs exist.
SuiteFolders resolveSuiteFolders(const QString& programDir, const QString& homeOverride,
                                 const QString& xdgDataHome, const QString& homeDir);

// The resolution for this run, and the same without VELORIN_HOME (what the
// installation itself holds).
SuiteFolders suiteFolders();
SuiteFolders installedSuiteFolders();
QString dataFolder();
QString userFolder();

QString chartFolder();    // <data root>RADIX/
QString pictureFolder();  // <data root>KEPEK/
QString soundFolder();    // <data root>HANG/
QString textFolder();     // <data root>SZOVEG/
QString locationFolder(); // <user folder>helyseg/

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
