// harddisk: the consultation recorder beside the chart program.
//
//   harddisk -output FILE.mp3 -preset FILE -filter FILE -record [-minimize]
//   harddisk -pause | -resume | -stop | -quit
//
// -record starts a controller process in the background (controller.h) and
// returns once sound is being written. The controller holds a lock in its
// runtime folder for as long as it lives, which is how the other commands
// (and a second -record) find it; its state file tells how it ended.

#include "commands.h"

#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

void usage() {
    std::fprintf(stderr,
                 "Használat:\n"
                 "  harddisk -output FÁJL.mp3 -preset FÁJL -filter FÁJL -record [-minimize]\n"
                 "  harddisk -pause | -resume | -stop | -quit\n");
}

} // namespace

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
        return command(Command::Pause);
    if (action == "-resume")
        return command(Command::Resume);
    if (action == "-stop")
        return command(Command::Stop);
    if (action == "-quit")
        return command(Command::Quit);
    usage();
    return 2;
}
