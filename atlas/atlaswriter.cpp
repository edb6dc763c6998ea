#include "atlaswriter.h"

#include "atlasformat.h"
#include "searchkey.h"

#include <QHash>
#include <QtEndian>
#include <algorithm>
#include <cmath>
#include <map>

namespace velorin {

namespace {

void put32(QByteArray& b, quint32 v) {
    v = qToLittleEndian(v);
    b.append(reinterpret_cast<const char*>(&v), 4);
}

void put16(QByteArray& b, quint16 v) {
    v = qToLittleEndian(v);
    b.append(reinterpret_cast<const char*>(&v), 2);
}

// Length-prefixed strings, each stored once.
class StringTable {
public:
    std::optional<quint32> add(const QByteArray& s) {
        if (s.size() > 255)
            return std::nullopt;
        if (const auto it = m_offsets.constFind(s); it != m_offsets.cend())
            return *it;
        const auto at = quint32(m_bytes.size());
        m_bytes.append(char(s.size())).append(s);
        m_offsets.insert(s, at);
        return at;
    }
    const QByteArray& bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
    QHash<QByteArray, quint32> m_offsets;
};

struct Entry {
    std::string key;
    quint32 keyOffset;
    quint32 place; // with the other-name bit
    quint32 name;
};

// Which of the spellings that search alike a list shows: the users read
// Hungarian, so a spelling with Hungarian accents only ("Temesvár", not the
// Czech "Temešvár"), then any accented one ("Kluž" rather than "Kluz"), the
// more accents the better.
std::pair<int, int> spellingRank(const QString& name) {
    static const QString hungarian = QStringLiteral("áéíóöőúüűÁÉÍÓÖŐÚÜŰ");
    int accents = 0;
    bool onlyHungarian = true;
    for (const QChar c : name)
        if (c.unicode() >= 0x80) {
            ++accents;
            onlyHungarian = onlyHungarian && hungarian.contains(c);
        }
    return {accents == 0 ? 0 : onlyHungarian ? 2 : 1, accents};
}

} // namespace

bool indexedOtherName(QStringView name) {
    bool latin = false, small = false;
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return false;
        switch (c.script()) {
        case QChar::Script_Latin:
            latin = true;
            small = small || c.isLower();
            break;
        case QChar::Script_Common:
        case QChar::Script_Inherited:
            break;
        default:
            return false;
        }
    }
    return latin && small;
}

std::optional<QByteArray> atlasFileBytes(const std::vector<AtlasSourcePlace>& places,
                                         QString* error) {
    auto fail = [&](int index, const char* why) {
        if (error)
            *error = QStringLiteral("%1. helység (%2): %3")
                         .arg(index + 1)
                         .arg(places[size_t(index)].place.name, QString::fromUtf8(why));
        return std::nullopt;
    };
    if (places.empty() || places.size() > kAtlasMaxPlaces) {
        if (error)
            *error = QStringLiteral("a helységek száma %1").arg(places.size());
        return std::nullopt;
    }
    StringTable text, keys;
    std::map<QString, quint16> zones;
    std::vector<QString> zoneOrder;
    std::map<std::pair<QString, QString>, quint16> regions;
    std::vector<std::pair<QString, QString>> regionOrder;
    QByteArray placeTable;
    std::vector<Entry> entries;
    for (int i = 0; i < int(places.size()); ++i) {
        const Place& p = places[size_t(i)].place;
        const QByteArray name = p.name.toUtf8();
        const auto nameAt = text.add(name);
        if (p.name.isEmpty() || !nameAt || !validAtlasName(name))
            return fail(i, "a név üres, túl hosszú vagy vezérlőjelet tartalmaz");
        const auto zone = zones.try_emplace(p.zone, quint16(zones.size())).first->second;
        if (zone == zoneOrder.size())
            zoneOrder.push_back(p.zone);
        const auto region =
            regions.try_emplace({p.country, p.region}, quint16(regions.size())).first->second;
        if (region == regionOrder.size())
            regionOrder.push_back({p.country, p.region});
        if (zones.size() > 0x10000 || regions.size() > 0x10000)
            return fail(i, "túl sok időzóna vagy régió");
        const auto latitude = std::lround(p.latitude * 1e5),
                   longitude = std::lround(p.longitude * 1e5);
        if (std::abs(latitude) > 9'000'000 || std::abs(longitude) > 18'000'000)
            return fail(i, "a koordináta a tartományon kívül esik");
        put32(placeTable, *nameAt);
        put32(placeTable, quint32(qint32(latitude)));
        put32(placeTable, quint32(qint32(longitude)));
        put32(placeTable, p.population);
        put16(placeTable, region);
        put16(placeTable, zone);

        const std::string ownKey = searchKey(p.name);
        if (ownKey.empty() || ownKey.size() > 255)
            return fail(i, "a név keresőkulcsa üres vagy túl hosszú");
        entries.push_back({ownKey, 0, quint32(i), *nameAt});
        // Spellings that search alike are one name ("Kolozsvár", "Kolozsvar").
        std::map<std::string, QString> others;
        for (const QString& raw : places[size_t(i)].otherNames) {
            const QString other = raw.trimmed();
            if (!indexedOtherName(other) || other.toUtf8().size() > 255 ||
                !validAtlasName(other.toUtf8()))
                continue;
            std::string key = searchKey(other);
            if (key.empty() || key.size() > 255 || key == ownKey)
                continue;
            QString& shown = others[key];
            if (shown.isEmpty() || spellingRank(other) > spellingRank(shown))
                shown = other;
        }
        for (auto& [key, other] : others)
            entries.push_back({key, 0, quint32(i) | kAtlasOtherName, *text.add(other.toUtf8())});
    }
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return std::tie(a.key, a.place) < std::tie(b.key, b.place);
    });
    for (Entry& e : entries)
        e.keyOffset = *keys.add(QByteArray::fromStdString(e.key));

    QByteArray zoneTable, regionTable, index;
    for (const QString& z : zoneOrder)
        put32(zoneTable, *text.add(z.toUtf8()));
    for (const auto& [country, region] : regionOrder) {
        const auto at = text.add(region.toUtf8());
        if (country.size() != 2 || !at)
            return fail(0, "hibás ország vagy régió");
        regionTable.append(country.toLatin1());
        put32(regionTable, *at);
    }
    for (const Entry& e : entries) {
        put32(index, e.keyOffset);
        put32(index, e.place);
        put32(index, e.name);
    }
    QByteArray file(kAtlasMagic, 8);
    const quint32 version = qToBigEndian(kAtlasVersion);
    file.append(reinterpret_cast<const char*>(&version), 4);
    for (const auto n :
         {quint32(places.size()), quint32(regionOrder.size()), quint32(zoneOrder.size()),
          quint32(entries.size()), quint32(text.bytes().size()), quint32(keys.bytes().size())})
        put32(file, n);
    file.append(QByteArray(kAtlasHeaderBytes - file.size(), '\0'));
    return file + placeTable + zoneTable + regionTable + index + text.bytes() + keys.bytes();
}

} // namespace velorin
