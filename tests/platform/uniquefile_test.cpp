// Free names taken with their content, under kills and parallel savers, and
// the temporary files a killed write leaves behind.

#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <ctime>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace velorin;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray contentOf(int writer, qsizetype size) {
    QByteArray b(size, char('a' + writer % 26));
    b.prepend(QByteArray::number(writer) + ":");
    return b;
}

// The names a user sees in the folder (hidden temporary files aside).
QStringList visibleFiles(const QString& folder) {
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

TEST(UniqueFile, AWriterKilledMidWriteLeavesNoDocument) {
    // A file-size limit with SIGXFSZ at its default kills the writer in the
    // middle of the content, deterministically: the moment a killed
    // `velorin interpret` used to leave an empty document behind.
    QTemporaryDir dir;
    const QString anna = dir.filePath("Anna.txt");
    const pid_t pid = ::fork();
    if (pid == 0) {
        rlimit noCore{0, 0};
        ::setrlimit(RLIMIT_CORE, &noCore);
        rlimit small{4096, 4096};
        ::setrlimit(RLIMIT_FSIZE, &small);
        std::signal(SIGXFSZ, SIG_DFL);
        writeUniqueFile(anna, "txt", contentOf(1, 64 * 1024));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ) << status;
    EXPECT_TRUE(visibleFiles(dir.path()).isEmpty())
        << visibleFiles(dir.path()).join(' ').toStdString();

    // The next save takes the first name with its whole content.
    const std::optional<QString> name = writeUniqueFile(anna, "txt", contentOf(2, 100));
    ASSERT_TRUE(name);
    EXPECT_EQ(*name, anna);
    EXPECT_EQ(bytesOf(anna), contentOf(2, 100));
}

TEST(UniqueFile, KilledAtAnyMomentEveryNamedFileIsWhole) {
    QTemporaryDir dir;
    const QByteArray content = contentOf(7, 1024 * 1024);
    // Killed after different delays, so that some kills land while the
    // content is written, some while it is synced and some while linked.
    for (int round = 0; round < 16; ++round) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            for (int n = 0;; ++n)
                writeUniqueFile(dir.filePath(QString("r%1_%2.doc").arg(round).arg(n)), "doc",
                                content);
        }
        std::this_thread::sleep_for(std::chrono::microseconds(500 + round * 1500));
        ::kill(pid, SIGKILL);
        int status = 0;
        ::waitpid(pid, &status, 0);
    }
    const QStringList files = visibleFiles(dir.path());
    EXPECT_FALSE(files.isEmpty());
    for (const QString& f : files)
        EXPECT_TRUE(bytesOf(dir.filePath(f)) == content) << f.toStdString() << " is not whole";
}

TEST(UniqueFile, ParallelSaversEachGetTheirOwnName) {
    QTemporaryDir dir;
    const QString anna = dir.filePath("Anna.txt");
    constexpr int kWriters = 6;
    std::vector<pid_t> pids;
    for (int w = 0; w < kWriters; ++w) {
        const pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(writeUniqueFile(anna, "txt", contentOf(w, 256 * 1024)) ? 0 : 1);
        pids.push_back(pid);
    }
    for (pid_t pid : pids) {
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    QStringList expected{"Anna.txt"};
    for (int n = 2; n <= kWriters; ++n)
        expected << QString("Anna(%1).txt").arg(n);
    expected.sort();
    EXPECT_EQ(visibleFiles(dir.path()), expected);
    QSet<int> writers;
    for (const QString& f : expected) {
        const QByteArray b = bytesOf(dir.filePath(f));
        const int w = b.left(b.indexOf(':')).toInt();
        EXPECT_EQ(b, contentOf(w, 256 * 1024)) << f.toStdString();
        writers.insert(w);
    }
    EXPECT_EQ(writers.size(), kWriters);
    // No temporary file stays behind a finished save.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), kWriters);
}

void setAge(const QString& path, int minutes) {
    const timespec when{std::time(nullptr) - minutes * 60, 0};
    const timespec times[2] = {when, when};
    ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, AT_SYMLINK_NOFOLLOW);
}

TEST(StaleTemporaries, OnlyTheWritersOwnOldTemporariesGo) {
    enum Kind { File, Folder, Link };
    struct Case {
        const char* name;
        Kind kind;
        int ageMinutes;
        bool removed;
    };
    const Case cases[] = {
        {".table.dat.k3j2.tmp", File, 120, true},
        {".Anna(2).txt.1a2b3c4.tmp", File, 61, true},
        {".table.dat.zz.tmp", File, 50, false},        // young: a write may be in progress
        {"table.dat.k3j2.tmp", File, 600, false},      // not hidden
        {".table.dat.K3J2.tmp", File, 600, false},     // not our random part
        {".table.dat.k3j2x9zq.tmp", File, 600, false}, // longer than ours
        {".table.dat.k3j2.tmp.bak", File, 600, false}, // another suffix
        {".k3j2.tmp", File, 600, false},               // no name before it
        {".table.dat..tmp", File, 600, false},         // no random part
        {"notes.txt", File, 600, false},
        {".folder.abc.tmp", Folder, 600, false},
        {".link.abc.tmp", Link, 600, false},
    };
    for (const bool unique : {false, true}) {
        QTemporaryDir dir;
        for (const Case& c : cases) {
            const QString path = dir.filePath(c.name);
            if (c.kind == File) {
                QFile f(path);
                ASSERT_TRUE(f.open(QIODevice::WriteOnly));
                f.write("half");
            } else if (c.kind == Folder) {
                ASSERT_TRUE(QDir().mkdir(path));
            } else {
                ASSERT_TRUE(QFile::link(dir.filePath("notes.txt"), path));
            }
            setAge(path, c.ageMinutes);
        }
        // Either writer cleans the folder it writes into.
        if (unique)
            ASSERT_TRUE(writeUniqueFile(dir.filePath("Anna.txt"), "txt", "új"));
        else
            ASSERT_TRUE(writeFileAtomically(dir.filePath("table.dat"), "új"));
        for (const Case& c : cases) {
            struct stat st;
            const bool present =
                ::lstat(QFile::encodeName(dir.filePath(c.name)).constData(), &st) == 0;
            EXPECT_EQ(present, !c.removed) << c.name << (unique ? " (unique)" : " (atomic)");
        }
        EXPECT_EQ(bytesOf(dir.filePath("notes.txt")), "half");
    }
}

} // namespace
