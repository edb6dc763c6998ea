#include "atlas.h"

#include "atlasformat.h"
#include "platform/folders.h"
#include "searchkey.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <mutex>

namespace velorin {

namespace {

QString& sharedFileOverride() {
    static QString path;
    return path;
}

QString sharedFilePath() {
    if (!sharedFileOverride().isEmpty())
        return sharedFileOverride();
    const QString inDataFolder = dataFolder() + "atlas/places.vat";
    if (QFileInfo::exists(inDataFolder) || !QCoreApplication::instance())
        return inDataFolder;
    // A replaced program folder (VELORIN_HOME) holds the user's files; the
    // atlas is part of the installation.
    return installedSuiteFolders().data + "atlas/places.vat";
}

} // namespace

const Atlas* Atlas::shared(QString* error) {
    static std::once_flag once;
    static std::unique_ptr<Atlas> atlas;
    static QString loadError;
    std::call_once(once, [] { atlas = load(sharedFilePath(), &loadError); });
    if (!atlas && error)
        *error = loadError;
    return atlas.get();
}

void Atlas::setSharedFile(const QString& path) {
    sharedFileOverride() = path;
}

Atlas::~Atlas() = default;

bool Atlas::refuse(const QString& why) const {
    const std::lock_guard lock(m_damageLock);
    if (m_damage.isEmpty())
        m_damage = atlasRefusal(m_path, QStringLiteral("sérült (%1)").arg(why));
    m_damaged = true;
    return false;
}

QString Atlas::error() const {
    if (!m_damaged)
        return {};
    const std::lock_guard lock(m_damageLock);
    return m_damage;
}

bool Atlas::text(std::uint32_t offset, QString* out) const {
    QByteArrayView bytes;
    if (!atlasString(m_text, m_textBytes, offset, &bytes) || !validAtlasName(bytes))
        return false;
    *out = QString::fromUtf8(bytes);
    return true;
}

Atlas::Entry Atlas::entry(std::uint32_t index) const {
    const unsigned char* e = m_index + std::size_t(kAtlasEntryBytes) * index;
    return {atlasLe32(e), atlasLe32(e + 4), atlasLe32(e + 8)};
}

bool Atlas::key(std::uint32_t index, std::string_view* out) const {
    QByteArrayView bytes;
    if (!atlasString(m_keys, m_keyBytes, entry(index).key, &bytes))
        return refuse(QStringLiteral("%1. keresőkulcs").arg(index + 1));
    *out = std::string_view(bytes.data(), size_t(bytes.size()));
    return true;
}

bool Atlas::placeAt(std::uint32_t index, Place* out) const {
    if (index >= m_placeCount)
        return refuse(QStringLiteral("%1. helység nincs").arg(index + 1));
    const unsigned char* r = m_places + std::size_t(kAtlasPlaceBytes) * index;
    const auto latitude = qint32(atlasLe32(r + 4)), longitude = qint32(atlasLe32(r + 8));
    const quint16 region = atlasLe16(r + 16), zone = atlasLe16(r + 18);
    Place p;
    if (!text(atlasLe32(r), &p.name) || p.name.isEmpty() || latitude < -9'000'000 ||
        latitude > 9'000'000 || longitude < -18'000'000 || longitude > 18'000'000 ||
        region >= m_regions.size() || zone >= m_zones.size())
        return refuse(QStringLiteral("%1. helység").arg(index + 1));
    p.country = m_regions[region].first;
    p.region = m_regions[region].second;
    p.latitude = latitude / 1e5;
    p.longitude = longitude / 1e5;
    p.zone = m_zones[zone];
    p.population = atlasLe32(r + 12);
    *out = std::move(p);
    return true;
}

Place Atlas::place(int index) const {
    // An index past the end is the caller's slip, not a fault of the file.
    Place p;
    if (!m_damaged && index >= 0 && index < size())
        placeAt(std::uint32_t(index), &p);
    return m_damaged ? Place() : p;
}

std::vector<Place> Atlas::search(QStringView query, int limit) const {
    std::vector<Place> found;
    const std::string q = searchKey(query.trimmed());
    if (q.empty() || limit <= 0 || m_damaged)
        return found;
    // First entry whose key is not below q (orEqual false) or not below
    // every key that begins with q (orEqual true); the keys are read, and so
    // checked, only along the way of the binary search.
    auto bound = [&](bool beyondPrefix, std::uint32_t from, std::uint32_t* at) {
        std::uint32_t lo = from, hi = m_entryCount;
        while (lo < hi) {
            const std::uint32_t mid = lo + (hi - lo) / 2;
            std::string_view k;
            if (!key(mid, &k))
                return false;
            const bool below = beyondPrefix ? k.substr(0, q.size()) <= q : k < q;
            (below ? lo = mid + 1 : hi = mid);
        }
        *at = lo;
        return true;
    };
    std::uint32_t first = 0, wholeEnd = 0, last = 0;
    if (!bound(false, 0, &first))
        return {};
    // Within the prefix range the key equal to q sorts first.
    std::uint32_t lo = first, hi = m_entryCount;
    while (lo < hi) {
        const std::uint32_t mid = lo + (hi - lo) / 2;
        std::string_view k;
        if (!key(mid, &k))
            return {};
        (k == q ? lo = mid + 1 : hi = mid);
    }
    wholeEnd = lo;
    if (!bound(true, wholeEnd, &last))
        return {};

    // Hits as (place << 1 | other name) << 32 | entry: ascending, a place's
    // own name comes before its other names, and those in key order.
    auto hitOf = [&](std::uint32_t i, std::uint64_t* hit) {
        const std::uint32_t place = entry(i).place;
        const std::uint32_t index = place & ~kAtlasOtherName;
        if (index >= m_placeCount)
            return refuse(QStringLiteral("%1. névmutató").arg(i + 1));
        *hit = (std::uint64_t(index) << 1 | (place >> 31)) << 32 | i;
        return true;
    };
    const auto placeOf = [](std::uint64_t hit) { return std::uint32_t(hit >> 33); };
    std::vector<std::uint64_t> chosen;
    std::vector<std::uint32_t> wholePlaces;
    std::vector<std::uint64_t> hits;
    for (std::uint32_t i = first; i < wholeEnd; ++i)
        if (!hitOf(i, &hits.emplace_back()))
            return {};
    std::sort(hits.begin(), hits.end());
    // A place is ranked by its own name wherever that matches; other names
    // only add places, never move one ahead of where its own name puts it.
    auto ownNameMatches = [&](std::uint32_t place, bool* matches) {
        Place p;
        if (!placeAt(place, &p))
            return false;
        *matches = searchKey(p.name).starts_with(q);
        return true;
    };
    for (const std::uint64_t hit : hits) {
        const std::uint32_t place = placeOf(hit);
        if (!wholePlaces.empty() && wholePlaces.back() == place)
            continue;
        bool ownLonger = false;
        if (hit >> 32 & 1 && !ownNameMatches(place, &ownLonger))
            return {};
        if (ownLonger)
            continue;
        wholePlaces.push_back(place);
        if (chosen.size() < size_t(limit))
            chosen.push_back(hit);
    }
    hits.clear();
    if (chosen.size() < size_t(limit)) {
        for (std::uint32_t i = wholeEnd; i < last; ++i)
            if (!hitOf(i, &hits.emplace_back()))
                return {};
    }
    // A whole name before the longer names it begins, each place once. Only
    // the smallest few hits of a wide range (a single letter) are needed;
    // more are sorted only when places found already crowd the front.
    const size_t wholeTaken = chosen.size();
    size_t sorted = std::min(hits.size(), size_t(limit) * 2);
    while (!hits.empty()) {
        std::partial_sort(hits.begin(), hits.begin() + std::ptrdiff_t(sorted), hits.end());
        chosen.resize(wholeTaken);
        for (size_t i = 0; i < sorted && chosen.size() < size_t(limit); ++i) {
            const std::uint32_t place = placeOf(hits[i]);
            if ((i == 0 || placeOf(hits[i - 1]) != place) &&
                !std::binary_search(wholePlaces.begin(), wholePlaces.end(), place))
                chosen.push_back(hits[i]);
        }
        if (chosen.size() == size_t(limit) || sorted == hits.size())
            break;
        sorted = std::min(hits.size(), sorted * 2);
    }

    found.reserve(chosen.size());
    for (const std::uint64_t hit : chosen) {
        Place& p = found.emplace_back();
        if (!placeAt(std::uint32_t(hit >> 33), &p))
            return {};
        if (hit >> 32 & 1) {
            const std::uint32_t i = std::uint32_t(hit);
            if (!text(entry(i).name, &p.otherName) || p.otherName.isEmpty()) {
                refuse(QStringLiteral("%1. névmutató").arg(i + 1));
                return {};
            }
        }
    }
    return found;
}

std::size_t Atlas::memoryBytes() const {
    std::size_t bytes = sizeof(*this);
    for (const QString& z : m_zones)
        bytes += size_t(z.capacity()) * 2;
    for (const auto& [country, name] : m_regions)
        bytes += sizeof(country) * 2 + size_t(country.capacity() + name.capacity()) * 2;
    return bytes;
}

} // namespace velorin
