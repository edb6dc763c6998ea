#pragma once
// The place part of a person's boxes: the zone, summer time and both
// coordinates, which the synastry frames, Nocturo's start window and the
// chart program's birth-data form all carry.

class QCheckBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace velorin {

struct PersonEntry;

// The place boxes and options under the names the birth-data form and
// Nocturo's start window both give them.
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
};

// Any window's place boxes, whatever it names them.
struct PlaceBoxes {
    QLineEdit* zone;
    QCheckBox* daylightSaving;
    QLineEdit* longDeg;
    QLineEdit* longMin;
    QRadioButton* east;
    QRadioButton* west;
    QLineEdit* latDeg;
    QLineEdit* latMin;
    QRadioButton* north;
    QRadioButton* south;
};

// Each box and option writes its changes into e's place; e must outlive the
// boxes' signals.
void bindPlace(const PlaceBoxes& boxes, PersonEntry& e);
// The entry's place into the boxes. They write it back into the entry as it
// runs, so e is read as it was when called.
void showPlace(const PlaceBoxes& boxes, const PersonEntry& e);

} // namespace velorin
