#pragma once
// The offline atlas: about 200,000 places of the world with their region,
// coordinates and IANA time zone, searched by the start of the name with
// accents and case ignored, largest places first.

#include <QString>
#include <QStringView>
#include <cstdint>
#include <memory>
#include <vector>

namespace velorin {

struct Place {
    QString name;         // with its accents, as the place writes it
    QString country;      // ISO 3166 two-letter code
    QString region;       // first-level region, may be empty
    double latitude = 0;  // degrees, north positive
    double longitude = 0; // degrees, east positive
    QString zone;         // IANA name, e.g. "Europe/Budapest"
    std::uint32_t population = 0;
};

class Atlas {
public:
    // Reads an atlas file. On failure returns nothing and sets error to a
    // Hungarian sentence naming the file and what is wrong with it.
    static std::unique_ptr<Atlas> load(const QString& path, QString* error);

    // The atlas of the program folder (atlas/places.vat, beside the programs
    // when the program folder is replaced), read on first use and kept for
    // the rest of the run. Null when it cannot be read; error says why.
    static const Atlas* shared(QString* error = nullptr);
    // Points shared() at another file before its first use (tests).
    static void setSharedFile(const QString& path);

    // Places whose name starts with the query, accents, case and the
    // difference between hyphen and blank ignored; those whose whole name it
    // is first, then the rest, each group largest first; at most limit of
    // them. An empty query finds nothing.
    std::vector<Place> search(QStringView query, int limit) const;

    int size() const { return int(m_places.size()); }
    Place place(int index) const;
    // Bytes held on the heap by the loaded atlas.
    std::size_t memoryBytes() const;

    struct Record {
        std::uint32_t name;
        std::int32_t latitude; // 1e-5 degrees
        std::int32_t longitude;
        std::uint32_t population;
        std::uint16_t region;
        std::uint16_t zone;
    };
    struct Region {
        char country[2];
        std::uint32_t name;
    };

private:
    friend struct AtlasReader;
    Atlas() = default;
    QString text(std::uint32_t offset) const;
    void buildIndex();

    QByteArray m_text; // length-prefixed UTF-8 strings
    std::vector<std::uint32_t> m_zones;
    std::vector<Region> m_regions;
    std::vector<Record> m_places; // largest first
    // Search keys of all places, one after the other, and where each starts.
    std::string m_keys;
    std::vector<std::uint32_t> m_keyStart;
    // Place indices ordered by key, then by size.
    std::vector<std::uint32_t> m_byKey;
};

} // namespace velorin
