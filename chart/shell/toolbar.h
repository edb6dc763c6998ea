#pragma once
// The artwork of the main window's 17 picture buttons and their pointer.

#include <QCursor>
#include <QIcon>
#include <QString>

namespace velorin {

inline constexpr int kToolbarButtons = 18;
inline constexpr int kToolbarButtonSize = 32;

QIcon toolbarIcon(int n);
// The pointer over the toolbar.
QCursor toolbarCursor();

} // namespace velorin
