// The synastry wheel: both persons' glyph elements, the cross-aspect chords
// with the click filter, and glyphs readable above the lines in both wheels.

#include "wheel/synastrywheel.h"

#include "engine/angles.h"

#include <cmath>
#include <gtest/gtest.h>

using namespace velorin;

namespace {

Chart chartAt(double shift) {
    Chart c;
    for (int b = 1; b <= 16; ++b)
        c.longitude[size_t(b)] = std::fmod(shift + 23.0 * b, 360);
    for (int h = 1; h <= 12; ++h)
        c.cuspRing[size_t(h)] = std::fmod(270 + 30.0 * (h - 1), 360);
    c.longitude[Ascendant] = 0;
    c.longitude[Midheaven] = 270;
    return c;
}

constexpr BgrColor kAxisBgr = 0x00FF00; // pure green

int countNear(const QImage& img, QRect area, const QColor& c, int tolerance) {
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor p = img.pixelColor(x, y);
            n += std::abs(p.red() - c.red()) + std::abs(p.green() - c.green()) +
                             std::abs(p.blue() - c.blue()) <=
                         tolerance
                     ? 1
                     : 0;
        }
    return n;
}

TEST(SynastryWheel, CrossChordFilterFollowsTheClickedPersonsBody) {
    const CrossAspect sunMoon{Sun, Moon, 4}, marsSun{Mars, Sun, 3};
    struct Case {
        WheelSelection selection;
        bool sunMoonShown, marsSunShown;
    };
    const Case cases[] = {
        {{false, 3}, true, true},
        {{true, Sun - 1}, true, false},                       // the first person's Sun
        {{true, Mars - 1}, false, true},                      // the first person's Mars
        {{true, kSecondGlyphOffset + Moon - 1}, true, false}, // the second person's Moon
        {{true, kSecondGlyphOffset + Sun - 1}, false, true},  // the second person's Sun
        {{true, kSecondGlyphOffset + Mars - 1}, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(crossChordShown(sunMoon, c.selection), c.sunMoonShown) << c.selection.glyph;
        EXPECT_EQ(crossChordShown(marsSun, c.selection), c.marsSunShown) << c.selection.glyph;
    }
}

TEST(SynastryWheel, ThirtyGlyphElementsTheSecondPersonsSmallOnRingedDiscs) {
    const Chart first = chartAt(0), second = chartAt(11.5);
    WorkingSettings ws;
    QImage img(800, 600, QImage::Format_RGB32);
    const auto hits = drawSynastryWheel(img, first, second.longitude, {}, ws);
    ASSERT_EQ(hits.size(), 30u);
    const WheelGeometry g = WheelGeometry::make(800, 600, kSynastryMargin, first.cuspRing[4]);
    auto places = placeBodies(g, second.longitude, kSynastryCrowding, secondDiscRadius(16));
    keepApart(g, places, secondDiscRadius(16),
              placeBodies(g, first.longitude, kSynastryCrowding, 16), 16);
    for (int b = 1; b <= kDrawnBodies; ++b) {
        const GlyphHit& h = hits[size_t(kSecondGlyphOffset + b - 1)];
        EXPECT_EQ(h.index, kSecondGlyphOffset + b - 1);
        EXPECT_EQ(h.rect.size(), QSize(16, 16));
        EXPECT_NEAR(h.rect.center().x() + 0.5, places[size_t(b)].placed.x, 1.0) << b;
        EXPECT_NEAR(h.rect.center().y() + 0.5, places[size_t(b)].placed.y, 1.0) << b;
        // The disc's ring, in the second person's colour, just outside the glyph.
        EXPECT_GT(countNear(img, h.rect.adjusted(-4, -4, 4, 4), kSecondPersonBadge, 90), 8) << b;
        EXPECT_EQ(glyphAt(hits, h.rect.center()), h.index);
    }
    for (const GlyphHit& h : hits)
        EXPECT_TRUE(img.rect().contains(h.rect)) << h.index;
    // A large wheel grows the small glyphs, at most by half.
    EXPECT_EQ(secondGlyphSize(WheelGeometry::make(1920, 1080, kSynastryMargin, 0)), 24);
}

TEST(SynastryWheel, GlyphsStayReadableAboveTheAxesInBothWheels) {
    // The Ascendant's glyph lies on its own axis; where the glyph has ink, the
    // axis colour must not show.
    const Chart c = chartAt(0);
    WorkingSettings ws;
    ws.wheelColors[3] = kAxisBgr;
    const QColor axis = colorFromBgr(kAxisBgr);
    const QImage& art = bodyGlyph(Ascendant);
    for (bool synastry : {false, true}) {
        QImage img(800, 600, QImage::Format_RGB32);
        const auto hits = synastry ? drawSynastryWheel(img, c, chartAt(100).longitude, {}, ws)
                                   : drawRadix(img, c, {}, ws);
        const QRect r = hits[Ascendant - 1].rect;
        int inked = 0, covered = 0;
        for (int y = 0; y < art.height(); ++y)
            for (int x = 0; x < art.width(); ++x) {
                if (qAlpha(art.pixel(x, y)) < 250)
                    continue;
                ++inked;
                const QColor p = img.pixelColor(r.left() + x, r.top() + y);
                covered += p.green() > 200 && p.red() < 100 ? 1 : 0;
            }
        EXPECT_GT(inked, 20);
        EXPECT_EQ(covered, 0) << (synastry ? "synastry" : "natal");
        // The axis itself is still drawn beside the glyph.
        EXPECT_GT(countNear(img, r.adjusted(-40, -10, 40, 10), axis, 60), 10);
    }
}

TEST(SynastryWheel, SameDayBirthsKeepTheFirstPersonsNodesInSight) {
    // Two people born the same day: the second person's discs would lie
    // exactly on the first person's glyphs. The first person's nodes must
    // still show most of their ink.
    // The same wheel with the second person half a circle away shows the
    // first person's glyphs uncovered.
    const Chart c = chartAt(40);
    std::array<double, 17> away = c.longitude;
    for (double& l : away)
        l = std::fmod(l + 180, 360);
    WorkingSettings ws;
    for (QSize size : {QSize(800, 600), QSize(1920, 1080)}) {
        QImage img(size, QImage::Format_RGB32), clear(size, QImage::Format_RGB32);
        const auto hits = drawSynastryWheel(img, c, c.longitude, {}, ws);
        const auto clearHits = drawSynastryWheel(clear, c, away, {}, ws);
        for (int b : {NorthNode, SouthNode, Sun, Moon, Ascendant, Midheaven}) {
            const QRect r = hits[size_t(b - 1)].rect;
            ASSERT_EQ(r, clearHits[size_t(b - 1)].rect);
            const QImage& art = bodyGlyph(b);
            int inked = 0, shown = 0;
            for (int y = 0; y < art.height(); ++y)
                for (int x = 0; x < art.width(); ++x) {
                    if (qAlpha(art.pixel(x, y)) < 250)
                        continue;
                    ++inked;
                    const QPoint p(r.left() + x, r.top() + y);
                    shown += img.pixel(p) == clear.pixel(p) ? 1 : 0;
                }
            EXPECT_GT(shown, inked * 3 / 4) << size.width() << " body " << b;
            // The second person's glyph is there too, whole, and clickable.
            const QRect second = hits[size_t(kSecondGlyphOffset + b - 1)].rect;
            EXPECT_TRUE(img.rect().contains(second)) << b;
            EXPECT_EQ(glyphAt(hits, second.center()), kSecondGlyphOffset + b - 1) << b;
        }
    }
}

TEST(SynastryWheel, ChordsRunBetweenTheTwoPersonsBodies) {
    Chart first = chartAt(0);
    Chart second = chartAt(200);
    first.longitude[Sun] = 10;
    second.longitude[Moon] = 130; // trine
    WorkingSettings ws;
    ws.orbs.fill(0);
    ws.aspectColors[4] = 0xA0A000; // trine, teal
    const QColor teal = colorFromBgr(0xA0A000);
    const auto aspects = findCrossAspects(first.longitude, second.longitude, ws.engine());
    const WheelGeometry g = WheelGeometry::make(800, 600, kSynastryMargin, 0);
    const WheelPoint a = g.P(g.bodyAngle(10), g.R4), b = g.P(g.bodyAngle(130), g.R4);
    const QRect mid(int((a.x + b.x) / 2) - 2, int((a.y + b.y) / 2) - 2, 5, 5);
    for (auto [sel, shown] : {std::pair{WheelSelection{}, true},
                              {WheelSelection{true, kSecondGlyphOffset + Moon - 1}, true},
                              {WheelSelection{true, kSecondGlyphOffset + Mars - 1}, false}}) {
        QImage img(800, 600, QImage::Format_RGB32);
        drawSynastryWheel(img, first, second.longitude, aspects, ws, sel);
        EXPECT_EQ(countNear(img, mid, teal, 120) > 0, shown) << sel.glyph;
    }
    EXPECT_TRUE(renderSynastryImage(first, second, ws, QSize()).isNull());
}

} // namespace
