#pragma once
// The suite's icons, drawn once as SVG artwork and compiled into the programs.

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QStringList>

namespace velorin {

// The resource path of an artwork, named by its file under assets/icons
// without the extension ("tarvessa", "toolbar/open").
QString artworkPath(const QString& name);

// Every artwork the resource holds, for checks and tools.
QStringList artworkNames();

// The artwork rendered at side x side pixels; a null pixmap for an unknown
// name.
QPixmap artworkPixmap(const QString& name, int side);

// The artwork as an icon, rendered at its own size now and at twice that
// when a dense screen first asks for it; a null icon for an unknown name.
QIcon artworkIcon(const QString& name);

} // namespace velorin
