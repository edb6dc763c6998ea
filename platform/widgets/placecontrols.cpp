#include "placecontrols.h"

#include "formrows.h"
#include "personfields.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
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

void PlaceControls::addCoordinateRows(QGridLayout* grid, int row, int column, int longSpan,
                                      int latSpan) const {
    QWidget* parent = grid->parentWidget();
    const int latColumn = column + longSpan;
    grid->addWidget(fieldCaption(QStringLiteral("HOSSZ. FOK"), parent), row, column, 1, longSpan);
    grid->addWidget(fieldCaption(QStringLiteral("SZÉL. FOK"), parent), row, latColumn, 1, latSpan);
    grid->addLayout(coordinateRow(txtLongDeg, txtLongMin, optEast, optWest), row + 1, column, 1,
                    longSpan);
    grid->addLayout(coordinateRow(txtLatDeg, txtLatMin, optNorth, optSouth), row + 1, latColumn, 1,
                    latSpan);
}

} // namespace velorin
