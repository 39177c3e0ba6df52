#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/Invariants.h"
#include "core/Rules.h"
#include "core/Script.h"

using namespace tarvo;
using tarvo::test::Card;
using tarvo::test::Position;
using tarvo::test::RecordingView;

TEST(Legality, BeatingCard) {
    struct Case {
        const char* attack;
        const char* answer;
        bool beats;
    };
    const Case cases[] = {
        {"Тч", "6п", true},  // any trump on a non-trump, even an ace
        {"7ч", "8ч", true},  // higher of the same suit
        {"8ч", "7ч", false}, // too low
        {"7ч", "Тб", false}, // another suit, not a trump
        {"8п", "7п", false}, // a trump attack needs a higher trump
        {"8п", "9п", true},  {"8п", "Тч", false},
    };
    for (const auto& c : cases) {
        GameState g = Position({"", "", ""}, 1, "", cp::Pe);
        g.KartaHod = Card(c.attack);
        g.DostHod = RankOf(g.KartaHod);
        g.KolCards[2] = 1;
        TStr2 answer = Card(c.answer);
        EXPECT_EQ(Beats(answer, g.KartaHod, cp::Pe), c.beats) << c.attack << " " << c.answer;
        CardCheck check = CheckHumanCard(g, answer, RankOf(answer), Beat);
        EXPECT_EQ(check.wrong, !c.beats) << c.attack << " " << c.answer;
        EXPECT_FALSE(check.blocked);
    }
}

TEST(Legality, ThrowInMatchesAnyTableCardAndRespectsTheLimits) {
    GameState g = Position({"6ч 9б 9к 1к", "7ч 8б Вк Дк", "6б 7к"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    RecordingView view;
    ASSERT_EQ(RunScript(g, view, {"1 leads 6ч -> 6", "2 beats 7ч -> 2"}), "");
    // A seven lies on the table only as a defence card: throwing it in is legal.
    CardCheck seven = CheckHumanCard(g, Card("7к"), 2, ThrowIn);
    EXPECT_FALSE(seven.wrong);
    EXPECT_TRUE(CheckHumanCard(g, Card("9б"), 4, ThrowIn).wrong);
    EXPECT_FALSE(CheckHumanCard(g, Card("9б"), 4, ThrowIn).blocked);

    g.KolHods = g.BoutLimit; // the bout limit is reached
    EXPECT_TRUE(CheckHumanCard(g, Card("7к"), 2, ThrowIn).blocked);
    g.KolHods = 1;
    g.KolFree = 3;
    g.KolCards[2] = 3; // the defender could not answer another card
    EXPECT_TRUE(CheckHumanCard(g, Card("7к"), 2, Add).blocked);
}

TEST(Phases, ThreePlayerBoutWithAnnouncements) {
    GameState g = Position({"6ч 6б 9к", "7ч 7б Тк Дк", "6к 7к 8к"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    RecordingView view;
    EXPECT_EQ(ActingSeat(g), 1);
    EXPECT_FALSE(CanPass(g)); // a lead cannot be declined
    EXPECT_FALSE(ApplyPass(g, view));

    ASSERT_EQ(RunScriptLine(g, view, "1 leads 6ч -> 6"), "");
    EXPECT_TRUE(view.Has("bubble 1 Go"));
    EXPECT_TRUE(view.Has("sound WHodsDo"));
    EXPECT_EQ(g.KolFree, 1);
    EXPECT_EQ(g.KartaHod, Card("6ч"));

    ASSERT_EQ(RunScriptLine(g, view, "2 beats 7ч -> 2"), "");
    EXPECT_EQ(g.KolFree, 0);
    view.events.clear();
    ASSERT_EQ(RunScriptLine(g, view, "1 passes -> 9"), "");
    EXPECT_EQ(view.events, (std::vector<std::string>{"bubble 1 Pass", "bubble 3 Go", "sound WDing_1"}));

    EXPECT_TRUE(ActsAsThird(g));
    MoveKind kind = NoKind;
    EXPECT_TRUE(HumanTurn(g, &kind));
    EXPECT_EQ(kind, ThrowIn);
    ASSERT_EQ(RunScriptLine(g, view, "3 throws 6к -> 14"), "");
    ASSERT_EQ(RunScriptLine(g, view, "2 beats Тк -> 7"), "");
    ASSERT_EQ(RunScriptLine(g, view, "3 throws 7к -> 14"), "");
    view.events.clear();
    ASSERT_EQ(RunScriptLine(g, view, "2 takes -> 8"), "");
    EXPECT_EQ(view.events, (std::vector<std::string>{"bubble 2 Take", "bubble 3 Go", "sound WHodBer"}));
    // The third seat adds first after a take on its card, then the attacker.
    ASSERT_EQ(RunScriptLine(g, view, "3 stops -> 5"), "");
    ASSERT_EQ(RunScriptLine(g, view, "1 adds 6б -> 5"), "");
    EXPECT_EQ(g.KolFree, 2);
    ASSERT_EQ(RunScriptLine(g, view, "1 stops -> 12"), "");
    EXPECT_EQ(ActingSeat(g), 0); // waits for the action button
    EXPECT_TRUE(CheckInvariants(g).empty());

    ASSERT_EQ(RunScriptLine(g, view, "confirm -> 1"), "");
    EXPECT_EQ(g.HodSeat, 3); // the seat after the taker attacks
    EXPECT_EQ(g.KolCards[2], 8);
    EXPECT_EQ(g.KolCards[1], 6); // refilled: attacker first
    EXPECT_TRUE(CheckInvariants(g).empty());
}

TEST(Phases, AttackerThrowsAgainAfterTheThirdPassesThenTheBoutIsBeaten) {
    GameState g = Position({"6ч 6б 6к", "7ч 7б 7к Тч", "8к 9ч"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    RecordingView view;
    ASSERT_EQ(RunScript(g, view, {"1 leads 6ч -> 6", "2 beats 7ч -> 2", "1 passes -> 9", "3 passes -> 13"}),
              "");
    EXPECT_TRUE(view.Has("caption Beaten"));
    EXPECT_TRUE(view.Has("sound WHodOtb"));

    g = Position({"6ч 6б 6к", "7ч 7б 7к Тч", "6п 9ч"}, 1, "8п 7п 8к 9п 1п Вп Дп Кп Тп");
    ASSERT_EQ(RunScript(g, view,
                        {"1 leads 6ч -> 6", "2 beats 7ч -> 2", "1 passes -> 9", "3 throws 6п -> 14",
                         "2 takes -> 8", "3 stops -> 5", "1 stops -> 12", "confirm -> 1"}),
              "");
    // Phase 7 pass hands the turn back to the attacker; his pass then ends the bout at once.
    g = Position({"6ч 6б 6к", "7ч 7б 7к Тч 8п", "6п 9ч"}, 1, "8ч 7п 8к 9п 1п Вп Дп Кп Тп");
    ASSERT_EQ(RunScript(g, view,
                        {"1 leads 6ч -> 6", "2 beats 7ч -> 2", "1 passes -> 9", "3 throws 6п -> 14",
                         "2 beats 8п -> 7", "3 passes -> 4", "1 throws 6б -> 6", "2 beats 7б -> 2",
                         "1 passes -> 9", "3 passes -> 13"}),
              "");
    g = Position({"6ч 6б 6к", "7ч 7б 7к Тч 8п", "6п 9ч"}, 1, "8ч 7п 8к 9п 1п Вп Дп Кп Тп");
    ASSERT_EQ(RunScript(g, view,
                        {"1 leads 6ч -> 6", "2 beats 7ч -> 2", "1 passes -> 9", "3 throws 6п -> 14",
                         "2 beats 8п -> 7", "3 passes -> 4", "1 passes -> 13", "confirm -> 1"}),
              "");
    EXPECT_EQ(g.HodSeat, 2); // the defender attacks after a beaten bout
    EXPECT_TRUE(CheckInvariants(g).empty());
}

TEST(Phases, RefusedStepsChangeNothing) {
    GameState g = Position({"6ч 9б", "7ч", "8к"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    RecordingView view;
    GameState before = g;
    EXPECT_NE(RunScriptLine(g, view, "2 leads 7ч"), ""); // not his turn
    EXPECT_NE(RunScriptLine(g, view, "1 leads 8к"), ""); // not his card
    EXPECT_FALSE(ApplyCard(g, view, 7));                 // an empty slot
    EXPECT_EQ(g.KolCards, before.KolCards);
    EXPECT_EQ(g.HodPhase, before.HodPhase);
    ASSERT_EQ(RunScriptLine(g, view, "1 leads 6ч -> 6"), "");
    EXPECT_NE(RunScriptLine(g, view, "2 beats 8к"), "");
    EXPECT_NE(RunScriptLine(g, view, "2 passes"), ""); // the defender takes, he does not pass
}
