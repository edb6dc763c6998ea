// A year of transits of the default moving bodies to the 16 natal points,
// beside a baseline that makes only the ephemeris calls the search needs to
// walk the year at each body's step. The gap is the refinement of every
// event and the bookkeeping around it.

#include "forecast/search.h"
#include "forecast/transits.h"

#include "engine/chart.h"
#include "tests/support/birthdata.h"

#include <benchmark/benchmark.h>
#include <swephexp.h>

#include <cmath>

using namespace velorin;
using namespace velorin::forecast;

namespace {

Chart anna() {
    return test::mustCompute(test::anna());
}

void BM_YearOfTransits(benchmark::State& state) {
    const Chart natal = anna();
    TransitRequest r;
    r.fromJD = julianDayOfDate(2027, 1, 1);
    r.toJD = julianDayOfDate(2028, 1, 1);
    size_t events = 0;
    for (auto _ : state) {
        EventsOutcome o = findTransits(natal, r);
        events = o.events.size();
        benchmark::DoNotOptimize(o.events.data());
    }
    state.counters["events"] = double(events);
}
BENCHMARK(BM_YearOfTransits)->Unit(benchmark::kMillisecond);

void BM_YearOfBareStepCalls(benchmark::State& state) {
    anna();
    const double from = julianDayOfDate(2027, 1, 1);
    const double to = julianDayOfDate(2028, 1, 1);
    for (auto _ : state) {
        for (int body : defaultTransitBodies()) {
            const double step = samplingStep(body);
            const long count = long(std::ceil((to - from + 2 * step) / step));
            for (long n = 0; n <= count; ++n) {
                double xx[6];
                char serr[AS_MAXCH];
                swe_calc_ut(from - step + double(n) * step, ephemerisNumber(body), 258, xx, serr);
                benchmark::DoNotOptimize(xx[0]);
            }
        }
    }
}
BENCHMARK(BM_YearOfBareStepCalls)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
