#include "positions.h"

#include "chart.h"
#include "numbers.h"

#include <swephexp.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <vector>

#ifndef VELORIN_SYSTEM_EPHE
#define VELORIN_SYSTEM_EPHE "/usr/share/libswe/ephe"
#endif

namespace velorin {
namespace {

std::string g_ephePath;
std::optional<YearRange> g_years;

constexpr int kSwissEphWithSpeed = 258; // SEFLG_SWIEPH | SEFLG_SPEED

// Each pair of planet and Moon files covers 600 years from a multiple of 600:
// sepl_18.se1 the years 1800 to 2399, seplm54.se1 the years -5400 to -4801.
constexpr int kYearsPerFile = 600;
constexpr int kFurthestFile = 60; // hundreds of years either side of year 0

std::string fileName(const char* kind, int hundreds) {
    char buf[32];
    if (hundreds < 0)
        std::snprintf(buf, sizeof buf, "se%sm%02d.se1", kind, -hundreds);
    else
        std::snprintf(buf, sizeof buf, "se%s_%02d.se1", kind, hundreds);
    return buf;
}

std::optional<YearRange> yearsCovered(const std::string& folder) {
    namespace fs = std::filesystem;
    std::optional<YearRange> best;
    std::optional<YearRange> run;
    for (int hundreds = -kFurthestFile; hundreds <= kFurthestFile; hundreds += 6) {
        std::error_code ec;
        bool present = fs::is_regular_file(fs::path(folder) / fileName("pl", hundreds), ec) &&
                       fs::is_regular_file(fs::path(folder) / fileName("mo", hundreds), ec);
        if (!present) {
            run.reset();
            continue;
        }
        const int first = hundreds * 100;
        if (run)
            run->last = first + kYearsPerFile - 1;
        else
            run = YearRange{first, first + kYearsPerFile - 1};
        if (!best || run->last - run->first > best->last - best->first)
            best = run;
    }
    return best;
}

} // namespace

std::string ephemerisFailureText(std::string_view body, std::string_view libraryText) {
    std::string m = "A csillagászati számítás nem sikerült (" + std::string(body) + ")";
    // The library explains itself in English; what a user can act on is the
    // data file it names, if any ('sepl_18.se1').
    const size_t end = libraryText.find(".se1'");
    const size_t open = end == std::string_view::npos ? end : libraryText.rfind('\'', end);
    if (open != std::string_view::npos) {
        std::string_view file = libraryText.substr(open + 1, end + 4 - open - 1);
        if (const size_t slash = file.find_last_of("/\\"); slash != std::string_view::npos)
            file.remove_prefix(slash + 1);
        m += ": a(z) " + std::string(file) + " adatfájl hiányzik vagy sérült";
    }
    return m + ".";
}

namespace {

ComputeError outOfRange(int year, const YearRange& r) {
    return {BirthField::Year, "Ez az időpont (" + std::to_string(year) +
                                  ". év) kívül esik a csillagászati adatfájlok tartományán (" +
                                  std::to_string(r.first) + " – " + std::to_string(r.last) +
                                  ". év), ezért a bolygók helyzete nem számolható ki."};
}

ComputeError libraryFailure(int body, const char* serr) {
    return {BirthField::None, ephemerisFailureText(trimSpaces(bodyName(body)), serr ? serr : "")};
}

// Ephemeris body number for each BodyId; -1 where the library has none.
constexpr int kEphemerisBody[BODY_COUNT + 1] = {-1, 0, 2,  3,  4,  5,  6,  7, 8,
                                                9,  1, 10, -1, 12, -1, -1, 15};

// The order the library is asked in: the Sun, the Moon, then the rest by
// their library number, so that a failure is reported for the first body.
constexpr int kAllBodies[] = {Sun,    Moon,    Mercury, Venus,     Mars,   Jupiter, Saturn,
                              Uranus, Neptune, Pluto,   NorthNode, Lilith, Chiron};

} // namespace

std::string initEngine(const std::string& programFolder) {
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path own = fs::path(programFolder) / "ephems";
    if (!programFolder.empty() && fs::is_directory(own, ec))
        g_ephePath = own.string();
    else
        g_ephePath = VELORIN_SYSTEM_EPHE;
    swe_set_ephe_path(g_ephePath.data());
    g_years = yearsCovered(g_ephePath);
    return g_ephePath;
}

const std::string& ephemerisFolder() {
    return g_ephePath;
}

std::optional<YearRange> ephemerisYears() {
    return g_years;
}

std::span<const int> ephemerisBodies() {
    return kAllBodies;
}

int ephemerisNumber(int body) {
    return body < 1 || body > BODY_COUNT ? -1 : kEphemerisBody[body];
}

PositionsOutcome computePositions(double julianDayUT, std::span<const int> bodies) {
    PositionsOutcome out;
    if (g_years) {
        // The library reads its files at Terrestrial Time, which runs ahead
        // of UT by delta T (half a day by the last year of the files): the
        // last evening of the range is computed in the year after it.
        for (const double instant : {julianDayUT, julianDayUT + swe_deltat(julianDayUT)}) {
            int year = 0, month = 0, day = 0;
            double hour = 0;
            swe_revjul(instant, SE_GREG_CAL, &year, &month, &day, &hour);
            if (year < g_years->first || year > g_years->last) {
                out.error = outOfRange(year, *g_years);
                return out;
            }
        }
    }
    Positions p;
    for (int body : bodies) {
        if (body < 1 || body > BODY_COUNT || kEphemerisBody[body] < 0)
            continue;
        double xx[6] = {0, 0, 0, 0, 0, 0};
        char serr[AS_MAXCH] = {0};
        int rc = swe_calc_ut(julianDayUT, kEphemerisBody[body], kSwissEphWithSpeed, xx, serr);
        // Chiron is shown nowhere, so a date outside its tables does not spoil
        // the chart; every other point must be right or the chart is refused.
        if (rc < 0 && body != Chiron) {
            out.error = libraryFailure(body, serr);
            return out;
        }
        p.longitude[size_t(body)] = xx[0];
        if (body != NorthNode)
            p.speed[size_t(body)] = xx[3];
    }
    out.value = p;
    return out;
}

Houses computeHouses(double julianDayUT, const GeoPosition& place, char system) {
    Houses h;
    h.system = system;
    double cusps[13] = {0};
    double ascmc[10] = {0};
    int rc =
        swe_houses(julianDayUT, place.geoLatitude, place.geoLongitude, int(system), cusps, ascmc);
    if (rc < 0) {
        // Beyond the polar circles the library hands back Porphyry cusps.
        h.fallback = true;
        h.system = 'O';
    }
    for (int k = 1; k <= 12; ++k)
        h.cusps[size_t(k)] = cusps[k];
    return h;
}

void closeEphemeris() {
    swe_close();
}

} // namespace velorin
