// velorin-full: every velorin subcommand, the drawing ones included; the
// velorin front hands it the command lines it does not run itself.

#include "commands.h"
#include "standardoutput.h"

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
    bool paints = argc > 1 && std::strcmp(argv[1], "report") == 0;
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

    return runOnStandardOutput([&](std::ostream& out) {
        return runSubcommand(Args(argv + 1, argv + argc), out, std::cerr);
    });
}
