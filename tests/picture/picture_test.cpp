// The 24-bit bitmap's layout and the JPEG writer's file handling.

#include "picture/jpeg.h"
#include "picture/png.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace velorin;

namespace {

// Left half red, right half blue, a green top row.
QImage testPicture(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y,
                         y == 0      ? qRgb(0, 255, 0)
                         : x < w / 2 ? qRgb(255, 0, 0)
                                     : qRgb(0, 0, 255));
    return img;
}

bool near(QRgb a, QRgb b, int tolerance = 40) {
    return std::abs(qRed(a) - qRed(b)) <= tolerance &&
           std::abs(qGreen(a) - qGreen(b)) <= tolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= tolerance;
}

} // namespace

TEST(DibSection, RowsArePaddedToFourBytes) {
    const struct {
        int width, bytes, padding;
    } rows[] = {{1, 4, 1}, {100, 300, 0}, {101, 304, 1}, {102, 308, 2}, {103, 312, 3}};
    for (const auto& r : rows) {
        cDIBSection dib;
        ASSERT_TRUE(dib.Create(r.width, 2)) << r.width;
        EXPECT_EQ(dib.BytesPerScanLine(), r.bytes) << r.width;
        EXPECT_EQ(dib.BytesPerScanLine() - r.width * 3, r.padding) << r.width;
    }
}

TEST(DibSection, RefusesSizesItCannotHold) {
    cDIBSection dib;
    for (auto [w, h] : {std::pair{0, 10}, {10, 0}, {-5, 10}, {40000, 10}, {20000, 20000}}) {
        EXPECT_FALSE(dib.Create(w, h)) << w << "x" << h;
        EXPECT_EQ(dib.DIBSectionBitsPtr(), nullptr);
    }
    dib.CreateFromPicture(QImage());
    EXPECT_EQ(dib.Width(), 0);
    EXPECT_FALSE(saveJpeg(dib, QDir::tempPath() + "/never.jpg", 90));
}

TEST(DibSection, StoresBottomRowFirstInBlueGreenRedOrder) {
    QImage img(3, 2, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(1, 2, 3));
    img.setPixel(2, 0, qRgb(4, 5, 6));
    img.setPixel(0, 1, qRgb(7, 8, 9));
    img.setPixel(1, 1, qRgb(10, 11, 12));
    img.setPixel(2, 1, qRgb(13, 14, 15));
    cDIBSection dib;
    dib.CreateFromPicture(img);
    ASSERT_EQ(dib.BytesPerScanLine(), 12);
    const std::uint8_t* b = dib.DIBSectionBitsPtr();
    // Memory row 0 is the picture's bottom row.
    EXPECT_EQ((std::vector<int>{b[0], b[1], b[2], b[3], b[6], b[7], b[8]}),
              (std::vector<int>{9, 8, 7, 12, 15, 14, 13}));
    EXPECT_EQ((std::vector<int>{b[12], b[13], b[14], b[18], b[19], b[20]}),
              (std::vector<int>{3, 2, 1, 6, 5, 4}));
    EXPECT_EQ(dib.pixel(1, 1), qRgb(10, 11, 12));
}

TEST(DibSection, BlitCopiesOnlyWhatBothHold) {
    cDIBSection dib;
    ASSERT_TRUE(dib.Create(4, 4));
    const QImage src = testPicture(6, 6);
    dib.LoadPictureBlt(src, 4, 1); // two columns and five rows of source remain
    EXPECT_EQ(dib.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(dib.pixel(1, 3), qRgb(0, 0, 255));
    EXPECT_EQ(dib.pixel(2, 0), qRgb(0, 0, 0)); // beyond the source: untouched
    dib.LoadPictureBlt(src, -2, -2, 3, 3);
    EXPECT_EQ(dib.pixel(2, 2), qRgb(0, 255, 0)); // source (0, 0), in its green top row
    EXPECT_EQ(dib.pixel(1, 1), qRgb(0, 0, 255)); // left from the first copy
}

class JpegFile : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString path(const char* name) const { return dir.path() + "/" + name; }
};

TEST_F(JpegFile, DecodesUprightAtTheRequestedSize) {
    const QString file = path("w.jpg");
    const QImage src = testPicture(101, 60);
    ASSERT_TRUE(savePictureAsJpeg(src, file, 90, QSize(101, 60)));
    QImage back(file);
    ASSERT_EQ(back.size(), QSize(101, 60));
    EXPECT_TRUE(near(back.pixel(50, 0), qRgb(0, 255, 0))); // top row stays on top
    EXPECT_TRUE(near(back.pixel(10, 40), qRgb(255, 0, 0)));
    EXPECT_TRUE(near(back.pixel(90, 40), qRgb(0, 0, 255)));

    // A smaller JPEG size takes the top left part; a larger one is clipped.
    ASSERT_TRUE(savePictureAsJpeg(src, file, 90, QSize(40, 20)));
    back.load(file);
    EXPECT_EQ(back.size(), QSize(40, 20));
    EXPECT_TRUE(near(back.pixel(20, 0), qRgb(0, 255, 0)));
    EXPECT_TRUE(near(back.pixel(10, 15), qRgb(255, 0, 0)));
    ASSERT_TRUE(savePictureAsJpeg(src, file, 90, QSize(500, 500)));
    EXPECT_EQ(QImage(file).size(), QSize(101, 60));

    const QString identify = QStandardPaths::findExecutable("identify");
    if (identify.isEmpty())
        GTEST_SKIP() << "ImageMagick's identify is not installed";
    QProcess p;
    p.start(identify, {"-format", "%Q", file});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(p.readAllStandardOutput().trimmed(), "90");
}

TEST_F(JpegFile, ReplacedReadOnlyFileKeepsItsPermissionsAndTimes) {
    const QString file = path("old.jpg");
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
        f.flush();
        const QDateTime then(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC);
        f.setFileTime(then, QFileDevice::FileModificationTime);
        f.setFileTime(then, QFileDevice::FileAccessTime);
    }
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup;
    ASSERT_TRUE(QFile::setPermissions(file, readOnly));
    ASSERT_TRUE(savePictureAsJpeg(testPicture(20, 20), file));
    const QFileInfo info(file);
    EXPECT_EQ(QImage(file).size(), QSize(20, 20));
    EXPECT_FALSE(info.permissions() & QFileDevice::WriteOwner);
    EXPECT_TRUE(info.permissions() & QFileDevice::ReadGroup);
    EXPECT_EQ(info.lastModified().toUTC(), QDateTime(QDate(2001, 2, 3), QTime(4, 5, 6), Qt::UTC));
}

TEST_F(JpegFile, FailureSaysWhatAndLeavesTheOldFile) {
    // A folder in the way.
    QDir().mkpath(path("folder.jpg"));
    JpegResult r = savePictureAsJpeg(testPicture(8, 8), path("folder.jpg"));
    EXPECT_FALSE(r);
    EXPECT_EQ(r.errorNumber, kJpegSaveError);
    EXPECT_TRUE(r.description.contains("folder.jpg"));
}

TEST_F(JpegFile, UnwritableFolderLeavesTheOldFile) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root writes into read-only folders";
    const QString locked = path("locked");
    QDir().mkpath(locked);
    const QString file = locked + "/old.jpg";
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("old");
    }
    QFile::setPermissions(locked, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    const JpegResult r = savePictureAsJpeg(testPicture(8, 8), file);
    QFile::setPermissions(locked,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(r);
    EXPECT_TRUE(r.description.contains("változatlan"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), "old");
}

// The drawing surface is encoded where it lies, without the bitmap copy:
// the bytes must be the bitmap's, byte for byte, whatever part is taken.
TEST(JpegEncoding, ThePictureItselfGivesTheBitmapsBytes) {
    QImage src(101, 61, QImage::Format_RGB32);
    for (int y = 0; y < src.height(); ++y)
        for (int x = 0; x < src.width(); ++x)
            src.setPixel(x, y, qRgb(x * 5 % 256, y * 7 % 256, (x * y) % 256));
    cDIBSection dib;
    dib.CreateFromPicture(src);
    const struct {
        QSize size;
        int quality;
    } cases[] = {{QSize(), 90}, {QSize(40, 20), 90}, {QSize(500, 500), 75}, {QSize(1, 61), 100}};
    for (const auto& c : cases) {
        QByteArray direct, viaBitmap;
        ASSERT_TRUE(encodePictureAsJpeg(src, direct, c.quality, c.size));
        ASSERT_TRUE(encodeJpeg(dib, viaBitmap, c.quality, c.size));
        EXPECT_TRUE(direct == viaBitmap) << c.size.width() << "x" << c.size.height();
    }
}

// The command line's PNG writer is lossless: every pixel comes back as drawn,
// at sizes whose rows are no multiple of anything, and in either 32-bit form.
TEST(PngEncoding, EveryPixelComesBack) {
    struct Case {
        int width, height;
        QImage::Format format;
    };
    const Case cases[] = {{1, 1, QImage::Format_RGB32},
                          {101, 61, QImage::Format_RGB32},
                          {7, 300, QImage::Format_ARGB32},
                          {1500, 3, QImage::Format_RGB888}};
    for (const Case& c : cases) {
        QImage src(c.width, c.height, c.format);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                src.setPixel(x, y, qRgb(x * 5 % 256, (y * 7 + x) % 256, (x * y) % 256));
        const QByteArray png = encodePng(src);
        QImage back;
        ASSERT_TRUE(back.loadFromData(png, "PNG")) << c.width << "x" << c.height;
        ASSERT_EQ(back.size(), src.size());
        int differing = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                differing += qRgb(qRed(back.pixel(x, y)), qGreen(back.pixel(x, y)),
                                  qBlue(back.pixel(x, y))) != (src.pixel(x, y) | 0xff000000u);
        EXPECT_EQ(differing, 0) << c.width << "x" << c.height;
    }
    EXPECT_TRUE(encodePng(QImage()).isEmpty());
}
