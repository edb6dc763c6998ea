#pragma once
// Transits: every exact aspect of a moving body to the points of a natal
// chart in a period, each pass of a retrograde loop on its own, with the
// body's entries into the natal houses and into the signs and its stations.

#include "events.h"

#include "engine/chart.h"

#include <string>
#include <vector>

namespace velorin::forecast {

struct TransitRequest {
    double fromJD = 0; // inclusive
    double toJD = 0;   // exclusive
    std::vector<int> bodies = defaultTransitBodies();
    Motion motion = Motion::Transit;
};

struct EventsOutcome {
    std::vector<Event> events; // in time order; empty on failure
    std::string error;         // Hungarian; empty on success
    bool ok() const { return error.empty(); }
};

// Aspects are those of the aspect table at their angle or 360 less it, with
// the natal search's rule that sextiles and trines are not read to the South
// Node and Lilith. Houses are entered at their exact cusps. The whole period
// is found or nothing is.
EventsOutcome findTransits(const Chart& natal, const TransitRequest& request);

} // namespace velorin::forecast
