#include "jpeg.h"

#include "platform/textfile.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <functional>
#include <memory>
#include <turbojpeg.h>

namespace velorin {

namespace {

JpegResult failure(const QString& description) {
    return {false, kJpegSaveError, description};
}

struct Compressor {
    tjhandle handle = tjInitCompress();
    unsigned char* buffer = nullptr;
    ~Compressor() {
        if (buffer)
            tjFree(buffer);
        if (handle)
            tjDestroy(handle);
    }
};

// What an existing file had, to be given back to its replacement.
struct OldFile {
    QFileDevice::Permissions permissions;
    QDateTime lastRead;
    QDateTime lastModified;
};

void restoreTimes(const QString& path, const OldFile& old) {
    QFile f(path);
    // Opened for writing only to set the times; nothing is written.
    if (!f.open(QIODevice::ReadWrite))
        return;
    f.setFileTime(old.lastRead, QFileDevice::FileAccessTime);
    f.setFileTime(old.lastModified, QFileDevice::FileModificationTime);
    f.close();
}

} // namespace

namespace {

// Rows from `first`, `stride` bytes apart, in the encoder's pixel format.
JpegResult compress(const unsigned char* first, int width, int stride, int height, int pixelFormat,
                    int flags, int quality, QByteArray& out) {
    Compressor c;
    if (!c.handle)
        return failure(QStringLiteral("A JPEG-kódoló nem indítható."));
    unsigned long size = 0;
    if (tjCompress2(c.handle, first, width, stride, height, pixelFormat, &c.buffer, &size,
                    TJSAMP_444, std::clamp(quality, 1, 100), flags | TJFLAG_ACCURATEDCT) != 0)
        return failure(QStringLiteral("A JPEG-kódolás nem sikerült."));
    out = QByteArray(reinterpret_cast<const char*>(c.buffer), qsizetype(size));
    return {true, 0, QString()};
}

QSize clampedSize(QSize jpegSize, int width, int height) {
    if (!jpegSize.isValid())
        return {width, height};
    return {std::clamp(jpegSize.width(), 1, width), std::clamp(jpegSize.height(), 1, height)};
}

JpegResult replaceWithJpeg(const QString& fileName, const QByteArray& bytes,
                           const QString& unchanged);

// Encodes with encode and replaces the file; a failure at either step says
// that a file already there stayed as it was.
JpegResult writeEncodedJpeg(const QString& fileName,
                            const std::function<JpegResult(QByteArray&)>& encode) {
    const QString unchanged = QFileInfo::exists(fileName)
                                  ? QStringLiteral(" A meglévő fájl változatlan maradt.")
                                  : QString();
    QByteArray bytes;
    JpegResult encoded = encode(bytes);
    if (!encoded) {
        encoded.description += unchanged;
        return encoded;
    }
    return replaceWithJpeg(fileName, bytes, unchanged);
}

} // namespace

JpegResult encodeJpeg(const cDIBSection& dib, QByteArray& out, int quality, QSize jpegSize) {
    out.clear();
    if (!dib.DIBSectionBitsPtr())
        return failure(QStringLiteral("Nincs menthető kép (üres bitkép)."));
    const QSize size = clampedSize(jpegSize, dib.Width(), dib.Height());
    // Rows are stored bottom-up: the top part of the picture is the end of
    // the buffer.
    const int stride = dib.BytesPerScanLine();
    const unsigned char* first =
        dib.DIBSectionBitsPtr() + size_t(dib.Height() - size.height()) * size_t(stride);
    return compress(first, size.width(), stride, size.height(), TJPF_BGR, TJFLAG_BOTTOMUP, quality,
                    out);
}

JpegResult encodePictureAsJpeg(const QImage& picture, QByteArray& out, int quality,
                               QSize jpegSize) {
    // The drawing surfaces are 32-bit RGB, which the encoder reads where it
    // lies: the same pixels as through a bitmap, so the same JPEG, without two
    // more copies of a picture that may be 8000 x 8000.
    if (picture.format() == QImage::Format_RGB32) {
        out.clear();
        const QSize size = clampedSize(jpegSize, picture.width(), picture.height());
        const int pixelFormat = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? TJPF_BGRX : TJPF_XRGB;
        return compress(picture.constBits(), size.width(), int(picture.bytesPerLine()),
                        size.height(), pixelFormat, 0, quality, out);
    }
    cDIBSection dib;
    dib.CreateFromPicture(picture);
    return encodeJpeg(dib, out, quality, jpegSize);
}

JpegResult saveJpeg(const cDIBSection& dib, const QString& fileName, int quality, QSize jpegSize) {
    return writeEncodedJpeg(
        fileName, [&](QByteArray& bytes) { return encodeJpeg(dib, bytes, quality, jpegSize); });
}

JpegResult savePictureAsJpeg(const QImage& picture, const QString& fileName, int quality,
                             QSize jpegSize) {
    return writeEncodedJpeg(fileName, [&](QByteArray& bytes) {
        if (picture.isNull())
            return failure(QStringLiteral("Nincs menthető kép (üres bitkép)."));
        return encodePictureAsJpeg(picture, bytes, quality, jpegSize);
    });
}

namespace {

JpegResult replaceWithJpeg(const QString& fileName, const QByteArray& bytes,
                           const QString& unchanged) {
    const QFileInfo info(fileName);
    std::unique_ptr<OldFile> old;
    if (info.exists()) {
        if (!info.isFile())
            return failure(QStringLiteral("A(z) ") + fileName +
                           QStringLiteral(" nem közönséges fájl, ezért nem írható felül."));
        // Only the stored bits: the "user" ones say what this process may do
        // (everything, for root) and would come back as the owner's.
        const QFileDevice::Permissions stored =
            info.permissions() &
            ~(QFileDevice::ReadUser | QFileDevice::WriteUser | QFileDevice::ExeUser);
        old.reset(new OldFile{stored, info.lastRead(), info.lastModified()});
        // A read-only picture is replaced too; its permissions come back below.
        if (!(stored & QFileDevice::WriteOwner))
            QFile::setPermissions(fileName, old->permissions | QFileDevice::WriteOwner);
    }
    QString error;
    if (!writeFileAtomically(fileName, bytes, &error)) {
        if (old)
            QFile::setPermissions(fileName, old->permissions);
        return failure(QStringLiteral("A(z) ") + fileName + QStringLiteral(" nem írható: ") +
                       error + "." + unchanged);
    }
    if (old) {
        restoreTimes(fileName, *old);
        QFile::setPermissions(fileName, old->permissions);
    }
    return {true, 0, QString()};
}

} // namespace

} // namespace velorin
