#pragma once
// One option table per subcommand instead of one hand-written loop each: the
// table names every option and whether it takes a value; the parser checks
// them and gathers the rest as positional arguments.

#include "commands.h"

#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace velorin::cli {

struct OptionSpec {
    const char* name;  // "--from"
    bool takesValue;   // "--from 2027-01-01"
    const char* group; // options of one group exclude each other ("output"); may be null
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

// Parses args against the table; on failure returns the reason (for a usage
// line). --help is left to the caller (see wantsHelpFlag).
std::optional<std::string> parseOptions(const Args& args, std::span<const OptionSpec> table,
                                        ParsedOptions& out);

bool wantsHelpFlag(const Args& args);

// "YYYY-MM-DD" as a real calendar date.
bool parseDate(const std::string& text, int& year, int& month, int& day);

} // namespace velorin::cli
