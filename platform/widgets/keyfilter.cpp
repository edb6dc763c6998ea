#include "keyfilter.h"

#include <QKeyEvent>
#include <QWidget>

#include <algorithm>

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

bool focusAlongChain(std::initializer_list<QWidget*> chain, QWidget* from, int step) {
    const auto* at = std::find(chain.begin(), chain.end(), from);
    if (at == chain.end())
        return false;
    const auto next = (at - chain.begin()) + step;
    if (next >= 0 && next < qsizetype(chain.size()))
        chain.begin()[next]->setFocus(Qt::TabFocusReason);
    return true;
}

} // namespace velorin
