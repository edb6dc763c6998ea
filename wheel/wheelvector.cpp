#include "wheelvector.h"

#include "synastrywheel.h"
#include "wheelpainter.h"

#include "engine/angles.h"
#include "engine/crossangles.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSvgGenerator>

namespace velorin {
namespace {

// The wheel's point sizes were chosen for 96 dpi images; a page at the same
// resolution gives the same proportions of text to lines.
constexpr int kWheelDpi = 96;

// Paints on device with a painter of its own; false when the device refused
// to begin or could not finish (a failed write).
bool paintOn(QPaintDevice& device, const std::function<void(QPainter&)>& paint) {
    QPainter p;
    if (!p.begin(&device))
        return false;
    paint(p);
    return p.end();
}

} // namespace

QByteArray paintVectorPage(VectorFormat format, QSize size, const QString& title,
                           const std::function<void(QPainter&)>& paint) {
    if (size.isEmpty())
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (format == VectorFormat::Svg) {
        QSvgGenerator svg;
        svg.setOutputDevice(&buffer);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setResolution(kWheelDpi);
        svg.setTitle(title);
        if (!paintOn(svg, paint))
            return {};
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setResolution(kWheelDpi);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Velorin"));
        const QSizeF points(size.width() * 72.0 / kWheelDpi, size.height() * 72.0 / kWheelDpi);
        pdf.setPageLayout(
            QPageLayout(QPageSize(points, QPageSize::Point, QString(), QPageSize::ExactMatch),
                        QPageLayout::Portrait, QMarginsF()));
        if (!paintOn(pdf, paint))
            return {};
    }
    return bytes;
}

QByteArray radixVector(VectorFormat format, const Chart& chart, const WorkingSettings& ws,
                       QSize size, const QString& title) {
    const std::vector<Aspect> aspects = findAspects(chart, ws.engine());
    return paintVectorPage(format, size, title,
                           [&](QPainter& p) { paintRadix(p, size, chart, aspects, ws); });
}

QByteArray synastryVector(VectorFormat format, const Chart& first, const Chart& second,
                          const WorkingSettings& ws, QSize size, const QString& title) {
    const std::vector<CrossAspect> aspects =
        findCrossAspects(first.longitude, second.longitude, ws.engine());
    return paintVectorPage(format, size, title, [&](QPainter& p) {
        paintSynastryWheel(p, size, first, second.longitude, aspects, ws);
    });
}

} // namespace velorin
