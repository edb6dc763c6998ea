#pragma once
// Nocturo's start window: the year, the month and the place of the calendar.

#include "platform/personentry.h"
#include "platform/widgets/personfields.h"
#include "platform/widgets/placecontrols.h"

#include <QPointer>
#include <QWidget>

class QLineEdit;
class QPushButton;

namespace velorin {

class frmCalendar;

class frmMain : public QWidget, public PlaceControls {
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
    QPushButton* Command2 = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildWidgets();
    void Form_Load();
    void moveAlongArrowChain(QWidget* from, int step);
    PersonFields fields() const;
    void chooseEast(bool isEast);

    // The calendar's year and month and its place; the boxes only show it.
    PersonEntry m_entry;
    QPointer<frmCalendar> m_calendar;
    bool m_busy = false;
};

} // namespace velorin
