#include "atlas.h"

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

QString Atlas::text(std::uint32_t offset) const {
    const auto length = quint8(m_text[offset]);
    return QString::fromUtf8(m_text.constData() + offset + 1, length);
}

Place Atlas::place(int index) const {
    const Record& r = m_places[size_t(index)];
    const Region& region = m_regions[r.region];
    Place p;
    p.name = text(r.name);
    p.country = QString::fromLatin1(region.country, 2);
    p.region = text(region.name);
    p.latitude = r.latitude / 1e5;
    p.longitude = r.longitude / 1e5;
    p.zone = text(m_zones[r.zone]);
    p.population = r.population;
    return p;
}

void Atlas::buildIndex() {
    const auto n = std::uint32_t(m_places.size());
    m_keyStart.reserve(n + 1);
    m_keys.reserve(m_text.size());
    for (std::uint32_t i = 0; i < n; ++i) {
        m_keyStart.push_back(std::uint32_t(m_keys.size()));
        m_keys += searchKey(text(m_places[i].name));
    }
    m_keyStart.push_back(std::uint32_t(m_keys.size()));
    m_byKey.resize(n);
    for (std::uint32_t i = 0; i < n; ++i)
        m_byKey[i] = i;
    auto key = [this](std::uint32_t i) {
        return std::string_view(m_keys).substr(m_keyStart[i], m_keyStart[i + 1] - m_keyStart[i]);
    };
    // Equal keys keep the file's order, which is the order of size.
    std::stable_sort(m_byKey.begin(), m_byKey.end(),
                     [&](std::uint32_t a, std::uint32_t b) { return key(a) < key(b); });
}

std::vector<Place> Atlas::search(QStringView query, int limit) const {
    std::vector<Place> found;
    const std::string q = searchKey(query.trimmed());
    if (q.empty() || limit <= 0)
        return found;
    auto key = [this](std::uint32_t i) {
        return std::string_view(m_keys).substr(m_keyStart[i], m_keyStart[i + 1] - m_keyStart[i]);
    };
    const auto first =
        std::lower_bound(m_byKey.begin(), m_byKey.end(), q,
                         [&](std::uint32_t i, const std::string& v) { return key(i) < v; });
    const auto last =
        std::upper_bound(first, m_byKey.end(), q, [&](const std::string& v, std::uint32_t i) {
            return v < key(i).substr(0, v.size());
        });
    // A name typed in full comes before the longer names it begins, however
    // small the place ("Tard" before "Tardos"); within each group place
    // indices are ranks by size, so the smallest index is the largest place.
    std::vector<std::uint32_t> hits(first, last);
    auto ahead = [&](std::uint32_t a, std::uint32_t b) {
        const bool exactA = key(a).size() == q.size(), exactB = key(b).size() == q.size();
        return exactA != exactB ? exactA : a < b;
    };
    const auto take = std::min(hits.size(), size_t(limit));
    std::partial_sort(hits.begin(), hits.begin() + std::ptrdiff_t(take), hits.end(), ahead);
    found.reserve(take);
    for (size_t i = 0; i < take; ++i)
        found.push_back(place(int(hits[i])));
    return found;
}

std::size_t Atlas::memoryBytes() const {
    return sizeof(*this) + size_t(m_text.capacity()) + m_zones.capacity() * sizeof(std::uint32_t) +
           m_regions.capacity() * sizeof(Region) + m_places.capacity() * sizeof(Record) +
           m_keys.capacity() + m_keyStart.capacity() * sizeof(std::uint32_t) +
           m_byKey.capacity() * sizeof(std::uint32_t);
}

} // namespace velorin
