// Repainting the window reuses what did not change since the last frame. A
// frame painted that way must be the frame painted from nothing, pixel for
// pixel, whatever changed in between; and a painter that is not a plain image
// must never receive the reused pixels.

#include "wheel/synastrywheel.h"
#include "wheel/wheelpainter.h"

#include "engine/angles.h"
#include "engine/crossangles.h"

#include <QPainter>
#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

using namespace velorin;

namespace {

// A chart with retrograde bodies, aspects and its Ascendant at `ascendant`.
Chart chartWithAscendant(double ascendant) {
    Chart c;
    const double l[17] = {0,     10,  37.3, 83.7, 220.5, 171.1, 199.9, 233.3, 301.7,
                          317.1, 130, 200,  20,   347.9, 0,     270,   0};
    for (int b = 1; b <= 16; ++b)
        c.longitude[size_t(b)] = l[b];
    c.longitude[Ascendant] = ascendant;
    for (int h = 1; h <= 12; ++h)
        c.cuspRing[size_t(h)] = std::fmod(ascendant + 270 + 30.0 * (h - 1), 360);
    c.retroFlags = "    R  R         ";
    // The margin's rows as the listing writes them, with a line end, a
    // trailing blank and a letter beyond ASCII, which takes another shaping path.
    for (int h = 1; h <= 12; ++h)
        c.houseTexts[size_t(h)] = std::to_string(h) + "h-BAK " + std::to_string(h * 2.37) + "\r\n";
    for (int b = 0; b < 15; ++b)
        c.bodyTexts[size_t(b)] = "NAP -BIK " + std::to_string(l[b + 1]) + (b % 3 ? " " : " R");
    c.bodyTexts[3] = "VÉNU-IKR 6.87 ";
    return c;
}

WorkingSettings settings(BgrColor circles, BgrColor band) {
    WorkingSettings ws;
    ws.wheelColors[0] = circles;
    ws.bandColor = band;
    ws.showFok = true;
    ws.showAsc = true;
    return ws;
}

QImage painted(QSize size, QImage::Format format, const Chart& c, const WorkingSettings& ws,
               bool cached) {
    setWheelLayerCache(cached);
    QImage img(size, format);
    drawRadix(img, c, findAspects(c, ws.engine()), ws);
    setWheelLayerCache(true);
    return img;
}

// The first row where two paintings differ, or -1.
int firstDifferentRow(const QImage& a, const QImage& b) {
    for (int y = 0; y < a.height(); ++y)
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), size_t(a.bytesPerLine())) != 0)
            return y;
    return -1;
}

} // namespace

TEST(WheelLayerCache, EveryFrameEqualsOnePaintedAfresh) {
    struct Frame {
        const char* change;
        QSize size;
        QImage::Format format;
        BgrColor circles;
        BgrColor band;
        double ascendant;
    };
    // Each frame follows the one before it, so the reused layer is always the
    // previous frame's: a key left out would show the old rings or band.
    const Frame frames[] = {
        {"first frame", {800, 600}, QImage::Format_RGB32, 0x000000, 0x80FFFF, 0},
        {"the same again", {800, 600}, QImage::Format_RGB32, 0x000000, 0x80FFFF, 0},
        {"larger", {1920, 1080}, QImage::Format_RGB32, 0x000000, 0x80FFFF, 0},
        {"one pixel narrower", {1919, 1080}, QImage::Format_RGB32, 0x000000, 0x80FFFF, 0},
        {"band colour", {1919, 1080}, QImage::Format_RGB32, 0x000000, 0xFFC0C0, 0},
        {"circle colour", {1919, 1080}, QImage::Format_RGB32, 0x0000FF, 0xFFC0C0, 0},
        {"Ascendant", {1919, 1080}, QImage::Format_RGB32, 0x0000FF, 0xFFC0C0, 123.4},
        {"Ascendant a minute on", {1919, 1080}, QImage::Format_RGB32, 0x0000FF, 0xFFC0C0, 123.65},
        {"alpha image",
         {1919, 1080},
         QImage::Format_ARGB32_Premultiplied,
         0x0000FF,
         0xFFC0C0,
         123.65},
        {"back to the first", {800, 600}, QImage::Format_RGB32, 0x000000, 0x80FFFF, 0},
    };
    // A layer is kept only once its frame repeats, so the reusing run paints
    // each frame twice: the next frame then finds the previous one's layer.
    auto paintAll = [&](bool cached) {
        std::vector<QImage> images;
        for (const Frame& f : frames)
            for (int n = 0; n < (cached ? 2 : 1); ++n)
                images.push_back(painted(f.size, f.format, chartWithAscendant(f.ascendant),
                                         settings(f.circles, f.band), cached));
        return images;
    };
    const std::vector<QImage> fresh = paintAll(false);
    const std::vector<QImage> reused = paintAll(true);
    for (size_t k = 0; k < std::size(frames); ++k)
        for (size_t n = 0; n < 2; ++n)
            EXPECT_EQ(firstDifferentRow(fresh[k], reused[2 * k + n]), -1)
                << frames[k].change << ", painting " << n + 1;
}

TEST(WheelLayerCache, TransformedOrClippedPaintersPaintEverything) {
    const Chart c = chartWithAscendant(40);
    const WorkingSettings ws = settings(0x000000, 0x80FFFF);
    const QSize size(640, 480);
    // Prime the layer at this size, so that a wrong reuse would have it to hand.
    painted(size, QImage::Format_RGB32, c, ws, true);
    painted(size, QImage::Format_RGB32, c, ws, true);

    struct Case {
        const char* painter;
        void (*setUp)(QPainter&);
    };
    const Case cases[] = {
        {"moved", [](QPainter& p) { p.translate(10, 20); }},
        {"scaled", [](QPainter& p) { p.scale(0.5, 0.5); }},
        {"clipped", [](QPainter& p) { p.setClipRect(QRect(0, 0, 300, 480)); }},
    };
    for (const Case& k : cases) {
        QImage images[2];
        for (int cached = 0; cached < 2; ++cached) {
            setWheelLayerCache(cached != 0);
            images[cached] = QImage(size, QImage::Format_RGB32);
            images[cached].fill(Qt::black);
            QPainter p(&images[cached]);
            k.setUp(p);
            paintRadix(p, size, c, findAspects(c, ws.engine()), ws);
        }
        setWheelLayerCache(true);
        EXPECT_EQ(firstDifferentRow(images[0], images[1]), -1) << k.painter;
    }
}

// The comparison wheel starts from the same reused layer, with its own
// margin and no band: a natal layer of the same size must never stand in for
// it, nor the other way round.
TEST(WheelLayerCache, NatalAndSynastryFramesInTurnEqualOnesPaintedAfresh) {
    const Chart first = chartWithAscendant(40);
    const Chart second = chartWithAscendant(200);
    const WorkingSettings ws = settings(0x000000, 0x80FFFF);
    const auto cross = findCrossAspects(first.longitude, second.longitude, ws.engine());
    struct Frame {
        const char* wheel;
        QSize size;
        bool synastry;
    };
    const Frame frames[] = {
        {"natal", {1000, 700}, false},           {"synastry, same size", {1000, 700}, true},
        {"synastry again", {1000, 700}, true},   {"natal again", {1000, 700}, false},
        {"synastry, smaller", {500, 400}, true},
    };
    auto paintAll = [&](bool cached) {
        std::vector<QImage> images;
        setWheelLayerCache(cached);
        for (const Frame& f : frames) {
            QImage img(f.size, QImage::Format_RGB32);
            if (f.synastry)
                drawSynastryWheel(img, first, second.longitude, cross, ws);
            else
                drawRadix(img, first, findAspects(first, ws.engine()), ws);
            images.push_back(img);
        }
        setWheelLayerCache(true);
        return images;
    };
    const std::vector<QImage> fresh = paintAll(false);
    const std::vector<QImage> reused = paintAll(true);
    for (size_t k = 0; k < std::size(frames); ++k)
        EXPECT_EQ(firstDifferentRow(fresh[k], reused[k]), -1) << frames[k].wheel;
}
