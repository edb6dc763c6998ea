// The whole chart computation (positions, houses, listing, codes, aspects)
// beside a baseline that makes only the ephemeris library's calls for the
// same charts. The gap between the two is what the engine itself costs.

#include "engine/angles.h"
#include "engine/chart.h"
#include "engine/listing.h"
#include "engine/moonday.h"

#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <string>
#include <vector>

using namespace velorin;

namespace {

std::vector<BirthData> spread() {
    std::vector<BirthData> out;
    for (int n = 0; n < 64; ++n) {
        BirthData d;
        d.year = std::to_string(1800 + n * 4);
        d.month = std::to_string(1 + n % 12);
        d.day = std::to_string(1 + (n * 7) % 28);
        d.hour = std::to_string(1 + n % 12);
        d.minute = std::to_string((n * 13) % 60);
        d.am = n % 2 == 0;
        d.zone = std::to_string(n % 25 - 12);
        d.longDeg = std::to_string((n * 37) % 180);
        d.latDeg = std::to_string((n * 17) % 120 - 60);
        d.latMin = "30";
        out.push_back(d);
    }
    return out;
}

void BM_ComputeChartWithAspects(benchmark::State& state) {
    initEngine("");
    auto people = spread();
    EngineSettings settings;
    size_t n = 0;
    for (auto _ : state) {
        ChartOutcome o = computeChart(people[n++ % people.size()], settings);
        appendAspects(*o.chart, settings);
        benchmark::DoNotOptimize(o.chart->codes.data());
    }
}
BENCHMARK(BM_ComputeChartWithAspects);

// The same library calls for the same charts, with nothing around them.
void BM_LibraryCallsOnly(benchmark::State& state) {
    initEngine("");
    auto people = spread();
    // The Julian days and places the engine would compute, prepared outside the loop.
    struct Call {
        int y, m, d;
        double ut, lat, lon;
    };
    std::vector<Call> calls;
    for (const BirthData& p : people) {
        Chart c = *computeChart(p, EngineSettings()).chart;
        calls.push_back({std::stoi(p.year), std::stoi(p.month), std::stoi(p.day), c.utHour,
                         c.geoLatitude, c.geoLongitude});
    }
    const int bodies[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 15};
    size_t n = 0;
    for (auto _ : state) {
        const Call& c = calls[n++ % calls.size()];
        double jd = swe_julday(c.y, c.m, c.d, c.ut, SE_GREG_CAL);
        swe_date_conversion(c.y, c.m, c.d, c.ut, 'g', &jd);
        double xx[6];
        char serr[256];
        for (int b : bodies)
            swe_calc_ut(jd, b, 258, xx, serr);
        double cusps[13], ascmc[10];
        swe_houses(jd, c.lat, c.lon, 'P', cusps, ascmc);
        swe_close();
        benchmark::DoNotOptimize(cusps);
    }
}
BENCHMARK(BM_LibraryCallsOnly);

// What the engine adds on top of the library: placing, listing, codes, aspects.
void BM_EngineTextsOnly(benchmark::State& state) {
    initEngine("");
    auto people = spread();
    std::vector<Chart> charts;
    for (const BirthData& p : people) {
        Chart c = *computeChart(p, EngineSettings()).chart;
        c.listing.clear();
        c.codes.clear();
        charts.push_back(c);
    }
    EngineSettings settings;
    size_t n = 0;
    for (auto _ : state) {
        Chart c = charts[n++ % charts.size()];
        placeInHouses(c, settings.anticipation);
        buildListing(c, Wording::ChartProgram);
        appendAspects(c, settings);
        benchmark::DoNotOptimize(c.codes.data());
    }
}
BENCHMARK(BM_EngineTextsOnly);

// A month of the moon calendar: every day's moment, Sun, Moon, sign and
// picture name, as the calendar window and velorin moon compute them.
void BM_MoonMonth(benchmark::State& state) {
    initEngine("");
    for (auto _ : state) {
        for (int day = 1; day <= daysInMonth(2024, 1); ++day) {
            MoonDayOutcome o = computeMoonDay(2024, 1, day, -1);
            benchmark::DoNotOptimize(o.value);
        }
    }
}
BENCHMARK(BM_MoonMonth);

// Its baseline: the library's Sun and Moon for the same 31 midnights.
void BM_MoonMonthLibraryCallsOnly(benchmark::State& state) {
    initEngine("");
    for (auto _ : state) {
        for (int day = 1; day <= 31; ++day) {
            const double jd = swe_julday(2024, 1, day, -1, SE_GREG_CAL);
            double xx[6];
            char serr[256];
            swe_calc_ut(jd, SE_SUN, 258, xx, serr);
            swe_calc_ut(jd, SE_MOON, 258, xx, serr);
            benchmark::DoNotOptimize(xx[0]);
        }
    }
}
BENCHMARK(BM_MoonMonthLibraryCallsOnly);

} // namespace

BENCHMARK_MAIN();
