// velorin: the command-line twin of the chart, synastry and moon programs.
// This front runs the text subcommands itself and hands every other command
// line to velorin-full (see textonly.h).

#include "standardoutput.h"
#include "textonly.h"

#include <QCoreApplication>
#include <iostream>

using namespace velorin::cli;

int main(int argc, char** argv) {
    const Args args(argv + 1, argv + argc);
    const SubcommandRun run = textOnlyCommand(args);
    if (!run)
        return becomeFullProgram(argv, std::cerr);
    QCoreApplication app(argc, argv);
    const Args rest(args.begin() + 1, args.end());
    return runOnStandardOutput([&](std::ostream& out) { return run(rest, out, std::cerr); });
}
