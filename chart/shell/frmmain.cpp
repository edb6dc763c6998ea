#include "frmmain.h"

#include "assets/artwork.h"
#include "association.h"
#include "commands.h"
#include "recordercontrol.h"
#include "setuppanel.h"
#include "toolbar.h"
#include "wheelsurface.h"

#include "engine/angles.h"
#include "engine/numbers.h"
#include "engine/sheet.h"
#include "platform/folders.h"
#include "platform/uiprompts.h"
#include "platform/unexpectederror.h"
#include "platform/widgets/screenfit.h"

#include "chart/interpretation/interpretationcommands.h"
#include "wheel/wheelpainter.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTextEdit>
#include <QToolButton>

namespace velorin {

namespace {

// The data sheet and the settings panel leave this strip free for the toolbar.
constexpr int kPanelOffset = 32;
QString q(const std::string& s) {
    return QString::fromStdString(s);
}

} // namespace

QString versionText() {
    return QStringLiteral("Tarvessa Ver %1.%2.%3")
        .arg(VELORIN_VERSION_MAJOR)
        .arg(VELORIN_VERSION_MINOR)
        .arg(VELORIN_VERSION_PATCH);
}

frmMain::frmMain(const QString& currentChartPath, QWidget* parent) : QWidget(parent) {
    m_state.currentChartPath = currentChartPath;
    buildWidgets();
    openWithinScreen(this, QSize(1024, 740));
    // The birth-data form is made once, now: its load step loads the working
    // values and starts the engine before the first chart is drawn.
    m_form = new frmAdatok(m_state, this, this);
    m_form->setWindowFlag(Qt::Dialog);
    Form_Load();
}

frmMain::~frmMain() = default;

void frmMain::buildWidgets() {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Tarvessa"));
    setMinimumSize(320, 240);

    m_surface = new WheelSurface(this);
    connect(m_surface, &WheelSurface::glyphClicked, this, &frmMain::P_Click);
    connect(m_surface, &WheelSurface::hovered, this, [this] { setStatus(versionText()); });

    QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    mono.setFamily(QStringLiteral("Liberation Mono"));
    mono.setPointSize(9);
    txtAdat = new QTextEdit(this);
    txtAdat->setObjectName(QStringLiteral("txtAdat"));
    txtAdat->setAcceptRichText(false);
    txtAdat->setLineWrapMode(QTextEdit::NoWrap);
    txtAdat->setFont(mono);
    txtAdat->hide();
    txtErtelmez = new QTextEdit(this);
    txtErtelmez->setObjectName(QStringLiteral("txtErtelmez"));
    txtErtelmez->hide();

    pSetup = new SetupPanel(this);
    pSetup->showValues(panelSettingsOf(m_state.settings));
    pSetup->hide();
    connect(pSetup->Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);

    lstFelre = new QListWidget(this);
    lstFelre->setObjectName(QStringLiteral("lstFelre"));
    lstFelre->setFixedSize(170, 160);
    // Empty most of the time: a faint outline over the surface rather than a
    // white block beside the wheel.
    lstFelre->setFrameShape(QFrame::NoFrame);
    lstFelre->setStyleSheet(
        QStringLiteral("QListWidget { background: transparent; border: 1px dotted #b8b8b8; }"));
    lstFelre->setMouseTracking(true);
    lstFelre->installEventFilter(this);
    connect(lstFelre, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { openSetAside(lstFelre->row(item)); });

    for (int n = 0; n < kToolbarButtons; ++n) {
        auto* b = new QToolButton(this);
        b->setObjectName(QStringLiteral("PPP_%1").arg(n));
        b->setIcon(toolbarIcon(n));
        b->setIconSize(QSize(28, 28));
        b->setAutoRaise(true);
        // Opaque like picture buttons, so that the wheel's axes do not run
        // through the artwork.
        QPalette pal = b->palette();
        pal.setColor(QPalette::Window, Qt::white);
        b->setPalette(pal);
        b->setAutoFillBackground(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setGeometry(4 + n * (kToolbarButtonSize + 2), 2, kToolbarButtonSize, kToolbarButtonSize);
        b->setToolTip(toolbarToolTip(n));
        b->installEventFilter(this);
        connect(b, &QToolButton::clicked, this, [this, n] { PPP_Click(n); });
        PPP[size_t(n)] = b;
    }

    Label2 = new QLabel(this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(this);
    Label3->setObjectName(QStringLiteral("Label3"));
    for (QLabel* l : {Label2, Label3}) {
        l->setMargin(3);
        l->setAutoFillBackground(true);
    }

    pComment = new QLabel(this);
    pComment->setObjectName(QStringLiteral("pComment"));
    pComment->setPixmap(artworkPixmap(QStringLiteral("window/note"), 24));
    pComment->setFixedSize(24, 24);
    pComment->installEventFilter(this);
    pComment->hide();

    // The panels keep their wheel turns: scrolling past the end of the data
    // sheet must not move the chart's time.
    for (QWidget* w : {static_cast<QWidget*>(txtAdat), static_cast<QWidget*>(txtErtelmez),
                       static_cast<QWidget*>(pSetup), static_cast<QWidget*>(lstFelre)})
        w->setAttribute(Qt::WA_NoMousePropagation);

    // The keys reach the window whichever of its children has the focus.
    qApp->installEventFilter(this);

    picRun = new QWidget(this);
    picRun->setObjectName(QStringLiteral("picRun"));
    picRun->setFixedSize(24, 24);
    picRun->hide();
    auto* recorder = new RecorderControl(this);
    recorder->setNameSource([this] { return q(m_form->birthData().name); });
    connect(recorder, &RecorderControl::statusText, this, &frmMain::setStatus);
    picHang = recorder;
}

// ---------------------------------------------------------------- load step

void frmMain::Form_Load() {
    try {
        // cod.dat beside the program: written with the default table when
        // missing, then loaded and version-checked.
        loadCodeTableAtStartup(m_codeTable);
        loadAnticipation(m_state.settings);
        loadHouseSystem(m_state.settings);
        pSetup->showValues(storedPanelSettings(m_state.settings));

        createDataFolders();
        // One pointer for every button: drawing it is parsing and rendering
        // its artwork, which each button did again.
        const QCursor pointer = toolbarCursor();
        for (QToolButton* b : PPP)
            b->setCursor(pointer);
        loadSwitches(m_state.settings);
        // Per user when installed: the program's own folder is read-only.
        QDir().mkpath(userFolder() + QStringLiteral("radix"));
        associateThisProgram();

        firstChart();
        setStatus(versionText());
        m_loaded = true;
        // The mouse wheel reaches the window as wheel events; nothing to hook.
    } catch (const std::exception& e) {
        reportUnexpected(QStringLiteral("A program betöltése"), e,
                         QStringLiteral("A mentett beállítások és fájlok változatlanok maradtak."));
    }
}

void frmMain::firstChart() {
    if (!m_state.currentChartPath.isEmpty()) {
        if (m_form->mStartMegnyit() || m_reloading)
            return;
        // The chart named at start cannot be read (the form has said so):
        // show the present moment rather than an empty window.
        m_state.currentChartPath.clear();
        m_form->Command1_Click();
    }
    m_form->mSzamol();
    m_state.chartSaved = false;
}

// ---------------------------------------------------------------- chart

void frmMain::presentChart(const BirthData& data, Chart chart) {
    m_baseChart = std::move(chart);
    m_chartData = data;
    if (!isVisible())
        show();
    DrawRadix();

    Label2->setText(q(birthCaption(data)));
    setWindowTitle(q(velorin::windowTitle(data)));
    std::vector<QString> tips;
    for (const std::string& tip : m_chart->bodyTips)
        tips.push_back(q(tip));
    m_surface->setGlyphTips(std::move(tips));
    m_sheetStale = true;
    if (!txtAdat->isHidden())
        fillDataSheet();

    const QString notes = q(trimSpaces(data.notes));
    pComment->setVisible(!notes.isEmpty());
    pComment->setToolTip(notes);
    layoutChildren();
}

void frmMain::DrawRadix() {
    if (!m_baseChart)
        return;
    m_chart = m_baseChart;
    appendAspects(*m_chart, m_state.settings.engine());
    paintWheel();
}

QStringList frmMain::codes() const {
    return m_chart ? interpretationCodes(*m_chart) : QStringList();
}

void frmMain::fillDataSheet() {
    if (!m_sheetStale)
        return;
    m_sheetStale = false;
    txtAdat->setPlainText(dataSheetText().replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

QString frmMain::dataSheetText() const {
    return m_chart && m_chartData ? q(dataSheet(*m_chartData, *m_chart)) : QString();
}

void frmMain::redrawCurrentChart() {
    paintWheel();
}

void frmMain::paintWheel() {
    const QSize size = m_surface->size();
    if (!m_chart || size.isEmpty())
        return;
    std::vector<std::pair<int, QRect>> glyphs;
    for (const GlyphHit& hit : drawRadix(m_surface->canvas(size), *m_chart, m_chart->aspects,
                                         m_state.settings, m_selection, kToolbarHeight))
        glyphs.emplace_back(hit.index, hit.rect);
    m_surface->pictureDrawn(std::move(glyphs));
}

void frmMain::P_Click(int glyph) {
    if (isMinimized() || !m_loaded)
        return;
    m_selection = {!m_selection.filter, glyph};
    m_form->mSzamol();
}

// ---------------------------------------------------------------- interpretation

void frmMain::generateInterpretation() {
    if (!m_chart || !m_chartData)
        return;
    // The document is made of the chart on the wheel, not of whatever the
    // form holds unapplied.
    GenerationResult r = runGenerateInterpretation(
        this, m_codeTable, makeGenerationRequest(*m_chartData, *m_chart), [this] {
            txtErtelmez->clear();
            showPanel(Panel::Interpretation);
        });
    if (r.status == GenerationResult::Status::Written && r.mode == GenerationMode::TextToText)
        txtErtelmez->setPlainText(r.document);
}

// ---------------------------------------------------------------- settings

void frmMain::Command1_Click() {
    try {
        WorkingSettings& ws = m_state.settings;
        ws = appliedPanelSettings(pSetup->values(), ws);
        saveSetKeys(ws);

        // Only the working values are reloaded: the form keeps the person it
        // holds (rerunning its whole load step would put back the present
        // moment, or a chart's fields without its zone row and hemispheres).
        m_reloading = true;
        loadWorkingSettingsOrDefaults(ws);
        Form_Load();
        showPanel(Panel::SetAside);
    } catch (const std::exception& e) {
        reportUnexpected(QStringLiteral("A beállítások alkalmazása"), e,
                         QStringLiteral("Az asztrogram a korábbi beállításokkal látható."));
    }
}

// ---------------------------------------------------------------- window

void frmMain::layoutChildren() {
    const int W = width();
    const int H = height();
    m_surface->setGeometry(0, 0, W, H);
    m_surface->lower();

    Label2->adjustSize();
    Label3->adjustSize();
    Label2->move(W - Label2->width(), H - Label2->height());
    picRun->move(W - picRun->width(), 0);
    lstFelre->move(W - lstFelre->width(), kToolbarHeight);

    // The panels keep the status line below them readable.
    const int panelHeight = H - kPanelOffset - Label3->height();
    txtAdat->setGeometry(0, kPanelOffset, W, panelHeight);
    txtErtelmez->setGeometry(0, kPanelOffset, W, panelHeight);
    pSetup->setGeometry(0, kPanelOffset, W, panelHeight);
    pSetup->Command1->move(pSetup->width() - pSetup->Command1->width() - 20,
                           pSetup->height() - pSetup->Command1->height() - 20);

    // Above the caption that holds the bottom-right corner, as the note is.
    picHang->move(W - picHang->width() - 10, H - picHang->height() - 10 - Label2->height());
    pComment->move(W - pComment->width() - picHang->width() - 30,
                   H - pComment->height() - 20 - Label2->height());
    Label3->move(0, H - Label3->height());
    for (QWidget* w : {static_cast<QWidget*>(Label2), static_cast<QWidget*>(Label3),
                       static_cast<QWidget*>(pComment), static_cast<QWidget*>(txtAdat),
                       static_cast<QWidget*>(txtErtelmez), static_cast<QWidget*>(pSetup)})
        w->raise();
}

void frmMain::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutChildren();
    if (isMinimized() || !m_loaded)
        return;
    m_form->applyQuietly();
}

void frmMain::closeEvent(QCloseEvent* event) {
    saveSwitches(m_state.settings);
    m_form->hide();
    event->accept();
}

void frmMain::setStatus(const QString& text) {
    Label3->setText(text);
    Label3->adjustSize();
    Label3->move(0, height() - Label3->height());
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this &&
        handleKey(static_cast<QWidget*>(watched), static_cast<QKeyEvent*>(event)))
        return true;
    if (event->type() == QEvent::Enter) {
        for (int n = 0; n < kToolbarButtons; ++n)
            if (watched == PPP[size_t(n)])
                setStatus(toolbarStatusText(n));
        if (watched == lstFelre)
            setStatus(QStringLiteral("Félretett asztrogramok - klikkeljen rá a megnyitásért"));
        if (watched == pComment)
            setStatus(pComment->toolTip());
    }
    return QWidget::eventFilter(watched, event);
}

void frmMain::reportUnexpected(const QString& what, const std::exception& e,
                               const QString& unchanged) {
    prompts().message(unexpectedFailureText(what, e, unchanged), QString(), MessageIcon::None);
}

} // namespace velorin
