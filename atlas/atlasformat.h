#pragma once
// What the atlas reader and writer share about the file (layout in
// atlasfile.cpp); not for use outside the atlas library.

#include <QByteArrayView>
#include <QString>
#include <QtGlobal>

namespace velorin {

inline constexpr char kAtlasMagic[8] = {'V', 'L', 'R', 'A', 'T', 'L', 'A', 'S'};
inline constexpr quint32 kAtlasVersion = 2;
inline constexpr int kAtlasHeaderBytes = 64;
inline constexpr int kAtlasPlaceBytes = 20;
inline constexpr int kAtlasRegionBytes = 6;
inline constexpr int kAtlasEntryBytes = 12;
inline constexpr quint32 kAtlasOtherName = 0x8000'0000u;
// Far above the real sizes (230,000 places, 24 MB), far below harm.
inline constexpr qint64 kAtlasMaxFileBytes = qint64(512) << 20;
inline constexpr quint32 kAtlasMaxPlaces = 4'000'000;
inline constexpr quint32 kAtlasMaxEntries = 40'000'000;

inline quint32 atlasLe32(const void* at) {
    const auto* u = static_cast<const unsigned char*>(at);
    return quint32(u[3]) << 24 | quint32(u[2]) << 16 | quint32(u[1]) << 8 | u[0];
}

inline quint32 atlasBe32(const void* at) {
    const auto* u = static_cast<const unsigned char*>(at);
    return quint32(u[0]) << 24 | quint32(u[1]) << 16 | quint32(u[2]) << 8 | u[3];
}

inline quint16 atlasLe16(const void* at) {
    const auto* u = static_cast<const unsigned char*>(at);
    return quint16(u[1] << 8 | u[0]);
}

// The length-prefixed string at offset of a table of that many bytes; false
// when it does not lie wholly inside.
inline bool atlasString(const unsigned char* table, quint32 bytes, quint32 offset,
                        QByteArrayView* out) {
    if (offset >= bytes)
        return false;
    const quint32 length = table[offset];
    if (length > bytes - offset - 1)
        return false;
    *out = QByteArrayView(reinterpret_cast<const char*>(table) + offset + 1, length);
    return true;
}

// Well-formed UTF-8 without control characters: a line feed, a tab or a NUL
// (one bit away from a letter) would split or shift the rows a name is
// printed in.
bool validAtlasName(QByteArrayView name);
// An IANA zone name: letters, digits and "/_+-" only, so it can name no
// path outside the zone database.
bool validAtlasZoneName(QByteArrayView name);

inline QString atlasRefusal(const QString& path, const QString& why) {
    return QStringLiteral("A helységtár (%1) nem olvasható: %2.").arg(path, why);
}

} // namespace velorin
