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

bool wholeGlyphVisible(const WheelGeometry& g, WheelPoint c, double half) {
    const double eps = 1e-6;
    return c.x - half >= kGlyphEdgeGap - eps && c.x + half <= g.width - kGlyphEdgeGap + eps &&
           c.y - half >= g.visibleTop + kGlyphEdgeGap - eps &&
           c.y + half <= g.height - kGlyphEdgeGap + eps;
}

TEST(WheelGeometry, OuterBodiesStandAFixedHundredOutAndEveryGlyphStaysVisible) {
    // Every client area from the smallest window to a 4K screen, with and
    // without a toolbar over the top rows, and the chart turned through a
    // whole circle so that each glyph meets each edge.
    struct Size {
        int w, h;
    };
    const Size sizes[] = {{640, 480},   {800, 600},   {1024, 740},  {1024, 768}, {1280, 800},
                          {1920, 1080}, {2560, 1440}, {3840, 2160}, {600, 800},  {480, 640}};
    std::array<double, 17> l = longitudesAllApart();
    l[Sun] = l[Lilith] + 3; // one crowded glyph
    for (const Size& s : sizes)
        for (double top : {0.0, 36.0})
            for (double turn = 0; turn < 360; turn += 7.5) {
                std::array<double, 17> t{};
                for (int b = 1; b <= 16; ++b)
                    t[size_t(b)] = std::fmod(l[size_t(b)] + turn, 360);
                WheelGeometry g = WheelGeometry::make(s.w, s.h, kNatalMargin, t[Ascendant]);
                g.visibleTop = top;
                const auto places = placeBodies(g, t, kNatalCrowding, 16);
                for (int b = 1; b <= kDrawnBodies; ++b) {
                    const BodyPlacement& p = places[size_t(b)];
                    SCOPED_TRACE(testing::Message() << s.w << "x" << s.h << " top " << top
                                                    << " turn " << turn << " body " << b);
                    EXPECT_NEAR(p.glyphRadius - p.labelRadius, isOuterBody(b) ? 100 : 0, kTol);
                    EXPECT_TRUE(wholeGlyphVisible(g, p.placed, 16));
                    EXPECT_LE(p.placedRadius, p.glyphRadius + kTol);
                    // Pulled in only as far as needed: a glyph that fits stays put.
                    if (wholeGlyphVisible(g, p.glyph, 16))
                        EXPECT_NEAR(p.placedRadius, p.glyphRadius, kTol);
                    else
                        EXPECT_FALSE(wholeGlyphVisible(g, g.P(p.angle, p.placedRadius + 0.5), 16));
                }
            }
}

TEST(WheelGeometry, MidheavenStraightUpIsPulledBelowTheTopEdge) {
    // Ascendant 0 and Midheaven 269 put the Midheaven at 90 degrees, straight
    // up. On 800 x 600 its glyph would reach 300 - 283.3 - 16 = 0.7 pixels
    // from the top; it stops kGlyphEdgeGap below it instead, and below a
    // 36-pixel toolbar as well.
    std::array<double, 17> l = longitudesAllApart();
    l[Ascendant] = 0;
    l[Midheaven] = 269;
    l[Lilith] = 110; // nothing near the Midheaven
    struct Case {
        double top, radius;
    };
    for (const Case& c : {Case{0, 300 - 2 - 16}, Case{36, 300 - 36 - 2 - 16}}) {
        WheelGeometry g = WheelGeometry::make(800, 600, kNatalMargin, 0);
        g.visibleTop = c.top;
        const BodyPlacement mc = placeBodies(g, l, kNatalCrowding)[Midheaven];
        EXPECT_NEAR(mc.glyphRadius, 283.3, kTol);
        EXPECT_NEAR(mc.placedRadius, c.radius, 1e-6) << c.top;
        EXPECT_NEAR(mc.placed.x, 400, 1e-6);
    }
    // A window too small for any glyph puts them at the centre, not beyond it.
    const WheelGeometry tiny = WheelGeometry::make(20, 20, kNatalMargin, 0);
    EXPECT_EQ(tiny.radiusInside(90, 50, 16), 0);
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
    const auto b = placeBodies(g, second, kSynastryCrowding);
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
}

TEST(WheelGeometry, SecondPersonsGlyphsLeaveTheFirstPersonsVisible) {
    const std::array<double, 17> first = longitudesAllApart();
    for (auto [w, h] : {std::pair{800, 600}, std::pair{1024, 768}, std::pair{1920, 1080}}) {
        const WheelGeometry g = WheelGeometry::make(w, h, kSynastryMargin, first[Ascendant]);
        const auto under = placeBodies(g, first, kSynastryCrowding, 16);

        // Born the same day: every glyph of the second person would lie on the
        // first person's. Each moves off, along its own ray, and stays visible.
        auto same = placeBodies(g, first, kSynastryCrowding, 11);
        keepApart(g, same, 11, under, 16);
        for (int i = 1; i <= kDrawnBodies; ++i) {
            SCOPED_TRACE(testing::Message() << w << "x" << h << " body " << i);
            EXPECT_NEAR(std::remainder(same[size_t(i)].angle - under[size_t(i)].angle, 360), 0,
                        kTol);
            EXPECT_TRUE(wholeGlyphVisible(g, same[size_t(i)].placed, 11));
            for (int j = 1; j <= kDrawnBodies; ++j)
                EXPECT_GE(distance(same[size_t(i)].placed, under[size_t(j)].placed), 16) << j;
        }

        // Ten degrees on: nothing is covered, and nothing moves. The first
        // person's bodies no longer crowd the second person's.
        std::array<double, 17> apart{};
        for (int b = 1; b <= 16; ++b)
            apart[size_t(b)] = first[size_t(b)] + 10;
        const auto placed = placeBodies(g, apart, kSynastryCrowding, 11);
        auto kept = placed;
        keepApart(g, kept, 11, under, 16);
        for (int i = 1; i <= kDrawnBodies; ++i) {
            EXPECT_NEAR(kept[size_t(i)].placedRadius, placed[size_t(i)].placedRadius, kTol) << i;
            EXPECT_NEAR(kept[size_t(i)].labelRadius, g.bodyRadius(), kTol) << i;
        }
    }
}
