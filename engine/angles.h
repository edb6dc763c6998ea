#pragma once
// The aspect search: which pairs are tested, against which angles and orbs,
// and in which order the findings are reported.

#include "chart.h"

#include <array>
#include <string>
#include <vector>

namespace velorin {

struct AspectKind {
    int k;
    const char* name;
    int angle;
    int mirror;
    int settingIndex; // index of its orb and colour in the settings' angle order
    char polarity;
};

// Rows k = 1..8 at indices 0..7, in search order.
const std::array<AspectKind, 8>& aspectTable();
const AspectKind& aspectKind(int k);

// Aspects in search order. A pair carries each aspect at most once, even
// where both passes find it (the opposition, whose angle is its own mirror).
std::vector<Aspect> findAspects(const Chart& chart, const EngineSettings& settings);

// The interpretation code of one aspect, e.g. "F_NAHOP".
std::string aspectCode(const Chart& chart, const Aspect& a);

// The listing line of one aspect, without its line end.
std::string aspectLine(const Aspect& a);

// Runs the search and appends its lines to the listing and its codes to the
// chart's codes, as drawing the wheel does; a chart made without texts gets
// only its aspects.
void appendAspects(Chart& chart, const EngineSettings& settings);

} // namespace velorin
