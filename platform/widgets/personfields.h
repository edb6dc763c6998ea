#pragma once
// The boxes and options a window shows a PersonEntry in, which holds the
// state and the rules: a synastry frame has them all, Nocturo's start window
// only the year, the month and the place, and leaves the rest null.

#include "platform/personentry.h"

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

    // Every box and option writes its changes into e, whoever makes them
    // (the user, a test, or show), so the entry is never behind what the
    // window shows; the 24-hour text follows the 12-hour pair. e must outlive
    // the boxes' signals: the window that owns both declares the entry before
    // it builds the boxes.
    void bind(PersonEntry& e) const;
    // The entry into the boxes and options, as it was when called.
    void show(const PersonEntry& e) const;
    void setHemispheres(bool isEast, bool isNorth) const;
};

// One coordinate as the forms lay it out: degrees and minutes side by side,
// the two direction options stacked after them.
QHBoxLayout* coordinateRow(QLineEdit* degrees, QLineEdit* minutes, QRadioButton* first,
                           QRadioButton* second);

} // namespace velorin
