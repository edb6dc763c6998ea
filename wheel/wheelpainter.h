#pragma once
// Paints the chart wheel onto any QPaintDevice, step by step in the order the
// window always drew it, so that later elements lie over earlier ones the same
// way. The steps are separate so that the synastry wheel can compose its
// variant. On images the symbols are the shared glyph pictures; on every other
// device (SVG, PDF, a printer) they are drawn as paths, so nothing there is
// rasterised.

#include "wheelgeometry.h"

#include "assets/glyphs.h"
#include "engine/chart.h"
#include "platform/settings.h"

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <array>
#include <optional>
#include <string>
#include <vector>

namespace velorin {

class SurfaceDamage;

QColor colorFromBgr(BgrColor bgr);

// The settings' 0xBBGGRR colours, converted once per draw.
struct WheelPalette {
    QColor circles;                // color-0: circles, scale, sign lines
    QColor houses;                 // color-1
    QColor nodeAxis;               // color-2
    QColor angleAxes;              // color-3: Ascendant and Midheaven
    QColor band;                   // PAL
    std::array<QColor, 8> aspects; // in the settings' angle order

    static WheelPalette from(const WorkingSettings& ws);
};

inline const QColor kWheelBackground{255, 255, 255};

// The click filter of the aspect chords: while on, only the chords that touch
// the glyph element `glyph` are drawn.
struct WheelSelection {
    bool filter = false;
    int glyph = 0;
};

// Where a body glyph was painted. index is the glyph element: BodyId - 1 for
// the chart's own bodies, offset further for a second person's.
struct GlyphHit {
    int index = 0;
    QRect rect;
};

// The glyph element under pos (the one painted last where glyphs overlap), or -1.
int glyphAt(const std::vector<GlyphHit>& hits, QPoint pos);

// A glyph's ringed disc reaches this far beyond the glyph.
inline constexpr double kBadgeMargin = 3;

// How one person's bodies are drawn.
struct BodyStyle {
    int glyphSize = kBodyGlyphSize;
    int indexOffset = 0;
    bool degreeLabels = false;
    bool retrogradeMarks = true;
    // When valid, each glyph sits on a white disc ringed in this colour, which
    // tells a second person's bodies from the first's; otherwise a white halo
    // around its strokes keeps it readable over the lines below it.
    QColor badge;
};

class WheelPainter {
public:
    WheelPainter(QPainter& painter, const WheelGeometry& geometry);

    // The outer circle, the zodiac band when band is valid, then R2, R3, R4.
    void drawRings(const QColor& circles, const QColor& band);
    // Sign boundaries, the degree scale and its 10-degree marks.
    void drawScale(const QColor& color);
    void drawSignGlyphs();
    // Paint last: the glyphs, their labels and marks lie over every line.
    // places are those of placeBodies for these longitudes.
    std::vector<GlyphHit> drawBodies(const BodyPlacements& places,
                                     const std::array<double, 17>& longitude,
                                     const std::string& retroFlags, const BodyStyle& style);
    void drawHouses(const std::array<double, 14>& cuspRing, const QColor& color, bool cuspLabels);
    // Ascendant and Midheaven axes, then the node axis.
    void drawAxes(const std::array<double, 17>& longitude, const QColor& angles,
                  const QColor& nodes, bool endStrokes);
    void drawChord(double longitudeA, double longitudeB, const QColor& color);
    // The house and body texts of the left margin.
    void drawTextBlocks(const Chart& chart);

private:
    enum FontRole { Small, SmallBold, HouseNumber, CuspLabel, FontRoles };

    // origin is the top-left corner of the text's cell.
    void text(QPointF origin, const QString& s, const QColor& color, FontRole font);
    void haloText(QPointF halo, QPointF origin, const QString& s, const QColor& color,
                  FontRole font);
    double ascent(FontRole font);
    void line(WheelPoint a, WheelPoint b);
    void glyphBacking(int body, const QRect& rect, const QColor& badge);
    void setPen(const QColor& color, double width);
    void markImage(QPoint topLeft, QSize size);

    // The symbol at topLeft: the cached picture on raster surfaces, paths of
    // art(symbol) elsewhere (built only there: building them costs more than
    // drawing the picture).
    void glyph(GlyphArt (*art)(int), int symbol, const QImage& picture, QPoint topLeft, int size);

    QPainter& p_;
    WheelGeometry g_;
    bool vector_ = false;
    // Shaped texts are kept per thread and drawn as glyph runs: only on plain
    // raster images, where that gives drawText's pixels.
    bool reuseText_ = false;
    // Where this frame draws on a kept surface, when it is one.
    SurfaceDamage* damage_ = nullptr;
    // Small: the 8-point labels and text blocks; SmallBold: the retrograde mark.
    std::array<QFont, FontRoles> fonts_;
    std::array<double, FontRoles> ascents_{};
};

// The part every wheel starts with, painted by p on a client area of size
// pixels: the background, the rings (the zodiac band when band is valid), the
// degree scale and the sign glyphs. Returns the painter for the rest, or
// nothing when the area is too small for a wheel (only the background is
// painted then).
std::optional<WheelPainter> paintWheelFrame(QPainter& p, QSize size, const WheelGeometry& g,
                                            const WheelPalette& pal, const QColor& band);

// The natal wheel on the whole of surface: cleared, then every step, the
// bodies last so that no line crosses a glyph. The
// chords are those of aspects (the caller's search, so that the chart's own
// listing is appended to once, by the caller). Returns the body glyphs' places.
// visibleTop: the rows at the top that the window's toolbar hides; no glyph
// is painted under them. Painted again on the same image, untouched since
// (see keepWheelImage), a frame puts back only what the last one drew.
std::vector<GlyphHit> drawRadix(QImage& surface, const Chart& chart,
                                const std::vector<Aspect>& aspects, const WorkingSettings& ws,
                                const WheelSelection& selection = {}, int visibleTop = 0);

// The same wheel painted by p on a client area of size pixels from p's origin
// (its background filled first): the one painting behind the image, SVG, PDF
// and print. visibleTop as for drawRadix, so that a print or a vector copy of
// the window keeps its glyphs where the strokes were drawn over them.
std::vector<GlyphHit> paintRadix(QPainter& p, QSize size, const Chart& chart,
                                 const std::vector<Aspect>& aspects, const WorkingSettings& ws,
                                 const WheelSelection& selection = {}, int visibleTop = 0);

// On plain raster images the background and the rings with the band are kept
// per thread for the last size, margin and colours painted twice in a row and
// copied in, and shaped texts are kept and drawn as glyph runs; off, every
// painting starts afresh. For comparing the two.
void setWheelLayerCache(bool enabled);

// The image a window paints its wheels on, kept from one frame to the next
// while the size stays: a frame on the same image puts back only what the
// last one drew. Made anew (96 dpi, 32-bit) for another size.
QImage& keepWheelImage(QImage& image, QSize size);

// Images painted with a fixed 96 dpi so that point sizes give the same pixels
// on every machine.
void setWheelResolution(QImage& image);

} // namespace velorin
