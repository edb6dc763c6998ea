#include "runtime.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sstream>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace harddisk {

bool readText(const std::string& path, std::string& out, std::size_t limit) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode) || std::size_t(st.st_size) > limit)
        return false;
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    out = s.str();
    return bool(in) || in.eof();
}

bool writeText(const std::string& path, const std::string& text) {
    const std::string tmp = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << text;
        out.flush();
        if (!out) {
            std::remove(tmp.c_str());
            return false;
        }
    }
    if (std::rename(tmp.c_str(), path.c_str()) != 0) {
        std::remove(tmp.c_str());
        return false;
    }
    return true;
}

Runtime defaultRuntime() {
    if (const char* d = std::getenv("HARDDISK_RUNTIME_DIR"); d && *d)
        return {d};
    if (const char* d = std::getenv("XDG_RUNTIME_DIR"); d && *d)
        return {std::string(d) + "/velorin-harddisk"};
    return {"/tmp/velorin-harddisk-" + std::to_string(::getuid())};
}

bool prepareRuntimeFolder(const std::string& folder, std::string* error) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        *error = "a futási mappa nem hozható létre: " + folder + " (" + std::strerror(errno) + ")";
        return false;
    }
    struct stat st {};
    if (::lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::getuid()) {
        *error = "a futási mappa nem a felhasználóé vagy nem mappa: " + folder;
        return false;
    }
    return true;
}

int openLock(const Runtime& rt) {
    return ::open(rt.lockFile().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

bool controllerRunning(const Runtime& rt) {
    const int fd = openLock(rt);
    if (fd < 0)
        return false;
    const bool free = ::flock(fd, LOCK_EX | LOCK_NB) == 0;
    ::close(fd); // releases what we just took
    return !free;
}

State readState(const Runtime& rt) {
    State s;
    std::string text;
    if (!readText(rt.stateFile(), text))
        return s;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        const auto eq = line.find('=');
        if (eq != std::string::npos)
            s[line.substr(0, eq)] = line.substr(eq + 1);
    }
    return s;
}

bool writeState(const Runtime& rt, const State& state) {
    // The first four in the order the state file always had.
    static const char* const kFirst[] = {"pid", "seq", "status", "output"};
    std::string text;
    for (const char* key : kFirst)
        if (const auto it = state.find(key); it != state.end())
            text += it->first + '=' + oneLine(it->second) + '\n';
    for (const auto& [key, value] : state)
        if (std::find(std::begin(kFirst), std::end(kFirst), key) == std::end(kFirst))
            text += key + '=' + oneLine(value) + '\n';
    return writeText(rt.stateFile(), text);
}

std::string oneLine(std::string text) {
    for (char& c : text)
        if (c == '\n' || c == '\r' || c == '\0')
            c = ' ';
    return text;
}

} // namespace harddisk
