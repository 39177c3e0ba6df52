// The world top ten, rated play, the chat, the statistics and the news against a real
// tarvo3-server on 127.0.0.1.
#include <gtest/gtest.h>

#include <memory>

#include "../support/ServerProcess.h"
#include "TestDatabase.h"
#include "online/Account.h"
#include "online/Chat.h"
#include "online/CurlTransport.h"
#include "online/RatedPlay.h"
#include "online/RealNumber.h"
#include "online/WorldStats.h"

namespace tarvo {
namespace {

class WorldServerTest : public ::testing::Test {
  protected:
    // Writes from one address are not spaced out here, unless a test starts its own server.
    void Start(std::vector<std::string> extra = {"--write-interval", "0"}) {
        server = std::make_unique<test::ServerProcess>(TARVO_SERVER, test::WithTestDatabase(std::move(extra)));
        client = std::make_unique<ScoreClient>(transport, AddressesOn(server->Origin()));
    }
    void SetUp() override { Start(); }

    WorldTopTenEntry Entry(const std::string& nick, int score) const {
        WorldTopTenEntry e;
        e.nick = nick;
        e.city = "Омск";
        e.country = "1-001";
        e.sex = "M";
        e.score = score;
        return e;
    }
    Exchange PostTopTen(const std::string& body) {
        return transport.Post(server->Origin() + "/topten", body);
    }

    std::unique_ptr<test::ServerProcess> server;
    CurlTransport transport;
    std::unique_ptr<ScoreClient> client;
};

TEST_F(WorldServerTest, APostedCycleReadsBackAtItsPlace) {
    const std::pair<std::string, int> posts[] = {{"Ann", 120}, {"Bob", 200}, {"Ann", 150}, {"Carl", 120}};
    const int places[] = {1, 1, 2, 3}; // a newer equal score goes above the older one
    for (std::size_t i = 0; i < std::size(posts); ++i) {
        auto place = client->WriteTopTen(kDesktopList, Entry(posts[i].first, posts[i].second));
        ASSERT_TRUE(place.ok) << i;
        EXPECT_EQ(place.value, places[i]) << i;
    }
    auto list = client->TopTen(kDesktopList);
    ASSERT_TRUE(list.ok);
    const std::pair<std::string, int> order[] = {{"Bob", 200}, {"Ann", 150}, {"Carl", 120}, {"Ann", 120}};
    for (std::size_t i = 0; i < std::size(order); ++i) {
        EXPECT_EQ(list.value[i].Place, int(i) + 1);
        EXPECT_EQ(list.value[i].Nick, order[i].first);
        EXPECT_EQ(list.value[i].Score, order[i].second);
        EXPECT_EQ(list.value[i].City, "Омск");
        EXPECT_EQ(list.value[i].Country, "1-001");
        EXPECT_EQ(list.value[i].R08, "5.7f");
        EXPECT_EQ(list.value[i].R10, "#");
    }
    EXPECT_TRUE(list.value[4].Empty());
    EXPECT_EQ(client->GameCount(kDesktopList).value, 4);
    EXPECT_EQ(client->GameCount(kAccountList).value, 0);
    EXPECT_TRUE(client->GameCount(kAccountList).ok);

    auto own = client->TopTenAround(kDesktopList, "Ann", "Омск");
    ASSERT_TRUE(own.ok);
    EXPECT_EQ(own.value[0].Place, 2);
    EXPECT_EQ(own.value[0].Score, 150);
    EXPECT_EQ(own.value[1].Place, 4);
    EXPECT_TRUE(own.value[2].Empty());
    EXPECT_TRUE(client->TopTenAround(kDesktopList, "Ann", "Rome").value[0].Empty());
}

// Nothing a game could not produce reaches a list or the board, and each refusal is logged.
TEST_F(WorldServerTest, WritesTheGameCannotMakeAreRefused) {
    const std::string tail = "&R7=M&R8=5.7f&R9=#&R10=#*";
    const std::pair<std::string, std::string> bodies[] = {
        {"above the cycle's 300", "gid=15&nick=Bob&city=Omsk&country=1-001&score=310" + tail},
        {"below the cycle's -600", "gid=15&nick=Bob&city=Omsk&country=1-001&score=-610" + tail},
        {"off the steps of 10", "gid=15&nick=Bob&city=Omsk&country=1-001&score=125" + tail},
        {"an unknown list", "gid=16&nick=Bob&city=Omsk&country=1-001&score=120" + tail},
        {"a nick with a blank", "gid=15&nick=Bo b&city=Omsk&country=1-001&score=120" + tail},
        {"a nick with $", "gid=15&nick=Bo$b&city=Omsk&country=1-001&score=120" + tail},
        {"a sex", "gid=15&nick=Bob&city=Omsk&country=1-001&score=120&R7=X&R8=5.7f&R9=#&R10=#*"},
        {"a message over 80", "gid=100&nick=Bob&city=Omsk&country=1-001&score=1&R7=M&R8=5.7f&R9=t&R10=" +
                                  std::string(81, 'x') + "*"},
        {"a message with a blank",
         "gid=100&nick=Bob&city=Omsk&country=1-001&score=1&R7=M&R8=5.7f&R9=t&R10=Hi all!*"},
        {"a message with a quote",
         "gid=100&nick=Bob&city=Omsk&country=1-001&score=1&R7=M&R8=5.7f&R9=t&R10=Hi_'all'*"},
        {"an empty message", "gid=100&nick=Bob&city=Omsk&country=1-001&score=1&R7=M&R8=5.7f&R9=t&R10=*"},
    };
    for (const auto& [what, body] : bodies) {
        const Exchange e = PostTopTen(body);
        EXPECT_FALSE(e.ok) << what << ": " << e.body;
    }
    EXPECT_EQ(client->GameCount(kDesktopList).value, 0);
    EXPECT_EQ(client->GameCount(kChatBoard).value, 0);
    EXPECT_TRUE(client->WriteTopTen(kDesktopList, Entry("Bob", -600)).ok); // a cycle lost 30 times
    EXPECT_TRUE(client->WriteTopTen(kDesktopList, Entry("Bob", 300)).ok);
    EXPECT_TRUE(client->WriteTopTen(kMobileList, Entry("Bob", 0)).ok);
}

TEST_F(WorldServerTest, OneWriteASecondFromOneAddress) {
    Start({}); // the server's own interval
    EXPECT_TRUE(client->WriteTopTen(kDesktopList, Entry("Bob", 120)).ok);
    EXPECT_FALSE(client->WriteTopTen(kDesktopList, Entry("Bob", 130)).ok);
    EXPECT_TRUE(client->TopTen(kDesktopList).ok); // reads are not spaced out
    EXPECT_EQ(client->GameCount(kDesktopList).value, 1);
}

struct NoHooks : RatedPlayHooks {
    void SaveFailed(int) override { ++failures; }
    bool AskRepeat(Failure) override {
        ++failures;
        return false;
    }
    int failures = 0;
};

class RatedServerTest : public WorldServerTest {
  protected:
    void SetUp() override {
        Start();
        TQobUser u;
        u.Nick = "Anna_77";
        u.Pw = "secret1";
        u.City = "Omsk";
        u.Country1 = "Russia";
        u.Country2 = "1-001";
        u.Sex = "W";
        u.EMail = "anna@mail.ru";
        account = std::make_unique<Account>(*client);
        ASSERT_EQ(account->Create(u, true, "10.12.2026"), RegisterResult::Created);
        ASSERT_EQ(account->state, AccountState::Rated);
    }
    TQobGame Stored() {
        auto read = client->ReadGame("Anna_77", "secret1");
        EXPECT_TRUE(read.ok);
        return read.value;
    }
    std::unique_ptr<Account> account;
    NoHooks hooks;
};

TEST_F(RatedServerTest, ASessionFromStartToFinish) {
    ASSERT_TRUE(StoreProvisionalSession(*account, hooks));
    TQobGame g = Stored();
    EXPECT_EQ(g.Kon, 3);
    EXPECT_NEAR(g.Rating, -19.9, 1e-12);
    const double provisional = g.Rating;

    // The player won 12 points in the three games; his cycle had none before.
    const SessionEnd end = FinishRatedSession(*account, 12, 12, hooks);
    EXPECT_TRUE(end.stored);
    EXPECT_FALSE(end.cycleCompleted);
    g = Stored();
    EXPECT_EQ(g.Kon, 3);
    EXPECT_NEAR(g.Rating, RatingOnFinish(3, 12, provisional), 1e-12);
    EXPECT_NEAR(g.Rating, 4.1, 1e-12);
    EXPECT_EQ(g.KonL, 3);
    EXPECT_EQ(g.Score, 12);
    EXPECT_EQ(g.Best, 0);
    EXPECT_EQ(g.Sessions, 0);
    EXPECT_EQ(hooks.failures, 0);

    // The session that completes the cycle: its score becomes the best and goes to list 315.
    g.KonL = 27;
    g.Score = 200;
    ASSERT_TRUE(client->SaveGame("Anna_77", "secret1", g));
    account->ReadResults();
    ASSERT_TRUE(StoreProvisionalSession(*account, hooks));
    const double before = Stored().Rating;
    const SessionEnd last = FinishRatedSession(*account, -30, 200 - 30, hooks);
    EXPECT_TRUE(last.cycleCompleted);
    g = Stored();
    EXPECT_EQ(g.Kon, 6);
    EXPECT_NEAR(g.Rating, RatingOnFinish(6, -30, before), 1e-12);
    EXPECT_EQ(g.KonL, 0);
    EXPECT_EQ(g.Score, 0);
    EXPECT_EQ(g.Best, 170);
    EXPECT_EQ(g.Sessions, 1);
    EXPECT_EQ(PostAccountCycle(*account, 170, hooks), 1);
    auto list = client->TopTen(kAccountList);
    EXPECT_EQ(list.value[0].Nick, "Anna_77");
    EXPECT_EQ(list.value[0].Country, "Russia");
    EXPECT_EQ(list.value[0].Score, 170);
}

TEST_F(RatedServerTest, AnAbandonedSessionLeavesItsMinus60) {
    TQobGame g;
    g.Kon = 30;
    g.Rating = 5;
    g.KonL = 12;
    g.Score = 40;
    ASSERT_TRUE(client->SaveGame("Anna_77", "secret1", g));
    ASSERT_TRUE(StoreProvisionalSession(*account, hooks));
    // The player walks away: no end is stored.
    const TQobGame left = Stored();
    EXPECT_EQ(left.Kon, 33);
    EXPECT_NEAR(left.Rating, (30 * (5 - 1.0) - 60) / 33 + 1.1, 1e-12);
    EXPECT_EQ(left.KonL, 0);
    EXPECT_EQ(left.Score, 0);
    EXPECT_EQ(account->game.KonL, 12); // the window's copy as it was
    EXPECT_EQ(account->game.Score, 40);
}

TEST_F(WorldServerTest, ElevenMessagesAndTheOldestDropsOff) {
    const ChatAuthor author{"Ivan", "Омск", "1-001", "M"};
    for (int i = 1; i <= 11; ++i) {
        auto number = SendChatMessage(*client, author, "Hi all! " + std::to_string(i),
                                      ChatStamp("14:05", "10.12.2026"));
        ASSERT_TRUE(number) << i;
        EXPECT_EQ(*number, i);
    }
    auto board = client->TopTen(kChatBoard);
    ASSERT_TRUE(board.ok);
    for (int row = 0; row < 10; ++row) {
        EXPECT_EQ(board.value[row].Score, 11 - row);
        EXPECT_EQ(ChatShownText(board.value[row].R10), "Hi all! " + std::to_string(11 - row));
    }
    EXPECT_EQ(board.value[0].R09, "14_05_10.12.2026_Tarvo-Trio");
    EXPECT_EQ(board.value[0].City, "Омск");
    // The board numbers its messages itself: a proposed number cannot jump it.
    WorldTopTenEntry jump;
    jump.nick = "Ivan";
    jump.city = "Omsk";
    jump.country = "1-001";
    jump.sex = "M";
    jump.score = 1000000;
    jump.r9 = "t";
    jump.r10 = "jump";
    ASSERT_TRUE(client->WriteTopTen(kChatBoard, jump).ok);
    EXPECT_EQ(client->TopTen(kChatBoard).value[0].Score, 12);
}

TEST_F(WorldServerTest, StatisticsRowsAddUp) {
    EXPECT_TRUE(ReportStart(*client, false));
    EXPECT_TRUE(ReportStart(*client, true));
    EXPECT_TRUE(ReportStart(*client, true));
    EXPECT_TRUE(client->ReportSeries(SeriesReport({.games = 5, .points = -20, .kon = 17})));
    EXPECT_TRUE(client->ReportSeries(SeriesReport({.games = 4, .points = 40, .kon = 30})));
    EXPECT_TRUE(client->ReportSeries(SeriesReport({.network = true, .hostsNetwork = true, .games = 3})));
    EXPECT_TRUE(client->ReportLike(1, "Иван"));
    EXPECT_FALSE(client->ReportSeries({31})); // more games than a series has
    EXPECT_FALSE(client->ReportLike(5, "Ivan"));
    EXPECT_FALSE(client->ReportStarts(1, 2));
    auto stat = client->ReadStatistics(kGameNumber);
    ASSERT_TRUE(stat.ok);
    EXPECT_EQ(stat.value.Stat1, 3);
    EXPECT_EQ(stat.value.Stat2, 1);
    EXPECT_EQ(stat.value.Stat3, 1);
    EXPECT_EQ(stat.value.Stat4, "Иван");
    const std::array<int, 12> totals = {9, 1, 40, 20, 3};
    EXPECT_EQ(stat.value.StatX, totals);
    EXPECT_EQ(ReadInfoFigure(*client, 1)->value, 40 * 100.0 / 60);
    EXPECT_EQ(ReadInfoFigure(*client, 2)->value, 9);
}

TEST_F(WorldServerTest, TheNewsNumberComesFromTheOperator) {
    client->Addresses().news = server->Origin() + "/news";
    EXPECT_EQ(client->NewsNumber().value, 0);
    test::WriteBytes(server->DataDir() / "news.txt", "17\nNew <b>cards</b>!\n");
    EXPECT_EQ(client->NewsNumber().value, 17);
    const Exchange page = transport.Get(client->Addresses().news);
    EXPECT_NE(page.body.find("<p>New &lt;b&gt;cards&lt;/b&gt;!</p>"), std::string::npos);
    test::WriteBytes(server->DataDir() / "news.txt", "soon\n"); // no number: the option's
    EXPECT_EQ(client->NewsNumber().value, 0);

    Start({"--news", "42"});
    client->Addresses().news = server->Origin() + "/news";
    EXPECT_EQ(client->NewsNumber().value, 42);
}

} // namespace
} // namespace tarvo
