// Reading the atlas file. The file is checked as if it came from anywhere:
// its size is bounded before anything is allocated, every count, offset and
// index is checked against what is really there, and a file that fails any
// check is refused as a whole.

#include "atlas.h"

#include <QFile>
#include <QFileInfo>
#include <cctype>
#include <cstring>
#include <zlib.h>

namespace velorin {

namespace {

constexpr char kMagic[8] = {'V', 'L', 'R', 'A', 'T', 'L', 'A', 'S'};
constexpr quint32 kVersion = 1;
// Far above the real sizes (4 MB packed, 6 MB unpacked), far below harm.
constexpr qint64 kMaxFileBytes = 64 << 20;
constexpr quint32 kMaxPayloadBytes = 128u << 20;
constexpr quint32 kMaxPlaces = 4'000'000;
constexpr int kPlaceBytes = 20;
constexpr int kRegionBytes = 6;

quint32 be32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return quint32(u[0]) << 24 | quint32(u[1]) << 16 | quint32(u[2]) << 8 | u[3];
}

quint32 le32(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return quint32(u[3]) << 24 | quint32(u[2]) << 16 | quint32(u[1]) << 8 | u[0];
}

quint16 le16(const char* p) {
    const auto* u = reinterpret_cast<const unsigned char*>(p);
    return quint16(u[1] << 8 | u[0]);
}

bool validText(const QByteArray& text, quint32 offset, bool mayBeEmpty) {
    if (offset >= quint32(text.size()))
        return false;
    const auto length = quint32(quint8(text[offset]));
    if (length == 0)
        return mayBeEmpty;
    return length <= quint32(text.size()) - offset - 1;
}

bool validZoneName(QByteArrayView name) {
    for (char c : name)
        if (!(std::isalnum(static_cast<unsigned char>(c)) || std::strchr("/_+-", c)))
            return false;
    return !name.isEmpty();
}

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

struct AtlasReader {
    static std::unique_ptr<Atlas> read(const QString& path, QString* error);
};

std::unique_ptr<Atlas> AtlasReader::read(const QString& path, QString* error) {
    auto fail = [&](const QString& why) {
        if (error)
            *error = QString("A helységtár (%1) nem olvasható: %2.").arg(path, why);
        return nullptr;
    };
    const QFileInfo info(path);
    if (!info.exists())
        return fail("a fájl nem létezik");
    if (!info.isFile())
        return fail("nem közönséges fájl");
    if (info.size() > kMaxFileBytes)
        return fail("túl nagy");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(file.error() == QFileDevice::PermissionsError
                        ? QStringLiteral("nincs olvasási jog")
                        : QStringLiteral("a fájl nem nyitható meg"));
    const QByteArray raw = file.read(kMaxFileBytes + 1);
    if (raw.size() > kMaxFileBytes)
        return fail("túl nagy");
    if (raw.size() < 16 || std::memcmp(raw.constData(), kMagic, 8) != 0)
        return fail("nem helységtár");
    if (be32(raw.constData() + 8) != kVersion)
        return fail("ismeretlen változat");
    // qUncompress allocates the length the header claims, so that is
    // bounded first.
    if (be32(raw.constData() + 12) > kMaxPayloadBytes)
        return fail("sérült (túl nagy tartalom)");
    // zlib itself rather than qUncompress, which would print a warning of
    // its own before the one message the user is given.
    const quint32 claimed = be32(raw.constData() + 12);
    QByteArray payload(qsizetype(claimed), Qt::Uninitialized);
    uLongf unpacked = claimed;
    if (claimed < 16 ||
        ::uncompress(reinterpret_cast<Bytef*>(payload.data()), &unpacked,
                     reinterpret_cast<const Bytef*>(raw.constData() + 16),
                     uLong(raw.size() - 16)) != Z_OK ||
        unpacked != claimed)
        return fail("sérült (a tömörített rész hibás)");

    const char* p = payload.constData();
    const quint32 places = le32(p), regions = le32(p + 4), zones = le32(p + 8),
                  textBytes = le32(p + 12);
    if (places == 0 || places > kMaxPlaces || regions == 0 || regions > 0x10000 || zones == 0 ||
        zones > 0x10000)
        return fail("sérült (hibás darabszám)");
    const quint64 expected = 16ull + textBytes + 4ull * zones + quint64(kRegionBytes) * regions +
                             quint64(kPlaceBytes) * places;
    if (expected != quint64(payload.size()))
        return fail("sérült (a hossz nem egyezik)");

    std::unique_ptr<Atlas> atlas(new Atlas);
    atlas->m_text = payload.mid(16, textBytes);
    const QByteArray& text = atlas->m_text;
    p += 16 + textBytes;

    // A control character (a line feed, a tab, a NUL: one bit away from a
    // letter) would split or shift the rows a name is printed in.
    auto checkUtf8 = [&](quint32 offset) {
        const QByteArrayView name(text.constData() + offset + 1, quint8(text[offset]));
        for (char c : name)
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
                return false;
        return validUtf8(name);
    };

    atlas->m_zones.resize(zones);
    for (quint32 i = 0; i < zones; ++i, p += 4) {
        const quint32 offset = le32(p);
        if (!validText(text, offset, false) ||
            !validZoneName(QByteArrayView(text.constData() + offset + 1, quint8(text[offset]))))
            return fail(QString("sérült (%1. időzóna)").arg(i + 1));
        atlas->m_zones[i] = offset;
    }
    atlas->m_regions.resize(regions);
    for (quint32 i = 0; i < regions; ++i, p += kRegionBytes) {
        Atlas::Region& r = atlas->m_regions[i];
        std::memcpy(r.country, p, 2);
        r.name = le32(p + 2);
        if (!std::isupper(static_cast<unsigned char>(r.country[0])) ||
            !std::isupper(static_cast<unsigned char>(r.country[1])) ||
            !validText(text, r.name, true) || !checkUtf8(r.name))
            return fail(QString("sérült (%1. régió)").arg(i + 1));
    }
    atlas->m_places.resize(places);
    for (quint32 i = 0; i < places; ++i, p += kPlaceBytes) {
        Atlas::Record& r = atlas->m_places[i];
        r.name = le32(p);
        r.latitude = qint32(le32(p + 4));
        r.longitude = qint32(le32(p + 8));
        r.population = le32(p + 12);
        r.region = le16(p + 16);
        r.zone = le16(p + 18);
        if (!validText(text, r.name, false) || !checkUtf8(r.name) || r.latitude < -9'000'000 ||
            r.latitude > 9'000'000 || r.longitude < -18'000'000 || r.longitude > 18'000'000 ||
            r.region >= regions || r.zone >= zones)
            return fail(QString("sérült (%1. helység)").arg(i + 1));
    }
    atlas->buildIndex();
    return atlas;
}

std::unique_ptr<Atlas> Atlas::load(const QString& path, QString* error) {
    return AtlasReader::read(path, error);
}

} // namespace velorin
