#include "keyfilter.h"

#include <QKeyEvent>
#include <QWidget>

namespace velorin {

void KeyFilter::restrict(QWidget* box, const QString& allowed) {
    box->installEventFilter(new KeyFilter(allowed, box));
}

bool KeyFilter::eventFilter(QObject*, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const QString t = static_cast<QKeyEvent*>(event)->text();
    if (t.size() != 1 || !t[0].isPrint())
        return false;
    return !m_allowed.contains(t[0]);
}

} // namespace velorin
