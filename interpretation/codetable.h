#pragma once
// The code table: one entry per statement the program can make about a chart
// (code, explanation, assigned passage file), kept in cod.dat beside the
// program. The main window holds it in file order.

#include <QString>
#include <QStringList>
#include <vector>

namespace velorin {

class UiPrompts;

// The assigned-file text of an entry that has no passage yet.
inline const QString kNoFileAssigned = QStringLiteral("[nincs file hozzarendelve]");

struct CodeEntry {
    QString code;
    QString explanation;
    QString file;

    bool operator==(const CodeEntry&) const = default;
};

struct CodeTable {
    std::vector<CodeEntry> entries; // in file order

    int size() const { return int(entries.size()); }
    const CodeEntry& entry(int i) const { return entries.at(std::size_t(i)); }
    CodeEntry& entry(int i) { return entries.at(std::size_t(i)); }
    // The first entry with exactly this code, or -1.
    int indexOf(const QString& code) const;
    void assign(const std::vector<CodeEntry>& list) { entries = list; }
};

// cod.dat beside the programs when there is one, else the user's (see
// SuiteFolders)
QString codeTablePath();

// The natal entries: what a table from before the forecast holds.
inline constexpr int kNatalCodeCount = 1122;

// The entries a first start writes, in file order: the natal entries, then
// those of the forecast's events (transits, progressions), which no natal
// code can match.
std::vector<CodeEntry> defaultCodeEntries();
std::vector<CodeEntry> eventCodeEntries();

// Reads cod.dat in file order. A line with fewer than three fields is kept
// with the missing ones empty, and fields beyond the third are folded into the
// file field, so that saving the table back never drops or shifts a line.
// False (and an empty list) when the file cannot be read.
bool readCodeFile(const QString& path, std::vector<CodeEntry>& entries, QString* error = nullptr);

// Replaces cod.dat as a whole through a temporary file. The text is
// Windows-1250; a table holding a path that code page cannot spell is written
// as UTF-8 with a byte-order mark instead of being silently mangled.
bool saveCodeFile(const QString& path, const std::vector<CodeEntry>& entries,
                  QString* error = nullptr);

bool writeDefaultCodeTable(const QString& path, QString* error = nullptr);

// A missing cod.dat: a copy of the installed default when that can be read,
// else the built-in table.
bool createCodeTable(const QString& path, const QString& installedDefault,
                     QString* error = nullptr);

// True when the table predates the sex prefixes (its sixth code does not start
// with "F_" and its fourth does not start with "N_").
bool isOldCodeTable(const CodeTable& table);

// The old-table message, when it applies.
void checkCodeTableVersion(const CodeTable& table, UiPrompts& ui);

// Replaces the table with the file's entries, then runs the version check.
// A file that cannot be read leaves an empty table.
bool loadCodeTable(const QString& path, CodeTable& table, UiPrompts& ui);

// Start-up: writes the default table when the file is missing, then loads it.
bool ensureAndLoadCodeTable(const QString& path, CodeTable& table, UiPrompts& ui);

} // namespace velorin
