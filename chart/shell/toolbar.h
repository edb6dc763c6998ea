#pragma once
// The artwork of the main window's picture buttons and their pointer.

#include <QCursor>
#include <QIcon>
#include <QString>

namespace velorin {

inline constexpr int kToolbarButtons = 19;
inline constexpr int kToolbarButtonSize = 32;
// The strip at the top of the main window that the toolbar covers; the wheel
// keeps its glyphs below it.
inline constexpr int kToolbarHeight = 36;

// The artwork of button n ("toolbar/open"), empty outside the buttons.
QString toolbarArtwork(int n);
QIcon toolbarIcon(int n);
// The pointer over the toolbar.
QCursor toolbarCursor();

} // namespace velorin
