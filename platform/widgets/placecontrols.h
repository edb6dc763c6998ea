#pragma once
// The place boxes and options that the chart program's birth-data form and
// Nocturo's start window both carry, under the names both windows give them
// and with the same defaults, so the two windows cannot drift apart.

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace velorin {

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

    // Creates them on owner at the design-time place, Budapest (neither
    // option of a pair checked yet: the window's load step chooses), each
    // option pair exclusive on its own.
    void createPlaceControls(QWidget* owner);
};

} // namespace velorin
