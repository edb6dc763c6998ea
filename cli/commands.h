#pragma once
// The velorin subcommands. Each takes its arguments (without the subcommand's
// own name), writes its output and errors to the streams, and returns the
// exit status: 0 done, 1 failed, 2 bad usage.

#include "engine/birthdata.h"
#include "engine/chart.h"
#include "platform/settings.h"

#include <ostream>
#include <string>
#include <vector>

namespace velorin::cli {

using Args = std::vector<std::string>;

int runChart(const Args& args, std::ostream& out, std::ostream& err);
// velorin codetable --write PATH
int runCodetable(const Args& args, std::ostream& out, std::ostream& err);
// velorin interpret FILE.ast [--mode 1|2|3|4]
int runInterpret(const Args& args, std::ostream& out, std::ostream& err);
// velorin moon YEAR MONTH [--zone Z] [--dst]
int runMoon(const Args& args, std::ostream& out, std::ostream& err);
// velorin place QUERY [--at YYYY-MM-DDTHH:MM] [--limit N]
int runPlace(const Args& args, std::ostream& out, std::ostream& err);

// velorin synastry FIRST.ast SECOND.ast --listing|--json|--wheel OUT [--size WxH]
int runSynastry(const Args& args, std::ostream& out, std::ostream& err);

// "WxH" with both sides 1..20000.
bool parseSize(const std::string& s, int& w, int& h);

// Usage texts.
extern const char* const kMainHelp;
extern const char* const kChartHelp;

// Applies the flags every subcommand takes (--home DIR, --data DIR) and
// removes them from args; false with a message on a malformed flag.
bool takeCommonFlags(Args& args, std::ostream& err);

// CR LF line ends become LF for the terminal.
std::string toLf(const std::string& s);

// A chart as the chart program holds it once the wheel has been drawn:
// birth data, settings, and the chart with its aspect part.
struct LoadedChart {
    BirthData data;
    WorkingSettings settings;
    Chart chart;
};

// Computes the chart of a chart file, or of the present moment for "--now".
// On failure writes one line to err and returns false.
bool loadChart(const std::string& fileOrNow, LoadedChart& out, std::ostream& err);

} // namespace velorin::cli
