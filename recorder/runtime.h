#pragma once
// What the recorder's processes share: the runtime folder with its lock (held
// by the controller for as long as it lives), the state file the controller
// keeps up to date, and the log of the audio tool.

#include <map>
#include <string>

namespace harddisk {

// Reads a regular file of at most limit bytes; false when it is missing,
// not a regular file or too large.
bool readText(const std::string& path, std::string& out, std::size_t limit = 1 << 16);
// Through a temporary file renamed over the target.
bool writeText(const std::string& path, const std::string& text);

struct Runtime {
    std::string folder;
    std::string lockFile() const { return folder + "/lock"; }
    std::string stateFile() const { return folder + "/state"; }
    std::string logFile() const { return folder + "/harddisk.log"; }
};

// HARDDISK_RUNTIME_DIR, else the user's runtime folder, else one in /tmp.
Runtime defaultRuntime();

// Made private to this user; a folder of someone else's is refused.
bool prepareRuntimeFolder(const std::string& folder, std::string* error);

int openLock(const Runtime& rt);
bool controllerRunning(const Runtime& rt);

// The state file: key=value lines. The controller writes
//   pid, seq, status, output, partial
// and, once the recording has ended, message (the one line that tells the
// user what happened and where the recorded sound lies) and sound.
using State = std::map<std::string, std::string>;
State readState(const Runtime& rt);
bool writeState(const Runtime& rt, const State& state);

// Statuses of the state file.
inline constexpr const char* kStarting = "starting";
inline constexpr const char* kRecording = "recording";
inline constexpr const char* kPaused = "paused";
inline constexpr const char* kStopping = "stopping";
inline constexpr const char* kStopped = "stopped";         // the MP3 lies under its name
inline constexpr const char* kInterrupted = "interrupted"; // ended early or misplaced

// A value as one line of the state file: line breaks would start new keys.
std::string oneLine(std::string text);

} // namespace harddisk
