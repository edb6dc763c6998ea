#pragma once
// Nocturo's start window: the year, the month and the place of the calendar.

#include <QPointer>
#include <QWidget>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace velorin {

class frmCalendar;

class frmMain : public QWidget {
    Q_OBJECT
public:
    explicit frmMain(QWidget* parent = nullptr);
    ~frmMain() override;

    // "NAPTÁR KÉSZITÉSE": reads the texts and draws the month; a text that is
    // not usable is named in a message and nothing is computed.
    void Command2_Click();
    void Check1_Click();

    // The calendar window, once the first calendar has been made.
    frmCalendar* calendar() const;

    QLineEdit* Text1 = nullptr; // year
    QLineEdit* Text2 = nullptr; // month
    QLineEdit* txtTZ = nullptr;
    QCheckBox* Check1 = nullptr;
    QLineEdit* txtLongDeg = nullptr;
    QLineEdit* txtLongMin = nullptr;
    QRadioButton* optEast = nullptr;
    QRadioButton* optWest = nullptr;
    QLineEdit* txtLatDeg = nullptr;
    QLineEdit* txtLatMin = nullptr;
    QRadioButton* optNorth = nullptr;
    QRadioButton* optSouth = nullptr;
    QPushButton* Command2 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    void Form_Load();
    void moveAlongArrowChain(QWidget* from, int step);

    QPointer<frmCalendar> m_calendar;
    bool m_busy = false;
};

} // namespace velorin
