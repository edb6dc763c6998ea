#include "wheelimage.h"

#include "wheelpainter.h"

#include "engine/angles.h"

namespace velorin {

QImage renderWheelImage(const velorin::Chart& chart, const velorin::WorkingSettings& ws,
                        QSize clientSize) {
    if (clientSize.isEmpty())
        return {};
    QImage image(clientSize, QImage::Format_RGB32);
    drawRadix(image, chart, findAspects(chart, ws.engine()), ws);
    return image;
}

} // namespace velorin
