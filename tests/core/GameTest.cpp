#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/Invariants.h"
#include "core/Result.h"
#include "core/Round.h"
#include "core/Rules.h"
#include "core/Script.h"

using namespace tarvo;
using tarvo::test::Card;
using tarvo::test::Position;
using tarvo::test::RecordingView;

TEST(Game, ScriptedToAFoolThroughTwoPlayerPlay) {
    GameState g = Position({"6ч 6б", "7ч", "8к 9к"}, 1, "");
    RecordingView view;
    ASSERT_EQ(RunScript(g, view,
                        {"1 leads 6ч -> 6", "2 beats 7ч -> 2",
                         // the defender is out of cards: nothing more may be thrown in
                         "1 passes -> 9", "3 passes -> 13", "confirm"}),
              "");
    // Seat 2 went out; it would have attacked next, so the seat after it does.
    EXPECT_EQ(g.DuelMode, 1);
    EXPECT_EQ(g.DuelPair, 3);
    EXPECT_EQ(g.HodSeat, 3);
    EXPECT_EQ(g.DuelPhase, 1);
    EXPECT_EQ(DefenderSeat(g), 1);
    ASSERT_EQ(RunScript(g, view, {"3 leads 8к -> 3", "1 takes -> 4", "3 stops -> 6"}), "");
    EXPECT_EQ(ActingSeat(g), 1); // the automatic end of a two-player bout
    ASSERT_EQ(RunScript(g, view, {"confirm -> 1"}), "");
    EXPECT_EQ(g.HodSeat, 3); // after a take the same attacker goes on
    ASSERT_EQ(RunScript(g, view, {"3 leads 9к -> 3", "1 takes -> 4", "3 stops -> 6", "confirm"}), "");
    EXPECT_TRUE(CheckInvariants(g).empty());
    EXPECT_EQ(g.GameOver, 1);
    EXPECT_EQ(g.Loser, 1);
    EXPECT_EQ(g.FoolCount[1], 1);
    EXPECT_EQ(g.SeatScore[1], -20);
    EXPECT_EQ(g.SeatScore[2], 10);
    EXPECT_EQ(g.FirstSeat, 2); // from under the fool
    EXPECT_TRUE(view.Has("reveal 1"));
    EXPECT_EQ(view.Count("sound WKoloNo"), 1); // once per game, not at every bout end
}

TEST(Game, ThirdSeatIsTheFoolWhenAttackerAndDefenderGoOutTogether) {
    GameState g = Position({"6ч", "7ч", "6б 8к"}, 1, "");
    RecordingView view;
    ASSERT_EQ(RunScript(g, view, {"1 leads 6ч", "2 beats 7ч", "1 passes -> 9", "3 passes -> 13", "confirm"}),
              "");
    EXPECT_EQ(g.GameOver, 1);
    EXPECT_EQ(g.Loser, 3);
    EXPECT_FALSE(view.Has("reveal 3")); // the human's own cards are open anyway
}

TEST(Game, ScriptedToADraw) {
    GameState g = Position({"6ч", "7ч 8б", "6б"}, 1, "");
    g.FoolCount[1] = 1;
    ComputeSeriesScore(g);
    g.FirstSeat = 2;
    RecordingView view;
    ASSERT_EQ(RunScript(g, view,
                        {"1 leads 6ч", "2 beats 7ч -> 2", "1 passes -> 9", "3 throws 6б -> 14",
                         "2 beats 8б -> 7", "3 passes -> 4", "1 passes -> 13", "confirm"}),
              "");
    EXPECT_EQ(g.GameOver, 1);
    EXPECT_EQ(g.Loser, 4);
    EXPECT_EQ(g.SeatScore[1], -20); // a draw leaves the series alone
    EXPECT_EQ(g.SeatScore[3], 10);
    EXPECT_EQ(g.FirstSeat, 2);
}

TEST(Game, TwoPlayerSwitchForEachSeatGoingOut) {
    struct Case {
        int emptySeat, nextAttacker, pair, attacker;
    };
    const Case cases[] = {
        {3, 3, 1, 1}, {3, 2, 1, 2}, {1, 1, 2, 2}, {1, 3, 2, 3}, {2, 2, 3, 3}, {2, 1, 3, 1},
    };
    for (const auto& c : cases) {
        std::vector<std::string> hands = {"6ч 7ч", "6б 7б", "6к 7к"};
        hands[static_cast<std::size_t>(c.emptySeat - 1)] = "";
        GameState g = Position(hands, c.nextAttacker, "");
        g.DuelMode = 0;
        g.DuelPair = 0;
        g.DuelPhase = 0;
        NullView view;
        BoutEndBookkeeping(g, view);
        EXPECT_EQ(g.DuelMode, 1);
        EXPECT_EQ(g.DuelPhase, 1);
        EXPECT_EQ(g.DuelPair, c.pair) << c.emptySeat;
        EXPECT_EQ(g.HodSeat, c.attacker) << c.emptySeat << " " << c.nextAttacker;
        EXPECT_EQ(g.GameOver, 0);
    }
}

TEST(Game, FiveCardFirstBoutIsLiftedOnlyByADiscard) {
    const std::vector<std::string> hands = {"6ч 6б 6к 7б 7к 8б", "7ч 8ч 8к 9б 9к 1б", "Тч Тб"};
    const std::vector<std::string> fiveCards = {"1 leads 6ч",  "2 beats 7ч",  "1 throws 7б",
                                                "2 beats 9б",  "1 throws 6б", "2 beats 1б",
                                                "1 throws 6к", "2 beats 8к",  "1 throws 7к -> 6"};
    GameState g = Position(hands, 1, "Вч Вб Вк Дч Дб Дк Кч Кб Кк 6п 7п 8п Тп");
    g.BoutLimit = 5;
    RecordingView view;
    ASSERT_EQ(RunScript(g, view, fiveCards), "");
    ASSERT_EQ(RunScript(g, view, {"2 takes -> 3"}), "");
    EXPECT_NE(RunScriptLine(g, view, "1 adds 8б"), ""); // the sixth attack card is blocked
    ASSERT_EQ(RunScript(g, view, {"1 stops -> 10", "3 stops -> 12", "confirm"}), "");
    EXPECT_EQ(g.BoutLimit, 5); // a taken bout keeps the limit

    g = Position(hands, 1, "Вч Вб Вк Дч Дб Дк Кч Кб Кк 6п 7п 8п Тп");
    g.BoutLimit = 5;
    ASSERT_EQ(RunScript(g, view, fiveCards), "");
    ASSERT_EQ(RunScript(g, view, {"2 beats 9к -> 2"}), "");
    EXPECT_TRUE(CheckHumanCard(g, Card("8б"), 3, ThrowIn).blocked);
    view.events.clear();
    ASSERT_EQ(RunScript(g, view, {"1 passes -> 9", "3 passes -> 13", "confirm"}), "");
    EXPECT_EQ(g.BoutLimit, 6);
    EXPECT_TRUE(view.Has("marker off"));
    EXPECT_TRUE(CheckInvariants(g).empty());
}

TEST(Result, SeriesScoreAndNextFirstSeat) {
    struct ScoreCase {
        int f1, f2, f3, s1, s2, s3;
    };
    for (auto c :
         {ScoreCase{2, 0, 1, -30, 30, 0}, ScoreCase{0, 0, 1, 10, 10, -20}, ScoreCase{1, 1, 1, 0, 0, 0}}) {
        GameState g;
        g.FoolCount[1] = c.f1, g.FoolCount[2] = c.f2, g.FoolCount[3] = c.f3;
        ComputeSeriesScore(g);
        EXPECT_EQ(g.SeatScore[1], c.s1);
        EXPECT_EQ(g.SeatScore[2], c.s2);
        EXPECT_EQ(g.SeatScore[3], c.s3);
    }
    const int fromUnder[] = {0, 2, 3, 1}, toLearn[] = {0, 3, 1, 2};
    for (int fool = 1; fool <= 3; ++fool) {
        EXPECT_EQ(FirstSeatAfterFool(fool, 0), fromUnder[fool]);
        EXPECT_EQ(FirstSeatAfterFool(fool, 1), toLearn[fool]);
    }
}

// Whole games from real deals, each seat playing its first playable card or passing: the
// bookkeeping must hold after every step and every game must end.
TEST(Game, DealtGamesKeepTheInvariantsToTheEnd) {
    SeededDecks decks(2024);
    GameState g;
    g.Rules.FirstBoutFive = true;
    NullView view;
    int fools = 0, draws = 0;
    for (int game = 0; game < 300; ++game) {
        Deal(g, view, decks, game % 10 != 0);
        BeginPlay(g);
        ASSERT_TRUE(CheckInvariants(g).empty());
        int steps = 0;
        while (!g.GameOver) {
            ASSERT_LT(++steps, 5000) << "game " << game << " does not end";
            if (auto end = PendingBoutEnd(g)) {
                FinishBout(g, view, *end);
            } else {
                int seat = ActingSeat(g);
                bool played = false;
                for (int slot = 1; slot <= g.KolCards[seat] && !played; ++slot)
                    played = ApplyCard(g, view, slot);
                if (!played) {
                    ASSERT_TRUE(ApplyPass(g, view)) << "phase " << int(g.HodPhase);
                }
            }
            auto problems = CheckInvariants(g);
            ASSERT_TRUE(problems.empty()) << problems.front();
        }
        (g.Loser == 4 ? draws : fools)++;
    }
    EXPECT_GT(fools, 0);
}
