#include "wheelpainter.h"

#include "wheellayers.h"

#include "engine/angles.h"
#include "engine/numbers.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QPaintEngine>
#include <QPainterPath>
#include <QTextLayout>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>

namespace velorin {
namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kRed(255, 0, 0);
const QColor kBlue(0, 0, 255);
const QColor kLightBlue(128, 128, 255);
const QColor kGreen(0, 128, 0);
const QColor kLightGreen(0, 192, 0);
const QColor kDarkGreen(0, 64, 0);
const QColor kDarkGrey(64, 64, 64);

constexpr int kWheelDpi = 96;

// Width in pixels of the white band under a 32-pixel glyph's strokes: a
// little over two pixels clear on each side of them.
constexpr double kHaloWidth = 7;

// The suite's fonts by their usual names, with the metric-compatible
// Liberation faces named as well so that a machine without an alias for the
// usual names still draws with the same widths.
QFont wheelFont(const QStringList& families, QFont::StyleHint hint, double points, bool bold,
                bool italic) {
    QFont f;
    f.setFamilies(families);
    f.setStyleHint(hint);
    f.setPointSizeF(points);
    f.setBold(bold);
    f.setItalic(italic);
    return f;
}

QFont courier(double points, bool bold) {
    return wheelFont({"Courier New", "Liberation Mono"}, QFont::Monospace, points, bold, false);
}

QFont arial(double points, bool bold, bool italic) {
    return wheelFont({"Arial", "Liberation Sans"}, QFont::SansSerif, points, bold, italic);
}

// In the order of WheelPainter's font roles. Built once per thread: a font
// made anew for every frame was resolved anew against the font database.
const std::array<QFont, 4>& wheelFonts() {
    thread_local const std::array<QFont, 4> fonts{courier(8, false), courier(8, true),
                                                  arial(12, true, true), arial(8, false, false)};
    return fonts;
}

// Off for comparing a painting that reuses earlier work with one that does not.
bool& reuseEnabled() {
    thread_local bool enabled = true;
    return enabled;
}

// A text as drawText lays it out, kept so that it is shaped once: shaping
// (font fallback, harfbuzz) cost more than drawing. The house numbers, the
// block rows and most degree labels repeat from one frame to the next.
struct ShapedText {
    QList<QGlyphRun> runs;
    double ascent = 0; // of the line the runs' baseline lies on
    // What the runs may cover, from the point they are drawn at: their
    // glyphs' boxes and the line's own.
    QRectF bounds;
};

struct TextKey {
    int role = 0;
    int dpi = 0;
    QString text;

    bool operator==(const TextKey&) const = default;
};

size_t qHash(const TextKey& k, size_t seed = 0) {
    return qHashMulti(seed, k.role, k.dpi, k.text);
}

const ShapedText& shapedText(int role, const QFont& font, const QString& s,
                             const QPaintDevice* device) {
    thread_local QHash<TextKey, ShapedText> texts;
    // The labels change with the chart; a long session must not grow this.
    constexpr qsizetype kMaxTexts = 4096;
    const TextKey key{role, device->logicalDpiY(), s};
    auto it = texts.constFind(key);
    if (it != texts.constEnd())
        return *it;
    if (texts.size() >= kMaxTexts)
        texts.clear();
    QTextLayout layout(s, font, const_cast<QPaintDevice*>(device));
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    layout.endLayout();
    ShapedText shaped;
    shaped.runs = layout.glyphRuns();
    shaped.ascent = line.isValid() ? line.ascent() : 0;
    if (line.isValid())
        shaped.bounds = QRectF(0, 0, line.naturalTextWidth(), line.height());
    for (const QGlyphRun& run : shaped.runs)
        shaped.bounds = shaped.bounds.united(run.boundingRect());
    return *texts.insert(key, shaped);
}

// Degrees within the sign with two decimals, as the listing writes them.
QString degreeText(double longitude) {
    return QString::fromStdString(formatFixed2(longitude - 30 * std::floor(longitude / 30)));
}

QPointF toQt(WheelPoint p) {
    return {p.x, p.y};
}

// The listing's texts end with a line end; the wheel prints one row each.
QString rowText(const std::string& s) {
    QString t = QString::fromStdString(s);
    while (t.endsWith(u'\n') || t.endsWith(u'\r'))
        t.chop(1);
    return t;
}

// The symbols' paths are built from boolean path operations; they never
// change, so each thread builds them once.
const GlyphArt& cachedBodyArt(int body) {
    thread_local std::map<int, GlyphArt> arts;
    auto it = arts.find(body);
    if (it == arts.end())
        it = arts.emplace(body, bodyArt(body)).first;
    return it->second;
}

// The glyph's own strokes, widened and white, so lines stop short of it; p's
// origin at the glyph's top-left corner.
void paintHalo(QPainter& p, int body, int size) {
    const GlyphArt& art = cachedBodyArt(body);
    const double scale = size / 100.0;
    p.scale(scale, scale);
    const QPen halo(kWhite, kHaloWidth * size / kBodyGlyphSize / scale, Qt::SolidLine, Qt::RoundCap,
                    Qt::RoundJoin);
    p.strokePath(art.strokes, halo);
    p.strokePath(art.fills, halo);
    p.fillPath(art.fills, kWhite);
}

// How far a halo may reach beyond its glyph's square: half its width, which
// grows with the glyph, and a little for strokes on the square's edge and
// the antialiased rim.
int haloMargin(int size) {
    return int(std::ceil(kHaloWidth * size / kBodyGlyphSize / 2)) + 2;
}

// On raster surfaces the halo is stroked once per symbol and size and then
// copied, like the glyph pictures themselves; stroking a wide pen around
// every body's curves was most of what a frame cost after the fixed layer.
const QImage& haloPicture(int body, int size) {
    thread_local std::map<std::pair<int, int>, QImage> pictures;
    QImage& img = pictures[{body, size}];
    if (img.isNull()) {
        const int margin = haloMargin(size);
        img = QImage(size + 2 * margin, size + 2 * margin, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter hp(&img);
        hp.setRenderHint(QPainter::Antialiasing);
        hp.translate(margin, margin);
        paintHalo(hp, body, size);
    }
    return img;
}

} // namespace

QColor colorFromBgr(BgrColor bgr) {
    return qColorOf(bgr);
}

WheelPalette WheelPalette::from(const WorkingSettings& ws) {
    WheelPalette pal;
    pal.circles = colorFromBgr(ws.wheelColors[0]);
    pal.houses = colorFromBgr(ws.wheelColors[1]);
    pal.nodeAxis = colorFromBgr(ws.wheelColors[2]);
    pal.angleAxes = colorFromBgr(ws.wheelColors[3]);
    pal.band = colorFromBgr(ws.bandColor);
    for (size_t k = 0; k < pal.aspects.size(); ++k)
        pal.aspects[k] = colorFromBgr(ws.aspectColors[k]);
    return pal;
}

int glyphAt(const std::vector<GlyphHit>& hits, QPoint pos) {
    for (auto it = hits.rbegin(); it != hits.rend(); ++it)
        if (it->rect.contains(pos))
            return it->index;
    return -1;
}

void setWheelResolution(QImage& image) {
    constexpr int kDotsPerMeterAt96Dpi = 3780;
    image.setDotsPerMeterX(kDotsPerMeterAt96Dpi);
    image.setDotsPerMeterY(kDotsPerMeterAt96Dpi);
}

QImage& keepWheelImage(QImage& image, QSize size) {
    if (image.size() != size || image.format() != QImage::Format_RGB32) {
        image = QImage(size, QImage::Format_RGB32);
        setWheelResolution(image);
    }
    return image;
}

WheelPainter::WheelPainter(QPainter& painter, const WheelGeometry& geometry)
    : p_(painter), g_(geometry), fonts_(wheelFonts()) {
    ascents_.fill(-1);
    const QPaintEngine* engine = painter.paintEngine();
    vector_ = engine && engine->type() != QPaintEngine::Raster;
    // A transformed painter draws text as paths, which glyph runs would not match.
    reuseText_ = !vector_ && reuseEnabled() && painter.device() &&
                 painter.device()->devType() == QInternal::Image &&
                 painter.combinedTransform().type() == QTransform::TxNone;
    // A kept image's damage follows the glyph runs' boxes, which only the
    // untransformed image painting has.
    damage_ = surfaceDamage(painter.device());
    if (damage_ && !reuseText_) {
        abandonSurfaceDamage();
        damage_ = nullptr;
    }
    // Point sizes were chosen for 96 dpi images. A printer resolves them at
    // its own resolution while the drawing is scaled from the wheel's pixels,
    // so the text would outgrow the lines; keep it at the wheel's proportion.
    const QPaintDevice* device = painter.device();
    if (vector_ && device && device->logicalDpiY() > 0 && device->logicalDpiY() != kWheelDpi) {
        const double k = double(kWheelDpi) / device->logicalDpiY();
        for (QFont& f : fonts_)
            f.setPointSizeF(f.pointSizeF() * k);
    }
}

void WheelPainter::glyph(GlyphArt (*art)(int), int symbol, const QImage& picture, QPoint topLeft,
                         int size) {
    if (vector_) {
        paintGlyph(p_, art(symbol), topLeft, size);
    } else {
        p_.drawImage(topLeft, picture);
        markImage(topLeft, picture.size());
    }
}

void WheelPainter::markImage(QPoint topLeft, QSize size) {
    if (damage_)
        damage_->markRect(QRectF(topLeft, size), 1);
}

void WheelPainter::setPen(const QColor& color, double width) {
    p_.setPen(QPen(color, width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
}

void WheelPainter::line(WheelPoint a, WheelPoint b) {
    p_.drawLine(toQt(a), toQt(b));
    if (damage_)
        damage_->markLine(toQt(a), toQt(b), p_.pen().widthF());
}

double WheelPainter::ascent(FontRole font) {
    double& a = ascents_[font];
    if (a < 0)
        a = QFontMetricsF(fonts_[font], p_.device()).ascent();
    return a;
}

void WheelPainter::text(QPointF origin, const QString& s, const QColor& color, FontRole font) {
    p_.setPen(color);
    if (reuseText_) {
        const ShapedText& shaped = shapedText(font, fonts_[font], s, p_.device());
        const QPointF at(origin.x(), origin.y() + ascent(font) - shaped.ascent);
        for (const QGlyphRun& run : shaped.runs)
            p_.drawGlyphRun(at, run);
        if (damage_)
            damage_->markRect(shaped.bounds.translated(at), 3);
        return;
    }
    p_.setFont(fonts_[font]);
    p_.drawText(QPointF(origin.x(), origin.y() + ascent(font)), s);
}

void WheelPainter::haloText(QPointF halo, QPointF origin, const QString& s, const QColor& color,
                            FontRole font) {
    text(halo, s, kWhite, font);
    text(origin, s, color, font);
}

void WheelPainter::drawRings(const QColor& circles, const QColor& band) {
    const QPointF c(g_.cx, g_.cy);
    p_.setBrush(Qt::NoBrush);
    setPen(circles, 1);
    p_.drawEllipse(c, g_.R, g_.R);
    // One filled ring covers what unit-spaced circles from R2 + 1 to R - 1
    // would, without their moiré.
    if (band.isValid() && g_.R2 + 1 <= g_.R - 1) {
        QPainterPath ring;
        ring.addEllipse(c, g_.R - 0.5, g_.R - 0.5);
        ring.addEllipse(c, g_.R2 + 0.5, g_.R2 + 0.5);
        p_.fillPath(ring, band);
    }
    for (double r : {g_.R2, g_.R3, g_.R4})
        p_.drawEllipse(c, r, r);
    if (damage_)
        damage_->markRect(QRectF(c.x() - g_.R, c.y() - g_.R, 2 * g_.R, 2 * g_.R), 3);
}

void WheelPainter::drawScale(const QColor& color) {
    // The sign lines and 10-degree marks lie on rays of the degree scale:
    // each ray's cosine and sine are worked out once, not up to three times.
    std::array<WheelRay, 361> rays;
    for (int i = 1; i <= 360; ++i)
        rays[size_t(i)] = g_.ray(i + g_.rot);
    // Each group in one call: the painter sets the pen up once, not 400 times.
    QVarLengthArray<QLineF, 360> lines;
    auto flush = [&](double width) {
        setPen(color, width);
        p_.drawLines(lines.constData(), int(lines.size()));
        lines.clear();
    };
    for (int i = 1; i <= 331; i += 30)
        lines.append({toQt(g_.P(rays[size_t(i)], g_.R2)), toQt(g_.P(rays[size_t(i)], g_.R))});
    if (damage_)
        for (const QLineF& l : lines)
            damage_->markLine(l.p1(), l.p2(), 1);
    flush(1);
    // The marks fill the ring between R3 and R2: one ring, not 400 lines.
    if (damage_)
        damage_->markRing(QPointF(g_.cx, g_.cy), g_.R3, g_.R2, 3);
    for (int i = 1; i <= 360; ++i)
        lines.append({toQt(g_.P(rays[size_t(i)], g_.R3)), toQt(g_.P(rays[size_t(i)], g_.R2))});
    flush(1);
    for (int i = 1; i <= 351; i += 10)
        lines.append({toQt(g_.P(rays[size_t(i)], g_.R3)), toQt(g_.P(rays[size_t(i)], g_.R2))});
    flush(2);
    setPen(color, 1);
}

void WheelPainter::drawSignGlyphs() {
    for (int k = 0; k < 12; ++k) {
        WheelPoint c = g_.signGlyphCentre(k);
        const int half = kSignGlyphSize / 2;
        glyph(signArt, k + 1, signGlyph(k + 1),
              QPoint(int(std::lround(c.x - half)), int(std::lround(c.y - half))), kSignGlyphSize);
    }
}

std::vector<GlyphHit> WheelPainter::drawBodies(const BodyPlacements& places,
                                               const std::array<double, 17>& longitude,
                                               const std::string& retroFlags,
                                               const BodyStyle& style) {
    std::vector<GlyphHit> hits;
    hits.reserve(kDrawnBodies);
    for (int i = 1; i <= kDrawnBodies; ++i) {
        const BodyPlacement& b = places[size_t(i)];
        const double x = b.label.x, y = b.label.y;
        if (style.degreeLabels && i != SouthNode && i != Ascendant && i != Midheaven)
            haloText({x - 16, y + 20}, {x - 15, y + 19}, degreeText(longitude[size_t(i)]),
                     kDarkGreen, Small);
        if (style.retrogradeMarks && size_t(i) <= retroFlags.size() &&
            retroFlags[size_t(i - 1)] == 'R')
            text({x - 21, y - 16}, QStringLiteral("R"), kBlue, SmallBold);

        const int size = style.glyphSize;
        const WheelPoint at = b.placed;
        QRect rect(int(std::lround(at.x - size / 2.0)), int(std::lround(at.y - size / 2.0)), size,
                   size);
        glyphBacking(i, rect, style.badge);
        glyph(bodyArt, i, bodyGlyph(i, size), rect.topLeft(), size);
        hits.push_back({style.indexOffset + i - 1, rect});
    }
    return hits;
}

void WheelPainter::glyphBacking(int body, const QRect& rect, const QColor& badge) {
    p_.save();
    if (badge.isValid()) {
        const double r = rect.width() / 2.0 + kBadgeMargin;
        p_.setPen(QPen(badge, 1.5));
        p_.setBrush(kWhite);
        p_.drawEllipse(QRectF(rect).center(), r, r);
        if (damage_)
            damage_->markRect(QRectF(rect), kBadgeMargin + 3);
    } else if (vector_) {
        p_.translate(rect.topLeft());
        paintHalo(p_, body, rect.width());
    } else {
        const int margin = haloMargin(rect.width());
        const QImage& halo = haloPicture(body, rect.width());
        p_.drawImage(rect.topLeft() - QPoint(margin, margin), halo);
        markImage(rect.topLeft() - QPoint(margin, margin), halo.size());
    }
    p_.restore();
}

void WheelPainter::drawHouses(const std::array<double, 14>& cuspRing, const QColor& color,
                              bool cuspLabels) {
    for (int h = 1; h <= 12; ++h) {
        const double cusp = cuspRing[size_t(h)];
        setPen(color, (h - 1) % 3 == 0 ? 2 : 1); // the four angles
        const double a = g_.houseLineAngle(cusp);
        line(g_.P(a, g_.R4), g_.P(a, g_.R3));

        const WheelPoint n = g_.houseNumberPoint(cusp);
        text({n.x - 8, n.y - 8}, QString::number(houseNumberOfSlot(h)), color, HouseNumber);
        if (cuspLabels)
            haloText({n.x - 7, n.y + 8}, {n.x - 8, n.y + 9},
                     QLatin1Char('[') + degreeText(cusp) + QLatin1Char(']'), kBlack, CuspLabel);
    }
    setPen(color, 1);
}

void WheelPainter::drawTextBlocks(const Chart& chart) {
    for (int k = 0; k <= 12; ++k)
        text({6, 90.0 + 16 * k}, rowText(chart.houseTexts[size_t(k)]), k % 2 == 0 ? kBlue : kRed,
             Small);

    struct Row {
        int body;
        int y;
        QColor color;
    };
    // The North Node, Ascendant and Midheaven rows are left out; 510 stays empty.
    const Row rows[] = {
        {Sun, 350, kRed},      {Moon, 366, kBlue},          {Mercury, 382, kLightBlue},
        {Venus, 398, kGreen},  {Mars, 414, kRed},           {Jupiter, 430, kRed},
        {Saturn, 446, kBlack}, {Uranus, 462, kLightGreen},  {Neptune, 478, kBlue},
        {Pluto, 494, kRed},    {SouthNode, 526, kDarkGrey}, {Lilith, 542, kBlack},
    };
    for (const Row& r : rows)
        text({6, double(r.y)}, rowText(chart.bodyTexts[size_t(r.body - 1)]), r.color, Small);
}

void WheelPainter::drawAxes(const std::array<double, 17>& longitude, const QColor& angles,
                            const QColor& nodes, bool endStrokes) {
    auto axis = [&](double a) {
        const WheelAxis ax = g_.axis(a);
        line(ax.e1, ax.e2);
        if (endStrokes)
            for (const WheelSegment& s : ax.strokes)
                line(s.from, s.to);
    };
    setPen(angles, 2);
    axis(longitude[Ascendant] + g_.rot + 1);
    axis(longitude[Midheaven] + 181 + g_.rot);
    setPen(nodes, 3);
    axis(longitude[NorthNode] + 181 + g_.rot);
    setPen(kBlack, 1);
}

void WheelPainter::drawChord(double longitudeA, double longitudeB, const QColor& color) {
    setPen(color, 1);
    line(g_.P(g_.bodyAngle(longitudeA), g_.R4), g_.P(g_.bodyAngle(longitudeB), g_.R4));
}

std::vector<GlyphHit> drawRadix(QImage& surface, const Chart& chart,
                                const std::vector<Aspect>& aspects, const WorkingSettings& ws,
                                const WheelSelection& selection, int visibleTop) {
    setWheelResolution(surface);
    KeptSurfaceFrame frame(surface);
    std::vector<GlyphHit> hits;
    {
        QPainter p(&surface); // paintRadix fills the whole surface first
        hits = paintRadix(p, surface.size(), chart, aspects, ws, selection, visibleTop);
    }
    frame.finish();
    return hits;
}

void setWheelLayerCache(bool enabled) {
    setFrameLayerCache(enabled);
    reuseEnabled() = enabled;
}

std::optional<WheelPainter> paintWheelFrame(QPainter& p, QSize size, const WheelGeometry& g,
                                            const WheelPalette& pal, const QColor& band) {
    if (!g.drawable()) {
        p.fillRect(QRect(QPoint(0, 0), size), kWheelBackground);
        return std::nullopt;
    }
    paintFrameLayers(p, size, g, pal.circles, band);
    return std::optional<WheelPainter>(std::in_place, p, g);
}

std::vector<GlyphHit> paintRadix(QPainter& p, QSize size, const Chart& chart,
                                 const std::vector<Aspect>& aspects, const WorkingSettings& ws,
                                 const WheelSelection& selection, int visibleTop) {
    WheelGeometry g =
        WheelGeometry::make(size.width(), size.height(), kNatalMargin, chart.cuspRing[4]);
    g.visibleTop = visibleTop;
    const WheelPalette pal = WheelPalette::from(ws);
    std::optional<WheelPainter> wp = paintWheelFrame(p, size, g, pal, pal.band);
    if (!wp)
        return {};
    wp->drawHouses(chart.cuspRing, pal.houses, ws.showFok);
    wp->drawTextBlocks(chart);
    wp->drawAxes(chart.longitude, pal.angleAxes, pal.nodeAxis, true);
    for (const Aspect& a : aspects) {
        if (selection.filter && a.first != selection.glyph + 1 && a.second != selection.glyph + 1)
            continue;
        wp->drawChord(chart.longitude[size_t(a.first)], chart.longitude[size_t(a.second)],
                      pal.aspects[size_t(aspectKind(a.kind).settingIndex)]);
    }
    BodyStyle natal;
    natal.degreeLabels = ws.showFok;
    const BodyPlacements places =
        placeBodies(g, chart.longitude, kNatalCrowding, natal.glyphSize / 2.0);
    return wp->drawBodies(places, chart.longitude, chart.retroFlags, natal);
}

} // namespace velorin
