#pragma once
// What the birth-data form needs from the main window: a place to show a
// computed chart. Kept as an interface so the form can be tested on its own.

#include "engine/birthdata.h"
#include "engine/chart.h"

namespace velorin {

class ChartHost {
public:
    virtual ~ChartHost() = default;

    // A freshly computed chart (aspects not yet searched). The host draws it,
    // runs the aspect search and replaces its codes, captions and data sheet.
    virtual void presentChart(const BirthData& data, Chart chart) = 0;

    // The chart could not be computed; the host keeps showing what it has but
    // must be drawn again at its present size.
    virtual void redrawCurrentChart() = 0;
};

} // namespace velorin
