// The settings files: any bytes as Velorin.ini and Tarvessa.ini, then every
// working value loaded from them as a program does at start-up, and the chart
// computed with what came out.

#include "engine/angles.h"
#include "engine/chart.h"
#include "fuzzsupport.h"
#include "platform/settings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

using namespace velorin;

namespace {

QTemporaryDir* g_config = nullptr;

void writeStoreFile(const QString& application, const QByteArray& bytes, qint64 stamp) {
    const QString path = g_config->path() + QStringLiteral("/Velorin/") + application + ".ini";
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        fuzz::fail("cannot write the scratch settings file");
    // A new time on every run: the settings cache rereads a file only when
    // its size or time changed.
    f.setFileTime(QDateTime::fromSecsSinceEpoch(1000000000 + stamp),
                  QFileDevice::FileModificationTime);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static QCoreApplication app(*argc, *argv);
    g_config = new QTemporaryDir(QDir::tempPath() + QStringLiteral("/settings_fuzz-XXXXXX"));
    QDir().mkpath(g_config->path() + QStringLiteral("/Velorin"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, g_config->path());
    initEngine(std::string());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static qint64 stamp = 0;
    ++stamp;
    // The two files are cut apart at the first form feed.
    const std::vector<QByteArray> parts = fuzz::splitParts(fuzz::bytesOf(data, size), '\f', 2);
    writeStoreFile(QString::fromLatin1(kSettingsApp), parts[0], stamp);
    writeStoreFile(QString::fromLatin1(kProgramTitle), parts[1], stamp);

    WorkingSettings ws;
    (void)loadAll(ws);

    BirthData d;
    d.year = "1990";
    d.month = "5";
    d.day = "17";
    d.hour = "3";
    d.minute = "30";
    // The loaded orbs and anticipation are what the aspects and houses use.
    const ChartOutcome out = computeChart(d, ws.engine());
    if (!out.ok())
        fuzz::fail("the fixed birth data was refused");
    Chart chart = *out.chart;
    appendAspects(chart, ws.engine());
    placeInHouses(chart, ws.anticipation);
    return 0;
}
