// velorin place end to end, with the atlas installed beside the programs.

#include "cli/commands.h"
#include "tests/support/clirun.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

using namespace velorin::cli;

namespace {

using PlaceRun = velorin::test::CommandRun;

PlaceRun place(const Args& args) {
    return velorin::test::runCommand(runPlace, args);
}

TEST(PlaceCommand, PrintsMatchesWithTheZoneOfTheMoment) {
    struct Case {
        Args args;
        std::string firstLine;
    };
    const Case cases[] = {
        {{"hodmezo"},
         "Hódmezővásárhely\tHU\tCsongrád-Csanád\t46.41667\t20.33333\tEurope/Budapest\t44009\n"},
        // Hungary's 1944 summer time (1944 Apr 3 - Oct 2): UTC+2 as zone -1 with the box.
        {{"Budapest", "--at", "1944-07-15T12:00", "--limit", "1"},
         "Budapest\tHU\tBudapest\t47.49835\t19.04045\tEurope/Budapest\t1741041\t-1\t1\n"},
        // South and west are negative; Argentina's summer time of 1989-90
        // ("R A 1989 1992 - O Su>=15 0 1 -", "R A 1989 1993 - Mar Su>=1 0 0 -")
        // puts UTC-3 at UTC-2 in January.
        {{"buenos aires", "--limit", "1", "--at", "1990-01-15T12:00"},
         "Buenos Aires\tAR\tBuenos Aires F.D.\t-34.61315\t-58.37723\tAmerica/Argentina/Buenos_Aires"
         "\t2891082\t3\t1\n"},
        // Negative summer time (the database's winter in Dublin, Ramadan in
        // Casablanca) reads as the offset in force without the box: UTC+0.
        {{"Dublin", "--limit", "1", "--at", "1980-01-01T12:00"},
         "Dublin\tIE\tLeinster\t53.33306\t-6.24889\tEurope/Dublin\t1024027\t0\t0\n"},
        {{"Casablanca", "--limit", "1", "--at", "2024-03-20T12:00"},
         "Casablanca\tMA\tCasablanca-Settat\t33.58831\t-7.61138\tAfrica/Casablanca\t3144909"
         "\t0\t0\n"},
        // Found by its Hungarian name, which the line shows after its own.
        {{"Kolozsvár", "--limit", "1"},
         "Cluj-Napoca (Kolozsvár)\tRO\tCluj County\t46.76667\t23.60000\tEurope/Bucharest"
         "\t316748\n"},
        {{"pozsony", "--limit", "1", "--at", "1950-07-01T12:00"},
         "Bratislava (Pozsony)\tSK\tBratislava Region\t48.14816\t17.10674\tEurope/Bratislava"
         "\t423737\t-1\t0\n"},
        {{"Bécs", "--limit", "1"},
         "Vienna (Bécs)\tAT\tVienna\t48.20849\t16.37208\tEurope/Vienna\t1691468\n"},
        {{"Parizs", "--limit", "1"},
         "Paris (Párizs)\tFR\tÎle-de-France\t48.85341\t2.34880\tEurope/Paris\t2138551\n"},
        // Dublin's summer of 1965, before the change of rule, is summer time proper.
        {{"Dublin", "--limit", "1", "--at", "1965-07-01T12:00"},
         "Dublin\tIE\tLeinster\t53.33306\t-6.24889\tEurope/Dublin\t1024027\t0\t1\n"},
    };
    for (const Case& c : cases) {
        const PlaceRun r = place(c.args);
        EXPECT_EQ(r.status, 0) << c.args[0] << r.err;
        EXPECT_EQ(r.out.substr(0, r.out.find('\n') + 1), c.firstLine) << c.args[0];
    }
    const PlaceRun ten = place({"san"});
    EXPECT_EQ(std::count(ten.out.begin(), ten.out.end(), '\n'), 10);
}

TEST(PlaceCommand, RefusesWhatItCannotAnswer) {
    struct Case {
        Args args;
        int status;
        std::string inError;
    };
    const Case cases[] = {
        {{"Budapest", "--limit", "1", "--at", "2021-03-28T02:30"}, 1, "nem létezik"},
        {{"Budapest", "--limit", "1", "--at", "2021-10-31T02:30"}, 1, "kétszer"},
        {{"xqzxqzxq"}, 1, "nincs"},
        {{"Budapest", "--at", "2021-02-30T12:00"}, 2, "YYYY-MM-DDTHH:MM"},
        {{"Budapest", "--at", ""}, 2, "YYYY-MM-DDTHH:MM"},
        {{"Budapest", "--limit", "0"}, 2, "--limit"},
        {{}, 2, "usage"},
        {{"Budapest", "Szeged"}, 2, "usage"},
    };
    for (const Case& c : cases) {
        const PlaceRun r = place(c.args);
        EXPECT_EQ(r.status, c.status) << (c.args.empty() ? "" : c.args.back());
        EXPECT_NE(r.err.find(c.inError), std::string::npos) << r.err;
        if (c.status == 2) {
            EXPECT_TRUE(r.out.empty());
        }
    }
}

} // namespace
