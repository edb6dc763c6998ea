#include "progressions.h"

#include <swephexp.h>

#include <cmath>

namespace velorin::forecast {
namespace {

constexpr double kDeg = 3.14159265358979323846 / 180;

double trueObliquity(double julianDayUT) {
    double x[6] = {0, 0, 0, 0, 0, 0};
    char serr[AS_MAXCH] = {0};
    swe_calc_ut(julianDayUT, SE_ECL_NUT, 0, x, serr);
    return x[0];
}

} // namespace

double progressedInstant(double birthJD, double dateJD) {
    return birthJD + (dateJD - birthJD) / kTropicalYearDays;
}

ProgressedOutcome progressedChart(const Chart& natal, double dateJD,
                                  const EngineSettings& settings) {
    ProgressedOutcome out;
    if (std::fabs(dateJD - natal.julianDayUT) > 200 * kTropicalYearDays) {
        out.error = "A progresszív kép legfeljebb kétszáz évvel a születés előtt vagy után "
                    "számolható.";
        return out;
    }
    const double jd = progressedInstant(natal.julianDayUT, dateJD);
    PositionsOutcome positions = computePositions(jd);
    if (!positions.ok()) {
        out.error = positions.error.message;
        return out;
    }
    const double arc = normalize360(positions.value->longitude[Sun] - natal.longitude[Sun]);
    const double mc = normalize360(natal.longitude[Midheaven] + arc);
    // The houses of that Midheaven: its right ascension is the sidereal
    // angle the house formulae start from.
    const double eps = trueObliquity(jd);
    const double armc = normalize360(
        std::atan2(std::sin(mc * kDeg) * std::cos(eps * kDeg), std::cos(mc * kDeg)) / kDeg);
    double cusps[13] = {0};
    double ascmc[10] = {0};
    const int rc =
        swe_houses_armc(armc, natal.geoLatitude, eps, int(settings.houseSystem), cusps, ascmc);
    if (rc < 0) {
        out.error = "A születési hely a sarkkörön túl van: a házak itt nem számolhatók a "
                    "progresszív Medium Coeliből, progresszív kép nem készül.";
        return out;
    }
    Houses houses;
    houses.system = settings.houseSystem;
    for (int k = 1; k <= 12; ++k)
        houses.cusps[size_t(k)] = cusps[k];
    Chart chart = assembleChart(*positions.value, houses, jd, std::fmod(jd + 0.5, 1.0) * 24,
                                {natal.geoLongitude, natal.geoLatitude}, natal.male, settings);
    out.chart = std::move(chart);
    out.progressedJD = jd;
    out.solarArc = arc;
    return out;
}

EventsOutcome findProgressedAspects(const Chart& natal, double fromJD, double toJD,
                                    std::vector<int> bodies) {
    TransitRequest r;
    r.fromJD = fromJD;
    r.toJD = toJD;
    r.bodies = std::move(bodies);
    r.motion = Motion::Progressed;
    return findTransits(natal, r);
}

} // namespace velorin::forecast
