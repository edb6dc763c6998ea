#include "frmadatok.h"

#include "assets/artwork.h"
#include "engine/coordinates.h"
#include "engine/numbers.h"
#include "frmhelyseg.h"
#include "platform/birthfields.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/presentmoment.h"
#include "platform/uiprompts.h"
#include "platform/widgets/keyfilter.h"
#include "platform/widgets/personfields.h"
#include "platform/zones.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFileInfo>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>

namespace velorin {

namespace {

const char* const kWeekdays[7] = {"Hétfő (HOLD NAPJA)",    "Kedd (MARS NAPJA)",
                                  "Szerda (MERKÚR NAPJA)", "Csütörtök (JUPITER NAPJA)",
                                  "Péntek (VÉNUSZ NAPJA)", "Szombat (SZATURNUSZ NAPJA)",
                                  "Vasárnap (NAP NAPJA)"};

std::string text(const QLineEdit* box) {
    return box->text().toStdString();
}

QLabel* caption(const QString& s, QWidget* parent) {
    auto* l = new QLabel(s, parent);
    l->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    return l;
}

} // namespace

frmAdatok::frmAdatok(ProgramState& state, ChartHost* host, QWidget* parent)
    : QDialog(parent), m_state(state), m_host(host) {
    buildWidgets();
    Form_Load();
}

void frmAdatok::buildWidgets() {
    setObjectName("frmAdatok");
    setWindowTitle("ADATOK");

    auto* frame = new QGroupBox("Szülött adatai", this);
    auto* grid = new QGridLayout(frame);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(2);

    auto makeBox = [this](const char* name, int width) {
        auto* b = new QLineEdit(this);
        b->setObjectName(name);
        if (width > 0)
            b->setFixedWidth(width);
        return b;
    };

    txtName = makeBox("txtName", 0);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName("Combo1");
    txtYear = makeBox("txtYear", 60);
    txtMonth = makeBox("txtMonth", 40);
    txtDay = makeBox("txtDay", 40);
    Text1 = makeBox("Text1", 40);
    txtBirthMinute = makeBox("txtBirthMinute", 40);
    Combo2 = new QComboBox(this);
    Combo2->setObjectName("Combo2");
    Combo2->setMinimumContentsLength(30);
    Combo2->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Check1 = new QCheckBox("Nyári idöszámitás", this);
    Check1->setObjectName("Check1");
    txtLongDeg = makeBox("txtLongDeg", 40);
    txtLongMin = makeBox("txtLongMin", 40);
    optEast = new QRadioButton("KELET", this);
    optEast->setObjectName("optEast");
    optWest = new QRadioButton("NYUGAT", this);
    optWest->setObjectName("optWest");
    txtLatDeg = makeBox("txtLatDeg", 40);
    txtLatMin = makeBox("txtLatMin", 40);
    optNorth = new QRadioButton("ÉSZAK", this);
    optNorth->setObjectName("optNorth");
    optSouth = new QRadioButton("DÉL", this);
    optSouth->setObjectName("optSouth");
    txtMeg = new QPlainTextEdit(this);
    txtMeg->setObjectName("txtMeg");
    txtMeg->setTabChangesFocus(true);
    txtMeg->setFixedHeight(70);

    // The design-time place: Budapest.
    txtLongDeg->setText("19");
    txtLongMin->setText("07");
    txtLatDeg->setText("47");
    txtLatMin->setText("035");

    auto* ew = new QButtonGroup(this);
    ew->addButton(optEast);
    ew->addButton(optWest);
    auto* ns = new QButtonGroup(this);
    ns->addButton(optNorth);
    ns->addButton(optSouth);

    // Row 0-1: name and sex.
    grid->addWidget(caption("NÉV", frame), 0, 1, 1, 5);
    grid->addWidget(caption("NEM", frame), 0, 6, 1, 3);
    grid->addWidget(txtName, 1, 1, 1, 5);
    grid->addWidget(Combo1, 1, 6, 1, 3);
    // Row 2-3: date and time.
    grid->addWidget(caption("ÉV", frame), 2, 1);
    grid->addWidget(caption("HÓNAP", frame), 2, 2);
    grid->addWidget(caption("NAP", frame), 2, 3);
    grid->addWidget(caption("ÓRA", frame), 2, 4);
    grid->addWidget(caption("PERC", frame), 2, 5);
    auto* dateLabel = new QLabel("Születési adatok:", frame);
    grid->addWidget(dateLabel, 3, 0);
    grid->addWidget(txtYear, 3, 1);
    grid->addWidget(txtMonth, 3, 2);
    grid->addWidget(txtDay, 3, 3);
    grid->addWidget(Text1, 3, 4);
    grid->addWidget(txtBirthMinute, 3, 5);
    // Row 4-5: zone and daylight saving.
    grid->addWidget(caption("IDŐZÓNA", frame), 4, 1, 1, 5);
    grid->addWidget(Combo2, 5, 1, 1, 8);
    grid->addWidget(Check1, 6, 1, 1, 5);
    // Row 7-8: place.
    grid->addWidget(caption("HOSSZ. FOK", frame), 7, 1, 1, 2);
    grid->addWidget(caption("SZÉL. FOK", frame), 7, 5, 1, 2);
    grid->addLayout(coordinateRow(txtLongDeg, txtLongMin, optEast, optWest), 8, 1, 1, 4);
    grid->addLayout(coordinateRow(txtLatDeg, txtLatMin, optNorth, optSouth), 8, 5, 1, 3);

    P1 = new QToolButton(this);
    P1->setObjectName("P1");
    P1->setToolTip("Hely mentése");
    P1->setIcon(artworkIcon(QStringLiteral("window/place-save")));
    P1->setIconSize(QSize(24, 24));
    P1->setCursor(Qt::PointingHandCursor);
    P1->setFocusPolicy(Qt::NoFocus);
    P2 = new QToolButton(this);
    P2->setObjectName("P2");
    P2->setToolTip("Hely megnyitása");
    P2->setIcon(artworkIcon(QStringLiteral("window/place-open")));
    P2->setIconSize(QSize(24, 24));
    P2->setCursor(Qt::PointingHandCursor);
    P2->setFocusPolicy(Qt::NoFocus);
    P3 = new QToolButton(this);
    P3->setObjectName("P3");
    P3->setToolTip("Helység keresése");
    P3->setIcon(frmHelyseg::buttonIcon());
    P3->setIconSize(QSize(24, 24));
    P3->setCursor(Qt::PointingHandCursor);
    P3->setFocusPolicy(Qt::NoFocus);
    auto* places = new QHBoxLayout;
    places->addWidget(P1);
    places->addWidget(P2);
    places->addWidget(P3);
    grid->addLayout(places, 8, 8);
    lblHely = new QLabel(frame);
    lblHely->setObjectName("lblHely");
    grid->addWidget(lblHely, 9, 1, 1, 8);
    // Row 10-11: notes.
    grid->addWidget(caption("Megjegyzések a szülöttel kapcsolatban", frame), 10, 0, 1, 9);
    grid->addWidget(txtMeg, 11, 0, 1, 9);

    Label2 = new QLabel(this);
    Label2->setObjectName("Label2");
    Command1 = new QPushButton("MA", this);
    Command1->setObjectName("Command1");
    Command2 = new QPushButton("OK", this);
    Command2->setObjectName("Command2");
    Command2->setDefault(true);
    Command5 = new QPushButton("MEGSEM", this);
    Command5->setObjectName("Command5");
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

    // The off-form fields: children of the form so that they live and die
    // with it, but never shown.
    txtBirthHour = makeBox("txtBirthHour", 0);
    optAM = new QRadioButton("DE", this);
    optAM->setObjectName("optAM");
    optPM = new QRadioButton("DU", this);
    optPM->setObjectName("optPM");
    auto* ampm = new QButtonGroup(this);
    ampm->addButton(optAM);
    ampm->addButton(optPM);
    txtTZ = makeBox("txtTZ", 0);
    Combo3 = new QComboBox(this);
    Combo3->setObjectName("Combo3");
    for (QWidget* w : std::initializer_list<QWidget*>{txtBirthHour, optAM, optPM, txtTZ, Combo3})
        w->hide();

    QWidget* order[] = {txtName,        Combo1,    txtYear,   txtMonth,   txtDay,     Text1,
                        txtBirthMinute, Combo2,    Check1,    txtLongDeg, txtLongMin, optEast,
                        optWest,        txtLatDeg, txtLatMin, optNorth,   optSouth,   txtMeg,
                        Command1,       Command2,  Command5};
    for (size_t i = 1; i < std::size(order); ++i)
        setTabOrder(order[i - 1], order[i]);

    KeyFilter::restrict(txtYear, kDigits + "-");
    const std::array<QLineEdit*, 7> digitsOnly{txtMonth,  txtDay,     txtBirthHour, txtLatDeg,
                                               txtLatMin, txtLongDeg, txtLongMin};
    for (QLineEdit* b : digitsOnly)
        KeyFilter::restrict(b, kDigits);
    KeyFilter::restrict(txtBirthMinute, kDigits + ".");
    KeyFilter::restrict(txtTZ, kDigits + ".-");

    // Select-on-entry, range checks, weekday and the arrow chain all look at
    // focus and key events of the boxes.
    for (QLineEdit* b : {txtName, txtYear, txtMonth, txtDay, Text1, txtBirthHour, txtBirthMinute,
                         txtTZ, txtLatDeg, txtLatMin, txtLongDeg, txtLongMin})
        b->installEventFilter(this);

    connect(Combo2, &QComboBox::currentIndexChanged, this, &frmAdatok::onZoneRow);
    connect(Combo2, &QComboBox::activated, this, &frmAdatok::onZoneRow);
    connect(optEast, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            forceZoneSign(true);
    });
    connect(optWest, &QRadioButton::toggled, this, [this](bool on) {
        if (on)
            forceZoneSign(false);
    });
    connect(txtBirthHour, &QLineEdit::textChanged, this, &frmAdatok::onBirthHourChanged);
    for (QLineEdit* b : {txtYear, txtMonth, txtDay})
        connect(b, &QLineEdit::textChanged, this, &frmAdatok::mHetNapja);
    for (QLineEdit* b : {Text1, txtBirthMinute, txtDay, txtMonth})
        connect(b, &QLineEdit::textEdited, this, [this, b] {
            if (m_rejectedBox == b)
                m_rejectedBox = nullptr;
        });

    connect(Command1, &QPushButton::clicked, this, &frmAdatok::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &frmAdatok::Command2_Click);
    connect(Command5, &QPushButton::clicked, this, &frmAdatok::Command5_Click);
    connect(P1, &QToolButton::clicked, this, &frmAdatok::P1_Click);
    connect(P2, &QToolButton::clicked, this, &frmAdatok::P2_Click);
    connect(P3, &QToolButton::clicked, this, &frmAdatok::P3_Click);
}

// ---------------------------------------------------------------- load step

void frmAdatok::Form_Load() {
    if (auto err = loadWorkingSettingsOrDefaults(m_state.settings)) {
        // The whole colour group has fallen back to the defaults; the program
        // carries on with them rather than stopping half-loaded.
        prompts().message("Error 13 (Type mismatch: " + err->key +
                              ") in procedure Form_Load of Form frmAdatok",
                          QString(), MessageIcon::None);
    }
    initEngine(programFolder().toStdString());

    fillLists();
    if (m_state.currentChartPath.isEmpty()) {
        txtName->setText("Ma");
        setPresentMoment();
        // From the pair just written, so that both boxes show the same reading
        // of the clock.
        mOra24();
        mHetNapja();
    } else {
        readStartChart();
    }
}

void frmAdatok::fillLists() {
    Combo1->clear();
    Combo1->addItems({kMaleText, kFemaleText});
    Combo1->setCurrentIndex(0);
    {
        const QSignalBlocker block(Combo2);
        Combo2->clear();
        Combo3->clear();
        for (const ZoneRow& row : zoneRows()) {
            Combo2->addItem(QString::fromUtf8(row.text));
            Combo3->addItem(QString::fromUtf8(row.value));
        }
        Combo2->setCurrentIndex(kDefaultZoneRow);
    }
    // As if the user had picked the row: zone value and hemisphere options.
    onZoneRow(kDefaultZoneRow);
}

// The same moment the command line's --now takes, field for field.
void frmAdatok::setPresentMoment() {
    const BirthData p = presentMoment(now(), birthData());
    (p.am ? optAM : optPM)->setChecked(true);
    txtBirthHour->setText(QString::fromStdString(p.hour));
    txtBirthMinute->setText(QString::fromStdString(p.minute));
    txtDay->setText(QString::fromStdString(p.day));
    txtMonth->setText(QString::fromStdString(p.month));
    txtYear->setText(QString::fromStdString(p.year));
    // The clock's reading belongs to the computer's zone. The place stays,
    // hemispheres included, so the zone row is shown without its rule.
    txtTZ->setText(QString::fromStdString(p.zone));
    const int row = findZoneRow(txtTZ->text());
    if (row >= 0) {
        const QSignalBlocker b2(Combo2), b3(Combo3);
        Combo2->setCurrentIndex(row);
        Combo3->setCurrentIndex(row);
    }
    Check1->setChecked(p.daylightSaving != 0);
}

void frmAdatok::readStartChart() {
    const QString path = m_state.currentChartPath;
    const ReadResult r = readChartFile(path, birthData());
    if (!r.file) {
        const bool missing = !QFileInfo::exists(path);
        prompts().message(QString("Error %1 (%2) in procedure Form_Load of Form frmAdatok")
                              .arg(missing ? 53 : 62)
                              .arg(missing ? "File not found: " + path : r.error),
                          QString(), MessageIcon::None);
        return;
    }
    // Only the typed fields: the sex and the zone rows are left to the full
    // open that the main window runs next.
    const BirthData& d = r.file->data;
    txtName->setText(QString::fromStdString(d.name));
    txtYear->setText(QString::fromStdString(d.year));
    txtMonth->setText(QString::fromStdString(d.month));
    txtDay->setText(QString::fromStdString(d.day));
    txtBirthHour->setText(QString::fromStdString(d.hour));
    txtBirthMinute->setText(QString::fromStdString(d.minute));
    txtLatDeg->setText(QString::fromStdString(d.latDeg));
    txtLatMin->setText(QString::fromStdString(d.latMin));
    txtLongDeg->setText(QString::fromStdString(d.longDeg));
    txtLongMin->setText(QString::fromStdString(d.longMin));
    {
        const QSignalBlocker b(txtTZ);
        txtTZ->setText(QString::fromStdString(d.zone));
    }
    Check1->setChecked(d.daylightSaving != 0);
    txtMeg->setPlainText(QString::fromStdString(d.notes));
    (d.am ? optAM : optPM)->setChecked(true);
    mHetNapja();
    mOra24();
}

void frmAdatok::ResetM() {
    Form_Load();
}

// ---------------------------------------------------------------- fields

BirthData frmAdatok::birthData() const {
    const PersonFields fields{txtName, txtYear, txtMonth,  txtDay,    txtBirthHour, txtBirthMinute,
                              optAM,   optPM,   txtTZ,     Check1,    txtLongDeg,   txtLongMin,
                              optEast, optWest, txtLatDeg, txtLatMin, optNorth,     optSouth};
    BirthData d = fields.read();
    d.sex = Combo1->currentText().toStdString();
    d.hour24 = text(Text1);
    // The notes' lines end in CR LF, as in the chart files and the data sheet.
    d.notes = txtMeg->toPlainText().replace('\n', "\r\n").toStdString();
    return d;
}

void frmAdatok::mOra12() {
    const int hour = int(leadingNumber(text(Text1)));
    const TwelveHour t = twelveHourFor(hour);
    (t.am ? optAM : optPM)->setChecked(true);
    txtBirthHour->setText(QString::fromStdString(t.hour));
}

void frmAdatok::mOra24() {
    Text1->setText(QString::fromStdString(hour24Text(text(txtBirthHour), optAM->isChecked())));
}

// The 12-hour box never shows 0 or more than 12, whoever writes into it.
void frmAdatok::onBirthHourChanged() {
    if (m_inBirthHourRule)
        return;
    const auto value = strictNumber(text(txtBirthHour));
    if (!value)
        return;
    m_inBirthHourRule = true;
    const int h = int(*value);
    if (h == 0) {
        txtBirthHour->setText("12");
    } else if (h > 12) {
        txtBirthHour->setText(QString::number(h - 12));
        optPM->setChecked(true);
    }
    m_inBirthHourRule = false;
}

void frmAdatok::mHetNapja() {
    bool okY = false, okM = false, okD = false;
    const int y = txtYear->text().trimmed().toInt(&okY);
    const int m = txtMonth->text().trimmed().toInt(&okM);
    const int d = txtDay->text().trimmed().toInt(&okD);
    const QDate date(y, m, d);
    if (!okY || !okM || !okD || !date.isValid()) {
        Label2->clear();
        return;
    }
    Label2->setText(QString::fromUtf8(kWeekdays[date.dayOfWeek() - 1]));
}

// ---------------------------------------------------------------- zones

void frmAdatok::onZoneRow(int row) {
    if (row < 0 || row >= Combo3->count())
        return;
    Combo3->setCurrentIndex(row);
    txtTZ->setText(Combo3->itemText(row));
    applyHemisphereRule(row);
}

void frmAdatok::applyHemisphereRule(int row) {
    if (row <= kLastWesternRow) {
        optWest->setChecked(true);
        optSouth->setChecked(true);
    } else {
        optEast->setChecked(true);
        optNorth->setChecked(true);
    }
}

void frmAdatok::mZonaKeres() {
    const int row = findZoneRow(txtTZ->text());
    if (row < 0)
        return;
    {
        const QSignalBlocker b(Combo2);
        Combo2->setCurrentIndex(row);
    }
    onZoneRow(row);
}

// East means the zone value is not positive, West that it is not negative.
// The text keeps its own form (a decimal comma stays a comma); a box without
// a number is left alone.
void frmAdatok::forceZoneSign(bool nonPositive) {
    if (m_keepZoneSign)
        return;
    QString t = txtTZ->text().trimmed();
    const auto value = strictNumber(t.toStdString());
    if (!value)
        return;
    if (t.startsWith('-') || t.startsWith('+'))
        t.remove(0, 1);
    const bool negative = nonPositive && *value != 0;
    txtTZ->setText(negative ? "-" + t : t);
}

void frmAdatok::setHemispheres(bool east, bool north) {
    m_keepZoneSign = true;
    (east ? optEast : optWest)->setChecked(true);
    (north ? optNorth : optSouth)->setChecked(true);
    m_keepZoneSign = false;
}

// ---------------------------------------------------------------- events

bool frmAdatok::checkRange(QLineEdit* box, bool showMessage) {
    struct Range {
        QLineEdit* box;
        int max;
        const char* message;
    };
    const Range ranges[] = {{Text1, 23, "Helytelen óra!"},
                            {txtBirthMinute, 59, "Helytelen perc!"},
                            {txtDay, 31, "Helytelen nap!"},
                            {txtMonth, 12, "Helytelen hónap!"}};
    for (const Range& r : ranges) {
        if (r.box != box)
            continue;
        const double v = leadingNumber(text(box));
        if (v >= 0 && v <= r.max)
            return true;
        if (showMessage) {
            m_inRangeMessage = true;
            prompts().message(QString::fromUtf8(r.message), QString(), MessageIcon::Critical);
            m_inRangeMessage = false;
        }
        return false;
    }
    return true;
}

void frmAdatok::moveAlongArrowChain(QWidget* from, int step) {
    // The two off-form stops of the chain are represented by the boxes the
    // user edits instead: the 24-hour box starts it, and the zone (a list
    // that uses the arrows itself) is left out.
    focusAlongChain({Text1, txtBirthMinute, txtLongDeg, txtLongMin, txtLatDeg, txtLatMin}, from,
                    step);
}

bool frmAdatok::eventFilter(QObject* watched, QEvent* event) {
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (!box)
        return QDialog::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn:
        // Deferred, because a mouse click places the caret after focusing.
        QTimer::singleShot(0, box, [box] {
            if (box->hasFocus())
                box->selectAll();
        });
        break;
    case QEvent::FocusOut: {
        if (m_inRangeMessage)
            break;
        // Switching to another window or opening a menu is no leaving of the
        // box: no message then, but the hour pair still follows a valid hour.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool passing =
            reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
        if (!checkRange(box, !passing)) {
            if (passing)
                break;
            m_rejectedBox = box;
            QTimer::singleShot(0, box, [box] { box->setFocus(Qt::OtherFocusReason); });
            break;
        }
        if (box == Text1)
            mOra12();
        if (box == txtYear || box == txtMonth || box == txtDay)
            mHetNapja();
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            moveAlongArrowChain(box, key == Qt::Key_Down ? 1 : -1);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

void frmAdatok::reject() {
    Command5_Click();
}

// The form holds the current person for the whole run, so its close box only
// hides it, like "MEGSEM".
void frmAdatok::closeEvent(QCloseEvent* event) {
    event->ignore();
    Command5_Click();
}

// ---------------------------------------------------------------- buttons

void frmAdatok::Command1_Click() {
    txtName->setText("Ma");
    setPresentMoment();
    mOra24();
    mHetNapja();
}

void frmAdatok::Command2_Click() {
    // Enter reaches OK without the boxes losing the focus, so the checks and
    // the hour pair that leaving a box would run are run here too.
    for (QLineEdit* b : {Text1, txtBirthMinute, txtDay, txtMonth}) {
        if (checkRange(b, m_rejectedBox != b)) {
            continue;
        }
        m_rejectedBox = nullptr;
        b->setFocus(Qt::OtherFocusReason);
        return;
    }
    mOra12();
    mSzamol();
    hide();
}

void frmAdatok::Command5_Click() {
    hide();
}

// ---------------------------------------------------------------- apply

bool frmAdatok::mSzamol() {
    return apply(true);
}

bool frmAdatok::applyQuietly() {
    return apply(false);
}

bool frmAdatok::apply(bool reportErrors) {
    const BirthData data = birthData();
    // A place beyond the poles or the date line is refused like an
    // impossible date, though the computation itself would take it.
    ChartOutcome outcome = computeCheckedChart(data, m_state.settings.engine());
    if (!outcome.ok()) {
        if (reportErrors)
            prompts().message(computeErrorText(outcome.error), QString(), MessageIcon::Critical);
        if (m_host)
            m_host->redrawCurrentChart();
        return false;
    }
    if (m_host)
        m_host->presentChart(data, std::move(*outcome.chart));
    return true;
}

} // namespace velorin
