// The bad-input catalogue: hostile cases fed to the built velorin in a
// sandbox of its own. Each case checks the exit status, that the message says
// what failed, and that every file that existed before is unchanged after.

#include "engine/birthdata.h"
#include "platform/chartfile.h"
#include "platform/textfile.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace velorin;

namespace {

struct Outcome {
    int status = -1; // exit status; -2 when it ran past the limit and was killed
    std::string out, err;
};

// A program folder, a data root and a settings folder of the case's own.
class Sandbox {
public:
    Sandbox() {
        for (const char* sub : {"home", "data", "config", "in"})
            QDir().mkpath(path(sub));
    }
    QString path(const QString& sub) const { return m_dir.path() + '/' + sub; }
    QString root() const { return m_dir.path(); }

    std::string write(const QString& sub, const QByteArray& bytes) const {
        QFile f(path(sub));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << sub.toStdString();
        f.write(bytes);
        return path(sub).toStdString();
    }
    std::string fifo(const QString& sub) const {
        const std::string p = path(sub).toStdString();
        EXPECT_EQ(mkfifo(p.c_str(), 0600), 0);
        return p;
    }

    // Runs velorin with the sandbox's folders; the file-size limit (bytes,
    // 0 for none) stands in for a full disk.
    Outcome run(const std::vector<std::string>& args, rlim_t fileSizeLimit = 0) const {
        // Everything the child needs is made before the fork: parallel cases
        // fork from several threads, and the child may only make system calls.
        std::vector<std::string> all{VELORIN_EXE};
        all.insert(all.end(), args.begin(), args.end());
        std::vector<std::string> env{"VELORIN_HOME=" + path("home").toStdString(),
                                     "ASTRO_DATA=" + path("data").toStdString(),
                                     "XDG_CONFIG_HOME=" + path("config").toStdString(),
                                     "QT_QPA_PLATFORM=offscreen"};
        if (const char* home = getenv("HOME"))
            env.push_back(std::string("HOME=") + home);
        static std::atomic<int> serial{0};
        const std::string io = m_io.path().toStdString() + '/' + std::to_string(++serial);
        const std::string outFile = io + ".out", errFile = io + ".err";
        std::vector<char*> argv, envp;
        for (std::string& a : all)
            argv.push_back(a.data());
        argv.push_back(nullptr);
        for (std::string& e : env)
            envp.push_back(e.data());
        envp.push_back(nullptr);
        const rlimit lim{fileSizeLimit, fileSizeLimit};

        const pid_t pid = fork();
        if (pid == 0) {
            dup2(open(outFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 1);
            dup2(open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
            if (fileSizeLimit) {
                signal(SIGXFSZ, SIG_IGN);
                setrlimit(RLIMIT_FSIZE, &lim);
            }
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        Outcome o;
        int status = 0;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (std::chrono::steady_clock::now() > deadline) {
                kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
                o.status = -2;
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        if (o.status != -2)
            o.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        o.out = readAll(outFile);
        o.err = readAll(errFile);
        return o;
    }

    // Every entry under the sandbox with its kind and, for files, its bytes.
    std::map<QString, QByteArray> snapshot() const {
        std::map<QString, QByteArray> s;
        QDirIterator it(m_dir.path(),
                        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString p = it.next();
            const QFileInfo fi(p);
            const QString rel = p.mid(m_dir.path().size() + 1);
            if (fi.isDir())
                s[rel] = "<folder>";
            else if (!fi.isFile())
                s[rel] = "<special>"; // never opened: it may be a pipe
            else {
                QFile f(p);
                f.open(QIODevice::ReadOnly);
                s[rel] = f.readAll();
            }
        }
        return s;
    }

private:
    static std::string readAll(const std::string& path) {
        QFile f(QString::fromStdString(path));
        f.open(QIODevice::ReadOnly);
        return f.readAll().toStdString();
    }
    QTemporaryDir m_dir;
    QTemporaryDir m_io; // velorin's output, outside what the snapshots see
};

BirthData anna() {
    BirthData d;
    d.name = "Anna";
    d.sex = kFemaleText;
    d.year = "1973";
    d.month = "2";
    d.day = "26";
    d.hour = "2";
    d.am = true;
    d.hour24 = hour24Text(d.hour, d.am);
    d.minute = "50";
    d.zone = "-2";
    d.longDeg = "22";
    d.longMin = "45";
    d.latDeg = "47";
    d.latMin = "25";
    return d;
}

QByteArray chartBytes(const BirthData& d) {
    return toCp1250(formatChartRecord(d));
}

BirthData with(std::function<void(BirthData&)> change) {
    BirthData d = anna();
    change(d);
    return d;
}

struct Case {
    const char* name;
    // Lays out the case's files and returns velorin's arguments.
    std::function<std::vector<std::string>(const Sandbox&)> setup;
    int status;           // expected exit status
    const char* message;  // must appear in what velorin printed to stderr ("" for none)
    const char* newFiles; // the entries that may appear (regular expression, "" for none)
    rlim_t fileSizeLimit = 0;
    std::function<void(const Sandbox&, const Outcome&)> extra = {};
};

std::vector<std::string> chartJson(const Sandbox& s, const BirthData& d) {
    return {"chart", s.write("in/x.ast", chartBytes(d)), "--json"};
}

// A document written before the case runs, which must survive it.
void existingDocument(const Sandbox& s) {
    QDir().mkpath(s.path("data/SZOVEG"));
    s.write("data/SZOVEG/Anna.txt", "Korábbi értelmezés, nem írható felül.\r\n");
}

const char* const kNone = "";
const char* const kTextDocument = R"(^data/SZOVEG(/[^/.][^/]*\.txt)?$|^home/cod\.dat$)";

const std::vector<Case>& cases() {
    static const std::vector<Case> table = {
        {"EmptyDay",
         [](const Sandbox& s) { return chartJson(s, with([](BirthData& d) { d.day = ""; })); }, 1,
         "Helytelen adat: NAP", kNone},
        {"NonNumericYear",
         [](const Sandbox& s) { return chartJson(s, with([](BirthData& d) { d.year = "19x3"; })); },
         1, "Helytelen adat: ÉV", kNone},
        {"NonNumericZone",
         [](const Sandbox& s) { return chartJson(s, with([](BirthData& d) { d.zone = "K"; })); }, 1,
         "Helytelen adat: IDŐZÓNA", kNone},
        {"YearBeyondTheDateField",
         [](const Sandbox& s) {
             return chartJson(s, with([](BirthData& d) { d.year = "40000"; }));
         },
         1, "Helytelen adat: ÉV", kNone},
        {"HugeMinuteNamesTheMinute",
         [](const Sandbox& s) {
             return chartJson(s, with([](BirthData& d) { d.minute = "1e300"; }));
         },
         1, "PERC", kNone, 0},
        {"LatitudeBeyondThePole",
         [](const Sandbox& s) { return chartJson(s, with([](BirthData& d) { d.latDeg = "91"; })); },
         1, "SZÉL. FOK", kNone, 0},
        {"LongitudeBeyondTheDateLine",
         [](const Sandbox& s) {
             return chartJson(s, with([](BirthData& d) { d.longDeg = "400"; }));
         },
         1, "HOSSZ. FOK", kNone, 0},
        {"TruncatedFile",
         [](const Sandbox& s) {
             return std::vector<std::string>{
                 "chart", s.write("in/cut.ast", chartBytes(anna()).left(40)), "--json"};
         },
         1, "Hibás vagy hiányos asztrógram file", kNone},
        {"EmptyFile",
         [](const Sandbox& s) {
             return std::vector<std::string>{"chart", s.write("in/empty.ast", ""), "--listing"};
         },
         1, "Hibás vagy hiányos asztrógram file", kNone},
        {"OversizedFile",
         [](const Sandbox& s) {
             return std::vector<std::string>{
                 "chart", s.write("in/big.ast", chartBytes(anna()).repeated(4000)), "--json"};
         },
         1, "túl nagy", kNone},
        {"Utf16File",
         [](const Sandbox& s) {
             const QString text = formatChartRecord(anna());
             QByteArray utf16("\xFF\xFE");
             utf16.append(reinterpret_cast<const char*>(text.utf16()), text.size() * 2);
             return std::vector<std::string>{"chart", s.write("in/u16.ast", utf16), "--json"};
         },
         1, "Ez nem Velorin asztrógram file", kNone},
        {"Utf8FileReadsLikeTheCodePage",
         [](const Sandbox& s) {
             BirthData d = with([](BirthData& b) { b.name = "Kiss Ödön"; });
             s.write("in/cp.ast", chartBytes(d));
             return std::vector<std::string>{
                 "chart", s.write("in/u8.ast", formatChartRecord(d).toUtf8()), "--sheet"};
         },
         0, "", kNone, 0,
         [](const Sandbox&, const Outcome& o) {
             EXPECT_EQ(o.out.rfind("Kiss Ödön\n", 0), 0u) << o.out.substr(0, 40);
         }},
        {"FolderInsteadOfFile",
         [](const Sandbox& s) {
             QDir().mkpath(s.path("in/folder.ast"));
             return std::vector<std::string>{"chart", s.path("in/folder.ast").toStdString(),
                                             "--json"};
         },
         1, "folder.ast", kNone},
        {"MissingFile",
         [](const Sandbox& s) {
             return std::vector<std::string>{"chart", s.path("in/nincs.ast").toStdString(),
                                             "--json"};
         },
         1, "nincs.ast", kNone},
        {"ChartFileIsANamedPipe",
         [](const Sandbox& s) {
             return std::vector<std::string>{"chart", s.fifo("in/pipe.ast"), "--json"};
         },
         1, "pipe.ast", kNone, 0},
        {"CodeTableIsANamedPipe",
         [](const Sandbox& s) {
             s.fifo("home/cod.dat");
             return std::vector<std::string>{"interpret", s.write("in/a.ast", chartBytes(anna())),
                                             "--mode", "3"};
         },
         1, "cod.dat", kNone, 0},
        {"SettingsFileIsANamedPipe",
         [](const Sandbox& s) {
             QDir().mkpath(s.path("config/Velorin"));
             s.fifo("config/Velorin/Velorin.ini");
             return chartJson(s, anna());
         },
         0, "", kNone, 0},
        {"CodeTableWriteOntoANamedPipe",
         [](const Sandbox& s) {
             return std::vector<std::string>{"codetable", "--write", s.fifo("in/pipe")};
         },
         1, "pipe", kNone, 0},
        {"QuotesAndSeparatorsInTheName",
         [](const Sandbox& s) {
             BirthData d = with([](BirthData& b) { b.name = "Anna \"B\" ../a/b\\c:d"; });
             return std::vector<std::string>{"interpret", s.write("in/q.ast", chartBytes(d)),
                                             "--mode", "3"};
         },
         0, "", kTextDocument, 0,
         [](const Sandbox& s, const Outcome& o) {
             const QString written = QString::fromStdString(o.out).trimmed();
             EXPECT_EQ(QFileInfo(written).absolutePath(), s.path("data/SZOVEG")) << o.out;
         }},
        {"NamesThatWouldHideTheDocument",
         [](const Sandbox& s) {
             BirthData d = with([](BirthData& b) { b.name = "../x"; });
             return std::vector<std::string>{"interpret", s.write("in/h.ast", chartBytes(d)),
                                             "--mode", "3"};
         },
         0, "", kTextDocument, 0},
        {"FullDiskKeepsTheDocumentsAndSaysSo",
         [](const Sandbox& s) {
             existingDocument(s);
             EXPECT_EQ(s.run({"codetable", "--write", s.path("home/cod.dat").toStdString()}).status,
                       0);
             return std::vector<std::string>{"interpret", s.write("in/a.ast", chartBytes(anna())),
                                             "--mode", "3"};
         },
         1, "Az értelmezés nem menthető", kNone, 1024},
        {"FullDiskKeepsThePicture",
         [](const Sandbox& s) {
             const std::string picture = s.write("in/wheel.png", QByteArray(3000, 'p'));
             return std::vector<std::string>{"chart", s.write("in/a.ast", chartBytes(anna())),
                                             "--wheel", picture};
         },
         1, "wheel.png", kNone, 2048},
        {"FullDiskKeepsTheCodeTable",
         [](const Sandbox& s) {
             s.write("home/cod.dat", "\"ELOSZO0\",\"Előszó\",\"[nincs file hozzarendelve]\"\r\n");
             return std::vector<std::string>{"codetable", "--write",
                                             s.path("home/cod.dat").toStdString()};
         },
         1, "cod.dat", kNone, 1024},
    };
    return table;
}

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class Catalogue : public ::testing::TestWithParam<Case> {};

TEST_P(Catalogue, ClearMessageAndNoExistingFileChanged) {
    const Case& c = GetParam();
    Sandbox sandbox;
    const std::vector<std::string> args = c.setup(sandbox);
    const auto before = sandbox.snapshot();
    const Outcome o = sandbox.run(args, c.fileSizeLimit);

    ASSERT_NE(o.status, -2) << "velorin did not finish within 20 s";
    EXPECT_EQ(o.status, c.status) << o.err;
    if (*c.message) {
        EXPECT_NE(o.err.find(c.message), std::string::npos) << o.err;
    }
    if (c.status != 0) {
        // One clear line, and nothing from a library beside it.
        EXPECT_EQ(std::count(o.err.begin(), o.err.end(), '\n'), 1) << o.err;
    }

    const auto after = sandbox.snapshot();
    for (const auto& [path, bytes] : before) {
        auto it = after.find(path);
        ASSERT_NE(it, after.end()) << path.toStdString() << " vanished";
        EXPECT_EQ(it->second, bytes) << path.toStdString() << " changed";
    }
    const QRegularExpression allowed(QString::fromUtf8(c.newFiles));
    for (const auto& [path, bytes] : after) {
        if (!before.count(path)) {
            EXPECT_TRUE(*c.newFiles && allowed.match(path).hasMatch())
                << "unexpected new entry " << path.toStdString();
        }
    }
    if (c.extra)
        c.extra(sandbox, o);
}

INSTANTIATE_TEST_SUITE_P(Velorin, Catalogue, ::testing::ValuesIn(cases()),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(info.param.name);
                         });

// An impossible calendar date is not refused: it stands for the day the
// arithmetic gives, the 13th month of 1973 being January 1974.
TEST(CatalogueDates, ImpossibleDatesRollOver) {
    Sandbox s;
    const Outcome rolled = s.run(chartJson(s, with([](BirthData& d) {
                                               d.month = "13";
                                               d.day = "26";
                                           })));
    const Outcome plain = s.run({"chart", s.write("in/y.ast", chartBytes(with([](BirthData& d) {
                                                      d.year = "1974";
                                                      d.month = "1";
                                                  }))),
                                 "--json"});
    EXPECT_EQ(rolled.status, 0) << rolled.err;
    EXPECT_EQ(rolled.out, plain.out);
}

// Six runs at once for two different people of one name: each run's
// document is its own and none is lost.
TEST(CatalogueParallel, WritersNeverShareADocument) {
    Sandbox s;
    const std::string first = s.write("in/a1.ast", chartBytes(anna()));
    const std::string second =
        s.write("in/a2.ast", chartBytes(with([](BirthData& d) { d.year = "1990"; })));
    std::vector<Outcome> outcomes(6);
    std::vector<std::thread> runs;
    for (int i = 0; i < 6; ++i)
        runs.emplace_back([&, i] {
            outcomes[size_t(i)] = s.run({"interpret", i % 2 ? second : first, "--mode", "3"});
        });
    for (std::thread& t : runs)
        t.join();
    std::set<std::string> paths;
    for (int i = 0; i < 6; ++i) {
        const Outcome& o = outcomes[size_t(i)];
        ASSERT_EQ(o.status, 0) << o.err;
        const std::string path = QString::fromStdString(o.out).trimmed().toStdString();
        paths.insert(path);
        QFile doc(QString::fromStdString(path));
        ASSERT_TRUE(doc.open(QIODevice::ReadOnly)) << path;
        EXPECT_TRUE(doc.readAll().contains(i % 2 ? "1990" : "1973")) << path;
    }
    EXPECT_EQ(paths.size(), 6u);
}

} // namespace
