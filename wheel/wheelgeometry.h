#pragma once
// Where everything of the chart wheel lies, as plain numbers: the radii, the
// rotation that puts the Ascendant on the left, the placement of the body
// glyphs with their crowding, and the axes. No Qt here, so that the figures can
// be checked without a display and shared by the natal and synastry wheels.

#include <array>
#include <string>

namespace velorin {

struct WheelPoint {
    double x = 0;
    double y = 0;
};

// The cosine and sine of a wheel angle, for several points on its ray.
struct WheelRay {
    double cos = 1;
    double sin = 0;
};

struct WheelSegment {
    WheelPoint from;
    WheelPoint to;
};

// The natal wheel leaves room for its text blocks; the synastry wheel has none.
inline constexpr double kNatalMargin = 30;
inline constexpr double kSynastryMargin = 5;

// Each close earlier body pulls a body inward by this factor.
inline constexpr double kNatalCrowding = 0.9;
inline constexpr double kSynastryCrowding = 0.89;
inline constexpr double kCrowdingDistance = 10;

// The nodes, the Ascendant and the Midheaven stand this many pixels further
// out than their crowding radius, whatever the size of the wheel.
inline constexpr double kOuterShift = 100;
// min(cx, cy) of an 800 x 600 client area, the size the glyphs were drawn for.
inline constexpr double kReferenceHalfSide = 300;
// A glyph keeps this many pixels from the edges of the visible area.
inline constexpr double kGlyphEdgeGap = 2;

// Body glyphs are drawn for BodyId 1..15; Chiron (16) never is.
inline constexpr int kDrawnBodies = 15;

bool isOuterBody(int body);

// A body glyph's place: its angle, the radius of its degree label and
// retrograde mark (after crowding), the radius of its glyph (after the outer
// shift as well) and where the glyph is painted: on the same ray, pulled in
// as far as needed for the whole glyph to lie in the visible area.
struct BodyPlacement {
    double angle = 0;
    double labelRadius = 0;
    double glyphRadius = 0;
    double placedRadius = 0;
    WheelPoint label;  // P(angle, labelRadius)
    WheelPoint glyph;  // P(angle, glyphRadius)
    WheelPoint placed; // P(angle, placedRadius)
};

// One axis: a full diameter through the centre, with two strokes at each end.
struct WheelAxis {
    WheelPoint e1;
    WheelPoint e2;
    std::array<WheelSegment, 4> strokes; // two from e1, then two from e2
};

struct WheelGeometry {
    double cx = 0;
    double cy = 0;
    double R = 0;   // outer circle
    double R2 = 0;  // inner edge of the zodiac band
    double R3 = 0;  // inner edge of the degree scale
    double R4 = 0;  // house numbers and aspect chords
    double Rm = 0;  // sign glyph circle
    double rot = 0; // 360 - Ascendant
    double width = 0;
    double height = 0;
    // Rows at the top hidden by the window's own controls (its toolbar).
    double visibleTop = 0;

    // A client area of width x height pixels; ascendant is cuspRing slot 4.
    static WheelGeometry make(double width, double height, double margin, double ascendant);

    // A client area too small for a wheel has R of zero or less.
    bool drawable() const { return R > 0; }

    // P(a, r): a in degrees, counter-clockwise on the screen (y grows downward).
    WheelPoint P(double a, double r) const;
    // P(a, r) == P(ray(a), r), bit for bit: the degree scale's three radii
    // share one angle's cosine and sine.
    WheelRay ray(double a) const;
    WheelPoint P(WheelRay ray, double r) const;

    // The angle at which a longitude is drawn.
    double bodyAngle(double longitude) const;

    // The radius of an uncrowded body.
    double bodyRadius() const;

    // How much further out the four outer bodies stand.
    double outerShift() const;

    // The largest radius up to radius at which a square glyph of half side
    // half, centred on the ray at angle a, lies wholly inside the visible area
    // (kGlyphEdgeGap from its edges); never less than zero.
    double radiusInside(double a, double radius, double half) const;

    // Centre of sign glyph k = 0..11 (Aries .. Pisces).
    WheelPoint signGlyphCentre(int k) const;

    // The house line of cuspRing slot h, the point of its house number and the
    // number itself (the house whose cusp lies at the line).
    double houseLineAngle(double cusp) const;
    WheelPoint houseNumberPoint(double cusp) const;

    // A full diameter at angle a reaching 1.5 R3 each way, with its strokes.
    WheelAxis axis(double a) const;
    double axisReach() const { return 1.5 * R3; }
};

int houseNumberOfSlot(int slot);

// Crowding radii for bodies 1..kDrawnBodies (index 0 unused): r0 shrunk by
// factor once for every earlier body whose stored longitude differs by less
// than kCrowdingDistance. The difference is plain, without wrap-around at 0°.
std::array<double, kDrawnBodies + 1> crowdedRadii(const std::array<double, 17>& longitude,
                                                  double r0, double factor);

using BodyPlacements = std::array<BodyPlacement, kDrawnBodies + 1>;

// Crowding, outer shift and points for bodies 1..kDrawnBodies (index 0 unused),
// for glyphs of half side glyphHalf.
BodyPlacements placeBodies(const WheelGeometry& g, const std::array<double, 17>& longitude,
                           double factor, double glyphHalf = 16);

// A second person's glyphs (discs of radius overRadius) stand over the first
// person's (squares of half side underHalf). Where one would hide the middle
// of a first person's glyph, as for two people born the same day, it moves
// along its own ray to the nearby radius that keeps both visible.
void keepApart(const WheelGeometry& g, BodyPlacements& over, double overRadius,
               const BodyPlacements& under, double underHalf);

} // namespace velorin
