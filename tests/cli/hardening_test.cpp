// velorin as separate processes, the way a script, a full disk or a second
// run at the same moment meet it.

#include "cli/commands.h"
#include "interpretation/codetable.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <csignal>
#include <sstream>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velorin;

namespace {

struct Outcome {
    int status = -1;
    QString out, err;
};

QByteArray chartRecord(const char* name, const char* year, const char* latDeg = "47",
                       const char* longDeg = "22", const char* minute = "50") {
    return QByteArray("\"") + name + "\",\"" + year + "\",\"2\",\"26\",\"2\",\"" + minute +
           "\",\"" + latDeg + "\",\"25\",\"" + longDeg +
           "\",\"45\",\"-2\",0,\"\",#TRUE#,\"N\xF5\"\r\n";
}

class Velorin : public ::testing::Test {
protected:
    void SetUp() override {
        QDir().mkpath(home());
        QDir().mkpath(data());
    }
    QString home() const { return dir_.filePath("home"); }
    QString data() const { return dir_.filePath("data"); }
    QString file(const QString& name) const { return dir_.filePath(name); }
    QString put(const QString& name, const QByteArray& bytes) const {
        QFile f(file(name));
        f.open(QIODevice::WriteOnly);
        f.write(bytes);
        return file(name);
    }
    static QByteArray bytesOf(const QString& path) {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // Under a shell when a file-size limit is wanted: the limit in KiB, with
    // SIGXFSZ ignored so that the limit shows as a failing write.
    // killedAtLimit leaves SIGXFSZ at its default, so that the limit kills
    // the run in the middle of a write, as a power cut or `kill -9` would.
    QProcess* start(const QStringList& args, int sizeLimitKiB = 0, bool killedAtLimit = false,
                    const QString& standardOutput = QString(),
                    const QString& program = VELORIN_EXE) const {
        auto* p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELORIN_HOME", home());
        env.insert("ASTRO_DATA", data());
        env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
        p->setProcessEnvironment(env);
        if (!standardOutput.isEmpty())
            p->setStandardOutputFile(standardOutput);
        if (sizeLimitKiB > 0) {
            const QString script = killedAtLimit ? "ulimit -c 0; ulimit -f %1; exec \"$@\""
                                                 : "ulimit -f %1; trap '' XFSZ; exec \"$@\"";
            p->start("/bin/sh",
                     QStringList{"-c", script.arg(sizeLimitKiB), "sh", VELORIN_EXE} + args);
        } else {
            p->start(program, args);
        }
        return p;
    }
    static Outcome finish(QProcess* p) {
        Outcome r;
        // A run that hangs (on a named pipe) fails the test instead of blocking it.
        if (!p->waitForFinished(30000)) {
            p->kill();
            p->waitForFinished();
            r.err = "hung";
        } else {
            r.status = p->exitStatus() == QProcess::CrashExit ? -2 : p->exitCode();
            r.out = QString::fromUtf8(p->readAllStandardOutput());
            r.err = QString::fromUtf8(p->readAllStandardError());
        }
        delete p;
        return r;
    }
    Outcome velorin(const QStringList& args, int sizeLimitKiB = 0) const {
        return finish(start(args, sizeLimitKiB));
    }
    Outcome run(const QString& program, const QStringList& args) const {
        return finish(start(args, 0, false, QString(), program));
    }
    QStringList hiddenFiles(const QString& folder) const {
        return QDir(folder).entryList({".*"}, QDir::Files | QDir::Hidden);
    }

private:
    QTemporaryDir dir_;
};

// Six runs at once for two different people of the same name: every run gets
// a file of its own, holding its own person.
TEST_F(Velorin, ParallelInterpretationsKeepEachPerson) {
    ASSERT_TRUE(writeDefaultCodeTable(home() + "/cod.dat"));
    const QString first = put("anna1.ast", chartRecord("Anna", "1973"));
    const QString second = put("anna2.ast", chartRecord("Anna", "1985"));
    std::vector<std::pair<QProcess*, QString>> runs;
    for (int i = 0; i < 6; ++i) {
        const bool older = i % 2 == 0;
        runs.push_back({start({"interpret", older ? first : second, "--mode", "3"}),
                        older ? "1973.2.26" : "1985.2.26"});
    }
    QStringList paths;
    for (auto& [process, date] : runs) {
        const Outcome r = finish(process);
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        const QString path = r.out.trimmed();
        paths << path;
        EXPECT_TRUE(bytesOf(path).startsWith("Anna\r\n" + date.toUtf8())) << path.toStdString();
    }
    paths.removeDuplicates();
    EXPECT_EQ(paths.size(), 6);
    EXPECT_EQ(QDir(data() + "/SZOVEG").entryList(QDir::Files | QDir::Hidden).size(), 6);
}

// A full disk, played by a file-size limit: the run fails with the reason in
// Hungarian, and the file that was there stays byte for byte.
TEST_F(Velorin, AFullDiskChangesNoFile) {
    const QString chart = put("anna.ast", chartRecord("Anna", "1973"));
    ASSERT_EQ(velorin({"interpret", chart, "--mode", "3"}).status, 0);
    const QString document = data() + "/SZOVEG/Anna.txt";
    const QString picture = put("kerek.png", QByteArray(600, 'p'));
    const QString vector = put("kerek.svg", QByteArray(600, 'v'));
    const QString report = put("jelentes.pdf", QByteArray(600, 'r'));
    const QString table = home() + "/cod.dat";
    const QByteArray tableBefore = bytesOf(table);
    const QByteArray documentBefore = bytesOf(document);

    struct Case {
        const char* name;
        QStringList args;
        QString kept; // the file that must not change
        QByteArray before;
    };
    const Case cases[] = {
        {"interpret", {"interpret", chart, "--mode", "3"}, document, documentBefore},
        {"wheel", {"chart", chart, "--wheel", picture}, picture, QByteArray(600, 'p')},
        {"svg wheel", {"chart", chart, "--wheel", vector}, vector, QByteArray(600, 'v')},
        {"report", {"report", chart, "--out", report, "--mode", "3"}, report, QByteArray(600, 'r')},
        {"codetable", {"codetable", "--write", table}, table, tableBefore},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const Outcome r = velorin(c.args, 1);
        EXPECT_EQ(r.status, 1) << r.out.toStdString();
        EXPECT_TRUE(r.err.contains("nagyobb, mint amekkorát")) << r.err.toStdString();
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_EQ(bytesOf(c.kept), c.before);
    }
    // No second document, no placeholder and no temporary file stayed behind.
    EXPECT_EQ(QDir(data() + "/SZOVEG").entryList(QDir::Files | QDir::Hidden),
              QStringList{"Anna.txt"});
    EXPECT_TRUE(hiddenFiles(home()).isEmpty());
    EXPECT_TRUE(hiddenFiles(file(".")).isEmpty());
}

// The vector wheels and the report from the command line: each file is what
// its name says, and a name the command cannot write is refused before any work.
TEST_F(Velorin, VectorWheelsAndTheReportAreWrittenByTheirExtension) {
    const QString chart = put("anna.ast", chartRecord("Anna", "1973"));
    const struct {
        QStringList args;
        QString written;
        QByteArray starts;
    } good[] = {
        {{"chart", chart, "--wheel", file("w.svg")}, file("w.svg"), "<?xml"},
        {{"chart", chart, "--wheel", file("w.PDF"), "--houses", "W"}, file("w.PDF"), "%PDF-"},
        {{"synastry", chart, chart, "--wheel", file("s.svg")}, file("s.svg"), "<?xml"},
        {{"report", chart, "--out", file("r.pdf"), "--houses", "k"}, file("r.pdf"), "%PDF-"},
        {{"progressed", chart, "--date", "2026-01-01", "--wheel", file("p.svg")},
         file("p.svg"),
         "<?xml"},
    };
    for (const auto& g : good) {
        const Outcome r = velorin(g.args);
        EXPECT_EQ(r.status, 0) << g.args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_TRUE(bytesOf(g.written).startsWith(g.starts)) << g.written.toStdString();
    }
    const struct {
        QStringList args;
        const char* message;
    } refused[] = {
        {{"chart", chart, "--wheel", file("w.gif")},
         "--wheel writes .png, .jpg, .jpeg, .svg, .pdf"},
        {{"synastry", chart, chart, "--wheel", file("s")}, "--wheel writes"},
        {{"return", chart, "--solar", "--year", "2026", "--wheel", file("r.bmp")},
         "--wheel writes .png, .jpg, .jpeg, .svg, .pdf"},
        {{"report", chart}, "--out REPORT.pdf"},
        {{"report", chart, "--out", file("r.txt")}, "--out takes a .pdf name"},
        {{"report", chart, "--out", file("r2.pdf"), "--mode", "5"}, "--mode takes 1, 2, 3 or 4"},
        {{"report", chart, "--out", file("r2.pdf"), "--houses", "Q"}, "velorin report: a --houses"},
    };
    for (const auto& r : refused) {
        const Outcome o = velorin(r.args);
        EXPECT_EQ(o.status, 2) << r.args.join(' ').toStdString();
        EXPECT_TRUE(o.err.contains(QString::fromUtf8(r.message))) << o.err.toStdString();
    }
    for (const char* never : {"w.gif", "s", "r.bmp", "r.txt", "r2.pdf"})
        EXPECT_FALSE(QFile::exists(file(never))) << never;
}

// A run killed in the middle of writing its document leaves no document
// under the name, neither an empty one nor a part; the next run takes it.
TEST_F(Velorin, AKilledInterpretationLeavesNoDocument) {
    ASSERT_TRUE(writeDefaultCodeTable(home() + "/cod.dat"));
    const QString chart = put("anna.ast", chartRecord("Anna", "1973"));
    const Outcome killed = finish(start({"interpret", chart, "--mode", "3"}, 1, true));
    ASSERT_EQ(killed.status, -2) << killed.err.toStdString();
    EXPECT_TRUE(QDir(data() + "/SZOVEG").entryList(QDir::Files).isEmpty());

    const Outcome next = velorin({"interpret", chart, "--mode", "3"});
    ASSERT_EQ(next.status, 0) << next.err.toStdString();
    EXPECT_EQ(next.out.trimmed(), data() + "/SZOVEG/Anna.txt");
    EXPECT_TRUE(bytesOf(data() + "/SZOVEG/Anna.txt").startsWith("Anna\r\n1973.2.26"));
}

// Standard output on a full disk: every subcommand that prints says so in
// one line and fails, instead of a short output and status 0.
TEST_F(Velorin, AFullStandardOutputIsOneLineAndStatusOne) {
    ASSERT_TRUE(writeDefaultCodeTable(home() + "/cod.dat"));
    const QString chart = put("anna.ast", chartRecord("Anna", "1973"));
    const QString second = put("bela.ast", chartRecord("Bela", "1985"));
    const QStringList cases[] = {
        {"--help"},
        {"chart", chart, "--listing"},
        {"chart", chart, "--codes"},
        {"chart", chart, "--sheet"},
        {"chart", chart, "--json"},
        {"chart", "--now", "--json"},
        // A batch whose output fails after the first buffer: still one line.
        QStringList{"chart"} + QStringList(300, chart) + QStringList{"--json"},
        {"chart", "--help"},
        {"synastry", chart, second, "--listing"},
        {"synastry", chart, second, "--json"},
        {"moon", "2024", "2"},
        {"place", "Budapest", "--at", "2024-07-01T12:00"},
        {"interpret", chart, "--mode", "3"},
    };
    for (const QStringList& args : cases) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Outcome r = finish(start(args, 0, false, "/dev/full"));
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
        EXPECT_TRUE(r.err.contains("nem írható ki")) << r.err.toStdString();
    }
    // A run that prints nothing has nothing to fail.
    EXPECT_EQ(
        finish(start({"codetable", "--write", file("cod2.dat")}, 0, false, "/dev/full")).status, 0);
}

// A reader that went away (`velorin moon 2024 2 | head -0`): the run ends
// without a word and with a failing status, whether SIGPIPE ends it or, when
// the caller ignores SIGPIPE, the write's EPIPE does.
TEST_F(Velorin, AClosedPipeEndsQuietly) {
    for (const bool ignored : {false, true}) {
        SCOPED_TRACE(ignored ? "SIGPIPE ignored" : "SIGPIPE default");
        int outPipe[2], errPipe[2];
        ASSERT_EQ(::pipe(outPipe), 0);
        ASSERT_EQ(::pipe(errPipe), 0);
        ::close(outPipe[0]); // nobody will read
        const QByteArray home = QFile::encodeName(this->home());
        const QByteArray data = QFile::encodeName(this->data());
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::dup2(outPipe[1], 1);
            ::dup2(errPipe[1], 2);
            ::close(errPipe[0]);
            std::signal(SIGPIPE, ignored ? SIG_IGN : SIG_DFL);
            ::setenv("VELORIN_HOME", home.constData(), 1);
            ::setenv("ASTRO_DATA", data.constData(), 1);
            ::execl(VELORIN_EXE, VELORIN_EXE, "moon", "2024", "2", static_cast<char*>(nullptr));
            ::_exit(127);
        }
        ::close(outPipe[1]);
        ::close(errPipe[1]);
        QByteArray err;
        char buf[512];
        ssize_t n;
        while ((n = ::read(errPipe[0], buf, sizeof buf)) > 0)
            err.append(buf, n);
        ::close(errPipe[0]);
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        if (ignored)
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
        else
            EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGPIPE) << status;
        EXPECT_TRUE(err.isEmpty()) << err.toStdString();
    }
}

// --wheel writes what its name says or nothing: a .bmp used to get PNG bytes.
TEST_F(Velorin, WheelRefusesExtensionsItDoesNotWrite) {
    const QString chart = put("anna.ast", chartRecord("Anna", "1973"));
    const struct {
        const char* name;
        int status;
    } cases[] = {
        {"w.png", 0}, {"w.PNG", 0}, {"w.jpg", 0}, {"w.jpeg", 0},
        {"w.bmp", 2}, {"w.gif", 2}, {"w", 2},     {"w.png.txt", 2},
    };
    for (const auto& c : cases) {
        const QString path = file(c.name);
        for (const QStringList& args :
             {QStringList{"chart", chart}, QStringList{"synastry", chart, chart}}) {
            SCOPED_TRACE((args[0] + " " + c.name).toStdString());
            const Outcome r = velorin(args + QStringList{"--wheel", path, "--size", "40x30"});
            EXPECT_EQ(r.status, c.status) << r.err.toStdString();
            if (c.status == 2) {
                EXPECT_TRUE(r.err.contains(".png, .jpg, .jpeg, .svg, .pdf")) << r.err.toStdString();
                EXPECT_FALSE(QFile::exists(path));
            } else {
                EXPECT_FALSE(QImage(path).isNull());
            }
            QFile::remove(path);
        }
    }
}

// Named pipes where files are expected: nothing waits for a writer, nothing
// replaces the pipe.
TEST_F(Velorin, NamedPipesNeitherHangNorGetReplaced) {
    const QString chart = put("anna.ast", chartRecord("Anna", "1973"));
    const QString pipe = file("cso");
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);

    const Outcome asChart = velorin({"chart", pipe, "--listing"});
    EXPECT_EQ(asChart.status, 1);
    EXPECT_TRUE(asChart.err.contains("nem közönséges fájl")) << asChart.err.toStdString();

    const Outcome asTarget = velorin({"codetable", "--write", pipe});
    EXPECT_EQ(asTarget.status, 1);
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(pipe).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));

    ASSERT_EQ(::mkfifo(QFile::encodeName(home() + "/cod.dat").constData(), 0600), 0);
    const Outcome asTable = velorin({"interpret", chart});
    EXPECT_EQ(asTable.status, 1);
    EXPECT_TRUE(asTable.err.contains("kódtábla")) << asTable.err.toStdString();

    QDir().mkpath(file("config/Velorin"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(file("config/Velorin/Velorin.ini")).constData(), 0600), 0);
    const Outcome withStore = velorin({"chart", chart, "--codes"});
    EXPECT_EQ(withStore.status, 0) << withStore.err.toStdString();
    EXPECT_TRUE(withStore.err.contains("alapértékekkel")) << withStore.err.toStdString();
}

// Impossible input is named by its field, like an impossible date.
TEST_F(Velorin, ImpossibleInputNamesItsField) {
    struct Case {
        QByteArray record;
        const char* expected;
    };
    const Case cases[] = {
        {chartRecord("Anna", "1973", "91"), "SZÉL. FOK"},
        {chartRecord("Anna", "1973", "47", "400"), "HOSSZ. FOK"},
        {chartRecord("Anna", "1973", "47", "179.9"), "HOSSZ. FOK"}, // 179.9° plus 45'
        {chartRecord("Anna", "1973", "47", "22", "1e300"), "PERC"},
    };
    for (const Case& c : cases) {
        const Outcome r = velorin({"chart", put("rossz.ast", c.record), "--json"});
        EXPECT_EQ(r.status, 1) << c.record.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8(c.expected))) << r.err.toStdString();
        EXPECT_TRUE(r.out.isEmpty());
    }
    EXPECT_EQ(velorin({"chart", put("jo.ast", chartRecord("Anna", "1973", "89", "-179")), "--json"})
                  .status,
              0);
}

// Limits that keep a hostile input from taking the machine's memory.
TEST_F(Velorin, OversizedInputsAreRefusedWithAMessage) {
    const QString chart = put("anna.ast", chartRecord("Anna", "1973"));
    const Outcome picture =
        velorin({"chart", chart, "--wheel", file("k.png"), "--size", "20000x20000"});
    EXPECT_EQ(picture.status, 2);
    EXPECT_TRUE(picture.err.contains("legfeljebb")) << picture.err.toStdString();
    EXPECT_FALSE(QFile::exists(file("k.png")));

    // A settings store of 20 MB is read as the defaults, in one line.
    QDir().mkpath(file("config/Velorin"));
    put("config/Velorin/Velorin.ini", "[set]\r\n" + QByteArray(20 * 1024 * 1024, 'x'));
    const Outcome store = velorin({"chart", chart, "--codes"});
    EXPECT_EQ(store.status, 0);
    EXPECT_EQ(store.err.count('\n'), 1) << store.err.toStdString();
    EXPECT_TRUE(store.err.contains("túl nagy")) << store.err.toStdString();
    QFile::remove(file("config/Velorin/Velorin.ini"));

    put("home/cod.dat", QByteArray(10 * 1024 * 1024, ','));
    const Outcome table = velorin({"interpret", chart});
    EXPECT_EQ(table.status, 1);
    EXPECT_TRUE(table.err.contains("túl nagy")) << table.err.toStdString();
}

// A document past its limit, from an old code table whose passages are huge:
// the reason is the one line, not the old table's notice before it. The
// notice still comes when the run succeeds.
TEST_F(Velorin, AnOversizedInterpretationSaysOnlyWhy) {
    const QString chart = put("anna.ast", chartRecord("Anna", "1973"));
    const QString big = put("nagy.txt", QByteArray(8 * 1000 * 1000, 'x'));
    const QString small = put("kicsi.txt", "egy mondat");
    for (const bool huge : {true, false}) {
        SCOPED_TRACE(huge ? "too large" : "fits");
        const QString passage = huge ? big : small;
        std::vector<CodeEntry> table = {{"ELOSZO0", "elsz", passage}, {"ELOSZO", "elsz", passage}};
        for (const char* code : {"A1", "A2", "A3", "A4"})
            table.push_back({code, "", ""}); // no male/female codes: an old table
        ASSERT_TRUE(saveCodeFile(home() + "/cod.dat", table));
        const Outcome r = velorin({"interpret", chart, "--mode", "3"});
        if (huge) {
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err.count('\n'), 1) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains("túl nagy")) << r.err.toStdString();
        } else {
            EXPECT_EQ(r.status, 0) << r.err.toStdString();
            EXPECT_TRUE(r.err.contains("előző verziójával")) << r.err.toStdString();
        }
    }
}

// The help names every subcommand there is and none that is not.
TEST(VelorinHelp, ListsOnlySubcommandsThatRun) {
    std::ostringstream out, err;
    ASSERT_EQ(cli::runSubcommand({"--help"}, out, err), 0);
    std::istringstream help(out.str());
    std::string line;
    bool inList = false;
    int listed = 0;
    while (std::getline(help, line)) {
        if (line == "Subcommands:") {
            inList = true;
            continue;
        }
        if (!inList)
            continue;
        if (line.empty())
            break;
        const std::string name = line.substr(2, line.find(' ', 2) - 2);
        std::ostringstream o, e;
        EXPECT_EQ(cli::runSubcommand({name, "--help"}, o, e), 0) << name;
        ++listed;
    }
    EXPECT_EQ(listed, int(cli::subcommands().size()));
}

} // namespace

// The front on the path runs the text subcommands itself and hands every
// other command line to velorin-full: whichever runs it, a command line
// gives the same output, messages and status.
TEST_F(Velorin, TheFrontAnswersEveryCommandLineAsTheFullProgramDoes) {
    const QString chart = put("anna.ast", chartRecord("Anna", "1973"));
    const QStringList lines[] = {
        {"chart", chart, "--listing"},
        {"chart", chart, "--codes"},
        {"chart", chart, "--sheet"},
        {"chart", chart, "--json"},
        {"chart", chart, "--json", "--houses", "K"},
        {"chart", chart, file("nincs.ast"), "--json"},
        {"chart", chart, "--json", "--size", "10x10"},
        {"chart", "--help"},
        {"chart"},
        {"moon", "2024", "2"},
        {"moon", "2024", "13"},
        {"place", "Kolozs"},
        {"synastry", chart, chart, "--json"},
        {"transits", chart, "--from", "2024-01-01", "--to", "2024-01-31"},
        {"transits", chart, "--from", "2024-01-01", "--to", "2024-01-31", "--json"},
        {"progressed", chart, "--date", "2024-06-01", "--json"},
        {"progressed", chart, "--date", "2024-06-01", "--wheel", file("p.txt")},
        {"return", chart, "--solar", "--year", "2024", "--listing"},
        {"return", chart, "--lunar", "--year", "2024", "--json"},
        {"forecast", chart, "--from", "2024-01-01"},
        {"--help"},
        {},
        {"nincsilyen"},
    };
    for (const QStringList& args : lines) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const Outcome front = velorin(args);
        const Outcome full = run(VELORIN_FULL, args);
        EXPECT_EQ(front.status, full.status);
        EXPECT_EQ(front.out.toStdString(), full.out.toStdString());
        EXPECT_EQ(front.err.toStdString(), full.err.toStdString());
    }
    // Wheels are drawn through the front as well.
    const QString picture = file("kor.png");
    EXPECT_EQ(velorin({"chart", chart, "--wheel", picture}).status, 0);
    EXPECT_EQ(QImage(picture).size(), QSize(800, 600));
    const QString progressed = file("progresszio.png");
    EXPECT_EQ(velorin({"progressed", chart, "--date", "2024-06-01", "--wheel", progressed, "--size",
                       "400x300"})
                  .status,
              0);
    EXPECT_EQ(QImage(progressed).size(), QSize(400, 300));
}

// The front alone, without velorin-full beside it (a broken installation):
// the text still comes, a drawing command says what is missing and writes
// nothing.
TEST_F(Velorin, TheFrontAloneRunsTextAndRefusesDrawingWithAReason) {
    const QString chart = put("anna.ast", chartRecord("Anna", "1973"));
    const QString lone = file("egyedul/velorin");
    QDir().mkpath(file("egyedul"));
    ASSERT_TRUE(QFile::copy(VELORIN_EXE, lone));

    const Outcome text = run(lone, {"chart", chart, "--json"});
    EXPECT_EQ(text.status, 0) << text.err.toStdString();
    EXPECT_EQ(text.out, velorin({"chart", chart, "--json"}).out);

    const QString picture = file("kor.png");
    const Outcome drawing = run(lone, {"chart", chart, "--wheel", picture});
    EXPECT_EQ(drawing.status, 1);
    EXPECT_TRUE(drawing.err.contains("velorin-full")) << drawing.err.toStdString();
    EXPECT_TRUE(drawing.err.contains("semmi sem változott")) << drawing.err.toStdString();
    EXPECT_FALSE(QFile::exists(picture));
}
