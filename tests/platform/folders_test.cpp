// Folders, unique names and safe file names.

#include "platform/folders.h"
#include "platform/presentmoment.h"
#include "platform/textfile.h"

#include <QDir>
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
