#pragma once
// The forecast window: a period and the moving bodies in, the events of the
// natal chart out, in time order with local and Universal time, filterable.
// A chosen event shows the sky of its instant around the natal chart; the
// solar return and the progressed chart open as charts of the main window.

#include "engine/birthdata.h"
#include "engine/chart.h"
#include "forecast/events.h"
#include "interpretation/forecastdocument.h"
#include "platform/settings.h"

#include <QWidget>

#include <functional>
#include <vector>

class QDateEdit;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace velorin {

class frmElorejelzes : public QWidget {
    Q_OBJECT
public:
    using OpenChart = std::function<void(const BirthData&, Chart)>;
    using MakeDocument = std::function<void(const ForecastRequest&)>;
    frmElorejelzes(const BirthData& data, const Chart& natal, const WorkingSettings& ws,
                   OpenChart openChart, MakeDocument makeDocument = {}, QWidget* parent = nullptr);

    void cmdSzamol_Click(); // computes the events of the period
    void txtSzuro_Change(); // shows the rows that contain the filter text
    void tblEvents_Select(int row);
    void cmdNapvisszateres_Click();
    void cmdProgresszio_Click();
    void cmdHoldvisszateres_Click(); // the first lunar return from the period's start
    void cmdDokumentum_Click();      // the forecast document of the rows shown

    // The document's request: the rows the filter shows, in time order.
    ForecastRequest documentRequest() const;

    QDateEdit* dtFrom = nullptr;
    QDateEdit* dtTo = nullptr;
    QListWidget* lstBodies = nullptr;
    QLineEdit* txtSzuro = nullptr;
    QPushButton* cmdSzamol = nullptr;
    QPushButton* cmdNapvisszateres = nullptr;
    QPushButton* cmdProgresszio = nullptr;
    QPushButton* cmdHoldvisszateres = nullptr;
    QPushButton* cmdDokumentum = nullptr;
    QTableWidget* tblEvents = nullptr;
    QLabel* lblWheel = nullptr;
    QLabel* lblStatus = nullptr;

    const std::vector<forecast::Event>& events() const { return m_events; }

private:
    // Casts the return at jd for the birth place and opens it under name; the
    // reason goes to the status line when it cannot be cast.
    void openReturn(double jd, const std::string& name);

    BirthData m_data;
    Chart m_natal;
    WorkingSettings m_settings;
    OpenChart m_openChart;
    MakeDocument m_makeDocument;
    std::vector<forecast::Event> m_events;
};

// The birth data that stand for a computed instant at the natal place, named
// for what it is ("Anna napvisszatérés 2027"): the chart opened in the main
// window can then be set aside and saved like any other.
BirthData birthDataAt(const BirthData& natal, double julianDayUT, const std::string& name);

} // namespace velorin
