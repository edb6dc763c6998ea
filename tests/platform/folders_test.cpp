// Folders, unique names and safe file names.

#include "platform/folders.h"
#include "platform/presentmoment.h"
#include "platform/textfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <string>

using namespace velorin;

namespace {

TEST(Folders, EnvironmentDecidesAndSeparatorsStay) {
    EXPECT_TRUE(programFolder().endsWith("/program/"));
    EXPECT_TRUE(chartFolder().endsWith("/data/RADIX/"));
    EXPECT_TRUE(locationFolder().endsWith("/program/helyseg/"));
    setDataRootOverride("/elsewhere");
    EXPECT_EQ(textFolder(), "/elsewhere/SZOVEG/");
    setDataRootOverride("");
}

TEST(Folders, UniqueNameCountsBeforeTheExtension) {
    QTemporaryDir dir;
    QString anna = dir.filePath("Anna.ast");
    EXPECT_EQ(uniqueName(anna, "ast"), anna);
    QFile(anna).open(QIODevice::WriteOnly);
    EXPECT_EQ(uniqueName(anna, "ast"), dir.filePath("Anna(2).ast"));
    QString ma = dir.filePath("Ma(09.10.31).ast");
    QFile(ma).open(QIODevice::WriteOnly);
    EXPECT_EQ(uniqueName(ma, "ast"), dir.filePath("Ma(09.10.31)(2).ast"));
    for (int n = 2; n <= 10; ++n)
        QFile(dir.filePath(QString("Anna(%1).ast").arg(n))).open(QIODevice::WriteOnly);
    EXPECT_TRUE(uniqueName(anna, "ast").isEmpty());
}

TEST(Folders, UniqueFilesTakeNewNamesNeverExistingOnes) {
    QTemporaryDir dir;
    const QString anna = dir.filePath("Anna.doc");
    QFile old(anna);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("az első Anna");
    old.close();
    // Each save takes the next number, as a parallel run would see it.
    for (int n = 2; n <= 10; ++n) {
        const QByteArray content = QByteArray("Anna ") + QByteArray::number(n);
        const std::optional<QString> name = writeUniqueFile(anna, "doc", content);
        ASSERT_TRUE(name);
        EXPECT_EQ(*name, dir.filePath(QString("Anna(%1).doc").arg(n)));
        QFile f(*name);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(f.readAll(), content);
    }
    QString error;
    EXPECT_FALSE(writeUniqueFile(anna, "doc", "tizenegyedik", &error));
    EXPECT_TRUE(error.contains("mind foglaltak")) << error.toStdString();
    EXPECT_EQ(QFileInfo(anna).size(), QByteArray("az első Anna").size());
    // Neither the refused save nor the ones before left a temporary file.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 10);

    error.clear();
    EXPECT_FALSE(writeUniqueFile(dir.filePath("nincs/Anna.doc"), "doc", "x", &error));
    EXPECT_EQ(error, "a fájl vagy a mappa nem létezik");
}

TEST(Folders, SafeFileNames) {
    const std::pair<QString, QString> cases[] = {
        {"Kis/Nagy: \"Pali\"?", "Kis_Nagy_ _Pali__"},
        {"Árvíztűrő", "Árvíztűrő"},
        {"a\tb", "a_b"},
        // Nothing may become a hidden file or climb out of its folder.
        {"", "névtelen"},
        {"..", "__"},
        {"../x", "___x"},
        {".rejtett", "_rejtett"},
        {"Dr. Kis", "Dr. Kis"},
    };
    for (const auto& [name, safe] : cases)
        EXPECT_EQ(safeFileName(name), safe) << name.toStdString();
}

TEST(PresentMoment, MidnightNoonAndAfternoon) {
    auto at = [](int h, int m) {
        return presentMoment(
            QDateTime(QDate(2009, 10, 31), QTime(h, m), QTimeZone("Europe/Budapest")));
    };
    BirthData d = at(0, 30);
    EXPECT_EQ(d.hour, "12");
    EXPECT_TRUE(d.am);
    EXPECT_EQ(d.hour24, "0");
    d = at(12, 30);
    EXPECT_EQ(d.hour, "12");
    EXPECT_FALSE(d.am);
    EXPECT_EQ(d.hour24, "12");
    d = at(15, 5);
    EXPECT_EQ(d.hour, "3");
    EXPECT_EQ(d.minute, "05");
    EXPECT_EQ(d.hour24, "15");
    EXPECT_EQ(d.name, "Ma");
    EXPECT_EQ(d.day, "31");
    EXPECT_EQ(d.month, "10");
    EXPECT_EQ(d.zone, "-1");
    EXPECT_EQ(d.daylightSaving, 0);
}

// The clock's reading with the zone and summer-time boxes of the clock's
// zone, so that the chart stands at the true instant whatever the form held.
TEST(PresentMoment, TheClocksZoneGivesTheInstant) {
    struct Case {
        const char* zone;
        QDateTime clock;
        const char* zoneText;
        int summer;
        int utMinutes; // what the form's boxes give back
    };
    const QDate july(2026, 7, 1), january(2026, 1, 15);
    const Case cases[] = {
        {"Europe/Budapest", QDateTime(july, QTime(14, 0)), "-1", 1, 12 * 60},
        {"Europe/Budapest", QDateTime(january, QTime(14, 0)), "-1", 0, 13 * 60},
        // An instant from elsewhere is read on the computer's clock.
        {"Europe/Budapest", QDateTime(july, QTime(12, 0), Qt::UTC), "-1", 1, 12 * 60},
        {"America/New_York", QDateTime(july, QTime(8, 0)), "5", 1, 12 * 60},
        {"Asia/Kolkata", QDateTime(july, QTime(17, 30)), "-5,5", 0, 12 * 60},
        // Half an hour of summer time still ticks the box; the text keeps the rest.
        {"Australia/Lord_Howe", QDateTime(january, QTime(12, 0)), "-10", 1, 1 * 60},
        // Winter in Dublin is a "negative summer time": the offset in force, no box.
        {"Europe/Dublin", QDateTime(QDate(1980, 1, 1), QTime(12, 0)), "0", 0, 12 * 60},
    };
    for (const Case& c : cases) {
        const QTimeZone zone(c.zone);
        ASSERT_TRUE(zone.isValid()) << c.zone;
        // A clock given without a zone is a wall reading in the computer's zone.
        const QDateTime clock = c.clock.timeSpec() == Qt::UTC
                                    ? c.clock
                                    : QDateTime(c.clock.date(), c.clock.time(), zone);
        BirthData base;
        base.zone = "3"; // whatever the form held before
        base.daylightSaving = 1;
        base.longDeg = "19";
        const BirthData d = presentMoment(clock, base, zone);
        SCOPED_TRACE(c.zone);
        EXPECT_EQ(d.zone, c.zoneText);
        EXPECT_EQ(d.daylightSaving, c.summer);
        EXPECT_EQ(d.longDeg, "19");
        const double zoneHours = QString::fromStdString(d.zone).replace(',', '.').toDouble();
        const int wall = std::stoi(d.hour24) * 60 + std::stoi(d.minute);
        EXPECT_EQ(wall + int(zoneHours * 60) - 60 * d.daylightSaving, c.utMinutes);
    }
}

} // namespace

// Where a run reads and writes, for the layouts a suite is found in. The
// build folder's own folder is named bin as well, so the name alone must not
// make a suite "installed".
TEST(SuiteFoldersTest, LayoutDecidesWhereDataAndUserFilesLive) {
    QTemporaryDir root;
    const QString r = root.path();
    for (const char* dir : {"build/bin", "usr/bin", "usr/share/velorin", "beside/bin",
                            "beside/share/velorin", "opt/velorin", "opt/share/velorin"})
        QDir().mkpath(r + "/" + dir);
    QFile(r + "/beside/bin/cod.dat").open(QIODevice::WriteOnly);

    struct Case {
        const char* name;
        QString programDir, override, xdg;
        bool installed;
        QString data, user, codeTable;
    };
    const QString xdg = r + "/xdg";
    const QString home = r + "/home";
    const Case cases[] = {
        {"build folder", r + "/build/bin", "", xdg, false, r + "/build/bin/", r + "/build/bin/",
         r + "/build/bin/cod.dat"},
        {"installed", r + "/usr/bin", "", xdg, true, r + "/usr/share/velorin/", xdg + "/Velorin/",
         xdg + "/Velorin/cod.dat"},
        {"installed, trailing separator", r + "/usr/bin/", "", xdg, true, r + "/usr/share/velorin/",
         xdg + "/Velorin/", xdg + "/Velorin/cod.dat"},
        {"no XDG_DATA_HOME", r + "/usr/bin", "", "", true, r + "/usr/share/velorin/",
         home + "/.local/share/Velorin/", home + "/.local/share/Velorin/cod.dat"},
        {"relative XDG_DATA_HOME is ignored", r + "/usr/bin", "", "rel/share", true,
         r + "/usr/share/velorin/", home + "/.local/share/Velorin/",
         home + "/.local/share/Velorin/cod.dat"},
        {"cod.dat beside the programs comes first", r + "/beside/bin", "", xdg, true,
         r + "/beside/share/velorin/", xdg + "/Velorin/", r + "/beside/bin/cod.dat"},
        {"not in a bin folder", r + "/opt/velorin", "", xdg, false, r + "/opt/velorin/",
         r + "/opt/velorin/", r + "/opt/velorin/cod.dat"},
        {"VELORIN_HOME holds everything", r + "/usr/bin", r + "/tests", xdg, true, r + "/tests/",
         r + "/tests/", r + "/tests/cod.dat"},
    };
    for (const Case& c : cases) {
        const SuiteFolders f = resolveSuiteFolders(c.programDir, c.override, c.xdg, home);
        EXPECT_EQ(f.installed, c.installed) << c.name;
        EXPECT_EQ(f.data, c.data) << c.name;
        EXPECT_EQ(f.user, c.user) << c.name;
        EXPECT_EQ(f.codeTable, c.codeTable) << c.name;
    }
}

TEST(SuiteFoldersTest, ThisRunFollowsTheEnvironment) {
    // The test environment names a program folder: everything is there.
    const SuiteFolders f = suiteFolders();
    EXPECT_TRUE(f.user.endsWith("/program/"));
    EXPECT_EQ(f.data, f.user);
    EXPECT_EQ(userFolder(), programFolder());
    EXPECT_TRUE(locationFolder().startsWith(userFolder()));
}
