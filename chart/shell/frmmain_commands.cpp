// The main window's commands: the toolbar, the keys and the mouse wheel, the
// time steps, the panels, printing, saving, the picture export and the
// set-aside list.

#include "commands.h"
#include "frmabout.h"
#include "frmmain.h"
#include "printing.h"
#include "setuppanel.h"
#include "toolbar.h"
#include "wheelsurface.h"

#include "chart/forecast/frmelorejelzes.h"
#include "chart/interpretation/frmselect.h"
#include "chart/interpretation/interpretationcommands.h"
#include "picture/jpeg.h"
#include "platform/folders.h"
#include "platform/textfile.h"
#include "platform/uiprompts.h"
#include "report/clientreport.h"
#include "wheel/wheelpainter.h"
#include "wheel/wheelvector.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPrinter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <QWheelEvent>
#include <cstdlib>
#include <functional>
#include <iterator>

namespace velorin {

namespace {

const QString kMessageTitle = QStringLiteral("Velorin");
// Files are always replaced whole, so a command cut short leaves each of them
// either as it was or fully written.
const QString kFilesIntact = QStringLiteral("A meglévő fájlok nem sérültek.");
// One notch of an ordinary mouse wheel.
constexpr int kWheelNotch = 120;

// The keys that move and type inside a one-line box: there they stay the
// box's, so that the settings panel's values can still be edited.
bool editsLine(int key) {
    return key == Qt::Key_Space || key == Qt::Key_Left || key == Qt::Key_Right ||
           key == Qt::Key_Home || key == Qt::Key_End;
}

QString noFreeName(const QString& what, const QString& folder, const QString& reason) {
    return what + QStringLiteral(" nincs mentve a(z) ") + folder + QStringLiteral(" mappába: ") +
           reason + QStringLiteral(".");
}

// Saving and printing act on what is shown: the data sheet when it is open,
// else the chart; the interpretation text is saved and printed by its editor.
void actOnShown(const frmMain& w, const std::function<void()>& onSheet,
                const std::function<void()>& onChart) {
    if (w.panelVisible(Panel::Interpretation))
        return;
    if (w.panelVisible(Panel::DataSheet))
        onSheet();
    else
        onChart();
}

QString printerName(const QPrinter& printer) {
    return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

} // namespace

void frmMain::PPP_Click(int n) {
    const MainCommand* c = commandForButton(n);
    if (!c)
        return;
    try {
        (this->*c->action)();
    } catch (const std::exception& e) {
        reportUnexpected(commandName(*c), e, kFilesIntact);
    }
}

bool frmMain::handleKey(QWidget* receiver, QKeyEvent* event) {
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    const int key = event->key();
    const MainCommand* c = commandForKey(key);
    if (!c)
        return false;
    if (editsLine(key) &&
        (qobject_cast<QLineEdit*>(receiver) || qobject_cast<QAbstractSpinBox*>(receiver)))
        return false;
    try {
        (this->*c->action)();
    } catch (const std::exception& e) {
        reportUnexpected(commandName(*c), e, kFilesIntact);
    }
    return true;
}

void frmMain::wheelEvent(QWheelEvent* event) {
    event->accept();
    if (!m_loaded)
        return;
    m_wheelDelta += event->angleDelta().y();
    const int notches = m_wheelDelta / kWheelNotch;
    if (notches == 0)
        return;
    m_wheelDelta -= notches * kWheelNotch;
    // Turned towards the user the delta is negative: back in time.
    timeStep(notches);
}

// ---------------------------------------------------------------- simple commands

void frmMain::openChart() {
    m_form->mMegnyit();
}

void frmMain::showBirthDataForm() {
    m_form->show();
    m_form->raise();
    m_form->activateWindow();
}

void frmMain::toggleDegrees() {
    m_state.settings.showFok = !m_state.settings.showFok;
    m_form->mSzamol();
}

void frmMain::toggleAscAspects() {
    m_state.settings.showAsc = !m_state.settings.showAsc;
    m_form->mSzamol();
}

void frmMain::openCodeEditor() {
    runCodeEditor(this, m_codeTable);
}

void frmMain::showInterpretationEditor() {
    velorin::openInterpretationEditor(this);
}

void frmMain::showForecast() {
    if (!m_chartData || !m_chart)
        return;
    auto openChart = [this](const BirthData& data, Chart chart) {
        presentChart(data, std::move(chart));
    };
    auto makeDocument = [this](const ForecastRequest& request) {
        runGenerateForecast(this, m_codeTable, request);
    };
    auto* w =
        new frmElorejelzes(*m_chartData, *m_chart, m_state.settings, openChart, makeDocument, this);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->resize(1280, 600);
    w->show();
}

void frmMain::showAbout() {
    auto* about = new frmAbout(this);
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->open();
}

void frmMain::quit() {
    close();
}

void frmMain::redraw() {
    m_form->mSzamol();
}

// ---------------------------------------------------------------- time

void frmMain::timeStep(int minutes) {
    if (!m_form->stepMoment(minutes))
        prompts().message(m_form->entry().stepRefusal(), kMessageTitle, MessageIcon::Critical);
}

// ---------------------------------------------------------------- panels

QWidget* frmMain::panelWidget(Panel panel) const {
    switch (panel) {
    case Panel::DataSheet:
        return txtAdat;
    case Panel::Settings:
        return pSetup;
    case Panel::Interpretation:
        return txtErtelmez;
    case Panel::SetAside:
        return lstFelre;
    }
    return lstFelre;
}

bool frmMain::panelVisible(Panel panel) const {
    return !panelWidget(panel)->isHidden();
}

void frmMain::showPanel(Panel panel) {
    for (Panel p : {Panel::DataSheet, Panel::Settings, Panel::Interpretation, Panel::SetAside})
        panelWidget(p)->setVisible(p == panel);
    if (panel == Panel::DataSheet)
        fillDataSheet();
    layoutChildren();
}

// Closing a panel brings the set-aside list back.
void frmMain::togglePanel(Panel panel) {
    showPanel(panelVisible(panel) ? Panel::SetAside : panel);
}

void frmMain::toggleDataSheet() {
    togglePanel(Panel::DataSheet);
}

void frmMain::toggleSettings() {
    togglePanel(Panel::Settings);
}

// ---------------------------------------------------------------- set aside

void frmMain::setAside() {
    if (!m_state.chartSaved) {
        prompts().message(QStringLiteral("Csak lementett asztrogramot lehet félretenni!"),
                          kMessageTitle, MessageIcon::Critical);
        return;
    }
    const QString name = QString::fromStdString(m_form->birthData().name);
    m_setAside.add(name, m_state.currentChartPath);
    lstFelre->addItem(name);
}

void frmMain::openSetAside(int row) {
    const SetAsideList::Entry* entry = m_setAside.at(row);
    if (!entry)
        return;
    m_state.setAsidePath = entry->path;
    m_form->mFelreMegnyit();
}

// ---------------------------------------------------------------- save

void frmMain::saveCommand() {
    actOnShown(
        *this, [this] { saveDataSheet(); }, [this] { m_form->mMent(); });
}

void frmMain::saveDataSheet() {
    const QString folder = textFolder();
    const QString base =
        QStringLiteral("adatlap_") + safeFileName(QString::fromStdString(m_form->birthData().name));
    QDir().mkpath(folder);
    const QString text = txtAdat->toPlainText().replace('\n', QStringLiteral("\r\n")) + "\r\n";
    QString reason;
    const std::optional<QString> path =
        writeUniqueFile(folder + base + ".txt", "txt", toCp1250(text), &reason);
    if (!path) {
        prompts().message(noFreeName(QStringLiteral("Az adatlap"), folder, reason), kMessageTitle,
                          MessageIcon::Critical);
        return;
    }
    setStatus(QStringLiteral("Adatlap mentve: ") + *path);
}

// ---------------------------------------------------------------- picture

void frmMain::mKep() {
    const QString folder = pictureFolder();
    const QString base = safeFileName(QString::fromStdString(m_form->birthData().name));
    QDir().mkpath(folder);
    // The first free JPEG name is proposed; the user may pick another kind or
    // place. Nothing is created before the picture is finished.
    const QString proposed = uniqueName(folder + base + ".jpg", "jpg");
    if (proposed.isEmpty()) {
        prompts().message(noFreeName(QStringLiteral("A kép"), folder, QString()), kMessageTitle,
                          MessageIcon::Critical);
        return;
    }
    QString path = prompts().saveFile(
        {QStringLiteral("Asztrogram mentése képként"), pictureDialogFilter(), folder, proposed});
    if (path.isEmpty())
        return;
    if (!pictureFormatOf(path))
        path += QStringLiteral(".jpg");
    const PictureFormat format = *pictureFormatOf(path);

    QString error;
    QByteArray bytes;
    if (format == PictureFormat::Jpeg) {
        const JpegResult r =
            encodePictureAsJpeg(m_surface->picture(), bytes, kPictureQuality, m_surface->size());
        if (!r)
            error = r.description;
    } else if (format == PictureFormat::Png) {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        m_surface->picture().save(&buffer, "PNG");
    } else if (m_chart) {
        // Vector: the wheel painted again, with the strokes drawn on it.
        const QSize area = m_surface->size();
        bytes =
            paintVectorPage(format == PictureFormat::Svg ? VectorFormat::Svg : VectorFormat::Pdf,
                            area, windowTitle(), [&](QPainter& p) {
                                paintRadix(p, area, *m_chart, m_chart->aspects, m_state.settings,
                                           m_selection, kToolbarHeight);
                                m_surface->paintStrokes(p);
                            });
    }
    if (error.isEmpty() && bytes.isEmpty())
        error = QStringLiteral("a kép nem készíthető el");
    if (!error.isEmpty()) {
        prompts().message(QStringLiteral("ERROR!\n") + error, kMessageTitle, MessageIcon::Warning);
        return;
    }
    if (path == proposed) {
        // The proposed name may have been taken meanwhile: the next free one
        // is claimed with the finished picture.
        const std::optional<QString> written =
            writeUniqueFile(path, QFileInfo(path).suffix(), bytes, &error);
        if (!written) {
            prompts().message(noFreeName(QStringLiteral("A kép"), folder, error), kMessageTitle,
                              MessageIcon::Critical);
            return;
        }
        path = *written;
    } else if (!writeFileAtomically(path, bytes, &error)) {
        prompts().message(QStringLiteral("ERROR!\n") + error, kMessageTitle, MessageIcon::Warning);
        return;
    }
    prompts().message(QStringLiteral("OK: ") + path, kMessageTitle, MessageIcon::Information);
}

// ---------------------------------------------------------------- report

// The report of the chart on the wheel, with the interpretation in the mode
// the user picks, written beside the generated documents and opened like one.
void frmMain::makeReport() {
    if (!m_chart || !m_chartData)
        return;
    const GenerationMode mode = frmSelect::choose(this);
    if (mode == GenerationMode::None)
        return;
    ReportContent content;
    content.data = *m_chartData;
    content.chart = *m_chart;
    content.settings = m_state.settings;
    content.mode = int(mode);
    ReportFile written;
    {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        content.interpretation = assembleInterpretation(
            m_codeTable, makeGenerationRequest(*m_chartData, *m_chart, mode), prompts());
        written = writeClientReport(content, textFolder());
        QApplication::restoreOverrideCursor();
    }
    if (!written.ok()) {
        prompts().message(written.error, kMessageTitle, MessageIcon::Critical);
        return;
    }
    if (!shellOpener().open(written.path))
        prompts().message(QStringLiteral("A jelentés elkészült, de nincs program, amely "
                                         "megnyitná. A dokumentum helye: ") +
                              written.path,
                          kMessageTitle, MessageIcon::Information);
}

// ---------------------------------------------------------------- printing

void frmMain::printCommand() {
    actOnShown(
        *this, [this] { printDataSheet(); }, [this] { mNyomtat(); });
}

// The page holds only the drawing (the wheel, its glyphs, the listing blocks
// and the strokes), painted again as vector for the printer: the toolbar, the
// panels and the labels are widgets of their own and never reach the page.
void frmMain::mNyomtat() {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    if (!printerDialogs().choosePrinter(printer, this))
        return;
    bool printed;
    if (m_chart) {
        const QSize area = m_surface->size();
        printed = printDrawing(printer, area, [&](QPainter& p) {
            paintRadix(p, area, *m_chart, m_chart->aspects, m_state.settings, m_selection,
                       kToolbarHeight);
            m_surface->paintStrokes(p);
        });
    } else {
        printed = printPicture(printer, m_surface->picture());
    }
    if (!printed)
        prompts().message(QStringLiteral("Az asztrogram nyomtatása nem sikerült (") +
                              printerName(printer) +
                              QStringLiteral("). A nyomtató nem fogadta el a lapot."),
                          kMessageTitle, MessageIcon::Critical);
}

void frmMain::printDataSheet() {
    QTextDocument doc;
    doc.setDefaultFont(txtAdat->font());
    const QTextCursor cursor = txtAdat->textCursor();
    if (cursor.hasSelection())
        QTextCursor(&doc).insertFragment(cursor.selection());
    else
        doc.setPlainText(txtAdat->toPlainText());
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(windowTitle());
    if (!printerDialogs().defaultPrinter(printer, this))
        return;
    if (!printDocument(printer, doc))
        prompts().message(QStringLiteral("Az adatlap nyomtatása nem sikerült (") +
                              printerName(printer) +
                              QStringLiteral("). A nyomtató nem fogadta el a lapot."),
                          kMessageTitle, MessageIcon::Critical);
}

} // namespace velorin
