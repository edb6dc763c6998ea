#include "png.h"

#include <QtEndian>
#include <vector>
#include <zlib.h>

namespace velorin {

namespace {

void appendChunk(QByteArray& out, const char type[4], const QByteArray& data) {
    const quint32 length = qToBigEndian(quint32(data.size()));
    out.append(reinterpret_cast<const char*>(&length), 4);
    const qsizetype start = out.size();
    out.append(type, 4);
    out.append(data);
    const uLong crc = ::crc32(0, reinterpret_cast<const Bytef*>(out.constData() + start),
                              uInt(out.size() - start));
    const quint32 big = qToBigEndian(quint32(crc));
    out.append(reinterpret_cast<const char*>(&big), 4);
}

} // namespace

QByteArray encodePng(const QImage& picture) {
    if (picture.isNull())
        return {};
    const QImage rgb =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_ARGB32
            ? picture
            : picture.convertToFormat(QImage::Format_RGB32);
    const int width = rgb.width(), height = rgb.height();

    QByteArray header;
    const quint32 w = qToBigEndian(quint32(width)), h = qToBigEndian(quint32(height));
    header.append(reinterpret_cast<const char*>(&w), 4);
    header.append(reinterpret_cast<const char*>(&h), 4);
    header.append("\x08\x02\x00\x00\x00", 5); // 8 bits, RGB, deflate, filters, no interlace

    z_stream z{};
    if (deflateInit2(&z, 6, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
        return {};
    QByteArray packed;
    std::vector<Bytef> row(size_t(width) * 3 + 1);
    std::vector<Bytef> chunk(1 << 16);
    bool ok = true;
    for (int y = 0; y < height && ok; ++y) {
        // Filter 1 (Sub): each byte less the same colour of the pixel to its left.
        const QRgb* in = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        row[0] = 1;
        int pr = 0, pg = 0, pb = 0;
        Bytef* out = row.data() + 1;
        for (int x = 0; x < width; ++x) {
            const int r = qRed(in[x]), g = qGreen(in[x]), b = qBlue(in[x]);
            *out++ = Bytef(r - pr);
            *out++ = Bytef(g - pg);
            *out++ = Bytef(b - pb);
            pr = r, pg = g, pb = b;
        }
        z.next_in = row.data();
        z.avail_in = uInt(row.size());
        const int flush = y + 1 == height ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = chunk.data();
            z.avail_out = uInt(chunk.size());
            const int rc = deflate(&z, flush);
            if (rc == Z_STREAM_ERROR) {
                ok = false;
                break;
            }
            packed.append(reinterpret_cast<const char*>(chunk.data()),
                          qsizetype(chunk.size() - z.avail_out));
        } while (z.avail_out == 0 || (flush == Z_FINISH && z.avail_in > 0));
    }
    deflateEnd(&z);
    if (!ok)
        return {};

    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    appendChunk(png, "IHDR", header);
    // One data chunk per megabyte or so, as readers expect of large files.
    constexpr qsizetype kChunk = 1 << 20;
    for (qsizetype i = 0; i < packed.size(); i += kChunk)
        appendChunk(png, "IDAT", packed.mid(i, kChunk));
    if (packed.isEmpty())
        appendChunk(png, "IDAT", packed);
    appendChunk(png, "IEND", QByteArray());
    return png;
}

} // namespace velorin
