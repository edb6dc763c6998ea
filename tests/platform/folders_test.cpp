// Folders, unique names and safe file names.

#include "platform/folders.h"
#include "platform/presentmoment.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

TEST(Folders, ClaimedNamesAreNewFilesNeverExistingOnes) {
    QTemporaryDir dir;
    const QString anna = dir.filePath("Anna.doc");
    QFile old(anna);
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("az első Anna");
    old.close();
    // Each claim takes the next number, as a parallel run would see it.
    for (int n = 2; n <= 10; ++n) {
        const std::optional<QString> name = claimUniqueName(anna, "doc");
        ASSERT_TRUE(name);
        EXPECT_EQ(*name, dir.filePath(QString("Anna(%1).doc").arg(n)));
        EXPECT_EQ(QFileInfo(*name).size(), 0);
    }
    QString error;
    EXPECT_FALSE(claimUniqueName(anna, "doc", &error));
    EXPECT_TRUE(error.contains("mind foglaltak")) << error.toStdString();
    EXPECT_EQ(QFileInfo(anna).size(), QByteArray("az első Anna").size());

    error.clear();
    EXPECT_FALSE(claimUniqueName(dir.filePath("nincs/Anna.doc"), "doc", &error));
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
        return presentMoment(QDateTime(QDate(2009, 10, 31), QTime(h, m)));
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
