#include "toolbar.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <cmath>

namespace velorin {

namespace {

const QColor kInk(40, 40, 70);
const QColor kPaper(250, 248, 235);
const QColor kAccent(40, 90, 170);
const QColor kWarm(200, 70, 40);

void page(QPainter& p, QRectF r) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(kPaper);
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 5, r.top());
    path.lineTo(r.right(), r.top() + 5);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.drawPath(path);
}

void textLines(QPainter& p, QRectF r, int n) {
    p.setPen(QPen(kInk, 1));
    for (int i = 0; i < n; ++i) {
        const double y = r.top() + 6 + i * 4;
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
    }
}

void label(QPainter& p, QRectF r, const QString& s, int pt, QColor c, bool bold = true) {
    QFont f("Liberation Sans");
    f.setPixelSize(pt);
    f.setBold(bold);
    p.setFont(f);
    p.setPen(c);
    p.drawText(r, Qt::AlignCenter, s);
}

void miniWheel(QPainter& p, QPointF c, double r) {
    p.setPen(QPen(kInk, 1.2));
    p.setBrush(QColor(224, 224, 224));
    p.drawEllipse(c, r, r);
    p.setBrush(Qt::white);
    p.drawEllipse(c, r * 0.7, r * 0.7);
    for (int i = 0; i < 12; ++i) {
        const double a = i * M_PI / 6;
        p.drawLine(c + QPointF(std::cos(a), std::sin(a)) * r * 0.7,
                   c + QPointF(std::cos(a), std::sin(a)) * r);
    }
}

void arrow(QPainter& p, QPointF from, QPointF to, QColor c) {
    p.setPen(QPen(c, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(from, to);
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    p.drawLine(to, to - u * 5 + n * 4);
    p.drawLine(to, to - u * 5 - n * 4);
}

void paintIcon(QPainter& p, int n) {
    const QRectF full(2, 2, 24, 24);
    switch (n) {
    case 0: { // open: a folder opening
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(215, 170, 70));
        QPolygonF back{{3, 6}, {10, 6}, {12, 9}, {23, 9}, {23, 24}, {3, 24}};
        p.drawPolygon(back);
        p.setBrush(QColor(245, 205, 110));
        QPolygonF front{{3, 24}, {7, 13}, {27, 13}, {23, 24}};
        p.drawPolygon(front);
        break;
    }
    case 1: { // new chart or change data: a page and a pencil
        page(p, QRectF(4, 3, 16, 22));
        textLines(p, QRectF(4, 3, 16, 22), 4);
        p.setPen(QPen(kWarm, 3, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(14, 22), QPointF(25, 9));
        break;
    }
    case 2: { // print
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 3, 12, 8));
        p.setBrush(QColor(170, 170, 180));
        p.drawRoundedRect(QRectF(3, 10, 22, 10), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 17, 12, 8));
        break;
    }
    case 3: { // save: a diskette
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(kAccent);
        p.drawRoundedRect(QRectF(4, 4, 20, 20), 2, 2);
        p.setBrush(kPaper);
        p.drawRect(QRectF(8, 4, 12, 7));
        p.setBrush(QColor(220, 220, 220));
        p.drawRect(QRectF(7, 15, 14, 9));
        break;
    }
    case 4: { // save as picture: a framed landscape
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(200, 225, 250));
        p.drawRect(QRectF(3, 5, 22, 18));
        p.setBrush(QColor(60, 140, 60));
        QPolygonF hill{{4, 22}, {12, 12}, {17, 18}, {20, 15}, {24, 22}};
        p.drawPolygon(hill);
        p.setBrush(QColor(250, 200, 40));
        p.drawEllipse(QPointF(19, 9), 2.5, 2.5);
        break;
    }
    case 5: { // data sheet
        page(p, QRectF(5, 3, 18, 22));
        textLines(p, QRectF(5, 3, 18, 22), 5);
        break;
    }
    case 6:   // three minutes forward
    case 7: { // three minutes back
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(14, 14), 11, 11);
        label(p, QRectF(4, 3, 20, 12), n == 6 ? "+3" : "-3", 10, kInk);
        if (n == 6)
            arrow(p, QPointF(7, 19), QPointF(21, 19), kAccent);
        else
            arrow(p, QPointF(21, 19), QPointF(7, 19), kWarm);
        break;
    }
    case 8: // degree labels
        label(p, full, "12°", 12, kInk);
        break;
    case 9: { // aspects to the Ascendant
        miniWheel(p, QPointF(14, 14), 11);
        p.setPen(QPen(kWarm, 1.5));
        p.drawLine(QPointF(6, 14), QPointF(19, 8));
        p.drawLine(QPointF(6, 14), QPointF(18, 20));
        label(p, QRectF(0, 8, 12, 12), "A", 9, kAccent);
        break;
    }
    case 10: { // settings: a cog
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(160, 160, 170));
        QPainterPath cog;
        for (int i = 0; i < 16; ++i) {
            const double a = i * M_PI / 8;
            const double r = (i % 2 == 0) ? 11 : 8.5;
            const QPointF pt(14 + r * std::cos(a), 14 + r * std::sin(a));
            if (i == 0)
                cog.moveTo(pt);
            else
                cog.lineTo(pt);
        }
        cog.closeSubpath();
        p.drawPath(cog);
        p.setBrush(Qt::white);
        p.drawEllipse(QPointF(14, 14), 3.5, 3.5);
        break;
    }
    case 11: { // generate the interpretation
        page(p, QRectF(4, 3, 18, 22));
        label(p, QRectF(4, 5, 18, 12), "Ab", 10, kAccent);
        textLines(p, QRectF(4, 11, 18, 14), 3);
        p.setPen(QPen(kWarm, 1.5));
        p.drawLine(QPointF(23, 2), QPointF(23, 10));
        p.drawLine(QPointF(19, 6), QPointF(27, 6));
        break;
    }
    case 12: { // link the texts to the codes: a chain
        p.setPen(QPen(kInk, 2.5));
        p.setBrush(Qt::NoBrush);
        p.drawRoundedRect(QRectF(3, 10, 13, 8), 4, 4);
        p.drawRoundedRect(QRectF(12, 10, 13, 8), 4, 4);
        break;
    }
    case 13: { // the interpretation editor: a pen over lines
        textLines(p, QRectF(3, 8, 16, 16), 3);
        p.setPen(QPen(kAccent, 3.5, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(10, 24), QPointF(24, 6));
        p.setPen(QPen(kInk, 1));
        p.drawLine(QPointF(8, 26), QPointF(10, 24));
        break;
    }
    case 14: { // about
        p.setPen(QPen(kAccent, 1.5));
        p.setBrush(QColor(225, 235, 250));
        p.drawEllipse(QPointF(14, 14), 11, 11);
        label(p, full, "i", 15, kAccent);
        break;
    }
    case 15: { // exit: a door and an arrow out
        p.setPen(QPen(kInk, 1.2));
        p.setBrush(QColor(150, 100, 60));
        p.drawRect(QRectF(4, 3, 12, 22));
        arrow(p, QPointF(12, 14), QPointF(26, 14), kWarm);
        break;
    }
    case 16: { // set aside: a bookmarked chart
        miniWheel(p, QPointF(12, 15), 9);
        p.setPen(QPen(kInk, 1));
        p.setBrush(kWarm);
        QPolygonF mark{{18, 2}, {26, 2}, {26, 16}, {22, 12}, {18, 16}};
        p.drawPolygon(mark);
        break;
    }
    case 17: { // the client report: a page with a wheel, marked PDF
        page(p, QRectF(5, 2, 18, 24));
        miniWheel(p, QPointF(14, 11), 6);
        label(p, QRectF(3, 17, 22, 9), QStringLiteral("PDF"), 8, kWarm);
        break;
    }
    case 18: { // forecast: a wheel with an arrow into the months ahead
        miniWheel(p, QPointF(11, 15), 8);
        p.setPen(QPen(kAccent, 2));
        p.drawLine(QPointF(17, 8), QPointF(26, 8));
        p.drawLine(QPointF(22, 4), QPointF(26, 8));
        p.drawLine(QPointF(22, 12), QPointF(26, 8));
        break;
    }
    default:
        break;
    }
}

} // namespace

QIcon toolbarIcon(int n) {
    QPixmap pm(28, 28);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    paintIcon(p, n);
    p.end();
    return QIcon(pm);
}

// A pointing star: the program's own pointer over its picture buttons.
QCursor toolbarCursor() {
    QPixmap pm(32, 32);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath star;
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double r = i % 2 == 0 ? 9 : 4;
        const QPointF pt(10 + r * std::cos(a), 10 + r * std::sin(a));
        if (i == 0)
            star.moveTo(pt);
        else
            star.lineTo(pt);
    }
    star.closeSubpath();
    p.setPen(QPen(Qt::black, 1.2));
    p.setBrush(QColor(250, 210, 40));
    p.drawPath(star);
    p.end();
    return QCursor(pm, 10, 1);
}

} // namespace velorin
