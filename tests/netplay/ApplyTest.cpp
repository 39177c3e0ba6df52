// A record is applied only when it is exactly the step the rules allow now; a deal lands in every
// machine's own numbering with the same cards in the same players' hands.
#include <gtest/gtest.h>

#include "../core/TestSupport.h"
#include "core/Invariants.h"
#include "core/Round.h"
#include "netplay/Apply.h"

using namespace tarvo;
using tarvo::test::Card;
using tarvo::test::Position;

namespace {

// Seat 1 attacks seat 2; this machine is seat 3, the third. Spades are trumps.
GameState Bout() {
    return Position({"6ч 9б Кк", "7ч 8к Тб", "6б 7б 8б"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
}

// A record from its fields: seat 1's card, seat 2's card, the end code and the phases.
RecordMsg Record(const std::string& card1, const std::string& card2, char end, const std::string& phases) {
    const std::string bytes = "h2iiiiii" + card1 + card2 + end + phases + "2";
    ParsedMessage p = ParseMessage(bytes);
    EXPECT_TRUE(p.message) << bytes << ": " << p.error;
    return p.message ? std::get<RecordMsg>(*p.message) : RecordMsg{};
}

// Applies a record as a network machine does, through its step driver.
void Apply(GameState& g, TableView& view, const RecordMsg& r) {
    AiPlayer computer;
    MatchContext m{g, view, computer, nullptr, PlayMode::Network, {}};
    StepDriver d(m);
    ApplyRecord(d, r);
}

} // namespace

TEST(NetApply, OnlyTheStepTheRulesAllowIsTaken) {
    GameState beating = Bout();
    NullView none;
    Apply(beating, none, Record("101", "iii", 'i', "060")); // seat 1 led the six of hearts
    GameState taken = Bout();
    taken.HodPhase = 12;
    GameState mine = Bout();
    mine.HodSeat = 3;
    GameState over = Bout();
    over.GameOver = 1;
    struct Case {
        const char* what;
        GameState g;
        RecordMsg r;
        int sender, computer;
        const char* fault; // empty: taken
    } cases[] = {
        {"a lead", Bout(), Record("101", "iii", 'i', "060"), 1, 0, ""},
        {"the computer's lead from its neighbour", Bout(), Record("101", "iii", 'i', "060"), 2, 1, ""},
        {"a lead from the wrong machine", Bout(), Record("101", "iii", 'i', "060"), 2, 0,
         "from its neighbour"},
        {"a lead with other phases", Bout(), Record("101", "iii", 'i', "020"), 1, 0, "do not reach"},
        {"an empty slot", Bout(), Record("109", "iii", 'i', "060"), 1, 0, "empty slot 9"},
        {"a beat for a lead", Bout(), Record("301", "iii", 'i', "060"), 1, 0, "wrong move kind"},
        {"the defender's card", Bout(), Record("iii", "101", 'i', "060"), 1, 0, "out of turn"},
        {"a pass for a lead", Bout(), Record("iii", "iii", 'i', "010"), 1, 0, "pass the rules refuse"},
        {"two cards", Bout(), Record("101", "101", 'i', "060"), 1, 0, "two cards"},
        {"a bout end in the bout", Bout(), Record("iii", "iii", '2', "010"), 1, 0, "goes on"},
        {"a beat", beating, Record("iii", "301", 'i', "020"), 2, 0, ""},
        {"a beat of the wrong suit", beating, Record("iii", "302", 'i', "020"), 2, 0, "rules refuse"},
        {"a step of this machine's seat", mine, Record("101", "iii", 'i', "060"), 1, 0, "none is due"},
        {"the taker's end", taken, Record("iii", "iii", '2', "010"), 2, 0, ""},
        {"another taker", taken, Record("iii", "iii", '1', "010"), 2, 0, "for another end"},
        {"a beaten end for a taken one", taken, Record("iii", "iii", 'b', "010"), 2, 0, "for another end"},
        {"a record after the game", over, Record("101", "iii", 'i', "060"), 1, 0, "between games"},
    };
    for (Case& c : cases) {
        const std::string fault = CheckRecord(c.g, c.r, c.sender, c.computer);
        if (*c.fault == 0) {
            EXPECT_EQ(fault, "") << c.what;
            Apply(c.g, none, c.r);
            EXPECT_TRUE(CheckInvariants(c.g).empty()) << c.what;
        } else {
            EXPECT_NE(fault.find(c.fault), std::string::npos) << c.what << ": " << fault;
        }
    }
    EXPECT_EQ(beating.InGameI[1], Card("6ч"));
    EXPECT_EQ(beating.HodPhase, 6);
    EXPECT_EQ(beating.KolCards[1], 2);
}

// A lead that arrives before this machine pressed "To Begin" begins the game here too, so the
// button cannot begin it a second time over the lead.
TEST(NetApply, ALeadBeforeToBeginBeginsTheGame) {
    GameState g = Bout();
    g.StartPending = 1;
    g.HodPhase = 0;
    test::RecordingView view;
    ASSERT_EQ(CheckRecord(g, Record("101", "iii", 'i', "060"), 1, 0), "");
    Apply(g, view, Record("101", "iii", 'i', "060"));
    EXPECT_EQ(g.StartPending, 2);
    EXPECT_EQ(g.HodPhase, 6);
    EXPECT_TRUE(view.Has("caption Pass")); // this machine's human is the third seat
}

// Every client ends with the same cards in the same players' hands as the server, takes the two
// rules of the deal in place of its own, and follows the server's choice of the first attacker
// even when no hand holds a trump.
TEST(NetApply, ADealGivesEveryPlayerHisCards) {
    Deck deck = ShuffleDeck(5);
    // The nine trumps at the bottom of the talon: no hand holds one.
    const char trump = deck[DeckSize].suit;
    Deck noTrumps = deck;
    int next = 28, rest = 1;
    for (int i = 1; i <= DeckSize; ++i) noTrumps[deck[i].suit == trump ? next++ : rest++] = deck[i];

    for (const Deck& d : {deck, noTrumps}) {
        NullView none;
        GameState server;
        DealDeck(server, none, d, false);
        for (int role : {2, 3}) {
            GameState client;
            client.Rules.FirstMove = 0;
            client.Rules.FirstBoutFive = true;
            ParsedMessage p = ParseMessage(DealMessage(d, true, false));
            ASSERT_TRUE(p.message);
            DealFromServer(client, none, std::get<DealMsg>(*p.message), role, false, 0);
            EXPECT_EQ(client.Rules.FirstMove, 1);
            EXPECT_FALSE(client.Rules.FirstBoutFive);
            EXPECT_EQ(client.BoutLimit, 6);
            for (int seat = 1; seat <= 3; ++seat) {
                const int there = SeatOfRole(RoleOfSeat(seat, ServerRole), role);
                EXPECT_EQ(client.CardsI[there], server.CardsI[seat]) << "role " << role << " seat " << seat;
            }
            EXPECT_EQ(client.HodSeat, SeatOfRole(RoleOfSeat(server.HodSeat, ServerRole), role));
            EXPECT_EQ(DealMessageOf(server).substr(1, 72), DealMessage(d, false, false).substr(1, 72));
        }
    }
}
