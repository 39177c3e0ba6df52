// End to end: a real tarvo3-server and three real tarvo3 processes, each signed in to its own
// account from its saved sign-in at the server its settings name, sit down at table 1 of the tournament (--autoplay 1
// --tournament 1) and play its game over 127.0.0.1; afterwards the server's standings are those
// of the game and every player's history holds a tournament line.
#include <gtest/gtest.h>

#include <chrono>
#include <optional>

#include "../support/GameProcess.h"
#include "../support/ServerProcess.h"
#include "../support/TempFolder.h"
#include "online/Account.h"
#include "online/CurlTransport.h"
#include "online/Requests.h"
#include "records/Club.h"
#include "records/History.h"
#include "settings/AddressCipher.h"
#include "settings/Settings.h"

using namespace tarvo;
using Clock = std::chrono::steady_clock;

namespace {

// One tarvo3 at the tournament, in a folder of its own (the saved sign-in in it, the data folder
// below it); killed when the test ends, whatever happened.
class Seat {
  public:
    Seat(const test::TempFolder& root, const std::string& nick, const std::string& origin)
        : home_(root / nick), data_(home_ / "data"), log_(root / (nick + ".log")) {
        std::filesystem::create_directories(data_);
        EXPECT_FALSE(WriteUserFile(home_ / kUserFileName, nick, "secret1"));
        // The settings name the test's server; a data folder with settings has its records too.
        EXPECT_EQ(SeedRecordsFiles(data_), RecordsWrite::Written);
        Settings settings;
        settings.PlayerName = nick;
        settings.ServerPath = EncipherAddress(origin + "/statistics");
        struct : SettingsMessages {
            void ShowError(std::string_view text) override { ADD_FAILURE() << text; }
        } messages;
        EXPECT_EQ(SaveSettings(data_ / kSettingsFileName, settings, messages), SaveOutcome::Written);
        process_.emplace(TARVO3_PROGRAM,
                         std::vector<std::string>{"--data-dir", data_.string(), "--autoplay", "1", "--tournament", "1"},
                         log_);
        EXPECT_TRUE(process_->Started());
    }
    int Wait(int seconds = 180) { return process_->Wait(seconds); }
    std::string Log() const { return process_->Log(); }
    const std::filesystem::path& Data() const { return data_; }

  private:
    std::filesystem::path home_, data_, log_;
    std::optional<test::GameProcess> process_; // started once the folder is ready
};

void Register(const std::string& origin, const std::string& nick) {
    CurlTransport transport;
    ScoreClient client(transport, AddressesOn(origin));
    TQobUser u;
    u.Nick = nick;
    u.Pw = "secret1";
    u.City = "Tver";
    u.Country1 = "Russia";
    u.Country2 = "1-001";
    u.EMail = "player@mail.ru";
    u.DateR = "10.12.2026";
    u.R01 = u.R02 = u.R03 = "xxx";
    ASSERT_EQ(client.Register(u), RegisterResult::Created) << nick;
}

} // namespace

TEST(TournamentAutoplay, ThreeProcessesPlayATableGame) {
    test::ServerProcess server(TARVO_SERVER, {"--game-port-base", "0"});
    test::TempFolder root("tarvo3-tour");
    const std::vector<std::string> nicks = {"Anna", "Boris", "Vera"};
    for (const std::string& n : nicks) Register(server.Origin(), n);
    const auto started = Clock::now();
    std::vector<std::unique_ptr<Seat>> seats;
    for (const std::string& n : nicks) seats.push_back(std::make_unique<Seat>(root, n, server.Origin()));
    for (std::size_t i = 0; i < seats.size(); ++i)
        ASSERT_EQ(seats[i]->Wait(), 0) << nicks[i] << ":\n" << seats[i]->Log();
    const double seconds = std::chrono::duration<double>(Clock::now() - started).count();
    RecordProperty("seconds", std::to_string(seconds));
    std::printf("three-process tournament game: %.1f s\n", seconds);

    CurlTransport transport;
    ScoreClient client(transport, AddressesOn(server.Origin()));
    int sum = 0, losers = 0;
    for (std::size_t i = 0; i < seats.size(); ++i) {
        const Reply<TournamentRating> r = client.ReadTournamentRating(nicks[i]);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.value.games, 1) << nicks[i];
        // 10 for a winner, -20 for the fool, 0 for everyone after a drawn game.
        EXPECT_TRUE(r.value.score == 10 || r.value.score == -20 || r.value.score == 0)
            << nicks[i] << " " << r.value.score;
        sum += r.value.score;
        losers += r.value.score < 0;
        // The player's own line of the game: the server's score after it, and a tournament line.
        const std::string log = seats[i]->Log();
        EXPECT_NE(log.find("tournament score " + std::to_string(r.value.score) + " "), std::string::npos) << log;
        auto files = ListHistoryFiles(seats[i]->Data());
        ASSERT_EQ(files.size(), 1u) << nicks[i];
        auto rows = ReadHistoryRows(seats[i]->Data(), files.front().number);
        ASSERT_EQ(rows.size(), 1u);
        EXPECT_EQ(rows[0].kind, 'T');
        // Its rating is the server's tournament rating after the game.
        EXPECT_EQ(rows[0].rating.substr(rows[0].rating.find_first_not_of(' ')), std::to_string(r.value.rating) + ",00");
    }
    EXPECT_LE(losers, 1); // one fool, or a draw
    EXPECT_EQ(sum, 0);    // 10 + 10 - 20, or nothing for anyone
}
