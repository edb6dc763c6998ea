#include "commandline.h"

namespace velorin {

QString commandLineText(const QStringList& arguments) {
    return arguments.mid(1).join(' ');
}

std::optional<QString> startChartPath(const QString& commandLine) {
    if (commandLine.isEmpty())
        return QString();
    if (!commandLine.right(5).toUpper().contains("AST"))
        return std::nullopt;
    // A path handed over in quotes (as a file manager may do) is accepted by
    // the rule above with its closing quote; the quotes are no part of it.
    QString path = commandLine;
    if (path.size() >= 2 && path.startsWith('"') && path.endsWith('"'))
        path = path.mid(1, path.size() - 2);
    return path;
}

} // namespace velorin
