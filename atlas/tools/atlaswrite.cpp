// atlas-write TABLE.tsv OUTPUT.vat: makes the atlas file from the table
// scripts/build-atlas.mjs writes, then opens what it wrote and reads every
// place back, so a file the programs would refuse is never left behind.

#include "atlas/atlas.h"
#include "atlas/atlaswriter.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QFile>
#include <cstdio>

using namespace velorin;

namespace {

int failWith(const QString& why) {
    std::fprintf(stderr, "atlas-write: %s\n", qPrintable(why));
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: atlas-write TABLE.tsv OUTPUT.vat\n");
        return 2;
    }
    QFile in(args[1]);
    if (!in.open(QIODevice::ReadOnly))
        return failWith(QStringLiteral("%1 nem nyitható meg").arg(args[1]));
    std::vector<AtlasSourcePlace> places;
    int line = 0;
    while (!in.atEnd()) {
        ++line;
        const QString row = QString::fromUtf8(in.readLine()).chopped(1);
        const QStringList f = row.split(u'\t');
        bool ok[4] = {false, false, false, false};
        AtlasSourcePlace s;
        if (f.size() == 8) {
            s.place.name = f[0];
            s.place.country = f[1];
            s.place.region = f[2];
            s.place.latitude = f[3].toInt(&ok[0]) / 1e5;
            s.place.longitude = f[4].toInt(&ok[1]) / 1e5;
            s.place.population = f[5].toUInt(&ok[2]);
            s.place.zone = f[6];
            ok[3] = true;
            if (!f[7].isEmpty())
                s.otherNames = f[7].split(u',');
        }
        if (!(ok[0] && ok[1] && ok[2] && ok[3]))
            return failWith(QStringLiteral("%1, %2. sor: hibás sor").arg(args[1]).arg(line));
        places.push_back(std::move(s));
    }
    QString error;
    const auto bytes = atlasFileBytes(places, &error);
    if (!bytes)
        return failWith(error);
    if (!writeFileAtomically(args[2], *bytes, &error))
        return failWith(error);
    const auto atlas = Atlas::load(args[2], &error);
    for (int i = 0; atlas && i < atlas->size() && atlas->error().isEmpty(); ++i)
        atlas->place(i);
    if (!atlas || !atlas->error().isEmpty())
        return failWith(atlas ? atlas->error() : error);
    std::fprintf(stderr, "atlas-write: %d places, %lld bytes, written to %s\n", atlas->size(),
                 qlonglong(bytes->size()), qPrintable(args[2]));
    return 0;
}
