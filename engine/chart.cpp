#include "chart.h"

#include "angles.h"
#include "listing.h"
#include "numbers.h"

#include <array>
#include <cmath>

namespace velorin {
namespace {

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

// The house that ring slot t (1..12, from the 10th house on) stands for.
int houseOfSlot(int t) {
    return t <= 3 ? t + 9 : t - 3;
}

} // namespace

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
    if (body < 1 || body > BODY_COUNT)
        return 0;
    return houses[size_t(body)];
}

void placeInHouses(Chart& chart, float anticipation) {
    const double D = double(anticipation);
    const double first = chart.cuspRing[1];
    chart.houses.fill(0);
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
                chart.houses[size_t(j)] = houseOfSlot(t);
        }
    }
}

Chart assembleChart(const Positions& positions, const Houses& houses, double julianDayUT,
                    double utHour, const GeoPosition& place, bool male,
                    const EngineSettings& settings) {
    Chart chart;
    chart.male = male;
    chart.utHour = utHour;
    chart.julianDayUT = julianDayUT;
    chart.geoLongitude = place.geoLongitude;
    chart.geoLatitude = place.geoLatitude;
    chart.longitude = positions.longitude;
    chart.speed = positions.speed;

    chart.housesFallback = houses.fallback;
    chart.houseSystem = houses.system;
    chart.requestedHouseSystem = settings.houseSystem;
    for (int k = 1; k <= 12; ++k) {
        chart.cusps[size_t(k)] = houses.cusps[size_t(k)];
        int slot = k <= 9 ? k + 3 : k - 9;
        chart.cuspRing[size_t(slot)] = houses.cusps[size_t(k)];
    }

    chart.longitude[Ascendant] = chart.cusps[1];
    chart.longitude[Midheaven] = chart.cusps[10];
    chart.longitude[SouthNode] = normalize360(chart.longitude[NorthNode] + 180);

    for (int b = 1; b <= BODY_COUNT; ++b)
        if (chart.speed[size_t(b)] < 0)
            chart.retroFlags[size_t(b - 1)] = 'R';

    placeInHouses(chart, settings.anticipation);
    if (settings.texts)
        buildListing(chart, settings.wording);
    return chart;
}

ChartOutcome computeChart(const BirthData& data, const EngineSettings& settings) {
    ChartOutcome out;
    MomentOutcome birth = birthMoment(data);
    if (!birth.ok()) {
        out.error = birth.error;
        return out;
    }
    const Moment& moment = birth.value->moment;
    const GeoPosition& place = birth.value->place;

    PositionsOutcome positions = computePositions(moment.julianDayUT);
    if (!positions.ok()) {
        closeEphemeris();
        out.error = positions.error;
        return out;
    }
    const Houses houses = computeHouses(moment.julianDayUT, place, settings.houseSystem);
    closeEphemeris();

    Chart chart = assembleChart(*positions.value, houses, moment.julianDayUT, moment.utHour, place,
                                data.isMale(), settings);
    out.chart = std::move(chart);
    return out;
}

} // namespace velorin
