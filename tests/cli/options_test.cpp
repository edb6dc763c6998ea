// The option reader every subcommand uses: which fault a command line has,
// found in the order the arguments stand, and what it leaves positional.

#include "cli/options.h"

#include <gtest/gtest.h>

using namespace velorin::cli;

namespace {

using Kind = OptionFault::Kind;

bool evenNumber(const std::string& v) {
    return !v.empty() && v.find_first_not_of("0123456789") == std::string::npos &&
           (v.back() - '0') % 2 == 0;
}

const OptionSpec kRows[] = {
    {"--listing", false, "output"},
    {"--wheel", true, "output"},
    {"--size", true, nullptr, true, evenNumber},
    {"--date", true, nullptr},
};

struct Case {
    const char* what;
    Args args;
    std::optional<Kind> fault;
    std::string argument; // the fault's argument, or the positional ones joined by '|'
};

std::string joined(const std::vector<std::string>& v) {
    std::string s;
    for (const std::string& a : v)
        s += (s.empty() ? "" : "|") + a;
    return s;
}

TEST(OptionReader, FaultsAreFoundInTheOrderTheArgumentsStand) {
    const Case cases[] = {
        {"plain", {"a.ast", "--wheel", "x.png", "--size", "8"}, std::nullopt, "a.ast"},
        {"bad value before an unknown option",
         {"--size", "7", "--bogus"},
         Kind::BadValue,
         "--size"},
        {"unknown option before a bad value", {"--bogus", "--size", "7"}, Kind::Unknown, "--bogus"},
        {"a value that looks like an option is a value",
         {"--wheel", "--listing"},
         std::nullopt,
         ""},
        {"a group's second option", {"--listing", "--wheel", "x.png"}, Kind::Conflict, "--wheel"},
        {"a group's option again", {"--listing", "--listing"}, Kind::Twice, "--listing"},
        {"a once-only option again", {"--date", "1", "--date", "2"}, Kind::Twice, "--date"},
        {"a repeatable option again", {"--size", "2", "--size", "4"}, std::nullopt, ""},
        {"a value missing at the end", {"a.ast", "--date"}, Kind::NeedsValue, "--date"},
        {"a lone dash is positional", {"-", "b"}, std::nullopt, "-|b"},
        {"one positional too many", {"a", "b", "c"}, Kind::Extra, "c"},
    };
    for (const Case& c : cases) {
        ParsedOptions p;
        const CommandLine line = readCommandLine(c.args, CommandSyntax{kRows, nullptr, 2}, p);
        ASSERT_EQ(line.fault.has_value(), c.fault.has_value()) << c.what;
        if (c.fault) {
            EXPECT_EQ(line.fault->kind, *c.fault) << c.what;
            EXPECT_EQ(line.fault->argument, c.argument) << c.what;
        } else {
            EXPECT_EQ(joined(p.positional), c.argument) << c.what;
        }
    }
}

TEST(OptionReader, TheLastValueOfARepeatableOptionCounts) {
    ParsedOptions p;
    ASSERT_FALSE(readCommandLine({"--size", "2", "--size", "4"}, CommandSyntax{kRows}, p).fault);
    EXPECT_EQ(p.value("--size"), "4");
}

// Commands that read --help in turn answer it only when no earlier argument
// was at fault; a value that happens to be "--help" is a value.
TEST(OptionReader, HelpInTurnStopsWhereItStands) {
    const struct {
        Args args;
        bool help;
        bool fault;
    } cases[] = {
        {{"--help", "--bogus"}, true, false}, {{"-h"}, true, false},
        {{"--bogus", "--help"}, false, true}, {{"--wheel", "--help"}, false, false},
        {{"--size", "--help"}, false, true},
    };
    for (const auto& c : cases) {
        ParsedOptions p;
        CommandSyntax syntax{kRows};
        syntax.helpInTurn = true;
        const CommandLine line = readCommandLine(c.args, syntax, p);
        EXPECT_EQ(line.help, c.help) << joined(c.args);
        EXPECT_EQ(line.fault.has_value(), c.fault) << joined(c.args);
    }
}

// The commands draw the line between options and arguments differently:
// --now is a chart, a negative number is a year or a zone.
TEST(OptionReader, EachCommandSaysWhatIsAnOption) {
    const auto negativeIsValue = [](const std::string& a) {
        return a.size() > 1 && a[0] == '-' && !(a[1] >= '0' && a[1] <= '9');
    };
    const struct {
        bool (*isOption)(const std::string&);
        const char* argument;
        bool unknown;
    } cases[] = {
        {chartSourceIsOption, "--now", false},  {chartSourceIsOption, "chart.ast", false},
        {chartSourceIsOption, "-", true},       {chartSourceIsOption, "", true},
        {chartSourceIsOption, "--later", true}, {negativeIsValue, "-5", false},
        {negativeIsValue, "-x", true},
    };
    for (const auto& c : cases) {
        ParsedOptions p;
        const CommandLine line = readCommandLine({c.argument}, CommandSyntax{kRows, c.isOption}, p);
        EXPECT_EQ(line.fault.has_value(), c.unknown) << '"' << c.argument << '"';
        EXPECT_EQ(p.positional.size(), c.unknown ? 0u : 1u) << '"' << c.argument << '"';
    }
}

TEST(OptionReader, ModeAndSizeValuesKeepTheirRanges) {
    for (const char* good : {"1", "4"})
        EXPECT_TRUE(generationModeFits(good)) << good;
    for (const char* bad : {"0", "5", "", "2x", "-1"})
        EXPECT_FALSE(generationModeFits(bad)) << bad;
    for (const char* good : {"800x600", "8000x8000", "1x1"})
        EXPECT_TRUE(sizeFits(good)) << good;
    for (const char* bad : {"8001x10", "800", "0x600", "800x600x2", "x600"})
        EXPECT_FALSE(sizeFits(bad)) << bad;
}

} // namespace
