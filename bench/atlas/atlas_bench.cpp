// The atlas: reading and indexing the file once, and one search as the user
// types (the goal is well under 5 ms a query).

#include "atlas/atlas.h"
#include "atlas/zonetime.h"

#include <benchmark/benchmark.h>

using namespace velorin;

namespace {

const Atlas& atlas() {
    static const std::unique_ptr<Atlas> a = Atlas::load(VELORIN_ATLAS_FILE, nullptr);
    return *a;
}

void BM_LoadAtlas(benchmark::State& state) {
    std::size_t bytes = 0;
    for (auto _ : state) {
        auto a = Atlas::load(VELORIN_ATLAS_FILE, nullptr);
        bytes = a->memoryBytes();
        benchmark::DoNotOptimize(a);
    }
    state.counters["heapMB"] = double(bytes) / (1 << 20);
}
BENCHMARK(BM_LoadAtlas)->Unit(benchmark::kMillisecond);

void BM_Search(benchmark::State& state, const char16_t* query) {
    const Atlas& a = atlas();
    for (auto _ : state)
        benchmark::DoNotOptimize(a.search(QStringView(query), 100));
}
// One letter (the widest range), a usual start, accents typed and not, a miss.
BENCHMARK_CAPTURE(BM_Search, one_letter, u"s")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, three_letters, u"bud")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, unaccented, u"hodmezo")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, accented, u"Kiskunfélegyháza")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, no_match, u"xqzx")->Unit(benchmark::kMicrosecond);

void BM_LocalTimeInZone(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(localTimeInZone("Europe/Budapest", {1944, 7, 15}, {12, 0}));
}
BENCHMARK(BM_LocalTimeInZone)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
