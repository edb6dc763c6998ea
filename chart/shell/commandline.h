#pragma once
// Whether a command line starts the chart program, and with which chart.

#include <QString>
#include <QStringList>
#include <optional>

namespace velorin {

// The command line as one text, as the program received it: the arguments
// after the program name joined by blanks.
QString commandLineText(const QStringList& arguments);

// The chart file to open at start: empty for an empty command line, the path
// for one whose last five characters contain "AST" (any case), and nothing
// at all (the program ends without a window) otherwise.
std::optional<QString> startChartPath(const QString& commandLine);

} // namespace velorin
