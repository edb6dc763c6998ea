#include "personfields.h"

#include "entrybinding.h"
#include "placecontrols.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velorin {

BirthData PersonFields::read(BirthData d) const {
    auto text = [](const QLineEdit* box) { return box->text().toStdString(); };
    d.name = text(name);
    d.year = text(year);
    d.month = text(month);
    d.day = text(day);
    d.hour = text(hour);
    d.minute = text(minute);
    d.am = am->isChecked();
    d.zone = text(zone);
    d.daylightSaving = daylightSaving->isChecked() ? 1 : 0;
    d.longDeg = text(longDeg);
    d.longMin = text(longMin);
    d.east = east->isChecked();
    d.latDeg = text(latDeg);
    d.latMin = text(latMin);
    d.north = north->isChecked();
    return d;
}

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
