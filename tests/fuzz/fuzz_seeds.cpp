// Writes seed inputs for the fuzz targets with the suite's own writers, so
// that the fuzzers start from files exactly as the programs leave them:
//   fuzz_seeds CORPUS_FOLDER
// (scripts/make-fuzz-seeds adds what velorin itself writes.)

#include "engine/chart.h"
#include "interpretation/codetable.h"
#include "platform/chartfile.h"
#include "platform/settings.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <cstdio>

using namespace velorin;

namespace {

bool put(const QString& path, const QByteArray& bytes) {
    QString error;
    if (!writeFileAtomically(path, bytes, &error)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(error));
        return false;
    }
    return true;
}

BirthData person(const char* name, const char* sex, const char* year, const char* zone, bool east,
                 bool north) {
    BirthData d;
    d.name = name;
    d.sex = sex;
    d.year = year;
    d.month = "5";
    d.day = "17";
    d.hour = "11";
    d.am = false;
    d.hour24 = hour24Text(d.hour, d.am);
    d.minute = "45";
    d.zone = zone;
    d.east = east;
    d.north = north;
    d.notes = "Születési anyakönyv szerint";
    return d;
}

// The fuzzer's line for the birth-data target: an options byte, then the
// fields one a line in the target's order.
QByteArray birthLine(const BirthData& d, unsigned char options) {
    QByteArray out(1, char(options));
    for (const std::string& s : {d.name, d.sex, d.year, d.month, d.day, d.hour, d.hour24, d.minute,
                                 d.zone, d.longDeg, d.longMin, d.latDeg, d.latMin, d.notes})
        out += QByteArray::fromStdString(s) + '\n';
    out.chop(1);
    return out;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds CORPUS_FOLDER\n");
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]) + '/';
    for (const char* sub :
         {"record", "chartfile", "location", "codetable", "settings", "birthdata"})
        QDir().mkpath(root + sub);
    bool ok = true;

    const BirthData anna = person("Anna", kFemaleText, "1973", "-1", true, true);
    const BirthData joe = person("Joe \"Jr\", N.Y.", kMaleText, "1960", "5", false, true);
    const BirthData sydney = person("Kiss Ödön", kMaleText, "1988", "-10", true, false);
    int n = 0;
    for (const BirthData& d : {anna, joe, sydney}) {
        const QByteArray current = toCp1250(formatChartRecord(d));
        const QByteArray converted =
            toCp1250(formatConvertedRecord(d, QString::fromStdString(d.sex)));
        // The old layout is the converted record without its last field.
        QByteArray old = converted.left(converted.lastIndexOf(',')) + "\r\n";
        const QString tag = QString::number(++n);
        ok &= put(root + "chartfile/current" + tag + ".ast", current);
        ok &= put(root + "chartfile/converted" + tag + ".ast", converted);
        ok &= put(root + "chartfile/old" + tag + ".ast", old);
        ok &= put(root + "record/chart" + tag + ".ast", current);
        ok &= put(root + "birthdata/person" + tag, birthLine(d, 0x0D));
    }

    LocationFile budapest{"-1", "19", "07", true, false, "47", "035", true, false};
    LocationFile newYork{"5", "74", "00", false, true, "40", "43", true, false};
    ok &= put(root + "location/budapest.loc", toCp1250(formatLocationRecord(budapest)));
    ok &= put(root + "location/newyork.loc", toCp1250(formatLocationRecord(newYork)));
    ok &= put(root + "record/newyork.loc", toCp1250(formatLocationRecord(newYork)));

    // The default code table, whole and as a short head in each encoding.
    QTemporaryDir scratch;
    const QString table = scratch.path() + "/cod.dat";
    QString error;
    if (!writeDefaultCodeTable(table, &error)) {
        std::fprintf(stderr, "cod.dat: %s\n", qPrintable(error));
        return 1;
    }
    QFile full(table);
    full.open(QIODevice::ReadOnly);
    const QByteArray whole = full.readAll();
    QByteArray head;
    for (qsizetype at = 0, lines = 0; lines < 40 && at >= 0; ++lines)
        at = whole.indexOf('\n', at + 1), head = whole.left(at + 1);
    ok &= put(root + "codetable/head.dat", head);
    ok &= put(root + "codetable/head-utf8.dat", "\xEF\xBB\xBF" + fromCp1250(head).toUtf8());
    ok &= put(root + "record/cod-head.dat", head);

    // Settings as the settings panel and the unload step save them.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, scratch.path());
    WorkingSettings ws;
    ws.orbs = {8, 2.5f, 3.3f, 6, 6, 2, 2, 8};
    ws.aspectColors = {0x0000FF, 0x00FF00, 0xFF0000, 0x808080, 1, 2, 3, 0xFFFFFF};
    ws.anticipation = 4.5f;
    ws.showAsc = true;
    saveSetKeys(ws);
    saveSwitches(ws);
    QFile velorinIni(scratch.path() + "/Velorin/Velorin.ini");
    QFile tarvessaIni(scratch.path() + "/Velorin/Tarvessa.ini");
    velorinIni.open(QIODevice::ReadOnly);
    tarvessaIni.open(QIODevice::ReadOnly);
    const QByteArray v = velorinIni.readAll(), t = tarvessaIni.readAll();
    ok &= !v.isEmpty() && !t.isEmpty();
    ok &= put(root + "settings/saved.ini", v + '\f' + t);
    ok &= put(root + "settings/set-only.ini", v);
    return ok ? 0 : 1;
}
