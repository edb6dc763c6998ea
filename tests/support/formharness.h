#pragma once
// Reaching a window's controls by their given names, as the window tests do,
// and leaving a box as moving the focus elsewhere does. A control that is not
// there stops the test with its name rather than a crash.

#include <QApplication>
#include <QFocusEvent>
#include <QObject>
#include <QWidget>
#include <QtGlobal>

namespace velorin::test {

template <class T> T* control(const QObject* window, const char* name) {
    T* w = window->findChild<T*>(QLatin1String(name));
    if (!w)
        qFatal("no control named %s", name);
    return w;
}

inline void leaveBox(QWidget* box) {
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(box, &out);
}

} // namespace velorin::test
