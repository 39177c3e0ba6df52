// End to end: real tarvo3 processes play a network series on 127.0.0.1 through --autoplay --net,
// each in a fresh data folder on a port chosen free at run time.
#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <netinet/in.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "../support/TempFolder.h"
#include "netplay/Messages.h"
#include "records/Club.h"
#include "records/History.h"
#include "records/Series.h"

using namespace tarvo;
using tarvo::test::ReadBytes;
using tarvo::test::TempFolder;
using Clock = std::chrono::steady_clock;

extern char** environ;

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
        : folder_(root / name), log_(root / (name + ".log")) {
        std::vector<std::string> args = {TARVO3_PROGRAM, "--data-dir", folder_.string(), "--autoplay", "3",
                                         "--name",       name};
        args.insert(args.end(), net.begin(), net.end());
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        posix_spawn_file_actions_t files;
        posix_spawn_file_actions_init(&files);
        posix_spawn_file_actions_addopen(&files, 1, log_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        posix_spawn_file_actions_adddup2(&files, 1, 2);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        EXPECT_EQ(posix_spawn(&pid_, argv[0], &files, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&files);
    }
    ~Player() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }

    // The exit status, or -1 when the process is still running after `seconds`.
    int Wait(int seconds = 120) {
        const auto end = Clock::now() + std::chrono::seconds(seconds);
        while (Clock::now() < end) {
            int status = 0;
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                pid_ = -1;
                return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
    bool WaitForLog(const std::string& text, int seconds = 60) {
        const auto end = Clock::now() + std::chrono::seconds(seconds);
        while (Clock::now() < end) {
            if (Log().find(text) != std::string::npos) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
    void Kill() { ::kill(pid_, SIGKILL); }
    std::string Log() const { return ReadBytes(log_); }
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
    std::filesystem::path folder_, log_;
    pid_t pid_ = -1;
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
                    EXPECT_EQ(fools[seat], byRole[static_cast<std::size_t>(whose)])
                        << names[i] << " seat " << seat;
            }
            ExpectRecorded(p, names[i], fools[3], all);
        }
    }
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
