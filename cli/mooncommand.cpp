// velorin moon YEAR MONTH [--zone Z] [--dst]: the moon calendar's days as text.

#include "commands.h"
#include "options.h"

#include "json.h"

#include "engine/moonday.h"
#include "engine/numbers.h"
#include "platform/birthfields.h"
#include "platform/folders.h"

namespace velorin::cli {

const char* const kMoonHelp =
    "Usage: velorin moon YEAR MONTH [--zone Z] [--dst] [--home DIR] [--data DIR]\n"
    "\n"
    "The moon calendar of a month, as Nocturo draws it: for local midnight of\n"
    "every day one line of tab-separated fields: day, the Moon's sign, the\n"
    "phase picture's file name and the Moon-Sun angle in degrees.\n"
    "  --zone Z   hours to add to local time for Universal Time, positive west\n"
    "             of Greenwich (default -1, Central European Time)\n"
    "  --dst      daylight saving time: one hour more to the east\n";

namespace {

// A negative zone or year is a value, not an option.
bool moonOption(const std::string& a) {
    return a.size() > 1 && a[0] == '-' && !strictNumber(a);
}

} // namespace

int runMoon(const Args& argsIn, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    if (!takeCommonFlags(args, err))
        return 2;
    static const OptionSpec kOptions[] = {
        {"--zone", true, nullptr, true},
        {"--dst", false, nullptr, true},
    };
    ParsedOptions p;
    const CommandLine line =
        readCommandLine(args, CommandSyntax{kOptions, moonOption, SIZE_MAX, true}, p);
    if (line.help) {
        out << kMoonHelp;
        return 0;
    }
    if (line.fault) {
        if (line.fault->kind == OptionFault::Kind::NeedsValue)
            err << "velorin: " << line.fault->argument << " needs a value (velorin moon --help)\n";
        else
            err << "velorin: unknown option " << line.fault->argument << " (velorin moon --help)\n";
        return 2;
    }
    const std::vector<std::string>& positional = p.positional;
    if (positional.size() != 2) {
        err << "velorin: moon needs YEAR and MONTH (velorin moon --help)\n";
        return 2;
    }
    const std::string zone = p.has("--zone") ? p.value("--zone") : "-1";
    const bool dst = p.has("--dst");

    const MoonRequestOutcome request = readMoonRequest(positional[0], positional[1], zone);
    if (!request.ok()) {
        err << "velorin: " << request.message << "\n";
        return 1;
    }
    MoonRequest r = *request.value;
    if (dst)
        r.zone -= 1;

    initEngine(programFolder().toStdString());
    std::string text;
    for (int d = 1; d <= daysInMonth(r.year, r.month); ++d) {
        const MoonDayOutcome day = computeMoonDay(r.year, r.month, d, r.zone);
        if (!day.ok()) {
            err << "velorin: " << computeErrorLine(day.error).toStdString() << "\n";
            return 1;
        }
        text += std::to_string(d) + "\t" + trimSpaces(signName(day.value->sign)) + "\t" +
                day.value->picture + "\t" + jsonNumber(day.value->angle) + "\n";
    }
    out << text;
    return 0;
}

} // namespace velorin::cli
