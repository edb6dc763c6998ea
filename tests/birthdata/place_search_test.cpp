// The place search window and what a pick puts into the birth-data form.

#include "fakehost.h"
#include "tests/support/formharness.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/testenv.h"

#include "chart/birthdata/frmadatok.h"
#include "chart/birthdata/frmhelyseg.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>
#include <memory>

using namespace velorin;
using namespace velorin::test;

class PlaceSearchTest : public QObject {
    Q_OBJECT
public:
    explicit PlaceSearchTest(TestEnvironment& env) : m_env(env) {}

private:
    TestEnvironment& m_env;
    ScriptedPrompts m_prompts;
    ProgramState m_state;
    FakeHost m_host;
    std::unique_ptr<frmAdatok> m_form;
    std::unique_ptr<Atlas> m_atlas;

    QLineEdit* box(const char* name) { return control<QLineEdit>(m_form.get(), name); }
    bool checked(const char* name) {
        return control<QAbstractButton>(m_form.get(), name)->isChecked();
    }
    int zoneRow() { return control<QComboBox>(m_form.get(), "Combo2")->currentIndex(); }
    QString placeLine() { return control<QLabel>(m_form.get(), "lblHely")->text(); }
    QString zone() { return m_form->entry().zone; }

    void setMoment(const char* y, const char* mo, const char* d, const char* h, const char* mi) {
        box("txtYear")->setText(y);
        box("txtMonth")->setText(mo);
        box("txtDay")->setText(d);
        box("Text1")->setText(h);
        box("txtBirthMinute")->setText(mi);
    }
    static Place place(const char* name, double lat, double lon, const char* zone) {
        Place p;
        p.name = QString::fromUtf8(name);
        p.country = "XX";
        p.latitude = lat;
        p.longitude = lon;
        p.zone = zone;
        return p;
    }
    QString coordinates() {
        return box("txtLongDeg")->text() + ":" + box("txtLongMin")->text() +
               (checked("optEast") ? " K " : " NY ") + box("txtLatDeg")->text() + ":" +
               box("txtLatMin")->text() + (checked("optNorth") ? " É" : " D");
    }

private slots:
    void initTestCase() {
        QString error;
        m_atlas = Atlas::load(VELORIN_ATLAS_FILE, &error);
        QVERIFY2(m_atlas, qPrintable(error));
    }
    void init() {
        m_env.reset();
        m_prompts.clear();
        setPrompts(&m_prompts);
        m_state = ProgramState();
        m_form = std::make_unique<frmAdatok>(m_state, &m_host);
    }
    void cleanup() {
        m_form.reset();
        setPrompts(nullptr);
    }

    void searchWindowListsMatchesAndPicksOne() {
        QCOMPARE(m_form->findChild<QToolButton*>("P3")->toolTip(), QString("Helység keresése"));
        frmHelyseg w(m_atlas.get(), QString());
        QTest::keyClicks(w.txtKeres, "hodmezo");
        QVERIFY(w.lstHelyseg->topLevelItemCount() >= 1);
        QTreeWidgetItem* first = w.lstHelyseg->topLevelItem(0);
        QCOMPARE(first->text(0), QString("Hódmezővásárhely"));
        QCOMPARE(first->text(1), QString("HU"));
        QCOMPARE(first->text(2), QString("Csongrád-Csanád"));
        QTest::keyClick(w.txtKeres, Qt::Key_Return);
        QVERIFY(w.chosen());
        QCOMPARE(w.chosen()->name, QString("Hódmezővásárhely"));

        // A town found by its Hungarian name shows it, and gives the place.
        frmHelyseg byOtherName(m_atlas.get(), QString());
        QTest::keyClicks(byOtherName.txtKeres, "kolozsv");
        QVERIFY(byOtherName.lstHelyseg->topLevelItemCount() >= 1);
        QCOMPARE(byOtherName.lstHelyseg->topLevelItem(0)->text(0),
                 QString("Cluj-Napoca (Kolozsvár)"));
        QTest::keyClick(byOtherName.txtKeres, Qt::Key_Return);
        QVERIFY(byOtherName.chosen());
        QCOMPARE(byOtherName.chosen()->name, QString("Cluj-Napoca"));
        QCOMPARE(byOtherName.chosen()->zone, QString("Europe/Bucharest"));

        // Down in the box moves in the list; cancelling picks nothing.
        frmHelyseg again(m_atlas.get(), QString());
        again.show();
        QTest::keyClicks(again.txtKeres, "szent");
        QTest::keyClick(again.txtKeres, Qt::Key_Down);
        QCOMPARE(again.lstHelyseg->currentIndex().row(), 1);
        again.Command2->click();
        QVERIFY(!again.chosen());

        // Without an atlas the window says why and searches nothing.
        frmHelyseg none(nullptr, "A helységtár (x) nem olvasható: a fájl nem létezik.");
        QVERIFY(!none.txtKeres->isEnabled());
        QVERIFY(none.lblInfo->text().contains("nem olvasható"));
    }

    void pickFillsPlaceZoneAndSummerTime() {
        // Hungary's 1980 summer time (6 April - 28 September): row UTC+1 with the box.
        setMoment("1980", "7", "15", "12", "00");
        m_form->applyPlace(place("Budapest", 47.49835, 19.04045, "Europe/Budapest"));
        QCOMPARE(coordinates(), QString("19:02 K 47:30 É"));
        QCOMPARE(zoneRow(), 15);
        QCOMPARE(zone(), QString("-1"));
        QVERIFY(checked("Check1"));
        QCOMPARE(placeLine(), QString("Budapest, Europe/Budapest, UTC+2 nyári idő"));

        // New York, summer 1950: the EST row with summer time, north of the
        // equator although the western rows' rule would say south.
        setMoment("1950", "7", "15", "12", "00");
        m_form->applyPlace(place("New York City", 40.71427, -74.00597, "America/New_York"));
        QCOMPARE(coordinates(), QString("74:00 NY 40:43 É"));
        QCOMPARE(zoneRow(), 8);
        QCOMPARE(zone(), QString("5"));
        QVERIFY(checked("Check1"));

        // Vigo lies west of Greenwich on Central European Time: the western
        // option must not turn the zone into UTC-1.
        setMoment("2000", "1", "15", "12", "00");
        m_form->applyPlace(place("Vigo", 42.23282, -8.72264, "Europe/Madrid"));
        QCOMPARE(coordinates(), QString("8:43 NY 42:14 É"));
        QCOMPARE(zone(), QString("-1"));
        QVERIFY(!checked("Check1"));
        QCOMPARE(m_form->birthData().zone, std::string("-1"));

        // Before 1 November 1890 the town's own mean time: 20.33333 E is
        // 1:21:20, a zone no row has.
        setMoment("1880", "6", "1", "12", "00");
        m_form->applyPlace(place("Hódmezővásárhely", 46.41667, 20.33333, "Europe/Budapest"));
        QCOMPARE(zone(), QString("-1,3556"));
        QVERIFY(!checked("Check1"));
        QVERIFY(placeLine().endsWith("UTC+1:21:20 helyi középidő"));
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void skippedOrRepeatedTimeLeavesTheZoneToTheUser() {
        setMoment("1980", "7", "15", "12", "00");
        m_form->applyPlace(place("Budapest", 47.49835, 19.04045, "Europe/Budapest"));
        // 2:30 on 28 March 2021 never showed on Hungarian clocks.
        setMoment("2021", "3", "28", "2", "30");
        m_form->applyPlace(place("Szeged", 46.253, 20.14824, "Europe/Budapest"));
        QCOMPARE(m_prompts.messages.size(), 1);
        const QString text = m_prompts.messages[0].text;
        QVERIFY2(text.contains("nem létezik") && text.contains("UTC+1") &&
                     text.contains("UTC+2 nyári idő"),
                 qPrintable(text));
        QCOMPARE(zone(), QString("-1"));
        QVERIFY(checked("Check1")); // as it was, not guessed
        QCOMPARE(coordinates(), QString("20:09 K 46:15 É"));
        QVERIFY(placeLine().contains("vagy"));
    }
};

int main(int argc, char** argv) {
    TestEnvironment env; // before the application reads any of it
    QApplication app(argc, argv);
    PlaceSearchTest test(env);
    return QTest::qExec(&test, argc, argv);
}

#include "place_search_test.moc"
