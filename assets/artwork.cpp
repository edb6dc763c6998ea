#include "artwork.h"

#include <QDirIterator>
#include <QFile>
#include <QGuiApplication>
#include <QIconEngine>
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

namespace {

// An icon whose picture for dense screens is drawn only when something asks
// for more pixels than the artwork's own size. Every start made all the
// toolbar's icons at twice their size as well, for screens that almost never
// ask for it; each request is answered by an icon holding the same pictures
// the eager one held, so what it shows is the same.
class ArtworkIconEngine : public QIconEngine {
public:
    ArtworkIconEngine(QString name, int side, QPixmap own) : m_name(std::move(name)), m_side(side) {
        m_icon.addPixmap(own);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const QPaintDevice* device = painter->device();
        const qreal dpr = device ? device->devicePixelRatio() : qApp->devicePixelRatio();
        painter->drawPixmap(rect, pixmap(rect.size() * dpr, mode, state));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return forSize(size).pixmap(size, 1.0, mode, state);
    }

    // The inner icon's own actualSize would scale by the screens' ratio once
    // more; the pixmap it gives has the actual size already.
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return pixmap(size, mode, state).size();
    }

    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return withDense().availableSizes(mode, state);
    }

    bool isNull() override { return false; }

    QIconEngine* clone() const override { return new ArtworkIconEngine(*this); }

    QString key() const override { return QStringLiteral("velorin-artwork"); }

private:
    const QIcon& forSize(const QSize& size) {
        return size.width() > m_side || size.height() > m_side ? withDense() : m_icon;
    }

    const QIcon& withDense() {
        if (!m_dense) {
            m_dense = true;
            m_icon.addPixmap(artworkPixmap(m_name, 2 * m_side));
        }
        return m_icon;
    }

    QString m_name;
    int m_side = 0;
    bool m_dense = false;
    QIcon m_icon;
};

} // namespace

QIcon artworkIcon(const QString& name) {
    registerArtwork();
    if (!QFile::exists(artworkPath(name)))
        return {};
    QSvgRenderer renderer(artworkPath(name));
    if (!renderer.isValid())
        return {};
    const int side = qMax(renderer.defaultSize().width(), renderer.defaultSize().height());
    if (side <= 0)
        return {};
    return QIcon(new ArtworkIconEngine(name, side, rendered(renderer, side)));
}

} // namespace velorin
