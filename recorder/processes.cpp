#include "processes.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace harddisk {

using namespace std::chrono_literals;

std::string firstComplaint(const std::string& errors) {
    std::size_t start = 0;
    while (start < errors.size()) {
        std::size_t end = errors.find('\n', start);
        if (end == std::string::npos)
            end = errors.size();
        std::string line = errors.substr(start, end - start);
        if (!line.empty() && line.front() == '[') {
            const auto close = line.find("] ");
            if (close != std::string::npos)
                line.erase(0, close + 2);
        }
        while (!line.empty() && (line.back() == '\r' || line.back() == ' '))
            line.pop_back();
        if (!line.empty())
            return line;
        start = end + 1;
    }
    return "ismeretlen ok";
}

std::string findAudioTool() {
    if (const char* p = std::getenv("HARDDISK_FFMPEG"); p && *p)
        return ::access(p, X_OK) == 0 ? p : std::string();
    const char* path = std::getenv("PATH");
    std::istringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const std::string candidate = (dir.empty() ? "." : dir) + "/ffmpeg";
        if (::access(candidate.c_str(), X_OK) == 0)
            return candidate;
    }
    return {};
}

pid_t spawn(const std::string& program, const std::vector<std::string>& args, int in, int out,
            int errFd) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    posix_spawn_file_actions_t files;
    posix_spawn_file_actions_init(&files);
    if (in >= 0)
        posix_spawn_file_actions_adddup2(&files, in, 0);
    else
        posix_spawn_file_actions_addopen(&files, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&files, out >= 0 ? out : errFd, 1);
    posix_spawn_file_actions_adddup2(&files, errFd, 2);
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t none, all;
    sigemptyset(&none);
    sigfillset(&all);
    posix_spawnattr_setsigmask(&attr, &none);
    posix_spawnattr_setsigdefault(&attr, &all);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
    pid_t pid = -1;
    if (posix_spawn(&pid, program.c_str(), &files, &attr, argv.data(), environ) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&files);
    posix_spawnattr_destroy(&attr);
    return pid;
}

int waitFor(pid_t pid, std::chrono::milliseconds limit) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int status = 0;
        const pid_t r = ::waitpid(pid, &status, WNOHANG);
        if (r == pid)
            return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
        if (r < 0 && errno != EINTR)
            return 127;
        if (std::chrono::steady_clock::now() >= end)
            return -1;
        std::this_thread::sleep_for(10ms);
    }
}

int endChild(pid_t& pid, std::chrono::milliseconds patience) {
    if (pid <= 0)
        return -1;
    ::kill(pid, SIGINT);
    int status = waitFor(pid, patience);
    if (status < 0) {
        ::kill(pid, SIGKILL);
        waitFor(pid, 5s);
    }
    pid = -1;
    return status;
}

bool writeAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        data += n;
        size -= std::size_t(n);
    }
    return true;
}

Finished runToEnd(const std::string& program, const std::vector<std::string>& args,
                  std::chrono::milliseconds limit) {
    int errors[2];
    if (::pipe2(errors, O_CLOEXEC) != 0)
        return {-1, {}};
    pid_t pid = spawn(program, args, -1, -1, errors[1]);
    ::close(errors[1]);
    Finished result{-1, {}};
    if (pid < 0) {
        ::close(errors[0]);
        return result;
    }
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            end - std::chrono::steady_clock::now());
        if (left <= 0ms)
            break;
        pollfd p{errors[0], POLLIN, 0};
        if (::poll(&p, 1, int(left.count())) <= 0)
            continue;
        char buf[1024];
        const ssize_t n = ::read(errors[0], buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break; // the child closed its end: it is ending
        if (result.errors.size() < 4096)
            result.errors.append(buf, std::size_t(n));
    }
    ::close(errors[0]);
    result.status = waitFor(pid, 2s);
    if (result.status < 0)
        endChild(pid, 1s);
    return result;
}

} // namespace harddisk
