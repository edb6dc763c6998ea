#include "assets/artwork.h"

#include <QFile>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <QSvgRenderer>
#include <gtest/gtest.h>

using namespace velorin;

namespace {

// Pixels that are not fully transparent.
int inkedPixels(const QImage& image) {
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    int inked = 0;
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            inked += qAlpha(argb.pixel(x, y)) > 0;
    return inked;
}

// What the programs ask for by name: a name missing from the resource would
// leave a button or a window without its picture and no error anywhere.
const char* const kUsedArtwork[] = {
    "tarvessa",          "synastry",          "nocturo",           "toolbar/open",
    "toolbar/edit",      "toolbar/print",     "toolbar/save",      "toolbar/picture",
    "toolbar/sheet",     "toolbar/forward",   "toolbar/back",      "toolbar/degrees",
    "toolbar/ascendant", "toolbar/settings",  "toolbar/interpret", "toolbar/link",
    "toolbar/editor",    "toolbar/about",     "toolbar/exit",      "toolbar/setaside",
    "toolbar/report",    "toolbar/forecast",  "toolbar/pointer",   "window/program",
    "window/note",       "window/place-save", "window/place-open", "window/place-search",
    "recorder/record",   "recorder/pause",    "recorder/resume",   "recorder/stop",
    "codes/assigned",    "codes/none",        "codes/missing",
};

} // namespace

TEST(Artwork, EveryResourceRendersAtButtonSize) {
    const QStringList names = artworkNames();
    ASSERT_FALSE(names.isEmpty());
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        QSvgRenderer renderer(artworkPath(name));
        EXPECT_TRUE(renderer.isValid());
        const QPixmap pm = artworkPixmap(name, 28);
        ASSERT_EQ(pm.size(), QSize(28, 28));
        // A picture reduced to a speck or drawn outside its box would pass
        // the validity check and still show an empty button.
        EXPECT_GT(inkedPixels(pm.toImage()), 28 * 28 / 20);
    }
}

// An icon holds the picture at its own size and at twice that for dense
// screens; each must be the one artworkPixmap draws, not a scaled or blank one.
TEST(Artwork, IconsHoldThePicturesAtOneAndTwiceTheirSize) {
    for (const QString& name : artworkNames()) {
        SCOPED_TRACE(name.toStdString());
        const QSize own = QSvgRenderer(artworkPath(name)).defaultSize();
        const int side = qMax(own.width(), own.height());
        const QIcon icon = artworkIcon(name);
        ASSERT_EQ(icon.availableSizes(), (QList<QSize>{{side, side}, {2 * side, 2 * side}}));
        for (int s : {side, 2 * side})
            EXPECT_EQ(icon.pixmap(QSize(s, s)).toImage().convertToFormat(QImage::Format_ARGB32),
                      artworkPixmap(name, s).toImage().convertToFormat(QImage::Format_ARGB32))
                << s;
    }
}

// The picture for dense screens is drawn on the first request that needs
// it; whatever is asked first, the answers must be those of an icon that
// held both pictures from the start (a large request answered from the small
// picture would show a blurred icon).
TEST(Artwork, IconsAnswerLikeOnesHoldingBothPictures) {
    const QString name = QStringLiteral("toolbar/open");
    const int side = QSvgRenderer(artworkPath(name)).defaultSize().width();
    QIcon eager;
    eager.addPixmap(artworkPixmap(name, side));
    eager.addPixmap(artworkPixmap(name, 2 * side));
    struct Request {
        int size;
        qreal ratio;
        QIcon::Mode mode;
    };
    const Request sequences[][3] = {
        {{side, 1, QIcon::Normal}, {2 * side, 1, QIcon::Normal}, {side, 1, QIcon::Normal}},
        {{side + 5, 1, QIcon::Normal}, {16, 1, QIcon::Normal}, {3 * side, 1, QIcon::Normal}},
        {{side, 2, QIcon::Normal}, {side, 1, QIcon::Disabled}, {side, 2, QIcon::Disabled}},
        {{16, 1, QIcon::Active}, {side, 1.5, QIcon::Selected}, {side, 1, QIcon::Normal}},
    };
    auto image = [](const QPixmap& pm) {
        return pm.toImage().convertToFormat(QImage::Format_ARGB32);
    };
    for (const auto& sequence : sequences) {
        const QIcon lazy = artworkIcon(name);
        for (const Request& r : sequence) {
            SCOPED_TRACE(std::to_string(r.size) + " x" + std::to_string(r.ratio) + " mode " +
                         std::to_string(int(r.mode)));
            const QSize size(r.size, r.size);
            const QPixmap got = lazy.pixmap(size, r.ratio, r.mode);
            const QPixmap want = eager.pixmap(size, r.ratio, r.mode);
            EXPECT_EQ(got.size(), want.size());
            EXPECT_EQ(got.devicePixelRatio(), want.devicePixelRatio());
            EXPECT_EQ(image(got), image(want));
            EXPECT_EQ(lazy.actualSize(size, r.mode), eager.actualSize(size, r.mode));
        }
    }
    // Painted into a dense device, an icon must use the large picture.
    for (qreal ratio : {1.0, 2.0}) {
        SCOPED_TRACE(ratio);
        QImage a(side * 2, side * 2, QImage::Format_ARGB32_Premultiplied);
        a.setDevicePixelRatio(ratio);
        QImage b = a;
        b.detach();
        a.fill(Qt::transparent);
        b.fill(Qt::transparent);
        QPainter pa(&a), pb(&b);
        artworkIcon(name).paint(&pa, QRect(0, 0, side, side));
        eager.paint(&pb, QRect(0, 0, side, side));
        pa.end();
        pb.end();
        EXPECT_EQ(a, b);
    }
}

TEST(Artwork, EveryNameTheProgramsUseIsThere) {
    const QStringList names = artworkNames();
    for (const char* used : kUsedArtwork)
        EXPECT_TRUE(names.contains(QLatin1String(used))) << used;
    // Two buttons sharing one picture would be told apart only by position.
    QStringList contents;
    for (const QString& name : names) {
        QFile f(artworkPath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QString body = QString::fromUtf8(f.readAll());
        EXPECT_FALSE(contents.contains(body)) << name.toStdString();
        contents << body;
    }
}

// Letters in the artwork are outlines: a <text> element makes the icon
// look up and load a font at every start, before the first chart is shown.
TEST(Artwork, ArtworkDrawsWithoutFonts) {
    for (const QString& name : artworkNames()) {
        QFile f(artworkPath(name));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        const QByteArray body = f.readAll();
        EXPECT_FALSE(body.contains("<text") || body.contains("<tspan")) << name.toStdString();
    }
}

TEST(Artwork, UnknownOrEmptyRequestsGiveNothing) {
    struct Case {
        QString name;
        int side;
    };
    const Case cases[] = {
        {QStringLiteral("toolbar/nosuch"), 28}, {QString(), 28},
        {QStringLiteral("../tarvessa"), 28},    {QStringLiteral("tarvessa"), 0},
        {QStringLiteral("tarvessa"), -5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString() + " " + std::to_string(c.side));
        EXPECT_TRUE(artworkPixmap(c.name, c.side).isNull());
    }
    EXPECT_TRUE(artworkIcon(QStringLiteral("toolbar/nosuch")).isNull());
    EXPECT_FALSE(artworkIcon(QStringLiteral("toolbar/open")).isNull());
}

TEST(Artwork, ProgramFolderHoldsItsIconFile) {
    // The chart file type points at this file; without it the desktop shows
    // a blank icon for every chart.
    QImageReader reader(QStringLiteral(VELORIN_PROGRAM_FOLDER "/main.ico"));
    EXPECT_EQ(reader.format(), "ico");
    const QImage icon = reader.read();
    ASSERT_FALSE(icon.isNull()) << reader.errorString().toStdString();
    EXPECT_EQ(icon.size(), QSize(64, 64));
    EXPECT_GT(inkedPixels(icon), 64 * 64 / 2);
}

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
