#include "screenfit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace velorin {

QRect fittedClientRect(QSize preferred, QSize minimum, const QRect& available,
                       const QMargins& frame) {
    const QSize room = available.marginsRemoved(frame).size();
    const QSize size = preferred.boundedTo(room).expandedTo(minimum);
    const int outerWidth = size.width() + frame.left() + frame.right();
    const int outerHeight = size.height() + frame.top() + frame.bottom();
    const int left = available.left() + std::max(0, (available.width() - outerWidth) / 2);
    const int top = available.top() + std::max(0, (available.height() - outerHeight) / 2);
    return QRect(QPoint(left + frame.left(), top + frame.top()), size);
}

void openWithinScreen(QWidget* window, QSize preferred) {
    const QScreen* screen = window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen) {
        window->resize(preferred);
        return;
    }
    const QRect r = fittedClientRect(preferred, window->minimumSize(), screen->availableGeometry(),
                                     kUsualFrame);
    window->resize(r.size());
    // A window that fits is placed by the window manager as before; one that
    // had to shrink to the screen's size is put where it fits.
    if (r.size() != preferred)
        window->move(r.topLeft() - QPoint(kUsualFrame.left(), kUsualFrame.top()));
}

} // namespace velorin
