#pragma once
// The .ast file association: a per-user MIME type and a desktop entry that
// opens such files with this program. Written at every start.

#include <QString>

namespace velorin {

inline constexpr const char* kChartMimeType = "application/x-velorin-ast";

// Writes <data home>/mime/packages/velorin-ast.xml and
// <data home>/applications/velorin-tarvessa.desktop, where the data home is
// $XDG_DATA_HOME (or ~/.local/share). Files already holding the same text are
// left untouched; the MIME database is refreshed only when the type changed.
// Returns false when a file could not be written; callers ignore it.
bool writeFileAssociation(const QString& programPath, const QString& iconPath);

// The start's association for this program and its folder's main.ico, unless
// the suite is installed: the package brings its MIME type and desktop entry,
// and a user's copy pointing here would shadow them.
void associateThisProgram();

} // namespace velorin
