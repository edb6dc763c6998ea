// The birth-data form through its widgets: what the boxes show of its entry,
// what the user's edits and leaving a box do to it, and the messages.

#include "fakehost.h"
#include "tests/support/formharness.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/testenv.h"

#include "chart/birthdata/frmadatok.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeZone>
#include <memory>

using namespace velorin;
using namespace velorin::test;

class FormRulesTest : public QObject {
    Q_OBJECT
public:
    explicit FormRulesTest(TestEnvironment& env) : m_env(env) {}

private:
    TestEnvironment& m_env;
    ScriptedPrompts m_prompts;
    ProgramState m_state;
    FakeHost m_host;
    std::unique_ptr<frmAdatok> m_form;

    QLineEdit* box(const char* name) { return control<QLineEdit>(m_form.get(), name); }
    QRadioButton* opt(const char* name) { return control<QRadioButton>(m_form.get(), name); }
    QComboBox* combo(const char* name) { return control<QComboBox>(m_form.get(), name); }
    const PersonEntry& entry() { return m_form->entry(); }
    // The computer's clock, in Budapest.
    static void setNow(int hour, int minute, QDate date = QDate(2009, 10, 31)) {
        setClock(
            [=] { return QDateTime(date, QTime(hour, minute), QTimeZone("Europe/Budapest")); });
    }

private slots:
    void init() {
        m_env.reset();
        m_prompts.clear();
        setPrompts(&m_prompts);
        m_state = ProgramState();
        m_host = FakeHost();
        m_form = std::make_unique<frmAdatok>(m_state, &m_host);
    }
    void cleanup() {
        m_form.reset();
        setPrompts(nullptr);
    }

    void startValuesAreThePresentMomentAtTheDefaultPlace() {
        setNow(15, 7);
        m_form = std::make_unique<frmAdatok>(m_state, &m_host);
        QCOMPARE(m_form->windowTitle(), QString("ADATOK"));
        const BirthData d = m_form->birthData();
        QCOMPARE(QString::fromStdString(d.name), QString("Ma"));
        QCOMPARE(QString::fromStdString(d.sex), QString("Férfi"));
        QCOMPARE(QString::fromStdString(d.year + "." + d.month + "." + d.day),
                 QString("2009.10.31"));
        QCOMPARE(box("Text1")->text(), QString("15"));
        QCOMPARE(QString::fromStdString(d.hour), QString("3"));
        QVERIFY(!d.am);
        QCOMPARE(box("txtBirthMinute")->text(), QString("07"));
        QCOMPARE(combo("Combo2")->currentIndex(), 15);
        QCOMPARE(combo("Combo2")->count(), 39);
        QCOMPARE(QString::fromStdString(d.zone), QString("-1"));
        QVERIFY(d.east && d.north);
        QCOMPARE(
            QString::fromStdString(d.longDeg + ":" + d.longMin + " " + d.latDeg + ":" + d.latMin),
            QString("19:07 47:035"));
        QCOMPARE(m_form->findChild<QLabel*>("Label2")->text(),
                 QString("Szombat (SZATURNUSZ NAPJA)"));
        QVERIFY(m_prompts.messages.isEmpty());

        // A rerun of the load step lists every zone row once.
        m_form->ResetM();
        QCOMPARE(combo("Combo2")->count(), 39);
        QCOMPARE(combo("Combo1")->count(), 2);
        // Every named box and option is one the user sees.
        m_form->show();
        for (const QWidget* w : m_form->findChildren<QWidget*>()) {
            const bool control = qobject_cast<const QLineEdit*>(w) ||
                                 qobject_cast<const QAbstractButton*>(w) ||
                                 qobject_cast<const QComboBox*>(w);
            if (control && !w->objectName().isEmpty())
                QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        }
    }

    // The pair the computation reads follows the 24-hour box when it is
    // left, and a load shows the pair back in the box.
    void hourPairFollowsThe24HourBox() {
        const QString before = entry().hour12;
        box("Text1")->setText("15");
        QCOMPARE(entry().hour12, before); // typing alone moves nothing
        leaveBox(box("Text1"));
        QCOMPARE(entry().hour12, QString("3"));
        QVERIFY(!entry().am);
        box("Text1")->setText("99");
        m_form->mOra24();
        QCOMPARE(box("Text1")->text(), QString("15"));
    }

    void nowButtonAtMidnightAndNoon() {
        box("txtName")->setText("Anna");
        setNow(0, 30);
        m_form->Command1_Click();
        QCOMPARE(box("txtName")->text(), QString("Ma"));
        QCOMPARE(entry().hour12, QString("12"));
        QVERIFY(entry().am);
        QCOMPARE(box("Text1")->text(), QString("0"));
        QCOMPARE(box("txtBirthMinute")->text(), QString("30"));

        // Before noon the clock's two digits, as the chart file stores them.
        setNow(9, 5);
        m_form->Command1_Click();
        QCOMPARE(entry().hour12, QString("09"));
        QCOMPARE(box("Text1")->text(), QString("9"));
        QCOMPARE(box("txtBirthMinute")->text(), QString("05"));

        // The zone is the clock's, since the reading belongs to it; place,
        // hemispheres and sex are left as they were.
        combo("Combo2")->setCurrentIndex(8);
        setNow(12, 30);
        m_form->Command1_Click();
        QCOMPARE(entry().hour12, QString("12"));
        QVERIFY(!entry().am);
        QCOMPARE(box("Text1")->text(), QString("12"));
        QCOMPARE(entry().zone, QString("-1"));
        QCOMPARE(combo("Combo2")->currentIndex(), 15);
        QVERIFY(opt("optWest")->isChecked());
        QVERIFY(!m_form->findChild<QCheckBox*>("Check1")->isChecked());

        // 14:00 on a summer day in Budapest is 12:00 UT: zone -1 with the box.
        setNow(14, 0, QDate(2026, 7, 1));
        m_form->Command1_Click();
        QCOMPARE(entry().zone, QString("-1"));
        QVERIFY(m_form->findChild<QCheckBox*>("Check1")->isChecked());
        QVERIFY(opt("optWest")->isChecked());
    }

    // Picking a row moves the zone and both hemisphere options; a click on
    // West afterwards signs the zone and leaves the row.
    void zoneRowsSetZoneAndHemispheres() {
        combo("Combo2")->setCurrentIndex(13);
        QCOMPARE(entry().zone, QString("1"));
        QVERIFY(opt("optWest")->isChecked());
        QVERIFY(opt("optSouth")->isChecked());
        combo("Combo2")->setCurrentIndex(20);
        QCOMPARE(entry().zone, QString("-4,5"));
        QVERIFY(opt("optEast")->isChecked());
        QVERIFY(opt("optNorth")->isChecked());
        QCOMPARE(combo("Combo2")->itemText(20), QString("[UTC + 4:30] afganisztáni idő"));

        opt("optWest")->click();
        QCOMPARE(entry().zone, QString("4,5"));
        QVERIFY(!entry().east);
        QCOMPARE(combo("Combo2")->currentIndex(), 20);
        opt("optSouth")->click();
        QVERIFY(!entry().north);
        opt("optEast")->click();
        QCOMPARE(entry().zone, QString("-4,5"));
        QVERIFY(entry().east && !entry().north);
    }

    void rangeChecksKeepTheFocusAndName() {
        const struct {
            const char* box;
            const char* value;
            const char* message; // nullptr: accepted
        } rows[] = {{"Text1", "24", "Helytelen óra!"},           {"Text1", "23", nullptr},
                    {"txtBirthMinute", "60", "Helytelen perc!"}, {"txtBirthMinute", "59", nullptr},
                    {"txtDay", "32", "Helytelen nap!"},          {"txtDay", "0", nullptr},
                    {"txtMonth", "13", "Helytelen hónap!"},      {"txtMonth", "0", nullptr}};
        for (const auto& r : rows) {
            m_prompts.clear();
            box(r.box)->setText(r.value);
            leaveBox(box(r.box));
            if (!r.message) {
                QVERIFY2(m_prompts.messages.isEmpty(), r.box);
                continue;
            }
            QCOMPARE(m_prompts.messageTexts(), QStringList{r.message});
            QCOMPARE(m_prompts.messages.first().icon, MessageIcon::Critical);
            QVERIFY(m_prompts.messages.first().title.isEmpty());
            box(r.box)->setText("1");
        }

        // OK with an hour out of range applies nothing and names it once.
        m_prompts.clear();
        box("Text1")->setText("25");
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command2"), Qt::LeftButton);
        QCOMPARE(m_prompts.messageTexts(), QStringList{"Helytelen óra!"});
        QCOMPARE(m_host.presented, 0);
    }

    void keyFiltersDropWhatABoxDoesNotTake() {
        const struct {
            const char* box;
            const char* typed;
            const char* result;
        } rows[] = {{"txtYear", "-500x", "-500"}, {"txtMonth", "-1a2", "12"},
                    {"txtDay", "3.1", "31"},      {"txtBirthMinute", "4.5,", "4.5"},
                    {"txtLatDeg", "+47", "47"},   {"txtName", "Kiss Ágnes", "Kiss Ágnes"}};
        for (const auto& r : rows) {
            box(r.box)->clear();
            QTest::keyClicks(box(r.box), QString::fromUtf8(r.typed));
            QCOMPARE(box(r.box)->text(), QString::fromUtf8(r.result));
        }
        // Backspace still edits.
        QTest::keyClick(box("txtMonth"), Qt::Key_Backspace);
        QCOMPARE(box("txtMonth")->text(), QString("1"));
    }

    void arrowChainAndSelectOnEntry() {
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        const char* chain[] = {"Text1",      "txtBirthMinute", "txtLongDeg",
                               "txtLongMin", "txtLatDeg",      "txtLatMin"};
        box("Text1")->setFocus();
        QTest::keyClick(box("Text1"), Qt::Key_Up);
        QVERIFY(box("Text1")->hasFocus());
        for (size_t i = 1; i < std::size(chain); ++i) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
            QVERIFY2(box(chain[i])->hasFocus(), chain[i]);
        }
        QTest::keyClick(box("txtLatMin"), Qt::Key_Down);
        QVERIFY(box("txtLatMin")->hasFocus());
        QTest::keyClick(box("txtLatMin"), Qt::Key_Up);
        QVERIFY(box("txtLatDeg")->hasFocus());
        // Entering a box selects its text, so typing replaces it.
        QTRY_COMPARE(box("txtLatDeg")->selectedText(), QString("47"));
        QTest::keyClicks(box("txtLatDeg"), "48");
        QCOMPARE(box("txtLatDeg")->text(), QString("48"));
    }

    // Every control the user edits reaches what the computation reads.
    void everyEditReachesThePerson() {
        const struct {
            const char* box;
            std::string BirthData::*field;
        } boxes[] = {{"txtName", &BirthData::name},       {"txtYear", &BirthData::year},
                     {"txtMonth", &BirthData::month},     {"txtDay", &BirthData::day},
                     {"Text1", &BirthData::hour24},       {"txtBirthMinute", &BirthData::minute},
                     {"txtLongDeg", &BirthData::longDeg}, {"txtLongMin", &BirthData::longMin},
                     {"txtLatDeg", &BirthData::latDeg},   {"txtLatMin", &BirthData::latMin}};
        for (const auto& b : boxes) {
            box(b.box)->clear();
            QTest::keyClicks(box(b.box), "8");
            QCOMPARE(QString::fromStdString(m_form->birthData().*b.field), QString("8"));
        }
        combo("Combo1")->setCurrentIndex(1);
        combo("Combo2")->setCurrentIndex(15);
        control<QCheckBox>(m_form.get(), "Check1")->click();
        opt("optWest")->click();
        opt("optSouth")->click();
        control<QPlainTextEdit>(m_form.get(), "txtMeg")->setPlainText("egy\nkettő");
        const BirthData d = m_form->birthData();
        QCOMPARE(QString::fromStdString(d.sex), QString("Nő"));
        QCOMPARE(d.daylightSaving, 1);
        QVERIFY(!d.east && !d.north);
        QCOMPARE(QString::fromStdString(d.zone), QString("1"));
        QCOMPARE(QString::fromStdString(d.notes), QString("egy\r\nkettő"));
    }

    void weekdayFollowsTheDate() {
        box("txtYear")->setText("1973");
        box("txtMonth")->setText("2");
        box("txtDay")->setText("26");
        QCOMPARE(m_form->findChild<QLabel*>("Label2")->text(), QString("Hétfő (HOLD NAPJA)"));
        box("txtDay")->setText("31"); // 31 February: no weekday, no message
        QVERIFY(m_form->findChild<QLabel*>("Label2")->text().isEmpty());
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void applyingAFieldThatCannotBeConvertedKeepsThePreviousChart() {
        QVERIFY(m_form->mSzamol());
        QCOMPARE(m_host.presented, 1);
        box("txtDay")->setText("x");
        QVERIFY(!m_form->mSzamol());
        QCOMPARE(m_prompts.messageTexts(), QStringList{"Helytelen adat: NAP"});
        QCOMPARE(m_prompts.messages.first().icon, MessageIcon::Critical);
        QCOMPARE(m_host.presented, 1);
        QCOMPARE(m_host.redrawn, 1);
        // A redraw nobody asked for (a resize) says nothing.
        QVERIFY(!m_form->applyQuietly());
        QCOMPARE(m_prompts.messages.size(), 1);
    }

    // Coordinates beyond ±90°/±180° are refused with the field's name, and
    // the previous chart stays; the edges themselves are places on earth.
    void placesOffTheEarthAreRefusedByName() {
        struct Case {
            const char *latDeg, *latMin, *longDeg, *longMin;
            const char* message; // nullptr: accepted
        };
        const Case cases[] = {
            {"91", "0", "19", "07", "Helytelen adat: SZÉL. FOK (a szélesség legfeljebb 90°)"},
            {"89", "90", "19", "07", "Helytelen adat: SZÉL. FOK (a szélesség legfeljebb 90°)"},
            {"47", "035", "400", "0", "Helytelen adat: HOSSZ. FOK (a hosszúság legfeljebb 180°)"},
            {"90", "0", "180", "0", nullptr},
        };
        for (const Case& c : cases) {
            m_prompts.clear();
            box("txtLatDeg")->setText(c.latDeg);
            box("txtLatMin")->setText(c.latMin);
            box("txtLongDeg")->setText(c.longDeg);
            box("txtLongMin")->setText(c.longMin);
            const int presented = m_host.presented;
            QCOMPARE(m_form->mSzamol(), c.message == nullptr);
            QCOMPARE(m_host.presented, presented + (c.message ? 0 : 1));
            QCOMPARE(m_prompts.messageTexts(),
                     c.message ? QStringList{QString::fromUtf8(c.message)} : QStringList{});
        }
    }

    void okAppliesAndHidesCancelOnlyHides() {
        m_form->show();
        box("txtName")->setText("Anna");
        QTest::mouseClick(m_form->findChild<QPushButton*>("Command5"), Qt::LeftButton);
        QVERIFY(!m_form->isVisible());
        QCOMPARE(m_host.presented, 0);
        QCOMPARE(box("txtName")->text(), QString("Anna")); // kept, unapplied
        m_form->show();
        box("Text1")->setText("7"); // typed, then Enter: no focus change
        m_form->Command2_Click();
        QVERIFY(!m_form->isVisible());
        QCOMPARE(m_host.presented, 1);
        QCOMPARE(QString::fromStdString(m_host.lastData->name), QString("Anna"));
        QCOMPARE(QString::fromStdString(m_host.lastData->hour), QString("7"));
        QVERIFY(m_host.lastData->am);
    }
};

int main(int argc, char** argv) {
    TestEnvironment env; // before the application reads any of it
    QApplication app(argc, argv);
    FormRulesTest test(env);
    return QTest::qExec(&test, argc, argv);
}

#include "form_rules_test.moc"
