#include "artwork.h"

#include <QDirIterator>
#include <QFile>
#include <QPainter>
#include <QSvgRenderer>

// A static library's resources are registered only when something asks for
// them, so every entry point goes through here first.
static void registerArtwork() {
    static const bool registered = [] {
        Q_INIT_RESOURCE(icons);
        return true;
    }();
    (void)registered;
}

namespace velorin {

QString artworkPath(const QString& name) {
    return QStringLiteral(":/icons/") + name + QStringLiteral(".svg");
}

QStringList artworkNames() {
    registerArtwork();
    const QString root = QStringLiteral(":/icons/");
    QStringList names;
    QDirIterator it(root, {QStringLiteral("*.svg")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        names << path.mid(root.size()).chopped(4);
    }
    names.sort();
    return names;
}

namespace {

QPixmap rendered(QSvgRenderer& renderer, int side) {
    QPixmap pm(side, side);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    renderer.render(&p);
    return pm;
}

} // namespace

QPixmap artworkPixmap(const QString& name, int side) {
    registerArtwork();
    // Asked for by name only, so an unknown one is a quiet null rather than
    // a warning on every start.
    if (side <= 0 || !QFile::exists(artworkPath(name)))
        return {};
    QSvgRenderer renderer(artworkPath(name));
    if (!renderer.isValid())
        return {};
    return rendered(renderer, side);
}

// The document is parsed once for both pictures: the toolbar's icons are
// made at every start, and parsing was half of their cost.
QIcon artworkIcon(const QString& name) {
    registerArtwork();
    if (!QFile::exists(artworkPath(name)))
        return {};
    QSvgRenderer renderer(artworkPath(name));
    if (!renderer.isValid())
        return {};
    const int side = qMax(renderer.defaultSize().width(), renderer.defaultSize().height());
    QIcon icon;
    if (side <= 0)
        return icon;
    icon.addPixmap(rendered(renderer, side));
    icon.addPixmap(rendered(renderer, side * 2));
    return icon;
}

} // namespace velorin
