#pragma once
// One person's birth-data boxes and options, as the chart program's form and
// each frame of the synastry dialog hold them: the one way from what the user
// typed to the BirthData the engine takes, and back from a chart file.

#include "engine/birthdata.h"

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

    // The boxes and options over base; what they do not hold (sex, the
    // 24-hour text, notes) stays as base has it.
    BirthData read(BirthData base = BirthData()) const;

    // Name, date, time with its half of day, place, zone and daylight saving
    // from d. The hemisphere options are left alone: whether a record's
    // hemispheres count is the caller's rule.
    void fillTyped(const BirthData& d) const;
    void setHemispheres(bool isEast, bool isNorth) const;
};

// One coordinate as the forms lay it out: degrees and minutes side by side,
// the two direction options stacked after them.
QHBoxLayout* coordinateRow(QLineEdit* degrees, QLineEdit* minutes, QRadioButton* first,
                           QRadioButton* second);

} // namespace velorin
