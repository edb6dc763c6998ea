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
        sh("umount '" + dir + "/HANG' 2>/dev/null");
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

namespace {

// Stands in for the audio tool in the checks before a recording: fails the
// check FAKE_FAIL names, with the kind of line the real one prints.
const char* const kFakeTool =
    "#!/bin/sh\n"
    "case \"$FAKE_FAIL:$*\" in\n"
    "filter:*anullsrc*) echo \"[AVFilterGraph @ 0x5] No such filter: 'zajszuro'\" >&2; exit 1;;\n"
    "input:*alsa*) echo '[alsa @ 0x5] cannot open audio device default (No such file or "
    "directory)' >&2; exit 1;;\n"
    "esac\n"
    "exit 0\n";

} // namespace

TEST_F(RecorderProgram, RefusalsSayWhyInOneLine) {
    const std::string tool = dir + "/fake-ffmpeg";
    std::ofstream(tool) << kFakeTool;
    fs::permissions(tool, fs::perms::owner_all);
    std::ofstream(dir + "/HANG/Anna.mp3") << "ID3";
    const std::string withNul("rate=44100\0junk\n", 16);
    struct Row {
        const char* name;
        std::string output; // in place of HANG/<name>
        std::string preset; // empty: the test's tone preset
        std::string env;
        std::string reason;
    } rows[] = {
        {"folder missing", dir + "/NINCS/Béla.mp3", "", "", "mappája nem létezik"},
        {"name exists", dir + "/HANG/Anna.mp3", "", "", "már létezik"},
        // Not even root may make a file here.
        {"folder not writable", "/proc/Béla.mp3", "", "", "mappája nem írható"},
        {"NUL in the preset", "", withNul, "", "1. sor (rate=44100\\x00junk): az MP3"},
        {"no audio tool", "", "", "HARDDISK_FFMPEG=" + dir + "/nincs", "ffmpeg hangeszköz"},
        {"unknown filter", "", "", "FAKE_FAIL=filter HARDDISK_FFMPEG=" + tool,
         "hangszűrő (" + dir +
             "/hangrec.hfs) vagy az MP3-kódoló nem használható: No such "
             "filter: 'zajszuro'"},
        {"no such device", "", "rate=44100\ninput=default\n",
         "FAKE_FAIL=input HARDDISK_FFMPEG=" + tool,
         "hangbemenet (default) nem nyitható meg: cannot open audio device default"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        std::ofstream(dir + "/hangrec.hdp", std::ios::binary)
            << (row.preset.empty() ? std::string("input=tone\n") : row.preset);
        const std::string out = row.output.empty() ? dir + "/HANG/Béla.mp3" : row.output;
        std::string line = startLine("x");
        line.replace(line.find(dir + "/HANG/x"), dir.size() + 7, out);
        const Result r = sh(row.env + " " + line);
        EXPECT_EQ(r.status, 1) << r.output;
        EXPECT_NE(r.output.find(row.reason), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << "not one line: " << r.output;
        EXPECT_NE(r.output.find("a felvétel nem indult el."), std::string::npos) << r.output;
        EXPECT_FALSE(fs::exists(dir + "/HANG/Béla.mp3"));
        EXPECT_EQ(sh(recorder + " -pause").status, 1) << "a recorder runs";
    }
}

TEST_F(RecorderProgram, TheRealToolRefusesAnUnknownFilterAndAMissingDevice) {
    if (!have("ffmpeg"))
        GTEST_SKIP() << "ffmpeg is not installed (scripts/install-deps installs it)";
    std::ofstream(dir + "/hangrec.hfs") << "filter=nincsilyenszuro=f=3\n";
    Result r = sh(startLine("Anna.mp3"));
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("hangszűrő"), std::string::npos) << r.output;

    std::ofstream(dir + "/hangrec.hfs") << "filter=highpass=f=80\n";
    std::ofstream(dir + "/hangrec.hdp") << "input=default\n";
    // ALSA with no card behind its default device, whatever this machine has.
    r = sh("ALSA_CONFIG_PATH=" + dir + "/nincs.conf " + startLine("Anna.mp3"));
    EXPECT_EQ(r.status, 1) << r.output;
    EXPECT_NE(r.output.find("hangbemenet"), std::string::npos) << r.output;
    EXPECT_FALSE(fs::exists(dir + "/HANG/Anna.mp3"));
}

TEST_F(RecorderProgram, StopTellsWhatHappenedAndWhereTheSoundLies) {
    if (!have("ffmpeg") || !have("pgrep"))
        GTEST_SKIP() << "ffmpeg is not installed (scripts/install-deps installs it)";
    struct Row {
        const char* name;
        bool deviceGoes;  // the capture ends under the recorder
        bool nameIsTaken; // another file takes the MP3's name meanwhile
        bool diskFills;   // the sound folder on a file system of 64 KiB
        const char* says;
        const char* soundName;
    } rows[] = {
        {"device gone", true, false, false, "idő előtt leállt", "Anna.mp3"},
        {"name taken", false, true, false, "neve közben foglalt", "Anna(2).mp3"},
        {"disk full", false, false, true, "idő előtt leállt (megtelt a lemez)", "Anna.mp3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        sh("umount '" + dir + "/HANG' 2>/dev/null");
        fs::remove_all(dir + "/HANG");
        fs::create_directories(dir + "/HANG");
        if (row.diskFills &&
            sh("mount -t tmpfs -o size=64k tmpfs '" + dir + "/HANG' 2>/dev/null").status != 0) {
            std::printf("(no small file system can be mounted here: disk full not tried)\n");
            continue;
        }
        Result r = sh(startLine("Anna.mp3"));
        ASSERT_EQ(r.status, 0) << r.output;
        std::this_thread::sleep_for(1s);
        if (row.deviceGoes) {
            std::ifstream state(dir + "/run/state");
            std::string pidLine;
            std::getline(state, pidLine);
            const std::string pid = pidLine.substr(pidLine.find('=') + 1);
            ASSERT_EQ(sh("pkill -KILL -P " + pid + " -f pipe:1").status, 0);
            for (int i = 0; i < 100 && sh(recorder + " -pause").status == 0; ++i)
                std::this_thread::sleep_for(50ms);
        }
        if (row.nameIsTaken)
            std::ofstream(dir + "/HANG/Anna.mp3") << "someone else's";
        r = sh(recorder + " -stop");
        EXPECT_EQ(r.status, 1) << r.output;
        const std::string sound = dir + "/HANG/" + row.soundName;
        EXPECT_NE(r.output.find(row.says), std::string::npos) << r.output;
        EXPECT_NE(r.output.find(sound), std::string::npos) << r.output;
        EXPECT_EQ(r.output.find('\n'), r.output.size() - 1) << "not one line: " << r.output;
        r = sh("ffmpeg -v error -i '" + sound + "' -f null -");
        EXPECT_EQ(r.status, 0) << "does not decode: " << r.output;
        EXPECT_EQ(sh(recorder + " -quit").status, 0);
    }
}
