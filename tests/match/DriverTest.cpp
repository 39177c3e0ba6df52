// The step driver: whose step is due, steps given from outside, bout ends, repetition, autoplay.
#include <gtest/gtest.h>

#include "../core/TestSupport.h"
#include "core/Round.h"
#include "core/Script.h"
#include "match/Autoplay.h"

using namespace tarvo;
using tarvo::test::Card;
using tarvo::test::Position;
using tarvo::test::RecordingView;

namespace {

class CountingSink : public RecordSink {
  public:
    int sent = 0;
    void SendRecord(const std::optional<std::string>&, const std::optional<std::string>&, int, int) override {
        ++sent;
    }
};

TEST(StepDriver, NextTurn) {
    GameState g = Position({"6ч 7к", "7ч 8б", "6б 9б"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    g.StartPending = 1;
    EXPECT_EQ(NextTurn(g).seat, 0) << "nothing is due before the start button";
    g.StartPending = 2;
    Turn t = NextTurn(g);
    EXPECT_EQ(t.seat, 1);
    EXPECT_EQ(t.kind, Lead);
    RecordingView view;
    ASSERT_EQ(RunScript(g, view, {"1 leads 6ч -> 6", "2 beats 7ч -> 2", "1 passes -> 9", "3 passes -> 13"}), "");
    t = NextTurn(g);
    EXPECT_EQ(t.seat, 0);
    EXPECT_EQ(t.boutEnd, BoutEnd::Beaten);
    g.GameOver = 1;
    EXPECT_TRUE(NextTurn(g).over);
}

// A network game: seat 1's step arrives as a record, seat 3's is the human's at this machine.
TEST(StepDriver, GivenStepsFromOutside) {
    GameState g = Position({"6ч 7к", "7ч 8б", "6б 9б"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    RecordingView view;
    AiPlayer computer;
    CountingSink sink;
    MatchContext m{g, view, computer, &sink, PlayMode::Network, {}};
    StepDriver d(m);

    // A record for a seat that does not act, or a step the rules refuse, changes nothing.
    EXPECT_FALSE(d.GivenStep(2, PlaySlot(1), StepOrigin::Remote));
    EXPECT_FALSE(d.GivenStep(1, PassChoice, StepOrigin::Remote)) << "a lead cannot be passed";
    EXPECT_FALSE(d.GivenStep(1, PlaySlot(5), StepOrigin::Remote));
    EXPECT_FALSE(d.GivenStep(1, PlaySlot(1))) << "seat 1 has no human at this machine";
    EXPECT_FALSE(d.EndBout()) << "no bout end is due";
    EXPECT_EQ(g.KolCards[1], 2);
    EXPECT_EQ(g.HodPhase, 1);

    // A remote lead is applied and not sent on; the human's answer is sent.
    EXPECT_TRUE(d.GivenStep(1, PlaySlot(1), StepOrigin::Remote));
    EXPECT_EQ(g.InGameI[1], Card("6ч"));
    EXPECT_EQ(sink.sent, 0);
    EXPECT_TRUE(d.GivenStep(2, PlaySlot(1), StepOrigin::Remote));
    EXPECT_TRUE(d.GivenStep(1, PassChoice, StepOrigin::Remote));
    EXPECT_EQ(d.Next().seat, 3);
    EXPECT_TRUE(d.GivenStep(3, PassChoice));
    EXPECT_EQ(sink.sent, 1);
    EXPECT_EQ(d.Next().boutEnd, BoutEnd::Beaten);
    EXPECT_FALSE(d.GivenStep(3, PassChoice)) << "a bout end is ended, not passed";
    EXPECT_TRUE(d.EndBout());
    EXPECT_EQ(g.HodSeat, 2);
    EXPECT_EQ(d.Next().seat, 2);
}

// The key holds the hands in slot order and their sizes: equal ranks in another order, or the same
// cards split otherwise between the hands, are other positions.
// A new series deals its first game with the same number and open trump as the last game (a
// replayed deal always does): the pick-ups seen in that game must not follow into this one.
TEST(StepDriver, AGameBeginsWithoutTheLastGamesPickUps) {
    const GameState dealt = Position({"6ч 7к", "7ч 8б", "6б 9б"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    GameState g = dealt;
    RecordingView view;
    AiPlayer computer;
    MatchContext m{g, view, computer, nullptr, PlayMode::Local, {}};
    StepDriver d(m);
    d.Begin();
    ASSERT_TRUE(d.GivenStep(1, PlaySlot(1), StepOrigin::Remote)); // 6ч
    ASSERT_TRUE(d.GivenStep(2, PassChoice, StepOrigin::Remote)); // seat 2 takes
    while (!NextTurn(g).boutEnd && d.ComputerStep()) {
    }
    ASSERT_EQ(NextTurn(g).boutEnd, BoutEnd::Taken);
    ASSERT_TRUE(d.EndBout());
    const auto sixOfHearts = static_cast<std::size_t>(CardNumber(Card("6ч")));
    ASSERT_TRUE(computer.Seen().Known(g, 3, 2).test(sixOfHearts));

    g = dealt; // 6ч is back in seat 1's hand
    d.Begin();
    for (int seat = 1; seat <= 3; ++seat) EXPECT_TRUE(computer.Seen().Known(g, 3, seat).none()) << seat;
}

TEST(StepDriver, BoutStartKey) {
    const std::string talon = "6п 7п 8п 9п 1п Вп Дп Кп Тп";
    GameState a = Position({"6ч 7к", "7ч 8б", "6б 9б"}, 1, talon);
    BoutStarts starts;
    EXPECT_FALSE(starts.Note(a));
    EXPECT_TRUE(starts.Note(a));

    GameState order = a;
    std::swap(order.CardsI[2][1], order.CardsI[2][2]);
    std::swap(order.CardsJ[2][1], order.CardsJ[2][2]);
    EXPECT_FALSE(starts.Note(order));

    GameState split = Position({"6ч", "7к 7ч 8б", "6б 9б"}, 1, talon);
    EXPECT_FALSE(starts.Note(split));
    GameState attacker = a;
    attacker.HodSeat = 2;
    EXPECT_FALSE(starts.Note(attacker));
    starts.Clear();
    EXPECT_FALSE(starts.Note(a));
}

// A deck whose first game of a series brings a bout back to a position it started from before.
constexpr const char* CyclingDeck =
    "1б 6к 8к 8ч 9ч 7к Дп Дк Тк Кб Вч Кк 6п Тч Кч Тб 6б 7б Вб 1к 9к Вк 1п 7п 8п 6ч "
    "7ч 9п Дч Тп Дб Кп 8б 1ч Вп 9б";

// With the computer in every seat that game would never end: the driver notices the repeated bout
// start, seat 3 answers at random from then on, and autoplay finishes its game.
TEST(Autoplay, RepeatedGameIsBrokenBySeatThree) {
    auto deck = ParseDeck(CyclingDeck);
    ASSERT_TRUE(deck);
    FixedDecks decks({*deck});
    GameState g;
    NullView view;
    AutoplayPlayer player;
    MatchContext m{g, view, player, nullptr, PlayMode::Local, {}};
    StepDriver d(m);
    Autoplay autoplay(player, 1);
    StartSeries(m, decks, 0);
    bool repeated = false;
    AutoplayTick tick = AutoplayTick::Played;
    for (int ticks = 0; ticks < 5000 && tick == AutoplayTick::Played; ++ticks) {
        tick = autoplay.Tick(d);
        repeated = repeated || player.randomSeatThree;
    }
    EXPECT_TRUE(repeated);
    EXPECT_EQ(tick, AutoplayTick::Finished);
    EXPECT_TRUE(g.GameOver);
    EXPECT_TRUE(m.flags.EndShown);
    EXPECT_EQ(autoplay.Played(), 1);
}

} // namespace
