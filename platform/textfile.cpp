#include "textfile.h"

#include "folders.h"
#include "oserror.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QStringEncoder>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velorin {

QString trimBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && s[b] == QLatin1Char(' '))
        ++b;
    while (e > b && s[e - 1] == QLatin1Char(' '))
        --e;
    return s.mid(b, e - b);
}

QStringList splitLineEnds(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        lines << text.mid(start, i - start);
        if (c == QLatin1Char('\r') && i + 1 < n && text[i + 1] == QLatin1Char('\n'))
            ++i;
        start = i + 1;
    }
    lines << text.mid(start);
    return lines;
}

QByteArray toCp1250(const QString& text) {
    QStringEncoder enc("windows-1250");
    QByteArray out = enc.encode(text);
    return out;
}

namespace {

// The code page has one character per byte, so a table made once through
// the converter decodes exactly as the converter does, without opening it
// (and looking its name up) for every file: that was most of reading a
// short file. Empty if the converter ever gives other than one character.
const std::vector<char16_t>& cp1250Table() {
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> t(256);
        for (int b = 0; b < 256; ++b) {
            QStringDecoder dec("windows-1250");
            const QString s = dec.decode(QByteArray(1, char(b)));
            if (s.size() != 1)
                return std::vector<char16_t>();
            t[size_t(b)] = s.at(0).unicode();
        }
        return t;
    }();
    return table;
}

} // namespace

QString fromCp1250(const QByteArray& bytes) {
    const std::vector<char16_t>& table = cp1250Table();
    if (table.empty()) {
        QStringDecoder dec("windows-1250");
        return dec.decode(bytes);
    }
    QString out(bytes.size(), Qt::Uninitialized);
    QChar* w = out.data();
    for (const char c : bytes)
        *w++ = QChar(table[static_cast<unsigned char>(c)]);
    return out;
}

QString decodeTextFile(const QByteArray& bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(bytes.mid(3));
    bool highBytes = false;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            highBytes = true;
            break;
        }
    if (highBytes) {
        // Windows-1250 text with accents is practically never valid UTF-8,
        // so valid UTF-8 means a file saved by another editor.
        QStringDecoder utf8(QStringDecoder::Utf8);
        QString s = utf8.decode(bytes);
        if (!utf8.hasError())
            return s;
    }
    return fromCp1250(bytes);
}

namespace {

QString tooLarge() {
    return QStringLiteral("túl nagy fájl");
}

QString notRegular() {
    return QStringLiteral("nem közönséges fájl (mappa, csővezeték vagy eszköz)");
}

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

// write() until every byte is out: a short write is no error by itself, but
// the call after it reports why the rest did not fit.
bool writeAll(int fd, const QByteArray& bytes, int& errnum) {
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            errnum = errno;
            return false;
        }
        if (n == 0) {
            errnum = EIO;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

constexpr char kTempSuffix[] = ".tmp";

// ".NAME.XXXX.tmp", XXXX the random part createTemporaryBeside puts in
// (base 36 of 32 bits: 1 to 7 lower-case letters and digits).
bool isOwnTemporaryName(const char* name) {
    const size_t n = std::strlen(name);
    const size_t suffix = sizeof kTempSuffix - 1;
    if (n < 1 + 1 + 1 + 1 + suffix || name[0] != '.' ||
        std::strcmp(name + n - suffix, kTempSuffix) != 0)
        return false;
    size_t end = n - suffix; // one past the random part
    size_t start = end;
    while (start > 0 && ((name[start - 1] >= '0' && name[start - 1] <= '9') ||
                         (name[start - 1] >= 'a' && name[start - 1] <= 'z')))
        --start;
    const size_t random = end - start;
    // A dot before the random part, and a name of at least one byte before it.
    return random >= 1 && random <= 7 && start >= 3 && name[start - 1] == '.';
}

void syncFolder(const QByteArray& folder) {
    // Syncing a folder is a courtesy that some file systems refuse.
    const int dirFd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        ::fsync(dirFd);
        ::close(dirFd);
    }
}

// Writes, syncs and closes; false with errnum set (the file stays open on
// no path: it is always closed).
bool writeSyncClose(int fd, const QByteArray& bytes, int& errnum) {
    bool ok = writeAll(fd, bytes, errnum);
    // The data must be on the disk before a name points at it; otherwise a
    // crash right after can leave an empty file under the name.
    if (ok && ::fsync(fd) != 0) {
        errnum = errno;
        ok = false;
    }
    if (::close(fd) != 0 && ok) {
        errnum = errno;
        ok = false;
    }
    return ok;
}

// A name beside the target that nobody else uses: created exclusively, so
// that two writers of the same target never share a temporary file.
int createTemporaryBeside(const QByteArray& target, QByteArray& tempPath, int& errnum) {
    const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(target)).path());
    const QByteArray base = QFile::encodeName(QFileInfo(QFile::decodeName(target)).fileName());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = folder + "/." + base + "." +
                   QByteArray::number(QRandomGenerator::global()->generate(), 36) + kTempSuffix;
        const int fd = ::open(tempPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0)
            return fd;
        if (errno != EEXIST) {
            errnum = errno;
            return -1;
        }
    }
    errnum = EEXIST;
    return -1;
}

} // namespace

bool isRegularOrAbsent(const QString& path) {
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return errno == ENOENT;
    return S_ISREG(st.st_mode);
}

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    // A link is followed, so that the file it names is replaced and the link stays.
    QString targetPath = path;
    const QFileInfo info(path);
    if (info.isSymLink())
        targetPath = info.symLinkTarget();
    const QByteArray target = QFile::encodeName(targetPath);

    struct stat old;
    const bool exists = ::stat(target.constData(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        // Renaming over a pipe or a device would replace it with a plain file.
        setError(error, notRegular());
        return false;
    }

    // Before the new temporary file: on a full disk the space of the old
    // ones may be what lets this write through.
    removeStaleTemporaries(QFileInfo(targetPath).path());

    int errnum = 0;
    QByteArray temp;
    const int fd = createTemporaryBeside(target, temp, errnum);
    if (fd < 0) {
        setError(error, osErrorText(errnum));
        return false;
    }
    // The replacement keeps the old file's permissions; should that fail, the
    // default ones lose no data.
    if (exists)
        static_cast<void>(::fchmod(fd, old.st_mode & 07777));
    bool ok = writeSyncClose(fd, bytes, errnum);
    if (ok && ::rename(temp.constData(), target.constData()) != 0) {
        errnum = errno;
        ok = false;
    }
    if (!ok) {
        ::unlink(temp.constData());
        setError(error, osErrorText(errnum));
        return false;
    }
    // The rename itself lives in the folder.
    syncFolder(QFile::encodeName(QFileInfo(targetPath).path()));
    return true;
}

void removeStaleTemporaries(const QString& folder, qint64 maxAgeSeconds) {
    const QByteArray path = QFile::encodeName(folder.isEmpty() ? QStringLiteral(".") : folder);
    DIR* dir = ::opendir(path.constData());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    const time_t now = ::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!isOwnTemporaryName(entry->d_name))
            continue;
        struct stat st;
        // A link, a folder or a pipe of that shape is not ours.
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (now - st.st_mtime > maxAgeSeconds)
            ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

std::optional<QString> writeUniqueFile(const QString& path, const QString& extension,
                                       const QByteArray& bytes, QString* error) {
    const QByteArray folder = QFile::encodeName(QFileInfo(path).path());
    removeStaleTemporaries(QFileInfo(path).path());

    int errnum = 0;
    QByteArray temp;
    const int fd = createTemporaryBeside(QFile::encodeName(path), temp, errnum);
    if (fd < 0) {
        setError(error, osErrorText(errnum));
        return std::nullopt;
    }
    if (!writeSyncClose(fd, bytes, errnum)) {
        ::unlink(temp.constData());
        setError(error, osErrorText(errnum));
        return std::nullopt;
    }
    for (const QString& candidate : uniqueNameCandidates(path, extension)) {
        const QByteArray name = QFile::encodeName(candidate);
        // link() never replaces: an existing name, taken by an earlier save
        // or a parallel one a moment ago, fails with EEXIST.
        int rc = ::link(temp.constData(), name.constData());
        int linkErr = rc == 0 ? 0 : errno;
        bool moved = false;
        if (rc != 0 && (linkErr == EPERM || linkErr == EOPNOTSUPP || linkErr == EMLINK)) {
            // A file system without hard links: a rename that refuses to
            // replace claims the name just as safely.
            rc = ::renameat2(AT_FDCWD, temp.constData(), AT_FDCWD, name.constData(),
                             RENAME_NOREPLACE);
            linkErr = rc == 0 ? 0 : errno;
            moved = rc == 0;
        }
        if (rc == 0) {
            if (!moved)
                ::unlink(temp.constData());
            syncFolder(folder);
            return candidate;
        }
        if (linkErr == EEXIST)
            continue;
        ::unlink(temp.constData());
        setError(error, osErrorText(linkErr));
        return std::nullopt;
    }
    ::unlink(temp.constData());
    setError(error, QStringLiteral("a(z) %1 név és a (2)-(10) sorszámú változatai mind foglaltak")
                        .arg(QFileInfo(path).fileName()));
    return std::nullopt;
}

bool readSmallFile(const QString& path, QByteArray& out, qint64 maxBytes, QString* error) {
    out.clear();
    // Opened without waiting, so that a named pipe cannot hang the program
    // before it is seen not to be a file.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        setError(error, osErrorText(errno));
        return false;
    }
    struct stat st;
    if (::fstat(fd, &st) != 0) {
        setError(error, osErrorText(errno));
        ::close(fd);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        setError(error, S_ISDIR(st.st_mode) ? osErrorText(EISDIR) : notRegular());
        ::close(fd);
        return false;
    }
    if (st.st_size > maxBytes) {
        setError(error, tooLarge());
        ::close(fd);
        return false;
    }
    // The size may change while reading: at most maxBytes + 1 is ever held.
    QByteArray bytes(qsizetype(st.st_size) + 1, Qt::Uninitialized);
    qsizetype have = 0;
    for (;;) {
        if (have == bytes.size()) {
            if (have > maxBytes)
                break;
            bytes.resize(std::min<qsizetype>(have * 2 + 4096, qsizetype(maxBytes) + 1));
        }
        const ssize_t n = ::read(fd, bytes.data() + have, size_t(bytes.size() - have));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            setError(error, osErrorText(errno));
            ::close(fd);
            return false;
        }
        if (n == 0)
            break;
        have += n;
    }
    ::close(fd);
    if (have > maxBytes) {
        setError(error, tooLarge());
        return false;
    }
    bytes.truncate(have);
    out = bytes;
    return true;
}

} // namespace velorin
