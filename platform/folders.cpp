#include "folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace velorin {
namespace {

QString g_programOverride;
QString g_dataOverride;

QString withSeparator(QString folder) {
    if (!folder.endsWith('/'))
        folder += '/';
    return folder;
}

} // namespace

void setProgramFolderOverride(const QString& folder) {
    g_programOverride = folder;
}
void setDataRootOverride(const QString& folder) {
    g_dataOverride = folder;
}

QString programFolder() {
    if (!g_programOverride.isEmpty())
        return withSeparator(g_programOverride);
    QString env = qEnvironmentVariable("VELORIN_HOME");
    if (!env.isEmpty())
        return withSeparator(env);
    if (QCoreApplication::instance())
        return withSeparator(QCoreApplication::applicationDirPath());
    return withSeparator(QDir::currentPath());
}

QString dataRoot() {
    if (!g_dataOverride.isEmpty())
        return withSeparator(g_dataOverride);
    QString env = qEnvironmentVariable("ASTRO_DATA");
    if (!env.isEmpty())
        return withSeparator(env);
    return withSeparator(QDir::homePath() + "/ASTRO_DATA");
}

QString chartFolder() {
    return dataRoot() + "RADIX/";
}
QString pictureFolder() {
    return dataRoot() + "KEPEK/";
}
QString soundFolder() {
    return dataRoot() + "HANG/";
}
QString textFolder() {
    return dataRoot() + "SZOVEG/";
}
QString locationFolder() {
    return programFolder() + "helyseg/";
}

void createDataFolders() {
    for (const QString& f : {chartFolder(), pictureFolder(), soundFolder(), textFolder()})
        QDir().mkpath(f);
}

QString safeFileName(const QString& name) {
    if (name.isEmpty())
        return QStringLiteral("névtelen");
    QString out = name;
    bool leading = true;
    for (QChar& c : out) {
        leading = leading && c == QLatin1Char('.');
        if (leading || c.unicode() < 0x20 || c.unicode() == 0x7F ||
            QStringLiteral("/\\:*?\"<>|").contains(c))
            c = '_';
    }
    return out;
}

QStringList uniqueNameCandidates(const QString& path, const QString& extension) {
    const QString suffix = "." + extension;
    QString stem = path;
    if (stem.endsWith(suffix, Qt::CaseInsensitive))
        stem.chop(suffix.size());
    const QString ext = path.right(suffix.size());
    QStringList names{path};
    for (int n = 2; n <= 10; ++n)
        names << QStringLiteral("%1(%2)%3").arg(stem).arg(n).arg(ext);
    return names;
}

QString uniqueName(const QString& path, const QString& extension) {
    for (const QString& candidate : uniqueNameCandidates(path, extension))
        if (!QFileInfo::exists(candidate))
            return candidate;
    return QString();
}

} // namespace velorin
