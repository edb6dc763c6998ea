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

// The window paints every frame on the same image and the next frame puts
// back only what the last one drew over its layer. Whatever happened between
// two frames (a setting, the chart, the size, strokes drawn on the image, a
// picture painted elsewhere), the frame must be the one painted afresh.
TEST(WheelLayerCache, FramesOnOneKeptSurfaceEqualFramesPaintedAfresh) {
    struct Step {
        const char* change;
        QSize size;
        double ascendant;
        BgrColor houses;
        BgrColor firstAspect;
        bool cuspLabels;
        WheelSelection selection;
        int visibleTop;
        // What befalls the kept surface before the frame, if anything.
        void (*between)(QImage& surface);
    };
    const QSize small(1000, 700), large(1200, 800);
    const auto stroke = [](QImage& s) {
        QPainter p(&s);
        p.setPen(QPen(Qt::blue, 2));
        p.drawLine(QPoint(20, 20), QPoint(s.width() - 20, s.height() - 20));
    };
    const auto copyPaintedOn = [](QImage& s) {
        QImage copy = s;
        copy.fill(Qt::black);
    };
    const auto otherPicture = [](QImage&) {
        QImage other(640, 480, QImage::Format_RGB32);
        const Chart c = chartWithAscendant(300);
        const WorkingSettings ws = settings(0x000000, 0x80FFFF);
        drawRadix(other, c, findAspects(c, ws.engine()), ws);
    };
    const auto synastry = [](QImage& s) {
        const Chart first = chartWithAscendant(40), second = chartWithAscendant(200);
        const WorkingSettings ws = settings(0x000000, 0x80FFFF);
        drawSynastryWheel(s, first, second.longitude,
                          findCrossAspects(first.longitude, second.longitude, ws.engine()), ws);
    };
    const auto filled = [](QImage& s) { s.fill(Qt::black); };
    const WheelSelection none;
    const WheelSelection sun{true, 0};
    const Step steps[] = {
        {"first frame", small, 40, 0x000000, 0x0000FF, true, none, 0, nullptr},
        {"the same again", small, 40, 0x000000, 0x0000FF, true, none, 0, nullptr},
        {"the same a third time", small, 40, 0x000000, 0x0000FF, true, none, 0, nullptr},
        {"a minute on", small, 40.25, 0x000000, 0x0000FF, true, none, 0, nullptr},
        {"another minute", small, 40.5, 0x000000, 0x0000FF, true, none, 0, nullptr},
        {"and another", small, 40.75, 0x000000, 0x0000FF, true, none, 0, nullptr},
        {"far on", small, 200, 0x000000, 0x0000FF, true, none, 0, nullptr},
        {"only the Sun's chords", small, 200, 0x000000, 0x0000FF, true, sun, 0, nullptr},
        {"the same again", small, 200, 0x000000, 0x0000FF, true, sun, 0, nullptr},
        {"every chord again", small, 200, 0x000000, 0x0000FF, true, none, 0, nullptr},
        {"house colour", small, 200, 0x00C000, 0x0000FF, true, none, 0, nullptr},
        {"aspect colour", small, 200, 0x00C000, 0xFF00FF, true, none, 0, nullptr},
        {"no cusp labels", small, 200, 0x00C000, 0xFF00FF, false, none, 0, nullptr},
        {"the same again", small, 200, 0x00C000, 0xFF00FF, false, none, 0, nullptr},
        {"cusp labels back", small, 200, 0x00C000, 0xFF00FF, true, none, 0, nullptr},
        {"toolbar over the top", small, 200, 0x00C000, 0xFF00FF, true, none, 120, nullptr},
        {"a stroke drawn on it", small, 200, 0x00C000, 0xFF00FF, true, none, 0, stroke},
        {"a copy of it painted on", small, 200, 0x00C000, 0xFF00FF, true, none, 0, copyPaintedOn},
        {"another picture between", small, 200, 0x00C000, 0xFF00FF, true, none, 0, otherPicture},
        {"the same again", small, 200, 0x00C000, 0xFF00FF, true, none, 0, nullptr},
        {"comparison wheel on it", small, 200, 0x00C000, 0xFF00FF, true, none, 0, synastry},
        {"the same again", small, 200, 0x00C000, 0xFF00FF, true, none, 0, nullptr},
        {"filled between", small, 200, 0x00C000, 0xFF00FF, true, none, 0, filled},
        {"larger", large, 200, 0x00C000, 0xFF00FF, true, none, 0, nullptr},
        {"the same again", large, 200, 0x00C000, 0xFF00FF, true, none, 0, nullptr},
        {"a minute on", large, 200.25, 0x00C000, 0xFF00FF, true, none, 0, nullptr},
    };
    auto paintStep = [](QImage& surface, const Step& s) {
        const Chart c = chartWithAscendant(s.ascendant);
        WorkingSettings ws = settings(0x000000, 0x80FFFF);
        ws.wheelColors[1] = s.houses;
        ws.aspectColors[0] = s.firstAspect;
        ws.showFok = s.cuspLabels;
        drawRadix(surface, c, findAspects(c, ws.engine()), ws, s.selection, s.visibleTop);
    };
    std::vector<QImage> fresh;
    setWheelLayerCache(false);
    for (const Step& s : steps) {
        fresh.emplace_back(s.size, QImage::Format_RGB32);
        paintStep(fresh.back(), s);
    }
    setWheelLayerCache(true);
    QImage kept;
    for (size_t k = 0; k < std::size(steps); ++k) {
        const Step& s = steps[k];
        keepWheelImage(kept, s.size);
        if (s.between)
            s.between(kept);
        paintStep(kept, s);
        EXPECT_EQ(firstDifferentRow(fresh[k], kept), -1) << k << ": " << s.change;
    }
}

// The wheel's painters clip to the whole image, which sends Qt's thin
// antialiased lines through a faster path. That is only sound while both
// paths give the same pixels: thin lines of every slope, in opaque colours,
// over white, over a band colour and over each other.
TEST(WheelLayerCache, ClippingToTheWholeImageChangesNoPixel) {
    struct Case {
        const char* lines;
        QImage::Format format;
        QColor background;
        QColor ink;
        double width;
    };
    const Case cases[] = {
        {"black on white", QImage::Format_RGB32, Qt::white, Qt::black, 1},
        {"colour on white", QImage::Format_RGB32, Qt::white, QColor(200, 30, 60), 1},
        {"colour on the band", QImage::Format_RGB32, QColor(255, 255, 128), QColor(0, 128, 0), 1},
        {"grey on grey", QImage::Format_RGB32, QColor(224, 224, 224), QColor(128, 128, 128), 1},
        {"alpha image", QImage::Format_ARGB32_Premultiplied, Qt::white, QColor(0, 0, 192), 1},
        {"two pixels wide", QImage::Format_RGB32, Qt::white, QColor(128, 0, 128), 2},
        {"three pixels wide", QImage::Format_RGB32, QColor(255, 192, 192), Qt::blue, 3},
    };
    for (const Case& k : cases) {
        QImage images[2];
        for (int clipped = 0; clipped < 2; ++clipped) {
            QImage& img = images[clipped];
            img = QImage(300, 300, k.format);
            img.fill(k.background);
            QPainter p(&img);
            if (clipped)
                p.setClipRect(img.rect());
            p.setRenderHint(QPainter::Antialiasing);
            p.setPen(QPen(k.ink, k.width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
            // Chords through a centre off the pixel grid, at every slope, so
            // that they cross one another too; then short radial marks.
            for (int a = 0; a < 360; a += 7) {
                const double r = a * 3.14159265358979 / 180;
                p.drawLine(
                    QPointF(150.3 + 140 * std::cos(r), 149.6 + 140 * std::sin(r)),
                    QPointF(150.3 - 120 * std::cos(r * 1.7), 149.6 - 120 * std::sin(r * 1.7)));
                p.drawLine(QPointF(150.3 + 100 * std::cos(r), 149.6 + 100 * std::sin(r)),
                           QPointF(150.3 + 110.7 * std::cos(r), 149.6 + 110.7 * std::sin(r)));
            }
        }
        EXPECT_EQ(firstDifferentRow(images[0], images[1]), -1) << k.lines;
    }
}
