#pragma once
// The process that records: it passes raw samples from a capture process to
// an encoder process, drops them while paused (so paused time never reaches
// the file and the MP3 is one unbroken stream), and keeps the state file up
// to date. The file is written under a hidden name beside the target and gets
// its name when the recording ends. How capture and encoder are started is
// injected, so the loop runs in tests without an audio tool or sound device.

#include "runtime.h"

#include <string>
#include <sys/types.h>

namespace harddisk {

class Launcher {
public:
    virtual ~Launcher() = default;
    // Starts the capture writing raw samples to out; -1 when it cannot start.
    virtual pid_t startCapture(int out) = 0;
    // Starts the encoder reading raw samples from in and writing file, its
    // complaints to errors: any complaint means the file is not being written
    // as it should (the audio tool goes on after a failed write).
    virtual pid_t startEncoder(int in, int errors, const std::string& file) = 0;
    // Where the started processes leave their complaints, for messages.
    virtual std::string logFile() const = 0;
};

// The hidden name the sound is written under until the recording ends.
std::string partialName(const std::string& output);

class Controller {
public:
    // output is an absolute path; logFd receives the controller's own lines.
    Controller(Runtime rt, Launcher& launcher, std::string output, int logFd);
    ~Controller();
    Controller(const Controller&) = delete;
    Controller& operator=(const Controller&) = delete;

    // Starts capture and encoder and waits until sound reaches a live
    // encoder; false with a Hungarian reason when nothing can be recorded.
    bool begin(std::string* error);

    // Passes sound and handles the commands read from commands (a signalfd,
    // or anything delivering signalfd_siginfo records) until the recording
    // has ended: by SIGTERM, SIGINT or SIGHUP, or early when the capture or
    // the encoder stops. SIGUSR1 pauses, SIGUSR2 resumes. The final state is
    // in the state file; returns 0 when the MP3 lies complete under its name.
    int run(int commands);

private:
    enum class Flow { Passed, CaptureEnded, EncoderEnded };
    Flow pump();
    void closePipes();
    void abandon();
    bool encoderAlive();
    bool encoderComplains();
    int finish(const std::string& earlyReason);
    std::string encoderReason() const;
    std::string keepSound(std::string* why);
    void setStatus(const char* status);
    void log(const std::string& line);

    Runtime m_rt;
    Launcher& m_launcher;
    std::string m_output;
    std::string m_partial;
    int m_logFd;
    pid_t m_capturePid = -1;
    pid_t m_encoderPid = -1;
    int m_encoderStatus = -1; // once it has ended by itself
    int m_toEncoder = -1;
    int m_fromCapture = -1;
    int m_encoderErrors = -1;
    std::string m_complaints; // what the encoder wrote to standard error
    bool m_paused = false;
    State m_state;
};

// Whether the file system holding folder has (almost) no room left.
bool diskFull(const std::string& folder);

} // namespace harddisk
