#pragma once
// The interpretation subcommands of the velorin command. Each takes its
// arguments without the subcommand's name (the common --home/--data flags
// included), writes to the streams and returns the exit status: 0 done,
// 1 failed, 2 bad usage.

#include <ostream>
#include <string>
#include <vector>

namespace velorin {

// velorin codetable --write PATH
int runCodetableCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// velorin interpret FILE.ast [--mode 1|2|3|4]
int runInterpretCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace velorin
