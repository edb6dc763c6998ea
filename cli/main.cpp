// velorin: the command-line twin of the chart, synastry and moon programs.

#include "commands.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <cerrno>
#include <cstring>
#include <iostream>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

using namespace velorin::cli;

int main(int argc, char** argv) {
    // Painting a wheel needs fonts but never a screen; the text outputs need
    // neither, so they run without a GUI platform at all.
    bool paints = false;
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--wheel") == 0)
            paints = true;
    std::unique_ptr<QCoreApplication> app;
    if (paints) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // A script or a service has no session runtime folder; give Qt a
        // private one instead of a warning on every run.
        if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
            std::string dir = "/tmp/velorin-runtime-" + std::to_string(getuid());
            if (mkdir(dir.c_str(), 0700) == 0 || errno == EEXIST)
                qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir));
        }
        app = std::make_unique<QGuiApplication>(argc, argv);
    } else {
        app = std::make_unique<QCoreApplication>(argc, argv);
    }

    Args args(argv + 1, argv + argc);
    if (args.empty()) {
        std::cerr << kMainHelp;
        return 2;
    }
    const std::string sub = args.front();
    args.erase(args.begin());
    if (sub == "--help" || sub == "-h" || sub == "help") {
        std::cout << kMainHelp;
        return 0;
    }
    if (sub == "chart")
        return runChart(args, std::cout, std::cerr);
    if (sub == "synastry")
        return runSynastry(args, std::cout, std::cerr);
    if (sub == "codetable")
        return runCodetable(args, std::cout, std::cerr);
    if (sub == "interpret")
        return runInterpret(args, std::cout, std::cerr);
    if (sub == "moon")
        return runMoon(args, std::cout, std::cerr);
    if (sub == "place")
        return runPlace(args, std::cout, std::cerr);
    std::cerr << "velorin: unknown subcommand " << sub << " (velorin --help)\n";
    return 2;
}
