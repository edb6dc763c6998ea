#pragma once
// Starting a whole program from a benchmark, shared by the benchmarks that
// time processes, so that each measures the same way.

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <csignal>
#include <fcntl.h>
#include <mutex>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace velorin::bench {

// Runs a program with extra environment entries, its output thrown away.
// Returns the exit status, or -1 when it could not start or ran past the limit.
inline int runProcess(const std::vector<std::string>& argv,
                      const std::vector<std::string>& extraEnv,
                      std::chrono::seconds limit = std::chrono::seconds(120)) {
    std::vector<std::string> env;
    for (char** e = environ; *e; ++e)
        env.emplace_back(*e);
    env.insert(env.end(), extraEnv.begin(), extraEnv.end());
    std::vector<char*> args, envp;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const std::string& e : env)
        envp.push_back(const_cast<char*>(e.c_str()));
    envp.push_back(nullptr);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    if (rc != 0)
        return -1;
    // The wait ends the moment the program does: a watchdog polling in steps
    // added up to a step to every run, more than /bin/true itself takes. The
    // watchdog sleeps until the deadline or until told the program ended; the
    // exited program stays a zombie (WNOWAIT) until the watchdog is gone, so
    // its kill can never reach a process that reused the id.
    std::mutex m;
    std::condition_variable ended;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock lock(m);
        if (!ended.wait_for(lock, limit, [&] { return done; }))
            kill(pid, SIGKILL);
    });
    siginfo_t info{};
    while (waitid(P_PID, id_t(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    {
        std::lock_guard lock(m);
        done = true;
    }
    ended.notify_one();
    watchdog.join();
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace velorin::bench
