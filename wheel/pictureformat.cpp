#include "pictureformat.h"

#include <QStringList>

namespace velorin {
namespace {

const struct {
    const char* extension;
    PictureFormat format;
} kPictureExtensions[] = {
    {".png", PictureFormat::Png}, {".jpg", PictureFormat::Jpeg}, {".jpeg", PictureFormat::Jpeg},
    {".svg", PictureFormat::Svg}, {".pdf", PictureFormat::Pdf},
};

} // namespace

std::optional<PictureFormat> pictureFormatOf(const QString& path) {
    for (const auto& e : kPictureExtensions)
        if (path.endsWith(QLatin1String(e.extension), Qt::CaseInsensitive))
            return e.format;
    return std::nullopt;
}

QString pictureExtensions() {
    QStringList list;
    for (const auto& e : kPictureExtensions)
        list << QLatin1String(e.extension);
    return list.join(QStringLiteral(", "));
}

QString pictureDialogFilter() {
    return QStringLiteral("JPEG kép (*.jpg *.jpeg);;PNG kép (*.png);;SVG rajz (*.svg);;"
                          "PDF dokumentum (*.pdf)");
}

} // namespace velorin
