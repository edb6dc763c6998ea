// Feeds arbitrary bytes to the RTF reader, writes what it read and reads that
// again: passages and editor files come from anywhere, so the reader must end
// quietly on any input, and the writer must produce what the reader accepts.

#include "interpretation/rtf.h"

#include <QGuiApplication>
#include <QTextDocument>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(*argc, *argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    (void)velorin::looksLikeRtf(bytes);
    const QString plain = velorin::rtfToPlainText(bytes);

    QTextDocument doc;
    velorin::rtfToDocument(bytes, doc);
    const QByteArray written = velorin::documentToRtf(doc);
    QTextDocument again;
    velorin::rtfToDocument(written, again);
    if (again.toPlainText() != doc.toPlainText()) {
        std::fprintf(stderr, "document text changed by a write and read\n");
        std::abort();
    }

    // Plain text written as RTF reads back with CR LF line ends.
    QString normalized = plain;
    normalized.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    normalized.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    normalized.replace(QChar::LineSeparator, QLatin1Char('\n'));
    normalized.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    if (velorin::rtfToPlainText(velorin::plainTextToRtf(plain)) != normalized) {
        std::fprintf(stderr, "plain text changed by a write and read\n");
        std::abort();
    }
    return 0;
}
