// Opening the atlas file. The file is checked as if it came from anywhere,
// but only as far as it is used: the header, the counts and the extent of
// every table here; each place, with its region and zone, each name and
// each index entry when a search first reads it (atlas.cpp). A fault found
// either way refuses the whole file.
//
// Layout, integers little-endian except the version:
//   "VLRATLAS", u32 big-endian version (2), u32 places, u32 regions,
//   u32 zones, u32 index entries, u32 text bytes, u32 key bytes, 28 zero bytes
//   places:  u32 name, i32 latitude and i32 longitude in 1e-5 degrees,
//            u32 population, u16 region, u16 zone; largest first
//   zones:   u32 text offset of the IANA name
//   regions: 2 ASCII bytes country code, u32 text offset of the name
//   index:   u32 key offset, u32 place (top bit: another name), u32 text
//            offset of the name; sorted by key bytes, then place
//   text:    strings, each one length byte and that many UTF-8 bytes
//   keys:    search keys (searchkey.h), stored like the texts

#include "atlas.h"
#include "atlasformat.h"

#include <QFileInfo>
#include <cctype>
#include <cstring>

namespace velorin {

bool validAtlasZoneName(QByteArrayView name) {
    // strchr finds a NUL too, as the end of its list.
    for (char c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || (c != '\0' && std::strchr("/_+-", c))))
            return false;
    return !name.isEmpty();
}

namespace {

// Well-formed UTF-8 without overlong forms, surrogates or values past U+10FFFF.
bool validUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        const unsigned c = *p++;
        int more = 0;
        unsigned min = 0, value = 0;
        if (c < 0x80)
            continue;
        if (c >= 0xC2 && c <= 0xDF) {
            more = 1, min = 0x80, value = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            more = 2, min = 0x800, value = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            more = 3, min = 0x10000, value = c & 0x07;
        } else {
            return false;
        }
        if (end - p < more)
            return false;
        for (int i = 0; i < more; ++i, ++p) {
            if ((*p & 0xC0) != 0x80)
                return false;
            value = value << 6 | (*p & 0x3F);
        }
        if (value < min || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
            return false;
    }
    return true;
}

} // namespace

bool validAtlasName(QByteArrayView name) {
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return validUtf8(name);
}

struct AtlasReader {
    static std::unique_ptr<Atlas> read(const QString& path, QString* error);
};

std::unique_ptr<Atlas> AtlasReader::read(const QString& path, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = atlasRefusal(path, why);
        return nullptr;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail(QStringLiteral("a fájl nem létezik"));
    if (!info.isFile())
        return fail(QStringLiteral("nem közönséges fájl"));
    std::unique_ptr<Atlas> atlas(new Atlas);
    atlas->m_path = path;
    QFile& file = atlas->m_file;
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.error() == QFileDevice::PermissionsError
                        ? QStringLiteral("nincs olvasási jog")
                        : QStringLiteral("a fájl nem nyitható meg"));
    // The size of the open file, not of the name checked above, which may
    // since have been replaced.
    const qint64 size = file.size();
    if (size > kAtlasMaxFileBytes)
        return fail(QStringLiteral("túl nagy"));
    if (size < kAtlasHeaderBytes)
        return fail(QStringLiteral("nem helységtár"));
    const uchar* base = file.map(0, size);
    if (!base)
        return fail(QStringLiteral("a fájl nem olvasható be"));
    const auto* p = reinterpret_cast<const char*>(base);
    // Everything below reads the mapping, never more than size bytes of it.
    if (std::memcmp(p, kAtlasMagic, 8) != 0)
        return fail(QStringLiteral("nem helységtár"));
    if (atlasBe32(p + 8) != kAtlasVersion)
        return fail(QStringLiteral("ismeretlen változat"));
    const quint32 places = atlasLe32(p + 12), regions = atlasLe32(p + 16),
                  zones = atlasLe32(p + 20), entries = atlasLe32(p + 24),
                  textBytes = atlasLe32(p + 28), keyBytes = atlasLe32(p + 32);
    for (int i = 36; i < kAtlasHeaderBytes; ++i)
        if (p[i] != 0)
            return fail(QStringLiteral("sérült (hibás fejléc)"));
    if (places == 0 || places > kAtlasMaxPlaces || regions == 0 || regions > 0x10000 ||
        zones == 0 || zones > 0x10000 || entries < places || entries > kAtlasMaxEntries)
        return fail(QStringLiteral("sérült (hibás darabszám)"));
    const quint64 expected = quint64(kAtlasHeaderBytes) + quint64(kAtlasPlaceBytes) * places +
                             4ull * zones + quint64(kAtlasRegionBytes) * regions +
                             quint64(kAtlasEntryBytes) * entries + textBytes + keyBytes;
    if (expected != quint64(size))
        return fail(QStringLiteral("sérült (a hossz nem egyezik)"));

    atlas->m_placeCount = places;
    atlas->m_entryCount = entries;
    atlas->m_textBytes = textBytes;
    atlas->m_keyBytes = keyBytes;
    atlas->m_places = base + kAtlasHeaderBytes;
    const uchar* zoneTable = atlas->m_places + quint64(kAtlasPlaceBytes) * places;
    const uchar* regionTable = zoneTable + 4ull * zones;
    atlas->m_index = regionTable + quint64(kAtlasRegionBytes) * regions;
    atlas->m_text = atlas->m_index + quint64(kAtlasEntryBytes) * entries;
    atlas->m_keys = atlas->m_text + textBytes;

    atlas->m_zones = zoneTable;
    atlas->m_zoneCount = zones;
    atlas->m_regions = regionTable;
    atlas->m_regionCount = regions;
    return atlas;
}

std::unique_ptr<Atlas> Atlas::load(const QString& path, QString* error) {
    return AtlasReader::read(path, error);
}

} // namespace velorin
