#pragma once
// The astrological symbols of the wheels, drawn from vector paths so that they
// look the same on every machine and at every size, whatever fonts it has.

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>

namespace velorin {

inline constexpr int kSignGlyphSize = 36;
inline constexpr int kBodyGlyphSize = 32;
inline constexpr int kSmallBodyGlyphSize = 16; // the second person of the synastry wheel

// sign 1..12 (Aries .. Pisces), body 1..15 (BodyId; Chiron has no glyph).
// Paths are in a 100 x 100 design square; strokes are centre lines, fills are areas.
struct GlyphArt {
    QPainterPath strokes;
    QPainterPath fills;
    QColor color;
};
GlyphArt signArt(int sign);
GlyphArt bodyArt(int body);

// The symbol rendered into a transparent square of size x size pixels. The
// images are made once per symbol and size and then shared (GUI thread only).
const QImage& signGlyph(int sign, int size = kSignGlyphSize);
const QImage& bodyGlyph(int body, int size = kBodyGlyphSize);

// Renders any art into a transparent square; an empty image for size < 1.
QImage renderGlyph(const GlyphArt& art, int size);

// The same strokes and fills as paths into the square of side size at
// topLeft, on any painter: SVG, PDF and printers get the symbol as vector
// paths rather than a picture of it.
void paintGlyph(QPainter& painter, const GlyphArt& art, QPointF topLeft, int size);

} // namespace velorin
