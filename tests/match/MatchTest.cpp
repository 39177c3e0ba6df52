#include <gtest/gtest.h>

#include "../core/TestSupport.h"
#include "core/Invariants.h"
#include "core/Round.h"
#include "core/Script.h"
#include "match/Driver.h"

using namespace tarvo;
using tarvo::test::Position;
using tarvo::test::RecordingView;

namespace {

// Plays the first legal card, or passes.
class FirstLegal : public ComputerPlayer {
  public:
    MoveChoice Decide(const GameState& g, TableView&, MoveKind, int seat, bool) override {
        for (int slot = 1; slot <= g.KolCards[seat]; ++slot)
            if (CanPlaySlot(g, slot)) return {slot, false};
        return {0, true};
    }
};

class ButtonView : public RecordingView {
  public:
    bool actionEnabled = false;
    void EnableActionButton(bool on) override { actionEnabled = on; }
};

} // namespace

TEST(GameTimer, Decisions) {
    GameState g = Position({"6ч", "7ч 8б", "6б"}, 1, "");
    MatchFlags flags;
    g.StartPending = 1;
    g.HodPhase = 0; // "To Begin" waits: no computer move
    EXPECT_EQ(DecideTick(g, flags, PlayMode::Local), TickAction::None);
    BeginPlay(g);
    EXPECT_EQ(DecideTick(g, flags, PlayMode::Local), TickAction::ComputerStep);
    EXPECT_EQ(DecideTick(g, flags, PlayMode::Network), TickAction::None); // the network moves nobody
    g.HodPhase = 13;
    EXPECT_EQ(DecideTick(g, flags, PlayMode::Local), TickAction::None); // the human confirms
    g.GameOver = 1;
    EXPECT_EQ(DecideTick(g, flags, PlayMode::Network), TickAction::EndDisplay);
    flags.EndShown = true;
    EXPECT_EQ(DecideTick(g, flags, PlayMode::Local), TickAction::None);

    // A two-player bout between the computers ends on the next tick.
    GameState duel = Position({"6ч", "Тп 7ч", ""}, 1, "");
    RecordingView view;
    ASSERT_EQ(RunScript(duel, view, {"1 leads 6ч -> 3", "2 beats 7ч -> 2", "1 passes -> 5"}), "");
    EXPECT_EQ(DecideTick(duel, {}, PlayMode::Local), TickAction::ComputerStep);
}

TEST(GameTimer, EndOfGameDisplay) {
    struct Case {
        int kon;
        PlayMode mode;
        bool rated, server;
        bool cont, exit, cycle;
    };
    const Case cases[] = {
        {7, PlayMode::Local, false, true, true, true, false},
        {30, PlayMode::Local, false, true, false, true, true}, // the 30th game: only "Exit to menu"
        {4, PlayMode::Local, true, true, true, false, false},  // rated: blocks of three
        {6, PlayMode::Local, true, true, false, true, false},
        {5, PlayMode::Network, false, true, true, false, false},
        {5, PlayMode::Network, false, false, false, false, false},
        {60, PlayMode::Network, false, false, false, true, true},
    };
    for (const auto& c : cases) {
        GameState g;
        g.KonNumber = c.kon;
        g.Loser = 1;
        EndDisplay d = DecideEndDisplay(g, c.mode, c.rated, c.server, false);
        EXPECT_EQ(d.continueEnabled, c.cont) << c.kon;
        EXPECT_EQ(d.exitEnabled, c.exit) << c.kon;
        EXPECT_EQ(d.cycleComplete, c.cycle) << c.kon;
    }
    GameState g;
    g.Loser = 4;
    EXPECT_STREQ(DecideEndDisplay(g, PlayMode::Local, false, true, false).sound, "WKoGood"); // a draw
    EXPECT_EQ(DecideEndDisplay(g, PlayMode::Local, false, true, false).result, GameResult::Draw);
    g.Loser = 3;
    EXPECT_STREQ(DecideEndDisplay(g, PlayMode::Local, false, true, false).sound, "WKoBads");
    EXPECT_FALSE(DecideEndDisplay(g, PlayMode::Tournament, false, true, false).exitEnabled);
    EXPECT_TRUE(DecideEndDisplay(g, PlayMode::Tournament, false, true, true).exitEnabled);
}

TEST(HumanInput, WrongCardSoundsAndChangesNothing) {
    GameState g = Position({"6ч 9б", "7ч 8б", "Кч Кк"}, 3, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    ButtonView view;
    FirstLegal computer;
    MatchContext m{g, view, computer, nullptr, PlayMode::Local, {}};
    StepDriver d(m);
    EXPECT_TRUE(OwnCardAccepted(g, 2)); // any card may lead
    ClickOwnCard(m, 2, false);          // leads Кк
    EXPECT_EQ(g.HodPhase, 6);
    GameTick(d); // seat 1 cannot beat the king of clubs: takes
    EXPECT_EQ(g.HodPhase, 3);
    EXPECT_TRUE(view.actionEnabled); // the human adds or stops
    GameState before = g;
    view.events.clear();
    ClickOwnCard(m, 1, false); // Кч: a king lies on the table, so it may be added
    EXPECT_EQ(g.KolCards[3], 0);
    g = before;
    g.InGameI[1] = tarvo::test::Card("Тк"); // no king on the table any more
    ClickOwnCard(m, 1, false);
    EXPECT_TRUE(view.Has("sound WWrongs"));
    EXPECT_EQ(g.KolCards[3], 1);
    ClickOwnCard(m, 1, true); // the right button only speaks
    EXPECT_EQ(g.KolCards[3], 1);
}

// Whole local games through the pipeline: the computers move on ticks, the human (here a simple
// policy) clicks cards and the action button, and confirms every bout end.
TEST(Pipeline, LocalGamesToTheEnd) {
    SeededDecks decks(99);
    GameState g;
    ButtonView view;
    FirstLegal computer;
    MatchContext m{g, view, computer, nullptr, PlayMode::Local, {}};
    StepDriver d(m);
    StartSeries(m, decks, 0);
    int games = 0, steps = 0, cycles = 0;
    while (games < 40) {
        // Deterministic choices can repeat a bout for ever; such a game is dealt anew.
        if (++steps > 3000) {
            ++cycles;
            steps = 0;
            NextGame(m, decks);
        }
        if (g.StartPending == 1) {
            PressActionButton(m, decks);
            continue;
        }
        if (g.GameOver) {
            GameTick(d);
            ASSERT_TRUE(m.flags.EndShown);
            ++games;
            steps = 0;
            PressActionButton(m, decks); // "We play still!"
            continue;
        }
        if (PendingBoutEnd(g) && !g.DuelMode) {
            ASSERT_TRUE(view.actionEnabled) << "the human confirms every bout end";
            PressActionButton(m, decks);
        } else if (ActingSeat(g) == 3 && !PendingBoutEnd(g)) {
            MoveChoice a = computer.Decide(g, view, CurrentKind(g), 3, false);
            if (a.pass)
                PressActionButton(m, decks);
            else
                ClickOwnCard(m, a.slot, false);
        } else {
            GameTick(d);
        }
        auto problems = CheckInvariants(g);
        ASSERT_TRUE(problems.empty()) << problems.front();
    }
    EXPECT_EQ(g.KonNumber, 41 + cycles);
    EXPECT_LT(cycles, 4);
}
