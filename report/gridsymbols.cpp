#include "gridsymbols.h"

#include "engine/angles.h"

#include <cmath>
#include <numbers>

namespace velorin {
namespace {

QPainterPath polygon(int corners, double radius, double startDegrees) {
    QPainterPath p;
    for (int i = 0; i <= corners; ++i) {
        const double a = (startDegrees + 360.0 * i / corners) * std::numbers::pi / 180;
        const QPointF at(50 + radius * std::cos(a), 55 - radius * std::sin(a));
        if (i == 0)
            p.moveTo(at);
        else
            p.lineTo(at);
    }
    return p;
}

QPainterPath semisquare() {
    QPainterPath p;
    p.moveTo(80, 25);
    p.lineTo(20, 80);
    p.lineTo(80, 80);
    return p;
}

} // namespace

GlyphArt aspectArt(int k) {
    GlyphArt art;
    art.color = QColor(0, 0, 0);
    if (k < 1 || k > 8)
        return art;
    switch (aspectKind(k).angle) {
    case 0: // a ring with a stroke out to the upper right
        art.strokes.addEllipse(QPointF(42, 58), 22, 22);
        art.strokes.moveTo(58, 42);
        art.strokes.lineTo(82, 18);
        break;
    case 45:
        art.strokes = semisquare();
        break;
    case 60: // a six-pointed star of three strokes
        for (int i = 0; i < 3; ++i) {
            const double a = i * std::numbers::pi / 3;
            art.strokes.moveTo(50 + 35 * std::cos(a), 50 - 35 * std::sin(a));
            art.strokes.lineTo(50 - 35 * std::cos(a), 50 + 35 * std::sin(a));
        }
        break;
    case 90:
        art.strokes.addRect(22, 22, 56, 56);
        break;
    case 120:
        art.strokes = polygon(3, 36, 90);
        break;
    case 135: // a square with the semi-square's angle on top
        art.strokes.addRect(30, 45, 40, 40);
        art.strokes.moveTo(30, 30);
        art.strokes.lineTo(50, 12);
        art.strokes.lineTo(70, 30);
        break;
    case 150: // the quincunx: an inverted Y
        art.strokes.moveTo(20, 20);
        art.strokes.lineTo(50, 45);
        art.strokes.lineTo(80, 20);
        art.strokes.moveTo(50, 45);
        art.strokes.lineTo(50, 85);
        break;
    case 180: // two rings joined by a stroke
        art.strokes.addEllipse(QPointF(26, 74), 14, 14);
        art.strokes.addEllipse(QPointF(74, 26), 14, 14);
        art.strokes.moveTo(36, 64);
        art.strokes.lineTo(64, 36);
        break;
    default:
        break;
    }
    return art;
}

} // namespace velorin
