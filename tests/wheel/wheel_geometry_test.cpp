// The wheel's figures, checked by number: a wrong radius or offset moves every
// glyph and line of the wheel without failing anything else.

#include "wheel/wheelgeometry.h"

#include "engine/chart.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace velorin;

namespace {

constexpr double kTol = 1e-9;

double distance(WheelPoint a, WheelPoint b) {
    return std::hypot(a.x - b.x, a.y - b.y);
}

double fromCentre(const WheelGeometry& g, WheelPoint p) {
    return distance(p, {g.cx, g.cy});
}

std::array<double, 17> longitudesAllApart() {
    std::array<double, 17> l{};
    for (int b = 1; b <= 16; ++b)
        l[size_t(b)] = 20.0 * b;
    return l;
}

} // namespace

TEST(WheelGeometry, RadiiOf800x600) {
    const WheelGeometry g = WheelGeometry::make(800, 600, kNatalMargin, 123.4);
    EXPECT_NEAR(g.cx, 400, kTol);
    EXPECT_NEAR(g.cy, 300, kTol);
    EXPECT_NEAR(g.R, 270, kTol);
    EXPECT_NEAR(g.R2, 210.6, kTol);
    EXPECT_NEAR(g.R3, 202.5, kTol);
    EXPECT_NEAR(g.R4, 148.5, kTol);
    EXPECT_NEAR(g.Rm, 240.3, kTol);
    EXPECT_NEAR(g.bodyRadius(), 183.3, kTol);

    const auto places = placeBodies(g, longitudesAllApart(), kNatalCrowding);
    EXPECT_NEAR(places[Sun].glyphRadius, 183.3, kTol);
    for (int b : {NorthNode, SouthNode, Ascendant, Midheaven})
        EXPECT_NEAR(places[size_t(b)].glyphRadius, 283.3, kTol) << "body " << b;

    // The axes reach 303.75 each way, an eighth of R beyond the outer circle.
    const WheelAxis ax = g.axis(37);
    EXPECT_NEAR(fromCentre(g, ax.e1), 303.75, 1e-6);
    EXPECT_NEAR(fromCentre(g, ax.e2), 303.75, 1e-6);
    EXPECT_NEAR(g.axisReach() - g.R, 0.125 * g.R, kTol);

    // The synastry wheel, without the text margin.
    const WheelGeometry s = WheelGeometry::make(800, 600, kSynastryMargin, 0);
    EXPECT_NEAR(s.R, 295, kTol);
    EXPECT_NEAR(s.R2, 230.1, kTol);
    EXPECT_NEAR(s.R3, 221.25, kTol);
    EXPECT_NEAR(s.R4, 162.25, kTol);
    EXPECT_NEAR(s.bodyRadius(), 202.05, kTol);
}

TEST(WheelGeometry, AscendantOnTheLeftAndSignsCounterClockwise) {
    const WheelGeometry g = WheelGeometry::make(800, 600, kNatalMargin, 0);
    // 0° Aries one degree below the left end of the horizontal diameter.
    const WheelPoint aries = g.P(g.bodyAngle(0), g.R);
    EXPECT_LT(aries.x, g.cx - g.R + 0.1);
    EXPECT_GT(aries.y, g.cy);
    EXPECT_NEAR(aries.y - g.cy, g.R * std::sin(M_PI / 180), 1e-6);
    // Aries runs downward from there, Taurus further round towards the bottom.
    EXPECT_GT(g.P(g.bodyAngle(15), g.R).y, aries.y);
    EXPECT_GT(g.P(g.bodyAngle(45), g.R).x, g.P(g.bodyAngle(15), g.R).x);
    // The Midheaven a quarter turn on is near the top.
    EXPECT_LT(g.P(g.bodyAngle(270), g.R).y, g.cy - g.R + 10);

    // Whatever the Ascendant, it is drawn at 181°.
    for (double asc : {0.0, 95.5, 359.9}) {
        const WheelGeometry h = WheelGeometry::make(800, 600, kNatalMargin, asc);
        EXPECT_NEAR(std::fmod(h.bodyAngle(asc), 360.0), 181, 1e-9) << asc;
    }
}

TEST(WheelGeometry, SignLinesCuspLinesAndHouseNumbersMatchTheBodyScale) {
    for (double asc : {0.0, 17.25, 250.0}) {
        const WheelGeometry g = WheelGeometry::make(800, 600, kNatalMargin, asc);
        for (int s = 0; s < 12; ++s) {
            // Boundary line i = 1 + 30 s lies where longitude 180 + 30 s is drawn.
            WheelPoint line = g.P(1 + 30 * s + g.rot, g.R);
            WheelPoint scale = g.P(g.bodyAngle(180 + 30 * s), g.R);
            EXPECT_NEAR(distance(line, scale), 0, 1e-6) << "asc " << asc << " sign " << s;
            // The sign glyph sits in the middle of its sign, a degree short.
            WheelPoint glyph = g.signGlyphCentre(s);
            EXPECT_NEAR(distance(glyph, g.P(g.bodyAngle(30 * s + 15) - 1, g.Rm)), 0, 1e-6);
        }
        // A house line is drawn opposite its own cusp, where the opposite cusp lies.
        EXPECT_NEAR(distance(g.P(g.houseLineAngle(100), g.R4), g.P(g.bodyAngle(280), g.R4)), 0,
                    1e-6);
    }
    // Slot 1 holds the 10th cusp; its line stands where the 4th cusp is.
    const int numbers[13] = {0, 4, 5, 6, 7, 8, 9, 10, 11, 12, 1, 2, 3};
    for (int h = 1; h <= 12; ++h)
        EXPECT_EQ(houseNumberOfSlot(h), numbers[h]) << "slot " << h;
}

TEST(WheelGeometry, CrowdingComparesPlainLongitudes) {
    std::array<double, 17> l = longitudesAllApart();
    const double r0 = 183.3;

    // Across 0° Aries the plain difference is 359: not crowded.
    l[Sun] = 359.5;
    l[Mercury] = 0.5;
    EXPECT_NEAR(crowdedRadii(l, r0, kNatalCrowding)[Mercury], r0, kTol);

    // 9.99 apart is crowded; the later body is the one pulled inward.
    l[Mercury] = 359.5 - 9.99;
    auto r = crowdedRadii(l, r0, kNatalCrowding);
    EXPECT_NEAR(r[Sun], r0, kTol);
    EXPECT_NEAR(r[Mercury], 0.9 * r0, kTol);

    // Three together: r0, 0.9 r0, 0.81 r0 in BodyId order, also when the
    // first of them lies in the middle.
    l = longitudesAllApart();
    l[Venus] = 100;
    l[Mars] = 95;
    l[Jupiter] = 104;
    r = crowdedRadii(l, r0, kNatalCrowding);
    EXPECT_NEAR(r[Venus], r0, kTol);
    EXPECT_NEAR(r[Mars], 0.9 * r0, kTol);
    EXPECT_NEAR(r[Jupiter], 0.81 * r0, kTol);

    // The synastry wheel pulls by 0.89.
    r = crowdedRadii(l, r0, kSynastryCrowding);
    EXPECT_NEAR(r[Jupiter], 0.89 * 0.89 * r0, kTol);

    // Exactly 10 apart is not crowded.
    l[Mars] = 110;
    l[Jupiter] = 120;
    r = crowdedRadii(l, r0, kNatalCrowding);
    EXPECT_NEAR(r[Mars], r0, kTol);
}

TEST(WheelGeometry, OuterBodiesShiftOnlyTheirGlyph) {
    std::array<double, 17> l = longitudesAllApart();
    l[NorthNode] = l[Sun] + 2; // crowded, and then shifted out
    const WheelGeometry g = WheelGeometry::make(800, 600, kNatalMargin, 33);
    const auto places = placeBodies(g, l, kNatalCrowding);
    const BodyPlacement& node = places[NorthNode];
    EXPECT_NEAR(node.labelRadius, 0.9 * 183.3, kTol);
    EXPECT_NEAR(node.glyphRadius, 0.9 * 183.3 + 100, kTol);
    EXPECT_NEAR(fromCentre(g, node.label), node.labelRadius, 1e-6);
    EXPECT_NEAR(fromCentre(g, node.glyph), node.glyphRadius, 1e-6);
    EXPECT_NEAR(places[Lilith].glyphRadius, places[Lilith].labelRadius, kTol);
}

TEST(WheelGeometry, OuterBodiesStayOutsideTheWheelAtEverySize) {
    // At 800 x 600 the shift is the familiar 100 pixels; on a large screen it
    // grows with the wheel so that the four glyphs never land on the signs.
    const std::array<double, 17> l = longitudesAllApart();
    for (auto [w, h] : {std::pair{800, 600}, std::pair{1600, 1200}, std::pair{1920, 1080},
                        std::pair{3000, 2000}}) {
        const WheelGeometry g = WheelGeometry::make(w, h, kNatalMargin, 33);
        const auto places = placeBodies(g, l, kNatalCrowding);
        for (int b : {NorthNode, SouthNode, Ascendant, Midheaven})
            EXPECT_GT(places[size_t(b)].glyphRadius, g.R) << w << "x" << h << " body " << b;
    }
}

TEST(WheelGeometry, AxisStrokesForkAtOneEndAndPointOutAtTheOther) {
    const WheelGeometry g = WheelGeometry::make(800, 600, kNatalMargin, 0);
    for (double a : {0.0, 91.0, 250.5}) {
        const WheelAxis ax = g.axis(a);
        EXPECT_NEAR(distance(ax.e1, g.P(a, g.axisReach())), 0, 1e-9);
        for (int s = 0; s < 4; ++s) {
            const WheelSegment& st = ax.strokes[size_t(s)];
            EXPECT_NEAR(distance(st.from, st.to), 20, 1e-9);
            // At E1 the strokes run on outward; at E2 they run back inward.
            EXPECT_EQ(fromCentre(g, st.to) > g.axisReach(), s < 2) << a << " stroke " << s;
        }
        // The two strokes of an end lie 15° either side of the axis.
        EXPECT_NEAR(distance(ax.strokes[0].to, ax.strokes[1].to), 2 * 20 * std::sin(M_PI / 12),
                    1e-6);
    }
}

TEST(WheelGeometry, SynastryBodiesOfBothPersonsOn800x600) {
    const WheelGeometry g = WheelGeometry::make(800, 600, kSynastryMargin, 12);
    const std::array<double, 17> first = longitudesAllApart();
    std::array<double, 17> second{};
    for (int b = 1; b <= 16; ++b)
        second[size_t(b)] = first[size_t(b)] + 10; // just not near the first's

    const auto a = placeBodies(g, first, kSynastryCrowding);
    const auto b = placeBodies(g, second, kSynastryCrowding, &first);
    for (int body = 1; body <= kDrawnBodies; ++body) {
        const double shift = isOuterBody(body) ? 100 : 0;
        EXPECT_NEAR(a[size_t(body)].glyphRadius, 202.05 + shift, kTol) << body;
        EXPECT_NEAR(b[size_t(body)].glyphRadius, 202.05 + shift, kTol) << body;
    }

    // Own crowding pulls by 0.89 and the outer four still stand 100 further out.
    second[SouthNode] = second[Sun] + 3;
    auto c = placeBodies(g, second, kSynastryCrowding);
    EXPECT_NEAR(c[SouthNode].labelRadius, 0.89 * 202.05, kTol);
    EXPECT_NEAR(c[SouthNode].glyphRadius, 0.89 * 202.05 + 100, kTol);

    // A first-person body within 10 degrees pulls the second person's glyph in
    // once more, never the other way round.
    second = first;
    second[Venus] = first[Venus] + 9.99;
    c = placeBodies(g, second, kSynastryCrowding, &first);
    EXPECT_NEAR(c[Venus].labelRadius, 0.89 * 202.05, kTol);
    EXPECT_NEAR(placeBodies(g, first, kSynastryCrowding)[Venus].labelRadius, 202.05, kTol);
}
