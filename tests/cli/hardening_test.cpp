// velorin as separate processes, the way a script, a full disk or a second
// run at the same moment meet it.

#include "cli/commands.h"
#include "interpretation/codetable.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>

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
    QProcess* start(const QStringList& args, int sizeLimitKiB = 0) const {
        auto* p = new QProcess;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("VELORIN_HOME", home());
        env.insert("ASTRO_DATA", data());
        env.insert("XDG_CONFIG_HOME", dir_.filePath("config"));
        p->setProcessEnvironment(env);
        if (sizeLimitKiB > 0) {
            p->start("/bin/sh",
                     QStringList{
                         "-c", QString("ulimit -f %1; trap '' XFSZ; exec \"$@\"").arg(sizeLimitKiB),
                         "sh", VELORIN_EXE} +
                         args);
        } else {
            p->start(VELORIN_EXE, args);
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
            r.status = p->exitCode();
            r.out = QString::fromUtf8(p->readAllStandardOutput());
            r.err = QString::fromUtf8(p->readAllStandardError());
        }
        delete p;
        return r;
    }
    Outcome velorin(const QStringList& args, int sizeLimitKiB = 0) const {
        return finish(start(args, sizeLimitKiB));
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
    for (const char* never : {"w.gif", "s", "r.txt", "r2.pdf"})
        EXPECT_FALSE(QFile::exists(file(never))) << never;
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

    put("home/cod.dat", QByteArray(10 * 1024 * 1024, ','));
    const Outcome table = velorin({"interpret", chart});
    EXPECT_EQ(table.status, 1);
    EXPECT_TRUE(table.err.contains("túl nagy")) << table.err.toStdString();
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
