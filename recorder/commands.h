#pragma once
// The recorder's commands as its command line names them. Each prints at most
// one Hungarian line on standard error and returns the exit status.

#include <string>

namespace harddisk {

// -record: checks what can be checked before answering (settings, audio
// tool, the filter chain, the input, the output folder), then starts the
// controller in the background and returns once sound is being written.
// 0 when recording, 1 when refused (the reason printed), 2 for a bad -output.
int record(const std::string& output, const std::string& presetPath, const std::string& filterPath);

enum class Command { Pause, Resume, Stop, Quit };
// Acts on the running controller and waits until it has acted. -stop of a
// recording that did not end complete under its name returns 1 with the line
// that says what happened and where the recorded sound lies; so do -stop,
// -pause and -resume after a recording ended early by itself.
int command(Command which);

// Prints "harddisk: " + message as one line on standard error.
int fail(const std::string& message, int status = 1);

} // namespace harddisk
