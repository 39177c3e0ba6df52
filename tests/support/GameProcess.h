// One real tarvo3 process for a test, offscreen, its output appended to a log file; killed when
// the object goes, whether the test passed or not.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"

extern char** environ;

namespace tarvo::test {

class GameProcess {
  public:
    // `args` are the program's arguments after its path.
    GameProcess(const std::string& program, std::vector<std::string> args, std::filesystem::path log)
        : log_(std::move(log)) {
        args.insert(args.begin(), program);
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, log_.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
        posix_spawn_file_actions_adddup2(&files, 1, 2);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        if (posix_spawn(&pid_, argv[0], &files, nullptr, argv.data(), environ) != 0) pid_ = -1;
        posix_spawn_file_actions_destroy(&files);
    }
    ~GameProcess() {
        Kill();
        if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
    }
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    bool Started() const { return pid_ > 0 || exited_; }

    // The exit status (128 + signal when killed), or -1 while it still runs after `seconds`.
    int Wait(int seconds) {
        if (exited_) return status_;
        const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
        while (pid_ > 0 && std::chrono::steady_clock::now() < end) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                exited_ = true;
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
                return status_;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
    void Kill() {
        if (pid_ > 0) ::kill(pid_, SIGKILL);
    }
    std::string Log() const { return ReadBytes(log_); }

  private:
    std::filesystem::path log_;
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = -1;
};

} // namespace tarvo::test
