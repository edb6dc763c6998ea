// The wheel as SVG and PDF: read back as XML and as PDF text, and drawn again
// from the SVG to see the symbols where the window's image has them.

#include "wheel/wheelpainter.h"
#include "wheel/wheelvector.h"

#include "engine/angles.h"
#include "engine/numbers.h"

#include "tests/support/birthdata.h"
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

using namespace velorin;

namespace {

Chart annasChart() {
    return test::mustCompute(test::anna());
}

struct SvgCounts {
    bool wellFormed = false;
    int images = 0;
    int paths = 0;
    QStringList texts;
};

SvgCounts readSvg(const QByteArray& svg) {
    SvgCounts c;
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = xml.name();
        if (name == u"image")
            ++c.images;
        else if (name == u"path")
            ++c.paths;
        else if (name == u"text")
            c.texts << xml.readElementText(QXmlStreamReader::IncludeChildElements).trimmed();
    }
    c.wellFormed = !xml.hasError();
    return c;
}

// Pixels darker than the band in a square: the strokes of what stands there.
int inkIn(const QImage& img, QRect square) {
    int ink = 0;
    for (int y = square.top(); y <= square.bottom(); ++y)
        for (int x = square.left(); x <= square.right(); ++x)
            if (qGray(img.pixel(x, y)) < 160)
                ++ink;
    return ink;
}

QImage rasterOf(const QByteArray& svg, QSize size) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    QSvgRenderer renderer(svg);
    QPainter p(&img);
    renderer.render(&p);
    return img;
}

} // namespace

TEST(VectorWheel, SvgHoldsTextAsTextSymbolsAsPathsAndNoPicture) {
    const Chart chart = annasChart();
    WorkingSettings ws;
    ws.showFok = true; // degree labels at the bodies and the cusps
    const QSize size(800, 600);
    const QByteArray svg = radixVector(VectorFormat::Svg, chart, ws, size, "Anna");
    const SvgCounts c = readSvg(svg);
    ASSERT_TRUE(c.wellFormed) << svg.left(300).toStdString();
    EXPECT_EQ(c.images, 0);
    EXPECT_GE(c.paths, 12 + 15); // at least one path per sign and body symbol

    const QString sunDegree =
        QString::fromStdString(formatFixed2(degreeInSign(chart.longitude[Sun])));
    const QString ascLabel =
        "[" + QString::fromStdString(formatFixed2(degreeInSign(chart.cusps[1]))) + "]";
    for (const QString& expected : {sunDegree, ascLabel, QStringLiteral("12"),
                                    QString::fromStdString(chart.bodyTexts[0]).trimmed()})
        EXPECT_TRUE(c.texts.contains(expected)) << expected.toStdString();

    // Drawn back from the SVG, every sign symbol stands where the window's
    // image has it, with about as much ink.
    QImage window(size, QImage::Format_RGB32);
    drawRadix(window, chart, findAspects(chart, ws.engine()), ws);
    const QImage fromSvg = rasterOf(svg, size);
    const WheelGeometry g = WheelGeometry::make(800, 600, kNatalMargin, chart.cuspRing[4]);
    for (int k = 0; k < 12; ++k) {
        const WheelPoint m = g.signGlyphCentre(k);
        const QRect square(int(m.x) - 14, int(m.y) - 14, 28, 28);
        const int expected = inkIn(window, square);
        EXPECT_GT(expected, 20) << "sign " << k + 1;
        EXPECT_NEAR(inkIn(fromSvg, square), expected, expected * 0.35 + 10) << "sign " << k + 1;
    }
}

TEST(VectorWheel, PdfHoldsNoPictureAndItsTextReadsBack) {
    const Chart chart = annasChart();
    WorkingSettings ws;
    ws.showFok = true;
    const QByteArray pdf = radixVector(VectorFormat::Pdf, chart, ws, QSize(800, 600), "Anna");
    ASSERT_TRUE(pdf.startsWith("%PDF-"));
    EXPECT_FALSE(pdf.contains("/Subtype /Image"));
    EXPECT_FALSE(pdf.contains("/Subtype/Image"));
    EXPECT_TRUE(pdf.contains("/FontFile2")); // the faces are embedded

    const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed (poppler-utils)";
    QTemporaryDir dir;
    QFile f(dir.filePath("w.pdf"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(pdf);
    f.close();
    QProcess run;
    run.start(pdftotext, {f.fileName(), "-"});
    ASSERT_TRUE(run.waitForFinished(30000));
    const QString text = QString::fromUtf8(run.readAllStandardOutput());
    for (const std::string& row : {chart.bodyTexts[0], chart.bodyTexts[size_t(Moon - 1)]})
        EXPECT_TRUE(text.contains(QString::fromStdString(row).trimmed())) << row << "\n"
                                                                          << text.toStdString();
    EXPECT_TRUE(
        text.contains(QString::fromStdString(formatFixed2(degreeInSign(chart.longitude[Sun])))));
}

TEST(VectorWheel, SynastrySvgAndEmptySizes) {
    const Chart chart = annasChart();
    WorkingSettings ws;
    const SvgCounts c = readSvg(synastryVector(VectorFormat::Svg, chart, chart, ws, {640, 480}));
    EXPECT_TRUE(c.wellFormed);
    EXPECT_EQ(c.images, 0);
    EXPECT_GE(c.paths, 12 + 30); // both persons' symbols
    for (VectorFormat f : {VectorFormat::Svg, VectorFormat::Pdf}) {
        EXPECT_TRUE(radixVector(f, chart, ws, QSize(0, 600)).isEmpty());
        // Too small for a wheel: a blank page, still a valid file.
        EXPECT_FALSE(radixVector(f, chart, ws, QSize(20, 20)).isEmpty());
    }
}
