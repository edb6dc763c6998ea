#pragma once
// The chart program's main window: the wheel surface, the toolbar, the data
// sheet and the settings panel, and the program's start-up and shut-down. Its
// commands (toolbar, keys, mouse wheel, printing, saving) are in
// frmmain_commands.cpp.

#include "chart/birthdata/charthost.h"
#include "chart/birthdata/frmadatok.h"
#include "chart/birthdata/programstate.h"
#include "interpretation/codetable.h"
#include "setasidelist.h"
#include "toolbar.h"

#include "wheel/wheelpainter.h"

#include <QStringList>
#include <QWidget>
#include <array>
#include <optional>

class QKeyEvent;
class QLabel;
class QListWidget;
class QTextEdit;
class QToolButton;
class QWheelEvent;

namespace velorin {

class SetupPanel;
class WheelSurface;

// "Tarvessa Ver 1.0.0"
QString versionText();

// The panels over the wheel; showing one hides the others.
enum class Panel { DataSheet, Settings, Interpretation, SetAside };

class frmMain : public QWidget, public ChartHost {
    Q_OBJECT
public:
    // currentChartPath: the chart named on the command line, or empty.
    explicit frmMain(const QString& currentChartPath, QWidget* parent = nullptr);
    ~frmMain() override;

    // The load step: run at start and again by the settings panel's OK.
    void Form_Load();
    // Runs the aspect search of the current chart and paints the wheel.
    void DrawRadix();

    void PPP_Click(int n); // toolbar button n

    // The commands of the toolbar and the keys.
    void openChart();
    void showBirthDataForm();
    void printCommand();
    void saveCommand();
    void toggleDataSheet();
    template <int Minutes> void stepTime() { timeStep(Minutes); }
    void toggleDegrees();
    void toggleAscAspects();
    void toggleSettings();
    void openCodeEditor();
    void showInterpretationEditor();
    void showAbout();
    void quit();
    void setAside();
    void makeReport();
    void showForecast();
    void redraw();

    // Moves the form's birth moment by minutes (back when negative) and
    // recomputes; a moment the calendar cannot read is reported.
    void timeStep(int minutes);
    // Writes the wheel with its strokes as a JPEG under the person's name.
    void mKep();
    // Prints the wheel surface with its strokes through the printer box.
    void mNyomtat();
    // Writes the data sheet as "adatlap_" + name + ".txt" in the text folder.
    void saveDataSheet();
    void printDataSheet();

    void showPanel(Panel panel);
    void fillDataSheet();
    bool panelVisible(Panel panel) const;
    const SetAsideList& setAsideList() const { return m_setAside; }
    // Asks for the mode, writes the chart's interpretation document and opens it.
    void generateInterpretation();
    void P_Click(int glyph); // body glyph n (BodyId - 1)
    void Command1_Click();   // the settings panel's OK

    ProgramState& state() { return m_state; }
    frmAdatok* adatok() const { return m_form; }
    // The chart's interpretation codes, forewords first.
    QStringList codes() const;
    // The code table.
    CodeTable& codeTable() { return m_codeTable; }
    // The data sheet as built, with its CR LF line ends.
    QString dataSheetText() const;
    // The chart shown, with its aspects; nothing before the first chart.
    const Chart* chart() const { return m_chart ? &*m_chart : nullptr; }
    bool loaded() const { return m_loaded; }

    void presentChart(const BirthData& data, Chart chart) override;
    void redrawCurrentChart() override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void buildWidgets();
    void firstChart();
    void layoutChildren();
    void paintWheel();
    void setStatus(const QString& text);
    // An unexpected error of a step, told in Hungarian: what did not finish
    // and what stayed as it was.
    void reportUnexpected(const QString& what, const std::exception& e, const QString& unchanged);
    bool handleKey(QWidget* receiver, QKeyEvent* event);
    void togglePanel(Panel panel);
    QWidget* panelWidget(Panel panel) const;
    void openSetAside(int row);

    ProgramState m_state;
    frmAdatok* m_form = nullptr;
    bool m_loaded = false;
    bool m_reloading = false;
    // The data sheet's text is laid out only when the sheet is shown: laying
    // it out in the hidden editor was a share of every start and every step.
    bool m_sheetStale = false;

    WheelSurface* m_surface = nullptr;
    std::array<QToolButton*, kToolbarButtons> PPP{};
    QLabel* Label2 = nullptr; // the birth-data caption
    QLabel* Label3 = nullptr; // the status line
    QLabel* pComment = nullptr;
    QTextEdit* txtAdat = nullptr;
    QTextEdit* txtErtelmez = nullptr;
    SetupPanel* pSetup = nullptr;
    QListWidget* lstFelre = nullptr;
    SetAsideList m_setAside;
    // Places kept for the recorder's controls.
    QWidget* picRun = nullptr;
    QWidget* picHang = nullptr;

    CodeTable m_codeTable;
    std::optional<Chart> m_baseChart;     // as computed, before the aspect search
    std::optional<Chart> m_chart;         // with its aspects
    std::optional<BirthData> m_chartData; // the birth data the shown chart was computed from
    WheelSelection m_selection; // the glyph clicked last, and whether its lines alone show
    int m_wheelDelta = 0;       // wheel turn not yet worth a whole notch
};

} // namespace velorin
