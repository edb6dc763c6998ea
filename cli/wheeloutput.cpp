// Everything velorin writes as a picture. Kept in its own unit: the text
// subcommands link without it, so the program that runs them does not load
// the image and font libraries at all.

#include "commands.h"
#include "options.h"

#include "platform/textfile.h"

#include "picture/jpeg.h"
#include "picture/png.h"
#include "wheel/wheelimage.h"
#include "wheel/wheelvector.h"

#include <QString>

namespace velorin::cli {

// The picture encoded in memory and written atomically: a full disk or a
// killed run never leaves a cut picture in place of the old one. JPEGs go
// through the chart program's own writer, so both make the same pictures.
bool writePicture(const QImage& img, const std::string& pathText, std::ostream& err) {
    const QString path = QString::fromStdString(pathText);
    if (velorin::pictureFormatOf(path) == PictureFormat::Jpeg) {
        const JpegResult r = savePictureAsJpeg(img, path);
        if (!r)
            err << "velorin: a kép nem menthető: " << pathText << ": "
                << r.description.toStdString() << "\n";
        return bool(r);
    }
    return writeVectorFile(encodePng(img), pathText, err);
}

bool writeVectorFile(const QByteArray& bytes, const std::string& pathText, std::ostream& err) {
    if (bytes.isEmpty()) {
        err << "velorin: a kép nem készíthető el: " << pathText << "\n";
        return false;
    }
    QString error;
    if (!writeFileAtomically(QString::fromStdString(pathText), bytes, &error)) {
        err << "velorin: a kép nem menthető: " << pathText << " (" << error.toStdString()
            << "); a meglévő fájl változatlan.\n";
        return false;
    }
    return true;
}

bool writeRadixFile(const Chart& chart, const WorkingSettings& ws, const std::string& path,
                    const QSize& size, const std::string& title, std::ostream& err) {
    const auto format = pictureFormatOf(path);
    if (format == PictureFormat::Svg || format == PictureFormat::Pdf)
        return writeVectorFile(
            radixVector(format == PictureFormat::Svg ? VectorFormat::Svg : VectorFormat::Pdf, chart,
                        ws, size, QString::fromStdString(title)),
            path, err);
    return writePicture(renderWheelImage(chart, ws, size), path, err);
}

int runChart(const Args& args, std::ostream& out, std::ostream& err) {
    return runChartWith(args, out, err, writeRadixFile);
}

int runProgressed(const Args& args, std::ostream& out, std::ostream& err) {
    return runProgressedWith(args, out, err, writeRadixFile);
}

int runReturn(const Args& args, std::ostream& out, std::ostream& err) {
    return runReturnWith(args, out, err, writeRadixFile);
}

} // namespace velorin::cli
