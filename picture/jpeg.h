#pragma once
// Writing a cDIBSection as a JPEG file.

#include "dibsection.h"

#include <QByteArray>
#include <QSize>
#include <QString>

namespace velorin {

// The error number every failed JPEG save carries.
inline constexpr int kJpegSaveError = 26001;
// The quality the programs save their pictures with.
inline constexpr int kPictureQuality = 90;

struct JpegResult {
    bool ok = false;
    int errorNumber = 0;
    QString description; // Hungarian, says what failed and what stayed unchanged
    explicit operator bool() const { return ok; }
};

// Encodes the bitmap and replaces fileName with it atomically. jpegSize, when
// given, is the size of the JPEG: the top left part of the bitmap of that size
// (never more than the bitmap holds). A file that existed keeps its
// permissions and its access and modification times, even a read-only one.
// On failure an existing file is left as it was.
JpegResult saveJpeg(const cDIBSection& dib, const QString& fileName, int quality,
                    QSize jpegSize = QSize());

// The encoding alone, for a caller that chooses the name itself (a free
// name is taken only with the finished bytes, see writeUniqueFile).
JpegResult encodeJpeg(const cDIBSection& dib, QByteArray& out, int quality,
                      QSize jpegSize = QSize());
JpegResult encodePictureAsJpeg(const QImage& picture, QByteArray& out,
                               int quality = kPictureQuality, QSize jpegSize = QSize());

// The picture captured into a bitmap and written with saveJpeg.
JpegResult savePictureAsJpeg(const QImage& picture, const QString& fileName,
                             int quality = kPictureQuality, QSize jpegSize = QSize());

} // namespace velorin
