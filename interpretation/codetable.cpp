#include "codetable.h"

#include "ansitext.h"
#include "platform/folders.h"
#include "platform/record.h"
#include "platform/settings.h"
#include "platform/textfile.h"
#include "platform/uiprompts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velorin {

namespace {

// cod.dat of a real user holds ~1100 lines of a few hundred bytes at most;
// anything far larger is not a code table and is refused rather than read
// into memory (a line of commas costs a parsed field per byte).
constexpr qint64 kMaxCodeFileBytes = 4 * 1024 * 1024;
constexpr qsizetype kMaxCodeLineChars = 8 * 1024;
constexpr size_t kMaxCodeEntries = 20000;

QString fieldText(const RecordField& f) {
    if (f.kind == RecordField::Kind::Bool && f.text.isEmpty())
        return f.yes ? QStringLiteral("#TRUE#") : QStringLiteral("#FALSE#");
    return f.text;
}

} // namespace

int CodeTable::indexOf(const QString& code) const {
    for (int i = 0; i < size(); ++i)
        if (entries[std::size_t(i)].code == code)
            return i;
    return -1;
}

QString codeTablePath() {
    return suiteFolders().codeTable;
}

bool readCodeFile(const QString& path, std::vector<CodeEntry>& entries, QString* error) {
    entries.clear();
    QByteArray bytes;
    if (!readSmallFile(path, bytes, kMaxCodeFileBytes, error))
        return false;
    const QString text = decodeTextFile(bytes);
    bytes.clear();
    // Line by line rather than as one record stream: a stray quote must spoil
    // only its own line, not swallow the rest of the table.
    qsizetype start = 0;
    int lineNumber = 0;
    while (start <= text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        if (end < 0)
            end = text.size();
        QStringView line = QStringView(text).mid(start, end - start);
        start = end + 1;
        ++lineNumber;
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty())
            continue;
        // Refused as a whole: dropping or cutting a line would lose it on
        // the next save.
        if (line.size() > kMaxCodeLineChars || entries.size() >= kMaxCodeEntries) {
            entries.clear();
            if (error)
                *error = line.size() > kMaxCodeLineChars
                             ? QStringLiteral("a(z) %1. sor túl hosszú").arg(lineNumber)
                             : QStringLiteral("túl sok sor (több mint %1)").arg(kMaxCodeEntries);
            return false;
        }
        const std::vector<Record> records = parseRecords(line.toString());
        if (records.empty())
            continue;
        CodeEntry e;
        const Record& r = records.front();
        if (r.size() > 0)
            e.code = fieldText(r[0]);
        if (r.size() > 1)
            e.explanation = fieldText(r[1]);
        if (r.size() > 2) {
            QStringList rest;
            for (size_t i = 2; i < r.size(); ++i)
                rest.append(fieldText(r[i]));
            e.file = rest.join(QLatin1Char(','));
        }
        entries.push_back(e);
    }
    return true;
}

bool saveCodeFile(const QString& path, const std::vector<CodeEntry>& entries, QString* error) {
    QString text;
    text.reserve(int(entries.size()) * 96);
    for (const CodeEntry& e : entries)
        text += formatRecord({textField(e.code), textField(e.explanation), textField(e.file)});
    return writeFileAtomically(path, encodeAnsiText(text), error);
}

bool writeDefaultCodeTable(const QString& path, QString* error) {
    return saveCodeFile(path, defaultCodeEntries(), error);
}

bool createCodeTable(const QString& path, const QString& installedDefault, QString* error) {
    // The installed default is the packager's table; one that cannot be read,
    // is empty, or is the very file being created gives way to the built-in one.
    QByteArray bytes;
    if (QFileInfo(installedDefault).canonicalFilePath() != QFileInfo(path).canonicalFilePath() &&
        readSmallFile(installedDefault, bytes, kMaxCodeFileBytes) && !bytes.isEmpty())
        return writeFileAtomically(path, bytes, error);
    return writeDefaultCodeTable(path, error);
}

bool isOldCodeTable(const CodeTable& table) {
    const QString c6 = table.size() >= 6 ? table.entry(5).code : QString();
    const QString c4 = table.size() >= 4 ? table.entry(3).code : QString();
    return !c6.startsWith(QLatin1String("F_")) && !c4.startsWith(QLatin1String("N_"));
}

void checkCodeTableVersion(const CodeTable& table, UiPrompts& ui) {
    if (!isOldCodeTable(table))
        return;
    ui.message(QStringLiteral(
                   "Az Ön kódrendszere az Velorin előző verziójával készült, és nem tartalmazza a "
                   "férfi/nő megkülömböztető kódokat. Ahhoz, hogy az új kódrendszer érvénybe "
                   "lépjen, ki kell törölnie a program könyvtárából a cod.dat nevü filet és újra "
                   "kell inditania a programot. Figyelem: A KÓDOK BEÁLLITÁSAI (FILEKKEL VALÓ "
                   "TÁRSITÁSAI) ELVESZNEK AZ ÚJ KÓDRENDSZERBEN, ÚJRA KELL AZ ŰTVONALAKAT "
                   "ÁLLITANI!"),
               QString::fromUtf8(kProgramTitle), MessageIcon::Information);
}

bool loadCodeTable(const QString& path, CodeTable& table, UiPrompts& ui) {
    std::vector<CodeEntry> entries;
    QString error;
    const bool ok = readCodeFile(path, entries, &error);
    table.assign(entries);
    if (!ok) {
        // An unreadable table is not an old one: say what went wrong instead
        // of asking the user to delete a file that may hold every assignment.
        ui.message(QStringLiteral("A kódtábla (%1) nem olvasható: %2").arg(path, error),
                   QString::fromUtf8(kProgramTitle), MessageIcon::Critical);
        return false;
    }
    checkCodeTableVersion(table, ui);
    return true;
}

bool ensureAndLoadCodeTable(const QString& path, CodeTable& table, UiPrompts& ui) {
    if (!QFileInfo::exists(path)) {
        QString error;
        // A program folder given through VELORIN_HOME may not exist yet.
        QDir().mkpath(QFileInfo(path).absolutePath());
        if (!createCodeTable(path, installedSuiteFolders().data + QStringLiteral("cod.dat"),
                             &error)) {
            table.assign({});
            ui.message(QStringLiteral("A kódtábla (%1) nem hozható létre: %2").arg(path, error),
                       QString::fromUtf8(kProgramTitle), MessageIcon::Critical);
            return false;
        }
    }
    return loadCodeTable(path, table, ui);
}

} // namespace velorin
