#pragma once
// The chart as one JSON object for scripts.

#include "engine/chart.h"

#include <string>

namespace velorin::cli {

std::string jsonString(const std::string& s);
std::string jsonNumber(double x);
std::string chartJson(const Chart& chart);

} // namespace velorin::cli
