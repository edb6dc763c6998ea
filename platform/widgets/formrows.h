#pragma once
// Small pieces of layout that the forms share, so that their captions and
// button rows look the same in every window.

class QHBoxLayout;
class QLabel;
class QString;
class QWidget;

namespace velorin {

// A caption above its box: left-aligned and sitting on the box, however tall
// the grid row grows.
QLabel* fieldCaption(const QString& text, QWidget* parent);

// The window's closing row: the button at the right end, the space before it
// taking what the window grows by.
QHBoxLayout* rightAlignedRow(QWidget* button);

} // namespace velorin
