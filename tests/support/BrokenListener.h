// Breaks the listening TCP sockets of a process the way a failing accept leaves them: after
// shutdown(SHUT_RD) every accept on the socket fails and nobody can connect to its port.
#pragma once

#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

namespace tarvo::test {

// The ports of `pid`'s listening TCP sockets that were broken (only `onlyPort`, unless 0); none
// when the kernel does not let this process reach that one's sockets.
inline std::vector<int> BreakListeningSockets(pid_t pid, int onlyPort = 0) {
    std::vector<int> ports;
    const bool own = pid == ::getpid();
    const int process = own ? -1 : static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (!own && process < 0) return ports;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/" + std::to_string(pid) + "/fd", ec)) {
        std::error_code linkError;
        if (std::filesystem::read_symlink(entry.path(), linkError).string().rfind("socket:", 0) != 0) continue;
        const int target = std::stoi(entry.path().filename().string());
        const int fd = own ? target : static_cast<int>(::syscall(SYS_pidfd_getfd, process, target, 0));
        if (fd < 0) continue;
        int listening = 0;
        socklen_t size = sizeof listening;
        sockaddr_storage address{};
        socklen_t addressSize = sizeof address;
        if (::getsockopt(fd, SOL_SOCKET, SO_ACCEPTCONN, &listening, &size) == 0 && listening &&
            ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &addressSize) == 0 &&
            (address.ss_family == AF_INET || address.ss_family == AF_INET6)) {
            const int port = ntohs(address.ss_family == AF_INET
                                       ? reinterpret_cast<const sockaddr_in*>(&address)->sin_port
                                       : reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port);
            if ((onlyPort == 0 || port == onlyPort) && ::shutdown(fd, SHUT_RD) == 0) ports.push_back(port);
        }
        if (!own) ::close(fd);
    }
    if (process >= 0) ::close(process);
    return ports;
}

} // namespace tarvo::test
