// End to end: the real program, playing on its own against a real tarvo3-server, reports its
// starts and its series to the world statistics.
#include <gtest/gtest.h>

#include "../support/GameProcess.h"
#include "../support/ServerProcess.h"
#include "online/CurlTransport.h"
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

} // namespace
} // namespace tarvo
