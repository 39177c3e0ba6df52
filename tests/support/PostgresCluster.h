// A throwaway PostgreSQL cluster for a test program: made with initdb in a temporary folder, run
// by pg_ctl on a free loopback port (as the "postgres" user when the tests run as root, since
// PostgreSQL refuses root), and stopped and removed when the object goes.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>

#include "TempFolder.h"

namespace tarvo::test {

class PostgresCluster {
  public:
    PostgresCluster() {
        bin_ = FindBin();
        if (bin_.empty()) throw std::runtime_error("no PostgreSQL server programs under /usr/lib/postgresql");
        port_ = FreePort();
        const std::string dir = folder_.path().string();
        if (::geteuid() == 0) {
            as_ = "runuser -u postgres -- ";
            Run("chown -R postgres " + dir);
        }
        Run(as_ + bin_ + "/initdb -D " + dir + "/data -A trust -U tarvo -E UTF8 --no-locale --no-sync >" +
            dir + "/initdb.log 2>&1");
        Run(as_ + bin_ + "/pg_ctl -D " + dir + "/data -l " + dir + "/server.log -w -t 60 -o \"-p " +
            std::to_string(port_) + " -k " + dir + " -c listen_addresses=127.0.0.1 -c fsync=off\" start >" +
            dir + "/pg_ctl.log 2>&1");
        running_ = true;
    }
    ~PostgresCluster() {
        if (running_)
            std::system((as_ + bin_ + "/pg_ctl -D " + folder_.path().string() +
                         "/data -m immediate -w stop >/dev/null 2>&1")
                            .c_str());
    }
    PostgresCluster(const PostgresCluster&) = delete;
    PostgresCluster& operator=(const PostgresCluster&) = delete;

    // A fresh, empty database and the address tarvo3-server takes for it.
    std::string NewDatabase() {
        const std::string name = "tarvo" + std::to_string(++databases_);
        Run("psql -q -h 127.0.0.1 -p " + std::to_string(port_) +
            " -U tarvo -d postgres -c 'CREATE DATABASE " + name + "' >/dev/null");
        return "postgresql://tarvo@127.0.0.1:" + std::to_string(port_) + "/" + name;
    }
    int Port() const { return port_; }

  private:
    static std::string FindBin() {
        for (int version = 20; version >= 11; --version) {
            const std::string bin = "/usr/lib/postgresql/" + std::to_string(version) + "/bin";
            if (std::filesystem::exists(bin + "/initdb")) return bin;
        }
        return {};
    }
    static int FreePort() {
        const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
        socklen_t length = sizeof a;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &length);
        ::close(fd);
        return ntohs(a.sin_port);
    }
    static void Run(const std::string& command) {
        if (std::system(command.c_str()) != 0) throw std::runtime_error("failed: " + command);
    }

    TempFolder folder_{"tarvo-postgres"};
    std::string bin_;
    std::string as_;
    int port_ = 0;
    int databases_ = 0;
    bool running_ = false;
};

} // namespace tarvo::test
