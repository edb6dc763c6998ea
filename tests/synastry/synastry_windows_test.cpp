// The synastry program driven through its windows: opening chart files for
// either person, "MA", "SZÁMOL" with its titles and listings, bad fields, the
// daylight-saving box, and the wheel's glyph clicks and resizing.

#include "tests/support/scriptedprompts.h"
#include "tests/support/testenv.h"

#include "synastry/frmdraw.h"
#include "synastry/frmlisting.h"
#include "synastry/inputd.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimeZone>
#include <memory>

using namespace velorin;
using namespace velorin::test;

namespace {

// Anna in the old 14-field layout, the same with the sex (15 fields), and
// with the sex and the hemispheres West and South (17 fields).
const QByteArray kAnna14 =
    "\"Anna\",\"1973\",\"2\",\"26\",\"2\",\"50\",\"47\",\"25\",\"22\",\"45\","
    "\"-2\",1,\"jegyzet\",#FALSE#";
const QByteArray kAnna15 = kAnna14 + ",\"N\xF5\"";
const QByteArray kAnna17 = kAnna15 + ",#FALSE#,#FALSE#";

} // namespace

class SynastryWindowsTest : public QObject {
    Q_OBJECT
public:
    explicit SynastryWindowsTest(TestEnvironment& env) : m_env(env) {}

private:
    TestEnvironment& m_env;
    ScriptedPrompts m_prompts;
    std::unique_ptr<inputD> m_dialog;

    QString chartFile(const QString& name, const QByteArray& record) {
        const QString path = m_env.chartFolder() + name;
        TestEnvironment::writeBytes(path, record + "\r\n");
        return path;
    }
    QStringList fieldsOf(int n) {
        const PersonFields& f = m_dialog->person(n);
        QStringList out;
        for (QLineEdit* b : {f.name, f.year, f.month, f.day, f.hour, f.minute, f.zone, f.longDeg,
                             f.longMin, f.latDeg, f.latMin})
            out << b->text();
        out << (f.am->isChecked() ? "DE" : "DU") << (f.daylightSaving->isChecked() ? "1" : "0")
            << (f.east->isChecked() ? "K" : "NY") << (f.north->isChecked() ? "É" : "D");
        return out;
    }
    static QStringList textsOf(const PersonEntry& e) {
        return {e.name,    e.year,
                e.month,   e.day,
                e.hour12,  e.minute,
                e.zone,    e.longDeg,
                e.longMin, e.latDeg,
                e.latMin,  QString::number(e.am + 2 * e.east + 4 * e.north + 8 * e.daylightSaving)};
    }
    void setPerson(int n, const QString& name, const QString& day) {
        const PersonFields& f = m_dialog->person(n);
        f.name->setText(name);
        f.year->setText("1980");
        f.month->setText("5");
        f.day->setText(day);
        f.hour->setText("3");
        f.minute->setText("20");
    }
    // The computer's clock, in a zone of UTC+2 as the default place.
    static void setNow(int hour, int minute) {
        setClock([=] {
            return QDateTime(QDate(2009, 10, 31), QTime(hour, minute),
                             QTimeZone("Europe/Bucharest"));
        });
    }

private slots:
    void init() {
        m_env.reset();
        m_prompts.clear();
        setPrompts(&m_prompts);
        setNow(9, 5);
        m_dialog = std::make_unique<inputD>();
    }
    void cleanup() {
        m_dialog.reset();
        setPrompts(nullptr);
    }

    void startsWithBothPersonsAtThePresentMomentAndTheDefaultPlace() {
        for (int n : {inputD::kFirst, inputD::kSecond})
            QCOMPARE(fieldsOf(n), QStringList({"Ma", "2009", "10", "31", "09", "05", "-2", "22",
                                               "45", "47", "25", "DE", "0", "K", "É"}));
        QVERIFY(!m_dialog->wheel().isVisible());
        QVERIFY(m_prompts.messages.isEmpty());
    }

    void eitherLayoutFillsAPersonAlikeAndAsksNothing() {
        m_prompts.files << chartFile("a14.ast", kAnna14) << chartFile("a15.ast", kAnna15);
        m_dialog->Command1_Click();
        const QStringList from14 = fieldsOf(inputD::kFirst);
        m_dialog->Command2_Click();
        QCOMPARE(fieldsOf(inputD::kSecond), from14);
        QCOMPARE(from14, QStringList({"Anna", "1973", "2", "26", "2", "50", "-2", "22", "45", "47",
                                      "25", "DU", "1", "K", "É"}));
        QVERIFY(m_prompts.questions.isEmpty());
        QVERIFY(m_prompts.messages.isEmpty());
        QCOMPARE(m_prompts.fileDialogs.first().filter, QString("Velorin filek (*.ast)"));
    }

    void hemispheresComeFromTheFileOnlyWhenItCarriesThem() {
        const PersonFields& f = m_dialog->person(inputD::kSecond);
        f.setHemispheres(false, false);
        m_prompts.files << chartFile("a14.ast", kAnna14);
        m_dialog->Command2_Click();
        QVERIFY(f.west->isChecked() && f.south->isChecked());

        f.setHemispheres(true, true);
        m_prompts.files << chartFile("a15.ast", kAnna15);
        m_dialog->Command2_Click();
        QVERIFY(f.east->isChecked() && f.north->isChecked());

        m_prompts.files << chartFile("a17.ast", kAnna17);
        m_dialog->Command2_Click();
        QVERIFY(f.west->isChecked() && f.south->isChecked());
    }

    void cancelledOrUnreadableFileLeavesThePersonAsItWas() {
        const QStringList before = fieldsOf(inputD::kFirst);
        m_dialog->Command1_Click(); // no file scripted: cancelled
        QVERIFY(m_prompts.messages.isEmpty());
        m_prompts.files << chartFile("broken.ast", "\"csak egy mező\"");
        m_dialog->Command1_Click();
        QCOMPARE(fieldsOf(inputD::kFirst), before);
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages.first().text.contains("Elsö személy adatai nem változtak"));
    }

    // Each box and option writes into its own person's entry, which the
    // computation reads; a box wired to the wrong field or person computes
    // what the user did not type.
    void everyBoxWritesItsOwnFieldOfItsPersonsEntry() {
        m_dialog->show();
        for (int n : {inputD::kFirst, inputD::kSecond}) {
            const PersonFields& f = m_dialog->person(n);
            const PersonEntry& e = m_dialog->entry(n);
            const QStringList other = textsOf(m_dialog->entry(1 - n));
            const struct {
                QLineEdit* box;
                const QString& field;
            } rows[] = {{f.name, e.name},     {f.year, e.year},       {f.month, e.month},
                        {f.day, e.day},       {f.hour, e.hour12},     {f.minute, e.minute},
                        {f.zone, e.zone},     {f.longDeg, e.longDeg}, {f.longMin, e.longMin},
                        {f.latDeg, e.latDeg}, {f.latMin, e.latMin}};
            int i = 0;
            for (const auto& r : rows) {
                const QString typed = QString::number(n * 100 + ++i);
                r.box->clear();
                QTest::keyClicks(r.box, typed);
                QVERIFY2(r.field == typed, qPrintable(r.box->objectName()));
            }
            f.hour->setText("3");
            f.pm->click();
            f.west->click();
            f.south->click();
            f.daylightSaving->click();
            QVERIFY(!e.am && !e.east && !e.north && e.daylightSaving);
            QCOMPARE(e.hour24, QString("15"));
            QCOMPARE(textsOf(m_dialog->entry(1 - n)), other);
        }
    }

    // The dialog has no 12-hour rule: a file's hour 14 before noon computes
    // as 14 o'clock, as typed, not as the form's 2 o'clock.
    void aFilesHourStandsAsWritten() {
        m_prompts.files << chartFile("h14.ast", QByteArray(kAnna14)
                                                    .replace(",\"2\",\"50\"", ",\"14\",\"50\"")
                                                    .replace("#FALSE#", "#TRUE#"));
        m_dialog->Command1_Click();
        QCOMPARE(m_dialog->person(inputD::kFirst).hour->text(), QString("14"));
        QVERIFY(m_dialog->entry(inputD::kFirst).am);
        QCOMPARE(m_dialog->entry(inputD::kFirst).hour24, QString("14"));
    }

    void presentMomentForTheSecondPerson_data() {
        QTest::addColumn<int>("hour");
        QTest::addColumn<QString>("hourText");
        QTest::addColumn<bool>("am");
        QTest::newRow("12:30") << 12 << "0" << false;
        QTest::newRow("00:30") << 0 << "00" << true;
        QTest::newRow("23:30") << 23 << "11" << false;
    }
    void presentMomentForTheSecondPerson() {
        QFETCH(int, hour);
        QFETCH(QString, hourText);
        QFETCH(bool, am);
        const PersonFields& f = m_dialog->person(inputD::kSecond);
        f.name->setText("Béla");
        f.zone->setText("5");
        f.setHemispheres(false, true);
        setNow(hour, 30);
        m_dialog->findChild<QPushButton*>("Command3")->click();
        QCOMPARE(f.name->text(), QString("Ma"));
        QCOMPARE(f.hour->text(), hourText);
        QCOMPARE(f.am->isChecked(), am);
        QCOMPARE(f.minute->text(), QString("30"));
        // The zone is the clock's; place and hemispheres stay.
        QCOMPARE(f.zone->text(), QString("-2"));
        QVERIFY(!f.daylightSaving->isChecked());
        QVERIFY(f.west->isChecked());
        QCOMPARE(m_dialog->person(inputD::kFirst).hour->text(), QString("09"));
    }

    void computingSetsTheTitlesAndBothListings() {
        setPerson(inputD::kFirst, "Anna", "10");
        setPerson(inputD::kSecond, "Béla", "20");
        m_dialog->findChild<QPushButton*>("Command7")->click();
        QVERIFY(m_prompts.messages.isEmpty());
        QCOMPARE(m_dialog->wheel().windowTitle(), QString("Synastry: Primér: Anna, Rajta: Béla"));
        QCOMPARE(m_dialog->frmA1().windowTitle(), QString("Béla"));
        QCOMPARE(m_dialog->frmA2().windowTitle(), QString("Anna"));
        QVERIFY(m_dialog->wheel().isVisible() && m_dialog->wheel().Elindult);
        QVERIFY(!m_dialog->frmA1().listingText().isEmpty());
        QVERIFY(m_dialog->frmA1().listingText() != m_dialog->frmA2().listingText());
        QCOMPARE(m_dialog->wheel().glyphHits().size(), size_t(30));
        // On the 800 x 600 offscreen screen every window opens whole, and
        // every glyph of the wheel lies inside it.
        for (QWidget* w :
             {static_cast<QWidget*>(m_dialog.get()), static_cast<QWidget*>(&m_dialog->wheel()),
              static_cast<QWidget*>(&m_dialog->frmA1()), static_cast<QWidget*>(&m_dialog->frmA2())})
            QVERIFY2(w->screen()->availableGeometry().contains(w->frameGeometry()),
                     qPrintable(w->objectName()));
        for (const GlyphHit& hit : m_dialog->wheel().glyphHits())
            QVERIFY(m_dialog->wheel().rect().contains(hit.rect));
    }

    void aBadFieldNamesThePersonAndChangesNothing_data() {
        QTest::addColumn<int>("person");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("caption");
        QTest::newRow("second, empty") << int(inputD::kSecond) << ""
                                       << "Második személy";
        QTest::newRow("first, not a number") << int(inputD::kFirst) << "x1"
                                             << "Elsö személy";
    }
    void aBadFieldNamesThePersonAndChangesNothing() {
        QFETCH(int, person);
        QFETCH(QString, value);
        QFETCH(QString, caption);
        setPerson(inputD::kFirst, "Anna", "10");
        setPerson(inputD::kSecond, "Béla", "20");
        QVERIFY(m_dialog->PressOK());
        const QImage drawn = m_dialog->wheel().surface();
        const QString listing1 = m_dialog->frmA1().listingText();

        setPerson(person, "Új", "21");
        m_dialog->person(person).day->setText(value);
        QVERIFY(!m_dialog->PressOK());
        QCOMPARE(m_prompts.messages.size(), 1);
        const QString text = m_prompts.messages.first().text;
        QVERIFY2(text.startsWith(caption) && text.contains("NAP"), qPrintable(text));
        QCOMPARE(m_dialog->wheel().surface(), drawn);
        QCOMPARE(m_dialog->frmA1().listingText(), listing1);
        QVERIFY(!m_dialog->wheel().windowTitle().contains("Új"));
    }

    void theDaylightSavingBoxLowersTheZoneByAnHour() {
        setPerson(inputD::kSecond, "Béla", "20");
        setPerson(inputD::kFirst, "Anna", "10");
        const PersonFields& f = m_dialog->person(inputD::kFirst);
        f.zone->setText("-2");
        QVERIFY(m_dialog->PressOK());
        const QString twoHoursEast = m_dialog->frmA2().listingText();
        f.zone->setText("-1");
        QVERIFY(m_dialog->PressOK());
        QVERIFY(m_dialog->frmA2().listingText() != twoHoursEast);
        // UTC+1 with summer time is UTC+2.
        f.daylightSaving->setChecked(true);
        QVERIFY(m_dialog->PressOK());
        QCOMPARE(m_dialog->frmA2().listingText(), twoHoursEast);
    }

    void clickingAGlyphFiltersItsChordsAndASecondClickRestoresAll() {
        setPerson(inputD::kFirst, "Anna", "10");
        setPerson(inputD::kSecond, "Béla", "20");
        QVERIFY(m_dialog->PressOK());
        frmDraw& w = m_dialog->wheel();
        QVERIFY(w.crossAspects().size() > 2);
        const QImage all = w.surface();

        // A second-person body that has some, but not all, of the chords.
        const int body = w.crossAspects().front().second;
        const QRect glyph = w.glyphHits()[size_t(15 + body - 1)].rect;
        QTest::mouseClick(&w, Qt::LeftButton, {}, glyph.center());
        QVERIFY(w.selection().filter);
        QCOMPARE(w.selection().glyph, 15 + body - 1);
        QVERIFY(w.surface() != all);

        QTest::mouseClick(&w, Qt::LeftButton, {}, w.glyphHits()[0].rect.center());
        QVERIFY(!w.selection().filter);
        QCOMPARE(w.surface(), all);

        // A click beside every glyph changes nothing.
        QTest::mouseClick(&w, Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(!w.selection().filter);
    }

    void resizingTheWheelComputesBothChartsAgain() {
        setPerson(inputD::kFirst, "Anna", "10");
        setPerson(inputD::kSecond, "Béla", "20");
        QVERIFY(m_dialog->PressOK());
        const QString before = m_dialog->frmA1().listingText();
        m_dialog->person(inputD::kSecond).day->setText("25");
        m_dialog->wheel().resize(640, 480);
        QCOMPARE(m_dialog->wheel().surface().size(), QSize(640, 480));
        QVERIFY(m_dialog->frmA1().listingText() != before);
    }

    void closingTheDialogClosesEveryWindow() {
        QVERIFY(m_dialog->PressOK());
        m_dialog->show();
        m_dialog->close();
        QVERIFY(!m_dialog->wheel().isVisible());
        QVERIFY(!m_dialog->frmA1().isVisible());
        QVERIFY(!m_dialog->frmA2().isVisible());
    }
};

int main(int argc, char** argv) {
    TestEnvironment env; // before the application reads any of it
    QApplication app(argc, argv);
    SynastryWindowsTest test(env);
    return QTest::qExec(&test, argc, argv);
}

#include "synastry_windows_test.moc"
