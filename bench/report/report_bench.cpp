// The client report of the largest interpretation there is: every one of the
// 1122 codes of the default table linked to a passage and asked for. The
// baseline generates the same interpretation document alone, so the figure
// shows what the wheel, the tables and the PDF pages add to it.

#include "report/clientreport.h"

#include "engine/angles.h"
#include "interpretation/codetable.h"
#include "interpretation/generation.h"
#include "platform/folders.h"
#include "platform/textfile.h"
#include "tests/support/birthdata.h"
#include "tests/support/scriptedprompts.h"

#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <stdexcept>

using namespace velorin;

namespace {

// The name carries both accents the code page has to hold.
BirthData anna() {
    BirthData d = test::anna();
    d.name = "Anna Kőszegi-Űrhegyi";
    return d;
}

struct LinkedTable {
    QTemporaryDir dir;
    CodeTable table;
    GenerationRequest request;
    ReportContent content;

    LinkedTable() {
        setDataRootOverride(dir.path() + "/data/");
        initEngine("/nonexistent-program-folder");
        content.data = anna();
        ChartOutcome o = computeChart(content.data, content.settings.engine());
        if (!o.ok())
            throw std::runtime_error(o.error.message);
        content.chart = *o.chart;
        appendAspects(content.chart, content.settings.engine());

        std::vector<CodeEntry> entries = defaultCodeEntries();
        const QByteArray passage = toCp1250(
            QStringLiteral("Ez a fényállás a személyiség egyik fontos vonását mutatja.\r\n"
                           "Az érzelmek és a gondolkodás összhangja itt különösen erős,\r\n"
                           "a döntésekben a belső hang vezet.\r\n"));
        for (size_t i = 0; i < entries.size(); ++i) {
            const QString path = dir.path() + QStringLiteral("/p%1.txt").arg(i);
            if (!writeFileAtomically(path, passage))
                throw std::runtime_error("cannot write a passage");
            entries[i].file = path;
        }
        table.assign(entries);
        request = makeGenerationRequest(content.data, content.chart, GenerationMode::TextToRtf);
        // Every code of the table is asked for, not only the chart's own.
        request.codes.clear();
        for (const CodeEntry& e : entries)
            request.codes << e.code;
    }
};

LinkedTable& linked() {
    static LinkedTable t;
    return t;
}

void BM_ReportAllCodesLinked(benchmark::State& state) {
    LinkedTable& t = linked();
    test::ScriptedPrompts ui;
    const QString folder = t.dir.path() + "/reports";
    for (auto _ : state) {
        ReportContent c = t.content;
        c.interpretation = assembleInterpretation(t.table, t.request, ui);
        const ReportFile f = writeClientReport(c, folder);
        if (!f.ok())
            state.SkipWithError("the report was not written");
        state.PauseTiming();
        QFile::remove(f.path);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ReportAllCodesLinked)->Unit(benchmark::kMillisecond);

void BM_ReportInterpretationOnly(benchmark::State& state) {
    LinkedTable& t = linked();
    test::ScriptedPrompts ui;
    for (auto _ : state) {
        GenerationResult r = generateInterpretation(t.table, t.request, ui);
        if (r.status != GenerationResult::Status::Written)
            state.SkipWithError("the document was not written");
        state.PauseTiming();
        QFile::remove(r.path);
        state.ResumeTiming();
        benchmark::DoNotOptimize(r.document.size());
    }
}
BENCHMARK(BM_ReportInterpretationOnly)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
