#include "wheelsurface.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>

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
    if (m_image.isNull())
        return;
    p.drawImage(QPoint(0, 0), m_image);
    // The start-up benchmark (bench/) times a start to the first wheel on
    // screen: with this variable set the program ends right after it.
    static bool firstWheel = true;
    if (firstWheel && qEnvironmentVariableIsSet("VELORIN_QUIT_AFTER_FIRST_WHEEL"))
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
    firstWheel = false;
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
