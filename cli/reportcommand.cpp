#include "commands.h"
#include "options.h"

#include "interpretation/codetable.h"
#include "interpretation/generation.h"
#include "platform/textfile.h"
#include "platform/uiprompts.h"
#include "report/clientreport.h"

#include <QString>

namespace velorin::cli {
namespace {

const char* const kReportHelp =
    "Usage: velorin report FILE.ast --out REPORT.pdf [--mode 1|2|3|4] [--houses X]\n"
    "                      [--home DIR] [--data DIR]\n"
    "\n"
    "The client report of a chart: an A4 PDF with the birth data and how its\n"
    "instant was found, the wheel, the positions and aspect tables and the\n"
    "interpretation document of that mode (as velorin interpret makes it from\n"
    "cod.dat; default 2), each page with the person's name and its number.\n"
    "REPORT.pdf is replaced whole or left as it was. --houses as in velorin chart.\n";

const OptionSpec kReportOptions[] = {
    {"--out", true, nullptr, true},
    {"--mode", true, nullptr, true, generationModeFits},
};

int usage(std::ostream& err, const std::string& why) {
    err << "velorin report: " << why << " (velorin report --help)\n";
    return 2;
}

} // namespace

int runReport(const Args& argsIn, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    if (int status = beginCommand(kReportHelp, args, out, err); status >= 0)
        return status;
    std::optional<char> houses;
    if (!takeHouseSystem(args, houses, "report", err))
        return 2;
    ParsedOptions p;
    const CommandLine line =
        readCommandLine(args, CommandSyntax{kReportOptions, chartSourceIsOption, 1}, p);
    if (line.fault) {
        const OptionFault& f = *line.fault;
        if (f.argument == "--out" && f.kind == OptionFault::Kind::NeedsValue)
            return usage(err, "--out needs a file name");
        if (f.argument == "--mode")
            return usage(err, "--mode takes 1, 2, 3 or 4");
        return usage(err, "unknown option " + f.argument);
    }
    if (p.positional.empty())
        return usage(err, "name a chart file");
    if (p.value("--out").empty())
        return usage(err, "name the report with --out REPORT.pdf");
    const std::string& chartPath = p.positional.front();
    const std::string outPath = p.value("--out");
    const int mode = p.has("--mode") ? generationModeOf(p.value("--mode")) : 2;
    if (!QString::fromStdString(outPath).endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        return usage(err, "the report is a PDF: --out takes a .pdf name, not " + outPath);

    LoadedChart lc;
    if (!loadChart(chartPath, lc, err, houses))
        return 1;
    const std::unique_ptr<UiPrompts> ui = streamPrompts(err);
    CodeTable table;
    if (!ensureAndLoadCodeTable(codeTablePath(), table, *ui))
        return 1;

    ReportContent content;
    content.data = lc.data;
    content.chart = lc.chart;
    content.settings = lc.settings;
    content.mode = mode;
    content.interpretation = assembleInterpretation(
        table, makeGenerationRequest(lc.data, lc.chart, GenerationMode(mode)), *ui);
    const QByteArray pdf = clientReportPdf(content);
    if (pdf.isEmpty()) {
        err << "velorin: a jelentés nem készíthető el: " << outPath << "\n";
        return 1;
    }
    QString error;
    if (!writeFileAtomically(QString::fromStdString(outPath), pdf, &error)) {
        err << "velorin: a jelentés nem menthető: " << outPath << " (" << error.toStdString()
            << "); a meglévő fájl változatlan.\n";
        return 1;
    }
    return 0;
}

} // namespace velorin::cli
