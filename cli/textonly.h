#pragma once
// velorin is two programs. The one on the path runs the subcommands that only
// compute and print, linked against the core libraries alone, so a script
// calling it thousands of times does not load the image, font and display
// libraries on every call. Everything else it hands on, by becoming
// velorin-full (exec, same process, same streams), which runs every
// subcommand.

#include "commands.h"

#include <ostream>
#include <string>

namespace velorin::cli {

using SubcommandRun = int (*)(const Args& args, std::ostream& out, std::ostream& err);

// The subcommand function the text-only program runs for this command line,
// or null when velorin-full must run it. Only command lines whose every
// possible output is text qualify; anything doubtful goes on.
SubcommandRun textOnlyCommand(const Args& args);

// Where velorin-full lies for a program in folder: beside it, as both the
// build tree and the installed bin/ have it.
std::string fullProgramPath(const std::string& folder);

// Replaces this process with velorin-full and the same arguments. Returns
// only when it could not be run: then with status 1 after one Hungarian line
// on err.
int becomeFullProgram(char** argv, std::ostream& err);

} // namespace velorin::cli
