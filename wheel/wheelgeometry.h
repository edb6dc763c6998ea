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
// out on an 800 x 600 client area; larger wheels scale it with the client
// area, or those four glyphs would fall onto the sign glyphs.
inline constexpr double kOuterShift = 100;
inline constexpr double kOuterShiftReference = 300; // min(cx, cy) of 800 x 600

// Body glyphs are drawn for BodyId 1..15; Chiron (16) never is.
inline constexpr int kDrawnBodies = 15;

bool isOuterBody(int body);

// A body glyph's place: its angle, the radius of its degree label and
// retrograde mark (after crowding) and the radius of its glyph (after the
// outer shift as well).
struct BodyPlacement {
    double angle = 0;
    double labelRadius = 0;
    double glyphRadius = 0;
    WheelPoint label; // P(angle, labelRadius)
    WheelPoint glyph; // P(angle, glyphRadius)
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

    // A client area of width x height pixels; ascendant is cuspRing slot 4.
    static WheelGeometry make(double width, double height, double margin, double ascendant);

    // A client area too small for a wheel has R of zero or less.
    bool drawable() const { return R > 0; }

    // P(a, r): a in degrees, counter-clockwise on the screen (y grows downward).
    WheelPoint P(double a, double r) const;

    // The angle at which a longitude is drawn.
    double bodyAngle(double longitude) const;

    // The radius of an uncrowded body.
    double bodyRadius() const;

    // How much further out the four outer bodies stand.
    double outerShift() const;

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

// Crowding, outer shift and points for bodies 1..kDrawnBodies (index 0 unused).
// With under, the bodies stand over another person's, whose bodies
// 1..kDrawnBodies crowd them too (same distance, same factor), so that the two
// persons' glyphs do not cover one another.
std::array<BodyPlacement, kDrawnBodies + 1>
placeBodies(const WheelGeometry& g, const std::array<double, 17>& longitude, double factor,
            const std::array<double, 17>* under = nullptr);

} // namespace velorin
