// Whole games replayed from the deal of a fixed deck: every step goes through the script driver,
// and the bookkeeping between bouts (refills, the empty talon, two-player play, the result) is
// checked where a game really reaches it.
#include <gtest/gtest.h>

#include <sstream>
#include <stdexcept>

#include "TestSupport.h"
#include "core/Deck.h"
#include "core/Invariants.h"
#include "core/Result.h"
#include "core/Round.h"
#include "core/Rules.h"
#include "core/Script.h"

using namespace tarvo;
using tarvo::test::RecordingView;

namespace {

// Also records every card drawn from the talon as "seat card", in the order drawn.
class DrawingView : public RecordingView {
  public:
    std::vector<std::string> draws;

    void FlyCard(const CardFlight& f) override {
        if (f.from == Place::Talon) draws.push_back(std::to_string(f.toSeat) + " " + f.card.Utf8());
    }
};

Deck DeckOf(const std::string& text) {
    auto deck = ParseDeck(text);
    if (!deck) throw std::invalid_argument("not a deck");
    return *deck;
}

// One move a line, blank lines skipped.
std::vector<std::string> Moves(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.find_first_not_of(' ') != std::string::npos) lines.push_back(line);
    return lines;
}

// Plays the moves and hands back what the talon gave out meanwhile.
std::vector<std::string> Play(GameState& g, DrawingView& view, const std::string& moves) {
    view.draws.clear();
    std::string error = RunScript(g, view, Moves(moves));
    if (!error.empty()) throw std::runtime_error(error);
    if (auto problems = CheckInvariants(g); !problems.empty()) throw std::runtime_error(problems.front());
    return view.draws;
}

using Draws = std::vector<std::string>;

} // namespace

TEST(ScriptedGame, FromTheDealToAFool) {
    // Spades are trumps; seat 3 is dealt the first row, seat 1 the second, seat 2 the third.
    const Deck deck = DeckOf("Дк Дп 9ч Тч 1ч Кк  9п 8б Вч Кп 1к 6б  6ч Дч 7п 6к 7к Тк "
                             "6п 7б 8к Тп Вб 8п  1б Вп Вк 9к Кб 8ч  Кч 7ч Тб Дб 9б 1п");
    GameState g;
    DrawingView view;
    FixedDecks decks({deck});
    Deal(g, view, decks, false);
    EXPECT_EQ(g.HodSeat, 2); // the lowest trump of a first game, shown face up
    EXPECT_TRUE(view.Has("shown 2 7п"));
    EXPECT_EQ(g.HodPhase, 0);
    EXPECT_NE(RunScriptLine(g, view, "2 leads 6к"), "") << "no lead before the start button";

    Play(g, view, R"(
start -> 1
2 leads 6к -> 6
3 beats Дк -> 2
2 passes -> 9
1 passes -> 13
confirm -> 1

3 leads 7б
1 beats Кп
3 passes
2 passes
confirm

1 leads Вч
2 beats Дч
1 passes
3 passes
confirm

2 leads 7к
3 beats 8к
2 throws 7п
3 beats Дп
2 passes
1 passes
confirm

3 leads 9ч
1 beats Тп
3 passes -> 9
2 throws Тк -> 14
1 beats 9п -> 7
2 passes -> 4
3 passes -> 13
)");
    EXPECT_EQ(g.Och, 29);
    // Attacker 3, third seat 2, defender 1, each up to six.
    EXPECT_EQ(Play(g, view, "confirm"), (Draws{"3 Кб", "2 8ч", "1 Кч", "1 7ч"}));
    EXPECT_EQ(g.HodSeat, 1);

    Play(g, view, R"(
1 leads 6б
2 beats 1б
1 passes
3 throws 1ч
2 beats 6п
3 passes
1 throws 1к
2 beats 8п
1 throws 8б
2 beats Вп
1 passes
3 passes
)");
    EXPECT_EQ(TalonCount(g), 4);
    EXPECT_FALSE(view.Has("sound WKoloNo"));
    // Four cards left for three hands short of 3, 1 and 4: the defender gets none.
    EXPECT_EQ(Play(g, view, "confirm"), (Draws{"1 Тб", "1 Дб", "1 9б", "3 1п"}));
    EXPECT_EQ(g.KolCards[2], 2);
    EXPECT_EQ(view.Count("sound WKoloNo"), 1); // the bout that emptied the talon

    Play(g, view, R"(
2 leads 8ч
3 beats Тч
2 passes
1 passes
confirm

3 leads 9к
1 takes -> 3
3 stops -> 10
2 stops -> 12
confirm -> 1

2 leads 6ч
3 beats 1п
2 passes
1 passes
confirm
)");
    // Seat 2 played its last card; seats 1 and 3 play on, the defender 3 attacking.
    EXPECT_EQ(g.KolCards[2], 0);
    EXPECT_EQ(g.DuelMode, 1);
    EXPECT_EQ(g.DuelPair, 3);
    EXPECT_EQ(g.DuelPhase, 1);
    EXPECT_EQ(g.HodPhase, 1);
    EXPECT_EQ(g.HodSeat, 3);
    EXPECT_EQ(DefenderSeat(g), 1);
    EXPECT_EQ(g.GameOver, 0);

    Play(g, view, R"(
3 leads Вк -> 3
1 takes -> 4
3 stops -> 6
confirm -> 1
)");
    EXPECT_EQ(g.HodSeat, 3); // a take leaves the attack where it was
    Play(g, view, R"(
3 leads Кб -> 3
1 beats Тб -> 2
3 passes -> 5
confirm -> 1
)");
    EXPECT_EQ(g.HodSeat, 1); // a discard hands it to the defender
    Play(g, view, R"(
1 leads Вк
3 beats Кк
1 passes
confirm
)");

    EXPECT_EQ(g.GameOver, 1);
    EXPECT_EQ(g.Loser, 1);
    EXPECT_EQ(g.FoolCount[1], 1);
    EXPECT_EQ(g.FoolCount[2], 0);
    EXPECT_EQ(g.FoolCount[3], 0);
    EXPECT_EQ(g.FirstSeat, 2); // from under the fool
    EXPECT_TRUE(view.Has("reveal 1"));
    EXPECT_EQ(view.Count("sound WKoloNo"), 1);
    EXPECT_NE(RunScriptLine(g, view, "confirm"), "") << "nothing is left to play";
}

TEST(ScriptedGame, SecondGameOfASeriesToADraw) {
    // Clubs are trumps. Seat 2 lost the first game of the series; from under him seat 3 leads.
    const Deck deck = DeckOf("1ч Дп 9к Кч 8ч Вч  Вк 7б Тк 7п Дк Тч  9б 1к 8к 6ч Дч 6к "
                             "1п 6б Вп 9п Тб 8б  Кп 6п 1б Вб Тп 8п  7ч Дб 9ч 7к Кб Кк");
    GameState g;
    g.Rules.FirstBoutFive = true;
    g.KonNumber = 1;
    g.Loser = 2;
    g.FoolCount[2] = 1;
    ComputeSeriesScore(g);
    g.FirstSeat = 3;
    DrawingView view;
    DealDeck(g, view, deck, true);
    EXPECT_EQ(g.KonNumber, 2);
    EXPECT_EQ(g.HodSeat, 3);
    EXPECT_EQ(g.BoutLimit, 5);

    Play(g, view, R"(
start
3 leads Вч -> 6
1 beats Дк -> 2
3 throws Дп -> 6
1 beats Вк -> 2
3 passes -> 9
2 throws Дч -> 14
1 beats Тч -> 7
2 passes -> 4
3 passes -> 13
confirm -> 1
)");
    EXPECT_EQ(g.BoutLimit, 6); // the first discarded bout lifts the limit
    EXPECT_TRUE(view.Has("marker off"));

    EXPECT_EQ(Play(g, view, R"(
1 leads 7п
2 beats 8к
1 passes
3 throws 8ч
2 beats 1к
3 throws 1ч
2 beats 6к
3 throws 1п
2 beats Вп
3 throws 6б
2 beats 9б
3 passes
1 passes
confirm
)"),
              (Draws{"1 Кп", "3 6п", "3 1б", "3 Вб", "3 Тп", "2 8п", "2 7ч", "2 Дб", "2 9ч", "2 7к"}));
    EXPECT_EQ(TalonCount(g), 2);

    Play(g, view, R"(
2 leads 7к
3 beats 9к
2 passes
1 throws 9п
3 beats Тп
1 throws Тб -> 14
3 takes -> 8
1 adds 7б
1 adds Тк
1 stops -> 5
2 adds 7ч
)");
    EXPECT_EQ(g.KolHods, 6); // the sixth attack card of a bout, now that one has been discarded
    EXPECT_FALSE(view.Has("sound WKoloNo"));
    // The taker draws nothing; the attacker 2 takes the last two cards and the third seat 1 none.
    EXPECT_EQ(Play(g, view, "2 stops -> 12\nconfirm"), (Draws{"2 Кб", "2 Кк"}));
    EXPECT_EQ(g.KolCards[1], 2);
    EXPECT_EQ(g.HodSeat, 1);
    EXPECT_EQ(view.Count("sound WKoloNo"), 1);

    Play(g, view, R"(
1 leads 8б
2 beats Кб
1 throws Кп
2 beats Кк
1 passes -> 9
3 throws Кч -> 14
2 takes -> 8
3 stops -> 5
1 stops -> 12
confirm
)");
    // Seat 1 is out after a take; the third seat 3 attacks seat 2.
    EXPECT_EQ(g.DuelMode, 1);
    EXPECT_EQ(g.DuelPair, 2);
    EXPECT_EQ(g.HodSeat, 3);
    EXPECT_EQ(DefenderSeat(g), 2);

    Play(g, view, R"(
3 leads 9п
2 beats Кк
3 throws 9к
2 takes
3 stops
confirm

3 leads 1б
2 beats 9к
3 passes
confirm

2 leads 9п
3 beats Тк
2 throws 9ч
3 beats 7к
2 passes
confirm

3 leads 6п
2 takes
3 stops
confirm

3 leads 7б
2 beats Дб
3 throws 7ч
2 beats Кч
3 passes
confirm

2 leads 6п
3 beats Тп
2 throws 6ч
3 takes
2 stops
confirm

2 leads 8б
3 beats Вб
2 throws 8п
3 beats Тп
2 passes
confirm

3 leads 6ч
2 beats Кк
3 throws 6п
2 beats Кп
3 passes
confirm
)");
    EXPECT_EQ(g.KolCards[2], 1);
    EXPECT_EQ(g.KolCards[3], 1);
    Play(g, view, R"(
2 leads Кб -> 3
3 beats Тб -> 2
2 passes -> 5
confirm
)");

    // Both went out in the same bout: nobody is the fool and the series stands.
    EXPECT_EQ(g.GameOver, 1);
    EXPECT_EQ(g.Loser, 4);
    EXPECT_EQ(g.FoolCount[1], 0);
    EXPECT_EQ(g.FoolCount[2], 1);
    EXPECT_EQ(g.FoolCount[3], 0);
    EXPECT_EQ(g.SeatScore[2], -20);
    EXPECT_EQ(g.FirstSeat, 3);
    EXPECT_EQ(view.Count("sound WKoloNo"), 1);
}

// A defender who took draws nothing even when he holds fewer than six and the talon could give:
// in a dealt game a taker always holds more than six while the talon lasts, so a position.
TEST(ScriptedGame, TakerIsNotRefilledEvenWhenShort) {
    GameState g = test::Position({"6ч 6б 9к", "7к 8к", "6к Тб Дб Кб"}, 1, "Вч Вб Вк Дч Кч Тч Тк Тп");
    DrawingView view;
    Play(g, view, R"(
1 leads 6ч -> 6
2 takes -> 3
1 adds 6б -> 3
1 stops -> 10
3 stops -> 12
)");
    EXPECT_EQ(Play(g, view, "confirm"), (Draws{"1 Вч", "1 Вб", "1 Вк", "1 Дч", "1 Кч", "3 Тч", "3 Тк"}));
    EXPECT_EQ(g.KolCards[2], 4);
    EXPECT_EQ(TalonCount(g), 1);
    EXPECT_EQ(g.HodSeat, 3);
    EXPECT_FALSE(view.Has("sound WKoloNo"));
}
