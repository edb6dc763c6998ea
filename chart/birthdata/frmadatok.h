#pragma once
// The birth-data form. Its entry is where the current person's data lives:
// every chart computation reads it, and the chart and location files are read
// into it and written from it; the boxes show the entry and write the user's
// edits into it. Created once, then shown and hidden.

#include "atlas/atlas.h"
#include "charthost.h"
#include "platform/chartfile.h"
#include "platform/personentry.h"
#include "platform/widgets/placecontrols.h"
#include "programstate.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QToolButton;

namespace velorin {

class frmAdatok : public QDialog, private PlaceControls {
    Q_OBJECT
public:
    // Runs the load step: working settings, engine, lists and start values.
    frmAdatok(ProgramState& state, ChartHost* host, QWidget* parent = nullptr);

    // Applies the form: computes the chart from the fields and hands it to the
    // main window. A field that cannot be converted is named in a message and
    // the previous chart stays; returns whether a new chart was shown.
    bool mSzamol();
    // The same without any message, for redraws the user did not ask for
    // (resizing): on failure the previous chart is only drawn again.
    bool applyQuietly();

    void ResetM();

    void mMegnyit();
    // Returns whether the chart could be opened.
    bool mStartMegnyit();
    void mFelreMegnyit();
    void mMent();

    // The location buttons: save and open a .loc file.
    void P1_Click();
    void P2_Click();
    // The place search: opens the search window and applies the pick.
    void P3_Click();
    // Puts a place into the fields: coordinates and hemispheres, and for the
    // form's date and time the zone and the summer-time box. A local time
    // that does not exist or occurs twice there leaves the zone to the user,
    // with a message naming both readings.
    void applyPlace(const Place& place);

    void Command1_Click(); // "MA"
    void Command2_Click(); // "OK"
    void Command5_Click(); // "MEGSEM"

    void mOra12();
    void mOra24();
    void mZonaKeres();
    void mHetNapja();

    // Decides the layout of a chart file, offering the one-way conversion of
    // the old layout; returns the record read, or nothing when the file
    // cannot be read (or the conversion cannot be written).
    std::optional<ChartFile> mVerzioVizsgal(const QString& path);

    // The person as the engine and the chart file take them.
    BirthData birthData() const;
    const PersonEntry& entry() const { return m_entry; }

    // Moves the moment by minutes and applies the form; false, with nothing
    // changed, when the date and time typed are no real moment.
    bool stepMoment(int minutes);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    void bindEdits();
    void Form_Load();
    void fillLists();
    void readStartChart();
    bool openChart(const QString& path);
    void onZoneRow(int row);
    // Puts the entry into the boxes; their own signals do not write back.
    void showEntry();
    bool checkRange(QLineEdit* box, bool showMessage);
    void moveAlongArrowChain(QWidget* from, int step);
    bool apply(bool reportErrors);

    ProgramState& m_state;
    ChartHost* m_host;

    QLineEdit* txtName = nullptr;
    QComboBox* Combo1 = nullptr;
    QLineEdit* txtYear = nullptr;
    QLineEdit* txtMonth = nullptr;
    QLineEdit* txtDay = nullptr;
    QLineEdit* Text1 = nullptr;
    QLineEdit* txtBirthMinute = nullptr;
    QComboBox* Combo2 = nullptr;
    QPlainTextEdit* txtMeg = nullptr;
    QLabel* Label2 = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command5 = nullptr;
    QToolButton* P1 = nullptr;
    QToolButton* P2 = nullptr;
    QToolButton* P3 = nullptr;
    // The picked place, its zone and offset on one line.
    QLabel* lblHely = nullptr;

    PersonEntry m_entry;
    // Set while showEntry writes the boxes.
    bool m_showing = false;
    bool m_inRangeMessage = false;
    // The box whose range message was just shown by leaving it, so that the
    // OK click causing that leave does not show it a second time.
    QLineEdit* m_rejectedBox = nullptr;
};

} // namespace velorin
