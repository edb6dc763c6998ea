#include "transits.h"

#include "search.h"

#include "engine/angles.h"

#include <algorithm>

namespace velorin::forecast {
namespace {

// What crossing one longitude means.
struct Target {
    double longitude = 0;
    EventKind kind = EventKind::Aspect;
    int aspect = 0;
    int natal = 0;
    int cusp = 0; // house events: the cusp; sign events: the sign that starts here
};

bool harmonicToPoint(int angle) {
    return angle == 60 || angle == 120 || angle == 240 || angle == 300;
}

std::vector<Target> targetsOf(const Chart& natal, bool withHousesAndSigns) {
    std::vector<Target> out;
    for (int n = 1; n <= BODY_COUNT; ++n) {
        const double L = natal.longitude[size_t(n)];
        for (const AspectKind& a : aspectTable()) {
            // 0 and 360, 180 and 180 are one target: one event per pass.
            const bool oneTarget = a.angle == 0 || a.angle == a.mirror;
            for (int pass = 0; pass < (oneTarget ? 1 : 2); ++pass) {
                const int angle = pass == 0 ? a.angle : a.mirror;
                if ((n == SouthNode || n == Lilith) && harmonicToPoint(angle))
                    continue;
                out.push_back({normalize360(L + angle), EventKind::Aspect, a.k, n, 0});
            }
        }
    }
    if (withHousesAndSigns) {
        for (int c = 1; c <= 12; ++c)
            out.push_back({natal.cusps[size_t(c)], EventKind::House, 0, 0, c});
        for (int s = 1; s <= 12; ++s)
            out.push_back({30.0 * (s - 1), EventKind::Sign, 0, 0, s});
    }
    return out;
}

Event eventAt(const Target& t, const BodyState& at, bool backwards, int body, Motion motion) {
    Event e;
    e.julianDayUT = at.julianDayUT;
    e.kind = t.kind;
    e.motion = motion;
    e.body = body;
    e.retrograde = backwards;
    if (t.kind == EventKind::Aspect) {
        e.aspect = t.aspect;
        e.natal = t.natal;
    } else if (t.kind == EventKind::House) {
        // Moving back over a cusp is entering the house before it.
        e.house = backwards ? (t.cusp == 1 ? 12 : t.cusp - 1) : t.cusp;
    } else {
        e.sign = backwards ? (t.cusp == 1 ? 12 : t.cusp - 1) : t.cusp;
    }
    e.code = eventCode(e);
    return e;
}

} // namespace

EventsOutcome findTransits(const Chart& natal, const TransitRequest& request) {
    EventsOutcome out;
    if (auto problem = periodProblem(request.fromJD, request.toJD)) {
        out.error = *problem;
        return out;
    }
    for (int body : request.bodies)
        if (!movableBody(body)) {
            out.error = "Ez a pont nem mozgatható az előrejelzésben: " + std::to_string(body) + ".";
            return out;
        }

    const bool progressed = request.motion == Motion::Progressed;
    // A progressed body moves on the clock of the day after birth that stands
    // for each year: its search runs over the short stretch of that clock,
    // and found instants are carried back to the real calendar.
    constexpr double kYear = 365.242199;
    const double birth = natal.julianDayUT;
    auto toBodyClock = [&](double t) { return progressed ? birth + (t - birth) / kYear : t; };
    auto toRealClock = [&](double t) { return progressed ? birth + (t - birth) * kYear : t; };
    const double tolerance = progressed ? 1.0 / 86400 / kYear : 1.0 / 86400;

    const std::vector<Target> targets = targetsOf(natal, !progressed);
    std::string error;
    for (int body : request.bodies) {
        Walk walk;
        walk.body = body;
        walk.from = toBodyClock(request.fromJD);
        walk.to = toBodyClock(request.toJD);
        walk.toleranceDays = tolerance;
        auto keep = [&](Event e) {
            e.julianDayUT = toRealClock(e.julianDayUT);
            if (e.julianDayUT >= request.fromJD && e.julianDayUT < request.toJD)
                out.events.push_back(std::move(e));
        };
        bool failed = false;
        walk.visit = [&](const Stretch& s) {
            if (failed)
                return;
            const bool backwards = s.b.longitude != s.a.longitude
                                       ? wrap180(s.b.longitude - s.a.longitude) < 0
                                       : s.a.speed < 0;
            for (const Target& t : targets) {
                if (!crosses(s, t.longitude))
                    continue;
                BodyState at;
                if (!refineCrossing(body, s, t.longitude, tolerance, at, error)) {
                    failed = true;
                    return;
                }
                keep(eventAt(t, at, backwards, body, request.motion));
            }
        };
        walk.station = [&](const BodyState& s) {
            Event e;
            e.julianDayUT = s.julianDayUT;
            e.kind = EventKind::Station;
            e.motion = request.motion;
            e.body = body;
            // The station's speed is all but zero; the direction it turns to
            // is read a little later.
            BodyState after;
            if (!bodyAt(body, s.julianDayUT + 0.5, after, error)) {
                failed = true;
                return;
            }
            e.retrograde = after.speed < 0;
            e.code = eventCode(e);
            keep(std::move(e));
        };
        if (!walkBody(walk, error) || failed) {
            out.events.clear();
            out.error = error;
            return out;
        }
    }
    std::stable_sort(out.events.begin(), out.events.end(),
                     [](const Event& a, const Event& b) { return a.julianDayUT < b.julianDayUT; });
    return out;
}

} // namespace velorin::forecast
