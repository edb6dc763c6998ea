#include "glyphs.h"

#include <QPainter>
#include <array>
#include <map>
#include <utility>

namespace velorin {
namespace {

// Line weight relative to the glyph: bold enough to read at 16 pixels, not
// blotted at 36.
double strokeWidthPx(int size) {
    return std::max(1.4, size * 0.075);
}

QPainterPath circle(double x, double y, double r) {
    QPainterPath p;
    p.addEllipse(QPointF(x, y), r, r);
    return p;
}

QPainterPath line(double x1, double y1, double x2, double y2) {
    QPainterPath p(QPointF(x1, y1));
    p.lineTo(x2, y2);
    return p;
}

QPainterPath polyline(std::initializer_list<QPointF> points) {
    QPainterPath p(*points.begin());
    for (auto it = points.begin() + 1; it != points.end(); ++it)
        p.lineTo(*it);
    return p;
}

QPainterPath cubic(QPointF from, QPointF c1, QPointF c2, QPointF to) {
    QPainterPath p(from);
    p.cubicTo(c1, c2, to);
    return p;
}

// Two round discs, the first minus the second: a crescent.
QPainterPath crescent(QPointF outer, double outerR, QPointF inner, double innerR) {
    QPainterPath a;
    a.addEllipse(outer, outerR, outerR);
    QPainterPath b;
    b.addEllipse(inner, innerR, innerR);
    return a.subtracted(b);
}

QPainterPath join(std::initializer_list<QPainterPath> parts) {
    QPainterPath all;
    for (const QPainterPath& p : parts)
        all.addPath(p);
    return all;
}

// An "m" of two arches on three legs, the base of Virgo and Scorpio; the last
// leg is left open for the ending that tells them apart.
QPainterPath mArches() {
    QPainterPath p(QPointF(10, 26));
    p.lineTo(20, 18);
    p.lineTo(20, 82);
    p.moveTo(20, 34);
    p.cubicTo(20, 12, 42, 12, 42, 34);
    p.lineTo(42, 82);
    p.moveTo(42, 34);
    p.cubicTo(42, 12, 64, 12, 64, 34);
    return p;
}

// The letter C on the right half, shared by the Ascendant and Midheaven marks.
QPainterPath letterC() {
    QPainterPath p;
    p.arcMoveTo(QRectF(52, 24, 42, 52), 50);
    p.arcTo(QRectF(52, 24, 42, 52), 50, 260);
    return p;
}

// Colours by element, as astrologers usually tint the zodiac.
const QColor kFire(200, 20, 20);
const QColor kEarth(30, 120, 30);
const QColor kAir(170, 120, 0);
const QColor kWater(20, 70, 200);

} // namespace

GlyphArt signArt(int sign) {
    switch (sign) {
    case 1: { // Aries: two horns meeting in a stem
        QPainterPath p(QPointF(24, 46));
        p.cubicTo(8, 42, 8, 12, 28, 12);
        p.cubicTo(44, 12, 50, 30, 50, 88);
        p.moveTo(76, 46);
        p.cubicTo(92, 42, 92, 12, 72, 12);
        p.cubicTo(56, 12, 50, 30, 50, 88);
        return {p, {}, kFire};
    }
    case 2: // Taurus: a circle under a bowl of horns
        return {join({circle(50, 64, 22), cubic({14, 12}, {16, 38}, {32, 42}, {50, 42}),
                      cubic({50, 42}, {68, 42}, {84, 38}, {86, 12})}),
                {},
                kEarth};
    case 3: { // Gemini: two pillars between curved lintels
        QPainterPath p(QPointF(16, 14));
        p.quadTo(50, 28, 84, 14);
        p.moveTo(16, 86);
        p.quadTo(50, 72, 84, 86);
        p.addPath(line(36, 21, 36, 79));
        p.addPath(line(64, 21, 64, 79));
        return {p, {}, kAir};
    }
    case 4: // Cancer: two circles with opposed tails
        return {join({circle(28, 38, 12), cubic({28, 26}, {46, 12}, {74, 14}, {90, 30}),
                      circle(72, 62, 12), cubic({72, 74}, {54, 88}, {26, 86}, {10, 70})}),
                {},
                kWater};
    case 5: { // Leo: a small circle, the mane's loop and a curled tail
        QPainterPath p = circle(26, 66, 12);
        p.moveTo(34, 57);
        p.cubicTo(22, 40, 26, 12, 52, 12);
        p.cubicTo(78, 12, 82, 38, 68, 58);
        p.cubicTo(58, 72, 60, 88, 74, 88);
        p.cubicTo(82, 88, 88, 82, 88, 74);
        return {p, {}, kFire};
    }
    case 6: { // Virgo: the "m" with a loop across its last leg
        QPainterPath p = mArches();
        p.lineTo(64, 82);
        p.moveTo(64, 58);
        p.cubicTo(74, 40, 94, 46, 86, 64);
        p.cubicTo(80, 78, 66, 84, 54, 92);
        return {p, {}, kEarth};
    }
    case 7: { // Libra: the setting sun over the horizon
        QPainterPath p = line(10, 82, 90, 82);
        p.moveTo(10, 64);
        p.lineTo(32, 64);
        p.cubicTo(22, 56, 22, 28, 50, 28);
        p.cubicTo(78, 28, 78, 56, 68, 64);
        p.lineTo(90, 64);
        return {p, {}, kAir};
    }
    case 8: { // Scorpio: the "m" ending in an arrow
        QPainterPath p = mArches();
        p.lineTo(64, 76);
        p.cubicTo(64, 86, 72, 90, 80, 82);
        p.lineTo(90, 72);
        p.addPath(polyline({{78, 71}, {90, 72}, {90, 84}}));
        return {p, {}, kWater};
    }
    case 9: // Sagittarius: the archer's arrow
        return {join({line(14, 86, 84, 16), polyline({{56, 16}, {84, 16}, {84, 44}}),
                      line(28, 44, 56, 72)}),
                {},
                kFire};
    case 10: { // Capricorn: the goat's horn and the fish's tail
        QPainterPath p(QPointF(8, 26));
        p.lineTo(20, 18);
        p.lineTo(34, 80);
        p.lineTo(50, 22);
        p.cubicTo(54, 48, 56, 70, 70, 72);
        p.cubicTo(88, 74, 90, 50, 74, 50);
        p.cubicTo(60, 50, 58, 74, 48, 90);
        return {p, {}, kEarth};
    }
    case 11: // Aquarius: two waves
        return {join({polyline({{8, 44}, {24, 28}, {40, 44}, {56, 28}, {72, 44}, {90, 28}}),
                      polyline({{8, 72}, {24, 56}, {40, 72}, {56, 56}, {72, 72}, {90, 56}})}),
                {},
                kAir};
    case 12: // Pisces: two fish tied back to back
        return {join({cubic({20, 12}, {42, 30}, {42, 70}, {20, 88}),
                      cubic({80, 12}, {58, 30}, {58, 70}, {80, 88}), line(26, 50, 74, 50)}),
                {},
                kWater};
    default:
        return {};
    }
}

GlyphArt bodyArt(int body) {
    // The colours of the body rows in the wheel's text block, so that a row and
    // its glyph are found together.
    const QColor red(255, 0, 0), blue(0, 0, 255), lightBlue(128, 128, 255), green(0, 128, 0),
        black(0, 0, 0), lightGreen(0, 160, 0), grey(64, 64, 64), purple(110, 30, 140);
    switch (body) {
    case 1: // Sun: circle with its centre
        return {circle(50, 50, 36), circle(50, 50, 7), red};
    case 2: // Mercury: horns, head, cross
        return {join({cubic({32, 8}, {34, 26}, {66, 26}, {68, 8}), circle(50, 42, 16),
                      line(50, 58, 50, 94), line(36, 78, 64, 78)}),
                {},
                lightBlue};
    case 3: // Venus: circle over a cross
        return {join({circle(50, 34, 23), line(50, 57, 50, 94), line(32, 77, 68, 77)}), {}, green};
    case 4: // Mars: circle with an arrow to the upper right
        return {join({circle(40, 60, 25), line(58, 42, 86, 14),
                      polyline({{60, 14}, {86, 14}, {86, 40}})}),
                {},
                red};
    case 5: { // Jupiter: the crescent-topped 4
        QPainterPath p(QPointF(18, 30));
        p.cubicTo(18, 8, 50, 6, 48, 32);
        p.cubicTo(46, 48, 32, 60, 16, 68);
        p.lineTo(88, 68);
        p.addPath(line(66, 14, 66, 92));
        return {p, {}, red};
    }
    case 6: { // Saturn: a cross with a sickle
        QPainterPath p = line(34, 6, 34, 66);
        p.addPath(line(18, 22, 50, 22));
        p.moveTo(34, 52);
        p.cubicTo(42, 36, 72, 34, 72, 54);
        p.cubicTo(72, 68, 56, 74, 60, 86);
        p.cubicTo(62, 94, 72, 96, 80, 88);
        return {p, {}, black};
    }
    case 7: // Uranus: the H with an orb below
        return {join({line(22, 12, 22, 60), line(78, 12, 78, 60), line(22, 36, 78, 36),
                      line(50, 12, 50, 68), circle(50, 80, 11)}),
                {},
                lightGreen};
    case 8: // Neptune: the trident
        return {join({cubic({18, 16}, {18, 50}, {34, 58}, {50, 58}),
                      cubic({50, 58}, {66, 58}, {82, 50}, {82, 16}), line(50, 10, 50, 94),
                      line(32, 78, 68, 78)}),
                {},
                blue};
    case 9: // Pluto: an orb in a cup over a cross
        return {join({cubic({20, 14}, {20, 54}, {80, 54}, {80, 14}), circle(50, 22, 12),
                      line(50, 44, 50, 94), line(32, 76, 68, 76)}),
                {},
                red};
    case 10: // Moon: the crescent, horns to the right
        return {crescent({48, 50}, 38, {64, 50}, 33), {}, blue};
    case 11: { // North Node: an arch standing on two small circles
        QPainterPath p(QPointF(28, 66));
        p.lineTo(28, 46);
        p.arcTo(QRectF(28, 24, 44, 44), 180, -180);
        p.lineTo(72, 66);
        p.addPath(circle(28, 76, 9));
        p.addPath(circle(72, 76, 9));
        return {p, {}, grey};
    }
    case 12: { // South Node: the same arch upside down
        QPainterPath p(QPointF(28, 34));
        p.lineTo(28, 54);
        p.arcTo(QRectF(28, 32, 44, 44), 180, 180);
        p.lineTo(72, 34);
        p.addPath(circle(28, 24, 9));
        p.addPath(circle(72, 24, 9));
        return {p, {}, grey};
    }
    case 13: // Lilith: the black moon over a cross
        return {join({line(44, 58, 44, 94), line(30, 80, 58, 80)}),
                crescent({44, 32}, 27, {58, 30}, 23), black};
    case 14: { // Ascendant: the letters AC
        QPainterPath p = polyline({{6, 76}, {26, 24}, {46, 76}});
        p.addPath(line(13, 58, 39, 58));
        p.addPath(letterC());
        return {p, {}, purple};
    }
    case 15: { // Midheaven: the letters MC
        QPainterPath p = polyline({{6, 76}, {6, 24}, {26, 60}, {46, 24}, {46, 76}});
        p.addPath(letterC());
        return {p, {}, purple};
    }
    default:
        return {};
    }
}

QImage renderGlyph(const GlyphArt& art, int size) {
    if (size < 1)
        return {};
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintGlyph(p, art, QPointF(0, 0), size);
    return image;
}

void paintGlyph(QPainter& p, const GlyphArt& art, QPointF topLeft, int size) {
    if (size < 1)
        return;
    p.save();
    const double scale = size / 100.0;
    p.translate(topLeft);
    p.scale(scale, scale);
    QPen pen(art.color, strokeWidthPx(size) / scale, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.strokePath(art.strokes, pen);
    p.fillPath(art.fills, art.color);
    p.restore();
}

namespace {

const QImage& cached(std::map<std::pair<int, int>, QImage>& cache, int id, int size,
                     GlyphArt (*art)(int)) {
    auto key = std::make_pair(id, size);
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.emplace(key, renderGlyph(art(id), size)).first;
    return it->second;
}

} // namespace

const QImage& signGlyph(int sign, int size) {
    static std::map<std::pair<int, int>, QImage> cache;
    return cached(cache, sign, size, signArt);
}

const QImage& bodyGlyph(int body, int size) {
    static std::map<std::pair<int, int>, QImage> cache;
    return cached(cache, body, size, bodyArt);
}

} // namespace velorin
