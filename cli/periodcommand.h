#pragma once
// What the period subcommands share: transits runs in the text-only front,
// the forecast document in velorin-full, and both read the same chart file,
// period and bodies.

#include "commands.h"
#include "options.h"

#include "forecast/transits.h"

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velorin::cli {

// "velorin COMMAND: why (velorin COMMAND --help)" on err; the status of bad usage.
int usage(std::ostream& err, const char* command, const std::string& why);

// --from, --to and --bodies, then the command's own option.
std::vector<OptionSpec> periodOptionsWith(const OptionSpec& own);

// What a period command has read before its own options: the parsed table,
// the house system and the period with its bodies.
struct PeriodCommand {
    ParsedOptions options;
    std::optional<char> houses;
    forecast::TransitRequest request;
};

// The common flags, --help, the table, the one chart file and the period;
// -1 to go on, else the exit status.
int preparePeriod(const char* command, const char* help, const Args& args,
                  std::span<const OptionSpec> table, PeriodCommand& c, std::ostream& out,
                  std::ostream& err);

// A failed outcome's message; true when there was one.
template <typename Outcome> bool reportFailure(const Outcome& o, std::ostream& err) {
    if (o.ok())
        return false;
    err << "velorin: " << o.error << "\n";
    return true;
}

} // namespace velorin::cli
