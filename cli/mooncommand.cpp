// velorin moon YEAR MONTH [--zone Z] [--dst]: the moon calendar's days as text.

#include "commands.h"

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

int runMoon(const Args& argsIn, std::ostream& out, std::ostream& err) {
    Args args = argsIn;
    if (!takeCommonFlags(args, err))
        return 2;
    std::vector<std::string> positional;
    std::string zone = "-1";
    bool dst = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            out << kMoonHelp;
            return 0;
        }
        if (a == "--zone") {
            if (i + 1 >= args.size()) {
                err << "velorin: --zone needs a value (velorin moon --help)\n";
                return 2;
            }
            zone = args[++i];
        } else if (a == "--dst") {
            dst = true;
        } else if (a.size() > 1 && a[0] == '-' && !strictNumber(a)) {
            err << "velorin: unknown option " << a << " (velorin moon --help)\n";
            return 2;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 2) {
        err << "velorin: moon needs YEAR and MONTH (velorin moon --help)\n";
        return 2;
    }

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
            err << "velorin: " << computeErrorText(day.error).toStdString() << "\n";
            return 1;
        }
        text += std::to_string(d) + "\t" + trimSpaces(signName(day.value->sign)) + "\t" +
                day.value->picture + "\t" + jsonNumber(day.value->angle) + "\n";
    }
    out << text;
    return 0;
}

} // namespace velorin::cli
