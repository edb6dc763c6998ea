#include "placecontrols.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

namespace velorin {

void PlaceControls::createPlaceControls(QWidget* owner) {
    auto box = [owner](const QString& name, const QString& value) {
        auto* b = new QLineEdit(value, owner);
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
    txtLongDeg = box(QStringLiteral("txtLongDeg"), QStringLiteral("19"));
    txtLongMin = box(QStringLiteral("txtLongMin"), QStringLiteral("07"));
    optEast = option(QStringLiteral("optEast"), QStringLiteral("KELET"));
    optWest = option(QStringLiteral("optWest"), QStringLiteral("NYUGAT"));
    txtLatDeg = box(QStringLiteral("txtLatDeg"), QStringLiteral("47"));
    txtLatMin = box(QStringLiteral("txtLatMin"), QStringLiteral("035"));
    optNorth = option(QStringLiteral("optNorth"), QStringLiteral("ÉSZAK"));
    optSouth = option(QStringLiteral("optSouth"), QStringLiteral("DÉL"));
    exclusive(optEast, optWest);
    exclusive(optNorth, optSouth);
}

} // namespace velorin
