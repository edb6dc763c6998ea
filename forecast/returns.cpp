#include "returns.h"

#include "events.h"
#include "search.h"

#include <swephexp.h>

#include <cmath>

namespace velorin::forecast {

bool exactReturn(int body, double longitude, double guessJD, double& instant, std::string& error) {
    double t = guessJD;
    BodyState s;
    for (int n = 0; n < 50; ++n) {
        if (!bodyAt(body, t, s, error))
            return false;
        const double g = wrap180(s.longitude - longitude);
        if (std::fabs(g) < 1e-8 || s.speed <= 0)
            break;
        t -= g / s.speed;
    }
    if (std::fabs(wrap180(s.longitude - longitude)) > 1e-6) {
        error = "A visszatérés pillanata nem található meg pontosan.";
        return false;
    }
    instant = t;
    return true;
}

ReturnsOutcome solarReturn(const Chart& natal, int year) {
    ReturnsOutcome out;
    int y = 0, m = 0, d = 0;
    double hour = 0;
    swe_revjul(natal.julianDayUT, SE_GREG_CAL, &y, &m, &d, &hour);
    // 29 February in a common year stands for 1 March.
    const double birthday = swe_julday(year, m, d, hour, SE_GREG_CAL);
    if (auto problem = periodProblem(birthday - 2, birthday + 2)) {
        out.error = *problem;
        return out;
    }
    double instant = 0;
    if (!exactReturn(Sun, natal.longitude[Sun], birthday, instant, out.error))
        return out;
    out.instants.push_back(instant);
    return out;
}

ReturnsOutcome lunarReturns(const Chart& natal, double fromJD, double toJD) {
    ReturnsOutcome out;
    if (auto problem = periodProblem(fromJD, toJD)) {
        out.error = *problem;
        return out;
    }
    const double target = natal.longitude[Moon];
    Walk walk;
    walk.body = Moon;
    walk.from = fromJD;
    walk.to = toJD;
    walk.visit = [&](const Stretch& s) {
        if (!out.error.empty() || !crosses(s, target))
            return;
        const double ga = wrap180(s.a.longitude - target);
        const double gb = wrap180(s.b.longitude - target);
        const double guess = s.a.julianDayUT + (s.b.julianDayUT - s.a.julianDayUT) * ga / (ga - gb);
        double instant = 0;
        if (exactReturn(Moon, target, guess, instant, out.error) && instant >= fromJD &&
            instant < toJD)
            out.instants.push_back(instant);
    };
    std::string error;
    if (!walkBody(walk, error))
        out.error = error;
    if (!out.error.empty())
        out.instants.clear();
    return out;
}

ReturnChartOutcome chartAtInstant(double julianDayUT, const GeoPosition& place, bool male,
                                  const EngineSettings& settings) {
    ReturnChartOutcome out;
    PositionsOutcome positions = computePositions(julianDayUT);
    if (!positions.ok()) {
        out.error = positions.error.message;
        return out;
    }
    const Houses houses = computeHouses(julianDayUT, place, settings.houseSystem);
    if (houses.fallback) {
        out.error = "A hely a sarkkörön túl van: a házak itt nem számolhatók, a kép nem készül.";
        return out;
    }
    out.chart = assembleChart(*positions.value, houses, julianDayUT,
                              std::fmod(julianDayUT + 0.5, 1.0) * 24, place, male, settings);
    return out;
}

} // namespace velorin::forecast
