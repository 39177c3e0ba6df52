// End to end: the real program, playing on its own against a real tarvo3-server, reports its
// starts and its series to the world statistics, and an account holder's rated sessions reach the
// global rating and the world top ten.
#include <gtest/gtest.h>

#include <algorithm>

#include "../support/GameProcess.h"
#include "../support/ServerProcess.h"
#include "online/Account.h"
#include "online/CurlTransport.h"
#include "online/RatedPlay.h"
#include "online/Requests.h"

namespace tarvo {
namespace {

int Autoplay(const std::filesystem::path& folder, const std::string& server, int games) {
    test::GameProcess game(TARVO3_PROGRAM,
                           {"--data-dir", folder.string(), "--server", server, "--autoplay", std::to_string(games)},
                           folder.string() + ".log");
    return game.Wait(300);
}

TEST(WorldReports, StartsInstallationsAndSeriesAddUp) {
    test::ServerProcess server(TARVO_SERVER);
    test::TempFolder games("tarvo-world-app");
    const std::filesystem::path folder = games / "player" / "data"; // a fresh installation
    std::filesystem::create_directories(folder.parent_path());
    ASSERT_EQ(Autoplay(folder, server.Origin(), 3), 0) << test::ReadBytes(folder.string() + ".log");
    ASSERT_EQ(Autoplay(folder, server.Origin(), 2), 0) << test::ReadBytes(folder.string() + ".log");

    CurlTransport transport;
    ScoreClient client(transport, AddressesOn(server.Origin()));
    const auto stat = client.ReadStatistics(kGameNumber);
    ASSERT_TRUE(stat.ok);
    EXPECT_EQ(stat.value.Stat1, 2); // two starts
    EXPECT_EQ(stat.value.Stat2, 1); // of one installation
    EXPECT_EQ(stat.value.StatX[0], 5); // five games with the computer
    EXPECT_EQ(stat.value.StatX[1], 0); // no cycle completed
    // Every game gives +10, 0 or -20 to the player; the points won and lost are multiples of 10.
    EXPECT_EQ((stat.value.StatX[2] + stat.value.StatX[3]) % 10, 0);
    EXPECT_LE(stat.value.StatX[2] + stat.value.StatX[3], 5 * 20);
}

// The player signs in at start with the sign-in "QobUser.qob" keeps and plays the ten sessions of
// a cycle. Every session replaces its provisional -60 by its points, so the rating ends as the
// cycle's points per game plus 30 games over 30; the cycle goes to the account list on its own.
TEST(WorldReports, RatedSessionsOfACycleReachTheRatingAndTheWorldTopTen) {
    test::ServerProcess server(TARVO_SERVER);
    CurlTransport transport;
    ScoreClient client(transport, AddressesOn(server.Origin()));
    TQobUser olga;
    olga.Nick = "Olga";
    olga.Pw = "secret2";
    olga.City = "Tver";
    olga.Country1 = "Russia";
    olga.Country2 = "1-001";
    olga.EMail = "olga@mail.ru";
    olga.Sex = "W";
    ASSERT_EQ(client.Register(olga), RegisterResult::Created);

    test::TempFolder shared; // the folder shared with sibling games
    const auto data = shared / "Tarvo-Trio";
    ASSERT_FALSE(WriteUserFile(shared / kUserFileName, olga.Nick, olga.Pw));
    {
        test::GameProcess game(TARVO3_PROGRAM,
                               {"--data-dir", data.string(), "--server", server.Origin(), "--autoplay",
                                std::to_string(kCycleGames), "--rated"},
                               data.string() + ".log");
        ASSERT_EQ(game.Wait(600), 0) << game.Log();
    }

    const auto list = client.TopTen(kAccountList);
    ASSERT_TRUE(list.ok);
    const TQobRecord& posted = list.value[0];
    ASSERT_EQ(posted.Nick, "Olga");
    EXPECT_EQ(posted.City, "Tver");
    EXPECT_EQ(posted.R07, "W");
    EXPECT_TRUE(list.value[1].Empty()); // one cycle, posted once
    const int cycle = posted.Score;

    const auto game = client.ReadGame(olga.Nick, olga.Pw);
    ASSERT_TRUE(game.ok);
    EXPECT_EQ(game.value.Kon, kCycleGames);
    EXPECT_EQ(game.value.Sessions, 1);
    EXPECT_EQ(game.value.KonL, 0);
    EXPECT_EQ(game.value.Score, 0);
    EXPECT_EQ(game.value.Best, std::max(0, cycle));
    EXPECT_NEAR(game.value.Rating, cycle / 30.0 + 1.0, 1e-9);

    // One start of a new installation, ten series of three games, one cycle; points won less
    // points lost are the cycle's.
    const auto stat = client.ReadStatistics(kGameNumber);
    ASSERT_TRUE(stat.ok);
    EXPECT_EQ(stat.value.Stat1, 1);
    EXPECT_EQ(stat.value.Stat2, 1);
    EXPECT_EQ(stat.value.StatX[0], kCycleGames);
    EXPECT_EQ(stat.value.StatX[1], 1);
    EXPECT_EQ(stat.value.StatX[2] - stat.value.StatX[3], cycle);
}

} // namespace
} // namespace tarvo
