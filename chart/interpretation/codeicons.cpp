#include "codeicons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace velorin {

namespace {

constexpr int kSize = 16;

QPixmap floppy() {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(20, 30, 70));
    p.setBrush(QColor(40, 70, 160));
    p.drawRect(1, 1, 13, 13);
    p.setBrush(QColor(230, 230, 230));
    p.drawRect(4, 1, 7, 5); // shutter
    p.setBrush(Qt::white);
    p.drawRect(3, 8, 9, 6); // label
    return pm;
}

QPixmap page() {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(QColor(90, 90, 90));
    p.setBrush(Qt::white);
    QPainterPath path;
    path.moveTo(3, 1);
    path.lineTo(10, 1);
    path.lineTo(13, 4);
    path.lineTo(13, 14);
    path.lineTo(3, 14);
    path.closeSubpath();
    p.drawPath(path);
    p.drawLine(10, 1, 10, 4);
    p.drawLine(10, 4, 13, 4);
    return pm;
}

QPixmap scissors() {
    QPixmap pm(kSize, kSize);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(60, 60, 60), 1.5));
    p.drawLine(QPointF(3, 1), QPointF(11, 10)); // blades crossing
    p.drawLine(QPointF(13, 1), QPointF(5, 10));
    p.setPen(QPen(QColor(200, 30, 30), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPointF(4, 12.5), 2.5, 2.5); // handles
    p.drawEllipse(QPointF(12, 12.5), 2.5, 2.5);
    return pm;
}

} // namespace

QIcon codeIcon(CodeIcon kind) {
    switch (kind) {
    case CodeIcon::Assigned:
        return QIcon(floppy());
    case CodeIcon::None:
        return QIcon(page());
    case CodeIcon::Missing:
        return QIcon(scissors());
    }
    return QIcon();
}

} // namespace velorin
