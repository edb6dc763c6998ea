// velorin moon: the calendar's days as lines of text.

#include "cli/commands.h"
#include "tests/support/clirun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace velorin::cli;

namespace {

using Outcome = velorin::test::CommandRun;

Outcome moon(Args args) {
    return velorin::test::runCommand(runMoon, args);
}

std::vector<std::string> lines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string line; std::getline(in, line);)
        out.push_back(line);
    return out;
}

TEST(MoonCommand, OneLinePerDayAsTheCalendarShowsIt) {
    // New Moon 9 February 2024 22:59 UT (Swiss Ephemeris): a minute before
    // midnight at UTC+1, an hour after it with daylight saving.
    Outcome feb = moon({"2024", "2"});
    ASSERT_EQ(feb.status, 0) << feb.err;
    const auto days = lines(feb.out);
    ASSERT_EQ(days.size(), 29u);
    EXPECT_EQ(days[9].rfind("10\tVIZONTO\tm000.jpg\t0.00", 0), 0u) << days[9];
    EXPECT_EQ(days[0].rfind("1\tMERLEG\tm248.jpg\t247.6", 0), 0u) << days[0];

    Outcome summer = moon({"2024", "2", "--dst"});
    EXPECT_EQ(lines(summer.out)[9].rfind("10\tVIZONTO\tm360.jpg\t359.4", 0), 0u);
    Outcome sameAsSummer = moon({"2024", "2", "--zone", "-2"});
    EXPECT_EQ(sameAsSummer.out, summer.out);
    EXPECT_EQ(lines(moon({"2023", "2"}).out).size(), 28u);
}

TEST(MoonCommand, ErrorsAndUsage) {
    Outcome month = moon({"2024", "13"});
    EXPECT_EQ(month.status, 1);
    EXPECT_EQ(month.err, "velorin: Helytelen hónap!\n");
    EXPECT_TRUE(month.out.empty());
    EXPECT_EQ(moon({"2024", "2", "--zone", "x"}).status, 1);
    // The edges of the files: 5400 January 1 at 0:00 in zone -1 is 5399 in
    // UT, but the library computes it at TT, half a day later, in 5400.
    for (const Args& edge : {Args{"9000", "1"}, Args{"5400", "1"}, Args{"-5400", "1"}}) {
        const Outcome far = moon(edge);
        EXPECT_EQ(far.status, 1) << edge[0];
        EXPECT_NE(far.err.find("-5400 – 5399"), std::string::npos) << far.err;
        EXPECT_EQ(std::count(far.err.begin(), far.err.end(), '\n'), 1) << far.err;
        EXPECT_TRUE(far.out.empty());
    }
    EXPECT_EQ(moon({"5399", "12"}).status, 0);

    EXPECT_EQ(moon({"2024"}).status, 2);
    EXPECT_EQ(moon({"2024", "2", "--zone"}).status, 2);
    EXPECT_EQ(moon({"2024", "2", "--bogus"}).status, 2);
    EXPECT_EQ(moon({"--help"}).status, 0);
    // A negative year is a year, not an option.
    EXPECT_EQ(moon({"-500", "3"}).status, 0);
}

} // namespace
