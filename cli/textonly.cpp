#include "textonly.h"

#include "platform/oserror.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <unistd.h>

namespace velorin::cli {
namespace {

int runChartText(const Args& args, std::ostream& out, std::ostream& err) {
    return runChartWith(args, out, err, nullptr);
}
int runProgressedText(const Args& args, std::ostream& out, std::ostream& err) {
    return runProgressedWith(args, out, err, nullptr);
}
int runReturnText(const Args& args, std::ostream& out, std::ostream& err) {
    return runReturnWith(args, out, err, nullptr);
}

// Subcommands whose outputs are all text, and the one option that would
// make one of them draw.
const struct {
    const char* name;
    SubcommandRun run;
    const char* drawingOption;
} kTextCommands[] = {
    {"chart", runChartText, "--wheel"},
    {"place", runPlace, nullptr},
    {"moon", runMoon, nullptr},
    {"transits", runTransits, nullptr},
    {"progressed", runProgressedText, "--wheel"},
    {"return", runReturnText, "--wheel"},
};

} // namespace

SubcommandRun textOnlyCommand(const Args& args) {
    if (args.empty())
        return nullptr;
    for (const auto& c : kTextCommands) {
        if (args.front() != c.name)
            continue;
        // Anywhere on the line, even as some other option's value: a wrong
        // guess here only costs the faster start, never a different result.
        if (c.drawingOption && std::find(args.begin(), args.end(), c.drawingOption) != args.end())
            return nullptr;
        return c.run;
    }
    return nullptr;
}

std::string fullProgramPath(const std::string& folder) {
    return folder + (folder.empty() || folder.back() == '/' ? "" : "/") + "velorin-full";
}

int becomeFullProgram(char** argv, std::ostream& err) {
    // The program's own file, not argv[0]: a name found on the path or a
    // relative one says nothing reliable about where the program lies.
    char self[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", self, sizeof self - 1);
    std::string full;
    int error = ENOENT;
    if (n > 0) {
        std::string folder(self, size_t(n));
        folder.erase(folder.find_last_of('/') + 1);
        full = fullProgramPath(folder);
        ::execv(full.c_str(), argv);
        error = errno;
    } else {
        error = errno;
    }
    err << "velorin: a rajzoló és dokumentumkészítő rész ("
        << (full.empty() ? std::string("velorin-full") : full)
        << ") nem indítható: " << osErrorText(error).toStdString()
        << "; semmi sem készült el és semmi sem változott.\n";
    return 1;
}

} // namespace velorin::cli
