// The tournament desk: the seat buttons' rules, and taking, leaving and losing a seat over a
// scripted score server.
#include <gtest/gtest.h>

#include "FakeTransport.h"
#include "online/Tournament.h"

namespace tarvo {
namespace {

using Cap = SeatButton::Caption;

TQobTable_3 TableOf(const char* s1, const char* s2, const char* s3) {
    TQobTable_3 t;
    const char* nicks[3] = {s1, s2, s3};
    for (int i = 0; i < 3; ++i) {
        t.Seats[static_cast<std::size_t>(i)].Nick = nicks[i];
        t.Seats[static_cast<std::size_t>(i)].Score = 10 * (i + 1);
    }
    return t;
}

TEST(SeatButtons, FollowTheSeatRules) {
    struct Case {
        const char* name;
        TQobTable_3 table;
        bool open;
        int ownTable, ownSeat;
        std::array<SeatButton, 3> want;
    };
    const SeatButton off{Cap::ServerOff, {}, false};
    const Case cases[] = {
        {"empty table, player free", TableOf("X", "X", "X"), true, 0, 0,
         {{{Cap::TakePlace, {}, true}, {Cap::Free, {}, false}, {Cap::Free, {}, false}}}},
        {"seat 1 free, player sits elsewhere", TableOf("X", "X", "X"), true, 4, 2,
         {{{Cap::TakePlace, {}, false}, {Cap::Free, {}, false}, {Cap::Free, {}, false}}}},
        {"seat 1 taken by another", TableOf("Ann", "X", "X"), true, 0, 0,
         {{{Cap::Occupant, "Ann : 10", false}, {Cap::TakePlace, {}, true}, {Cap::Free, {}, false}}}},
        {"player at seat 1", TableOf("Me", "X", "X"), true, 1, 1,
         {{{Cap::LogOff, {}, true}, {Cap::TakePlace, {}, false}, {Cap::Free, {}, false}}}},
        {"player at seat 2", TableOf("Ann", "Me", "X"), true, 1, 2,
         {{{Cap::Occupant, "Ann : 10", false}, {Cap::LogOff, {}, true}, {Cap::TakePlace, {}, false}}}},
        {"player at seat 3 cannot leave", TableOf("Ann", "Bob", "Me"), true, 1, 3,
         {{{Cap::Occupant, "Ann : 10", false}, {Cap::Occupant, "Bob : 20", false}, {Cap::Occupant, "Me : 30", false}}}},
        {"own seat numbers at another table", TableOf("Ann", "Bob", "X"), true, 2, 2,
         {{{Cap::Occupant, "Ann : 10", false}, {Cap::Occupant, "Bob : 20", false}, {Cap::TakePlace, {}, false}}}},
        {"closed tournament", TableOf("Ann", "X", "X"), false, 0, 0, {{off, off, off}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SeatButtons(c.table, 1, c.open, c.ownTable, c.ownSeat), c.want);
    }
}

struct DeskTest : ::testing::Test {
    test::FakeTransport transport;
    ScoreClient client{transport, AddressesOn("http://score.test")};
    TournamentDesk desk{client};

    // Table 1 on the game server `ip`, seat 1 held by Ann from 5.6.7.8; the state line given.
    // The rows come last to first: the tenth record is table 1.
    void AnswerRefresh(const std::string& ip, const std::string& state) {
        std::string rows;
        for (int n = 10; n >= 2; --n) rows += "$" + std::to_string(n) + " " + ip + " " + std::to_string(25700 + n) + " Y*";
        transport.Answer(rows + "$1 " + ip + " 25701 Y 0 X Ann 5 6 7 RU Omsk W 5.6.7.8*");
        transport.Answer(state, !state.empty()); // empty: the read fails
    }
    void SignIn(const std::string& address) {
        transport.Answer("$12 3 1016*");
        transport.Answer("$4\n");
        TQobUser me;
        me.Nick = "Me";
        me.City = "Tver";
        me.Country1 = "RU";
        desk.BuildIdentity(me, address);
    }
};

TEST_F(DeskTest, TheSameAddressMayNotSitTwiceUnlessTheGameServerIsLocal) {
    SignIn("5.6.7.8");
    EXPECT_EQ(desk.Identity().Score, 12);
    EXPECT_EQ(desk.Place(), 4);
    AnswerRefresh("9.9.9.9", "$Y Welcome_to_the_tables*");
    desk.Refresh();
    EXPECT_EQ(desk.Welcome(), "Welcome to the tables");
    EXPECT_EQ(desk.GamePort(3), 25703);
    transport.Answer("$Ann 5 6 7 RU Omsk W 5.6.7.8*"); // readclient of seat 1
    EXPECT_EQ(desk.Take(1, 2), TakeOutcome::SameAddress);
    EXPECT_EQ(desk.Seat(), 0);

    AnswerRefresh("127.0.0.1", "$Y Hi*");
    desk.Refresh();
    transport.Answer("$ ok#");
    const std::size_t before = transport.sent.size();
    EXPECT_EQ(desk.Take(1, 2), TakeOutcome::Taken);
    EXPECT_EQ(transport.sent.size(), before + 1); // no occupant read on a loopback server
    EXPECT_EQ(transport.sent.back().body.substr(0, 40), "client3on2=0&gid=15&num=1&can=1&nick2=Me");
    EXPECT_TRUE(desk.Locked());
}

TEST_F(DeskTest, LeavingSeatOneFreesSeatTwoAndARefusalKeepsTheSeat) {
    SignIn("1.1.1.1");
    AnswerRefresh("127.0.0.1", "$Y Hi*");
    desk.Refresh();
    transport.Answer("$ ok#");
    ASSERT_EQ(desk.Take(3, 1), TakeOutcome::Taken);

    transport.Answer("$ is#");
    EXPECT_FALSE(desk.Leave());
    EXPECT_EQ(desk.Seat(), 1);

    transport.Answer("$ ok#");
    transport.Answer("$ ok#");
    EXPECT_TRUE(desk.Leave());
    EXPECT_EQ(desk.Seat(), 0);
    const auto& sent = transport.sent;
    EXPECT_EQ(sent[sent.size() - 2].body.substr(0, 33), "client3on1=0&gid=15&num=3&can=2&n");
    EXPECT_EQ(sent.back().body.substr(0, 33), "client3on2=0&gid=15&num=3&can=0&n");
}

TEST_F(DeskTest, AClosedTournamentShowsItsTextAndFreesTheSeat) {
    SignIn("1.1.1.1");
    AnswerRefresh("127.0.0.1", "$Y Hi*");
    desk.Refresh();
    transport.Answer("$ ok#");
    ASSERT_EQ(desk.Take(1, 2), TakeOutcome::Taken);

    AnswerRefresh("127.0.0.1", "$N Closed_until_$_Monday*");
    transport.Answer("$ ok#"); // the seat freed
    transport.Answer("$9\n"); // the place, read after the seats
    EXPECT_TRUE(desk.Refresh());
    EXPECT_EQ(desk.Seat(), 0);
    EXPECT_EQ(desk.Place(), 9);
    EXPECT_EQ(desk.Welcome().find('_'), std::string::npos);
    const auto& sent = transport.sent;
    EXPECT_EQ(sent[sent.size() - 2].body.substr(0, 31), "client3on2=0&gid=15&num=1&can=0");
    for (const SeatButton& b : desk.Buttons(1)) EXPECT_EQ(b.caption, Cap::ServerOff);

    // A failed state read: no welcome text at all, every seat "Server Off".
    AnswerRefresh("127.0.0.1", "");
    transport.sent.clear();
    EXPECT_FALSE(desk.Refresh());
    EXPECT_FALSE(desk.InfoRead());
    EXPECT_EQ(desk.Buttons(2)[0].caption, Cap::ServerOff);
    EXPECT_EQ(desk.Place(), 9) << "a failed place read keeps the last place";
}

TEST_F(DeskTest, AFailedConnectionFreesTheSeatAndThoseAbove) {
    SignIn("1.1.1.1");
    AnswerRefresh("127.0.0.1", "$Y Hi*");
    desk.Refresh();
    transport.Answer("$ ok#");
    ASSERT_EQ(desk.Take(1, 2), TakeOutcome::Taken);
    const std::size_t before = transport.sent.size();
    desk.FreeAfterConnectionError();
    ASSERT_EQ(transport.sent.size(), before + 2);
    EXPECT_NE(transport.sent[before].body.find("client3on3=0"), std::string::npos);
    EXPECT_NE(transport.sent[before + 1].body.find("client3on2=0"), std::string::npos);
    EXPECT_NE(transport.sent[before + 1].body.find("sex2=M"), std::string::npos);
    EXPECT_EQ(desk.Seat(), 0);
}

// The nick in a picture's file name comes from the score server: only a plain name makes a file,
// and it stays in the shared folder's "History".
TEST(PlayerPicturePath, OnlyPlainNamesInTheHistoryFolder) {
    const std::filesystem::path shared = "/games";
    EXPECT_EQ(PlayerPicturePath(shared, "Anna"), shared / "History" / "Anna.bmp");
    EXPECT_EQ(PlayerPicturePath(shared, "Иван \"$*&\""), shared / "History" / "Иван \"$*&\".bmp");
    for (const char* nick : {"", "X", ".", "..", "../../etc/passwd", "a/b", "a\\b", "C:x", "tab\there",
                             "0123456789012345678901234567890123456789012345678901234567890123456789"})
        EXPECT_EQ(PlayerPicturePath(shared, nick), std::nullopt) << nick;
}

} // namespace
} // namespace tarvo
