// Atlas files: any bytes must open or be refused with a reason, and an atlas
// that opens must answer every search and place without a fault, giving
// whole places only, or nothing at all once it has found itself damaged.

#include "atlas/atlas.h"
#include "fuzzsupport.h"

#include <QFile>
#include <QTemporaryDir>

using namespace velorin;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The reader maps a file, so the input must be one.
    static const QTemporaryDir dir;
    const QString path = dir.filePath("places.vat");
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            fuzz::fail("the scratch file cannot be written");
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    QString error;
    const auto atlas = Atlas::load(path, &error);
    if (!atlas) {
        if (!error.contains(path))
            fuzz::fail("a refused atlas does not say which file");
        return 0;
    }
    auto whole = [](const Place& p) { return !p.name.isEmpty() && !p.zone.isEmpty(); };
    for (int i = 0; i < atlas->size() && i < 2000; ++i)
        if (!whole(atlas->place(i)) && atlas->error().isEmpty())
            fuzz::fail("a sound atlas gives a place without a name or zone");
    for (const char16_t* query :
         {u"a", u"b", u"c", u"k", u"p", u"s", u"pecs", u"kolozs", u"é", u"'"})
        for (const Place& p : atlas->search(QStringView(query), 20))
            if (!whole(p))
                fuzz::fail("a search gives a place without a name or zone");
    if (!atlas->error().isEmpty() && !atlas->search(u"a", 5).empty())
        fuzz::fail("a damaged atlas still finds places");
    return 0;
}
