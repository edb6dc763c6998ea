#pragma once
// The aspects between two people's charts: every planet of the first person
// against every planet of the second, with the orbs of the natal search.

#include "chart.h"

#include <array>
#include <string>
#include <vector>

namespace velorin {

// One finding: first is the first person's planet, second the second
// person's (BodyId 1..10), kind the row of the aspect table (1..8).
struct CrossAspect {
    int first = 0;
    int second = 0;
    int kind = 0;
};

using Longitudes = std::array<double, BODY_COUNT + 1>; // indexed by BodyId

// Pairs in BodyId order, the first person's planet outermost. Each aspect is
// tested with its own orb against its angle and its mirror angle, bounds
// included, and a pair carries each aspect at most once.
std::vector<CrossAspect> findCrossAspects(const Longitudes& first, const Longitudes& second,
                                          const EngineSettings& settings);

// "NAP         Trigon  HOLD       ": the first person's body first.
std::string crossAspectLine(const CrossAspect& a);

} // namespace velorin
