// End to end: the real program, pointed at a real tarvo3-server with --server, signs in at start
// with the sign-in "QobUser.qob" keeps beside its data folder, and keeps the server's address.
#include <gtest/gtest.h>

#include "../support/GameProcess.h"
#include "../support/ServerProcess.h"
#include "../support/TempFolder.h"
#include "online/Account.h"
#include "online/CurlTransport.h"
#include "online/Requests.h"
#include "settings/AddressCipher.h"
#include "settings/Settings.h"

namespace tarvo {
namespace {

int RunGame(const std::filesystem::path& data, const std::string& server) {
    test::GameProcess game(TARVO3_PROGRAM, {"--data-dir", data.string(), "--server", server, "--autoplay", "1"},
                           data.string() + ".log");
    return game.Wait(300);
}

std::string SignedInLately(CurlTransport& transport, const test::ServerProcess& server) {
    const std::string status = transport.Get(server.Origin() + "/status").body;
    const std::size_t at = status.find("signed in within 5 minutes: ");
    return at == std::string::npos ? status : status.substr(at + 28, status.find('\n', at) - at - 28);
}

TEST(AccountEndToEnd, TheGameSignsInAtStartWithItsSavedSignIn) {
    test::ServerProcess server(TARVO_SERVER);
    CurlTransport transport;
    ScoreClient client(transport, AddressesOn(server.Origin()));
    TQobUser anna;
    anna.Nick = "Anna";
    anna.Pw = "secret1";
    anna.City = "Omsk";
    anna.Country1 = "Russia";
    anna.Country2 = "1-001";
    anna.EMail = "anna@mail.ru";
    ASSERT_EQ(client.Register(anna), RegisterResult::Created);
    EXPECT_EQ(SignedInLately(transport, server), "0");

    test::TempFolder shared; // the folder shared with sibling games, parent of the data folder
    const auto data = shared / "Tarvo-Trio";
    ASSERT_EQ(RunGame(data, server.Origin()), 0);
    EXPECT_EQ(SignedInLately(transport, server), "0"); // no saved sign-in: nobody signs in

    ASSERT_FALSE(WriteUserFile(shared / kUserFileName, "Anna", "secret1"));
    ASSERT_EQ(RunGame(data, server.Origin()), 0);
    EXPECT_EQ(SignedInLately(transport, server), "1");
    // The settings keep the server for the next start.
    const Settings settings = LoadSettings(data / kSettingsFileName);
    EXPECT_EQ(DecipherAddress(settings.ServerPath), server.Origin() + "/stats");
    EXPECT_EQ(DecipherAddress(settings.TopTenPath), server.Origin() + "/topten");
}

} // namespace
} // namespace tarvo
