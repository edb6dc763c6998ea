#pragma once
// The root finding every forecast shares: a body's longitude sampled on a
// step, cut into stretches of one direction of motion at its stations, and
// each crossing of a target longitude refined.

#include <functional>
#include <string>
#include <vector>

namespace velorin::forecast {

struct BodyState {
    double julianDayUT = 0;
    double longitude = 0;
    double speed = 0;
};

// Where a body stands at an instant; false with a Hungarian message when the
// ephemeris cannot say.
bool bodyAt(int body, double julianDayUT, BodyState& out, std::string& error);

// x brought into (-180, 180].
double wrap180(double x);

// The sampling step in days for a body: short enough that no two stations
// fall into one step and that the body never moves half a circle in one.
double samplingStep(int body);

// A stretch of time over which the body moves one way only.
struct Stretch {
    BodyState a;
    BodyState b;
};

// Walks a body from `from` to `to` (both widened by a step so that crossings
// at the ends are bracketed) and hands each one-way stretch to `visit`;
// stations found on the way go to `station`. `timeScale` maps the body's
// clock to the caller's (progressions run 365 times slower), and
// `toleranceDays` is the precision of the caller's clock.
struct Walk {
    int body = 0;
    double from = 0;
    double to = 0;
    double toleranceDays = 1.0 / 86400;
    std::function<void(const Stretch&)> visit;
    std::function<void(const BodyState&)> station;
};
bool walkBody(const Walk& walk, std::string& error);

// The instant in the stretch at which the body stands at target exactly
// (to toleranceDays), when it crosses it there.
bool crosses(const Stretch& s, double target);
bool refineCrossing(int body, const Stretch& s, double target, double toleranceDays, BodyState& out,
                    std::string& error);

} // namespace velorin::forecast
