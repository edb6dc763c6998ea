#include "wheelgeometry.h"

#include "engine/chart.h"

#include <algorithm>
#include <cmath>
#include <limits>

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
    g.width = width;
    g.height = height;
    return g;
}

WheelPoint WheelGeometry::P(double a, double r) const {
    return P(ray(a), r);
}

WheelRay WheelGeometry::ray(double a) const {
    const double t = radians(a);
    return {std::cos(t), std::sin(t)};
}

WheelPoint WheelGeometry::P(WheelRay ray, double r) const {
    return {cx + r * ray.cos, cy - r * ray.sin};
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
    return kOuterShift;
}

double WheelGeometry::radiusInside(double a, double radius, double half) const {
    const double t = radians(a);
    const double dx = std::cos(t), dy = -std::sin(t);
    const double left = kGlyphEdgeGap + half, right = width - kGlyphEdgeGap - half;
    const double top = visibleTop + kGlyphEdgeGap + half, bottom = height - kGlyphEdgeGap - half;
    double r = radius;
    // The centre moves by r * (dx, dy); each edge the ray heads for bounds r.
    constexpr double kAlongEdge = 1e-12;
    if (dx > kAlongEdge)
        r = std::min(r, (right - cx) / dx);
    else if (dx < -kAlongEdge)
        r = std::min(r, (left - cx) / dx);
    if (dy > kAlongEdge)
        r = std::min(r, (bottom - cy) / dy);
    else if (dy < -kAlongEdge)
        r = std::min(r, (top - cy) / dy);
    return std::max(r, 0.0);
}

BodyPlacements placeBodies(const WheelGeometry& g, const std::array<double, 17>& longitude,
                           double factor, double glyphHalf) {
    BodyPlacements out{};
    const auto radii = crowdedRadii(longitude, g.bodyRadius(), factor);
    for (int i = 1; i <= kDrawnBodies; ++i) {
        BodyPlacement& b = out[size_t(i)];
        b.angle = g.bodyAngle(longitude[size_t(i)]);
        b.labelRadius = radii[size_t(i)];
        b.glyphRadius = b.labelRadius + (isOuterBody(i) ? g.outerShift() : 0);
        b.placedRadius = g.radiusInside(b.angle, b.glyphRadius, glyphHalf);
        b.label = g.P(b.angle, b.labelRadius);
        b.glyph = g.P(b.angle, b.glyphRadius);
        b.placed = g.P(b.angle, b.placedRadius);
    }
    return out;
}

namespace {

double distance(WheelPoint a, WheelPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

// How far p is from the nearest of the first person's glyphs.
double clearance(WheelPoint p, const BodyPlacements& under) {
    double nearest = std::numeric_limits<double>::infinity();
    for (int j = 1; j <= kDrawnBodies; ++j)
        nearest = std::min(nearest, distance(p, under[size_t(j)].placed));
    return nearest;
}

} // namespace

void keepApart(const WheelGeometry& g, BodyPlacements& over, double overRadius,
               const BodyPlacements& under, double underHalf) {
    // One step clears a glyph entirely: the disc stands beside it.
    const double step = underHalf + overRadius + 1;
    const double overHalf = overRadius;
    for (int i = 1; i <= kDrawnBodies; ++i) {
        BodyPlacement& b = over[size_t(i)];
        double best = clearance(b.placed, under);
        if (best >= underHalf)
            continue;
        const double base = b.placedRadius;
        // Nearest first, inward before outward: the first candidate that
        // clears every glyph wins, otherwise the one that clears most.
        for (double k : {-1.0, 1.0, -2.0, 2.0}) {
            const double r = g.radiusInside(b.angle, std::max(base + k * step, 0.0), overHalf);
            const WheelPoint p = g.P(b.angle, r);
            const double c = std::min(clearance(p, under), step);
            if (c > best) {
                best = c;
                b.placedRadius = r;
                b.placed = p;
            }
            if (best >= step)
                break;
        }
    }
}

} // namespace velorin
