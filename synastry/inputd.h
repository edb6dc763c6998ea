#pragma once
// The synastry program's start window: both people's birth data side by side,
// each fillable from a chart file, and the computation of both charts.

#include "engine/chart.h"
#include "platform/personentry.h"
#include "platform/settings.h"
#include "platform/widgets/personfields.h"

#include <QDialog>
#include <QTime>
#include <array>
#include <memory>

class QGroupBox;
class QPushButton;

namespace velorin {

class frmDraw;
class frmListing;

// The present moment as "MA" writes it: the clock's two digits before noon
// ("00" at half past midnight), the hour less twelve after it ("0" at half
// past noon).
struct TwelveHourText {
    QString hour;
    bool am;
};
TwelveHourText synastryClockHour(const QTime& time);

class inputD : public QDialog {
    Q_OBJECT
public:
    static constexpr int kFirst = 0;
    static constexpr int kSecond = 1;

    explicit inputD(QWidget* parent = nullptr);
    ~inputD() override;

    // Computes both charts, shows both listings and draws the wheel. A field
    // that is not a number is named in a message and nothing changes.
    // Returns whether everything was drawn.
    bool PressOK();

    void Command1_Click(); // "NYIT" for the first person
    void Command2_Click(); // "NYIT" for the second person
    void Command3_Click(); // "MA" for the second person

    frmDraw& wheel() { return *m_draw; }
    frmListing& frmA1() { return *m_a1; }
    frmListing& frmA2() { return *m_a2; }
    const WorkingSettings& settings() const { return m_settings; }
    const PersonFields& person(int n) const { return m_person[size_t(n)]; }
    const PersonEntry& entry(int n) const { return m_entry[size_t(n)]; }

protected:
    void reject() override;

private:
    QGroupBox* buildFrame(int n, const QString& caption);
    void openChart(int n);
    void setPresentMoment(int n);
    bool computePerson(int n, Chart& out);

    WorkingSettings m_settings;
    // Each person's state; the boxes of m_person only show it.
    std::array<PersonEntry, 2> m_entry;
    std::array<PersonFields, 2> m_person;
    std::unique_ptr<frmDraw> m_draw;
    std::unique_ptr<frmListing> m_a1;
    std::unique_ptr<frmListing> m_a2;
    bool m_computing = false;
};

} // namespace velorin
