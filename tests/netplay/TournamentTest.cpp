// The tournament table's messages and a player's side of a table, without sockets.
#include <gtest/gtest.h>

#include "TablePlayers.h"
#include "netplay/Apply.h"
#include "netplay/TournamentMessages.h"

using namespace tarvo;

namespace {

const std::string LeadRecord = "h1eigiii103iiii0602"; // seat 1's lead, meant for seat 2

template <class T, class M> const T& As(const M& m) {
    EXPECT_TRUE(std::holds_alternative<T>(m));
    return std::get<T>(m);
}

// Links that keep what a session sends.
struct Outbox : NetLinks {
    std::vector<std::string> sent;
    int closed = 0;
    void Send(int, const std::string& bytes) override { sent.push_back(bytes); }
    void Close(int) override { ++closed; }
    void CloseAll() override { ++closed; }
};

} // namespace

TEST(TournamentMessages, BuiltByteForByte) {
    EXPECT_EQ(ConnectMessage(2), "connect2");
    EXPECT_EQ(RelayedRecord(LeadRecord, 1), LeadRecord + "1");
    EXPECT_EQ(GameEndedMessage(), "e###################");
    EXPECT_EQ(PlayerLeftMessage(3), "abort3##############");
    EXPECT_EQ(PlayerTimeUpMessage(2), "TOut###############2");
    EXPECT_EQ(OwnTimeOutMessage(), "TOut");
    EXPECT_EQ(LeaveSeatMessage(), "disA");
    EXPECT_EQ(SeriesResultMessage({-20, 10, 10}), "o  -20   10   10");
    // A chat is cut to what a message holds, and a "#" in it cannot end it early.
    EXPECT_EQ(TableChatMessage(1, "Hi #1"), "sHi  1#############1");
    EXPECT_EQ(TableChatMessage(3, "Привет, как дела у всех?"),
              "s\xCF\xF0\xE8\xE2\xE5\xF2, \xEA\xE0\xEA \xE4\xE5\xEB\xE0 \xF3" "3");
    for (const std::string& m : {GameEndedMessage(), PlayerLeftMessage(1), PlayerTimeUpMessage(1),
                                 TableChatMessage(2, std::string(40, 'x'))})
        EXPECT_EQ(m.size(), TournamentMessageLength) << m;
}

// What a player reads: the deal by its length, everything else 20 characters, cut in two or five
// in one read alike.
TEST(TournamentReader, CutsTheServersMessagesByLength) {
    const std::string deal = DealMessage(ShuffleDeck(3), false, true);
    const std::string stream = deal + RelayedRecord(LeadRecord, 1) + TableChatMessage(2, "gl hf") +
                               GameEndedMessage() + PlayerLeftMessage(2) + PlayerTimeUpMessage(3);
    for (std::size_t piece : {std::size_t{1}, std::size_t{7}, stream.size()}) {
        TableReader reader;
        std::vector<TableMessage> got;
        for (std::size_t at = 0; at < stream.size(); at += piece)
            for (TableMessage& m : reader.Feed(std::string_view(stream).substr(at, piece))) got.push_back(m);
        ASSERT_FALSE(reader.Failed()) << reader.Error();
        ASSERT_EQ(got.size(), 6u) << "pieces of " << piece;
        EXPECT_TRUE(As<DealMsg>(got[0]).firstBoutFive);
        EXPECT_EQ(As<RecordMsg>(got[1]).route, 2);
        EXPECT_EQ(As<TableChat>(got[2]).text, "gl hf");
        EXPECT_EQ(As<TableChat>(got[2]).seat, 2);
        EXPECT_TRUE(std::holds_alternative<GameEnded>(got[3]));
        EXPECT_EQ(As<PlayerLeft>(got[4]).seat, 2);
        EXPECT_EQ(As<PlayerTimeUp>(got[5]).seat, 3);
    }
}

TEST(TournamentReader, ReadsWhatAPlayerSends) {
    const std::string stream = ConnectMessage(3) + LeadRecord + TableChatMessage(3, "hello") +
                               SeriesResultMessage({10, -20, 10}) + OwnTimeOutMessage() + LeaveSeatMessage();
    PlayerReader reader;
    std::vector<PlayerMessage> got;
    for (char c : stream)
        for (PlayerMessage& m : reader.Feed(std::string_view(&c, 1))) got.push_back(m);
    ASSERT_FALSE(reader.Failed()) << reader.Error();
    ASSERT_EQ(got.size(), 6u);
    EXPECT_EQ(As<SeatConnect>(got[0]).seat, 3);
    EXPECT_EQ(As<RecordMsg>(got[1]).senderRole, 1);
    EXPECT_EQ(As<TableChat>(got[2]).text, "hello");
    EXPECT_EQ(As<SeriesResult>(got[3]).scores, (std::array<int, 3>{10, -20, 10}));
    EXPECT_TRUE(std::holds_alternative<OwnTimeOut>(got[4]));
    EXPECT_TRUE(std::holds_alternative<LeaveSeat>(got[5]));
}

TEST(TournamentReader, RefusesWhatIsNoMessage) {
    struct Case {
        const char* why;
        std::string bytes;
        bool fromServer;
    };
    const Case cases[] = {
        {"unknown first byte", "x###################", true},
        {"a record whose seat digit is not its sender", LeadRecord + "2", true},
        {"a record the codec refuses", "h1eigiii1x3iiii0602" + std::string("1"), true},
        {"time up without a seat", "TOut################", true},
        {"game over with text after it", "e#######hello#######", true},
        {"chat with a control character", "s\x01" + std::string(17, '#') + "1", true},
        {"a connect for seat 4", "connect4", false},
        {"a result that is no number", "o   10  abc   10", false},
        {"a leave that is something else", "dxxx", false},
        {"a record of wrong form", "h4eigiii103iiii0602", false},
    };
    for (const Case& c : cases) {
        bool failed = false;
        if (c.fromServer) {
            TableReader r;
            r.Feed(c.bytes);
            failed = r.Failed();
            EXPECT_TRUE(r.Feed(GameEndedMessage()).empty()) << c.why << ": bytes after a fault count";
        } else {
            PlayerReader r;
            r.Feed(c.bytes);
            failed = r.Failed();
        }
        EXPECT_TRUE(failed) << c.why;
    }
}

// A player sends "connect" and his seat, writes each record for the seat it is meant for, and
// takes only the records meant for him, in order; the deal lays out his cards by his seat.
TEST(TournamentSession, RoutesRecordsBySeat) {
    Outbox out;
    test::TablePlayer p(out, 2);
    p.session.OnConnected(7);
    ASSERT_EQ(out.sent, std::vector<std::string>{"connect2"});

    const Deck deck = ShuffleDeck(5);
    p.session.OnBytes(7, DealMessage(deck, false, true));
    ASSERT_EQ(p.session.NextIncoming(), TableIncoming::Deal);
    p.session.ApplyNext();
    // His own hand is the one seat 1's machine, dealing the same deck, sees at table seat 2.
    GameState seatOne;
    NullView none;
    DealDeck(seatOne, none, deck, false);
    EXPECT_EQ(p.g.CardsI[3], seatOne.CardsI[SeatOfRole(2, 1)]);

    p.session.SendRecord(std::string("eigiii103iiii"), std::string("iigiii103iiii"), 6, 0);
    ASSERT_EQ(out.sent.size(), 3u);
    // His seat 2 is the table's seat 1, his seat 1 the table's seat 3.
    EXPECT_EQ(out.sent[1], "h2eigiii103iiii0601");
    EXPECT_EQ(out.sent[2], "h2iigiii103iiii0603");

    // A record the server addressed to another seat breaks the game: one line, nothing applied.
    p.session.OnBytes(7, RelayedRecord("h1eigiii103iiii0603", 1));
    EXPECT_FALSE(p.interrupted.empty());
    EXPECT_TRUE(p.session.Finished());
    EXPECT_EQ(out.closed, 1);
}

// The verdicts of the server come in their turn after the records before them; "e" leaves the
// connection open for seat 1's result, "a" and "T" close it.
TEST(TournamentSession, VerdictsComeInOrder) {
    struct Case {
        std::string message;
        bool gameOver;
        int left, timeUp, closed;
    };
    for (const Case& c : {Case{GameEndedMessage(), true, 0, 0, 0}, Case{PlayerLeftMessage(3), false, 2, 0, 1},
                          Case{PlayerTimeUpMessage(1), false, 0, 3, 1}}) {
        Outbox out;
        test::TablePlayer p(out, 1);
        p.session.OnConnected(1);
        p.session.OnBytes(1, DealMessage(ShuffleDeck(9), false, true) + c.message);
        EXPECT_EQ(p.session.NextIncoming(), TableIncoming::Deal);
        p.session.ApplyNext();
        EXPECT_FALSE(p.gameOver || p.left || p.timeUp) << "the verdict came before its turn";
        p.session.ApplyNext();
        EXPECT_EQ(p.gameOver, c.gameOver);
        EXPECT_EQ(p.left, c.left);
        EXPECT_EQ(p.timeUp, c.timeUp);
        EXPECT_EQ(out.closed, c.closed);
        EXPECT_TRUE(p.session.Finished());
        EXPECT_TRUE(p.interrupted.empty());
        p.g.SeatScore[1] = 10, p.g.SeatScore[2] = 10, p.g.SeatScore[3] = -20;
        p.session.SendResult(p.g);
        EXPECT_EQ(out.sent.back() == "o  -20   10   10", c.gameOver) << "the result goes only where it can";
    }
}

// The connection breaking while a game runs interrupts it; a hostile stream does so at once.
TEST(TournamentSession, ABrokenConnectionInterrupts) {
    Outbox out;
    test::TablePlayer p(out, 3);
    p.session.OnConnected(1);
    p.session.OnBytes(1, DealMessage(ShuffleDeck(2), false, true));
    p.session.OnClosed(1);
    p.session.ApplyNext();
    EXPECT_TRUE(p.interrupted.empty());
    p.session.ApplyNext();
    EXPECT_EQ(p.interrupted, "the game server closed the connection");

    test::TablePlayer q(out, 3);
    q.session.OnConnected(1);
    q.session.OnBytes(1, std::string(2 * 1024 * 1024, 'b'));
    EXPECT_FALSE(q.interrupted.empty());
}
