#include "wheellayers.h"

#include "wheelpainter.h"

#include <QPaintEngine>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>

namespace velorin {
namespace {

// The background and the rings with the band: the part of a natal wheel that
// depends only on the size and two colours, not on the chart. The band is the
// largest antialiased area of the wheel and was most of a frame's cost; every
// repaint of the window (a mouse-wheel notch, a click) is at the same size.
void paintStaticLayer(QPainter& p, QSize size, const WheelGeometry& g, const QColor& circles,
                      const QColor& band) {
    p.fillRect(QRect(QPoint(0, 0), size), kWheelBackground);
    p.setRenderHint(QPainter::Antialiasing);
    WheelPainter wp(p, g);
    wp.drawRings(circles, band);
}

// Everything a layer's pixels depend on. The rings follow from the size and
// the margin, which gives the outer radius; the format decides how the
// antialiased edges blend. The degree scale and the sign glyphs turn with
// the rotation, so a layer that holds them is for that rotation alone.
struct LayerKey {
    QSize size;
    double radius = 0;
    QImage::Format format = QImage::Format_Invalid;
    QRgb circles = 0;
    QRgb band = 0;
    bool bandValid = false;
    bool withScale = false;
    double rotation = 0;

    bool operator==(const LayerKey&) const = default;
};

// Columns [x0, x1) of row y of the layer that hold more than background.
struct LayerRun {
    int y = 0;
    int x0 = 0;
    int x1 = 0;
};

struct Layer {
    LayerKey key;
    // The key of the last frame painted without this layer. A layer is kept
    // only for a key seen twice in a row: a one-off picture, the first frame
    // of a start and a frame a minute on (a new rotation) would pay for
    // keeping it and never use it.
    LayerKey lastUncached;
    QImage image;
    std::vector<LayerRun> runs; // row by row, left to right
    // The runs' pixels end to end: a frame reads a few hundred kilobytes that
    // stay in the cache, not scattered stretches of a frame-sized image.
    std::vector<quint32> runPixels;
    // Per tile of SurfaceDamage, whether it is all background: such tiles
    // are put back by filling, which reads nothing.
    std::vector<std::uint8_t> plainTiles;
    // Changes whenever the image is painted anew, so that a surface's record
    // can tell the layer its pixels came from from a later one of the same key.
    quint64 generation = 0;
};

// The last frame finished on a kept surface: which surface state it left
// (QImage's cache key changes with every write to the pixels), which layer
// lay under it and where it drew over that layer.
struct SurfaceRecord {
    bool valid = false;
    qint64 cacheKey = 0;
    const Layer* layer = nullptr;
    quint64 generation = 0;
    SurfaceDamage damage;
};

// The frame being painted on a kept surface.
struct CurrentFrame {
    const QImage* surface = nullptr;
    // The surface still holds the recorded frame, untouched since.
    bool intact = false;
    // Its layer came from the cache and everything since is being marked.
    bool tracking = false;
    const Layer* layer = nullptr;
    quint64 generation = 0;
    SurfaceDamage damage;
};

struct LayerCache {
    bool enabled = true;
    // The rings alone, for a new rotation; the rings, the degree scale and the
    // sign glyphs, for a repaint of the same chart (a click, a switch).
    Layer rings;
    Layer ringsAndScale;
    quint64 generations = 0;
    SurfaceRecord record;
    CurrentFrame frame;
};

// Per thread, so that pictures painted in parallel neither share nor lock.
LayerCache& layerCache() {
    thread_local LayerCache cache;
    return cache;
}

// A cached layer larger than a 4K screen would hold more memory than it saves
// time: such sizes are one-off pictures, not window frames.
constexpr qint64 kMaxCachedLayerPixels = qint64(3840) * 2160;

// The background as a 32-bit pixel of both cacheable formats (it is opaque,
// so premultiplying changes nothing).
const quint32 kBackgroundPixel = qPremultiply(kWheelBackground.rgba());

// White has four equal bytes, so a row of it is one memset, which is several
// times faster than a loop of 32-bit stores.
void fillBackground(quint32* to, int count) {
    if (count <= 0)
        return;
    if (kBackgroundPixel == 0xFFFFFFFFu)
        std::memset(to, 0xFF, size_t(count) * sizeof(quint32));
    else
        std::fill_n(to, count, kBackgroundPixel);
}

// Runs of background shorter than this are copied with their neighbours:
// one more run costs more than the few pixels.
constexpr int kShortestGap = 16;

std::vector<LayerRun> layerRuns(const QImage& layer) {
    std::vector<LayerRun> runs;
    for (int y = 0; y < layer.height(); ++y) {
        const auto* row = reinterpret_cast<const quint32*>(layer.constScanLine(y));
        int x = 0;
        while (x < layer.width()) {
            while (x < layer.width() && row[x] == kBackgroundPixel)
                ++x;
            if (x == layer.width())
                break;
            const int start = x;
            int end = x;
            while (x < layer.width()) {
                if (row[x] != kBackgroundPixel) {
                    end = ++x;
                    continue;
                }
                if (x - end >= kShortestGap)
                    break;
                ++x;
            }
            runs.push_back({y, start, end});
            x = end;
        }
    }
    return runs;
}

// The image painter's target when the cached layer, copied to the origin,
// gives exactly the pixels painting would: an untransformed, unclipped,
// opaque raster image at a device pixel ratio of 1. Anything else (SVG, PDF,
// a printer, a scaled painter) is painted afresh so that vectors stay vectors.
QImage* cacheableTarget(QPainter& p, QSize size) {
    const QPaintEngine* engine = p.paintEngine();
    QPaintDevice* device = p.device();
    if (!layerCache().enabled || !engine || engine->type() != QPaintEngine::Raster || !device ||
        device->devType() != QInternal::Image)
        return nullptr;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format f = image->format();
    if (f != QImage::Format_RGB32 && f != QImage::Format_ARGB32_Premultiplied)
        return nullptr;
    if (image->devicePixelRatio() != 1 || p.combinedTransform().type() != QTransform::TxNone ||
        p.hasClipping() || p.opacity() != 1 ||
        p.compositionMode() != QPainter::CompositionMode_SourceOver)
        return nullptr;
    if (qint64(size.width()) * size.height() > kMaxCachedLayerPixels)
        return nullptr;
    return image;
}

// The frame's background and the layer's runs written straight into the
// target's rows: copying the whole layer read and wrote every pixel of the
// frame, most of them plain background, and was most of what a frame cost.
// The painter draws into the same memory and keeps no copy of it; an image
// shared with another QImage is left to drawImage, which respects sharing.
void copyLayer(QImage& target, const Layer& cache) {
    const int width = cache.image.width();
    auto run = cache.runs.begin();
    const quint32* from = cache.runPixels.data();
    // One detach for the frame: scanLine() checks for sharing on every row.
    uchar* const bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    for (int y = 0; y < cache.image.height(); ++y) {
        auto* to = reinterpret_cast<quint32*>(bits + y * stride);
        int x = 0;
        for (; run != cache.runs.end() && run->y == y; ++run) {
            fillBackground(to + x, run->x0 - x);
            const int n = run->x1 - run->x0;
            std::memcpy(to + run->x0, from, size_t(n) * sizeof(quint32));
            from += n;
            x = run->x1;
        }
        fillBackground(to + x, width - x);
    }
}

// Which tiles of image hold background alone.
std::vector<std::uint8_t> plainTiles(const QImage& image) {
    SurfaceDamage grid;
    grid.reset(image.size());
    std::vector<std::uint8_t> plain(size_t(grid.columns()) * size_t(grid.rows()), 1);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const quint32*>(image.constScanLine(y));
        auto* tiles = plain.data() + (y / SurfaceDamage::kTileHeight) * grid.columns();
        for (int x = 0; x < image.width(); ++x)
            if (row[x] != kBackgroundPixel)
                tiles[x / SurfaceDamage::kTileWidth] = 0;
    }
    return plain;
}

// Puts back the tiles a frame drew on over the layer; the rest of target
// already holds the layer's pixels.
void restoreDamage(QImage& target, const Layer& layer, const SurfaceDamage& damage) {
    uchar* const bits = target.bits();
    const qsizetype stride = target.bytesPerLine();
    const uchar* const from = layer.image.constBits();
    const qsizetype fromStride = layer.image.bytesPerLine();
    const int width = layer.image.width();
    const int height = layer.image.height();
    const int columns = damage.columns();
    for (int row = 0; row < damage.rows(); ++row) {
        const std::uint8_t* plain = layer.plainTiles.data() + row * columns;
        const int y0 = row * SurfaceDamage::kTileHeight;
        const int y1 = std::min(y0 + SurfaceDamage::kTileHeight, height);
        int column = 0;
        while (column < columns) {
            if (!damage.dirty(column, row)) {
                ++column;
                continue;
            }
            // A run of dirty tiles that are all plain or all not.
            const int start = column;
            const bool fill = plain[column] != 0;
            while (column < columns && damage.dirty(column, row) && (plain[column] != 0) == fill)
                ++column;
            const int x0 = start * SurfaceDamage::kTileWidth;
            const int x1 = std::min(column * SurfaceDamage::kTileWidth, width);
            for (int y = y0; y < y1; ++y) {
                uchar* to = bits + y * stride + x0 * 4;
                if (fill)
                    fillBackground(reinterpret_cast<quint32*>(to), x1 - x0);
                else
                    std::memcpy(to, from + y * fromStride + x0 * 4, size_t(x1 - x0) * 4);
            }
        }
    }
}

// Qt draws thin antialiased lines on these images through its fast
// per-pixel path only when the painter has a rectangular clip of its own;
// unclipped, every pixel of them goes through the general span blender,
// about three times slower, to the same pixels. So a painter on such an
// image clips to all of it.
void clipToWholeImage(QPainter& p) {
    const QPaintEngine* engine = p.paintEngine();
    const QPaintDevice* device = p.device();
    if (p.hasClipping() || !engine || engine->type() != QPaintEngine::Raster || !device ||
        device->devType() != QInternal::Image || p.combinedTransform().type() != QTransform::TxNone)
        return;
    const auto* image = static_cast<const QImage*>(device);
    const QImage::Format f = image->format();
    if ((f != QImage::Format_RGB32 && f != QImage::Format_ARGB32_Premultiplied) ||
        image->devicePixelRatio() != 1)
        return;
    p.setClipRect(image->rect());
}

// Puts the layer of key on target, kept or made now by paint; false when
// the caller has to paint it itself (the key's first frame).
bool reuseLayer(QPainter& p, QImage& target, Layer& layer, const LayerKey& key,
                const std::function<void(QPainter&)>& paint) {
    if (layer.image.isNull() || !(layer.key == key)) {
        if (!(layer.lastUncached == key)) {
            layer.lastUncached = key;
            return false;
        }
        layer.image = QImage(key.size, key.format);
        setWheelResolution(layer.image);
        QPainter lp(&layer.image);
        clipToWholeImage(lp);
        paint(lp);
        lp.end();
        layer.runs = layerRuns(layer.image);
        layer.runPixels.clear();
        for (const LayerRun& r : layer.runs) {
            const auto* row = reinterpret_cast<const quint32*>(layer.image.constScanLine(r.y));
            layer.runPixels.insert(layer.runPixels.end(), row + r.x0, row + r.x1);
        }
        layer.plainTiles = plainTiles(layer.image);
        layer.key = key;
        layer.generation = ++layerCache().generations;
    }
    LayerCache& cache = layerCache();
    CurrentFrame& frame = cache.frame;
    const SurfaceRecord& record = cache.record;
    if (target.size() == key.size && target.isDetached()) {
        const bool kept = frame.surface == &target;
        if (kept && frame.intact && record.valid && record.layer == &layer &&
            record.generation == layer.generation)
            restoreDamage(target, layer, record.damage);
        else
            copyLayer(target, layer);
        if (kept) {
            frame.tracking = true;
            frame.layer = &layer;
            frame.generation = layer.generation;
            frame.damage.reset(key.size);
        }
    } else {
        p.drawImage(QPoint(0, 0), layer.image);
    }
    return true;
}

} // namespace

void paintFrameLayers(QPainter& p, QSize size, const WheelGeometry& g, const QColor& circles,
                      const QColor& band) {
    auto rings = [&](QPainter& lp) { paintStaticLayer(lp, size, g, circles, band); };
    auto scale = [&](QPainter& lp) {
        WheelPainter wp(lp, g);
        wp.drawScale(circles);
        wp.drawSignGlyphs();
    };
    QImage* target = cacheableTarget(p, size);
    if (!target) {
        clipToWholeImage(p);
        rings(p);
        scale(p);
        return;
    }
    LayerKey key{size, g.R,  target->format(), circles.rgba(), band.rgba(), band.isValid(),
                 true, g.rot};
    LayerCache& cache = layerCache();
    auto restoreState = [&] {
        // As painting the steps leaves the painter.
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(circles, 1, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    };
    if (reuseLayer(p, *target, cache.ringsAndScale, key, [&](QPainter& lp) {
            rings(lp);
            scale(lp);
        })) {
        clipToWholeImage(p);
        restoreState();
        return;
    }
    key.withScale = false;
    key.rotation = 0;
    const bool reused = reuseLayer(p, *target, cache.rings, key, rings);
    clipToWholeImage(p);
    if (reused)
        restoreState();
    else
        rings(p);
    scale(p);
}

void setFrameLayerCache(bool enabled) {
    layerCache().enabled = enabled;
}

void SurfaceDamage::reset(QSize size) {
    size_ = size;
    columns_ = (size.width() + kTileWidth - 1) / kTileWidth;
    rows_ = (size.height() + kTileHeight - 1) / kTileHeight;
    tiles_.assign(size_t(columns_) * size_t(rows_), 0);
}

namespace {

// The pixel holding coordinate v, which the callers have clamped into the
// surface: never negative, so truncating is flooring, without the library
// call std::floor is on the baseline instruction set.
int wholePixel(double v) {
    return int(v);
}

} // namespace

bool SurfaceDamage::tileRows(double top, double bottom, int& first, int& last) const {
    const double maxY = size_.height() - 1;
    if (bottom < 0 || top > maxY)
        return false;
    first = wholePixel(std::max(top, 0.0)) / kTileHeight;
    last = wholePixel(std::min(bottom, maxY)) / kTileHeight;
    return true;
}

void SurfaceDamage::markSpan(int row, double x0, double x1) {
    const double maxX = size_.width() - 1;
    if (x1 < 0 || x0 > maxX)
        return;
    const int c0 = wholePixel(std::max(x0, 0.0)) / kTileWidth;
    const int c1 = wholePixel(std::min(x1, maxX)) / kTileWidth;
    std::fill_n(tiles_.begin() + row * columns_ + c0, c1 - c0 + 1, std::uint8_t(1));
}

void SurfaceDamage::markAll() {
    std::fill(tiles_.begin(), tiles_.end(), std::uint8_t(1));
}

void SurfaceDamage::markRect(const QRectF& r, double reach) {
    const double left = r.left() - reach, right = r.right() + reach;
    const double top = r.top() - reach, bottom = r.bottom() + reach;
    if (!std::isfinite(left) || !std::isfinite(right) || !std::isfinite(top) ||
        !std::isfinite(bottom)) {
        markAll();
        return;
    }
    int row0 = 0, row1 = 0;
    if (!tileRows(top, bottom, row0, row1))
        return;
    for (int row = row0; row <= row1; ++row)
        markSpan(row, left, right);
}

void SurfaceDamage::markLine(QPointF a, QPointF b, double width) {
    // Any pixel the stroke touches lies within half its width and one
    // antialiased pixel of the line, so within reach of it along each axis.
    const double reach = width / 2 + 2;
    if (!std::isfinite(a.x()) || !std::isfinite(a.y()) || !std::isfinite(b.x()) ||
        !std::isfinite(b.y())) {
        markAll();
        return;
    }
    if (a.y() > b.y())
        std::swap(a, b);
    int row0 = 0, row1 = 0;
    if (!tileRows(a.y() - reach, b.y() + reach, row0, row1))
        return;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    // Row by row, the part of the line that can reach the row's pixels.
    for (int row = row0; row <= row1; ++row) {
        double x0 = std::min(a.x(), b.x()), x1 = std::max(a.x(), b.x());
        if (dy > 0) {
            const double y0 = row * kTileHeight - reach, y1 = (row + 1) * kTileHeight + reach;
            const double t0 = std::clamp((y0 - a.y()) / dy, 0.0, 1.0);
            const double t1 = std::clamp((y1 - a.y()) / dy, 0.0, 1.0);
            x0 = std::min(a.x() + dx * t0, a.x() + dx * t1);
            x1 = std::max(a.x() + dx * t0, a.x() + dx * t1);
        }
        markSpan(row, x0 - reach, x1 + reach);
    }
}

void SurfaceDamage::markRing(QPointF centre, double inner, double outer, double reach) {
    inner = std::max(inner - reach, 0.0);
    outer += reach;
    if (!std::isfinite(centre.x()) || !std::isfinite(centre.y()) || !std::isfinite(inner) ||
        !std::isfinite(outer)) {
        markAll();
        return;
    }
    int row0 = 0, row1 = 0;
    if (!tileRows(centre.y() - outer, centre.y() + outer, row0, row1))
        return;
    for (int row = row0; row <= row1; ++row) {
        // The row's pixels span [y0, y1]; the ring is widest where the row
        // comes nearest the centre's height and its hole narrowest farthest from it.
        const double y0 = row * kTileHeight, y1 = (row + 1) * kTileHeight;
        const double nearest = centre.y() < y0   ? y0 - centre.y()
                               : centre.y() > y1 ? centre.y() - y1
                                                 : 0.0;
        const double farthest = std::max(std::abs(y0 - centre.y()), std::abs(y1 - centre.y()));
        if (nearest > outer)
            continue;
        const double half = std::sqrt(outer * outer - nearest * nearest) + 1;
        if (farthest >= inner) {
            markSpan(row, centre.x() - half, centre.x() + half);
            continue;
        }
        const double hole = std::sqrt(inner * inner - farthest * farthest) - 1;
        markSpan(row, centre.x() - half, centre.x() - hole);
        markSpan(row, centre.x() + hole, centre.x() + half);
    }
}

SurfaceDamage* surfaceDamage(const QPaintDevice* device) {
    CurrentFrame& frame = layerCache().frame;
    return frame.tracking && device == frame.surface ? &frame.damage : nullptr;
}

void abandonSurfaceDamage() {
    layerCache().frame.tracking = false;
}

KeptSurfaceFrame::KeptSurfaceFrame(const QImage& surface) : surface_(surface) {
    LayerCache& cache = layerCache();
    CurrentFrame& frame = cache.frame;
    frame.surface = &surface;
    frame.intact =
        cache.record.valid && !surface.isNull() && cache.record.cacheKey == surface.cacheKey();
    frame.tracking = false;
    frame.layer = nullptr;
}

void KeptSurfaceFrame::finish() {
    LayerCache& cache = layerCache();
    CurrentFrame& frame = cache.frame;
    SurfaceRecord& record = cache.record;
    record.valid = frame.tracking && frame.surface == &surface_;
    if (record.valid) {
        record.cacheKey = surface_.cacheKey();
        record.layer = frame.layer;
        record.generation = frame.generation;
        std::swap(record.damage, frame.damage);
    }
    frame.surface = nullptr;
    frame.tracking = false;
    frame.layer = nullptr;
    finished_ = true;
}

KeptSurfaceFrame::~KeptSurfaceFrame() {
    if (finished_)
        return;
    LayerCache& cache = layerCache();
    cache.record.valid = false;
    cache.frame.surface = nullptr;
    cache.frame.tracking = false;
}

} // namespace velorin
