// The recording buttons, offscreen, against a stand-in recorder that logs the
// arguments it is started with: what the command scripts hold and run, how the
// buttons and the background follow the state, and the refusals.

#include "tests/support/scriptedprompts.h"
#include "tests/support/testenv.h"

#include "chart/shell/frmmain.h"
#include "chart/shell/recordercontrol.h"
#include "chart/shell/recording.h"
#include "platform/folders.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

using namespace velorin;
using namespace velorin::test;

namespace {

// Input answers in order; a null string cancels, kProposed keeps the proposal.
const QString kProposed = QStringLiteral("<proposed>");

class RecorderPrompts : public ScriptedPrompts {
public:
    QStringList inputs;
    QStringList proposals;
    bool input(const QString&, const QString&, QString& value) override {
        proposals << value;
        if (inputs.isEmpty())
            return false;
        const QString answer = inputs.takeFirst();
        if (answer.isNull())
            return false;
        if (answer != kProposed)
            value = answer;
        return true;
    }
};

// Logs every argument in brackets, one run a line, and answers -record and
// -stop as the FAKE_ variables say: an exit status, a line on standard error,
// a state file left behind, or the recorder gone.
const char* const kStandIn =
    "#!/bin/sh\n"
    // One append a run: the start and stop scripts run side by side, and
    // separate writes of one line could interleave with the other's.
    "line=; for a in \"$@\"; do line=\"$line[$a]\"; done\n"
    "printf '%s\\n' \"$line\" >> \"$0.log\"\n"
    "case \"$*\" in\n"
    "*-record*)\n"
    "  [ -z \"$FAKE_STATE\" ] || printf '%s' \"$FAKE_STATE\" > \"$HARDDISK_RUNTIME_DIR/state\"\n"
    "  [ -z \"$FAKE_GONE\" ] || rm \"$0\"\n"
    "  [ -z \"$FAKE_SAYS\" ] || echo \"harddisk: $FAKE_SAYS\" >&2\n"
    "  exit ${FAKE_STATUS:-0};;\n"
    "*-stop*)\n"
    "  [ -z \"$FAKE_STOP_SAYS\" ] || echo \"harddisk: $FAKE_STOP_SAYS\" >&2\n"
    "  exit ${FAKE_STOP_STATUS:-0};;\n"
    "esac\n";

const char* const kFakeVariables[] = {"FAKE_STATE",  "FAKE_GONE",      "FAKE_SAYS",
                                      "FAKE_STATUS", "FAKE_STOP_SAYS", "FAKE_STOP_STATUS"};

} // namespace

class RecorderControlTest : public QObject {
    Q_OBJECT
public:
    explicit RecorderControlTest(TestEnvironment& env) : m_env(env) {}

private:
    TestEnvironment& m_env;
    RecorderPrompts m_prompts;
    QString m_home; // the program folder, without its trailing separator

    void useProgramFolder(const QString& folder, bool withRecorder = true) {
        m_home = folder;
        QDir().mkpath(folder);
        setProgramFolderOverride(folder);
        if (withRecorder) {
            TestEnvironment::writeBytes(folder + "/harddisk", kStandIn);
            QFile::setPermissions(folder + "/harddisk",
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
    }
    QStringList recorderRuns() const {
        QString log = QString::fromUtf8(TestEnvironment::readBytes(m_home + "/harddisk.log"));
        QStringList runs = log.split('\n');
        runs.removeAll(QString());
        return runs;
    }
    QStringList scriptLines(const char* name) const {
        return QString::fromUtf8(TestEnvironment::readBytes(m_home + "/" + name))
            .split('\n', Qt::KeepEmptyParts);
    }
    static QColor background(RecorderControl& c) { return c.palette().color(QPalette::Window); }
    static QString shown(RecorderControl& c) {
        QString s;
        for (QToolButton* b : {c.H1, c.H2, c.H3})
            s += b->isVisibleTo(&c) ? b->objectName() : QString("--");
        return s;
    }

private slots:
    void init() {
        m_env.reset();
        m_prompts.clear();
        m_prompts.inputs.clear();
        m_prompts.proposals.clear();
        setPrompts(&m_prompts);
        useProgramFolder(m_env.path("home"));
        for (const char* name : kFakeVariables)
            qunsetenv(name);
        QDir().mkpath(m_env.path("run"));
        qputenv("HARDDISK_RUNTIME_DIR", QFile::encodeName(m_env.path("run")));
    }
    void cleanup() {
        setPrompts(nullptr);
        setProgramFolderOverride({});
    }

    void startPauseResumeStop_data() {
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("name");
        QTest::newRow("plain") << "home"
                               << "Kiss Anna";
        // The program folder stands bare in the scripts: the shell must still
        // see one word. The name is quoted: nothing in it may run.
        QTest::newRow("awkward folder and name") << "Program Files $HOME (x86)/velorin"
                                                 << "Kovács `id` $(echo Ő)";
    }
    void startPauseResumeStop() {
        QFETCH(QString, folder);
        QFETCH(QString, name);
        useProgramFolder(m_env.path(folder));
        RecorderControl c;
        c.setNameSource([&] { return name; });
        c.show();
        QCOMPARE(shown(c), QString("H1----"));
        QCOMPARE(background(c), QColor(Qt::white));

        m_prompts.inputs = {kProposed};
        QTest::mouseClick(c.H1, Qt::LeftButton);
        QCOMPARE(m_prompts.proposals, QStringList{name});
        QVERIFY2(m_prompts.messages.isEmpty(), qPrintable(m_prompts.messageTexts().join('|')));
        const QString mp3 = m_env.path("ASTRO_DATA") + "/HANG/" + name + ".mp3";
        QCOMPARE(c.recording().file(), mp3);
        QCOMPARE(shown(c), QString("--H2H3"));
        QCOMPARE(background(c), c.Picture3->palette().color(QPalette::Window));
        QTRY_COMPARE(recorderRuns(),
                     QStringList{QString("[-output][%1][-preset][%2/hangrec.hdp][-filter]"
                                         "[%2/hangrec.hfs][-record][-minimize]")
                                     .arg(mp3, m_home)}); // each path one word, nothing run

        QTest::mouseClick(c.H2, Qt::LeftButton); // pause: only resume is offered
        QCOMPARE(shown(c), QString("--H2--"));
        QCOMPARE(background(c), c.Picture4->palette().color(QPalette::Window));
        QVERIFY(background(c) != c.Picture3->palette().color(QPalette::Window));
        QTRY_COMPARE(recorderRuns().size(), 2);
        QCOMPARE(recorderRuns().last(), QString("[-pause]"));

        QTest::mouseClick(c.H2, Qt::LeftButton); // resume
        QCOMPARE(shown(c), QString("--H2H3"));
        QCOMPARE(background(c), c.Picture3->palette().color(QPalette::Window));
        QTRY_COMPARE(recorderRuns().size(), 3);
        QCOMPARE(recorderRuns().last(), QString("[-resume]"));

        QTest::mouseClick(c.H3, Qt::LeftButton);
        QCOMPARE(shown(c), QString("H1----"));
        QCOMPARE(background(c), QColor(Qt::white));
        QTRY_COMPARE(recorderRuns().size(), 5);
        QCOMPARE(recorderRuns().mid(3), QStringList({"[-stop]", "[-quit]"}));
        QVERIFY(m_prompts.messages.isEmpty());
    }

    // Installed, the recorder runs from the read-only program folder while its
    // settings files live with the user's (the scripts too, see runScript).
    void scriptsNameTheRecorderAndItsSettingsApart() {
        const auto scripts = recorderScripts("/usr/bin", "/home/anna/.local/share/Velorin",
                                             "/home/anna/ASTRO_DATA/HANG/a.mp3");
        QCOMPARE(scripts[StartScript].text,
                 QString("/usr/bin/harddisk -output \"/home/anna/ASTRO_DATA/HANG/a.mp3\" "
                         "-preset \"/home/anna/.local/share/Velorin/hangrec.hdp\" -filter "
                         "\"/home/anna/.local/share/Velorin/hangrec.hfs\" -record -minimize\n"));
        QCOMPARE(scripts[StopScript].text, QString("/usr/bin/harddisk -stop\n"
                                                   "/usr/bin/harddisk -quit\n"));
    }

    void scriptsHoldTheCommandLines() {
        RecorderControl c;
        c.setNameSource([] { return QString("Anna"); });
        m_prompts.inputs = {kProposed};
        c.H1_Click();
        const QString rec = m_home + "/harddisk";
        const QString mp3 = m_env.path("ASTRO_DATA") + "/HANG/Anna.mp3";
        QCOMPARE(scriptLines("start.sh"),
                 QStringList({QString("%1 -output \"%2\" -preset \"%3/hangrec.hdp\" -filter "
                                      "\"%3/hangrec.hfs\" -record -minimize")
                                  .arg(rec, mp3, m_home),
                              ""}));
        QCOMPARE(scriptLines("stop.sh"), QStringList({rec + " -stop", rec + " -quit", ""}));
        QCOMPARE(scriptLines("pause.sh"), QStringList({rec + " -pause", ""}));
        QCOMPARE(scriptLines("resume.sh"), QStringList({rec + " -resume", ""}));

        // Rewritten at every start.
        c.H3_Click();
        m_prompts.inputs = {"Béla"};
        c.H1_Click();
        QVERIFY(scriptLines("start.sh").first().contains("/HANG/Béla.mp3\""));
    }

    void nameQuestions_data() {
        QTest::addColumn<QStringList>("existing");
        QTest::addColumn<QStringList>("inputs");
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<int>("questions");
        QTest::addColumn<QString>("recorded"); // empty: nothing started

        QTest::newRow("existing, No gives up") << QStringList{"Anna.mp3"} << QStringList{kProposed}
                                               << QList<Answer>{Answer::No} << 1 << "";
        QTest::newRow("existing, Yes asks again")
            << QStringList{"Anna.mp3"} << QStringList{kProposed, "Anna 2"}
            << QList<Answer>{Answer::Yes} << 1 << "Anna 2.mp3";
        QTest::newRow("cancelled")
            << QStringList{} << QStringList{QString()} << QList<Answer>{} << 0 << "";
        QTest::newRow("three spaces")
            << QStringList{} << QStringList{"   "} << QList<Answer>{} << 0 << "";
        // The existence test takes the answer untrimmed.
        QTest::newRow("three spaces, existing") << QStringList{"   .mp3"} << QStringList{"   "}
                                                << QList<Answer>{Answer::Yes} << 1 << "";
        QTest::newRow("unsafe characters") << QStringList{} << QStringList{"a/b:c*?\"<>|"}
                                           << QList<Answer>{} << 0 << "a_b_c______.mp3";
    }
    void nameQuestions() {
        QFETCH(QStringList, existing);
        QFETCH(QStringList, inputs);
        QFETCH(QList<Answer>, answers);
        QFETCH(int, questions);
        QFETCH(QString, recorded);
        const QString hang = m_env.path("ASTRO_DATA") + "/HANG/";
        QDir().mkpath(hang);
        for (const QString& f : existing)
            TestEnvironment::writeBytes(hang + f, "ID3");
        RecorderControl c;
        c.setNameSource([] { return QString("Anna"); });
        m_prompts.inputs = inputs;
        m_prompts.answers = answers;
        c.H1_Click();
        QCOMPARE(m_prompts.questions.size(), questions);
        if (questions) {
            QCOMPARE(m_prompts.questions.first(),
                     QString("Ezzel a névvel már létezik hangfelvétel. Kérem válasszon másikat!"));
            QCOMPARE(m_prompts.questionIcons.first(), MessageIcon::Critical);
        }
        QCOMPARE(c.state() != RecorderState::Idle, !recorded.isEmpty());
        QCOMPARE(QFile::exists(m_home + "/start.sh"), !recorded.isEmpty());
        if (!recorded.isEmpty())
            QCOMPARE(c.recording().file(), hang + recorded);
        else
            QCOMPARE(shown(c), QString("H1----"));
    }

    void unusableRecorderKeepsIdle_data() {
        QTest::addColumn<QByteArray>("recorder"); // null: none
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray() << "A hangrögzítő program nem található";
        QTest::newRow("not executable")
            << QByteArray(kStandIn) << "A hangrögzítő program nem indítható";
    }
    void unusableRecorderKeepsIdle() {
        QFETCH(QByteArray, recorder);
        QFETCH(QString, message);
        useProgramFolder(m_env.path("bare"), false);
        if (!recorder.isNull())
            TestEnvironment::writeBytes(m_home + "/harddisk", recorder);
        RecorderControl c;
        m_prompts.inputs = {"Anna"};
        c.H1_Click();
        QCOMPARE(m_prompts.messages.size(), 1);
        QVERIFY(m_prompts.messages[0].text.startsWith(message));
        QVERIFY(m_prompts.messages[0].text.contains("nem indult el"));
        QCOMPARE(m_prompts.messages[0].icon, MessageIcon::Critical);
        QVERIFY(m_prompts.proposals.isEmpty()); // nothing asked in vain
        QCOMPARE(shown(c), QString("H1----"));
        QCOMPARE(background(c), QColor(Qt::white));
        QVERIFY(!QFile::exists(m_home + "/start.sh"));
    }

    // The recorder's answer to a start reaches the user, and the buttons go
    // back to idle; a recording that goes on is left alone.
    void recorderAnswers_data() {
        QTest::addColumn<QByteArrayList>("fake"); // NAME=value
        QTest::addColumn<QString>("told");        // empty: nothing, the recording goes on
        const QByteArray mp3 =
            "output=" + QFile::encodeName(m_env.path("ASTRO_DATA")) + "/HANG/Anna.mp3";
        QTest::newRow("refused")
            << QByteArrayList{"FAKE_STATUS=1",
                              "FAKE_SAYS=a hangszűrő (/x/hangrec.hfs) vagy az MP3-kódoló nem "
                              "használható: No such filter: 'zaj'; a felvétel nem indult el."}
            << "A hangszűrő (/x/hangrec.hfs) vagy az MP3-kódoló nem használható: No such filter: "
               "'zaj'; a felvétel nem indult el.";
        QTest::newRow("ended at once")
            << QByteArrayList{"FAKE_STATE=pid=1\nstatus=interrupted\n" + mp3 +
                              "\nmessage=A felvétel idő előtt leállt (a hangbemenet "
                              "elhallgatott); hang nem maradt meg.\n"}
            << "A felvétel idő előtt leállt (a hangbemenet elhallgatott); hang nem maradt meg.";
        QTest::newRow("recorder gone meanwhile")
            << QByteArrayList{"FAKE_GONE=1", "FAKE_STATUS=127"}
            << "A hangrögzítő program nem található: " + m_env.path("home") + "/harddisk.";
        QTest::newRow("crashed without a word")
            << QByteArrayList{"FAKE_STATUS=139"}
            << "A hangrögzítő hibával állt le (kilépési kód: 139).";
        QTest::newRow("recording")
            << QByteArrayList{"FAKE_STATE=pid=1\nstatus=recording\n" + mp3} << QString();
        QTest::newRow("another recording's ending")
            << QByteArrayList{"FAKE_STATE=status=interrupted\noutput=/x/Béla.mp3\nmessage=Béla"}
            << QString();
    }
    void recorderAnswers() {
        QFETCH(QByteArrayList, fake);
        QFETCH(QString, told);
        for (const QByteArray& setting : fake) {
            const qsizetype eq = setting.indexOf('=');
            qputenv(setting.left(eq).constData(), setting.mid(eq + 1));
        }
        RecorderControl c;
        c.setNameSource([] { return QString("Anna"); });
        m_prompts.inputs = {kProposed};
        c.H1_Click();
        QCOMPARE(shown(c), QString("--H2H3")); // at once: the window does not wait
        if (told.isEmpty()) {
            QTest::qWait(Recording::kStateCheckMs + 700);
            QVERIFY2(m_prompts.messages.isEmpty(), qPrintable(m_prompts.messageTexts().join('|')));
            QCOMPARE(shown(c), QString("--H2H3"));
            return;
        }
        QTRY_COMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages[0].text, told);
        QCOMPARE(m_prompts.messages[0].icon, MessageIcon::Critical);
        QCOMPARE(shown(c), QString("H1----"));
        QCOMPARE(background(c), QColor(Qt::white));
    }

    void stopTellsWhereTheSoundLies() {
        const QString says = "A felvétel neve közben foglalt lett (/x/Anna.mp3); a hang ide "
                             "került: /x/Anna(2).mp3";
        qputenv("FAKE_STOP_STATUS", "1");
        qputenv("FAKE_STOP_SAYS", says.toUtf8());
        RecorderControl c;
        m_prompts.inputs = {"Anna"};
        c.H1_Click();
        c.H3_Click();
        QCOMPARE(shown(c), QString("H1----"));
        QTRY_COMPARE(m_prompts.messages.size(), 1);
        QCOMPARE(m_prompts.messages[0].text, says);
        QCOMPARE(shown(c), QString("H1----"));
        // The failed stop ends the script: no -quit after it. (The start and
        // stop scripts run side by side, so their lines may come in any order.)
        QVERIFY(recorderRuns().contains(QString("[-stop]")));
        QVERIFY(!recorderRuns().contains(QString("[-quit]")));
    }

    void mainWindowShowsTheButtons() {
        frmMain w{QString()};
        w.show();
        auto* c = w.findChild<RecorderControl*>("picHang");
        QVERIFY(c);
        QVERIFY(c->isVisible());
        auto* caption = w.findChild<QLabel*>("Label2");
        // Bottom right, clear of the caption below it.
        QCOMPARE(c->geometry().right(), w.width() - 11);
        QVERIFY(c->geometry().bottom() < caption->geometry().top());

        const struct {
            QToolButton* button;
            const char* status;
            const char* tip;
        } rows[] = {
            {c->H1, "Hangfelvétel elkezdése", "Hangfelvétel kezdése"},
            {c->H2, "Hangfelvétel szüneteltetése illetve folytatása",
             "Hangfelvétel szüneteltetése - elinditása"},
            {c->H3, "Hangfelvétel megállitása", "Hangfelvétel leállitása"},
        };
        auto* status = w.findChild<QLabel*>("Label3");
        for (const auto& row : rows) {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(row.button, &enter);
            QCOMPARE(status->text(), QString::fromUtf8(row.status));
            QCOMPARE(row.button->toolTip(), QString::fromUtf8(row.tip));
        }

        // The person's name from the birth-data form is proposed.
        c->H1_Click();
        QCOMPARE(m_prompts.proposals, QStringList{"Ma"});
    }
};

int main(int argc, char** argv) {
    TestEnvironment env;
    QApplication app(argc, argv);
    RecorderControlTest test(env);
    return QTest::qExec(&test, argc, argv);
}

#include "recorder_control_test.moc"
