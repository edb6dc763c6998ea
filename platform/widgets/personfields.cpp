#include "personfields.h"

#include "entrybinding.h"
#include "placecontrols.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velorin {

PlaceBoxes PersonFields::place() const {
    return {zone, daylightSaving, longDeg, longMin, east, west, latDeg, latMin, north, south};
}

void PersonFields::bind(PersonEntry& e) const {
    bindText(name, e.name);
    bindText(year, e.year);
    bindText(month, e.month);
    bindText(day, e.day);
    bindText(hour, e.hour12);
    bindText(minute, e.minute);
    bindChecked(am, e.am);
    QObject::connect(hour, &QLineEdit::textChanged, hour, [&e] { e.hour24FromPair(); });
    QObject::connect(am, &QAbstractButton::toggled, am, [&e] { e.hour24FromPair(); });
    bindPlace(place(), e);
}

void PersonFields::show(const PersonEntry& e) const {
    // Each box writes itself back into e while this runs, so read from a copy.
    const PersonEntry shown = e;
    name->setText(shown.name);
    year->setText(shown.year);
    month->setText(shown.month);
    day->setText(shown.day);
    hour->setText(shown.hour12);
    minute->setText(shown.minute);
    (shown.am ? am : pm)->setChecked(true);
    showPlace(place(), shown);
}

void PersonFields::setHemispheres(bool isEast, bool isNorth) const {
    (isEast ? east : west)->setChecked(true);
    (isNorth ? north : south)->setChecked(true);
}

QHBoxLayout* coordinateRow(QLineEdit* degrees, QLineEdit* minutes, QRadioButton* first,
                           QRadioButton* second) {
    auto* row = new QHBoxLayout;
    row->addWidget(degrees);
    row->addWidget(minutes);
    auto* options = new QVBoxLayout;
    options->addWidget(first);
    options->addWidget(second);
    row->addLayout(options);
    return row;
}

} // namespace velorin
