// A real tarvo3-server for a test: started on a free loopback port with a fresh data folder (or a
// given database), stopped when the object goes, whether the test passed or not.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "TempFolder.h"

namespace tarvo::test {

class ServerProcess {
  public:
    // `program` is the server's path; `extra` more arguments (--database ...). Waits until the
    // server says which port it listens on.
    explicit ServerProcess(const std::string& program, std::vector<std::string> extra = {},
                           const std::filesystem::path& dataDir = {})
        : program_(program), extra_(std::move(extra)), dataDir_(dataDir.empty() ? folder_.path() : dataDir) {
        Start();
    }
    ~ServerProcess() { Stop(SIGTERM); }
    ServerProcess(const ServerProcess&) = delete;
    ServerProcess& operator=(const ServerProcess&) = delete;

    int Port() const { return port_; }
    std::string Origin() const { return "http://127.0.0.1:" + std::to_string(port_); }
    const std::filesystem::path& DataDir() const { return dataDir_; }
    bool Running() const { return pid_ > 0; }
    pid_t Pid() const { return pid_; }

    // Ends the server: SIGTERM lets it finish, SIGKILL cuts it off in the middle of whatever it did.
    void Stop(int signal = SIGTERM) {
        if (pid_ <= 0) return;
        ::kill(pid_, signal);
        int status = 0;
        for (int i = 0; i < 200; ++i) { // up to 20 s, then no more waiting
            if (::waitpid(pid_, &status, WNOHANG) == pid_) break;
            if (i == 199) {
                ::kill(pid_, SIGKILL);
                ::waitpid(pid_, &status, 0);
            }
            ::usleep(100 * 1000);
        }
        pid_ = -1;
        if (out_ >= 0) ::close(out_);
        out_ = -1;
    }

    // Starts it again on the same data folder and, when it can, the same port.
    void Restart() {
        Stop(SIGTERM);
        Start(port_);
    }

  private:
    void Start(int port = 0) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) throw std::runtime_error("pipe failed");
        std::vector<std::string> args = {program_,    "--data-dir", dataDir_.string(),   "--listen",
                                         "127.0.0.1", "--port",     std::to_string(port)};
        args.insert(args.end(), extra_.begin(), extra_.end());
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(pipeFds[1], 1);
            ::close(pipeFds[0]);
            ::close(pipeFds[1]);
            std::vector<char*> argv;
            for (std::string& a : args) argv.push_back(a.data());
            argv.push_back(nullptr);
            ::execv(program_.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        out_ = pipeFds[0];
        // The first line names the port: "... listening on 127.0.0.1 port N, storage ...".
        std::string line;
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(60);
        while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < until) {
            pollfd p{out_, POLLIN, 0};
            if (::poll(&p, 1, 200) <= 0) continue;
            char buffer[256];
            const ssize_t n = ::read(out_, buffer, sizeof buffer);
            if (n <= 0) break;
            line.append(buffer, static_cast<std::size_t>(n));
        }
        const std::size_t at = line.find(" port ");
        if (at == std::string::npos) {
            Stop(SIGKILL);
            throw std::runtime_error("tarvo3-server did not start: " + line);
        }
        port_ = std::stoi(line.substr(at + 6));
    }

    TempFolder folder_{"tarvo-server"};
    std::string program_;
    std::vector<std::string> extra_;
    std::filesystem::path dataDir_;
    pid_t pid_ = -1;
    int out_ = -1;
    int port_ = 0;
};

} // namespace tarvo::test
