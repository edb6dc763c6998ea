// The dated forecast document: its passages come from the code table and it
// is written as the interpretation is, so it runs in velorin-full.

#include "commands.h"
#include "periodcommand.h"

#include "forecast/events.h"
#include "forecast/progressions.h"
#include "interpretation/forecastdocument.h"
#include "platform/folders.h"
#include "platform/uiprompts.h"

#include <QString>

namespace velorin::cli {

using namespace velorin::forecast;

namespace {

const char* const kForecastHelp =
    "Usage: velorin forecast FILE.ast --from YYYY-MM-DD --to YYYY-MM-DD [--bodies LIST]\n"
    "       [--mode 1|2|3|4]\n"
    "\n"
    "The dated forecast document: the transits and progressed aspects of the period in\n"
    "time order, each with its date line and the passage its code has in cod.dat,\n"
    "written into the text folder as the interpretation is; prints its path.\n"
    "--houses X chooses the house system, as in velorin chart.\n";

const std::vector<OptionSpec> kForecastOptions =
    periodOptionsWith(OptionSpec{"--mode", true, nullptr});

} // namespace

int runForecast(const Args& args, std::ostream& out, std::ostream& err) {
    PeriodCommand c;
    if (int rc = preparePeriod("forecast", kForecastHelp, args, kForecastOptions, c, out, err);
        rc >= 0)
        return rc;
    const ParsedOptions& p = c.options;
    int mode = 2; // as the interpretation: text passages, DOS accents repaired
    if (p.has("--mode")) {
        bool ok = false;
        mode = QString::fromStdString(p.value("--mode")).toInt(&ok);
        if (!ok || mode < 1 || mode > 4)
            return usage(err, "forecast", "--mode takes 1, 2, 3 or 4");
    }
    LoadedChart lc;
    if (!loadChart(p.positional[0], lc, err, c.houses))
        return 1;
    const TransitRequest& r = c.request;
    const EventsOutcome transits = findTransits(lc.chart, r);
    if (reportFailure(transits, err))
        return 1;
    const EventsOutcome progressed = findProgressedAspects(lc.chart, r.fromJD, r.toJD);
    if (reportFailure(progressed, err))
        return 1;
    const std::vector<Event> events = mergedInTimeOrder(transits.events, progressed.events);

    const std::unique_ptr<UiPrompts> ui = streamPrompts(err);
    CodeTable codes;
    if (!ensureAndLoadCodeTable(codeTablePath(), codes, *ui))
        return 1;
    ForecastRequest request;
    request.name = QString::fromStdString(lc.data.name);
    request.header = QString::fromStdString(lc.data.name + ": " + p.value("--from") + " – " +
                                            p.value("--to") + " (0:00 UT)");
    request.mode = GenerationMode(mode);
    for (const Event& e : events)
        request.events.push_back(
            {QString::fromStdString(eventDateLine(e)), QString::fromStdString(e.code)});
    const GenerationResult result = generateForecast(codes, request, *ui);
    if (result.status != GenerationResult::Status::Written)
        return 1;
    out << result.path.toStdString() << '\n';
    return 0;
}

} // namespace velorin::cli
