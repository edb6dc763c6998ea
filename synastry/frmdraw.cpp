#include "frmdraw.h"

#include "platform/widgets/screenfit.h"
#include "wheel/synastrywheel.h"

#include <QMouseEvent>
#include <QPainter>

namespace velorin {

frmDraw::frmDraw(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName(QStringLiteral("frmDraw"));
    setMouseTracking(true);
    setMinimumSize(200, 150);
    openWithinScreen(this, QSize(800, 600));
}

void frmDraw::setCharts(const Chart& first, const Longitudes& second, const WorkingSettings& ws) {
    m_first = first;
    m_second = second;
    m_settings = ws;
    m_aspects = findCrossAspects(first.longitude, second, ws.engine(Wording::Synastry));
}

void frmDraw::DrawRadix() {
    m_surface = QImage(size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    m_hits = drawSynastryWheel(m_surface, m_first, m_second, m_aspects, m_settings, m_selection);
    update();
}

void frmDraw::P_Click(int index) {
    m_selection.filter = !m_selection.filter;
    m_selection.glyph = index;
    if (pressOK)
        pressOK();
}

void frmDraw::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), kWheelBackground);
    if (!m_surface.isNull())
        p.drawImage(0, 0, m_surface);
}

void frmDraw::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isMinimized() || !Elindult)
        return;
    if (pressOK)
        pressOK();
}

void frmDraw::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const int index = glyphAt(m_hits, event->position().toPoint());
    if (index >= 0)
        P_Click(index);
}

void frmDraw::mouseMoveEvent(QMouseEvent* event) {
    const bool overGlyph = glyphAt(m_hits, event->position().toPoint()) >= 0;
    setCursor(overGlyph ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

} // namespace velorin
