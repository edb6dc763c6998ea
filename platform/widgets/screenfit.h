#pragma once
// Windows open wholly on the screen, however small: a window that would be
// larger than the screen's free area (without the task bar) opens at the
// largest size that fits, and its layout follows that size.

#include <QMargins>
#include <QRect>
#include <QSize>

class QWidget;

namespace velorin {

// Room a window manager's frame and title bar usually take around a window
// before the window is shown and its real frame is known.
inline constexpr QMargins kUsualFrame{8, 31, 8, 8};

// Where a window whose client area would like preferred and must be at least
// minimum opens in available (the screen's free area): the client rectangle,
// its frame included wholly inside available where it fits, centred there. A
// minimum larger than the area wins over the area (the window cannot shrink
// further), and the frame's top-left corner then stays on the screen.
QRect fittedClientRect(QSize preferred, QSize minimum, const QRect& available,
                       const QMargins& frame);

// Sizes the top-level window within its screen's available area
// (QScreen::availableGeometry) before it is first shown, and places it there
// when it had to shrink; a window that fits is left to the window manager.
void openWithinScreen(QWidget* window, QSize preferred);

} // namespace velorin
