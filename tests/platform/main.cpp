// The platform tests run with their own settings store and folders, never the
// user's: every test process points XDG_CONFIG_HOME, VELORIN_HOME and
// ASTRO_DATA into one temporary folder.

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("VELORIN_HOME", (home.path() + "/program").toUtf8());
    qputenv("ASTRO_DATA", (home.path() + "/data").toUtf8());
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
