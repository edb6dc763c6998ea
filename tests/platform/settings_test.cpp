// The settings store and the working values it yields.

#include "platform/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace velorin;

namespace {

class Settings : public ::testing::Test {
protected:
    void SetUp() override {
        // A fresh store for every test.
        QDir(qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velorin").removeRecursively();
    }
    static void setAllColors() {
        for (int i = 0; i < 8; ++i)
            SettingsStore::set(kSettingsApp, "set", QString("aspcolor-%1").arg(i),
                               QString::number(i + 1));
        for (int i = 0; i < 4; ++i)
            SettingsStore::set(kSettingsApp, "set", QString("color-%1").arg(i), "255");
        SettingsStore::set(kSettingsApp, "set", "PAL", "16711680");
    }
};

TEST_F(Settings, FirstStartGivesTheDefaults) {
    WorkingSettings ws;
    ws.orbs.fill(1);
    ws.bandColor = 1;
    EXPECT_FALSE(loadAll(ws));
    EXPECT_EQ(ws.orbs, (std::array<float, 8>{10, 3, 3, 5, 7, 3, 3, 10}));
    EXPECT_EQ(ws.bandColor, 0xE0E0E0u);
    EXPECT_EQ(ws.aspectColors[3], 0u);
    EXPECT_EQ(ws.anticipation, 6.0f);
    EXPECT_FALSE(ws.showAsc);
    EXPECT_FALSE(ws.showFok);
}

TEST_F(Settings, AnticipationIsReadOnItsOwn) {
    SettingsStore::set(kSettingsApp, "set", "HEF", "4");
    SettingsStore::set(kSettingsApp, "set", "45", "9"); // no "0": the group defaults
    WorkingSettings ws;
    loadAll(ws);
    EXPECT_EQ(ws.anticipation, 4.0f);
    EXPECT_EQ(ws.orbs[1], 3.0f);
    SettingsStore::set(kSettingsApp, "set", "HEF", "sok");
    loadAll(ws);
    EXPECT_EQ(ws.anticipation, 0.0f);
}

TEST_F(Settings, SavedValuesComeBack) {
    WorkingSettings ws;
    ws.orbs = {8, 2.5f, 4, 6, 8, 2, 2, 9};
    ws.aspectColors[4] = 0x00FF00;
    ws.wheelColors[1] = 0x0000FF;
    ws.bandColor = 0xCCFFFF;
    ws.anticipation = 3.3f;
    ws.showAsc = true;
    ws.showFok = true;
    saveSetKeys(ws);
    saveSwitches(ws);
    EXPECT_EQ(SettingsStore::get(kSettingsApp, "set", "45"), "2.5");
    EXPECT_EQ(SettingsStore::get(kSettingsApp, "set", "HEF"), "3.3");
    EXPECT_EQ(SettingsStore::get(kProgramTitle, "setup", "showasc"), "True");
    WorkingSettings back;
    EXPECT_FALSE(loadAll(back));
    EXPECT_EQ(back.orbs, ws.orbs);
    EXPECT_EQ(back.aspectColors, ws.aspectColors);
    EXPECT_EQ(back.wheelColors, ws.wheelColors);
    EXPECT_EQ(back.bandColor, ws.bandColor);
    EXPECT_EQ(back.anticipation, 3.3f);
    EXPECT_TRUE(back.showAsc && back.showFok);
}

TEST_F(Settings, ABrokenColourFailsTheWholeGroup) {
    SettingsStore::set(kSettingsApp, "set", "0", "12");
    setAllColors();
    SettingsStore::set(kSettingsApp, "set", "aspcolor-3", "");
    WorkingSettings ws;
    ws.orbs.fill(1);
    auto err = loadWorkingSettings(ws);
    ASSERT_TRUE(err);
    EXPECT_EQ(err->key, "aspcolor-3");
    EXPECT_EQ(ws.orbs[0], 1.0f); // nothing of the group was half-loaded

    auto again = loadWorkingSettingsOrDefaults(ws);
    ASSERT_TRUE(again);
    EXPECT_EQ(ws.orbs[0], 10.0f); // the whole group falls back together
    EXPECT_EQ(ws.aspectColors[0], 0u);

    SettingsStore::set(kSettingsApp, "set", "aspcolor-3", "kék");
    EXPECT_TRUE(loadWorkingSettings(ws));
    SettingsStore::set(kSettingsApp, "set", "aspcolor-3", "4");
    EXPECT_FALSE(loadWorkingSettings(ws));
    EXPECT_EQ(ws.orbs[0], 12.0f);
    EXPECT_EQ(ws.bandColor, 16711680u);
}

// The panel shows what is stored, texts as typed, but never a colour other
// than the one the wheel is drawn with.
TEST_F(Settings, PanelShowsTheStoredTextsAndTheColoursInEffect) {
    WorkingSettings inEffect;
    inEffect.aspectColors.fill(0x123456);
    inEffect.bandColor = 0xABCDEF;
    inEffect.anticipation = 6;
    PanelSettings first = storedPanelSettings(inEffect); // an empty store
    EXPECT_EQ(first.orbTexts, (std::array<QString, 8>{"10", "3", "3", "5", "7", "3", "3", "10"}));
    EXPECT_EQ(first.wheelColors[4], 0xABCDEFu);
    EXPECT_EQ(first.anticipationText, "6");

    SettingsStore::set(kSettingsApp, "set", "0", "8,5");
    SettingsStore::set(kSettingsApp, "set", "HEF", "4 fok");
    setAllColors();
    const struct {
        const char* key;
        const char* stored;
        BgrColor shown; // of aspcolor-1
    } rows[] = {
        {"aspcolor-1", "255", 255},
        {"aspcolor-1", "-1", 0x123456},       // out of range: the load refuses it too
        {"aspcolor-1", "16777216", 0x123456}, // one past 24 bits
        {"aspcolor-1", "kék", 0x123456},
        {"aspcolor-1", "", 0x123456},
    };
    for (const auto& row : rows) {
        SettingsStore::set(kSettingsApp, "set", row.key, row.stored);
        const PanelSettings panel = storedPanelSettings(inEffect);
        EXPECT_EQ(panel.aspectColors[1], row.shown) << row.stored;
        EXPECT_EQ(panel.orbTexts[0], "8,5");
        EXPECT_EQ(panel.orbTexts[1], ""); // absent: shown empty, as stored
        EXPECT_EQ(panel.wheelColors[0], 255u);
        EXPECT_EQ(panel.wheelColors[4], 16711680u);
        EXPECT_EQ(panel.anticipationText, "4 fok");
    }
}

TEST_F(Settings, PanelOkReadsEveryBoxAsItsLeadingNumber) {
    PanelSettings panel = panelSettingsOf(WorkingSettings{});
    panel.orbTexts = {"", "", "", "", "", "", "", ""};
    WorkingSettings applied = appliedPanelSettings(panel, WorkingSettings{});
    // The panel's own suggestions, not the store's 10, 3, 3, 5, ...
    EXPECT_EQ(applied.orbs, (std::array<float, 8>{9, 2, 3, 7, 7, 2, 3, 9}));

    const struct {
        const char* text;
        float orb;
    } rows[] = {{"6", 6}, {"7.5", 7.5f}, {"4 fok", 4}, {"kék", 0}, {" ", 0}, {"-2", -2}};
    for (const auto& row : rows) {
        panel.orbTexts[3] = row.text;
        panel.anticipationText = row.text;
        applied = appliedPanelSettings(panel, WorkingSettings{});
        EXPECT_EQ(applied.orbs[3], row.orb) << row.text;
        EXPECT_EQ(applied.anticipation, row.orb) << row.text;
    }

    // The switches the panel does not show stay as they were; the fifth
    // wheel swatch is the band.
    WorkingSettings base;
    base.showAsc = base.showFok = true;
    panel.wheelColors = {1, 2, 3, 4, 5};
    panel.houseSystem = 'K';
    applied = appliedPanelSettings(panel, base);
    EXPECT_TRUE(applied.showAsc && applied.showFok);
    EXPECT_EQ(applied.wheelColors, (std::array<BgrColor, 4>{1, 2, 3, 4}));
    EXPECT_EQ(applied.bandColor, 5u);
    EXPECT_EQ(applied.houseSystem, 'K');
    // Saved and loaded again, the panel shows what was applied.
    saveSetKeys(applied);
    EXPECT_EQ(storedPanelSettings(applied).orbTexts, panelSettingsOf(applied).orbTexts);
}

TEST(SettingsColour, StoredColoursAreRedInTheLowByte) {
    const struct {
        BgrColor stored;
        QColor shown;
    } rows[] = {{0x0000FF, QColor(255, 0, 0)},
                {0xFF0000, QColor(0, 0, 255)},
                {0x00FF00, QColor(0, 255, 0)},
                {0x123456, QColor(0x56, 0x34, 0x12)}};
    for (const auto& row : rows) {
        EXPECT_EQ(qColorOf(row.stored), row.shown) << row.stored;
        EXPECT_EQ(bgrOf(row.shown), row.stored) << row.stored;
    }
}

TEST_F(Settings, SwitchesNeedShowAsc) {
    SettingsStore::set(kProgramTitle, "setup", "showfok", "True");
    WorkingSettings ws;
    loadSwitches(ws);
    EXPECT_FALSE(ws.showFok);
    SettingsStore::set(kProgramTitle, "setup", "showasc", "False");
    loadSwitches(ws);
    EXPECT_TRUE(ws.showFok);
    EXPECT_FALSE(ws.showAsc);
}

// Closing the chart program saves the two switches; the store file is
// replaced only when one of them differs from what it holds.
TEST_F(Settings, SwitchesAreWrittenOnlyWhenTheyChange) {
    struct Case {
        const char* stored; // the store's file before, or nullptr for none
        bool showAsc;
        bool showFok;
        bool rewritten;
    };
    const Case cases[] = {
        {nullptr, false, false, true},
        {"[setup]\nshowasc=False\nshowfok=False\n", false, false, false},
        {"[setup]\nshowasc=True\nshowfok=True\n", true, true, false},
        {"[setup]\nshowasc=True\nshowfok=False\n", true, true, true},
        {"[setup]\nshowasc=False\nshowfok=True\n", true, true, true},
        {"[setup]\nshowfok=False\n", false, false, true},
    };
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velorin";
    const QString path = folder + "/" + kProgramTitle + ".ini";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "no store");
        QDir(folder).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(folder));
        ino_t before = 0;
        if (c.stored) {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(c.stored);
            f.close();
            struct stat st {};
            ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
            before = st.st_ino;
            // A second name keeps the old inode allocated, so a rewrite cannot
            // be handed the same number back.
            ASSERT_EQ(::link(QFile::encodeName(path).constData(),
                             QFile::encodeName(path + ".pin").constData()),
                      0);
        }
        WorkingSettings ws;
        ws.showAsc = c.showAsc;
        ws.showFok = c.showFok;
        saveSwitches(ws);
        // The store is replaced through a new file, so a rewrite shows as a
        // new inode.
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
        EXPECT_EQ(st.st_ino != before, c.rewritten);
        WorkingSettings back;
        loadSwitches(back);
        EXPECT_EQ(back.showAsc, c.showAsc);
        EXPECT_EQ(back.showFok, c.showFok);
    }
}

} // namespace

namespace {

// A store file that is a named pipe would block QSettings forever: it reads
// as the defaults and stays a pipe.
TEST_F(Settings, APipeInPlaceOfTheStoreIsNeitherReadNorReplaced) {
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velorin";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString fifo = folder + "/Velorin.ini";
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    WorkingSettings ws;
    ws.orbs.fill(1);
    EXPECT_FALSE(loadAll(ws));
    EXPECT_EQ(ws.orbs[0], 10.0f);
    EXPECT_EQ(unusableSettingsFile(kSettingsApp), fifo);
    saveSetKeys(ws);
    EXPECT_TRUE(QFileInfo(fifo).isFile() == false && QFileInfo::exists(fifo));
    EXPECT_TRUE(unusableSettingsFile(kProgramTitle).isEmpty());
}

// A store grown far past what the programs write (200,000 keys of someone
// else's) is read as the defaults with its reason, not parsed for seconds,
// and left as it is.
TEST_F(Settings, AnOversizedStoreReadsAsTheDefaultsAndStaysAsItIs) {
    const QString folder = qEnvironmentVariable("XDG_CONFIG_HOME") + "/Velorin";
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString path = folder + "/Velorin.ini";
    QByteArray bytes = "[set]\r\n0=3\r\naspcolor-0=255\r\n";
    while (bytes.size() <= kMaxSettingsFileBytes)
        bytes += "unknown-" + QByteArray::number(bytes.size()) + "=" + QByteArray(60, 'x') + "\r\n";
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }
    WorkingSettings ws;
    ws.orbs.fill(1);
    const std::optional<SettingsLoadError> broken = loadAll(ws);
    ASSERT_TRUE(broken);
    EXPECT_TRUE(broken->key.startsWith("Velorin.ini: túl nagy")) << broken->key.toStdString();
    EXPECT_EQ(ws.orbs[0], 10.0f);
    QString reason;
    EXPECT_EQ(unusableSettingsFile(kSettingsApp, &reason), path);
    EXPECT_TRUE(reason.contains("túl nagy")) << reason.toStdString();
    saveSetKeys(ws);
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll() == bytes);

    // One byte less than the limit is a store like any other.
    f.close();
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.left(kMaxSettingsFileBytes));
    f.close();
    EXPECT_TRUE(unusableSettingsFile(kSettingsApp).isEmpty());
}

} // namespace
