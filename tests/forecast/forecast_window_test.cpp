// The forecast window driven as a user would, offscreen: the event list, its
// filter, the transit wheel of a chosen event and the charts it opens.

#include "tests/support/testenv.h"

#include "chart/forecast/frmelorejelzes.h"
#include "engine/chart.h"
#include "forecast/transits.h"
#include "tests/support/birthdata.h"

#include <QApplication>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <cmath>

using namespace velorin;

class ForecastWindowTest : public QObject {
    Q_OBJECT
public:
    explicit ForecastWindowTest(test::TestEnvironment& env) : m_env(env) {}

private:
    test::TestEnvironment& m_env;
    std::vector<std::pair<BirthData, Chart>> m_opened;
    std::vector<ForecastRequest> m_documents;

    frmElorejelzes* make(int fromYear = 2027) {
        const BirthData d = test::anna();
        auto* w = new frmElorejelzes(
            d, test::mustCompute(d), WorkingSettings(),
            [this](const BirthData& data, Chart c) {
                m_opened.push_back({data, std::move(c)});
            },
            [this](const ForecastRequest& r) { m_documents.push_back(r); });
        w->dtFrom->setDate(QDate(fromYear, 1, 1));
        w->dtTo->setDate(QDate(fromYear + 1, 1, 1));
        return w;
    }

private slots:
    void init() {
        m_env.reset();
        m_opened.clear();
        m_documents.clear();
    }

    void listsTheEventsWithLocalAndUniversalTime() {
        std::unique_ptr<frmElorejelzes> w(make());
        QTest::mouseClick(w->cmdSzamol, Qt::LeftButton);
        QVERIFY(w->events().size() > 500);
        QCOMPARE(w->tblEvents->rowCount(), int(w->events().size()));
        // Anna's zone is UTC+2 (zone text -2): local time runs two hours ahead.
        for (int row : {0, 100, 400}) {
            const QDateTime local = QDateTime::fromString(w->tblEvents->item(row, 0)->text(),
                                                          QStringLiteral("yyyy-MM-dd HH:mm"));
            const QDateTime ut = QDateTime::fromString(w->tblEvents->item(row, 1)->text(),
                                                       QStringLiteral("yyyy-MM-ddTHH:mm"));
            QVERIFY2(local.isValid() && ut.isValid(), qPrintable(QString::number(row)));
            QCOMPARE(ut.secsTo(local), 2 * 3600);
        }
    }

    void theFilterShowsOnlyMatchingRows() {
        std::unique_ptr<frmElorejelzes> w(make());
        w->cmdSzamol_Click();
        QTest::keyClicks(w->txtSzuro, QStringLiteral("szaturnusz quadrat"));
        int shown = 0;
        for (int row = 0; row < w->tblEvents->rowCount(); ++row)
            if (!w->tblEvents->isRowHidden(row)) {
                ++shown;
                QVERIFY(w->tblEvents->item(row, 2)->text().startsWith(
                    QStringLiteral("SZATURNUSZ Quadrat")));
            }
        QVERIFY(shown > 0);
        w->txtSzuro->clear();
        for (int row = 0; row < w->tblEvents->rowCount(); ++row)
            QVERIFY(!w->tblEvents->isRowHidden(row));
    }

    void choosingAnEventDrawsItsSkyAroundTheChart() {
        std::unique_ptr<frmElorejelzes> w(make());
        w->show();
        w->resize(1280, 560);
        w->cmdSzamol_Click();
        w->tblEvents->setCurrentCell(3, 0);
        QVERIFY(!w->lblWheel->pixmap().isNull());
        QVERIFY(w->lblStatus->text().contains(w->tblEvents->item(3, 2)->text()));
        const QString shot = qEnvironmentVariable("VELORIN_SCREENSHOTS");
        if (!shot.isEmpty())
            w->grab().save(shot + QStringLiteral("/forecast_window.png"));
    }

    void aPeriodThatCannotBeSearchedLeavesTheListEmptyWithAMessage() {
        std::unique_ptr<frmElorejelzes> w(make());
        w->dtTo->setDate(QDate(2026, 6, 1));
        w->cmdSzamol_Click();
        QCOMPARE(w->tblEvents->rowCount(), 0);
        QVERIFY(!w->lblStatus->text().isEmpty());
        for (int i = 0; i < w->lstBodies->count(); ++i)
            w->lstBodies->item(i)->setCheckState(Qt::Unchecked);
        w->dtTo->setDate(QDate(2028, 1, 1));
        w->cmdSzamol_Click();
        QCOMPARE(w->tblEvents->rowCount(), 0);
    }

    void theSolarReturnOpensAsANamedChartOnTheNatalDegree() {
        std::unique_ptr<frmElorejelzes> w(make());
        QTest::mouseClick(w->cmdNapvisszateres, Qt::LeftButton);
        QCOMPARE(m_opened.size(), size_t(1));
        QCOMPARE(QString::fromStdString(m_opened[0].first.name),
                 QString::fromUtf8("Anna napvisszatérés 2027"));
        const Chart natal = test::mustCompute(test::anna());
        QVERIFY(std::fabs(m_opened[0].second.longitude[Sun] - natal.longitude[Sun]) * 3600 < 0.01);
        // The birth data written for it give back its instant to the minute,
        // so that a saved return chart reopens where it was.
        const Chart reopened = test::mustCompute(m_opened[0].first);
        QVERIFY(std::fabs(reopened.julianDayUT - m_opened[0].second.julianDayUT) * 1440 <= 0.5);

        QTest::mouseClick(w->cmdProgresszio, Qt::LeftButton);
        QCOMPARE(m_opened.size(), size_t(2));
        QVERIFY(QString::fromStdString(m_opened[1].first.name).startsWith("Anna progresszív"));
    }

    void theDocumentTakesTheRowsTheFilterShows() {
        std::unique_ptr<frmElorejelzes> w(make());
        QVERIFY(!w->cmdDokumentum->isEnabled());
        w->cmdSzamol_Click();
        QVERIFY(w->cmdDokumentum->isEnabled());
        w->txtSzuro->setText(QStringLiteral("PLUTO"));
        QTest::mouseClick(w->cmdDokumentum, Qt::LeftButton);
        QCOMPARE(m_documents.size(), size_t(1));
        const ForecastRequest& r = m_documents[0];
        QVERIFY(!r.events.empty());
        QVERIFY(r.header.startsWith(QStringLiteral("Anna: 2027.01.01. – 2028.01.01.")));
        for (const DatedCode& e : r.events) {
            QVERIFY2(e.dateLine.contains(QStringLiteral("PLUTO")), qPrintable(e.dateLine));
            QVERIFY(e.code.startsWith(QStringLiteral("TR_")) || e.code.startsWith("PR_"));
        }
        for (size_t n = 1; n < r.events.size(); ++n)
            QVERIFY(r.events[n - 1].dateLine.left(17) <= r.events[n].dateLine.left(17));
    }

    void theLunarReturnOpensOnTheNatalMoon() {
        std::unique_ptr<frmElorejelzes> w(make());
        QTest::mouseClick(w->cmdHoldvisszateres, Qt::LeftButton);
        QCOMPARE(m_opened.size(), size_t(1));
        QCOMPARE(QString::fromStdString(m_opened[0].first.name),
                 QString::fromUtf8("Anna holdvisszatérés 2027.01."));
        const Chart natal = test::mustCompute(test::anna());
        QVERIFY(std::fabs(m_opened[0].second.longitude[Moon] - natal.longitude[Moon]) * 3600 <
                0.01);
    }

    void birthDataForAnInstantKeepTheTwelveHourClock() {
        const BirthData natal = test::anna();
        // Midnight, noon and the hours either side of them.
        for (double hour : {0.0, 0.5, 11.99, 12.0, 12.5, 23.9}) {
            const double jd = forecast::julianDayOfDate(2030, 7, 14) + hour / 24;
            const BirthData d = birthDataAt(natal, jd, "x");
            const Chart c = test::mustCompute(d);
            QVERIFY2(std::fabs(c.julianDayUT - jd) * 1440 <= 0.5,
                     qPrintable(QString::number(hour)));
        }
    }
};

int main(int argc, char** argv) {
    test::TestEnvironment env;
    QApplication app(argc, argv);
    ForecastWindowTest test(env);
    return QTest::qExec(&test, argc, argv);
}

#include "forecast_window_test.moc"
