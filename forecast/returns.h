#pragma once
// Returns: the instants at which the Sun or the Moon stands again where it
// stood at birth, and the charts cast for them.

#include "engine/chart.h"

#include <optional>
#include <string>
#include <vector>

namespace velorin::forecast {

struct ReturnsOutcome {
    std::vector<double> instants; // Julian days UT, in time order
    std::string error;            // Hungarian; empty on success
    bool ok() const { return error.empty(); }
};

// The solar return nearest the birthday in that year (the same calendar day
// and hour of Universal Time as the birth).
ReturnsOutcome solarReturn(const Chart& natal, int year);

// Every lunar return whose instant falls in [fromJD, toJD).
ReturnsOutcome lunarReturns(const Chart& natal, double fromJD, double toJD);

// The instant near `guessJD` at which the body stands at the longitude, to
// well under a thousandth of an arc second.
bool exactReturn(int body, double longitude, double guessJD, double& instant, std::string& error);

struct ReturnChartOutcome {
    std::optional<Chart> chart;
    std::string error;
    bool ok() const { return chart.has_value(); }
};

// The chart of an instant at a place; refused beyond the polar circles,
// where its houses cannot be cast.
ReturnChartOutcome chartAtInstant(double julianDayUT, const GeoPosition& place, bool male,
                                  const EngineSettings& settings);

} // namespace velorin::forecast
