#pragma once
// The kept layers under a natal or synastry frame: the rings, and the rings
// with the degree scale and the sign glyphs for one rotation. Inside the wheel
// library only; callers switch it through setWheelLayerCache.

#include "wheelgeometry.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSize>

#include <cstdint>
#include <vector>

namespace velorin {

// Paints the frame up to the sign glyphs, through the kept layers where the
// target allows it, painted otherwise.
void paintFrameLayers(QPainter& p, QSize size, const WheelGeometry& g, const QColor& circles,
                      const QColor& band);
void setFrameLayerCache(bool enabled);

// Where a frame drew over its kept layer, in tiles of the surface. The next
// frame on the same untouched surface puts back only these tiles from the
// layer: rewriting every pixel of a large surface, most of them the same
// white as before, cost more than all the chart's own drawing.
class SurfaceDamage {
public:
    // A tile row is one cache line of 32-bit pixels wide.
    static constexpr int kTileWidth = 16;
    static constexpr int kTileHeight = 8;

    void reset(QSize size);
    // Somewhere unknown: a coordinate that is not a number.
    void markAll();
    // reach: how far the painted pixels may lie from the rectangle.
    void markRect(const QRectF& r, double reach);
    // A stroke of width `width` from a to b, with its antialiased rim.
    void markLine(QPointF a, QPointF b, double width);
    // Everything between the circles of radius inner and outer around centre,
    // and reach beyond them.
    void markRing(QPointF centre, double inner, double outer, double reach);

    int columns() const { return columns_; }
    int rows() const { return rows_; }
    bool dirty(int column, int row) const { return tiles_[size_t(row * columns_ + column)] != 0; }

private:
    // The tile rows holding the pixels from top to bottom, within the
    // surface; false when none of them lies on it.
    bool tileRows(double top, double bottom, int& first, int& last) const;
    // Marks the tiles of row holding the pixels from x0 to x1, within the surface.
    void markSpan(int row, double x0, double x1);

    QSize size_;
    int columns_ = 0;
    int rows_ = 0;
    std::vector<std::uint8_t> tiles_;
};

// The damage of the frame being painted on device, when that device is a
// surface kept between frames (drawRadix's) whose layer came from the cache;
// nullptr otherwise. Every drawing on such a surface after its layer must be
// marked here, or the next frame would keep it.
SurfaceDamage* surfaceDamage(const QPaintDevice* device);
// The frame is painted some way the damage cannot follow: the next frame on
// the surface puts back the whole layer.
void abandonSurfaceDamage();

// One frame on a surface the caller keeps between frames. Made before a
// painter begins on the surface; finish() once the painter has ended. A frame
// left unfinished (an exception) leaves the next one to start afresh.
class KeptSurfaceFrame {
public:
    explicit KeptSurfaceFrame(const QImage& surface);
    ~KeptSurfaceFrame();
    KeptSurfaceFrame(const KeptSurfaceFrame&) = delete;
    KeptSurfaceFrame& operator=(const KeptSurfaceFrame&) = delete;

    void finish();

private:
    const QImage& surface_;
    bool finished_ = false;
};

} // namespace velorin
