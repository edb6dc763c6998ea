#pragma once
// One person's birth-data boxes and options, as each frame of the synastry
// dialog holds them: a view of a PersonEntry, which holds the state and the
// rules.

#include "platform/personentry.h"
#include "platform/widgets/placecontrols.h"

class QCheckBox;
class QHBoxLayout;
class QLineEdit;
class QRadioButton;

namespace velorin {

struct PersonFields {
    QLineEdit* name = nullptr;
    QLineEdit* year = nullptr;
    QLineEdit* month = nullptr;
    QLineEdit* day = nullptr;
    QLineEdit* hour = nullptr; // 12-hour clock
    QLineEdit* minute = nullptr;
    QRadioButton* am = nullptr;
    QRadioButton* pm = nullptr;
    QLineEdit* zone = nullptr;
    QCheckBox* daylightSaving = nullptr;
    QLineEdit* longDeg = nullptr;
    QLineEdit* longMin = nullptr;
    QRadioButton* east = nullptr;
    QRadioButton* west = nullptr;
    QLineEdit* latDeg = nullptr;
    QLineEdit* latMin = nullptr;
    QRadioButton* north = nullptr;
    QRadioButton* south = nullptr;

    PlaceBoxes place() const;
    // Every box and option writes its changes into e, the 24-hour text
    // following the 12-hour pair. e must outlive the boxes' signals: the
    // window that owns both declares the entry before it builds the boxes.
    void bind(PersonEntry& e) const;
    // The entry into the boxes and options.
    void show(const PersonEntry& e) const;
    void setHemispheres(bool isEast, bool isNorth) const;
};

// One coordinate as the forms lay it out: degrees and minutes side by side,
// the two direction options stacked after them.
QHBoxLayout* coordinateRow(QLineEdit* degrees, QLineEdit* minutes, QRadioButton* first,
                           QRadioButton* second);

} // namespace velorin
