#include "controller.h"

#include "processes.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace harddisk {
namespace {

// How long a new encoder must stay alive on sound before the start counts:
// a filter or a file it cannot use ends it at once.
constexpr auto kEncoderProbation = 150ms;

// The name a sound takes when its own was taken meanwhile: "Anna(2).mp3" up
// to "Anna(10).mp3", as the chart program numbers its files.
std::string numbered(const std::string& path, int n) {
    const fs::path p(path);
    return (p.parent_path() /
            (p.stem().string() + "(" + std::to_string(n) + ")" + p.extension().string()))
        .string();
}

// Gives from the name to without ever replacing a file that exists.
bool claimName(const std::string& from, const std::string& to) {
    if (::link(from.c_str(), to.c_str()) == 0) {
        std::remove(from.c_str());
        return true;
    }
    if (errno == EEXIST)
        return false;
    // File systems without hard links.
    return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0;
}

} // namespace

std::string partialName(const std::string& output) {
    const fs::path out(output);
    // Appended rather than prepended: GCC 12 at -O3 misreads "." + name as an
    // overlapping copy (-Werror=restrict).
    std::string hidden(1, '.');
    hidden += out.filename().string();
    hidden += ".felvetel";
    return (out.parent_path() / hidden).string();
}

bool diskFull(const std::string& folder) {
    struct statvfs st {};
    if (::statvfs(folder.c_str(), &st) != 0)
        return false;
    return double(st.f_bavail) * double(st.f_frsize) < 1024.0 * 1024.0;
}

Controller::Controller(Runtime rt, Launcher& launcher, std::string output, int logFd)
    : m_rt(std::move(rt)), m_launcher(launcher), m_output(std::move(output)),
      m_partial(partialName(m_output)), m_logFd(logFd) {
    m_state["pid"] = std::to_string(::getpid());
    m_state["output"] = m_output;
    m_state["partial"] = m_partial;
}

Controller::~Controller() {
    abandon();
}

bool Controller::begin(std::string* error) {
    if (fs::exists(m_partial)) {
        *error = "egy félbemaradt felvétel fájlja útban van: " + m_partial;
        return false;
    }
    int toEncoder[2], fromCapture[2], encoderErrors[2];
    if (::pipe2(toEncoder, O_CLOEXEC) != 0) {
        *error = std::string("belső hiba: ") + std::strerror(errno);
        return false;
    }
    if (::pipe2(fromCapture, O_CLOEXEC) != 0 ||
        ::pipe2(encoderErrors, O_CLOEXEC | O_NONBLOCK) != 0) {
        *error = std::string("belső hiba: ") + std::strerror(errno);
        ::close(toEncoder[0]);
        ::close(toEncoder[1]);
        return false;
    }
    m_encoderPid = m_launcher.startEncoder(toEncoder[0], encoderErrors[1], m_partial);
    m_capturePid = m_launcher.startCapture(fromCapture[1]);
    ::close(toEncoder[0]);
    ::close(fromCapture[1]);
    ::close(encoderErrors[1]);
    m_toEncoder = toEncoder[1];
    m_fromCapture = fromCapture[0];
    m_encoderErrors = encoderErrors[0];
    if (m_encoderPid < 0 || m_capturePid < 0) {
        *error = "a hangkezelő program nem indítható";
        abandon();
        return false;
    }
    // A missing or busy sound device shows as a capture that ends without sound.
    pollfd p{m_fromCapture, POLLIN, 0};
    if (::poll(&p, 1, 10000) <= 0 || pump() == Flow::CaptureEnded) {
        *error = "a hangbemenetről nem jön hang (nincs ilyen eszköz, vagy foglalt); részletek: " +
                 m_launcher.logFile();
        abandon();
        return false;
    }
    const auto until = std::chrono::steady_clock::now() + kEncoderProbation;
    while (std::chrono::steady_clock::now() < until) {
        pollfd q{m_fromCapture, POLLIN, 0};
        Flow flow = Flow::Passed;
        if (::poll(&q, 1, 20) > 0)
            flow = pump();
        if (flow == Flow::CaptureEnded) {
            *error = "a hangbemenet azonnal elhallgatott; részletek: " + m_launcher.logFile();
            abandon();
            return false;
        }
        if (flow == Flow::EncoderEnded || !encoderAlive() || encoderComplains()) {
            *error = "a hangkódoló nem tudott írni (szűrő vagy célfájl); részletek: " +
                     m_launcher.logFile();
            abandon();
            return false;
        }
    }
    setStatus(kRecording);
    return true;
}

int Controller::run(int commands) {
    const std::string folder = fs::path(m_output).parent_path().string();
    auto nextSpaceCheck = std::chrono::steady_clock::now();
    for (;;) {
        // The audio tool says nothing while its writes fail on a full disk,
        // and the file would be cut wherever the space ended.
        if (const auto now = std::chrono::steady_clock::now(); now >= nextSpaceCheck) {
            if (diskFull(folder))
                return finish("megtelt a lemez");
            nextSpaceCheck = now + 1s;
        }
        pollfd p[3] = {
            {commands, POLLIN, 0}, {m_fromCapture, POLLIN, 0}, {m_encoderErrors, POLLIN, 0}};
        if (::poll(p, 3, 250) < 0 && errno != EINTR)
            return finish("belső hiba: " + std::string(std::strerror(errno)));
        if (p[1].revents) {
            const Flow flow = pump();
            if (flow == Flow::CaptureEnded)
                return finish("a hangbemenet elhallgatott, az eszköz eltűnhetett");
            if (flow == Flow::EncoderEnded)
                return finish(encoderReason());
        }
        if (!encoderAlive() || encoderComplains())
            return finish(encoderReason());
        if (!(p[0].revents & (POLLIN | POLLHUP)))
            continue;
        signalfd_siginfo info{};
        const ssize_t n = ::read(commands, &info, sizeof info);
        if (n < 0)
            continue;
        const int sig = n == ssize_t(sizeof info) ? int(info.ssi_signo) : SIGTERM;
        if (sig == SIGUSR1) {
            m_paused = true;
            setStatus(kPaused);
        } else if (sig == SIGUSR2) {
            m_paused = false;
            setStatus(kRecording);
        } else if (sig != SIGCHLD) { // SIGTERM, SIGINT, SIGHUP, or the commands closed: stop
            setStatus(kStopping);
            return finish("");
        }
    }
}

// Moves what the capture has ready to the encoder, or drops it while paused.
Controller::Flow Controller::pump() {
    char buf[1 << 15];
    ssize_t n;
    do
        n = ::read(m_fromCapture, buf, sizeof buf);
    while (n < 0 && errno == EINTR);
    if (n <= 0)
        return Flow::CaptureEnded;
    if (m_paused || writeAll(m_toEncoder, buf, std::size_t(n)))
        return Flow::Passed;
    return Flow::EncoderEnded;
}

bool Controller::encoderAlive() {
    if (m_encoderPid <= 0)
        return false;
    const int status = waitFor(m_encoderPid, 0ms);
    if (status < 0)
        return true;
    m_encoderStatus = status;
    m_encoderPid = -1;
    return false;
}

// Takes what the encoder has written to standard error into the log; true
// once it has complained at all.
bool Controller::encoderComplains() {
    char buf[1024];
    ssize_t n;
    while (m_encoderErrors >= 0 && (n = ::read(m_encoderErrors, buf, sizeof buf)) != 0) {
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            break; // nothing more for now
        if (m_complaints.size() < 4096)
            m_complaints.append(buf, std::size_t(n));
        [[maybe_unused]] const auto w = ::write(m_logFd, buf, std::size_t(n));
    }
    return !m_complaints.empty();
}

void Controller::closePipes() {
    for (int* fd : {&m_toEncoder, &m_fromCapture, &m_encoderErrors})
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
}

void Controller::abandon() {
    if (m_capturePid < 0 && m_encoderPid < 0 && m_toEncoder < 0 && m_fromCapture < 0 &&
        m_encoderErrors < 0)
        return;
    endChild(m_capturePid, 2s);
    closePipes();
    endChild(m_encoderPid, 2s);
    std::remove(m_partial.c_str());
}

// Ends the capture, lets the encoder complete the MP3 and gives it its name.
// earlyReason says why the recording ends when nobody asked it to; an encoder
// that fails is a reason of its own. The sound is never lost: it keeps the
// target's name, the next free numbered one, or stays under the hidden name,
// and the state says which.
int Controller::finish(const std::string& earlyReason) {
    endChild(m_capturePid, 5s);
    // The encoder's end of input.
    for (int* fd : {&m_toEncoder, &m_fromCapture})
        if (*fd >= 0) {
            ::close(*fd);
            *fd = -1;
        }
    if (m_encoderPid > 0) {
        m_encoderStatus = waitFor(m_encoderPid, 60s);
        if (m_encoderStatus < 0)
            endChild(m_encoderPid, 5s);
        m_encoderPid = -1;
    }
    encoderComplains();
    closePipes();
    // Also when asked to stop: the last of the sound may not fit on the disk.
    const std::string reason =
        earlyReason.empty() && (m_encoderStatus != 0 || !m_complaints.empty()) ? encoderReason()
                                                                               : earlyReason;
    std::string why;
    const std::string sound = keepSound(&why);
    m_state["sound"] = sound;
    std::string message;
    if (!reason.empty())
        message =
            "A felvétel idő előtt leállt (" + reason + "); " +
            (sound.empty() ? "hang nem maradt meg." : "az addig felvett hang itt van: " + sound);
    else if (sound.empty())
        message = "A felvételből nem készült hang, " + m_output + " nem jött létre.";
    else if (sound != m_output)
        message = "A felvétel neve közben foglalt lett (" + m_output + "); a hang " +
                  (why.empty() ? "ide került: " : "nem nevezhető át (" + why + "), itt van: ") +
                  sound;
    else
        message = "A felvétel elkészült: " + sound;
    m_state["message"] = message;
    const bool complete = reason.empty() && sound == m_output;
    setStatus(complete ? kStopped : kInterrupted);
    if (!complete)
        log(message);
    return complete ? 0 : 1;
}

std::string Controller::encoderReason() const {
    if (diskFull(fs::path(m_output).parent_path().string()))
        return "megtelt a lemez";
    if (!m_complaints.empty())
        return "a hangkódoló hibát jelzett: " + firstComplaint(m_complaints);
    return "a hangkódoló váratlanul leállt; részletek: " + m_launcher.logFile();
}

// The path the recorded sound lies under in the end; empty when none was
// recorded.
std::string Controller::keepSound(std::string* why) {
    std::error_code ec;
    if (!fs::exists(m_partial, ec))
        return {};
    if (fs::file_size(m_partial, ec) == 0 && !ec) {
        std::remove(m_partial.c_str());
        return {};
    }
    if (claimName(m_partial, m_output))
        return m_output;
    for (int n = 2; n <= 10; ++n) {
        const std::string candidate = numbered(m_output, n);
        if (claimName(m_partial, candidate))
            return candidate;
    }
    *why = std::strerror(errno);
    return m_partial;
}

void Controller::setStatus(const char* status) {
    m_state["status"] = status;
    m_state["seq"] = std::to_string(std::atol(m_state["seq"].c_str()) + 1);
    if (!writeState(m_rt, m_state))
        log("az állapotfájl nem írható: " + m_rt.stateFile());
}

void Controller::log(const std::string& line) {
    const std::string text = "harddisk: " + line + "\n";
    [[maybe_unused]] const auto n = ::write(m_logFd, text.data(), text.size());
}

} // namespace harddisk
