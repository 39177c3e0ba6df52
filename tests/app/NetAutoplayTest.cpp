// End to end: real tarvo3 processes play a network series on 127.0.0.1 through --autoplay --net,
// each in a fresh data folder on a port chosen free at run time.
#include <gtest/gtest.h>

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "../support/GameProcess.h"
#include "../support/TempFolder.h"
#include "netplay/Messages.h"
#include "records/Club.h"
#include "records/History.h"
#include "records/Series.h"

using namespace tarvo;
using tarvo::test::TempFolder;
using Clock = std::chrono::steady_clock;

namespace {

// A port nobody listens on right now.
int FreePort() {
    const int s = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t size = sizeof a;
    ::getsockname(s, reinterpret_cast<sockaddr*>(&a), &size);
    ::close(s);
    return ntohs(a.sin_port);
}

// One tarvo3 process, its output in a log file; killed when the test ends, whatever happened.
class Player {
  public:
    Player(const TempFolder& root, const std::string& name, std::vector<std::string> net)
        : folder_(root / name), process_(TARVO3_PROGRAM, Arguments(folder_, name, std::move(net)),
                                         root / (name + ".log")) {
        EXPECT_TRUE(process_.Started());
    }

    // The exit status, or -1 when the process is still running after `seconds`.
    int Wait(int seconds = 120) { return process_.Wait(seconds); }
    bool WaitForLog(const std::string& text, int seconds = 60) {
        const auto end = Clock::now() + std::chrono::seconds(seconds);
        while (Clock::now() < end) {
            if (Log().find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    void Kill() { process_.Kill(); }
    std::string Log() const { return process_.Log(); }
    const std::filesystem::path& Folder() const { return folder_; }

    // Role and fools per seat from the last line of a recorded series.
    bool Result(int& role, int fools[4]) const {
        const std::string log = Log();
        const std::size_t at = log.rfind("autoplay: network series of 3 games");
        return at != std::string::npos &&
               std::sscanf(log.c_str() + at, "autoplay: network series of 3 games, role %d, fools %d %d %d",
                           &role, &fools[1], &fools[2], &fools[3]) == 4;
    }

  private:
    static std::vector<std::string> Arguments(const std::filesystem::path& folder, const std::string& name,
                                              std::vector<std::string> net) {
        std::vector<std::string> args = {"--data-dir", folder.string(), "--autoplay", "3", "--name", name};
        args.insert(args.end(), net.begin(), net.end());
        return args;
    }

    std::filesystem::path folder_;
    test::GameProcess process_;
};

// A connection of the test's own to 127.0.0.1:port, tried until the program listens; reads and
// writes give up after a generous time rather than hang the test.
class RawPeer {
  public:
    explicit RawPeer(int port) {
        const auto end = Clock::now() + std::chrono::seconds(60);
        while (Clock::now() < end) {
            fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
            sockaddr_in a{};
            a.sin_family = AF_INET;
            a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
            a.sin_port = htons(static_cast<std::uint16_t>(port));
            if (::connect(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0) break;
            ::close(fd_);
            fd_ = -1;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        const timeval patience{60, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &patience, sizeof patience);
        ::setsockopt(fd_, SOL_SOCKET, SO_SNDTIMEO, &patience, sizeof patience);
        const int one = 1;
        ::setsockopt(fd_, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
    }
    ~RawPeer() {
        if (fd_ >= 0) ::close(fd_);
    }
    int Fd() const { return fd_; }
    // False once the other side has gone.
    bool Send(std::string_view bytes) {
        while (!bytes.empty()) {
            const ssize_t n = ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
            if (n <= 0) return false;
            bytes.remove_prefix(static_cast<std::size_t>(n));
        }
        return true;
    }
    // Exactly `size` bytes, or what came before the other side went quiet or away.
    std::string Read(std::size_t size) {
        std::string got;
        char buffer[512];
        while (got.size() < size) {
            const ssize_t n = ::recv(fd_, buffer, std::min(sizeof buffer, size - got.size()), 0);
            if (n <= 0) break;
            got.append(buffer, static_cast<std::size_t>(n));
        }
        return got;
    }

  private:
    int fd_ = -1;
};

// Stands between a client and its server and cuts their bytes its own way, as a real network may:
// towards the server one byte per segment, towards the client whatever gathered in 40 ms, in one
// write.
class CuttingProxy {
  public:
    explicit CuttingProxy(int serverPort) : serverPort_(serverPort) {
        listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a);
        ::listen(listen_, 1);
        socklen_t size = sizeof a;
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &size);
        port_ = ntohs(a.sin_port);
        thread_ = std::thread([this] { Run(); });
    }
    ~CuttingProxy() {
        stop_ = true;
        thread_.join();
        ::close(listen_);
    }
    int Port() const { return port_; }
    // The most bytes of records passed to the client in one write.
    std::size_t LargestMerge() const { return largestMerge_; }

  private:
    static bool Wait(int fd, int ms) {
        pollfd p{fd, POLLIN, 0};
        return ::poll(&p, 1, ms) > 0;
    }
    void Run() {
        while (!stop_ && !Wait(listen_, 50)) {
        }
        if (stop_) return;
        const int client = ::accept(listen_, nullptr, nullptr);
        RawPeer server(serverPort_);
        const int one = 1;
        ::setsockopt(client, IPPROTO_TCP, TCP_NODELAY, &one, sizeof one);
        std::string down;
        auto flushed = Clock::now();
        bool open = true;
        while (!stop_ && open) {
            pollfd p[2] = {{client, POLLIN, 0}, {server.Fd(), POLLIN, 0}};
            ::poll(p, 2, 10);
            char buffer[4096];
            if (p[0].revents) {
                const ssize_t n = ::recv(client, buffer, sizeof buffer, 0);
                open = n > 0;
                for (ssize_t i = 0; i < n && open; ++i) {
                    open = server.Send(std::string_view(buffer + i, 1));
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                }
            }
            if (p[1].revents) {
                const ssize_t n = ::recv(server.Fd(), buffer, sizeof buffer, 0);
                if (n > 0) down.append(buffer, static_cast<std::size_t>(n));
                open = open && n > 0;
            }
            if (!down.empty() && (!open || Clock::now() - flushed > std::chrono::milliseconds(40))) {
                if (down[0] == 'h') largestMerge_ = std::max<std::size_t>(largestMerge_, down.size());
                ::send(client, down.data(), down.size(), MSG_NOSIGNAL);
                down.clear();
                flushed = Clock::now();
            }
        }
        ::close(client);
    }

    int serverPort_, listen_ = -1, port_ = 0;
    std::atomic<bool> stop_{false};
    std::atomic<std::size_t> largestMerge_{0};
    std::thread thread_;
};

std::vector<std::string> ServerArgs(int port, int clients) {
    return {"--net", "server", "--port", std::to_string(port), "--clients", std::to_string(clients)};
}
std::vector<std::string> ClientArgs(int port) {
    return {"--net", "client", "--ip", "127.0.0.1", "--port", std::to_string(port)};
}

// The player's club line and his network history line agree with the fools he reported.
void ExpectRecorded(const Player& p, const std::string& name, int ownFools, int allFools) {
    auto text = ReadRecords(p.Folder() / "Tarvo3.net");
    ASSERT_TRUE(text);
    auto member = MemberSeries(*text, 1);
    ASSERT_TRUE(member);
    EXPECT_EQ(member->NameUtf8(), name);
    EXPECT_EQ(member->G0, 3);
    const int score = 10 * (allFools - 3 * ownFools);
    EXPECT_EQ(member->P0, score);
    auto files = ListHistoryFiles(p.Folder());
    ASSERT_EQ(files.size(), 1u);
    auto rows = ReadHistoryRows(p.Folder(), files.front().number);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].kind, 'N');
    EXPECT_EQ(std::stoi(rows[0].games), 3);
    EXPECT_EQ(std::stoi(rows[0].result), score);
    EXPECT_EQ(rows[0].player.substr(0, name.size() + 1), name + "/");
}

// Every process exits 0 after recording the series, and all agree on who was the fool of every
// game through their numberings (the server comes first).
void ExpectOneSeries(std::vector<std::unique_ptr<Player>>& players, const std::vector<std::string>& names) {
    std::array<int, 4> byRole{}; // fools of each role's player, as the server saw them
    for (std::size_t i = 0; i < players.size(); ++i) {
        Player& p = *players[i];
        ASSERT_EQ(p.Wait(), 0) << names[i] << ":\n" << p.Log();
        int role = 0, fools[4] = {};
        ASSERT_TRUE(p.Result(role, fools)) << p.Log();
        const int all = fools[1] + fools[2] + fools[3];
        EXPECT_LE(all, 3); // a game may end in a draw
        for (int seat = 1; seat <= 3; ++seat) {
            const int whose = RoleOfSeat(seat, role);
            if (i == 0)
                byRole[static_cast<std::size_t>(whose)] = fools[seat];
            else
                EXPECT_EQ(fools[seat], byRole[static_cast<std::size_t>(whose)]) << names[i] << " seat " << seat;
        }
        ExpectRecorded(p, names[i], fools[3], all);
    }
}

} // namespace

// A server and two clients, then a server and one client with the computer in the missing
// client's seat, play a whole series: every process exits 0 after recording it, and all agree on
// who was the fool of every game through their numberings.
TEST(NetAutoplay, ProcessesPlayASeriesTogether) {
    for (int clients : {2, 1}) {
        TempFolder root("tarvo3-net");
        const int port = FreePort();
        std::vector<std::unique_ptr<Player>> players;
        const std::vector<std::string> names = {"Srv", "Ann", "Bob"};
        players.push_back(std::make_unique<Player>(root, names[0], ServerArgs(port, clients)));
        for (int k = 1; k <= clients; ++k)
            players.push_back(
                std::make_unique<Player>(root, names[static_cast<std::size_t>(k)], ClientArgs(port)));
        ExpectOneSeries(players, names);
    }
}

// The same series when the network cuts the bytes its own way: records in single bytes towards
// the server, several messages in one read towards the client.
TEST(NetAutoplay, BytesCutAndMergedOnTheWayMakeTheSameSeries) {
    TempFolder root("tarvo3-net");
    const int port = FreePort();
    std::vector<std::unique_ptr<Player>> players;
    const std::vector<std::string> names = {"Srv", "Ann"};
    players.push_back(std::make_unique<Player>(root, names[0], ServerArgs(port, 1)));
    CuttingProxy proxy(port);
    players.push_back(std::make_unique<Player>(root, names[1], ClientArgs(proxy.Port())));
    ExpectOneSeries(players, names);
    EXPECT_GE(proxy.LargestMerge(), 2 * RecordLength);
}

// A client killed in the middle of the series: the server and the other client end it as
// interrupted, say why on the error stream, exit with a failure, and record nothing.
TEST(NetAutoplay, AClientKilledInTheGameInterruptsTheOthers) {
    TempFolder root("tarvo3-net");
    const int port = FreePort();
    Player server(root, "Srv", ServerArgs(port, 2));
    Player ann(root, "Ann", ClientArgs(port));
    ASSERT_TRUE(ann.WaitForLog("network series begins")) << ann.Log();
    Player bob(root, "Bob", ClientArgs(port));
    ASSERT_TRUE(bob.WaitForLog("network series begins")) << bob.Log();
    bob.Kill();
    for (Player* p : {&server, &ann}) {
        EXPECT_NE(p->Wait(), 0) << p->Log();
        EXPECT_NE(p->Log().find("network game interrupted: "), std::string::npos) << p->Log();
        EXPECT_NE(p->Log().find("nothing recorded"), std::string::npos) << p->Log();
        auto text = ReadRecords(p->Folder() / "Tarvo3.net");
        ASSERT_TRUE(text);
        EXPECT_FALSE(MemberSeries(*text, 1)) << "an interrupted series enters nobody";
        EXPECT_TRUE(ListHistoryFiles(p->Folder()).empty());
    }
}

// What a joined client sends that no game may take ends the real server's series as interrupted:
// one line on the error stream naming the reason, a failing exit (no crash), nothing recorded.
TEST(NetAutoplay, AHostilePeerEndsTheSeriesUnrecorded) {
    struct Case {
        std::string bytes;
        std::vector<std::string> reasons; // any one of them
        bool endless = false, hangUp = false;
    } cases[] = {
        {"h2iiiiii130iiii0601", {"client 2 sent "}}, // slot 30 of a hand of six, refused whoever is due
        {"s2\x98\x98", {"not text"}},                // no character of Windows-1251
        // A chat without end: a chat runs to the end of its read, so the server sees either one
        // read too long for a chat or, when a read ends first, the next read's stray text.
        {"s2", {"over-long chat", "unknown message starting with 0x78"}, true},
        {"h2iiiiii101iiii06", {"(client 2) left the game"}, false, true}, // gone in mid-record
    };
    for (const Case& c : cases) {
        TempFolder root("tarvo3-net");
        const int port = FreePort();
        Player server(root, "Srv", ServerArgs(port, 1));
        auto evil = std::make_unique<RawPeer>(port);
        ASSERT_TRUE(evil->Send(HelloMessage("Evil")));
        ASSERT_EQ(evil->Read(WelcomeLength).substr(0, 10), "connect2+2");
        ASSERT_EQ(evil->Read(DealLength).size(), DealLength);
        ASSERT_TRUE(evil->Send(c.bytes));
        for (std::size_t sent = 0; c.endless && sent < (64u << 20) && evil->Send(std::string(1 << 16, 'x'));)
            sent += 1 << 16;
        if (c.hangUp) evil.reset();
        EXPECT_EQ(server.Wait(), 3) << c.reasons.front() << ":\n" << server.Log();
        const std::string log = server.Log();
        const std::size_t line = log.find("tarvo3: network game interrupted: ");
        ASSERT_NE(line, std::string::npos) << log;
        EXPECT_EQ(log.find("tarvo3: network game interrupted: ", line + 1), std::string::npos) << "one line only:\n" << log;
        EXPECT_TRUE(std::any_of(c.reasons.begin(), c.reasons.end(),
                                [&](const std::string& r) { return log.find(r, line) != std::string::npos; }))
            << log;
        EXPECT_NE(log.find("nothing recorded"), std::string::npos) << log;
        auto text = ReadRecords(server.Folder() / "Tarvo3.net");
        ASSERT_TRUE(text);
        EXPECT_FALSE(MemberSeries(*text, 1));
        EXPECT_TRUE(ListHistoryFiles(server.Folder()).empty());
    }
}
