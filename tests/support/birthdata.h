#pragma once
// Birth data used across the tests: one well-known chart, and a way to
// compute it that fails loudly.

#include "engine/birthdata.h"
#include "engine/chart.h"

#include <stdexcept>

namespace velorin::test {

// 26 February 1973, 2:50 A.M., zone -2, 22°45' E, 47°25' N.
inline BirthData anna() {
    BirthData d;
    d.name = "Anna";
    d.sex = "Nő";
    d.year = "1973";
    d.month = "2";
    d.day = "26";
    d.hour = "2";
    d.minute = "50";
    d.am = true;
    d.zone = "-2";
    d.longDeg = "22";
    d.longMin = "45";
    d.east = true;
    d.latDeg = "47";
    d.latMin = "25";
    d.north = true;
    return d;
}

inline Chart mustCompute(const BirthData& d, const EngineSettings& s = EngineSettings()) {
    static bool initialised = false;
    if (!initialised) {
        initEngine("/nonexistent-program-folder");
        initialised = true;
    }
    ChartOutcome o = computeChart(d, s);
    if (!o.ok())
        throw std::runtime_error(o.error.message);
    return *o.chart;
}

} // namespace velorin::test
