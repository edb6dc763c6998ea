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
    return suiteFolders().programs;
}

SuiteFolders resolveSuiteFolders(const QString& programDir, const QString& homeOverride,
                                 const QString& xdgDataHome, const QString& homeDir) {
    SuiteFolders f;
    const QString programs = withSeparator(QDir::cleanPath(programDir));
    const QString share = QDir::cleanPath(programs + QStringLiteral("../share/velorin"));
    f.installed = QFileInfo(QDir::cleanPath(programs)).fileName() == QLatin1String("bin") &&
                  QFileInfo(share).isDir();
    if (!homeOverride.isEmpty()) {
        f.programs = f.data = f.user = withSeparator(homeOverride);
    } else if (f.installed) {
        f.programs = programs;
        f.data = withSeparator(share);
        // The XDG base directory rules ignore a relative XDG_DATA_HOME.
        const QString base = QDir::isAbsolutePath(xdgDataHome)
                                 ? xdgDataHome
                                 : homeDir + QStringLiteral("/.local/share");
        f.user = withSeparator(QDir::cleanPath(base) + QStringLiteral("/Velorin"));
    } else {
        f.programs = f.data = f.user = programs;
    }
    const QString beside = f.programs + QStringLiteral("cod.dat");
    f.codeTable = QFileInfo::exists(beside) ? beside : f.user + QStringLiteral("cod.dat");
    return f;
}

namespace {

QString executablesFolder() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    return QDir::currentPath();
}

} // namespace

SuiteFolders suiteFolders() {
    QString override = g_programOverride;
    if (override.isEmpty())
        override = qEnvironmentVariable("VELORIN_HOME");
    return resolveSuiteFolders(executablesFolder(), override, qEnvironmentVariable("XDG_DATA_HOME"),
                               QDir::homePath());
}

SuiteFolders installedSuiteFolders() {
    return resolveSuiteFolders(executablesFolder(), QString(),
                               qEnvironmentVariable("XDG_DATA_HOME"), QDir::homePath());
}

QString dataFolder() {
    return suiteFolders().data;
}

QString userFolder() {
    return suiteFolders().user;
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
    return userFolder() + "helyseg/";
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
