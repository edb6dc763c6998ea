#pragma once
// Child processes of the recorder: the audio tool for capture, encoding and
// the checks before a recording.

#include <chrono>
#include <string>
#include <sys/types.h>
#include <vector>

namespace harddisk {

// The audio tool: HARDDISK_FFMPEG, else the first "ffmpeg" on PATH; empty
// when there is none.
std::string findAudioTool();

// Starts program with args, its standard input and output on the given
// descriptors (-1: /dev/null for input, errFd for output) and its errors on
// errFd. The child starts with no blocked signals, whatever the caller blocks.
// -1 when it cannot be started.
pid_t spawn(const std::string& program, const std::vector<std::string>& args, int in, int out,
            int errFd);

// Waits for pid up to limit: its exit status (128 + signal when killed), -1
// while it still runs.
int waitFor(pid_t pid, std::chrono::milliseconds limit);

// Asks a child to finish (the audio tool completes its file on an interrupt),
// kills one that hangs, and reaps it; pid becomes -1. The exit status, as
// waitFor gives it.
int endChild(pid_t& pid, std::chrono::milliseconds patience);

bool writeAll(int fd, const char* data, std::size_t size);

// The audio tool's first complaint in what it wrote to standard error,
// without the "[component @ 0x…] " it puts in front; "ismeretlen ok" when
// there is none.
std::string firstComplaint(const std::string& errors);

struct Finished {
    int status;         // as waitFor; -1 when it had to be killed or never started
    std::string errors; // what it wrote to standard error, at most a few kilobytes
};
// Runs program to its end (at most limit), with no input.
Finished runToEnd(const std::string& program, const std::vector<std::string>& args,
                  std::chrono::milliseconds limit);

} // namespace harddisk
