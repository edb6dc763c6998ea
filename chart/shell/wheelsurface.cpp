#include "wheelsurface.h"

#include <QMouseEvent>
#include <QPainter>

namespace velorin {

WheelSurface::WheelSurface(QWidget* parent) : QWidget(parent) {
    setObjectName("wheelSurface");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void WheelSurface::setPicture(const QImage& image, std::vector<std::pair<int, QRect>> glyphs) {
    m_image = image;
    m_glyphs = std::move(glyphs);
    update();
}

int WheelSurface::glyphAt(QPoint pos) const {
    for (auto it = m_glyphs.rbegin(); it != m_glyphs.rend(); ++it)
        if (it->second.contains(pos))
            return it->first;
    return -1;
}

void WheelSurface::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!m_image.isNull())
        p.drawImage(QPoint(0, 0), m_image);
}

void WheelSurface::mousePressEvent(QMouseEvent* event) {
    const int glyph = glyphAt(event->position().toPoint());
    if (glyph >= 0 && event->button() == Qt::LeftButton)
        emit glyphClicked(glyph);
}

void WheelSurface::mouseMoveEvent(QMouseEvent* event) {
    setCursor(glyphAt(event->position().toPoint()) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    emit hovered();
}

} // namespace velorin
