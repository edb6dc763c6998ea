// Chart and location files through the birth-data form: both chart layouts,
// saving, unique names, and places.

#include "fakehost.h"
#include "tests/support/formharness.h"
#include "tests/support/scriptedprompts.h"
#include "tests/support/testenv.h"

#include "chart/birthdata/frmadatok.h"
#include "platform/textfile.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimeZone>
#include <memory>
#include <sys/stat.h>

using namespace velorin;
using namespace velorin::test;

namespace {

// "Anna", 1973.2.26 2:50 before noon in Budapest, male, in the old 14 fields.
const QByteArray kOldAnna = "\"Anna\",\"1973\",\"2\",\"26\",\"2\",\"50\",\"47\",\"30\",\"19\","
                            "\"5\",\"-1\",0,\"\",#TRUE#\r\n";

QByteArray cp1250(const QString& s) {
    return toCp1250(s);
}

} // namespace

class ChartFilesTest : public QObject {
    Q_OBJECT
public:
    explicit ChartFilesTest(TestEnvironment& env) : m_env(env) {}

private:
    TestEnvironment& m_env;
    ScriptedPrompts m_prompts;
    ProgramState m_state;
    FakeHost m_host;
    std::unique_ptr<frmAdatok> m_form;

    QLineEdit* box(const char* name) { return control<QLineEdit>(m_form.get(), name); }
    QRadioButton* opt(const char* name) { return control<QRadioButton>(m_form.get(), name); }
    QComboBox* combo(const char* name) { return control<QComboBox>(m_form.get(), name); }
    QString zone() { return m_form->entry().zone; }
    QString sex() { return combo("Combo1")->currentText(); }

    QString chart(const QString& name, const QByteArray& bytes) {
        const QString path = m_env.chartFolder() + name;
        TestEnvironment::writeBytes(path, bytes);
        return path;
    }
    void open(const QString& path) {
        m_prompts.files << path;
        m_form->mMegnyit();
    }

private slots:
    void init() {
        m_env.reset();
        m_prompts.clear();
        setPrompts(&m_prompts);
        m_state = ProgramState();
        m_host = FakeHost();
        setClock([] {
            return QDateTime(QDate(2009, 10, 31), QTime(15, 15), QTimeZone("Europe/Budapest"));
        });
        m_form = std::make_unique<frmAdatok>(m_state, &m_host);
    }
    void cleanup() {
        m_form.reset();
        setPrompts(nullptr);
    }

    void openingACurrentChartFillsAndAppliesTheForm() {
        const QString path = chart("Éva.ast", cp1250("\"Éva\",\"1980\",\"7\",\"4\",\"12\",\"5\","
                                                     "\"46\",\"15\",\"20\",\"09\",\"-2\",1,"
                                                     "\"első sor\r\nmásodik\",#FALSE#,\"Nő\"\r\n"));
        open(path);
        QCOMPARE(m_prompts.fileDialogs.first().title, QString("Asztrógram megnyitása"));
        QCOMPARE(m_prompts.fileDialogs.first().filter, QString("Velorin file (*.ast)"));
        QCOMPARE(m_prompts.fileDialogs.first().startFolder, m_env.chartFolder());
        QCOMPARE(box("txtName")->text(), QString("Éva"));
        QCOMPARE(sex(), QString("Nő"));
        QCOMPARE(m_form->entry().hour12, QString("12"));
        QCOMPARE(box("Text1")->text(), QString("12")); // 12 after noon
        QCOMPARE(combo("Combo2")->currentIndex(), 16);
        QVERIFY(m_form->findChild<QCheckBox*>("Check1")->isChecked());
        QCOMPARE(m_form->findChild<QPlainTextEdit*>("txtMeg")->toPlainText(),
                 QString("első sor\nmásodik"));
        QCOMPARE(m_host.presented, 1);
        QVERIFY(m_state.chartSaved);
        QCOMPARE(m_state.currentChartPath, path);
        QVERIFY(m_prompts.questions.isEmpty());

        // A cancelled dialog changes nothing.
        m_form->mMegnyit();
        QCOMPARE(m_host.presented, 1);
        // Neither does a file that is no chart: the form keeps every field.
        open(chart("broken.ast", "\"only\",\"three\",\"fields\"\r\n"));
        QCOMPARE(box("txtName")->text(), QString("Éva"));
        QCOMPARE(m_host.presented, 1);
        QCOMPARE(m_state.currentChartPath, path);
    }

    void oldLayoutConvertedOnYes() {
        const QString path = chart("Anna.ast", kOldAnna);
        combo("Combo1")->setCurrentIndex(1); // Nő before the open
        m_prompts.answers << Answer::Yes;
        open(path);
        QCOMPARE(m_prompts.questions.size(), 1);
        QVERIFY(m_prompts.questions.first().startsWith(
            "A megnyitott asztrógram az Velorin előző verziójával volt készitve."));
        QVERIFY(m_prompts.questions.first().endsWith(
            "Megjegyzés: a konvertálás után az asztrógram a régi verziókkal nem lesz "
            "megnyitható!"));
        QVERIFY(m_prompts.messageTexts().contains(
            "Az asztrógram file átkonvertálva! Ne feledje beállitani az adatoknál a szülött "
            "nemét! (Alapbeállitás férfi)."));
        // The line gains exactly a comma and the quoted sex.
        QByteArray expected = kOldAnna;
        expected.insert(expected.size() - 2, cp1250(",\"Férfi\""));
        QCOMPARE(TestEnvironment::readBytes(path), expected);
        QCOMPARE(sex(), QString("Férfi"));
        QCOMPARE(m_host.presented, 1);

        // Now in the current layout: no more questions.
        m_prompts.clear();
        open(path);
        QVERIFY(m_prompts.questions.isEmpty());
    }

    void oldLayoutKeptOnNo() {
        const QString path = chart("Anna.ast", kOldAnna);
        combo("Combo1")->setCurrentIndex(1);
        m_prompts.answers << Answer::No;
        open(path);
        QCOMPARE(TestEnvironment::readBytes(path), kOldAnna);
        QCOMPARE(sex(), QString("Nő")); // the old layout has no sex field
        QCOMPARE(box("txtName")->text(), QString("Anna"));
        QCOMPARE(box("Text1")->text(), QString("2"));
        QCOMPARE(m_host.presented, 1);
        // Every later open asks again.
        m_prompts.answers << Answer::No;
        open(path);
        QCOMPARE(m_prompts.questions.size(), 2);
    }

    void hemispheresOnOpening() {
        // Without stored hemispheres the zone row decides (row 8 is western:
        // South), and an unlisted zone keeps what the form showed.
        open(chart("Bob.ast", cp1250("\"Bob\",\"1970\",\"1\",\"1\",\"12\",\"0\",\"40\",\"43\","
                                     "\"74\",\"0\",\"5\",0,\"\",#FALSE#,\"Férfi\"\r\n")));
        QCOMPARE(combo("Combo2")->currentIndex(), 8);
        QVERIFY(opt("optWest")->isChecked());
        QVERIFY(opt("optSouth")->isChecked());

        combo("Combo2")->setCurrentIndex(27); // East, North, "-8"
        opt("optSouth")->setChecked(true);
        open(chart("Odd.ast", cp1250("\"Odd\",\"1970\",\"1\",\"1\",\"12\",\"0\",\"40\",\"43\","
                                     "\"74\",\"0\",\"1,5\",0,\"\",#FALSE#,\"Férfi\"\r\n")));
        QCOMPARE(combo("Combo2")->currentIndex(), 27);
        QVERIFY(opt("optEast")->isChecked());
        QVERIFY(opt("optSouth")->isChecked());
        QCOMPARE(zone(), QString("1,5"));

        // Saved with North in a western zone: reopens North, zone unchanged.
        open(chart("Ny.ast", cp1250("\"Ny\",\"1970\",\"1\",\"1\",\"12\",\"0\",\"40\",\"43\","
                                    "\"74\",\"0\",\"5\",0,\"\",#FALSE#,\"Férfi\",#FALSE#,"
                                    "#TRUE#\r\n")));
        QVERIFY(opt("optWest")->isChecked());
        QVERIFY(opt("optNorth")->isChecked());
        QCOMPARE(zone(), QString("5"));
        QVERIFY(m_host.lastData->north);
    }

    void savingMaTwiceOnOneDay() {
        m_form->mMent();
        const QString first = m_env.chartFolder() + "Ma(09.10.31).ast";
        QCOMPARE(m_state.currentChartPath, first);
        QVERIFY(m_state.chartSaved);
        QCOMPARE(m_form->windowTitle(), first);
        QCOMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages.first().text, QString("OK!"));
        QCOMPARE(m_prompts.messages.first().title, QString("Velorin"));
        // Byte for byte: quoted texts, bare numbers, #TRUE#/#FALSE#, CR LF,
        // Windows-1250, then the two hemisphere fields.
        QCOMPARE(TestEnvironment::readBytes(first),
                 QByteArray("\"Ma\",\"2009\",\"10\",\"31\",\"3\",\"15\",\"47\",\"035\",\"19\","
                            "\"07\",\"-1\",0,\"\",#FALSE#,\"F\xE9rfi\",#TRUE#,#TRUE#\r\n"));
        QCOMPARE(m_host.presented, 0); // saving does not apply

        m_form->mMent();
        QCOMPARE(m_state.currentChartPath, m_env.chartFolder() + "Ma(09.10.31)(2).ast");
        QVERIFY(QFileInfo::exists(m_state.currentChartPath));
    }

    void savingByNameNeverOverwrites() {
        box("txtName")->setText("Anna");
        m_form->mMent();
        m_form->mMent();
        QVERIFY(QFileInfo::exists(m_env.chartFolder() + "Anna.ast"));
        QCOMPARE(m_state.currentChartPath, m_env.chartFolder() + "Anna(2).ast");

        // All ten names taken: a message naming folder and name, nothing written.
        for (int i = 3; i <= 10; ++i)
            TestEnvironment::writeBytes(m_env.chartFolder() + QString("Anna(%1).ast").arg(i), "x");
        m_prompts.clear();
        m_form->mMent();
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages.first().text.contains(m_env.chartFolder()));
        QVERIFY(m_prompts.messages.first().text.contains("Anna.ast"));
        QCOMPARE(m_state.currentChartPath, m_env.chartFolder() + "Anna(2).ast");
        QCOMPARE(TestEnvironment::readBytes(m_env.chartFolder() + "Anna(10).ast"), QByteArray("x"));
    }

    void nameRulesOfSaving() {
        // Blanks only: nothing written, nothing said.
        box("txtName")->setText("   ");
        m_form->mMent();
        QVERIFY(m_prompts.messages.isEmpty());
        QVERIFY(QDir(m_env.chartFolder()).isEmpty());

        // Characters no file name can hold: replaced in the file name only.
        box("txtName")->setText("Kiss/Nagy: \"Zsó\"?");
        m_form->mMent();
        const QString path = m_env.chartFolder() + "Kiss_Nagy_ _Zsó__.ast";
        QCOMPARE(m_state.currentChartPath, path);
        const QByteArray bytes = TestEnvironment::readBytes(path);
        QVERIFY(bytes.startsWith(cp1250("\"Kiss/Nagy: 'Zsó'?\",")));

        // And the file reads back, with multi-line notes unchanged.
        m_form->findChild<QPlainTextEdit*>("txtMeg")->setPlainText("egy, kettő\nhárom");
        box("txtName")->setText("Notes");
        m_form->mMent();
        QVERIFY(TestEnvironment::readBytes(m_env.chartFolder() + "Notes.ast")
                    .contains(cp1250("\"egy, kettő\r\nhárom\"")));
        m_form->findChild<QPlainTextEdit*>("txtMeg")->clear();
        open(m_env.chartFolder() + "Notes.ast");
        QCOMPARE(m_form->findChild<QPlainTextEdit*>("txtMeg")->toPlainText(),
                 QString("egy, kettő\nhárom"));
    }

    void locationsRoundTrip() {
        combo("Combo2")->setCurrentIndex(31); // "-10", East, North
        opt("optSouth")->setChecked(true);    // Sydney
        box("txtLongDeg")->setText("151");
        box("txtLongMin")->setText("12");
        box("txtLatDeg")->setText("33");
        box("txtLatMin")->setText("52");
        m_prompts.files << m_env.locationFolder() + "Sydney"; // typed without extension
        m_form->P1_Click();
        QCOMPARE(m_prompts.fileDialogs.last().title, QString("Hely mentése"));
        QCOMPARE(m_prompts.fileDialogs.last().proposedName, QString("helysegneve"));
        QCOMPARE(m_prompts.fileDialogs.last().filter, QString("Velorin helység file (*.loc)"));
        QCOMPARE(m_prompts.messageTexts(), QStringList{"OK!"});
        const QString file = m_env.locationFolder() + "Sydney.loc";
        QCOMPARE(TestEnvironment::readBytes(file),
                 QByteArray("\"-10\",\"151\",\"12\",#TRUE#,#FALSE#,\"33\",\"52\",#FALSE#,"
                            "#TRUE#\r\n"));

        // Back home, then the place again: the southern latitude survives the
        // zone row's northern guess, and nothing is applied.
        combo("Combo2")->setCurrentIndex(15);
        m_prompts.files << file;
        m_form->P2_Click();
        QCOMPARE(m_prompts.fileDialogs.last().title, QString("Hely megnyitása"));
        QCOMPARE(zone(), QString("-10"));
        QCOMPARE(combo("Combo2")->currentIndex(), 31);
        QCOMPARE(box("txtLongDeg")->text(), QString("151"));
        QVERIFY(opt("optEast")->isChecked());
        QVERIFY(opt("optSouth")->isChecked());
        QCOMPARE(m_host.presented, 0);

        // East forces the sign of a stored western zone.
        const QString odd = m_env.locationFolder() + "odd.loc";
        TestEnvironment::writeBytes(
            odd, "\"5\",\"70\",\"0\",#TRUE#,#FALSE#,\"40\",\"0\",#TRUE#,#FALSE#\r\n");
        m_prompts.files << odd;
        m_form->P2_Click();
        QCOMPARE(zone(), QString("-5"));
        QCOMPARE(combo("Combo2")->currentIndex(), 21);

        // A file that is no place changes nothing.
        TestEnvironment::writeBytes(odd, "\"5\",\"70\"\r\n");
        combo("Combo2")->setCurrentIndex(15);
        m_prompts.files << odd;
        m_form->P2_Click();
        QCOMPARE(zone(), QString("-1"));
    }

    // A place file that cannot be read says why, without waiting on a pipe,
    // and leaves the fields as they were.
    void unreadablePlacesAreReported() {
        QDir().mkpath(m_env.locationFolder());
        const QString pipe = m_env.locationFolder() + "cso.loc";
        QCOMPARE(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
        const QString folder = m_env.locationFolder() + "mappa.loc";
        QDir().mkpath(folder);
        const QString notPlace = m_env.locationFolder() + "rossz.loc";
        TestEnvironment::writeBytes(notPlace, "\"5\",\"70\"\r\n");
        const std::pair<QString, QString> cases[] = {
            {pipe, "nem közönséges fájl"},
            {folder, "ez egy mappa"},
            {notPlace, "Ez nem Velorin hely file"},
        };
        for (const auto& [file, reason] : cases) {
            m_prompts.clear();
            m_prompts.files << file;
            m_form->P2_Click();
            QCOMPARE(m_prompts.messages.size(), 1);
            QVERIFY2(m_prompts.messages[0].text.contains(reason),
                     qPrintable(m_prompts.messages[0].text));
            QCOMPARE(zone(), QString("-1"));
        }
    }
};

int main(int argc, char** argv) {
    TestEnvironment env;
    QApplication app(argc, argv);
    ChartFilesTest test(env);
    return QTest::qExec(&test, argc, argv);
}

#include "chart_files_test.moc"
