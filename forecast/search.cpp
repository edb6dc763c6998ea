#include "search.h"

#include "events.h"

#include "engine/chart.h"
#include "engine/positions.h"

#include <swephexp.h>

#include <cmath>

namespace velorin::forecast {
namespace {

constexpr int kSwissEphWithSpeed = 258; // SEFLG_SWIEPH | SEFLG_SPEED
constexpr int kMaxIterations = 100;

// A station is where the speed changes sign; the speed runs nearly straight
// through zero there, so false position with the Illinois correction finds it
// in a handful of steps.
bool refineStation(int body, BodyState a, BodyState b, double toleranceDays, BodyState& out,
                   std::string& error) {
    double fa = a.speed, fb = b.speed;
    int side = 0;
    BodyState s = a;
    double previous = a.julianDayUT;
    for (int n = 0; n < kMaxIterations && b.julianDayUT - a.julianDayUT > toleranceDays; ++n) {
        double t = (a.julianDayUT * fb - b.julianDayUT * fa) / (fb - fa);
        if (!(t > a.julianDayUT && t < b.julianDayUT))
            t = 0.5 * (a.julianDayUT + b.julianDayUT);
        if (!bodyAt(body, t, s, error))
            return false;
        if (std::fabs(t - previous) < toleranceDays) {
            out = s;
            return true;
        }
        previous = t;
        if ((s.speed < 0) == (a.speed < 0)) {
            a = s;
            fa = s.speed;
            if (side == -1)
                fb *= 0.5;
            side = -1;
        } else {
            b = s;
            fb = s.speed;
            if (side == 1)
                fa *= 0.5;
            side = 1;
        }
    }
    out = std::fabs(a.speed) < std::fabs(b.speed) ? a : b;
    return true;
}

} // namespace

bool bodyAt(int body, double julianDayUT, BodyState& out, std::string& error) {
    const int number = ephemerisNumber(body);
    if (number < 0) {
        error = "Ez a pont nem mozgatható az előrejelzésben (" + std::to_string(body) + ").";
        return false;
    }
    double xx[6] = {0, 0, 0, 0, 0, 0};
    char serr[AS_MAXCH] = {0};
    const int rc = swe_calc_ut(julianDayUT, number, kSwissEphWithSpeed, xx, serr);
    if (rc < 0 || (rc & SEFLG_SWIEPH) == 0) {
        // A body read from the library's coarse fallback would put events
        // minutes or hours off; the search refuses rather than guess.
        error = ephemerisFailureText(codeLetters(body), serr);
        return false;
    }
    out = {julianDayUT, xx[0], xx[3]};
    return true;
}

double wrap180(double x) {
    double y = std::fmod(x, 360.0);
    if (y <= -180)
        y += 360;
    else if (y > 180)
        y -= 360;
    return y;
}

double samplingStep(int body) {
    // Two stations never fall into one step, and between stations the body
    // moves one way, so each target is crossed at most once a stretch. The
    // steps keep a wide margin below the shortest retrograde spells.
    switch (body) {
    case Moon:
        return 1; // never stations; 12 to 15 degrees a step
    case Mercury:
        return 2; // retrograde for 19 days at the least
    case Venus:
        return 4; // retrograde for about 40 days
    case Sun:
    case Mars:
        return 5; // the Sun never stations; Mars is retrograde for two months
    case NorthNode:
        return 20; // the mean node moves back at an even pace
    default:
        return 10; // Jupiter outwards, Lilith and Chiron: retrograde for months
    }
}

bool walkBody(const Walk& walk, std::string& error) {
    const double step = samplingStep(walk.body);
    const double start = walk.from - step;
    const double end = walk.to + step;
    BodyState a;
    if (!bodyAt(walk.body, start, a, error))
        return false;
    const long count = long(std::ceil((end - start) / step));
    for (long n = 1; n <= count; ++n) {
        BodyState b;
        if (!bodyAt(walk.body, start + double(n) * step, b, error))
            return false;
        if ((a.speed < 0) != (b.speed < 0)) {
            BodyState s;
            if (!refineStation(walk.body, a, b, walk.toleranceDays, s, error))
                return false;
            walk.visit({a, s});
            if (walk.station)
                walk.station(s);
            walk.visit({s, b});
        } else {
            walk.visit({a, b});
        }
        a = b;
    }
    return true;
}

bool crosses(const Stretch& s, double target) {
    const double ga = wrap180(s.a.longitude - target);
    const double gb = wrap180(s.b.longitude - target);
    // A sign change through 180 is the opposite point passing; a stretch
    // never moves more than a few degrees, so the jump tells them apart.
    if (std::fabs(gb - ga) >= 180)
        return false;
    return (ga < 0 && gb >= 0) || (ga > 0 && gb <= 0);
}

bool refineCrossing(int body, const Stretch& s, double target, double toleranceDays, BodyState& out,
                    std::string& error) {
    BodyState a = s.a, b = s.b;
    double ga = wrap180(a.longitude - target);
    double gb = wrap180(b.longitude - target);
    // The stretch's ends with their speeds make a cubic that follows the
    // body to a small fraction of a second over a sampling step; its root,
    // found without the ephemeris, is where Newton's steps begin, so that
    // most crossings cost one or two library calls.
    const double h = b.julianDayUT - a.julianDayUT;
    auto cubic = [&](double u) {
        const double u2 = u * u, u3 = u2 * u;
        return (2 * u3 - 3 * u2 + 1) * ga + (u3 - 2 * u2 + u) * h * a.speed +
               (-2 * u3 + 3 * u2) * gb + (u3 - u2) * h * b.speed;
    };
    double lo = 0, hi = 1;
    const bool risingAtLo = ga < 0;
    for (int n = 0; n < 40; ++n) {
        const double mid = 0.5 * (lo + hi);
        if ((cubic(mid) < 0) == risingAtLo)
            lo = mid;
        else
            hi = mid;
    }
    double t = a.julianDayUT + 0.5 * (lo + hi) * h;
    BodyState x;
    for (int n = 0; n < kMaxIterations; ++n) {
        if (!bodyAt(body, t, x, error))
            return false;
        const double g = wrap180(x.longitude - target);
        if ((g < 0) == (ga < 0) && g != 0) {
            a = x;
            ga = g;
        } else {
            b = x;
            gb = g;
        }
        // Newton's step while it stays inside the bracket; near a station,
        // where the speed vanishes, halving the bracket instead.
        // The point just evaluated is a bracket end, so a converged step may
        // land on it or a rounding beyond: that is tested first.
        double next = x.speed != 0 ? t - g / x.speed : t;
        const bool converged = x.speed != 0 && std::fabs(next - t) < toleranceDays;
        if (!converged && !(next > a.julianDayUT && next < b.julianDayUT))
            next = 0.5 * (a.julianDayUT + b.julianDayUT);
        if (converged || b.julianDayUT - a.julianDayUT < toleranceDays) {
            // The last step is far below the tolerance; the body is carried
            // along it rather than asked once more.
            out = {next, x.longitude + x.speed * (next - t), x.speed};
            return true;
        }
        t = next;
    }
    out = x;
    return true;
}

} // namespace velorin::forecast
