// The mouse wheel recomputes and redraws on every notch, so compute plus paint
// of a large wheel has to fit well inside a frame.

#include "wheel/wheelpainter.h"

#include "picture/jpeg.h"
#include "picture/png.h"

#include "engine/angles.h"
#include "engine/chart.h"
#include "tests/support/birthdata.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>
#include <stdexcept>

using namespace velorin;

namespace {

WorkingSettings showingEverything() {
    WorkingSettings ws;
    ws.showAsc = true;
    ws.showFok = true;
    ws.aspectColors = {0x0000FF, 0x808080, 0xFF0000, 0x0000C0, 0x008000, 0x800080, 0xFF00FF, 0x80};
    return ws;
}

Chart sampleChart(const WorkingSettings& ws) {
    ChartOutcome o = computeChart(test::anna(), ws.engine());
    if (!o.ok())
        throw std::runtime_error(o.error.message);
    return *o.chart;
}

void BM_Paint(benchmark::State& state) {
    const WorkingSettings ws = showingEverything();
    const Chart chart = sampleChart(ws);
    const auto aspects = findAspects(chart, ws.engine());
    QImage surface(int(state.range(0)), int(state.range(1)), QImage::Format_RGB32);
    for (auto _ : state) {
        auto hits = drawRadix(surface, chart, aspects, ws);
        benchmark::DoNotOptimize(hits.data());
    }
}
BENCHMARK(BM_Paint)->Args({800, 600})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// One notch of the mouse wheel: a new chart, its aspects and the whole wheel,
// on the one image the window keeps while its size stays.
void BM_ComputeAndPaint(benchmark::State& state) {
    const WorkingSettings ws = showingEverything();
    const EngineSettings es = ws.engine();
    BirthData d = test::anna();
    QImage surface(int(state.range(0)), int(state.range(1)), QImage::Format_RGB32);
    int minute = 0;
    for (auto _ : state) {
        d.minute = std::to_string(minute++ % 60);
        ChartOutcome o = computeChart(d, es);
        Chart& chart = *o.chart;
        appendAspects(chart, es);
        auto hits = drawRadix(surface, chart, chart.aspects, ws);
        benchmark::DoNotOptimize(hits.data());
    }
}
BENCHMARK(BM_ComputeAndPaint)->Args({800, 600})->Args({1920, 1080})->Unit(benchmark::kMillisecond);

// The largest picture velorin --wheel draws (8000 x 8000): painting and
// encoding must stay within 2 s and 500 MB on the build machine.
void BM_LargestPicture(benchmark::State& state) {
    const WorkingSettings ws = showingEverything();
    const Chart chart = sampleChart(ws);
    const auto aspects = findAspects(chart, ws.engine());
    const bool jpeg = state.range(0) != 0;
    for (auto _ : state) {
        QImage surface(8000, 8000, QImage::Format_RGB32);
        drawRadix(surface, chart, aspects, ws);
        QByteArray bytes;
        if (jpeg)
            encodePictureAsJpeg(surface, bytes);
        else
            bytes = encodePng(surface);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_LargestPicture)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    initEngine("/nonexistent-program-folder");
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
