#include "recorder/recordersettings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <signal.h>
#include <thread>

namespace fs = std::filesystem;
using namespace harddisk;
using namespace std::chrono_literals;

TEST(RecorderSettings, PresetLines) {
    struct Row {
        const char* text;
        bool ok;
        const char* errorPart; // when refused
    };
    const Row rows[] = {
        {"rate=22050\nchannels=2\nbitrate=64\ninput=tone\n", true, ""},
        {"# comment\n\n  rate = 48000  \r\n", true, ""},
        {"rate=44000\n", false, "1. sor"},
        {"channels=3\n", false, "csatornák"},
        {"bitrate=999\n", false, "bitráta"},
        {"bitrate=96k\n", false, "bitráta"},
        {"input=mic\n", false, "bemenet"},
        {"rate=44100\nspeed=2\n", false, "2. sor (speed=2): ismeretlen kulcs"},
        {"rate\n", false, "\"=\""},
    };
    for (const Row& row : rows) {
        Preset p;
        p.rate = 1;
        std::string error;
        EXPECT_EQ(parsePreset(row.text, p, &error), row.ok) << row.text;
        if (row.ok)
            EXPECT_NE(p.rate, 1) << row.text;
        else
            EXPECT_NE(error.find(row.errorPart), std::string::npos) << row.text << " -> " << error;
    }
}

TEST(RecorderSettings, DefaultsReadBack) {
    Preset p;
    ASSERT_TRUE(parsePreset(defaultPresetText(), p, nullptr));
    EXPECT_EQ(p.rate, 44100);
    EXPECT_EQ(p.channels, 1);
    EXPECT_EQ(p.bitrate, 96);
    EXPECT_EQ(p.input, "default");
    std::string chain = "x";
    ASSERT_TRUE(parseFilter(defaultFilterText(), chain, nullptr));
    EXPECT_EQ(chain, "highpass=f=80"); // a value may hold "=" itself
    ASSERT_TRUE(parseFilter("# none\n", chain, nullptr));
    EXPECT_EQ(chain, "");
}

namespace {

struct Result {
    int status;
    std::string output;
};

// Runs a shell command line, with standard error folded into the output.
Result sh(const std::string& command) {
    std::string out;
    FILE* p = ::popen((command + " 2>&1").c_str(), "r");
    if (!p)
        return {-1, {}};
    char buf[256];
    while (std::fgets(buf, sizeof buf, p))
        out += buf;
    const int status = ::pclose(p);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
}

bool have(const char* tool) {
    return sh(std::string("command -v ") + tool).status == 0;
}

class RecorderProgram : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/harddisk-test-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
        fs::create_directories(dir + "/HANG");
        ::setenv("HARDDISK_RUNTIME_DIR", (dir + "/run").c_str(), 1);
        std::ofstream(dir + "/hangrec.hdp") << "rate=44100\nchannels=1\nbitrate=96\ninput=tone\n";
    }
    void TearDown() override {
        sh(recorder + " -quit");
        fs::remove_all(dir);
    }
    // The command line of start.sh, with the folders of this test.
    std::string startLine(const std::string& name) const {
        return recorder + " -output \"" + dir + "/HANG/" + name + "\" -preset \"" + dir +
               "/hangrec.hdp\" -filter \"" + dir + "/hangrec.hfs\" -record -minimize";
    }
    std::string dir;
    const std::string recorder = HARDDISK_PATH;
};

} // namespace

TEST_F(RecorderProgram, RefusesWhatItCannotRecord) {
    std::ofstream(dir + "/HANG/Anna.mp3") << "ID3";
    Result r = sh(startLine("Anna.mp3"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("már létezik"), std::string::npos) << r.output;

    std::ofstream(dir + "/hangrec.hdp") << "rate=44100\nchannels=5\n";
    r = sh(startLine("Béla.mp3"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("2. sor"), std::string::npos) << r.output;
    EXPECT_FALSE(fs::exists(dir + "/HANG/Béla.mp3"));

    EXPECT_EQ(sh(recorder + " -pause").status, 1);
    EXPECT_EQ(sh(recorder + " -quit").status, 0); // nothing to end
    EXPECT_EQ(sh(recorder + " -record -bogus").status, 2);
}

TEST_F(RecorderProgram, PausedTimeStaysOutOfTheFile) {
    if (!have("ffmpeg") || !have("ffprobe"))
        GTEST_SKIP() << "ffmpeg is not installed (scripts/install-deps installs it)";
    const std::string mp3 = dir + "/HANG/Kiss Anna.mp3";
    Result r = sh(startLine("Kiss Anna.mp3"));
    ASSERT_EQ(r.status, 0) << r.output;
    EXPECT_TRUE(fs::exists(dir + "/hangrec.hfs")); // written with its default

    r = sh(startLine("Other.mp3"));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.output.find("már folyik egy felvétel"), std::string::npos) << r.output;

    std::ifstream state(dir + "/run/state");
    std::string pidLine;
    std::getline(state, pidLine);
    const pid_t pid = std::atoi(pidLine.substr(pidLine.find('=') + 1).c_str());
    ASSERT_GT(pid, 0);

    std::this_thread::sleep_for(2s);
    ASSERT_EQ(sh(recorder + " -pause").status, 0);
    r = sh(recorder + " -pause");
    EXPECT_NE(r.output.find("már szünetel"), std::string::npos) << r.output;
    std::this_thread::sleep_for(1500ms);
    ASSERT_EQ(sh(recorder + " -resume").status, 0);
    std::this_thread::sleep_for(1s);
    // stop.sh: both lines, in order.
    r = sh(recorder + " -stop; " + recorder + " -quit");
    ASSERT_EQ(r.status, 0) << r.output;

    r = sh("ffprobe -v error -show_entries format=duration -of csv=p=0 '" + mp3 + "'");
    ASSERT_EQ(r.status, 0) << r.output;
    const double seconds = std::atof(r.output.c_str());
    EXPECT_GT(seconds, 2.6);
    EXPECT_LT(seconds, 3.7) << "the pause of 1.5 s reached the file";
    r = sh("ffmpeg -v error -i '" + mp3 + "' -f null -");
    EXPECT_EQ(r.status, 0) << "does not decode: " << r.output;

    // Only the MP3 is left in the folder, and no recorder runs.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir + "/HANG"), fs::directory_iterator()), 1);
    for (int i = 0; i < 100 && ::kill(pid, 0) == 0; ++i) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string pidField, name, st;
        stat >> pidField >> name >> st;
        if (st == "Z")
            break; // ended, waiting for its reaper
        std::this_thread::sleep_for(50ms);
    }
    EXPECT_NE(sh("ps -o stat= -p " + std::to_string(pid) + " | grep -v Z").status, 0)
        << "the recorder is still running";
    EXPECT_EQ(sh(recorder + " -pause").status, 1);
}
