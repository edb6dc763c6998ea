#pragma once
// The offline atlas: about 230,000 places of the world with their region,
// coordinates and IANA time zone, searched by the start of their name or of
// one of their other names (Kolozsvár for Cluj-Napoca), accents and case
// ignored, largest places first.

#include <QFile>
#include <QString>
#include <QStringView>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
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
    // The other name a search found the place by ("Kolozsvár"); empty when
    // it was found by its own name.
    QString otherName;

    // The name as a list of matches shows it: "Cluj-Napoca (Kolozsvár)".
    QString shownName() const {
        return otherName.isEmpty() ? name : QStringLiteral("%1 (%2)").arg(name, otherName);
    }
};

class Atlas {
public:
    // Opens an atlas file where it lies (mapped, not read into memory). The
    // parts every search needs are checked here; on failure returns nothing
    // and sets error to a Hungarian sentence naming the file and the fault.
    static std::unique_ptr<Atlas> load(const QString& path, QString* error);

    // The atlas of the program folder (atlas/places.vat, beside the programs
    // when the program folder is replaced), opened on first use and kept for
    // the rest of the run. Null when it cannot be read; error says why.
    static const Atlas* shared(QString* error = nullptr);
    // Points shared() at another file before its first use (tests).
    static void setSharedFile(const QString& path);

    ~Atlas();

    // Places whose name starts with the query, accents, case and the
    // difference between hyphen and blank ignored; those whose whole name it
    // is first, then the rest, each group largest first; at most limit of
    // them. A place whose own name does not match may be found by one of its
    // other names, ranked by that name the same way (otherName says which).
    // An empty query finds nothing.
    std::vector<Place> search(QStringView query, int limit) const;

    int size() const { return int(m_placeCount); }
    Place place(int index) const;

    // The places and names are checked as they are first read; once one is
    // found damaged the whole file is refused: every search finds nothing
    // and this says why (in the words of load's error). Empty while sound.
    QString error() const;

    // Bytes held on the heap by the opened atlas (the mapped file is not).
    std::size_t memoryBytes() const;

private:
    friend struct AtlasReader;
    Atlas() = default;

    struct Entry {
        std::uint32_t key;
        std::uint32_t place; // top bit: found by another name
        std::uint32_t name;
    };
    bool refuse(const QString& why) const;
    bool text(std::uint32_t offset, QString* out) const;
    bool key(std::uint32_t entry, std::string_view* out) const;
    Entry entry(std::uint32_t index) const;
    bool placeAt(std::uint32_t index, Place* out) const;

    QString m_path;
    QFile m_file;
    const unsigned char* m_places = nullptr;
    const unsigned char* m_index = nullptr;
    const unsigned char* m_text = nullptr;
    const unsigned char* m_keys = nullptr;
    const unsigned char* m_zones = nullptr;
    const unsigned char* m_regions = nullptr;
    std::uint32_t m_placeCount = 0, m_entryCount = 0, m_textBytes = 0, m_keyBytes = 0;
    std::uint32_t m_zoneCount = 0, m_regionCount = 0;

    mutable std::atomic<bool> m_damaged{false};
    mutable std::mutex m_damageLock;
    mutable QString m_damage;
};

} // namespace velorin
