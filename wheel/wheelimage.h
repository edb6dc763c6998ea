#pragma once
// The whole natal wheel as an image, for the command line and other callers
// that have no window.

#include "engine/chart.h"
#include "platform/settings.h"

#include <QImage>
#include <QSize>

namespace velorin {

// The wheel as the main window draws it on a client area of clientSize, with
// the aspect search of ws and no selection filter. An empty size gives a null
// image; a size too small for a wheel gives the bare background.
QImage renderWheelImage(const velorin::Chart& chart, const velorin::WorkingSettings& ws,
                        QSize clientSize);

} // namespace velorin
