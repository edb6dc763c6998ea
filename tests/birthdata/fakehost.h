#pragma once
// Stands in for the main window: counts what the birth-data form hands over.

#include "chart/birthdata/charthost.h"

#include <optional>

namespace velorin::test {

class FakeHost : public ChartHost {
public:
    int presented = 0;
    int redrawn = 0;
    std::optional<BirthData> lastData;
    std::optional<Chart> lastChart;

    void presentChart(const BirthData& data, Chart chart) override {
        ++presented;
        lastData = data;
        lastChart = std::move(chart);
    }
    void redrawCurrentChart() override { ++redrawn; }
};

} // namespace velorin::test
