#include "frmmain.h"

#include "frmcalendar.h"

#include "engine/moonday.h"
#include "engine/positions.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/uiprompts.h"
#include "platform/widgets/formrows.h"
#include "platform/widgets/keyfilter.h"
#include "platform/widgets/personfields.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDate>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace velorin {
namespace {

QString versionText() {
    return QStringLiteral("%1.%2.%3")
        .arg(VELORIN_VERSION_MAJOR)
        .arg(VELORIN_VERSION_MINOR)
        .arg(VELORIN_VERSION_PATCH);
}

} // namespace

frmMain::frmMain(QWidget* parent) : QWidget(parent) {
    buildWidgets();
    Form_Load();
}

frmMain::~frmMain() = default;

frmCalendar* frmMain::calendar() const {
    return m_calendar.data();
}

void frmMain::buildWidgets() {
    setObjectName(QStringLiteral("frmMain"));

    auto makeBox = [this](const char* name, int width) {
        auto* b = new QLineEdit(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setFixedWidth(width);
        return b;
    };
    Text1 = makeBox("Text1", 60);
    Text2 = makeBox("Text2", 40);
    txtTZ = makeBox("txtTZ", 60);
    createPlaceControls(this);
    Command2 = new QPushButton(QStringLiteral("NAPTÁR KÉSZITÉSE"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setDefault(true);

    auto* date = new QGridLayout;
    date->addWidget(fieldCaption(QStringLiteral("ÉV"), this), 0, 0);
    date->addWidget(fieldCaption(QStringLiteral("HÓNAP"), this), 0, 1);
    date->addWidget(Text1, 1, 0);
    date->addWidget(Text2, 1, 1);
    date->setColumnStretch(2, 1);

    auto* frame = new QGroupBox(QStringLiteral("Hely adatai"), this);
    frame->setObjectName(QStringLiteral("Frame1"));
    auto* grid = new QGridLayout(frame);
    grid->addWidget(fieldCaption(QStringLiteral("IDŐZÓNA"), frame), 0, 0, 1, 2);
    grid->addWidget(txtTZ, 1, 0, 1, 2);
    grid->addWidget(Check1, 1, 2, 1, 3);
    addCoordinateRows(grid, 2, 0, 3, 3);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(date);
    outer->addWidget(frame);
    outer->addLayout(rightAlignedRow(Command2));

    QWidget* order[] = {Text1,   Text2,     txtTZ,     Check1,   txtLongDeg, txtLongMin, optEast,
                        optWest, txtLatDeg, txtLatMin, optNorth, optSouth,   Command2};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    for (QLineEdit* b : {txtLatDeg, txtLatMin, txtLongDeg, txtLongMin}) {
        KeyFilter::restrict(b, kDigits);
        b->installEventFilter(this);
    }
    KeyFilter::restrict(txtTZ, kDigits + ".-");
    txtTZ->installEventFilter(this);

    fields().bind(m_entry);
    connect(Check1, &QCheckBox::clicked, this, &frmMain::Check1_Click);
    connect(optEast, &QRadioButton::clicked, this, [this] { chooseEast(true); });
    connect(optWest, &QRadioButton::clicked, this, [this] { chooseEast(false); });
    connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
}

void frmMain::Form_Load() {
    setWindowTitle(QStringLiteral("NOCTURO V") + versionText());
    initEngine(programFolder().toStdString());
    const QDate today = velorin::now().date();
    m_entry.year = today.toString(QStringLiteral("yyyy"));
    m_entry.month = QString::number(today.month());
    // The place is the entry's own start: Budapest, an hour east of UT.
    fields().show(m_entry);
}

PersonFields frmMain::fields() const {
    return {.year = Text1,
            .month = Text2,
            .zone = txtTZ,
            .daylightSaving = Check1,
            .longDeg = txtLongDeg,
            .longMin = txtLongMin,
            .east = optEast,
            .west = optWest,
            .latDeg = txtLatDeg,
            .latMin = txtLatMin,
            .north = optNorth,
            .south = optSouth};
}

// Here the summer-time box moves the zone text itself: the calendar reads
// nothing else.
void frmMain::Check1_Click() {
    txtTZ->setText(zoneTextAfterDaylightSaving(m_entry.zone, m_entry.daylightSaving));
}

void frmMain::chooseEast(bool isEast) {
    m_entry.chooseEast(isEast);
    txtTZ->setText(m_entry.zone);
}

void frmMain::Command2_Click() {
    // The day loop lets events through, so a second click could arrive
    // while the first calendar is still being drawn.
    if (m_busy)
        return;
    const MoonRequestOutcome request = readMoonRequest(
        m_entry.year.toStdString(), m_entry.month.toStdString(), m_entry.zone.toStdString());
    if (!request.ok()) {
        prompts().message(QString::fromStdString(request.message), QString(),
                          MessageIcon::Critical);
        return;
    }
    if (!m_calendar)
        m_calendar = new frmCalendar(this);
    m_calendar->show();
    m_calendar->raise();
    m_busy = true;
    Command2->setEnabled(false);
    m_calendar->fillMonth(m_entry.year, *request.value, dataFolder() + QStringLiteral("moon/"));
    Command2->setEnabled(true);
    m_busy = false;
}

void frmMain::moveAlongArrowChain(QWidget* from, int step) {
    // The chain ends at its two ends: Up in the zone and Down in the latitude
    // minutes stay where they are.
    focusAlongChain({txtTZ, txtLongDeg, txtLongMin, txtLatDeg, txtLatMin}, from, step);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        // Deferred, because a mouse click places the caret after focusing.
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus())
                box->selectAll();
        });
    } else if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            moveAlongArrowChain(box, key == Qt::Key_Down ? 1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::closeEvent(QCloseEvent* event) {
    // Closing the start window ends the program, the calendar with it.
    if (m_calendar)
        m_calendar->close();
    event->accept();
}

} // namespace velorin
