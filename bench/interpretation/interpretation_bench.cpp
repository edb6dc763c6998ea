// The largest interpretation there is: every one of the 1122 codes of the
// default table linked to a passage and asked for, assembled and written as a
// rich-text document. The baseline reads the same 1122 passages and nothing
// else, the floor that any generation has to pay.

#include "interpretation/codetable.h"
#include "interpretation/generation.h"
#include "interpretation/rtf.h"
#include "platform/folders.h"
#include "platform/textfile.h"
#include "tests/support/scriptedprompts.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <stdexcept>

using namespace velorin;

namespace {

struct LinkedTable {
    QTemporaryDir dir;
    CodeTable table;
    GenerationRequest request;

    LinkedTable() {
        setDataRootOverride(dir.path() + "/data/");
        // The natal entries: a chart's codes never reach the event codes after them.
        std::vector<CodeEntry> entries = defaultCodeEntries();
        entries.resize(size_t(kNatalCodeCount));
        // A passage of a few lines, about the size of a real one.
        const QByteArray passage = toCp1250(
            QStringLiteral("Ez a fényállás a személyiség egyik fontos vonását mutatja.\r\n"
                           "Az érzelmek és a gondolkodás összhangja itt különösen erős,\r\n"
                           "a döntésekben a belső hang vezet.\r\n"));
        for (size_t i = 0; i < entries.size(); ++i) {
            const QString path = dir.path() + QStringLiteral("/p%1.txt").arg(i);
            if (!writeFileAtomically(path, passage))
                throw std::runtime_error("cannot write a passage");
            entries[i].file = path;
            request.codes << entries[i].code;
        }
        table.assign(entries);
        request.header = QStringLiteral("Anna\r\n1973.2.26 2:50\r\n");
        request.listing = QStringLiteral(" 10 ház  2 Bak 10.25\r\n").repeated(40);
        request.name = QStringLiteral("Anna");
        request.mode = GenerationMode::TextToRtf;
    }
};

LinkedTable& linked() {
    static LinkedTable t;
    return t;
}

void BM_InterpretationAllCodesLinked(benchmark::State& state) {
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
BENCHMARK(BM_InterpretationAllCodesLinked)->Unit(benchmark::kMillisecond);

void BM_ReadPassagesOnly(benchmark::State& state) {
    LinkedTable& t = linked();
    for (auto _ : state) {
        qsizetype total = 0;
        for (const CodeEntry& entry : t.table.entries) {
            QString passage, error;
            readPassage(entry.file, GenerationMode::TextToRtf, passage, &error);
            total += passage.size();
        }
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadPassagesOnly)->Unit(benchmark::kMillisecond);

// The same reading, plus the one durable write of a document of the generated
// size that any generation keeping the data safe must make: the floor with
// the disk's share in it, beside the reading alone.
void BM_ReadPassagesAndWriteDurably(benchmark::State& state) {
    LinkedTable& t = linked();
    test::ScriptedPrompts ui;
    const GenerationResult once = generateInterpretation(t.table, t.request, ui);
    QFile::remove(once.path);
    const QByteArray document = plainTextToRtf(once.document);
    QDir().mkpath(textFolder());
    for (auto _ : state) {
        qsizetype total = 0;
        for (const CodeEntry& entry : t.table.entries) {
            QString passage, error;
            readPassage(entry.file, GenerationMode::TextToRtf, passage, &error);
            total += passage.size();
        }
        const std::optional<QString> path = writeUniqueFile(
            textFolder() + QStringLiteral("Anna.doc"), QStringLiteral("doc"), document);
        if (!path)
            state.SkipWithError("the document was not written");
        state.PauseTiming();
        if (path)
            QFile::remove(*path);
        state.ResumeTiming();
        benchmark::DoNotOptimize(total);
    }
}
BENCHMARK(BM_ReadPassagesAndWriteDurably)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
