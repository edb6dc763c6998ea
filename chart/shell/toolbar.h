#pragma once
// The main window's 17 picture buttons: their hints, tool tips and artwork.

#include <QCursor>
#include <QIcon>
#include <QString>

namespace velorin {

inline constexpr int kToolbarButtons = 17;
inline constexpr int kToolbarButtonSize = 32;

// The status-line hint shown while the mouse is over button n.
QString toolbarStatusText(int n);
// Its tool tip; some buttons have none.
QString toolbarToolTip(int n);
QIcon toolbarIcon(int n);
// The pointer over the toolbar.
QCursor toolbarCursor();

} // namespace velorin
