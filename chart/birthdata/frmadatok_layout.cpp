// The birth-data form's widgets: what they are called, how they are laid out,
// the tab order and what each box lets the user type.

#include "frmadatok.h"

#include "assets/artwork.h"
#include "frmhelyseg.h"
#include "platform/widgets/formrows.h"
#include "platform/widgets/keyfilter.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

namespace velorin {

namespace {

template <class T> T* named(T* w, const QString& name) {
    w->setObjectName(name);
    return w;
}

QToolButton* placeButton(QWidget* parent, const QString& name, const QString& tip,
                         const QIcon& icon) {
    auto* b = named(new QToolButton(parent), name);
    b->setToolTip(tip);
    b->setIcon(icon);
    b->setIconSize(QSize(24, 24));
    b->setCursor(Qt::PointingHandCursor);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

void frmAdatok::buildWidgets() {
    setObjectName(QStringLiteral("frmAdatok"));
    setWindowTitle(QStringLiteral("ADATOK"));

    auto* frame = new QGroupBox(QStringLiteral("Szülött adatai"), this);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);

    auto makeBox = [this](const QString& name, int width) {
        auto* b = named(new QLineEdit(this), name);
        if (width > 0)
            b->setFixedWidth(width);
        return b;
    };

    txtName = makeBox(QStringLiteral("txtName"), 0);
    Combo1 = named(new QComboBox(this), QStringLiteral("Combo1"));
    txtYear = makeBox(QStringLiteral("txtYear"), 60);
    txtMonth = makeBox(QStringLiteral("txtMonth"), 40);
    txtDay = makeBox(QStringLiteral("txtDay"), 40);
    Text1 = makeBox(QStringLiteral("Text1"), 40);
    txtBirthMinute = makeBox(QStringLiteral("txtBirthMinute"), 40);
    Combo2 = named(new QComboBox(this), QStringLiteral("Combo2"));
    Combo2->setMinimumContentsLength(30);
    Combo2->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    createPlaceControls(this);
    txtMeg = named(new QPlainTextEdit(this), QStringLiteral("txtMeg"));
    txtMeg->setTabChangesFocus(true);
    txtMeg->setFixedHeight(70);

    // Row 0-1: name and sex.
    grid->addWidget(fieldCaption(QStringLiteral("NÉV"), frame), 0, 1, 1, 5);
    grid->addWidget(fieldCaption(QStringLiteral("NEM"), frame), 0, 6, 1, 3);
    grid->addWidget(txtName, 1, 1, 1, 5);
    grid->addWidget(Combo1, 1, 6, 1, 3);
    // Row 2-3: date and time.
    grid->addWidget(fieldCaption(QStringLiteral("ÉV"), frame), 2, 1);
    grid->addWidget(fieldCaption(QStringLiteral("HÓNAP"), frame), 2, 2);
    grid->addWidget(fieldCaption(QStringLiteral("NAP"), frame), 2, 3);
    grid->addWidget(fieldCaption(QStringLiteral("ÓRA"), frame), 2, 4);
    grid->addWidget(fieldCaption(QStringLiteral("PERC"), frame), 2, 5);
    grid->addWidget(new QLabel(QStringLiteral("Születési adatok:"), frame), 3, 0);
    grid->addWidget(txtYear, 3, 1);
    grid->addWidget(txtMonth, 3, 2);
    grid->addWidget(txtDay, 3, 3);
    grid->addWidget(Text1, 3, 4);
    grid->addWidget(txtBirthMinute, 3, 5);
    // Row 4-6: zone and daylight saving.
    grid->addWidget(fieldCaption(QStringLiteral("IDŐZÓNA"), frame), 4, 1, 1, 5);
    grid->addWidget(Combo2, 5, 1, 1, 8);
    grid->addWidget(Check1, 6, 1, 1, 5);
    // Row 7-9: place.
    addCoordinateRows(grid, 7, 1, 4, 3);

    P1 = placeButton(this, QStringLiteral("P1"), QStringLiteral("Hely mentése"),
                     artworkIcon(QStringLiteral("window/place-save")));
    P2 = placeButton(this, QStringLiteral("P2"), QStringLiteral("Hely megnyitása"),
                     artworkIcon(QStringLiteral("window/place-open")));
    P3 = placeButton(this, QStringLiteral("P3"), QStringLiteral("Helység keresése"),
                     frmHelyseg::buttonIcon());
    auto* places = new QHBoxLayout;
    places->addWidget(P1);
    places->addWidget(P2);
    places->addWidget(P3);
    grid->addLayout(places, 8, 8);
    lblHely = named(new QLabel(frame), QStringLiteral("lblHely"));
    grid->addWidget(lblHely, 9, 1, 1, 8);
    // Row 10-11: notes.
    grid->addWidget(fieldCaption(QStringLiteral("Megjegyzések a szülöttel kapcsolatban"), frame),
                    10, 0, 1, 9);
    grid->addWidget(txtMeg, 11, 0, 1, 9);

    Label2 = named(new QLabel(this), QStringLiteral("Label2"));
    Command1 = named(new QPushButton(QStringLiteral("MA"), this), QStringLiteral("Command1"));
    Command2 = named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("Command2"));
    Command2->setDefault(true);
    Command5 = named(new QPushButton(QStringLiteral("MEGSEM"), this), QStringLiteral("Command5"));
    Command1->setAutoDefault(false);
    Command5->setAutoDefault(false);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Label2, 1);
    bottom->addWidget(Command1);
    bottom->addWidget(Command2);
    bottom->addWidget(Command5);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(frame);
    outer->addLayout(bottom);

    QWidget* order[] = {txtName,        Combo1,    txtYear,   txtMonth,   txtDay,     Text1,
                        txtBirthMinute, Combo2,    Check1,    txtLongDeg, txtLongMin, optEast,
                        optWest,        txtLatDeg, txtLatMin, optNorth,   optSouth,   txtMeg,
                        Command1,       Command2,  Command5};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    KeyFilter::restrict(txtYear, kDigits + QStringLiteral("-"));
    const std::array<QLineEdit*, 6> digitsOnly{txtMonth,  txtDay,     txtLatDeg,
                                               txtLatMin, txtLongDeg, txtLongMin};
    for (QLineEdit* b : digitsOnly)
        KeyFilter::restrict(b, kDigits);
    KeyFilter::restrict(txtBirthMinute, kDigits + QStringLiteral("."));

    // Select-on-entry, range checks, weekday and the arrow chain all look at
    // focus and key events of the boxes.
    for (QLineEdit* b : {txtName, txtYear, txtMonth, txtDay, Text1, txtBirthMinute, txtLatDeg,
                         txtLatMin, txtLongDeg, txtLongMin})
        b->installEventFilter(this);
}

} // namespace velorin
