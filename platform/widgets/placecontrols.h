#pragma once
// The place boxes and options that the chart program's birth-data form and
// Nocturo's start window both carry.

class QCheckBox;
class QGridLayout;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace velorin {

// Under the names both windows give them.
struct PlaceControls {
    QCheckBox* Check1 = nullptr; // summer time
    QLineEdit* txtLongDeg = nullptr;
    QLineEdit* txtLongMin = nullptr;
    QRadioButton* optEast = nullptr;
    QRadioButton* optWest = nullptr;
    QLineEdit* txtLatDeg = nullptr;
    QLineEdit* txtLatMin = nullptr;
    QRadioButton* optNorth = nullptr;
    QRadioButton* optSouth = nullptr;

    // Creates them empty on owner, each option pair exclusive on its own;
    // what they show comes from the window's entry.
    void createPlaceControls(QWidget* owner);
    // Longitude then latitude side by side from column, each under its
    // caption: the captions in row, the boxes and options in the row below.
    void addCoordinateRows(QGridLayout* grid, int row, int column, int longSpan, int latSpan) const;
};

} // namespace velorin
