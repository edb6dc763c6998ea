// cod.dat: any bytes read as a code table without a fault, and saving what
// was read keeps every line: the count stays and a second save changes nothing.

#include "fuzzsupport.h"
#include "interpretation/codetable.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

using namespace velorin;

namespace {

QString scratchFolder() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/codetable_fuzz-XXXXXX"));
    return dir.path() + QLatin1Char('/');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString input = scratchFolder() + QStringLiteral("input.dat");
    const QString saved = scratchFolder() + QStringLiteral("cod.dat");
    {
        QFile f(input);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            f.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size))
            fuzz::fail("cannot write the scratch file");
    }
    std::vector<CodeEntry> read;
    QString error;
    if (!readCodeFile(input, read, &error))
        return 0;

    if (!saveCodeFile(saved, read, &error))
        fuzz::fail("a table just read cannot be saved");
    std::vector<CodeEntry> first;
    if (!readCodeFile(saved, first, &error))
        fuzz::fail("a saved table does not read back");
    if (first.size() != read.size())
        fuzz::fail("saving the table dropped or added lines");
    if (!saveCodeFile(saved, first, &error))
        fuzz::fail("a table read back cannot be saved");
    std::vector<CodeEntry> second;
    if (!readCodeFile(saved, second, &error) || second != first)
        fuzz::fail("the table changes each time it is saved");

    CodeTable table;
    table.assign(read);
    (void)isOldCodeTable(table);
    return 0;
}
