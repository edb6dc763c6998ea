// Atomic replacement and hostile reads: a full disk, a size limit, pipes and
// folders where a file was expected.

#include "platform/oserror.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace velorin;

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void put(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    ASSERT_EQ(f.write(bytes), bytes.size());
}

struct LimitedWrite {
    bool returned = false;
    QString error;
};

// The write as a process under a file-size limit sees it (a full disk gives
// the same short writes): in a child, with SIGXFSZ ignored as a shell's
// `trap '' XFSZ` does, so the limit shows as EFBIG instead of killing it.
LimitedWrite writeUnderLimit(const QString& path, const QByteArray& bytes, rlim_t limit) {
    int pipeFds[2];
    if (::pipe(pipeFds) != 0)
        return {};
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(pipeFds[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit rl{limit, limit};
        ::setrlimit(RLIMIT_FSIZE, &rl);
        QString error;
        const bool ok = writeFileAtomically(path, bytes, &error);
        const QByteArray report = QByteArray(ok ? "1" : "0") + error.toUtf8();
        ssize_t unused = ::write(pipeFds[1], report.constData(), size_t(report.size()));
        static_cast<void>(unused);
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    QByteArray report;
    char buf[512];
    ssize_t n;
    while ((n = ::read(pipeFds[0], buf, sizeof buf)) > 0)
        report.append(buf, n);
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    LimitedWrite r;
    r.returned = report.startsWith('1');
    r.error = QString::fromUtf8(report.mid(1));
    return r;
}

TEST(AtomicWrite, ASizeLimitLeavesTheOriginalByteForByte) {
    struct Case {
        const char* name;
        int oldSize; // -1: no file before
        int newSize;
        rlim_t limit;
    };
    // Below and above the 16 KiB the old writer buffered before its first
    // real write, and a target that did not exist yet.
    const Case cases[] = {{"small document", 1900, 3000, 1024},
                          {"large document", 100000, 200000, 65536},
                          {"new file", -1, 5000, 1024}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath("Anna.txt");
        const QByteArray old(c.oldSize < 0 ? 0 : c.oldSize, 'o');
        if (c.oldSize >= 0)
            put(path, old);
        const LimitedWrite w = writeUnderLimit(path, QByteArray(c.newSize, 'n'), c.limit);
        EXPECT_FALSE(w.returned);
        EXPECT_EQ(w.error, osErrorText(EFBIG));
        if (c.oldSize >= 0)
            EXPECT_EQ(bytesOf(path), old);
        else
            EXPECT_FALSE(QFile::exists(path));
        // No temporary file is left behind.
        const QStringList left =
            QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        EXPECT_EQ(left, c.oldSize >= 0 ? QStringList{"Anna.txt"} : QStringList{});
    }
}

TEST(AtomicWrite, ReplacesARegularFileAndKeepsItsMode) {
    QTemporaryDir dir;
    const QString path = dir.filePath("cod.dat");
    put(path, "old");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    QString error;
    ASSERT_TRUE(writeFileAtomically(path, "new", &error)) << error.toStdString();
    EXPECT_EQ(bytesOf(path), "new");
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

// A pipe, a folder: what a reader must refuse without waiting for a writer,
// and what a writer must not replace with a plain file.
TEST(HostileFiles, PipesAndFoldersAreNeitherReadNorReplaced) {
    QTemporaryDir dir;
    const QString fifo = dir.filePath("cod.dat");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString folder = dir.filePath("mappa");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString big = dir.filePath("big.ast");
    put(big, QByteArray(2000, 'x'));

    struct Case {
        QString path;
        QString reason;
    };
    const Case reads[] = {{fifo, "nem közönséges fájl"},
                          {folder, osErrorText(EISDIR)},
                          {big, "túl nagy fájl"},
                          {dir.filePath("nincs.ast"), osErrorText(ENOENT)}};
    for (const Case& c : reads) {
        SCOPED_TRACE(c.path.toStdString());
        QByteArray out = "stale";
        QString error;
        EXPECT_FALSE(readSmallFile(c.path, out, 1000, &error));
        EXPECT_TRUE(error.startsWith(c.reason)) << error.toStdString();
        EXPECT_TRUE(out.isEmpty());
    }
    for (const QString& target : {fifo, folder}) {
        QString error;
        EXPECT_FALSE(writeFileAtomically(target, "x", &error));
        EXPECT_FALSE(error.isEmpty());
    }
    struct stat st;
    ASSERT_EQ(::stat(QFile::encodeName(fifo).constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_FALSE(isRegularOrAbsent(fifo));
    EXPECT_TRUE(isRegularOrAbsent(big));
    EXPECT_TRUE(isRegularOrAbsent(dir.filePath("nincs")));
}

TEST(HostileFiles, SystemErrorsReadInHungarian) {
    for (int e : {ENOSPC, EFBIG, EDQUOT, EACCES, EROFS, ENOENT, EISDIR}) {
        const QString text = osErrorText(e);
        EXPECT_FALSE(text.isEmpty());
        EXPECT_NE(text, QString::fromLocal8Bit(std::strerror(e)));
    }
    EXPECT_EQ(osErrorText(ENOSPC), "nincs elég szabad hely a lemezen");
}

} // namespace
