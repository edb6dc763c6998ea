// The painted wheel, read back by pixels at known points: the band, the aspect
// chords with their colours and the click filter, glyphs and labels.

#include "wheel/wheelimage.h"
#include "wheel/wheelpainter.h"

#include "engine/angles.h"

#include <QFontInfo>
#include <cmath>
#include <gtest/gtest.h>

using namespace velorin;

namespace {

// A chart whose only aspects, with the orbs of quietSettings, are Sun trine
// Moon and Mars square Moon. Ascendant 0° Aries, Midheaven 270°.
Chart quietChart() {
    Chart c;
    const double l[17] = {0,     10,  37.3, 83.7, 220.5, 171.1, 199.9, 233.3, 301.7,
                          317.1, 130, 200,  20,   347.9, 0,     270,   0};
    for (int b = 1; b <= 16; ++b)
        c.longitude[size_t(b)] = l[b];
    for (int h = 1; h <= 12; ++h)
        c.cuspRing[size_t(h)] = std::fmod(270 + 30.0 * (h - 1), 360);
    return c;
}

constexpr BgrColor kTrineBgr = 0xA0A000;  // teal
constexpr BgrColor kSquareBgr = 0x0078C8; // orange
constexpr BgrColor kBandBgr = 0x80FFFF;   // pale yellow

WorkingSettings quietSettings() {
    WorkingSettings ws;
    ws.orbs.fill(0);
    ws.orbs[3] = 1; // 90
    ws.orbs[4] = 1; // 120
    ws.aspectColors[3] = kSquareBgr;
    ws.aspectColors[4] = kTrineBgr;
    ws.bandColor = kBandBgr;
    return ws;
}

QImage paint(const Chart& c, const WorkingSettings& ws, const WheelSelection& sel = {},
             std::vector<GlyphHit>* hits = nullptr) {
    QImage img(800, 600, QImage::Format_RGB32);
    auto h = drawRadix(img, c, findAspects(c, ws.engine()), ws, sel);
    if (hits)
        *hits = h;
    return img;
}

// Anti-aliasing blends a one-pixel line into the white around it; a pixel
// "shows" a colour when it lies on the way from white to it, at least halfway.
bool shows(QRgb px, const QColor& target) {
    const double a[3] = {255.0 - qRed(px), 255.0 - qGreen(px), 255.0 - qBlue(px)};
    const double t[3] = {255.0 - target.red(), 255.0 - target.green(), 255.0 - target.blue()};
    double dot = 0, tt = 0;
    for (int i = 0; i < 3; ++i) {
        dot += a[i] * t[i];
        tt += t[i] * t[i];
    }
    const double alpha = dot / tt;
    if (alpha < 0.5)
        return false;
    for (int i = 0; i < 3; ++i)
        if (std::fabs(a[i] - alpha * t[i]) > 12)
            return false;
    return true;
}

bool showsNear(const QImage& img, WheelPoint p, const QColor& target, int reach = 2) {
    for (int dy = -reach; dy <= reach; ++dy)
        for (int dx = -reach; dx <= reach; ++dx)
            if (shows(img.pixel(int(p.x) + dx, int(p.y) + dy), target))
                return true;
    return false;
}

// Points along the chord between two bodies, away from its ends.
std::vector<WheelPoint> alongChord(const WheelGeometry& g, double la, double lb) {
    const WheelPoint a = g.P(g.bodyAngle(la), g.R4), b = g.P(g.bodyAngle(lb), g.R4);
    std::vector<WheelPoint> pts;
    for (double t : {0.3, 0.4, 0.5, 0.6, 0.7})
        pts.push_back({a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)});
    return pts;
}

int pointsShowing(const QImage& img, const std::vector<WheelPoint>& pts, const QColor& c) {
    int n = 0;
    for (WheelPoint p : pts)
        n += showsNear(img, p, c) ? 1 : 0;
    return n;
}

const WheelGeometry kGeometry = WheelGeometry::make(800, 600, kNatalMargin, 0);

} // namespace

TEST(WheelPainter, TheChartUnderTestHasJustTwoAspects) {
    const auto found = findAspects(quietChart(), quietSettings().engine());
    ASSERT_EQ(found.size(), 2u);
    EXPECT_TRUE(found[0].first == Sun && found[0].second == Moon && found[0].kind == 4);
    EXPECT_TRUE(found[1].first == Mars && found[1].second == Moon && found[1].kind == 3);
}

TEST(WheelPainter, BandColourFillsTheZodiacRing) {
    const QImage img = paint(quietChart(), quietSettings());
    const QColor band = colorFromBgr(kBandBgr);
    ASSERT_EQ(band, QColor(255, 255, 128));
    // Between sign lines and glyphs, across the whole width of the band.
    for (double lon : {5.0, 95.0, 185.0, 275.0})
        for (double r : {kGeometry.R2 + 3, kGeometry.R - 3, (kGeometry.R2 + kGeometry.Rm) / 2}) {
            WheelPoint p = kGeometry.P(kGeometry.bodyAngle(lon), r);
            EXPECT_EQ(QColor(img.pixel(int(p.x), int(p.y))), band) << lon << " at " << r;
        }
    // Not inside the degree scale nor outside the wheel.
    WheelPoint in = kGeometry.P(kGeometry.bodyAngle(95), kGeometry.R3 - 8);
    WheelPoint out = kGeometry.P(kGeometry.bodyAngle(95), kGeometry.R + 8);
    EXPECT_EQ(QColor(img.pixel(int(in.x), int(in.y))), kWheelBackground);
    EXPECT_EQ(QColor(img.pixel(int(out.x), int(out.y))), kWheelBackground);
}

TEST(WheelPainter, ChordsInTheirAspectsColoursFilteredByTheClickedBody) {
    const Chart c = quietChart();
    const QColor trine = colorFromBgr(kTrineBgr), square = colorFromBgr(kSquareBgr);
    const auto sunMoon = alongChord(kGeometry, c.longitude[Sun], c.longitude[Moon]);
    const auto marsMoon = alongChord(kGeometry, c.longitude[Mars], c.longitude[Moon]);

    // Unfiltered, each chord in the colour of its own aspect.
    QImage img = paint(c, quietSettings());
    EXPECT_GE(pointsShowing(img, sunMoon, trine), 4);
    EXPECT_EQ(pointsShowing(img, sunMoon, square), 0);
    EXPECT_GE(pointsShowing(img, marsMoon, square), 4);
    EXPECT_EQ(pointsShowing(img, marsMoon, trine), 0);

    // The Sun's glyph (element 0): its trine stays, Mars square Moon goes.
    img = paint(c, quietSettings(), {true, Sun - 1});
    EXPECT_GE(pointsShowing(img, sunMoon, trine), 4);
    EXPECT_EQ(pointsShowing(img, marsMoon, square), 0);

    // The Moon's glyph (element 9) touches both; Mars (element 3) the square only.
    img = paint(c, quietSettings(), {true, Moon - 1});
    EXPECT_GE(pointsShowing(img, sunMoon, trine), 4);
    EXPECT_GE(pointsShowing(img, marsMoon, square), 4);
    img = paint(c, quietSettings(), {true, Mars - 1});
    EXPECT_EQ(pointsShowing(img, sunMoon, trine), 0);
    EXPECT_GE(pointsShowing(img, marsMoon, square), 4);

    // The filter off again: every chord.
    img = paint(c, quietSettings(), {false, Mars - 1});
    EXPECT_GE(pointsShowing(img, sunMoon, trine), 4);
}

TEST(WheelPainter, TooSmallClientAreaPaintsOnlyTheBackground) {
    const Chart c = quietChart();
    for (QSize size : {QSize(59, 400), QSize(400, 60), QSize(1, 1)}) {
        QImage img(size, QImage::Format_RGB32);
        img.fill(Qt::black);
        const auto hits =
            drawRadix(img, c, findAspects(c, quietSettings().engine()), quietSettings());
        EXPECT_TRUE(hits.empty());
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                ASSERT_EQ(QColor(img.pixel(x, y)), kWheelBackground) << x << "," << y;
    }
    EXPECT_TRUE(renderWheelImage(c, quietSettings(), QSize(0, 0)).isNull());
}

TEST(WheelPainter, GlyphHitsLieWhereTheGlyphsArePainted) {
    const Chart c = quietChart();
    std::vector<GlyphHit> hits;
    const QImage img = paint(c, quietSettings(), {}, &hits);
    ASSERT_EQ(hits.size(), 15u);
    const auto places = placeBodies(kGeometry, c.longitude, kNatalCrowding);
    for (int b = 1; b <= 15; ++b) {
        const GlyphHit& h = hits[size_t(b - 1)];
        EXPECT_EQ(h.index, b - 1);
        EXPECT_EQ(h.rect.size(), QSize(32, 32));
        EXPECT_NEAR(h.rect.center().x() + 0.5, places[size_t(b)].placed.x, 1.0) << b;
        EXPECT_NEAR(h.rect.center().y() + 0.5, places[size_t(b)].placed.y, 1.0) << b;
        EXPECT_EQ(glyphAt(hits, h.rect.center()), b - 1);
        int inked = 0;
        for (int y = h.rect.top(); y <= h.rect.bottom(); ++y)
            for (int x = h.rect.left(); x <= h.rect.right(); ++x)
                inked += QColor(img.pixel(x, y)) != kWheelBackground ? 1 : 0;
        EXPECT_GT(inked, 30) << "body " << b;
    }
    EXPECT_EQ(glyphAt(hits, QPoint(int(kGeometry.cx), int(kGeometry.cy))), -1);
}

TEST(WheelPainter, DegreeLabelsAndRetrogradeMarksFollowTheirSwitches) {
    Chart c = quietChart();
    WorkingSettings ws = quietSettings();
    const auto places = placeBodies(kGeometry, c.longitude, kNatalCrowding);
    // The label of Venus sits below her glyph; the "R" up and left of it.
    const WheelPoint at = places[Venus].label;
    auto countIn = [](const QImage& img, QRect area, auto test) {
        int n = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                n += test(img.pixel(x, y)) ? 1 : 0;
        return n;
    };
    const QRect labelArea(int(at.x) - 15, int(at.y) + 19, 40, 13);
    const QRect markArea(int(at.x) - 21, int(at.y) - 16, 8, 13);
    auto darkGreen = [](QRgb p) { return qGreen(p) > qRed(p) + 25 && qGreen(p) > qBlue(p) + 25; };
    auto blue = [](QRgb p) { return qBlue(p) > qRed(p) + 60 && qBlue(p) > qGreen(p) + 60; };

    QImage img = paint(c, ws);
    EXPECT_EQ(countIn(img, labelArea, darkGreen), 0);
    EXPECT_EQ(countIn(img, markArea, blue), 0);

    ws.showFok = true;
    c.retroFlags[Venus - 1] = 'R';
    img = paint(c, ws);
    EXPECT_GT(countIn(img, labelArea, darkGreen), 10);
    EXPECT_GT(countIn(img, markArea, blue), 5);
}

TEST(WheelPainter, TextBlocksLeaveOutNodeAndAngles) {
    Chart c = quietChart();
    for (int h = 1; h <= 12; ++h)
        c.houseTexts[size_t(h)] = "XXXXXXXXXX\r\n";
    for (int b = 1; b <= 15; ++b)
        c.bodyTexts[size_t(b - 1)] = "XXXXXXXXXX";
    const QImage img = paint(c, quietSettings());
    auto inkedRow = [&](int y) {
        int n = 0;
        for (int yy = y; yy < y + 12; ++yy)
            for (int x = 6; x < 80; ++x)
                n += QColor(img.pixel(x, yy)) != kWheelBackground ? 1 : 0;
        return n;
    };
    EXPECT_EQ(inkedRow(90), 0); // house entry 0 is empty
    for (int h = 1; h <= 12; ++h)
        EXPECT_GT(inkedRow(90 + 16 * h), 20) << "house " << h;
    for (int y : {350, 366, 382, 398, 414, 430, 446, 462, 478, 494, 526, 542})
        EXPECT_GT(inkedRow(y), 20) << "row " << y;
    EXPECT_EQ(inkedRow(510), 0); // the North Node's row stays empty
    EXPECT_EQ(inkedRow(558), 0); // neither Ascendant nor Midheaven follows
}

TEST(WheelPainter, TheSuitesFontNamesResolveToMetricCompatibleFaces) {
    QFont mono;
    mono.setFamilies({"Courier New", "Liberation Mono"});
    EXPECT_TRUE(QFontInfo(mono).fixedPitch()) << QFontInfo(mono).family().toStdString();
    QFont sans;
    sans.setFamilies({"Arial", "Liberation Sans"});
    EXPECT_FALSE(QFontInfo(sans).fixedPitch()) << QFontInfo(sans).family().toStdString();
}
