// The atlas: opening the file, one search as the user types, the search
// window's first search (open and search), and velorin place as a whole
// process beside velorin chart --now --json, the cheapest chart a user asks
// for.

#include "atlas/atlas.h"
#include "atlas/zonetime.h"

#include <benchmark/benchmark.h>

#include <QTemporaryDir>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

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
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    for (const char* name :
         {"VELORIN_HOME=/program", "ASTRO_DATA=/data", "XDG_CONFIG_HOME=/config"}) {
        const std::string s(name);
        env.push_back(s.substr(0, s.find('=') + 1) + r + s.substr(s.find('=') + 1));
    }
    std::vector<std::string> argv{velorin};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    std::vector<char*> args, envp;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const std::string& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    return rc == 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
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
