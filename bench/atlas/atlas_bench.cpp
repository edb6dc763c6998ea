// The atlas: opening the file, one search as the user types, the search
// window's first search (open and search), and velorin place as a whole
// process beside velorin chart --now --json, the cheapest chart a user asks
// for.

#include "atlas/atlas.h"
#include "atlas/zonetime.h"
#include "bench/support/runprocess.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <filesystem>
#include <string>
#include <vector>

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
// One letter (the widest range), a usual start, accents typed and not, a
// town by its Hungarian name, a miss.
BENCHMARK_CAPTURE(BM_Search, one_letter, u"s")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, three_letters, u"bud")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, unaccented, u"hodmezo")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, accented, u"Kiskunfélegyháza")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, other_name, u"Kolozs")->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_Search, no_match, u"xqzx")->Unit(benchmark::kMicrosecond);

// What the search window costs when it is first used: the file opened, then
// the first letter typed and the name typed on.
void BM_AtlasFirstSearch(benchmark::State& state) {
    for (auto _ : state) {
        auto a = Atlas::load(VELORIN_ATLAS_FILE, nullptr);
        benchmark::DoNotOptimize(a->search(u"K", 100));
        benchmark::DoNotOptimize(a->search(u"Kolozs", 100));
    }
}
BENCHMARK(BM_AtlasFirstSearch)->Unit(benchmark::kMillisecond);

void BM_LocalTimeInZone(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(localTimeInZone("Europe/Budapest", {1944, 7, 15}, {12, 0}));
}
BENCHMARK(BM_LocalTimeInZone)->Unit(benchmark::kMicrosecond);

// velorin from the folder of this benchmark, in fresh folders so that no
// user file is read, its output thrown away; false when it failed.
bool runVelorin(const std::vector<std::string>& arguments) {
    static const QTemporaryDir root;
    static const std::string velorin =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "velorin").string();
    const std::string r = root.path().toStdString();
    std::vector<std::string> argv{velorin};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return bench::runProcess(argv, {"VELORIN_HOME=" + r + "/program", "ASTRO_DATA=" + r + "/data",
                                    "XDG_CONFIG_HOME=" + r + "/config"}) == 0;
}

void BM_VelorinProcess(benchmark::State& state, std::vector<std::string> arguments) {
    for (auto _ : state)
        if (!runVelorin(arguments)) {
            state.SkipWithError("velorin failed");
            return;
        }
}
BENCHMARK_CAPTURE(BM_VelorinProcess, chart_now_json,
                  std::vector<std::string>{"chart", "--now", "--json"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(50);
BENCHMARK_CAPTURE(BM_VelorinProcess, place_budapest, std::vector<std::string>{"place", "budapest"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(50);

} // namespace

BENCHMARK_MAIN();
