#include "wheelgeometry.h"

#include "engine/chart.h"

#include <algorithm>
#include <cmath>

namespace velorin {
namespace {

// Degrees to radians with the engine's ten-decimal constant, as every position
// of the wheel was always computed.
double radians(double degrees) {
    return degrees * kAngleConstant / 180.0;
}

constexpr double kStrokeLength = 20;
constexpr double kStrokeSpread = 15;

} // namespace

bool isOuterBody(int body) {
    return body == NorthNode || body == SouthNode || body == Ascendant || body == Midheaven;
}

WheelGeometry WheelGeometry::make(double width, double height, double margin, double ascendant) {
    WheelGeometry g;
    g.cx = width / 2;
    g.cy = height / 2;
    g.R = std::min(g.cx, g.cy) - margin;
    g.R2 = 0.78 * g.R;
    g.R3 = 0.75 * g.R;
    g.R4 = 0.55 * g.R;
    g.Rm = g.R2 + (g.R - g.R2) / 2;
    g.rot = 360 - ascendant;
    return g;
}

WheelPoint WheelGeometry::P(double a, double r) const {
    double t = radians(a);
    return {cx + r * std::cos(t), cy - r * std::sin(t)};
}

double WheelGeometry::bodyAngle(double longitude) const {
    return std::fabs(longitude) + 181 + rot;
}

double WheelGeometry::bodyRadius() const {
    return R3 - 24 * 0.8;
}

WheelPoint WheelGeometry::signGlyphCentre(int k) const {
    double t = radians(30.0 * k + 15 + rot);
    return {cx - Rm * std::cos(t), cy + Rm * std::sin(t)};
}

double WheelGeometry::houseLineAngle(double cusp) const {
    return cusp + rot + 1;
}

WheelPoint WheelGeometry::houseNumberPoint(double cusp) const {
    return P(houseLineAngle(cusp) + 10, R4 + 7);
}

WheelAxis WheelGeometry::axis(double a) const {
    WheelAxis ax;
    ax.e1 = P(a, axisReach());
    ax.e2 = P(a + 180, axisReach());
    auto stroke = [](WheelPoint from, double b) {
        double t = radians(b);
        return WheelSegment{
            from, {from.x + kStrokeLength * std::cos(t), from.y - kStrokeLength * std::sin(t)}};
    };
    ax.strokes = {stroke(ax.e1, a - kStrokeSpread), stroke(ax.e1, a + kStrokeSpread),
                  stroke(ax.e2, a - kStrokeSpread), stroke(ax.e2, a + kStrokeSpread)};
    return ax;
}

int houseNumberOfSlot(int slot) {
    return slot <= 9 ? slot + 3 : slot - 9;
}

std::array<double, kDrawnBodies + 1> crowdedRadii(const std::array<double, 17>& longitude,
                                                  double r0, double factor) {
    std::array<double, kDrawnBodies + 1> r{};
    for (int i = 1; i <= kDrawnBodies; ++i) {
        r[size_t(i)] = r0;
        for (int j = 1; j < i; ++j)
            if (std::fabs(longitude[size_t(j)] - longitude[size_t(i)]) < kCrowdingDistance)
                r[size_t(i)] *= factor;
    }
    return r;
}

double WheelGeometry::outerShift() const {
    return kOuterShift * std::min(cx, cy) / kOuterShiftReference;
}

std::array<BodyPlacement, kDrawnBodies + 1> placeBodies(const WheelGeometry& g,
                                                        const std::array<double, 17>& longitude,
                                                        double factor,
                                                        const std::array<double, 17>* under) {
    std::array<BodyPlacement, kDrawnBodies + 1> out{};
    auto radii = crowdedRadii(longitude, g.bodyRadius(), factor);
    if (under)
        for (int i = 1; i <= kDrawnBodies; ++i)
            for (int j = 1; j <= kDrawnBodies; ++j)
                if (std::fabs((*under)[size_t(j)] - longitude[size_t(i)]) < kCrowdingDistance)
                    radii[size_t(i)] *= factor;
    for (int i = 1; i <= kDrawnBodies; ++i) {
        BodyPlacement& b = out[size_t(i)];
        b.angle = g.bodyAngle(longitude[size_t(i)]);
        b.labelRadius = radii[size_t(i)];
        b.glyphRadius = b.labelRadius + (isOuterBody(i) ? g.outerShift() : 0);
        b.label = g.P(b.angle, b.labelRadius);
        b.glyph = g.P(b.angle, b.glyphRadius);
    }
    return out;
}

} // namespace velorin
