// Writes the moon calendar's 181 phase pictures, m000.jpg … m360.jpg, into the
// folder given on the command line. Run by the build.

#include "moonphase.h"

#include <cstdio>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: moonphases FOLDER\n");
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    for (int angle = 0; angle <= 360; angle += 2) {
        char name[16];
        std::snprintf(name, sizeof name, "m%03d.jpg", angle);
        std::string error;
        if (!velorin::writeMoonPhaseJpeg(angle, (folder / name).string(), error)) {
            std::fprintf(stderr, "moonphases: %s\n", error.c_str());
            return 1;
        }
    }
    return 0;
}
