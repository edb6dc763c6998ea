#pragma once
// The chart as text: the listing, the short per-house and per-point texts of
// the wheel, and the interpretation codes.

#include "chart.h"

#include <string>

namespace velorin {

inline constexpr const char* kCrLf = "\r\n";

// The sex prefix of the interpretation codes.
std::string codePrefix(bool male);

// Builds listing, houseTexts, bodyTexts, bodyTips and codes from a placed
// chart. In the synastry wording only the listing is built.
void buildListing(Chart& chart, Wording wording);

} // namespace velorin
