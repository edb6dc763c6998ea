#include "wheelsurface.h"

#include "wheel/wheelpainter.h"

#include <QCoreApplication>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTimer>
#include <QToolTip>

namespace velorin {

namespace {

constexpr int kStrokeWidth = 2;

} // namespace

WheelSurface::WheelSurface(QWidget* parent) : QWidget(parent) {
    setObjectName("wheelSurface");
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QImage& WheelSurface::canvas(QSize size) {
    return keepWheelImage(m_image, size);
}

void WheelSurface::pictureDrawn(std::vector<std::pair<int, QRect>> glyphs) {
    m_strokes.clear();
    m_glyphs = std::move(glyphs);
    update();
}

int WheelSurface::glyphAt(QPoint pos) const {
    for (auto it = m_glyphs.rbegin(); it != m_glyphs.rend(); ++it)
        if (it->second.contains(pos))
            return it->first;
    return -1;
}

bool WheelSurface::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const int glyph = glyphAt(help->pos());
        if (glyph >= 0 && size_t(glyph) < m_tips.size() && !m_tips[size_t(glyph)].isEmpty())
            QToolTip::showText(help->globalPos(), m_tips[size_t(glyph)], this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
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
    const QPoint pos = event->position().toPoint();
    // The glyphs stand above the drawing: a press on one is the glyph's, not
    // the start of a stroke.
    const int glyph = glyphAt(pos);
    if (glyph >= 0) {
        if (event->button() == Qt::LeftButton)
            emit glyphClicked(glyph);
        return;
    }
    m_drawing = true;
    m_ink = event->button() == Qt::LeftButton ? QColor(0, 0, 255) : QColor(255, 0, 0);
    m_current = pos;
    if (!m_image.isNull())
        m_strokes.push_back({m_ink, {}});
    strokeTo(pos);
}

void WheelSurface::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (m_drawing)
        strokeTo(pos);
    setCursor(glyphAt(pos) >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    emit hovered();
}

void WheelSurface::mouseReleaseEvent(QMouseEvent*) {
    m_drawing = false;
}

void WheelSurface::paintStrokes(QPainter& p) const {
    p.save();
    for (const Stroke& s : m_strokes) {
        p.setPen(QPen(s.ink, kStrokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (s.points.size() == 1)
            p.drawPoint(s.points.front());
        else
            p.drawPolyline(s.points);
    }
    p.restore();
}

void WheelSurface::strokeTo(QPoint to) {
    if (m_image.isNull())
        return;
    {
        QPainter p(&m_image);
        p.setPen(QPen(m_ink, kStrokeWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        if (to == m_current)
            p.drawPoint(to);
        else
            p.drawLine(m_current, to);
    }
    if (!m_strokes.empty())
        m_strokes.back().points << to;
    const int pad = kStrokeWidth + 1;
    update(QRect(m_current, to).normalized().adjusted(-pad, -pad, pad, pad));
    m_current = to;
}

} // namespace velorin
