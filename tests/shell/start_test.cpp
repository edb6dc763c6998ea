// The command-line rule: which command lines start the chart program.

#include "tests/support/testenv.h"

#include "chart/shell/commandline.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

using namespace velorin;
using namespace velorin::test;

class StartTest : public QObject {
    Q_OBJECT
public:
    explicit StartTest(TestEnvironment& env) : m_env(env) {}

private:
    TestEnvironment& m_env;

private slots:
    void init() { m_env.reset(); }

    void commandLineRule() {
        QCOMPARE(startChartPath(""), std::optional<QString>(""));
        QCOMPARE(startChartPath("/data/RADIX/Anna.ast"),
                 std::optional<QString>("/data/RADIX/Anna.ast"));
        QCOMPARE(startChartPath("/data/RADIX/ANNA.AST"),
                 std::optional<QString>("/data/RADIX/ANNA.AST"));
        // The closing quote is within the last five characters.
        QCOMPARE(startChartPath("\"/data/Kiss Anna.ast\""),
                 std::optional<QString>("/data/Kiss Anna.ast"));
        QCOMPARE(startChartPath("/data/notes.txt"), std::nullopt);
        QCOMPARE(startChartPath("/data/ast/notes"), std::nullopt);
        QCOMPARE(commandLineText({"Tarvessa", "/data/Kiss", "Anna.ast"}),
                 QString("/data/Kiss Anna.ast"));
        QCOMPARE(commandLineText({"Tarvessa"}), QString());
    }

    void programEndsSilentlyWithoutAChart() {
        QProcess p;
        p.start(TARVESSA_PATH, {m_env.path("notes.txt")});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 0);
        // No window, so no start-up either: no folders were made.
        QVERIFY(!QFileInfo::exists(m_env.path("ASTRO_DATA") + "/KEPEK"));
    }

    void programStaysUpWithAChart() {
        const QString path = m_env.chartFolder() + "Anna.ast";
        TestEnvironment::writeBytes(path,
                                    "\"Anna\",\"1973\",\"2\",\"26\",\"2\",\"50\",\"47\","
                                    "\"30\",\"19\",\"5\",\"-1\",0,\"\",#TRUE#,\"F\xE9rfi\"\r\n");
        QProcess p;
        p.start(TARVESSA_PATH, {path});
        QVERIFY(p.waitForStarted());
        QVERIFY(!p.waitForFinished(1500));
        // Its start-up has run: the data folders exist.
        QTRY_VERIFY(QFileInfo::exists(m_env.path("ASTRO_DATA") + "/KEPEK"));
        p.kill();
        p.waitForFinished();
    }
};

int main(int argc, char** argv) {
    TestEnvironment env;
    QCoreApplication app(argc, argv);
    StartTest test(env);
    return QTest::qExec(&test, argc, argv);
}

#include "start_test.moc"
