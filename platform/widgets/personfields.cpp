#include "personfields.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

namespace velorin {

namespace {

struct BoxField {
    QLineEdit* box;
    QString PersonEntry::*field;
};

// A check box, or a pair of options of which the first means true.
struct ChoiceField {
    QAbstractButton* yes;
    QAbstractButton* no; // null for a check box
    bool PersonEntry::*field;
};

std::array<BoxField, 11> boxFields(const PersonFields& f) {
    return {{{f.name, &PersonEntry::name},
             {f.year, &PersonEntry::year},
             {f.month, &PersonEntry::month},
             {f.day, &PersonEntry::day},
             {f.hour, &PersonEntry::hour12},
             {f.minute, &PersonEntry::minute},
             {f.zone, &PersonEntry::zone},
             {f.longDeg, &PersonEntry::longDeg},
             {f.longMin, &PersonEntry::longMin},
             {f.latDeg, &PersonEntry::latDeg},
             {f.latMin, &PersonEntry::latMin}}};
}

std::array<ChoiceField, 4> choiceFields(const PersonFields& f) {
    return {{{f.am, f.pm, &PersonEntry::am},
             {f.daylightSaving, nullptr, &PersonEntry::daylightSaving},
             {f.east, f.west, &PersonEntry::east},
             {f.north, f.south, &PersonEntry::north}}};
}

} // namespace

void PersonFields::bind(PersonEntry& e) const {
    for (const BoxField& b : boxFields(*this))
        if (b.box)
            QObject::connect(b.box, &QLineEdit::textChanged, b.box,
                             [&text = e.*b.field](const QString& t) { text = t; });
    for (const ChoiceField& c : choiceFields(*this))
        if (c.yes)
            QObject::connect(c.yes, &QAbstractButton::toggled, c.yes,
                             [&choice = e.*c.field](bool on) { choice = on; });
    // Connected after the fields, so the pair is current when it is read.
    if (hour && am) {
        QObject::connect(hour, &QLineEdit::textChanged, hour, [&e] { e.hour24FromPair(); });
        QObject::connect(am, &QAbstractButton::toggled, am, [&e] { e.hour24FromPair(); });
    }
}

void PersonFields::show(const PersonEntry& e) const {
    // Each box writes itself back into e while this runs.
    const PersonEntry shown = e;
    for (const BoxField& b : boxFields(*this))
        if (b.box)
            b.box->setText(shown.*b.field);
    for (const ChoiceField& c : choiceFields(*this)) {
        const bool yes = shown.*c.field;
        if (c.no)
            (yes ? c.yes : c.no)->setChecked(true);
        else if (c.yes)
            c.yes->setChecked(yes);
    }
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
