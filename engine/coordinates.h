#pragma once
// The place of birth as the earth allows it. The computation itself takes any
// number; the programs refuse a latitude beyond the poles or a longitude
// beyond the date line before they compute, as they refuse an impossible date.

#include "chart.h"

#include <optional>

namespace velorin {

inline constexpr double kMaxLatitude = 90;
inline constexpr double kMaxLongitude = 180;

// The field that puts the place outside ±90° latitude or ±180° longitude
// (degrees plus minutes), or nothing. Fields that are not numbers are left to
// computeChart, which names them.
std::optional<ComputeError> checkCoordinates(const BirthData& data);

// computeChart for a place the earth has: what every window and the command
// line compute with.
ChartOutcome computeCheckedChart(const BirthData& data, const EngineSettings& settings);

} // namespace velorin
