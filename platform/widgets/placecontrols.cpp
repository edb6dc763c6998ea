#include "placecontrols.h"

#include "entrybinding.h"

#include "platform/personentry.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace velorin {

void PlaceControls::createPlaceControls(QWidget* owner) {
    auto box = [owner](const QString& name) {
        auto* b = new QLineEdit(owner);
        b->setObjectName(name);
        b->setFixedWidth(40);
        return b;
    };
    auto option = [owner](const QString& name, const QString& text) {
        auto* o = new QRadioButton(text, owner);
        o->setObjectName(name);
        return o;
    };
    // Each pair needs a group of its own: both pairs share one parent, where
    // Qt's automatic exclusivity would make the four options one choice.
    auto exclusive = [owner](QRadioButton* a, QRadioButton* b) {
        auto* group = new QButtonGroup(owner);
        group->addButton(a);
        group->addButton(b);
    };
    Check1 = new QCheckBox(QStringLiteral("Nyári idöszámitás"), owner);
    Check1->setObjectName(QStringLiteral("Check1"));
    txtLongDeg = box(QStringLiteral("txtLongDeg"));
    txtLongMin = box(QStringLiteral("txtLongMin"));
    optEast = option(QStringLiteral("optEast"), QStringLiteral("KELET"));
    optWest = option(QStringLiteral("optWest"), QStringLiteral("NYUGAT"));
    txtLatDeg = box(QStringLiteral("txtLatDeg"));
    txtLatMin = box(QStringLiteral("txtLatMin"));
    optNorth = option(QStringLiteral("optNorth"), QStringLiteral("ÉSZAK"));
    optSouth = option(QStringLiteral("optSouth"), QStringLiteral("DÉL"));
    exclusive(optEast, optWest);
    exclusive(optNorth, optSouth);
}

void bindPlace(const PlaceBoxes& b, PersonEntry& e) {
    bindText(b.zone, e.zone);
    bindChecked(b.daylightSaving, e.daylightSaving);
    bindText(b.longDeg, e.longDeg);
    bindText(b.longMin, e.longMin);
    bindChecked(b.east, e.east);
    bindText(b.latDeg, e.latDeg);
    bindText(b.latMin, e.latMin);
    bindChecked(b.north, e.north);
}

void showPlace(const PlaceBoxes& b, const PersonEntry& e) {
    const PersonEntry shown = e;
    b.zone->setText(shown.zone);
    b.daylightSaving->setChecked(shown.daylightSaving);
    b.longDeg->setText(shown.longDeg);
    b.longMin->setText(shown.longMin);
    (shown.east ? b.east : b.west)->setChecked(true);
    b.latDeg->setText(shown.latDeg);
    b.latMin->setText(shown.latMin);
    (shown.north ? b.north : b.south)->setChecked(true);
}

} // namespace velorin
