#include "frmadatok.h"

#include "engine/coordinates.h"
#include "platform/birthfields.h"
#include "platform/clock.h"
#include "platform/folders.h"
#include "platform/uiprompts.h"
#include "platform/widgets/keyfilter.h"
#include "platform/zones.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>

namespace velorin {

frmAdatok::frmAdatok(ProgramState& state, ChartHost* host, QWidget* parent)
    : QDialog(parent), m_state(state), m_host(host) {
    buildWidgets();
    bindEdits();
    Form_Load();
}

// ---------------------------------------------------------------- binding

void frmAdatok::bindEdits() {
    const std::pair<QLineEdit*, QString PersonEntry::*> texts[] = {
        {txtName, &PersonEntry::name},       {txtYear, &PersonEntry::year},
        {txtMonth, &PersonEntry::month},     {txtDay, &PersonEntry::day},
        {Text1, &PersonEntry::hour24},       {txtBirthMinute, &PersonEntry::minute},
        {txtLongDeg, &PersonEntry::longDeg}, {txtLongMin, &PersonEntry::longMin},
        {txtLatDeg, &PersonEntry::latDeg},   {txtLatMin, &PersonEntry::latMin}};
    for (const auto& [box, field] : texts)
        connect(box, &QLineEdit::textChanged, this, [this, field](const QString& t) {
            if (m_showing)
                return;
            m_entry.*field = t;
            mHetNapja();
        });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_showing)
            m_entry.sex = Combo1->currentText();
    });
    connect(Combo2, &QComboBox::currentIndexChanged, this, &frmAdatok::onZoneRow);
    connect(Combo2, &QComboBox::activated, this, &frmAdatok::onZoneRow);
    connect(Check1, &QCheckBox::toggled, this, [this](bool on) {
        if (!m_showing)
            m_entry.daylightSaving = on;
    });
    // A click on East or West signs the zone; a hemisphere shown from a
    // record does not, since showing writes nothing back.
    connect(optEast, &QRadioButton::toggled, this, [this](bool on) {
        if (m_showing)
            return;
        m_entry.chooseEast(on);
        showEntry();
    });
    connect(optNorth, &QRadioButton::toggled, this, [this](bool on) {
        if (!m_showing)
            m_entry.north = on;
    });
    connect(txtMeg, &QPlainTextEdit::textChanged, this, [this] {
        if (!m_showing)
            m_entry.notes = txtMeg->toPlainText();
    });
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

void frmAdatok::showEntry() {
    m_showing = true;
    // A box may hold less than it is given (it has a length limit, the notes
    // box its own line breaks); the entry keeps what the box shows, as the
    // chart file has always been written from the boxes.
    auto show = [](QLineEdit* box, QString& text) {
        if (box->text() != text)
            box->setText(text);
        text = box->text();
    };
    show(txtName, m_entry.name);
    show(txtYear, m_entry.year);
    show(txtMonth, m_entry.month);
    show(txtDay, m_entry.day);
    show(Text1, m_entry.hour24);
    show(txtBirthMinute, m_entry.minute);
    show(txtLongDeg, m_entry.longDeg);
    show(txtLongMin, m_entry.longMin);
    show(txtLatDeg, m_entry.latDeg);
    show(txtLatMin, m_entry.latMin);
    const int sexRow = Combo1->findText(m_entry.sex);
    if (sexRow >= 0)
        Combo1->setCurrentIndex(sexRow);
    Combo2->setCurrentIndex(m_entry.zoneRow);
    Check1->setChecked(m_entry.daylightSaving);
    (m_entry.east ? optEast : optWest)->setChecked(true);
    (m_entry.north ? optNorth : optSouth)->setChecked(true);
    if (txtMeg->toPlainText() != m_entry.notes) {
        txtMeg->setPlainText(m_entry.notes);
        m_entry.notes = txtMeg->toPlainText();
    }
    m_showing = false;
    mHetNapja();
}

BirthData frmAdatok::birthData() const {
    return m_entry.toBirthData();
}

// ---------------------------------------------------------------- load step

void frmAdatok::Form_Load() {
    if (auto err = loadWorkingSettingsOrDefaults(m_state.settings)) {
        // The program carries on with the defaults rather than stopping
        // half-loaded; the store is only read here, never rewritten.
        prompts().message(QStringLiteral("A beállítások egyik színe (%1) nem olvasható; az "
                                         "orbiszok és a színek az alapértelmezettek. A tárolt "
                                         "beállítások változatlanok.")
                              .arg(err->key),
                          QString(), MessageIcon::Warning);
    }
    initEngine(programFolder().toStdString());

    fillLists();
    if (m_state.currentChartPath.isEmpty()) {
        m_entry.takePresentMoment(now());
        showEntry();
    } else {
        readStartChart();
    }
}

void frmAdatok::fillLists() {
    m_showing = true;
    Combo1->clear();
    Combo1->addItems({QString::fromUtf8(kMaleText), QString::fromUtf8(kFemaleText)});
    Combo2->clear();
    for (const ZoneRow& row : zoneRows())
        Combo2->addItem(QString::fromUtf8(row.text));
    m_showing = false;
    m_entry.sex = QString::fromUtf8(kMaleText);
    // As if the user had picked the row: zone value and hemispheres.
    m_entry.pickZoneRow(kDefaultZoneRow);
    showEntry();
}

void frmAdatok::readStartChart() {
    const ReadResult r = readChartFile(m_state.currentChartPath, birthData());
    if (!r.file) {
        prompts().message(r.error + QStringLiteral(". A file változatlan maradt; az adatok a "
                                                   "jelen időpontot mutatják."),
                          QString(), MessageIcon::Critical);
        m_entry.takePresentMoment(now());
        showEntry();
        return;
    }
    // Only the typed fields: the sex and the zone rows are left to the full
    // open that the main window runs next.
    m_entry.fillTyped(r.file->data);
    showEntry();
}

void frmAdatok::ResetM() {
    Form_Load();
}

// ---------------------------------------------------------------- rules

void frmAdatok::mOra12() {
    m_entry.pairFromHour24();
    showEntry();
}

void frmAdatok::mOra24() {
    m_entry.hour24FromPair();
    showEntry();
}

void frmAdatok::mHetNapja() {
    Label2->setText(m_entry.weekdayText());
}

void frmAdatok::onZoneRow(int row) {
    if (m_showing)
        return;
    m_entry.pickZoneRow(row);
    showEntry();
}

void frmAdatok::mZonaKeres() {
    m_entry.pickRowForZone();
    showEntry();
}

bool frmAdatok::stepMoment(int minutes) {
    if (!m_entry.stepMoment(minutes))
        return false;
    showEntry();
    mSzamol();
    return true;
}

// ---------------------------------------------------------------- events

bool frmAdatok::checkRange(QLineEdit* box, bool showMessage) {
    const std::pair<QLineEdit*, RangedBox> ranged[] = {{Text1, RangedBox::Hour24},
                                                       {txtBirthMinute, RangedBox::Minute},
                                                       {txtDay, RangedBox::Day},
                                                       {txtMonth, RangedBox::Month}};
    for (const auto& [b, range] : ranged) {
        if (b != box)
            continue;
        const QString message = m_entry.rangeMessage(range);
        if (message.isEmpty())
            return true;
        if (showMessage) {
            m_inRangeMessage = true;
            prompts().message(message, QString(), MessageIcon::Critical);
            m_inRangeMessage = false;
        }
        return false;
    }
    return true;
}

void frmAdatok::moveAlongArrowChain(QWidget* from, int step) {
    // The boxes the user edits stand for what the computation reads: the
    // 24-hour box starts the chain, and the zone (a list that uses the arrows
    // itself) is left out.
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
    m_entry.takePresentMoment(now());
    showEntry();
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
