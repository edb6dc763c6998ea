#include "textfile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>

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

QString fromCp1250(const QByteArray& bytes) {
    QStringDecoder dec("windows-1250");
    return dec.decode(bytes);
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

bool writeFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (f.write(bytes) != bytes.size()) {
        if (error)
            *error = f.errorString();
        f.cancelWriting();
        return false;
    }
    if (!f.commit()) {
        if (error)
            *error = f.errorString();
        return false;
    }
    return true;
}

bool readSmallFile(const QString& path, QByteArray& out, qint64 maxBytes, QString* error) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        if (error)
            *error = f.errorString();
        return false;
    }
    if (f.size() > maxBytes) {
        if (error)
            *error = QStringLiteral("túl nagy fájl");
        return false;
    }
    // In pieces: one read of maxBytes + 1 reserves the whole limit (64 MiB for
    // the code table) however short the file.
    out.clear();
    while (out.size() <= maxBytes) {
        const QByteArray piece = f.read(qMin<qint64>(1 << 20, maxBytes + 1 - out.size()));
        if (piece.isEmpty())
            break;
        out += piece;
    }
    if (out.size() > maxBytes) {
        if (error)
            *error = QStringLiteral("túl nagy fájl");
        return false;
    }
    return true;
}

} // namespace velorin
