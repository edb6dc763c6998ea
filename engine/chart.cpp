#include "chart.h"

#include "angles.h"
#include "listing.h"
#include "numbers.h"

#include <swephexp.h>

#include <array>
#include <cmath>
#include <filesystem>
#include <limits>

#ifndef VELORIN_SYSTEM_EPHE
#define VELORIN_SYSTEM_EPHE "/usr/share/libswe/ephe"
#endif

namespace velorin {
namespace {

std::string g_ephePath;

constexpr const char* kHouseLabels = "10TH11TH12TH 1ST 2ND 3RD 4TH 5TH 6TH 7TH 8TH 9TH    ";
constexpr int kSwissEphWithSpeed = 258; // SEFLG_SWIEPH | SEFLG_SPEED

const std::array<const char*, 16> kBodyNames{"",
                                             "NAP        ",
                                             "MERKUR     ",
                                             "VENUSZ     ",
                                             "MARS       ",
                                             "JUPITER    ",
                                             "SZATURNUSZ ",
                                             "URANUSZ    ",
                                             "NEPTUNUSZ  ",
                                             "PLUTO      ",
                                             "HOLD       ",
                                             "SARKANYFEJ ",
                                             "SARKFAROK  ",
                                             "LILITH     ",
                                             "ASC        ",
                                             "MC_        "};

const std::array<const char*, 13> kSignNames{
    "",          "KOS      ", "BIKA     ", "IKREK    ", "RAK      ", "OROSZLAN ", "SZUZ     ",
    "MERLEG   ", "SKORPIO  ", "NYILAS   ", "BAK      ", "VIZONTO  ", "HALAK    "};

// Ephemeris body number -> BodyId, in the order the library is asked.
struct BodySource {
    int ephemerisBody;
    int bodyId;
};
constexpr std::array<BodySource, 13> kSources{{{0, Sun},
                                               {1, Moon},
                                               {2, Mercury},
                                               {3, Venus},
                                               {4, Mars},
                                               {5, Jupiter},
                                               {6, Saturn},
                                               {7, Uranus},
                                               {8, Neptune},
                                               {9, Pluto},
                                               {10, NorthNode},
                                               {12, Lilith},
                                               {15, Chiron}}};

ComputeError fieldError(const char* field, const char* label) {
    return {field, label, std::string("Helytelen adat: ") + label};
}

struct Converted {
    int year = 0, month = 0, day = 0;
    double utHour = 0;
    double geoLongitude = 0, geoLatitude = 0;
};

// A whole-number date field: strict conversion, banker's rounding, and the
// 16-bit range the original held it in.
bool dateField(const std::string& text, int& out) {
    auto v = strictNumber(text);
    if (!v)
        return false;
    double r = roundHalfEven(*v);
    if (r < -32768 || r > 32767)
        return false;
    out = int(r);
    return true;
}

std::optional<ComputeError> convert(const BirthData& d, Converted& c) {
    if (!dateField(d.day, c.day))
        return fieldError("txtDay", "NAP");
    if (!dateField(d.year, c.year))
        return fieldError("txtYear", "ÉV");
    if (!dateField(d.month, c.month))
        return fieldError("txtMonth", "HÓNAP");

    auto zone = strictNumber(d.zone);
    if (!zone)
        return fieldError("txtTZ", "IDŐZÓNA");
    double zoneValue = *zone;
    if (d.daylightSaving == 1)
        zoneValue -= 1;

    if (!strictNumber(d.hour))
        return fieldError("txtBirthHour", "ÓRA");
    if (!strictNumber(d.minute))
        return fieldError("txtBirthMinute", "PERC");
    // The original kept the hour and minute in single precision.
    float hour = float(leadingNumber(d.hour));
    float minute = float(leadingNumber(d.minute));

    auto longDeg = strictNumber(d.longDeg);
    if (!longDeg)
        return fieldError("txtLongDeg", "HOSSZ. FOK");
    auto longMin = strictNumber(d.longMin);
    if (!longMin)
        return fieldError("txtLongMin", "HOSSZ. FOK");
    auto latDeg = strictNumber(d.latDeg);
    if (!latDeg)
        return fieldError("txtLatDeg", "SZÉL. FOK");
    auto latMin = strictNumber(d.latMin);
    if (!latMin)
        return fieldError("txtLatMin", "SZÉL. FOK");

    // The direction texts come from the degrees.minutes form, so 0°00' East
    // reads as "West"; the sign of the coordinate follows the text.
    float longDm = float(*longDeg + *longMin / 100);
    if (d.east)
        longDm = -longDm;
    const char* longDir = longDm >= 0 ? "West" : "East";
    float latDm = float(*latDeg + *latMin / 100);
    if (!d.north)
        latDm = -latDm;
    const char* latDir = latDm >= 0 ? "North" : "South";

    float h = hour;
    // Compared as a float: a typed hour may be far beyond any integer type.
    const float whole = std::trunc(h);
    if (d.am && whole == 12)
        h = h - 12;
    if (!d.am && whole != 12)
        h = h + 12;
    h = float(double(h) + zoneValue);
    c.utHour = double(h) + double(minute) / 60.0;

    double lon = *longDeg + *longMin / 60;
    if (!equalsIgnoreCase(longDir, "EAST"))
        lon = -lon;
    c.geoLongitude = roundTo15Digits(lon);
    double lat = *latDeg + *latMin / 60;
    if (!equalsIgnoreCase(latDir, "NORTH"))
        lat = -lat;
    c.geoLatitude = roundTo15Digits(lat);
    if (!std::isfinite(c.utHour) || !std::isfinite(c.geoLongitude) || !std::isfinite(c.geoLatitude))
        return fieldError("txtTZ", "IDŐZÓNA");
    return std::nullopt;
}

std::string ephemerisMessage(const char* what, const char* serr) {
    std::string m = std::string("A csillagászati számítás nem sikerült (") + what + ")";
    if (serr && *serr)
        m += ": " + std::string(serr);
    return m;
}

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
    return g_ephePath;
}

const std::string& ephemerisFolder() {
    return g_ephePath;
}

double normalize360(double x) {
    return x - std::floor(x / 360.0) * 360.0;
}

std::string bodyName(int body) {
    if (body < 1 || body > 15)
        return "";
    return kBodyNames[size_t(body)];
}

std::string signName(int sign) {
    if (sign < 1 || sign > 12)
        return "";
    return kSignNames[size_t(sign)];
}

int signOf(double longitude) {
    int s = int(std::floor(longitude / 30.0)) + 1;
    return s < 1 ? 1 : (s > 12 ? 12 : s);
}

double degreeInSign(double longitude) {
    return longitude - (signOf(longitude) - 1) * 30.0;
}

int Chart::house(int body) const {
    if (body < 1 || body > BODY_COUNT || houseField.size() < size_t(body) * 10)
        return 0;
    return int(leadingNumber(std::string_view(houseField).substr(size_t(body - 1) * 10, 10)));
}

void placeInHouses(Chart& chart, float anticipation) {
    const double D = double(anticipation);
    const double first = chart.cuspRing[1];
    for (int j = 1; j <= BODY_COUNT; ++j)
        chart.houseField.replace(size_t(j - 1) * 10 + 4, 6, " HOUSE");
    // Slots are visited from the 10th house on and a later match overwrites an
    // earlier one: that order decides which house the anticipation zone
    // before each cusp belongs to.
    for (int t = 1; t <= 12; ++t) {
        const double a = chart.cuspRing[size_t(t)];
        const double b = chart.cuspRing[size_t(t + 1)];
        for (int j = 1; j <= BODY_COUNT; ++j) {
            double x = chart.longitude[size_t(j)] + 1.0 / 36000.0;
            bool match;
            if (t < 12 && a > b)
                match = (a <= x && x < 360) || (0 <= x && x < b);
            else if (t == 12 && a > first)
                match = (a <= x && x < 360) || (0 <= x && x < first);
            else if (t < 12)
                match = a - D <= x && x < b;
            else
                match = a - D <= x && x < first;
            if (match)
                chart.houseField.replace(size_t(j - 1) * 10, 4, kHouseLabels + (t - 1) * 4, 4);
        }
    }
}

ChartOutcome computeChart(const BirthData& data, const EngineSettings& settings) {
    ChartOutcome out;
    Converted c;
    if (auto err = convert(data, c)) {
        out.error = *err;
        return out;
    }

    Chart chart;
    chart.houseField = "---- --------- -----" + std::string(140, ' ');
    chart.male = data.isMale();
    chart.utHour = c.utHour;
    chart.geoLongitude = c.geoLongitude;
    chart.geoLatitude = c.geoLatitude;

    swe_julday(c.year, c.month, c.day, c.utHour, SE_GREG_CAL);
    double jd = 0;
    swe_date_conversion(c.year, c.month, c.day, c.utHour, 'g', &jd);
    chart.julianDayUT = jd;

    double node = 0;
    for (const BodySource& src : kSources) {
        double xx[6] = {0, 0, 0, 0, 0, 0};
        char serr[256] = {0};
        int rc = swe_calc(jd, src.ephemerisBody, kSwissEphWithSpeed, xx, serr);
        // Chiron is shown nowhere, so a date outside its tables does not spoil
        // the chart; every other point must be right or the chart is refused.
        if (rc < 0 && src.bodyId != Chiron) {
            swe_close();
            out.error = {"", "", ephemerisMessage(trimSpaces(bodyName(src.bodyId)).c_str(), serr)};
            return out;
        }
        if (src.bodyId == NorthNode) {
            node = xx[0];
            continue;
        }
        chart.longitude[size_t(src.bodyId)] = xx[0];
        chart.speed[size_t(src.bodyId)] = xx[3];
    }

    double cusps[13] = {0};
    double ascmc[10] = {0};
    int hrc = swe_houses(jd, c.geoLatitude, c.geoLongitude, int('P'), cusps, ascmc);
    if (hrc < 0) {
        // Beyond the polar circles the library hands back Porphyry cusps.
        chart.housesFallback = true;
        chart.houseSystem = 'O';
    }
    for (int k = 1; k <= 12; ++k) {
        chart.cusps[size_t(k)] = cusps[k];
        int slot = k <= 9 ? k + 3 : k - 9;
        chart.cuspRing[size_t(slot)] = cusps[k];
    }
    swe_close();

    chart.longitude[Ascendant] = chart.cusps[1];
    chart.longitude[Midheaven] = chart.cusps[10];
    chart.longitude[NorthNode] = node;
    chart.longitude[SouthNode] = normalize360(node + 180);

    for (int b = 1; b <= BODY_COUNT; ++b)
        if (chart.speed[size_t(b)] < 0)
            chart.retroFlags[size_t(b - 1)] = 'R';

    placeInHouses(chart, settings.anticipation);
    buildListing(chart, settings.wording);
    out.chart = std::move(chart);
    return out;
}

} // namespace velorin
