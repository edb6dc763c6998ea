#include "commands.h"

#include "controller.h"
#include "processes.h"
#include "recordersettings.h"
#include "runtime.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/signalfd.h>
#include <thread>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace harddisk {
namespace {

class AudioToolLauncher : public Launcher {
public:
    AudioToolLauncher(std::string tool, Preset preset, std::string filter, Runtime rt, int logFd)
        : m_tool(std::move(tool)), m_preset(std::move(preset)), m_filter(std::move(filter)),
          m_rt(std::move(rt)), m_logFd(logFd) {}
    pid_t startCapture(int out) override {
        return spawn(m_tool, captureArguments(m_preset), -1, out, m_logFd);
    }
    pid_t startEncoder(int in, int errors, const std::string& file) override {
        return spawn(m_tool, encodeArguments(m_preset, m_filter, file), in, -1, errors);
    }
    std::string logFile() const override { return m_rt.logFile(); }

private:
    std::string m_tool;
    Preset m_preset;
    std::string m_filter;
    Runtime m_rt;
    int m_logFd;
};

// Reads a settings file, writing the default first when it is missing.
bool settingsText(const std::string& path, const std::string& defaults, std::string& text,
                  std::string* error) {
    if (!fs::exists(path) && !writeText(path, defaults)) {
        *error = "a beállítófájl nem írható: " + path;
        return false;
    }
    if (!readText(path, text)) {
        *error = "a beállítófájl nem olvasható: " + path;
        return false;
    }
    return true;
}

// Whether a new file can be made in folder: tried, not guessed from the
// permission bits (a read-only mount or a full quota says no as well).
bool folderWritable(const fs::path& folder, std::string* why) {
    const std::string probe = (folder / (".harddisk-" + std::to_string(::getpid()))).string();
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        *why = std::strerror(errno);
        return false;
    }
    ::close(fd);
    std::remove(probe.c_str());
    return true;
}

// The quick checks of -record; empty when all pass.
std::string refusal(const fs::path& out, const std::string& presetPath,
                    const std::string& filterPath, Preset& preset, std::string& filter,
                    std::string& tool) {
    std::error_code ec;
    const fs::path folder = out.parent_path();
    if (!fs::is_directory(folder, ec))
        return "a felvétel mappája nem létezik: " + folder.string();
    if (fs::exists(out, ec))
        return "már létezik ilyen nevű felvétel, nem írom felül: " + out.string();
    std::string why;
    if (!folderWritable(folder, &why))
        return "a felvétel mappája nem írható: " + folder.string() + " (" + why + ")";

    std::string text;
    if (!settingsText(presetPath, defaultPresetText(), text, &why))
        return why;
    if (!parsePreset(text, preset, &why))
        return "hibás beállítás (" + presetPath + ") " + why;
    if (!settingsText(filterPath, defaultFilterText(), text, &why))
        return why;
    if (!parseFilter(text, filter, &why))
        return "hibás szűrőbeállítás (" + filterPath + ") " + why;

    tool = findAudioTool();
    if (tool.empty())
        return "az ffmpeg hangeszköz nem található (Debian: apt-get install ffmpeg)";
    return {};
}

// The checks that run the audio tool: whether the filter chain and the encoder
// work and the input opens. Empty when they do.
std::string toolRefusal(const std::string& tool, const Preset& preset, const std::string& filter,
                        const std::string& filterPath) {
    Finished check = runToEnd(tool, encoderCheckArguments(preset, filter), 20s);
    if (check.status != 0)
        return "a hangszűrő (" + filterPath +
               ") vagy az MP3-kódoló nem használható: " + firstComplaint(check.errors);
    check = runToEnd(tool, inputCheckArguments(preset), 20s);
    if (check.status != 0)
        return "a hangbemenet (" + preset.input +
               ") nem nyitható meg: " + firstComplaint(check.errors);
    return {};
}

// A state whose recording ended by itself, not by -stop.
bool endedEarly(const State& s) {
    const auto status = s.find("status");
    return status != s.end() && status->second == kInterrupted;
}

// The line for a controller that died without a word (killed): where its
// sound may lie.
std::string lostController(const State& s) {
    const auto partial = s.find("partial");
    std::error_code ec;
    if (partial != s.end() && fs::file_size(partial->second, ec) > 0 && !ec)
        return "A felvevő váratlanul leállt; az addig felvett hang itt van: " + partial->second;
    return {};
}

} // namespace

int fail(const std::string& message, int status) {
    const std::string line = "harddisk: " + oneLine(message) + "\n";
    std::fwrite(line.data(), 1, line.size(), stderr);
    return status;
}

int record(const std::string& output, const std::string& presetPath,
           const std::string& filterPath) {
    const std::string notStarted = "; a felvétel nem indult el.";
    if (output.empty() || output.find('\n') != std::string::npos)
        return fail("hiányzó vagy hibás -output" + notStarted, 2);
    const fs::path out = fs::absolute(output);

    Preset preset;
    std::string filter, tool;
    if (const std::string why = refusal(out, presetPath, filterPath, preset, filter, tool);
        !why.empty())
        return fail(why + notStarted);

    const Runtime rt = defaultRuntime();
    std::string error;
    if (!prepareRuntimeFolder(rt.folder, &error))
        return fail(error + notStarted);
    const int lock = openLock(rt);
    if (lock < 0)
        return fail("a zárfájl nem nyitható meg: " + rt.lockFile() + " (" + std::strerror(errno) +
                    ")" + notStarted);
    if (::flock(lock, LOCK_EX | LOCK_NB) != 0) {
        const State s = readState(rt);
        const auto it = s.find("output");
        return fail("már folyik egy felvétel" +
                    (it != s.end() ? " (" + it->second + ")" : std::string()) +
                    ", az új nem indult el.");
    }
    // Only now, with the lock held: a second -record is refused at once.
    if (const std::string why = toolRefusal(tool, preset, filter, filterPath); !why.empty())
        return fail(why + notStarted);
    // Left by an earlier recording: no command may take its pid for ours, nor
    // its ending for this one's.
    std::remove(rt.stateFile().c_str());

    int ready[2];
    if (::pipe2(ready, O_CLOEXEC) != 0)
        return fail(std::string("belső hiba: ") + std::strerror(errno) + notStarted);
    const pid_t child = ::fork();
    if (child < 0)
        return fail(std::string("belső hiba: ") + std::strerror(errno) + notStarted);
    if (child > 0) {
        // Wait for the controller's word: "OK" once sound is being written.
        ::close(ready[1]);
        ::close(lock);
        std::string reply;
        char buf[512];
        ssize_t n;
        bool heard = false;
        while ((n = ::read(ready[0], buf, sizeof buf)) != 0) {
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                break;
            heard = true;
            reply.append(buf, std::size_t(n));
        }
        if (!heard)
            return fail("a felvevő folyamat váratlanul leállt" + notStarted);
        if (reply != "OK")
            return fail(reply + notStarted);
        return 0;
    }

    // The controller: its own session, no terminal, signals taken one by one.
    ::close(ready[0]);
    ::setsid();
    sigset_t signals;
    sigemptyset(&signals);
    for (const int s : {SIGUSR1, SIGUSR2, SIGTERM, SIGINT, SIGHUP, SIGCHLD})
        sigaddset(&signals, s);
    ::sigprocmask(SIG_BLOCK, &signals, nullptr);
    const int logFd = ::open(rt.logFile().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    const int devNull = ::open("/dev/null", O_RDWR);
    for (int fd = 0; fd < 3; ++fd)
        ::dup2(fd == 0 || logFd < 0 ? devNull : logFd, fd);

    const int log = logFd < 0 ? devNull : logFd;
    AudioToolLauncher launcher(tool, preset, filter, rt, log);
    Controller controller(rt, launcher, out.string(), log);
    const int signalFd = ::signalfd(-1, &signals, SFD_CLOEXEC);
    const bool started = signalFd >= 0 && controller.begin(&error);
    if (signalFd < 0)
        error = std::string("belső hiba: ") + std::strerror(errno);
    const std::string word = started ? "OK" : error;
    [[maybe_unused]] const auto w = ::write(ready[1], word.data(), word.size());
    ::close(ready[1]);
    if (!started) {
        std::remove(rt.stateFile().c_str());
        return 1;
    }
    // The final state stays: -stop, and the chart program, read how it ended.
    return controller.run(signalFd);
}

int command(Command which) {
    const Runtime rt = defaultRuntime();
    const bool ending = which == Command::Stop || which == Command::Quit;
    const auto nothingRuns = [&]() {
        if (which == Command::Quit)
            return 0;
        const State s = readState(rt);
        // A recording that ended by itself is told at the next command.
        if (endedEarly(s) && s.count("message"))
            return fail(s.at("message"));
        if (const std::string lost = lostController(s);
            !lost.empty() && s.count("status") && s.at("status") != kStopped)
            return fail(lost);
        return fail("nincs folyamatban felvétel.");
    };
    if (!controllerRunning(rt))
        return nothingRuns();
    // A recording that is still starting has its lock but no state yet: a
    // pause clicked at once must wait for it, not get lost.
    State before = readState(rt);
    for (int i = 0; i < 750 && !before.count("seq") && controllerRunning(rt); ++i) {
        std::this_thread::sleep_for(20ms);
        before = readState(rt);
    }
    if (!before.count("seq") && !controllerRunning(rt))
        return nothingRuns();
    const auto pidText = before.find("pid");
    const pid_t pid = pidText != before.end() ? pid_t(std::atol(pidText->second.c_str())) : 0;
    if (pid <= 0)
        return fail("a felvevő állapota nem olvasható: " + rt.stateFile());
    const std::string status = before.count("status") ? before.at("status") : "";
    if (which == Command::Pause && status == kPaused)
        return fail("a felvétel már szünetel.", 0);
    if (which == Command::Resume && status == kRecording)
        return fail("a felvétel már folyik.", 0);

    const int sig = which == Command::Pause    ? SIGUSR1
                    : which == Command::Resume ? SIGUSR2
                                               : SIGTERM;
    if (::kill(pid, sig) != 0)
        return fail(std::string("a felvevő nem érhető el: ") + std::strerror(errno));
    const auto limit = std::chrono::steady_clock::now() + (ending ? 15min : 20s);
    while (std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(20ms);
        if (!controllerRunning(rt)) {
            if (!ending)
                return fail("a felvevő leállt; részletek: " + rt.logFile());
            const State after = readState(rt);
            if (after.count("status") && after.at("status") == kStopped)
                return 0;
            if (after.count("message"))
                return fail(after.at("message"));
            const std::string lost = lostController(after);
            return fail(lost.empty() ? "a felvevő leállt; részletek: " + rt.logFile() : lost);
        }
        if (!ending && readState(rt)["seq"] != before.at("seq"))
            return 0;
    }
    return fail("a felvevő nem válaszolt időben.");
}

} // namespace harddisk
