// harddisk: the consultation recorder beside the chart program.
//
//   harddisk -output FILE.mp3 -preset FILE -filter FILE -record [-minimize]
//   harddisk -pause | -resume | -stop | -quit
//
// -record starts a controller process in the background and returns once sound
// is being written. The controller passes raw samples from one ffmpeg that
// captures the input to a second one that encodes the MP3; while paused it
// drops them, so paused time never reaches the file and the MP3 is one
// unbroken stream. The file is written under a hidden name beside the target
// and gets its name when the recording stops. The controller holds a lock in
// its runtime folder for as long as it lives, which is how the other commands
// (and a second -record) find it.

#include "recordersettings.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <string>
#include <sys/file.h>
#include <sys/signalfd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace harddisk {
namespace {

int fail(const std::string& message, int status = 1) {
    std::fprintf(stderr, "harddisk: %s\n", message.c_str());
    return status;
}

// ---------------------------------------------------------------- files

bool readText(const std::string& path, std::string& out, std::size_t limit = 1 << 16) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || std::size_t(st.st_size) > limit)
        return false;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return bool(in) || in.eof();
}

// Through a temporary file renamed over the target.
bool writeText(const std::string& path, const std::string& text) {
    const std::string tmp = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            std::remove(tmp.c_str());
            return false;
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- runtime folder

std::string runtimeFolder() {
    if (const char* d = std::getenv("HARDDISK_RUNTIME_DIR"); d && *d)
        return d;
    if (const char* d = std::getenv("XDG_RUNTIME_DIR"); d && *d)
        return std::string(d) + "/velorin-harddisk";
    return "/tmp/velorin-harddisk-" + std::to_string(::getuid());
}

// Made private to this user; a folder of someone else's is refused.
bool prepareRuntimeFolder(const std::string& folder, std::string* error) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        *error = "a futási mappa nem hozható létre: " + folder + " (" + std::strerror(errno) + ")";
        return false;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) {
        *error = "a futási mappa nem a felhasználóé vagy nem mappa: " + folder;
        return false;
    }
    return true;
}

struct Runtime {
    std::string folder;
    std::string lockFile() const { return folder + "/lock"; }
    std::string stateFile() const { return folder + "/state"; }
    std::string logFile() const { return folder + "/harddisk.log"; }
};

// The lock on the runtime folder; held by the controller for its whole life.
int openLock(const Runtime& rt) {
    return ::open(rt.lockFile().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

bool controllerRunning(const Runtime& rt) {
    const int fd = openLock(rt);
    if (fd < 0)
        return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd); // releases what we just took
    return !free;
}

using State = std::map<std::string, std::string>;

State readState(const Runtime& rt) {
    State s;
    std::string text;
    if (!readText(rt.stateFile(), text))
        return s;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos)
            s[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return s;
}

// ---------------------------------------------------------------- processes

std::string findProgram(const std::string& name) {
    if (const char* p = std::getenv("HARDDISK_FFMPEG"); p && *p)
        return p;
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/" + name;
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// Starts program with args, its standard input and output on the given
// descriptors (-1: /dev/null and the log). The child starts with no blocked
// signals, whatever the controller blocks.
pid_t spawn(const std::string& program, const std::vector<std::string>& args, int in, int out,
            int logFd) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    if (in >= 0)
        posix_spawn_file_actions_adddup2(&files, in, 0);
    else
        posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&files, out >= 0 ? out : logFd, 1);
    posix_spawn_file_actions_adddup2(&files, logFd, 2);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &files, &attr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attr);
    return pid;
}

// Waits for pid up to limit; -1 when it is still running.
int waitFor(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (r < 0)
            return 127;
        if (std::chrono::steady_clock::now() >= end)
            return -1;
        std::this_thread::sleep_for(20ms);
    }
}

// Asks a child to finish (ffmpeg completes its file on an interrupt) and
// kills one that hangs.
void endChild(pid_t& pid, std::chrono::milliseconds patience) {
    if (pid <= 0)
        return;
    ::kill(pid, SIGINT);
    if (waitFor(pid, patience) < 0) {
        ::kill(pid, SIGKILL);
        waitFor(pid, 5s);
    }
    pid = -1;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

// ---------------------------------------------------------------- the controller

class Controller {
public:
    Controller(Runtime rt, std::string ffmpeg, Preset preset, std::string filter,
               std::string output, int logFd)
        : m_rt(std::move(rt)), m_ffmpeg(std::move(ffmpeg)), m_preset(std::move(preset)),
          m_filter(std::move(filter)), m_output(std::move(output)), m_logFd(logFd) {
        const fs::path out(m_output);
        m_partial = (out.parent_path() / ("." + out.filename().string() + ".felvetel")).string();
    }

    // Starts capture and encoder and waits for the first sound; false with the
    // reason when nothing can be recorded.
    bool begin(std::string* error) {
        if (fs::exists(m_partial)) {
            *error = "egy félbemaradt felvétel fájlja útban van: " + m_partial;
            return false;
        }
        int toEncoder[2], fromCapture[2];
        if (::pipe2(toEncoder, O_CLOEXEC) != 0 || ::pipe2(fromCapture, O_CLOEXEC) != 0) {
            *error = std::string("belső hiba: ") + std::strerror(errno);
            return false;
        }
        m_encoderPid = spawn(m_ffmpeg, encodeArguments(m_preset, m_filter, m_partial), toEncoder[0],
                             -1, m_logFd);
        m_capturePid = spawn(m_ffmpeg, captureArguments(m_preset), -1, fromCapture[1], m_logFd);
        ::close(toEncoder[0]);
        ::close(fromCapture[1]);
        m_toEncoder = toEncoder[1];
        m_fromCapture = fromCapture[0];
        if (m_encoderPid < 0 || m_capturePid < 0) {
            *error = "az ffmpeg nem indítható: " + m_ffmpeg;
            abandon();
            return false;
        }
        // A missing sound device shows as a capture that ends without sound.
        pollfd p{m_fromCapture, POLLIN, 0};
        if (::poll(&p, 1, 10000) <= 0 || !pump()) {
            *error = "az ffmpeg nem tudott felvenni; részletek: " + m_rt.logFile();
            abandon();
            return false;
        }
        writeState("recording");
        return true;
    }

    // Passes sound and handles commands until the recording is finished;
    // returns the exit status.
    int run(int signals) {
        for (;;) {
            pollfd p[2] = {{signals, POLLIN, 0}, {m_fromCapture, POLLIN, 0}};
            if (::poll(p, 2, -1) < 0)
                continue;
            if (p[1].revents) {
                if (!pump()) {
                    log("a felvétel váratlanul megszakadt; az eddigi hang mentve");
                    return finish() ? 1 : 2;
                }
            }
            if (!(p[0].revents & POLLIN))
                continue;
            signalfd_siginfo info{};
            if (::read(signals, &info, sizeof info) != ssize_t(sizeof info))
                continue;
            const int sig = int(info.ssi_signo);
            if (sig == SIGUSR1) {
                m_paused = true;
                writeState("paused");
            } else if (sig == SIGUSR2) {
                m_paused = false;
                writeState("recording");
            } else if (sig == SIGCHLD) {
                if (m_encoderPid > 0 && waitFor(m_encoderPid, 0ms) >= 0) {
                    m_encoderPid = -1;
                    log("a kódoló váratlanul leállt");
                    return finish() ? 1 : 2;
                }
            } else { // SIGTERM, SIGINT, SIGHUP: stop
                writeState("stopping");
                return finish() ? 0 : 2;
            }
        }
    }

private:
    // Moves what the capture has ready to the encoder, or drops it while
    // paused; false when the capture or the encoder has ended.
    bool pump() {
        char buf[1 << 15];
        ssize_t n;
        do
            n = ::read(m_fromCapture, buf, sizeof buf);
        while (n < 0 && errno == EINTR);
        if (n <= 0)
            return false;
        return m_paused || writeAll(m_toEncoder, buf, std::size_t(n));
    }

    void closeFds() {
        for (int* fd : {&m_toEncoder, &m_fromCapture})
            if (*fd >= 0) {
                ::close(*fd);
                *fd = -1;
            }
    }

    void abandon() {
        endChild(m_capturePid, 2s);
        closeFds();
        endChild(m_encoderPid, 2s);
        std::remove(m_partial.c_str());
    }

    // Ends the capture, lets the encoder complete the MP3 and gives it its
    // name. On failure the sound stays in the hidden file, never lost.
    bool finish() {
        endChild(m_capturePid, 5s);
        closeFds(); // the encoder's end of input
        const int status = m_encoderPid > 0 ? waitFor(m_encoderPid, 60s) : 0;
        if (status < 0)
            endChild(m_encoderPid, 5s);
        m_encoderPid = -1;
        std::error_code ec;
        if (fs::file_size(m_partial, ec) == 0 || ec) {
            std::remove(m_partial.c_str());
            log("nem készült hang, " + m_output + " nem jött létre");
            return status == 0;
        }
        // A link never replaces a file that appeared meanwhile.
        if (::link(m_partial.c_str(), m_output.c_str()) != 0) {
            log("a felvétel nem menthető ide: " + m_output + " (" + std::strerror(errno) +
                "); a hang itt maradt: " + m_partial);
            return false;
        }
        std::remove(m_partial.c_str());
        return status == 0;
    }

    void writeState(const std::string& status) {
        ++m_seq;
        writeText(m_rt.stateFile(), "pid=" + std::to_string(::getpid()) +
                                        "\nseq=" + std::to_string(m_seq) + "\nstatus=" + status +
                                        "\noutput=" + m_output + "\n");
    }

    void log(const std::string& line) {
        const std::string text = "harddisk: " + line + "\n";
        [[maybe_unused]] const auto n = ::write(m_logFd, text.data(), text.size());
    }

    Runtime m_rt;
    std::string m_ffmpeg;
    Preset m_preset;
    std::string m_filter;
    std::string m_output;
    std::string m_partial;
    int m_logFd;
    pid_t m_capturePid = -1;
    pid_t m_encoderPid = -1;
    int m_toEncoder = -1;
    int m_fromCapture = -1;
    bool m_paused = false;
    long m_seq = 0;
};

// ---------------------------------------------------------------- -record

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

int record(const std::string& output, const std::string& presetPath,
           const std::string& filterPath) {
    const std::string notStarted = "; a felvétel nem indult el.";
    if (output.empty() || output.find('\n') != std::string::npos)
        return fail("hiányzó vagy hibás -output" + notStarted, 2);
    const fs::path out = fs::absolute(output);
    std::error_code ec;
    if (!fs::is_directory(out.parent_path(), ec))
        return fail("a felvétel mappája nem létezik: " + out.parent_path().string() + notStarted);
    if (fs::exists(out, ec))
        return fail("már létezik ilyen nevű felvétel, nem írom felül: " + out.string() +
                    notStarted);

    std::string text, error, filter;
    Preset preset;
    if (!settingsText(presetPath, defaultPresetText(), text, &error))
        return fail(error + notStarted);
    if (!parsePreset(text, preset, &error))
        return fail("hibás beállítás (" + presetPath + ") " + error + notStarted);
    if (!settingsText(filterPath, defaultFilterText(), text, &error))
        return fail(error + notStarted);
    if (!parseFilter(text, filter, &error))
        return fail("hibás szűrőbeállítás (" + filterPath + ") " + error + notStarted);

    const std::string ffmpeg = findProgram("ffmpeg");
    if (ffmpeg.empty())
        return fail("az ffmpeg hangeszköz nem található (Debian: apt-get install ffmpeg)" +
                    notStarted);

    Runtime rt{runtimeFolder()};
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
    // Left by a recorder that was killed: no command may take its pid for ours.
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

    Controller controller(rt, ffmpeg, preset, filter, out.string(), logFd < 0 ? devNull : logFd);
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
    const int status = controller.run(signalFd);
    std::remove(rt.stateFile().c_str());
    return status;
}

// ---------------------------------------------------------------- the other commands

// Sends sig to the running controller and waits until it has acted.
int command(int sig, const std::string& want) {
    const Runtime rt{runtimeFolder()};
    if (!controllerRunning(rt))
        return want == "quit" ? 0 : fail("nincs folyamatban felvétel.");
    // A recording that is still starting has its lock but no state yet: a
    // pause clicked at once must wait for it, not get lost.
    State before = readState(rt);
    for (int i = 0; i < 750 && !before.count("seq") && controllerRunning(rt); ++i) {
        std::this_thread::sleep_for(20ms);
        before = readState(rt);
    }
    if (!before.count("seq") && !controllerRunning(rt))
        return want == "quit" ? 0 : fail("nincs folyamatban felvétel.");
    const auto pidText = before.find("pid");
    const pid_t pid = pidText != before.end() ? pid_t(std::atol(pidText->second.c_str())) : 0;
    if (pid <= 0)
        return fail("a felvevő állapota nem olvasható: " + rt.stateFile());
    const std::string status = before.count("status") ? before.at("status") : "";
    if (want == "paused" && status == "paused")
        return fail("a felvétel már szünetel.", 0);
    if (want == "recording" && status == "recording")
        return fail("a felvétel már folyik.", 0);

    if (::kill(pid, sig) != 0)
        return fail(std::string("a felvevő nem érhető el: ") + std::strerror(errno));
    const bool ending = want == "stopped" || want == "quit";
    const auto limit = std::chrono::steady_clock::now() + (ending ? 15min : 20s);
    while (std::chrono::steady_clock::now() < limit) {
        std::this_thread::sleep_for(20ms);
        if (!controllerRunning(rt))
            return ending ? 0 : fail("a felvevő leállt; részletek: " + rt.logFile());
        if (!ending && readState(rt)["seq"] != before.at("seq"))
            return 0;
    }
    return fail("a felvevő nem válaszolt időben.");
}

void usage() {
    std::fprintf(stderr,
                 "Használat:\n"
                 "  harddisk -output FÁJL.mp3 -preset FÁJL -filter FÁJL -record [-minimize]\n"
                 "  harddisk -pause | -resume | -stop | -quit\n");
}

} // namespace
} // namespace harddisk

int main(int argc, char** argv) {
    using namespace harddisk;
    std::string output, preset, filter, action;
    // The settings files default to the recorder's own folder.
    std::error_code ec;
    fs::path self = fs::read_symlink("/proc/self/exe", ec).parent_path();
    if (ec)
        self = fs::path(argv[0]).parent_path();
    preset = (self / "hangrec.hdp").string();
    filter = (self / "hangrec.hfs").string();
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "-output" && hasValue)
            output = argv[++i];
        else if (a == "-preset" && hasValue)
            preset = argv[++i];
        else if (a == "-filter" && hasValue)
            filter = argv[++i];
        else if (a == "-minimize")
            continue; // there is no window to minimize
        else if ((a == "-record" || a == "-pause" || a == "-resume" || a == "-stop" ||
                  a == "-quit") &&
                 action.empty())
            action = a;
        else {
            usage();
            return fail("ismeretlen vagy hiányos kapcsoló: " + a, 2);
        }
    }
    // A recorder that ends while a client waits must not take the client with it.
    std::signal(SIGPIPE, SIG_IGN);
    if (action == "-record")
        return record(output, preset, filter);
    if (action == "-pause")
        return command(SIGUSR1, "paused");
    if (action == "-resume")
        return command(SIGUSR2, "recording");
    if (action == "-stop")
        return command(SIGTERM, "stopped");
    if (action == "-quit")
        return command(SIGTERM, "quit");
    usage();
    return 2;
}
