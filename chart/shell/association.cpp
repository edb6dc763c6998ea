#include "association.h"

#include "platform/folders.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

namespace velorin {

namespace {

// Writes only when the text differs, so that an unchanged start does not
// touch the files (nor wake the desktop's file watchers).
bool writeIfChanged(const QString& path, const QByteArray& bytes, bool* changed) {
    // Read without waiting: a named pipe in its place must not hang the start.
    QByteArray old;
    if (readSmallFile(path, old, bytes.size() + 1) && old == bytes) {
        *changed = false;
        return true;
    }
    *changed = true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return writeFileAtomically(path, bytes);
}

// Desktop entry Exec fields quote arguments that hold blanks or reserved
// characters.
QString desktopExec(const QString& path) {
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool needsQuotes = false;
    for (QChar c : path)
        needsQuotes = needsQuotes || reserved.contains(c);
    if (!needsQuotes)
        return path;
    QString escaped = path;
    escaped.replace('\\', "\\\\").replace('"', "\\\"").replace('`', "\\`").replace('$', "\\$");
    return '"' + escaped + '"';
}

} // namespace

bool writeFileAssociation(const QString& programPath, const QString& iconPath) {
    const QString home = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (home.isEmpty())
        return false;

    const QByteArray mime =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
            "  <mime-type type=\"%1\">\n"
            "    <comment>Velorin Document</comment>\n"
            "    <glob pattern=\"*.ast\"/>\n"
            "  </mime-type>\n"
            "</mime-info>\n")
            .arg(kChartMimeType)
            .toUtf8();

    // The desktop-entry format escapes in its own way inside the Exec value.
    QString exec = desktopExec(programPath);
    exec.replace('%', "%%");
    const QByteArray desktop = QStringLiteral("[Desktop Entry]\n"
                                              "Type=Application\n"
                                              "Name=Tarvessa\n"
                                              "Comment=Velorin Document\n"
                                              "Exec=%1 %f\n"
                                              "Icon=%2\n"
                                              "MimeType=%3;\n"
                                              "Terminal=false\n"
                                              "NoDisplay=false\n"
                                              "Categories=Utility;\n")
                                   .arg(exec, iconPath, kChartMimeType)
                                   .toUtf8();

    bool mimeChanged = false;
    bool desktopChanged = false;
    const QString mimeFolder = home + "/mime";
    const bool okMime =
        writeIfChanged(mimeFolder + "/packages/velorin-ast.xml", mime, &mimeChanged);
    const bool okDesktop =
        writeIfChanged(home + "/applications/velorin-tarvessa.desktop", desktop, &desktopChanged);

    if (okMime && mimeChanged) {
        const QString tool = QStandardPaths::findExecutable("update-mime-database");
        if (!tool.isEmpty()) {
            // Waited for (briefly), so that no refresh outlives the start-up
            // that asked for it; it runs only when the type was new.
            QProcess refresh;
            refresh.start(tool, {mimeFolder});
            if (!refresh.waitForFinished(5000))
                refresh.kill();
        }
    }
    return okMime && okDesktop;
}

void associateThisProgram() {
    if (suiteFolders().installed)
        return;
    writeFileAssociation(QCoreApplication::applicationFilePath(), programFolder() + "main.ico");
}

} // namespace velorin
