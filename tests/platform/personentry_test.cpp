// The rules a birth-data form applies to one person's texts, without a widget.

#include "platform/personentry.h"
#include "platform/timestep.h"
#include "tests/support/birthdata.h"

#include <QTimeZone>
#include <gtest/gtest.h>

using namespace velorin;

namespace {

QString u(const char* s) {
    return QString::fromUtf8(s);
}

TEST(PersonEntry, TheHourPairFollowsThe24HourTextAndBack) {
    const struct {
        const char* typed;
        const char* twelve;
        bool am;
    } rows[] = {{"15", "3", false}, {"0", "12", true},   {"12", "12", false},
                {"11", "11", true}, {"23", "11", false}, {"7", "7", true}};
    for (const auto& r : rows) {
        PersonEntry e;
        e.am = !r.am;
        e.hour24 = u(r.typed);
        e.pairFromHour24();
        EXPECT_EQ(e.hour12, u(r.twelve)) << r.typed;
        EXPECT_EQ(e.am, r.am) << r.typed;
        e.hour24.clear();
        e.hour24FromPair();
        EXPECT_EQ(e.hour24, u(r.typed));
    }
}

TEST(PersonEntry, TheTwelveHourTextNeverShowsZeroOrMoreThanTwelve) {
    const struct {
        const char* written;
        bool amBefore;
        const char* shown;
        bool am;
    } rows[] = {{"0", true, "12", true},  {"00", false, "12", false}, {"14", true, "2", false},
                {"12", true, "12", true}, {"09", true, "09", true},   {"x", true, "x", true},
                {"", false, "", false}};
    for (const auto& r : rows) {
        PersonEntry e;
        e.am = r.amBefore;
        e.setHour12(u(r.written));
        EXPECT_EQ(e.hour12, u(r.shown)) << r.written;
        EXPECT_EQ(e.am, r.am) << r.written;
    }
}

TEST(PersonEntry, AZoneRowSetsTheZoneAndItsSideOfGreenwich) {
    const struct {
        int row;
        const char* zone;
        bool eastAndNorth;
    } rows[] = {{13, "1", false},   {14, "0", true},  {15, "-1", true},
                {20, "-4,5", true}, {0, "12", false}, {38, "-14", true}};
    for (const auto& r : rows) {
        PersonEntry e;
        e.setHemispheres(!r.eastAndNorth, !r.eastAndNorth);
        e.pickZoneRow(r.row);
        EXPECT_EQ(e.zoneRow, r.row);
        EXPECT_EQ(e.zone, u(r.zone)) << r.row;
        EXPECT_EQ(e.east, r.eastAndNorth) << r.row;
        EXPECT_EQ(e.north, r.eastAndNorth) << r.row;
    }
}

TEST(PersonEntry, AZoneFindsItsRowAsANumberAndAnUnlistedOneMovesNothing) {
    const struct {
        const char* zone;
        int row; // -1: the row and hemispheres stay
        const char* after;
    } rows[] = {{"-5.5", 22, "-5,5"}, {"-5,5", 22, "-5,5"}, {" 5 ", 8, "5"},
                {"1,5", -1, "1,5"},   {"abc", -1, "abc"},   {"", -1, ""}};
    for (const auto& r : rows) {
        PersonEntry e;
        e.zoneRow = 3;
        e.setHemispheres(true, false);
        e.zone = u(r.zone);
        e.pickRowForZone();
        EXPECT_EQ(e.zone, u(r.after)) << r.zone;
        EXPECT_EQ(e.zoneRow, r.row < 0 ? 3 : r.row) << r.zone;
        if (r.row < 0) {
            EXPECT_TRUE(e.east && !e.north) << r.zone;
        }
    }
}

TEST(PersonEntry, EastAndWestSignTheZoneAndKeepItsForm) {
    const struct {
        const char* zone;
        bool east;
        const char* after;
    } rows[] = {{"-1", false, "1"},    {"5", true, "-5"},      {"0", true, "0"},
                {"5,5", true, "-5,5"}, {"-3.5", false, "3.5"}, {"+2", true, "-2"},
                {" -4 ", true, "-4"},  {"abc", true, "abc"},   {"", false, ""}};
    for (const auto& r : rows) {
        PersonEntry e;
        e.zone = u(r.zone);
        e.chooseEast(r.east);
        EXPECT_EQ(e.zone, u(r.after)) << r.zone;
        EXPECT_EQ(e.east, r.east);
        EXPECT_EQ(zoneTextForHemisphere(u(r.zone), r.east), u(r.after));
    }
}

TEST(PersonEntry, SummerTimeMovesAZoneTextByAnHour) {
    const struct {
        const char* zone;
        bool ticked;
        const char* after;
    } rows[] = {{"-1", true, "-2"},
                {"-2", false, "-1"},
                {"5.5", true, "4.5"},
                {"0", false, "1"},
                {"", true, "-1"}};
    for (const auto& r : rows)
        EXPECT_EQ(zoneTextAfterDaylightSaving(u(r.zone), r.ticked), u(r.after)) << r.zone;
}

TEST(PersonEntry, RangesAcceptTheirEdgesAndNameWhatIsOutside) {
    const struct {
        RangedBox box;
        const char* value;
        const char* message; // "": accepted
    } rows[] = {{RangedBox::Hour24, "24", "Helytelen óra!"},
                {RangedBox::Hour24, "23", ""},
                {RangedBox::Hour24, "-1", "Helytelen óra!"},
                {RangedBox::Minute, "60", "Helytelen perc!"},
                {RangedBox::Minute, "59", ""},
                {RangedBox::Minute, "59.5", "Helytelen perc!"},
                {RangedBox::Day, "32", "Helytelen nap!"},
                {RangedBox::Day, "0", ""},
                {RangedBox::Month, "13", "Helytelen hónap!"},
                {RangedBox::Month, "", ""}};
    for (const auto& r : rows) {
        PersonEntry e;
        e.hour24 = e.minute = e.day = e.month = QStringLiteral("1");
        QString* box[] = {&e.hour24, &e.minute, &e.day, &e.month};
        *box[int(r.box)] = u(r.value);
        EXPECT_EQ(e.rangeMessage(r.box), u(r.message)) << r.value;
    }
}

TEST(PersonEntry, TheWeekdayIsNamedOnlyForARealDate) {
    const struct {
        const char *year, *month, *day, *weekday;
    } rows[] = {{"1973", "2", "26", "Hétfő (HOLD NAPJA)"},
                {"2009", "10", "31", "Szombat (SZATURNUSZ NAPJA)"},
                {"2026", "12", "06", "Vasárnap (NAP NAPJA)"},
                {"1973", "2", "31", ""},
                {"1973", "x", "1", ""},
                {"", "1", "1", ""}};
    for (const auto& r : rows) {
        PersonEntry e;
        e.year = u(r.year);
        e.month = u(r.month);
        e.day = u(r.day);
        EXPECT_EQ(e.weekdayText(), u(r.weekday)) << r.year << "." << r.month << "." << r.day;
    }
}

TEST(TimeStep, RollsTheCalendarWithinTheYearsAFormHolds) {
    const struct {
        const char* from; // year month day hour24 minute
        int minutes;
        const char* to; // "" when refused
    } rows[] = {
        {"2009 12 31 23 58", 30, "2010 01 01 00 28"},
        {"2009 10 31 12 10", -3, "2009 10 31 12 07"},
        {"2009 10 31 11 59", 3, "2009 10 31 12 02"},
        {"2012 2 28 23 59", 1, "2012 02 29 00 00"},
        {"2012 3 1 0 0", -1440, "2012 02 29 00 00"},
        {"2009 2 31 10 00", 3, ""},
        {"2009 2 3 24 00", 3, ""},
        {"2009 2 x 10 00", 3, ""},
        {"9999 12 31 23 59", 1, ""},
    };
    for (const auto& r : rows) {
        const QStringList f = u(r.from).split(QLatin1Char(' '));
        const auto to = stepMoment({f[0], f[1], f[2], f[3], f[4]}, r.minutes);
        const QString got =
            to ? QStringList({to->year, to->month, to->day, to->hour24, to->minute}).join(' ')
               : QString();
        EXPECT_EQ(got, u(r.to)) << r.from;
    }
}

// The calendar itself is the time step's; the entry adds the hour pair, and
// a refusal that changes nothing.
TEST(PersonEntry, AStepMovesTheHourPairOrNothingAtAll) {
    const struct {
        const char *date, *hour24, *minute;
        int minutes;
        const char* after; // "" when refused
        const char* twelve;
        bool am;
    } rows[] = {
        {"2026.12.31", "23", "59", 1, "2027.01.01 00:00", "12", true},
        {"2026.3.1", "12", "30", -30, "2026.03.01 12:00", "12", false},
        {"2024.2.28", "13", "0", 24 * 60, "2024.02.29 13:00", "1", false},
        {"2026.2.31", "10", "00", 60, "", "5", true},
    };
    for (const auto& r : rows) {
        PersonEntry e;
        const QStringList date = u(r.date).split(QLatin1Char('.'));
        e.year = date[0];
        e.month = date[1];
        e.day = date[2];
        e.hour24 = u(r.hour24);
        e.minute = u(r.minute);
        e.hour12 = QStringLiteral("5");
        const QString typed = u(r.date) + " " + e.hour24 + ":" + e.minute;
        EXPECT_EQ(e.stepMoment(r.minutes), *r.after != '\0') << r.date;
        EXPECT_EQ(e.year + "." + e.month + "." + e.day + " " + e.hour24 + ":" + e.minute,
                  *r.after ? u(r.after) : typed);
        EXPECT_EQ(e.hour12, u(r.twelve)) << r.date;
        EXPECT_EQ(e.am, r.am) << r.date;
        if (!*r.after) {
            EXPECT_EQ(e.stepRefusal(), "Az időpont nem léptethető: a(z) " + typed +
                                           u(" nem létező dátum vagy időpont. Az asztrogram "
                                             "változatlan maradt."));
        }
    }
}

TEST(PersonEntry, ThePresentMomentKeepsThePlaceAndTakesTheClocksZone) {
    const QTimeZone budapest("Europe/Budapest");
    const struct {
        QDateTime now;
        const char *hour12, *hour24, *zone;
        bool am, summer;
    } rows[] = {
        {QDateTime(QDate(2009, 10, 31), QTime(0, 30), budapest), "12", "0", "-1", true, false},
        {QDateTime(QDate(2026, 7, 1), QTime(14, 0), budapest), "2", "14", "-1", false, true},
    };
    for (const auto& r : rows) {
        PersonEntry e;
        e.name = QStringLiteral("Anna");
        e.pickZoneRow(8);
        e.longDeg = QStringLiteral("73");
        e.takePresentMoment(r.now);
        EXPECT_EQ(e.name, QStringLiteral("Ma"));
        EXPECT_EQ(e.hour12, u(r.hour12)) << r.hour24;
        EXPECT_EQ(e.hour24, u(r.hour24));
        EXPECT_EQ(e.am, r.am) << r.hour24;
        EXPECT_EQ(e.zone, u(r.zone));
        EXPECT_EQ(e.zoneRow, 15);
        EXPECT_EQ(e.daylightSaving, r.summer);
        // The reading belongs to the clock; the place is still the person's.
        EXPECT_FALSE(e.east);
        EXPECT_EQ(e.longDeg, QStringLiteral("73"));
    }
}

// Anna with the options a default would hide: afternoon, summer time, West
// and South, and notes over two lines.
BirthData record() {
    BirthData d = test::anna();
    d.am = false;
    d.daylightSaving = 1;
    d.east = false;
    d.north = false;
    d.notes = "első sor\r\nmásodik";
    return d;
}

TEST(PersonEntry, AChartFileFillsTheEntryAndComesBackUnchanged) {
    const struct {
        ChartLayout layout;
        bool hasHemispheres;
        const char* sex;
        const char* sexAfter;
        bool east, north;
    } rows[] = {
        // The stored hemispheres outrank the eastern zone row's guess.
        {ChartLayout::Current, true, "Nő", "Nő", false, false},
        {ChartLayout::Current, false, "Nő", "Nő", true, true},
        // The old layout has no sex; a sex the list lacks is not taken.
        {ChartLayout::Old, true, "Nő", "Férfi", false, false},
        {ChartLayout::Current, true, "X", "Férfi", false, false},
    };
    for (const auto& r : rows) {
        ChartFile file;
        file.data = record();
        file.data.sex = r.sex;
        file.layout = r.layout;
        file.hasHemispheres = r.hasHemispheres;
        PersonEntry e;
        e.fillFromChart(file);
        EXPECT_EQ(e.sex, u(r.sexAfter)) << r.sex;
        EXPECT_EQ(e.east, r.east);
        EXPECT_EQ(e.north, r.north);
        EXPECT_EQ(e.zoneRow, 16);
        EXPECT_EQ(e.hour24, QStringLiteral("14"));
        EXPECT_EQ(e.notes, u("első sor\nmásodik"));
        // What is written back is the file's record, byte for byte.
        BirthData expected = file.data;
        expected.sex = r.sexAfter;
        expected.east = r.east;
        expected.north = r.north;
        EXPECT_EQ(formatChartRecord(e.toBirthData()), formatChartRecord(expected));
    }
}

TEST(PersonEntry, TheRecordsHalfOfDayOutranksTheHourRule) {
    // An hour above 12 is read as the afternoon by the 12-hour rule, but the
    // record's own flag is what it was saved with.
    BirthData d = record();
    d.hour = "14";
    d.am = true;
    d.notes = "a\rb";
    PersonEntry e;
    e.fillTyped(d);
    EXPECT_EQ(e.hour12, QStringLiteral("2"));
    EXPECT_TRUE(e.am);
    EXPECT_EQ(e.hour24, QStringLiteral("2"));
    EXPECT_EQ(e.notes, QStringLiteral("a\nb"));
    // What a typed fill does not carry stays.
    EXPECT_EQ(e.sex, u(kMaleText));
    EXPECT_TRUE(e.east && e.north);
}

TEST(PersonEntry, ALocationFileIsTakenAsTypedAndWrittenAsHeld) {
    const struct {
        const char* zone;
        bool east, west, north, south;
        const char* zoneAfter;
        int row;
        bool eastAfter, northAfter;
    } rows[] = {
        // The East option signs the zone, whose row is then picked.
        {"5", true, false, true, false, "-5", 21, true, true},
        // A southern place in an eastern zone stays southern.
        {"-10", true, false, false, true, "-10", 31, true, false},
        // A western place keeps its positive zone; an unlisted zone moves no row.
        {"-1,5", false, true, true, false, "1,5", 15, false, true},
        // A file with both options set: West comes last, as typed.
        {"3", true, true, true, true, "3", 11, false, false},
    };
    for (const auto& r : rows) {
        LocationFile l;
        l.zone = u(r.zone);
        l.longDeg = QStringLiteral("151");
        l.longMin = QStringLiteral("12");
        l.east = r.east;
        l.west = r.west;
        l.latDeg = QStringLiteral("33");
        l.latMin = QStringLiteral("52");
        l.north = r.north;
        l.south = r.south;
        PersonEntry e;
        e.fillFromLocation(l);
        EXPECT_EQ(e.zone, u(r.zoneAfter)) << r.zone;
        EXPECT_EQ(e.zoneRow, r.row) << r.zone;
        EXPECT_EQ(e.east, r.eastAfter) << r.zone;
        EXPECT_EQ(e.north, r.northAfter) << r.zone;
        const LocationFile back = e.location();
        EXPECT_EQ(back.zone, e.zone);
        EXPECT_EQ(back.longDeg + back.longMin + back.latDeg + back.latMin,
                  QStringLiteral("151123352"));
        EXPECT_NE(back.east, back.west);
        EXPECT_NE(back.north, back.south);
        EXPECT_EQ(back.east, e.east);
        EXPECT_EQ(back.north, e.north);
    }
}

TEST(PersonEntry, AProblemIsNamedByTheBoxLabel) {
    const struct {
        const char *day, *latDeg, *zone;
        const char* line; // "": converts
    } rows[] = {
        {"26", "47", "-1", ""},
        {"x", "47", "-1", "Helytelen adat: NAP"},
        {"26", "47", "", "Helytelen adat: IDŐZÓNA"},
        {"26", "91", "-1", "Helytelen adat: SZÉL. FOK (a szélesség legfeljebb 90°)"},
        // The place is checked before the date, as the computation does.
        {"x", "91", "-1", "Helytelen adat: SZÉL. FOK (a szélesség legfeljebb 90°)"},
    };
    for (const auto& r : rows) {
        PersonEntry e;
        e.fillTyped(record());
        e.day = u(r.day);
        e.latDeg = u(r.latDeg);
        e.zone = u(r.zone);
        EXPECT_EQ(e.problemLine(), u(r.line)) << r.line;
    }
}

} // namespace
