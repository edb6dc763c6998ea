// The recording loop against stand-ins for the capture and the encoder (small
// shell commands), so that every way a recording can end is tried without an
// audio tool or a sound device: what the state file then says, and where the
// sound lies.

#include "recorder/controller.h"
#include "recorder/processes.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/signalfd.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace harddisk;

namespace {

// Sound without end, in small steps, as a device gives it.
const char* const kEndless = "while :; do head -c 4000 /dev/zero || exit; sleep 0.02; done";
// A device that goes away after some 0.6 s of sound.
const char* const kGoesAway = "i=0; while [ $i -lt 30 ]; do head -c 4000 /dev/zero; "
                              "sleep 0.02; i=$((i+1)); done";
const char* const kSilent = "exit 1";
const char* const kEncoder = "cat > \"$1\"";
// Writes some 0.5 s of sound and fails, as on a disk that fills.
const char* const kEncoderFills = "head -c 40000 > \"$1\"; exit 1";
// Goes on after a failed write, as the audio tool does, and only says so.
const char* const kEncoderComplains =
    "(sleep 0.4; echo '[mp3 @ 0x5] Error writing: No space left on device' >&2) & "
    "exec cat > \"$1\"";
const char* const kEncoderRefuses = "echo 'No such filter' >&2; exit 1";

class ShellLauncher : public Launcher {
public:
    ShellLauncher(std::string capture, std::string encoder)
        : m_capture(std::move(capture)), m_encoder(std::move(encoder)) {}
    pid_t startCapture(int out) override { return spawn("/bin/sh", {"-c", m_capture}, -1, out, 2); }
    pid_t startEncoder(int in, int errors, const std::string& file) override {
        return spawn("/bin/sh", {"-c", m_encoder, "sh", file}, in, -1, errors);
    }
    std::string logFile() const override { return "/tmp/harddisk.log"; }

private:
    std::string m_capture, m_encoder;
};

class ControllerTest : public ::testing::Test {
protected:
    void SetUp() override {
        // As in the recorder: an encoder gone must not end the controller.
        std::signal(SIGPIPE, SIG_IGN);
        char pattern[] = "/tmp/harddisk-loop-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
        rt.folder = dir;
        output = dir + "/Kiss Anna.mp3";
        ASSERT_EQ(::pipe(commands), 0);
    }
    void TearDown() override {
        ::close(commands[0]);
        ::close(commands[1]);
        fs::remove_all(dir);
    }
    void send(int sig) {
        signalfd_siginfo info{};
        info.ssi_signo = std::uint32_t(sig);
        ASSERT_EQ(::write(commands[1], &info, sizeof info), ssize_t(sizeof info));
    }
    std::size_t bytes(const std::string& path) {
        std::error_code ec;
        const auto n = fs::file_size(path, ec);
        return ec ? 0 : std::size_t(n);
    }
    std::string dir;
    Runtime rt;
    std::string output;
    int commands[2] = {-1, -1};
};

} // namespace

TEST_F(ControllerTest, NothingStartsWithoutSoundReachingALiveEncoder) {
    struct Row {
        const char* capture;
        const char* encoder;
        const char* reason;
    } rows[] = {
        {kSilent, kEncoder, "nincs ilyen eszköz"},
        {kEndless, kEncoderRefuses, "hangkódoló nem tudott írni"},
    };
    for (const Row& row : rows) {
        ShellLauncher launcher(row.capture, row.encoder);
        Controller c(rt, launcher, output, 2);
        std::string error;
        EXPECT_FALSE(c.begin(&error)) << row.capture;
        EXPECT_NE(error.find(row.reason), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(output));
        EXPECT_FALSE(fs::exists(partialName(output))) << "a stale hidden file blocks the next try";
    }
}

TEST_F(ControllerTest, EveryEndingSaysWhereTheSoundLies) {
    struct Row {
        const char* name;
        const char* capture;
        const char* encoder;
        bool takeTheName; // another file takes the MP3's name meanwhile
        bool stopAsked;
        int exitStatus;
        const char* status;
        const char* messagePart;
        const char* soundName; // in dir
    } rows[] = {
        {"stopped", kEndless, kEncoder, false, true, 0, kStopped, "elkészült", "Kiss Anna.mp3"},
        {"device gone", kGoesAway, kEncoder, false, false, 1, kInterrupted,
         "idő előtt leállt (a hangbemenet elhallgatott", "Kiss Anna.mp3"},
        {"encoder fails", kEndless, kEncoderFills, false, false, 1, kInterrupted,
         "idő előtt leállt", "Kiss Anna.mp3"},
        {"encoder complains", kEndless, kEncoderComplains, false, false, 1, kInterrupted,
         "No space left on device); az addig felvett hang itt van", "Kiss Anna.mp3"},
        {"name taken", kEndless, kEncoder, true, true, 1, kInterrupted, "neve közben foglalt",
         "Kiss Anna(2).mp3"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        for (const auto& e : fs::directory_iterator(dir))
            fs::remove(e.path());
        ShellLauncher launcher(row.capture, row.encoder);
        Controller c(rt, launcher, output, 2);
        std::string error;
        ASSERT_TRUE(c.begin(&error)) << error;
        EXPECT_EQ(readState(rt)["status"], kRecording);
        if (row.takeTheName)
            std::ofstream(output) << "someone else's";
        if (row.stopAsked) {
            ::usleep(300000);
            send(SIGTERM);
        }
        EXPECT_EQ(c.run(commands[0]), row.exitStatus);

        State s = readState(rt);
        EXPECT_EQ(s["status"], row.status);
        const std::string sound = dir + "/" + row.soundName;
        EXPECT_EQ(s["sound"], sound);
        EXPECT_NE(s["message"].find(row.messagePart), std::string::npos) << s["message"];
        if (row.status != std::string(kStopped)) {
            EXPECT_NE(s["message"].find(sound), std::string::npos) << s["message"];
        }
        EXPECT_GT(bytes(sound), 4000u);
        EXPECT_FALSE(fs::exists(partialName(output)));
        if (row.takeTheName) {
            EXPECT_EQ(bytes(output), 14u) << "the other file was touched";
        }
    }
}

TEST_F(ControllerTest, PausedSoundIsDropped) {
    ShellLauncher launcher(kEndless, kEncoder);
    Controller c(rt, launcher, output, 2);
    std::string error;
    ASSERT_TRUE(c.begin(&error)) << error;
    send(SIGUSR1);
    send(SIGTERM); // read after the pause: nothing more reaches the encoder
    const std::size_t before = bytes(partialName(output));
    EXPECT_EQ(c.run(commands[0]), 0);
    EXPECT_EQ(readState(rt)["status"], kStopped);
    // What the encoder took during the start, and not a step of sound more.
    EXPECT_LE(bytes(output), before + 4000 * 2);
}
