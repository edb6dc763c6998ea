// Writes a program's icon file from its SVG artwork at build time:
//   makeicon ARTWORK SIDE OUT.ico
// A missing artwork or an unwritable file fails the build rather than leaving
// an empty icon behind.

#include "assets/artwork.h"

#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: makeicon ARTWORK SIDE OUT.ico\n");
        return 2;
    }
    const QString name = QString::fromLocal8Bit(argv[1]);
    const int side = QByteArray(argv[2]).toInt();
    const QPixmap picture = velorin::artworkPixmap(name, side);
    if (picture.isNull()) {
        std::fprintf(stderr, "makeicon: no artwork %s at %s pixels\n", argv[1], argv[2]);
        return 1;
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[3]), "ico");
    if (!writer.write(picture.toImage())) {
        std::fprintf(stderr, "makeicon: %s: %s\n", argv[3],
                     writer.errorString().toLocal8Bit().constData());
        return 1;
    }
    return 0;
}
