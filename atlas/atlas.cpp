#include "atlas.h"

#include "atlasformat.h"
#include "platform/folders.h"
#include "searchkey.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <algorithm>
#include <mutex>
#include <unordered_map>

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
        region >= m_regionCount || zone >= m_zoneCount)
        return refuse(QStringLiteral("%1. helység").arg(index + 1));
    const auto* country = reinterpret_cast<const char*>(m_regions) + kAtlasRegionBytes * region;
    if (country[0] < 'A' || country[0] > 'Z' || country[1] < 'A' || country[1] > 'Z' ||
        !text(atlasLe32(country + 2), &p.region))
        return refuse(QStringLiteral("%1. régió").arg(region + 1));
    QByteArrayView zoneName;
    if (!atlasString(m_text, m_textBytes, atlasLe32(m_zones + 4 * zone), &zoneName) ||
        !validAtlasZoneName(zoneName))
        return refuse(QStringLiteral("%1. időzóna").arg(zone + 1));
    p.country = QString::fromLatin1(country, 2);
    p.latitude = latitude / 1e5;
    p.longitude = longitude / 1e5;
    p.zone = QString::fromLatin1(zoneName);
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
    // A whole name before the longer names it begins, each place once: of
    // a wide range (a single letter) only the smallest places still needed
    // are kept while it is scanned, each with its best hit.
    const size_t need = size_t(limit) - chosen.size();
    std::vector<std::uint32_t> largest; // a max-heap of place indices
    std::unordered_map<std::uint32_t, std::uint64_t> best;
    for (std::uint32_t i = wholeEnd; i < last && need > 0; ++i) {
        std::uint64_t hit = 0;
        if (!hitOf(i, &hit))
            return {};
        const std::uint32_t place = placeOf(hit);
        if (largest.size() == need && place > largest.front())
            continue;
        if (const auto it = best.find(place); it != best.end()) {
            it->second = std::min(it->second, hit);
            continue;
        }
        if (std::binary_search(wholePlaces.begin(), wholePlaces.end(), place))
            continue;
        best.emplace(place, hit);
        largest.push_back(place);
        std::push_heap(largest.begin(), largest.end());
        if (largest.size() > need) {
            std::pop_heap(largest.begin(), largest.end());
            best.erase(largest.back());
            largest.pop_back();
        }
    }
    std::sort_heap(largest.begin(), largest.end());
    for (const std::uint32_t place : largest)
        chosen.push_back(best[place]);

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
    return sizeof(*this) + size_t(m_path.capacity()) * 2;
}

} // namespace velorin
