#pragma once
// One option table per subcommand instead of one hand-written loop each: the
// table names every option and whether it takes a value; the parser checks
// them and gathers the rest as positional arguments.

#include "commands.h"

#include <QSize>

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velorin::cli {

struct OptionSpec {
    const char* name;        // "--from"
    bool takesValue;         // "--from 2027-01-01"
    const char* group;       // options of one group exclude each other ("output"); may be null
    bool repeatable = false; // given again, the last value counts instead of a fault
    // Checked as soon as the option is read, so that a bad value is the fault
    // reported even when a later argument is wrong too.
    bool (*valid)(const std::string& value) = nullptr;
};

struct ParsedOptions {
    std::map<std::string, std::string> values; // option -> value ("" for a switch)
    std::vector<std::string> positional;
    bool has(const std::string& name) const { return values.count(name) != 0; }
    std::string value(const std::string& name) const {
        auto it = values.find(name);
        return it == values.end() ? std::string() : it->second;
    }
    // The option of a group that was given, or "".
    std::string chosen(std::span<const OptionSpec> table, const char* group) const;
};

// What was wrong with a command line, for the command to word as its usage
// line: the commands predate the table and keep their own wording.
struct OptionFault {
    enum class Kind {
        Unknown,    // an option no row names
        Twice,      // a non-repeatable option again
        Conflict,   // another option of the same group (other names it)
        NeedsValue, // the value is missing at the end
        BadValue,   // the row's check refused value
        Extra,      // one positional argument more than the command takes
    };
    Kind kind;
    std::string argument;            // the option or argument at fault
    std::string other;               // Conflict: the earlier option; BadValue: the value
    const OptionSpec* row = nullptr; // where one matched
};

// How a command tells its options from its other arguments and how many of
// those it takes.
struct CommandSyntax {
    std::span<const OptionSpec> options;
    // An argument no row names: an unknown option (true) or positional.
    bool (*isOption)(const std::string& argument) = nullptr; // null: "-x" or longer
    size_t maxPositional = SIZE_MAX;
    bool helpInTurn = false; // --help/-h stops the reading where it stands
};

struct CommandLine {
    std::optional<OptionFault> fault;
    bool help = false; // helpInTurn and --help was reached before any fault
};

CommandLine readCommandLine(const Args& args, const CommandSyntax& syntax, ParsedOptions& out);

// Parses args against the table; on failure returns the reason (for a usage
// line). --help is left to the caller (see wantsHelpFlag).
std::optional<std::string> parseOptions(const Args& args, std::span<const OptionSpec> table,
                                        ParsedOptions& out);

bool wantsHelpFlag(const Args& args);

// --mode of the interpretation document: 1 to 4, else 0.
int generationModeOf(const std::string& value);
bool generationModeFits(const std::string& value);

// Where a chart file or --now is the positional argument: any other dash
// is an unknown option.
bool chartSourceIsOption(const std::string& argument);

// The arguments every command with a wheel output shares: one output of the
// "output" group, --wheel OUT with an optional --size WxH.
struct WheelCommandOutput {
    std::string mode; // "--listing", "--json", "--wheel", ...
    std::string wheelPath;
    QSize size{800, 600};
};

// The --size row's check: WxH, within what a picture may take.
bool sizeFits(const std::string& value);

// The start of a command that answers --help wherever it stands: the help
// (status 0), else the common flags taken out of args (status 2 on a
// malformed one). Returns -1 to go on.
int beginCommand(const char* help, Args& args, std::ostream& out, std::ostream& err);

// beginCommand, then the rest of the line read with syntax into p; line
// holds its fault or --help. Returns -1 to go on, else the exit status.
int beginAndReadCommand(const char* help, const Args& arguments, const CommandSyntax& syntax,
                        ParsedOptions& p, CommandLine& line, std::ostream& out, std::ostream& err);

// What a wheel command has read: the house system, the parsed line and the
// output it chose.
struct WheelCommand {
    std::optional<char> houses;
    ParsedOptions options;
    WheelCommandOutput output;
};

// Why the named charts do not do for the command ("" when they do); asked
// before the output, so a missing chart is said first.
using ChartsCheck = std::string (*)(const std::vector<std::string>& charts);

// Reads a wheel command's line (the common flags, --houses, then the table
// with --help read in turn) and chooses its output; a wheel of more than
// maxWheelCharts charts is refused. Returns -1 to go on, else the exit status
// (usage lines as "velorin COMMAND: why (velorin COMMAND --help)").
int readWheelCommand(const char* command, const char* help, const Args& args,
                     const CommandSyntax& syntax, ChartsCheck whyNot, size_t maxWheelCharts,
                     WheelCommand& c, std::ostream& out, std::ostream& err);

// "YYYY-MM-DD" as a real calendar date.
bool parseDate(const std::string& text, int& year, int& month, int& day);

} // namespace velorin::cli
