// Rated play, the chat and news rules and the statistics reports, over a scripted transport.
#include <gtest/gtest.h>

#include "../support/TempFolder.h"
#include "FakeTransport.h"
#include "online/Chat.h"
#include "online/RatedPlay.h"
#include "online/WorldStats.h"

namespace tarvo {
namespace {

TEST(Rating, StartAndFinishOfASession) {
    struct Case {
        int kon;
        double rating;
        int points;
        double provisional, final;
    };
    const Case cases[] = {
        {0, 0, 12, -19.9, 4.1},                          // a first session: -60 then 12 over 3 games
        {30, 5, 30, 60.0 / 33 + 1.1, 150.0 / 33 + 1.1},  // total 120 -> 60 -> 150 over 33 games
        {3, 4.1, -60, 0.2 + (12 - 60) / 6.0, 0.2 - 8.0}, // a lost session keeps the provisional
        {27, -2.5, 0, 1.0 + (27 * -3.4 - 60) / 30, 1.0 + 27 * -3.4 / 30},
    };
    for (const Case& c : cases) {
        const RatedRecord start = RatingOnStart(c.kon, c.rating);
        EXPECT_EQ(start.kon, c.kon + 3);
        EXPECT_NEAR(start.rating, c.provisional, 1e-9) << c.kon;
        EXPECT_NEAR(RatingOnFinish(start.kon, c.points, start.rating), c.final, 1e-9) << c.kon;
    }
    // A record that lost the session's games on the server counts the session alone.
    EXPECT_NEAR(RatingOnFinish(0, 12, 0), 4.1, 1e-9);
}

struct RecordedHooks : RatedPlayHooks {
    void SaveFailed(int pauseMs) override { pauses.push_back(pauseMs); }
    bool AskRepeat(Failure failure) override {
        asked.push_back(failure);
        return repeats-- > 0;
    }
    std::vector<int> pauses;
    std::vector<Failure> asked;
    int repeats = 0;
};

struct RatedPlayTest : ::testing::Test {
    RatedPlayTest() {
        account.state = AccountState::Rated;
        account.holder.Nick = "Bob";
        account.holder.Pw = "pw12";
        account.holder.City = "Omsk";
        account.holder.Country1 = "Russia";
        account.holder.Sex = "M";
    }
    test::FakeTransport transport;
    ScoreClient client{transport, AddressesOn("http://score.test")};
    Account account{client};
    RecordedHooks hooks;
};

TEST_F(RatedPlayTest, TheProvisionalRecordIsTriedThreeTimes) {
    transport.Answer("$30 150 5 1 12 40 0 #$\n"); // Kon Best Rating Sessions KonL Score R1 R2
    transport.Answer("", false);
    transport.Answer("", false);
    transport.Answer("$ ok#");
    EXPECT_TRUE(StoreProvisionalSession(account, hooks));
    EXPECT_EQ(hooks.pauses, (std::vector<int>{2000, 3000}));
    EXPECT_EQ(transport.sent.back().body.substr(0, 63),
              "nick=Bob&pw=pw12&vemro4kon=33&vemro4best=150&vemro4rating=2.918");
    EXPECT_NE(transport.sent.back().body.find("&vemro4konl=0&vemro4score=0&"), std::string::npos);
    // The local copy keeps the cycle as read: the session's end counts from it.
    EXPECT_EQ(account.game.Kon, 30);
    EXPECT_EQ(account.game.KonL, 12);
    EXPECT_EQ(account.game.Score, 40);

    hooks.pauses.clear();
    transport.Answer("$30 150 5 1 12 40 0 #$\n");
    EXPECT_FALSE(StoreProvisionalSession(account, hooks)); // three failed saves
    EXPECT_EQ(hooks.pauses, (std::vector<int>{2000, 3000, 0}));
    EXPECT_FALSE(StoreProvisionalSession(account, hooks)); // the read failed: nothing saved
    EXPECT_EQ(hooks.pauses.size(), 3u);
}

TEST_F(RatedPlayTest, TheSessionThatEndsTheCycle) {
    account.game.KonL = 27;
    account.game.Score = 200;
    transport.Answer("$33 150 2.5 1 0 0 0 #$\n");
    transport.Answer("$ ok#");
    const SessionEnd end = FinishRatedSession(account, 30, 230, hooks);
    EXPECT_TRUE(end.stored);
    EXPECT_TRUE(end.cycleCompleted);
    EXPECT_EQ(account.game.Best, 230);
    EXPECT_EQ(account.game.Sessions, 2);
    EXPECT_EQ(account.game.KonL, 0);
    EXPECT_EQ(account.game.Score, 0);
    EXPECT_NEAR(account.game.Rating, RatingOnFinish(33, 30, 2.5), 1e-12);

    transport.Answer("$4\n");
    EXPECT_EQ(PostAccountCycle(account, 230, hooks), 4);
    EXPECT_EQ(transport.sent.back().body,
              "gid=315&nick=Bob&city=Omsk&country=Russia&score=230&R7=M&R8=5.7f&R9=#&R10=#*");
}

TEST_F(RatedPlayTest, AFailedEndAsksAndKeepsTheCycle) {
    account.game.KonL = 6;
    transport.Answer("", false);                 // the read fails: nothing is stored
    transport.Answer("$12 90 1.5 0 0 0 0 #$\n"); // repeated: read, then the save fails
    transport.Answer("", false);
    hooks.repeats = 1;
    const SessionEnd end = FinishRatedSession(account, -20, 40, hooks);
    EXPECT_FALSE(end.stored);
    EXPECT_EQ(hooks.asked.size(), 2u);
    EXPECT_EQ(hooks.asked[0], RatedPlayHooks::Failure::Connect);
    EXPECT_EQ(account.game.KonL, 6); // restored for a later try
    EXPECT_NE(transport.sent[2].body.find("vemro4konl=9&vemro4score=40&"), std::string::npos);
}

TEST(ChatText, TheCharacterSetTravelsAndShows) {
    const std::pair<std::string, std::string> cases[] = {
        {"Hi all!", "Hi_all!"},
        {"Привет, Ёлка (ok) - 5.7@x", "Привет,_Ёлка_(ok)_-_5.7@x"},
        {"a&b=c$d*e#f~g", "a_b_c_d_e_f_g"}, // the wire's own markers cannot get through
        {"日本", "__"},
        {std::string(90, 'x'), std::string(80, 'x')},
    };
    for (const auto& [typed, wire] : cases) {
        EXPECT_EQ(ChatWireText(typed), wire) << typed;
        EXPECT_TRUE(ChatWireTextValid(wire, kChatMessageMax)) << typed;
    }
    EXPECT_EQ(ChatShownText("Hi_all!"), "Hi all!");
    EXPECT_EQ(ChatStamp("14:05", "10.12.2026"), "14_05_10.12.2026_Tarvo-Trio");
    EXPECT_FALSE(ChatWireTextValid("Hi all!", kChatMessageMax));
    EXPECT_FALSE(ChatWireTextValid(std::string(81, 'x'), kChatMessageMax));
    EXPECT_FALSE(ChatWireTextValid("", kChatMessageMax));
}

TEST(ChatBoard, NewMarksAndPositions) {
    std::array<TQobRecord, 10> rows;
    for (int i = 0; i < 3; ++i) {
        rows[static_cast<std::size_t>(i)].Score = 43 - i;
        rows[static_cast<std::size_t>(i)].Nick = "Bob";
        rows[static_cast<std::size_t>(i)].City = "Omsk";
        rows[static_cast<std::size_t>(i)].R08 = "5.7f";
        rows[static_cast<std::size_t>(i)].R09 = "14_05_10.12.2026_Tarvo-Trio";
        rows[static_cast<std::size_t>(i)].R10 = "Hi_all!";
    }
    const auto top = BoardEntries(rows, 41, false);
    ASSERT_EQ(top.size(), 3u);
    EXPECT_EQ(BoardTop(rows), 43);
    EXPECT_TRUE(top[0].isNew);  // 43
    EXPECT_TRUE(top[1].isNew);  // 42
    EXPECT_FALSE(top[2].isNew); // 41, seen
    EXPECT_EQ(top[0].position, 0);
    EXPECT_EQ(top[0].head, "Omsk : 14 05 10.12.2026 Tarvo-Trio 5.7f : Bob");
    EXPECT_EQ(top[0].text, "Hi all!");
    const auto bottom = BoardEntries(rows, 41, true);
    EXPECT_EQ(bottom[0].position, 9); // the newest at the bottom
    EXPECT_EQ(bottom[2].position, 7);
    EXPECT_EQ(BoardTop({}), 0);
}

TEST(ChatAndNewsFiles, ReadWriteAndDamage) {
    test::TempFolder folder;
    const auto chat = folder / kChatFileName;
    EXPECT_EQ(ReadChatFile(chat), (ChatFile{1, false, false}));
    EXPECT_EQ(test::ReadBytes(chat), "1\r\n0\r\n0\r\n"); // created when missing
    EXPECT_TRUE(WriteChatFile(chat, {43, true, false}));
    EXPECT_EQ(test::ReadBytes(chat), "43\r\n1\r\n0\r\n");
    EXPECT_EQ(ReadChatFile(chat), (ChatFile{43, true, false}));
    const std::pair<std::string, ChatFile> damaged[] = {
        {"x\r\n1\r\n1\r\n", {0, true, true}},
        {"12\n2\nyes\n", {12, false, false}},
        {"7", {7, false, false}},
        {"", {0, false, false}},
    };
    for (const auto& [bytes, state] : damaged) {
        test::WriteBytes(chat, bytes);
        EXPECT_EQ(ReadChatFile(chat), state) << bytes;
    }

    const auto news = folder / kNewsFileName;
    EXPECT_EQ(ReadNewsFile(news), 0);
    EXPECT_TRUE(WriteNewsFile(news, 17));
    EXPECT_EQ(test::ReadBytes(news), "17\r\n");
    EXPECT_EQ(ReadNewsFile(news), 17);
    test::WriteBytes(news, "seventeen\r\n");
    EXPECT_EQ(ReadNewsFile(news), 0);
}

TEST(ChatAndNewsChecks, NewWhenAboveWhatWasSeen) {
    test::TempFolder folder;
    test::FakeTransport transport;
    ScoreClient client{transport, AddressesOn("http://score.test")};
    WriteNewsFile(folder / kNewsFileName, 16);
    transport.Answer("<html><!-- QobNews00017 --></html>");
    const NewsCheck news = CheckNews(client, folder / kNewsFileName);
    EXPECT_TRUE(news.isNew);
    EXPECT_EQ(news.pageNumber, 17);
    EXPECT_EQ(transport.sent.back().url, "http://score.test/news");
    EXPECT_FALSE(CheckNews(client, folder / kNewsFileName).isNew); // the page could not be read

    WriteChatFile(folder / kChatFileName, {41, false, false});
    transport.Answer("$1 9 43 Bob 1-001 Omsk M 5.7f a b*$2 8 42 Ann 1-001 Omsk W 5.7f a b*\n");
    const ChatCheck chat = CheckChat(client, folder / kChatFileName);
    EXPECT_TRUE(chat.isNew);
    EXPECT_EQ(chat.top, 43);
    EXPECT_EQ(transport.sent.back().body, "gid=100");
    EXPECT_FALSE(CheckChat(client, folder / kChatFileName).isNew);
}

TEST(ChatSend, ABoardThatCannotBeReadSendsNothing) {
    test::FakeTransport transport;
    ScoreClient client{transport, AddressesOn("http://score.test")};
    const ChatAuthor author{"Bob", "Omsk", "1-001", "M"};
    EXPECT_FALSE(SendChatMessage(client, author, "Hi all!", "stamp"));
    EXPECT_EQ(transport.sent.size(), 1u);
    transport.Answer("$1 9 43 Bob 1-001 Omsk M 5.7f a b*\n");
    transport.Answer("$1\n");
    EXPECT_EQ(SendChatMessage(client, author, "Hi all!", "14_05"), 44);
    EXPECT_EQ(transport.sent.back().body,
              "gid=100&nick=Bob&city=Omsk&country=1-001&score=44&R7=M&R8=5.7f&R9=14_05&R10=Hi_all!*");
}

TEST(ChatNewsSchedule, NewsEveryThirdTickChatEveryNinetieth) {
    ChatNewsSchedule schedule;
    std::vector<int> news, chat;
    for (int tick = 1; tick <= 180; ++tick) {
        const auto due = schedule.Tick(tick < 100);
        if (due.news) news.push_back(tick);
        if (due.chat) chat.push_back(tick);
    }
    EXPECT_EQ(std::vector<int>(news.begin(), news.begin() + 3), (std::vector<int>{4, 7, 10}));
    EXPECT_EQ(news.back(), 97); // not while a game is on
    EXPECT_EQ(chat, (std::vector<int>{90, 180}));
    schedule.newsFlagged = schedule.chatFlagged = true; // nothing more while something waits
    for (int tick = 0; tick < 90; ++tick) {
        const auto due = schedule.Tick(true);
        EXPECT_FALSE(due.news || due.chat);
    }
}

TEST(Statistics, WhatASeriesReports) {
    struct Case {
        SeriesFigures series;
        std::array<int, 12> report;
    };
    const Case cases[] = {
        {{.games = 5, .points = -20, .kon = 17}, {5, 0, 0, 20}},
        {{.games = 4, .points = 40, .kon = 30}, {4, 1, 40, 0}},
        {{.network = true, .hostsNetwork = true, .games = 3, .points = 30, .kon = 30}, {0, 0, 0, 0, 3}},
        {{.network = true, .games = 3, .points = 30, .kon = 3}, {}},
        {{.tournament = true, .tournamentSeatOne = true, .games = 3, .points = 30, .kon = 3},
         {0, 0, 0, 0, 0, 1}},
    };
    for (const Case& c : cases) EXPECT_EQ(SeriesReport(c.series), c.report) << c.series.games;
}

TEST(Statistics, TheStartReportCountsTheInstallationOnce) {
    test::FakeTransport transport;
    ScoreClient client{transport, AddressesOn("http://score.test")};
    EXPECT_FALSE(ReportStart(client, false)); // no connection: again at the next start
    EXPECT_EQ(transport.sent.back().body, "gid=15&stat1=1&stat2=1");
    transport.Answer("$ ok#");
    EXPECT_TRUE(ReportStart(client, false));
    EXPECT_TRUE(ReportStart(client, true));
    EXPECT_EQ(transport.sent.back().body, "gid=15&stat1=1&stat2=0");
}

} // namespace
} // namespace tarvo
