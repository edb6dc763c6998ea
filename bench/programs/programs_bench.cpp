// Whole programs as a user starts them, each beside a baseline:
// - Tarvessa from its start to the first wheel on screen (offscreen), against
//   the start of a process that does nothing;
// - velorin computing 10,000 chart files in one run, against one run for one
//   file (so the ratio says how many single runs the batch costs), and the
//   same run's time per chart, for the bare library calls of one chart;
// - velorin casting the present moment, against a process that makes only
//   the ephemeris library's calls for the same chart;
// - an empty Qt window and an empty Qt Core program, the floors under the
//   two start figures.
// The programs are taken from the folder this benchmark lives in.

#include "bench/support/runprocess.h"
#include "engine/birthdata.h"
#include "platform/chartfile.h"
#include "platform/textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

using namespace velorin;
using velorin::bench::runProcess;

namespace {

std::string programPath(const char* name) {
    return (QCoreApplication::applicationDirPath() + '/' + name).toStdString();
}

// Fresh folders for the programs, so that no user file is read or changed.
struct Sandbox {
    QTemporaryDir dir;
    std::vector<std::string> env() const {
        const std::string root = dir.path().toStdString();
        return {"VELORIN_HOME=" + root + "/program", "ASTRO_DATA=" + root + "/data",
                "XDG_CONFIG_HOME=" + root + "/config", "QT_QPA_PLATFORM=offscreen"};
    }
};

Sandbox& sandbox() {
    static Sandbox s;
    static bool made = [] {
        QDir().mkpath(s.dir.path() + "/program");
        QDir().mkpath(s.dir.path() + "/data");
        QDir().mkpath(s.dir.path() + "/config");
        return true;
    }();
    (void)made;
    return s;
}

// Chart files as the chart program writes them, of many people.
const std::vector<std::string>& chartFiles() {
    static const std::vector<std::string> files = [] {
        std::vector<std::string> out;
        const QString folder = sandbox().dir.path() + "/charts/";
        QDir().mkpath(folder);
        for (int n = 0; n < 10000; ++n) {
            BirthData d;
            d.name = "Ember " + std::to_string(n);
            d.year = std::to_string(1900 + n % 120);
            d.month = std::to_string(1 + n % 12);
            d.day = std::to_string(1 + n % 28);
            d.hour = std::to_string(1 + n % 12);
            d.am = n % 2 == 0;
            d.hour24 = hour24Text(d.hour, d.am);
            d.minute = std::to_string(n % 60);
            d.latDeg = std::to_string(n % 60);
            d.longDeg = std::to_string(n % 170);
            const QString path = folder + QString::number(n) + ".ast";
            if (!writeFileAtomically(path, toCp1250(formatChartRecord(d))))
                break;
            out.push_back(path.toStdString());
        }
        return out;
    }();
    return files;
}

void BM_StartTrivialProcess(benchmark::State& state) {
    for (auto _ : state)
        if (runProcess({"/bin/true"}, {}) != 0)
            state.SkipWithError("/bin/true did not run");
}
BENCHMARK(BM_StartTrivialProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

void BM_StartTarvessaToFirstWheel(benchmark::State& state) {
    const std::string program = programPath("Tarvessa");
    if (!QFileInfo(QString::fromStdString(program)).isExecutable()) {
        state.SkipWithError("Tarvessa is not built (VELORIN_WIDGETS=OFF)");
        return;
    }
    std::vector<std::string> env = sandbox().env();
    env.push_back("VELORIN_QUIT_AFTER_FIRST_WHEEL=1");
    // The very first start writes the program's files; the timed starts are
    // the everyday ones.
    if (runProcess({program}, env) != 0) {
        state.SkipWithError("Tarvessa did not reach its first wheel");
        return;
    }
    for (auto _ : state)
        if (runProcess({program}, env) != 0)
            state.SkipWithError("Tarvessa did not reach its first wheel");
}
BENCHMARK(BM_StartTarvessaToFirstWheel)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(10);

// The floors: what Qt's own start costs before any of our code runs.
void BM_EmptyQtWindow(benchmark::State& state) {
    const std::string program = programPath("emptywindow");
    if (!QFileInfo(QString::fromStdString(program)).isExecutable()) {
        state.SkipWithError("no widgets built (VELORIN_WIDGETS=OFF)");
        return;
    }
    for (auto _ : state)
        if (runProcess({program}, sandbox().env()) != 0)
            state.SkipWithError("the empty window did not run");
}
BENCHMARK(BM_EmptyQtWindow)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(10);

void BM_EmptyQtCoreProcess(benchmark::State& state) {
    const std::string program = programPath("emptycore");
    for (auto _ : state)
        if (runProcess({program}, {}) != 0)
            state.SkipWithError("the empty Qt Core program did not run");
}
BENCHMARK(BM_EmptyQtCoreProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

void BM_VelorinOneChartFile(benchmark::State& state) {
    const std::vector<std::string>& files = chartFiles();
    const std::string program = programPath("velorin");
    for (auto _ : state)
        if (runProcess({program, "chart", files.front(), "--json"}, sandbox().env()) != 0)
            state.SkipWithError("velorin chart failed");
}
BENCHMARK(BM_VelorinOneChartFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// velorin chart over the 10,000 files with JSON output; empty (and the state
// told) when the files could not be written.
std::vector<std::string> tenThousandChartRun(benchmark::State& state) {
    const std::vector<std::string>& files = chartFiles();
    if (files.size() != 10000) {
        state.SkipWithError("the chart files could not be written");
        return {};
    }
    std::vector<std::string> argv{programPath("velorin"), "chart"};
    argv.insert(argv.end(), files.begin(), files.end());
    argv.push_back("--json");
    return argv;
}

void BM_VelorinTenThousandChartFiles(benchmark::State& state) {
    const std::vector<std::string> argv = tenThousandChartRun(state);
    if (argv.empty())
        return;
    for (auto _ : state)
        if (runProcess(argv, sandbox().env(), std::chrono::seconds(600)) != 0)
            state.SkipWithError("velorin chart failed on some file");
}
BENCHMARK(BM_VelorinTenThousandChartFiles)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(1);

// Per chart of a 10,000-file run: what a batch costs beside the library calls.
void BM_VelorinChartPerFileOfTenThousand(benchmark::State& state) {
    const std::vector<std::string> argv = tenThousandChartRun(state);
    if (argv.empty())
        return;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        if (runProcess(argv, sandbox().env(), std::chrono::seconds(600)) != 0)
            state.SkipWithError("velorin chart failed on some file");
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count() / double(chartFiles().size()));
    }
}
BENCHMARK(BM_VelorinChartPerFileOfTenThousand)
    ->Unit(benchmark::kMicrosecond)
    ->UseManualTime()
    ->Iterations(1);

void BM_BareChartProcess(benchmark::State& state) {
    const std::string program = programPath("barechart");
    for (auto _ : state)
        if (runProcess({program}, {}) != 0)
            state.SkipWithError("barechart did not run");
}
BENCHMARK(BM_BareChartProcess)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

void BM_VelorinChartNowJson(benchmark::State& state) {
    const std::string program = programPath("velorin");
    for (auto _ : state)
        if (runProcess({program, "chart", "--now", "--json"}, sandbox().env()) != 0)
            state.SkipWithError("velorin chart --now failed");
}
BENCHMARK(BM_VelorinChartNowJson)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(50);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
