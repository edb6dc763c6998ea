#pragma once
// Secondary progressions: the sky one day after birth for each year of
// life, with the Midheaven carried forward by the progressed Sun's arc.

#include "transits.h"

#include "engine/chart.h"

#include <optional>
#include <string>

namespace velorin::forecast {

inline constexpr double kTropicalYearDays = 365.242199;

// The instant whose sky stands for a date: birth + age in days / year length.
double progressedInstant(double birthJD, double dateJD);

struct ProgressedOutcome {
    std::optional<Chart> chart; // julianDayUT is the progressed instant
    double progressedJD = 0;
    double solarArc = 0; // progressed Sun over natal Sun, 0..360
    std::string error;   // Hungarian, when no chart
    bool ok() const { return chart.has_value(); }
};

// The progressed chart for a date (its 0:00 UT): bodies at the progressed
// instant, the Midheaven at natal Midheaven + solar arc, the Ascendant and the
// cusps from that Midheaven at the birth place. Refused beyond the polar
// circles, where the houses cannot be cast from a Midheaven.
ProgressedOutcome progressedChart(const Chart& natal, double dateJD,
                                  const EngineSettings& settings);

// Progressed-to-natal aspects exact in a period (real instants).
EventsOutcome findProgressedAspects(const Chart& natal, double fromJD, double toJD,
                                    std::vector<int> bodies = defaultProgressedBodies());

} // namespace velorin::forecast
