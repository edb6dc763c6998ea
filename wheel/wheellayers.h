#pragma once
// The kept layers under a natal or synastry frame: the rings, and the rings
// with the degree scale and the sign glyphs for one rotation. Inside the wheel
// library only; callers switch it through setWheelLayerCache.

#include "wheelgeometry.h"

#include <QColor>
#include <QPainter>
#include <QSize>

namespace velorin {

// Paints the frame up to the sign glyphs, through the kept layers where the
// target allows it, painted otherwise.
void paintFrameLayers(QPainter& p, QSize size, const WheelGeometry& g, const QColor& circles,
                      const QColor& band);
void setFrameLayerCache(bool enabled);

} // namespace velorin
