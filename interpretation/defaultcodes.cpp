// The default code table in the order a first start writes it. The order is
// the order of the passages in a generated document, so it must not change.

#include "codetable.h"

#include "forecast/events.h"

#include <array>

namespace velorin {

namespace {

struct Sex {
    const char* prefix;
    const char* word; // ends the explanations
};
constexpr std::array<Sex, 2> kSexes{{{"F_", "férfi."}, {"N_", "nő."}}};

constexpr std::array<const char*, 12> kSignLetters{"KO", "BI", "IK", "RA", "OR", "SZ",
                                                   "ME", "SK", "NY", "BA", "VI", "HA"};
constexpr std::array<const char*, 12> kSignPhrases{
    " a Kosban",    " a Bikában",    " az Ikrekben", " a Rákban", " az Oroszlánban", " a Szüzben",
    " a Mérlegben", " a Skorpióban", " a Nyilasban", " a Bakban", " a Vizöntőben",   " a Halakban"};

// The code letters are the start of the body word, so NEPTUN and NEPTUNUSZ
// both give NEP and NE.
QString b3(const QString& word) {
    return word.left(3);
}

QString u(const char* s) {
    return QString::fromUtf8(s);
}

void add(std::vector<CodeEntry>& out, const QString& code, const QString& explanation) {
    out.push_back({code, explanation, kNoFileAssigned});
}

void addSigns(std::vector<CodeEntry>& out, const Sex& sex, const char* body) {
    const QString word = u(body);
    for (size_t s = 0; s < 12; ++s)
        add(out, u(sex.prefix) + b3(word) + u(kSignLetters[s]) + "K",
            word + u(kSignPhrases[s]) + u(" (kevert) - ") + u(sex.word));
}

void addHouses(std::vector<CodeEntry>& out, const Sex& sex, const char* body) {
    const QString word = u(body);
    for (int h = 1; h <= 12; ++h) {
        const QString article = (h == 1 || h == 5) ? u(" az ") : u(" a ");
        add(out, u(sex.prefix) + b3(word) + QStringLiteral("%1K").arg(h, 2, 10, QLatin1Char('0')),
            word + article + QString::number(h) + u(". házban (kevert) - ") + u(sex.word));
    }
}

QString aspectWord(const QString& b2) {
    static const std::array<std::pair<const char*, const char*>, 13> words{{
        {"NA", "NAP"},
        {"HO", "HOLD"},
        {"ME", "MERKUR"},
        {"VE", "VENUSZ"},
        {"MA", "MARS"},
        {"JU", "JUPITER"},
        {"SZ", "SZATURNUSZ"},
        {"UR", "URANUSZ"},
        {"NE", "NEPTUNUSZ"},
        {"PL", "PLUTO"},
        {"AS", "ASC"},
        {"SA", "SARKANYF"},
        {"LI", "LILITH"},
    }};
    for (const auto& [letters, word] : words)
        if (b2 == QLatin1String(letters))
            return u(word);
    return b2;
}

} // namespace

std::vector<CodeEntry> defaultCodeEntries() {
    std::vector<CodeEntry> out;
    out.reserve(size_t(kNatalCodeCount) + 1400);

    add(out, u("ELOSZO0"), u("Előszó, bevezető - elso"));
    add(out, u("ELOSZO"), u("Előszó, bevezető - masodik"));

    static constexpr std::array<const char*, 8> retroBodies{
        "MERKUR", "VENUSZ", "MARS", "JUPITER", "SZATURNUSZ", "URANUSZ", "NEPTUN", "PLUTO"};
    for (const Sex& sex : kSexes)
        for (const char* body : retroBodies)
            add(out, u(sex.prefix) + b3(u(body)) + "RR",
                u(body) + u(" retrográd - ") + u(sex.word));

    static constexpr std::array<const char*, 11> signBodies{
        "NAP",        "HOLD",    "MERKUR", "VENUSZ", "MARS", "JUPITER",
        "SZATURNUSZ", "URANUSZ", "NEPTUN", "PLUTO",  "ASC"};
    for (const Sex& sex : kSexes)
        for (const char* body : signBodies)
            addSigns(out, sex, body);

    for (const Sex& sex : kSexes)
        for (size_t b = 0; b + 1 < signBodies.size(); ++b) // no houses for the ascendant
            addHouses(out, sex, signBodies[b]);

    static constexpr std::array<const char*, 78> pairs{
        "NAHO", "NAME", "NAVE", "NAMA", "NAJU", "NASZ", "NAUR", "NANE", "NAPL", "NAAS",
        "NASA", "NALI", "MEHO", "VEHO", "MAHO", "JUHO", "SZHO", "URHO", "NEHO", "PLHO",
        "ASHO", "SAHO", "LIHO", "MEVE", "MEMA", "MEJU", "MESZ", "MEUR", "MENE", "MEPL",
        "MEAS", "MESA", "MELI", "VEMA", "VEJU", "VESZ", "VEUR", "VENE", "VEPL", "VEAS",
        "VESA", "VELI", "MAJU", "MASZ", "MAUR", "MANE", "MAPL", "MAAS", "MASA", "MALI",
        "JUSZ", "JUUR", "JUNE", "JUPL", "JUAS", "JUSA", "JULI", "SZNE", "SZUR", "SZPL",
        "SZAS", "SZSA", "SZLI", "URNE", "URPL", "URAS", "URSA", "URLI", "NEPL", "NEAS",
        "NESA", "NELI", "PLAS", "PLSA", "PLLI", "ASLI", "SALI", "SAAS"};
    static constexpr std::array<const char*, 3> kinds{"Pozitiv", "Negativ", "Egyutall"};
    for (const Sex& sex : kSexes)
        for (const char* pair : pairs) {
            const QString p = u(pair);
            const QString first = aspectWord(p.left(2));
            const QString second = aspectWord(p.mid(2));
            for (const char* kind : kinds)
                add(out, u(sex.prefix) + p + QLatin1Char(kind[0]),
                    first + " " + u(kind) + u(" fényszögben a(z) ") + second + " - " + u(sex.word));
        }

    static constexpr std::array<const char*, 2> nodeAndLilith{"SARKANYFEJ", "LILITH"};
    for (const Sex& sex : kSexes)
        for (const char* body : nodeAndLilith)
            addSigns(out, sex, body);
    for (const Sex& sex : kSexes)
        for (const char* body : nodeAndLilith)
            addHouses(out, sex, body);

    static constexpr std::array<const char*, 3> karmicBodies{"NAP", "SARKANYFEJ", "LILITH"};
    for (const char* body : karmicBodies)
        for (size_t s = 0; s < 12; ++s)
            add(out, b3(u(body)) + u(kSignLetters[s]) + "-",
                u(body) + u(kSignPhrases[s]) + u(" - karmikus leiras."));

    for (CodeEntry& e : eventCodeEntries())
        out.push_back(std::move(e));
    return out;
}

std::vector<CodeEntry> eventCodeEntries() {
    std::vector<CodeEntry> out;
    for (const forecast::EventCodeEntry& e : forecast::eventCodeCatalogue())
        out.push_back({QString::fromStdString(e.code), QString::fromStdString(e.explanation),
                       kNoFileAssigned});
    return out;
}

} // namespace velorin
