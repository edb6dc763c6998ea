#include "personfields.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace velorin {
namespace {

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}

void put(QLineEdit* box, const std::string& s) {
    box->setText(QString::fromStdString(s));
}

} // namespace

BirthData PersonFields::read(BirthData d) const {
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

void PersonFields::fillTyped(const BirthData& d) const {
    put(name, d.name);
    put(year, d.year);
    put(month, d.month);
    put(day, d.day);
    put(hour, d.hour);
    put(minute, d.minute);
    (d.am ? am : pm)->setChecked(true);
    put(zone, d.zone);
    daylightSaving->setChecked(d.daylightSaving != 0);
    put(longDeg, d.longDeg);
    put(longMin, d.longMin);
    put(latDeg, d.latDeg);
    put(latMin, d.latMin);
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
