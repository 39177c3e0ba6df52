// The fast search against the literal one on random legal positions of every move kind.
#include <gtest/gtest.h>

#include "ai/Computer.h"
#include "ai/Positions.h"
#include "ai/Endgame.h"
#include "core/Invariants.h"
#include "core/Queries.h"
#include "core/Round.h"
#include "tests/ai/Oracle.h"

using namespace tarvo;

namespace {

std::string Describe(const EndgamePosition& pos) {
    const GameState& g = pos.game;
    std::string text = "kind " + std::to_string(pos.kind) + " seat " + std::to_string(pos.seat) + " trump " +
                       TStr2{'6', g.Koz}.Utf8().substr(1) + " hands";
    for (int seat = 1; seat <= 3; ++seat) {
        text += " [";
        for (int i = 1; i <= g.KolCards[seat]; ++i) text += g.CardsI[seat][i].Utf8() + " ";
        text += "]";
    }
    text += " table [";
    for (int i = 1; i <= g.KolCardsStol; ++i) text += g.InGameI[i].Utf8() + " ";
    return text + "] hods " + std::to_string(g.KolHods) + " free " + std::to_string(g.KolFree);
}

constexpr std::uint64_t NodeBudget = 300000;

TEST(Differential, FastSearchAnswersAsTheLiteralSearch) {
    constexpr std::array<MoveKind, 4> Kinds{Lead, ThrowIn, Beat, Add};
    std::mt19937 rng(20261210);
    NullView view;
    int compared = 0, skipped = 0;
    for (int i = 0; i < 3000; ++i) {
        MoveKind kind = Kinds[static_cast<std::size_t>(i % 4)];
        int minimum = kind == Lead ? 2 : kind == ThrowIn ? 4 : 3;
        int cards = minimum + (i / 4) % (MaxSuper - minimum + 1);
        EndgamePosition pos = RandomEndgamePosition(rng, cards, kind);
        ASSERT_TRUE(CheckInvariants(pos.game).empty()) << Describe(pos);

        StatFool2 s = FillStatFool2(pos.game, pos.seat, "I think... ");
        SearchMode mode = kind == Add ? SearchMode::Adding : SearchMode::Normal;
        // The literal search is bounded by work rather than time, so that the positions it gives up
        // on are the same on every machine; those are not compared.
        SearchEnv literalEnv(view, pos.seat, s.Think, SearchClock{}, 0);
        SearchOutcome literal = kind == Beat ? oracle::SearchDefend(s, literalEnv, NodeBudget)
                                             : oracle::SearchAttack(s, mode, literalEnv, NodeBudget);
        if (literal.aborted) {
            ++skipped;
            continue;
        }
        SearchEnv fastEnv(view, pos.seat, s.Think, SearchClock{}, 0, SearchOptions::HeadlessNodeBudget);
        SearchOutcome fast = kind == Beat ? SearchDefend(s, fastEnv) : SearchAttack(s, mode, fastEnv);
        ++compared;

        ASSERT_FALSE(fast.aborted) << Describe(pos);
        ASSERT_EQ(fast.card, literal.card) << Describe(pos);
        ASSERT_EQ(fast.value, literal.value) << Describe(pos);
        ASSERT_EQ(fast.slotValues, literal.slotValues) << Describe(pos);
        // After a winning card the literal search still looks at stopping in adding mode.
        bool stopAfterWin =
            mode == SearchMode::Adding && fast.value == WinValue && fast.passValue == NotExamined;
        if (!stopAfterWin) {
            ASSERT_EQ(fast.passValue, literal.passValue) << Describe(pos);
        }

        // And the decision that reaches the game is a step the rules accept.
        GameState& g = pos.game;
        MoveChoice move = ComputerMove(g, view, kind, pos.seat, false, SearchOptions::Headless());
        ASSERT_TRUE(move.pass ? CanPass(g) : CanPlaySlot(g, move.slot)) << Describe(pos);
    }
    std::printf("compared %d, skipped %d\n", compared, skipped);
    EXPECT_GT(compared, 2800) << skipped << " positions skipped";
}

// The memory kept through an endgame answers every later decision exactly as a fresh search:
// whole endgames from random positions, each decision searched both ways.
TEST(Differential, KeptMemoryAnswersAsAFreshSearch) {
    std::mt19937 rng(7);
    NullView view;
    SearchMemory memory;
    SearchOptions kept = SearchOptions::Headless();
    kept.memory = &memory;
    const SearchOptions fresh = SearchOptions::Headless();
    int searched = 0;
    for (int i = 0; i < 150; ++i) {
        EndgamePosition pos = RandomEndgamePosition(rng, MaxSuper, i % 2 ? Lead : Beat);
        GameState& g = pos.game;
        for (int step = 0; step < 200 && !g.GameOver; ++step) {
            if (auto end = PendingBoutEnd(g)) {
                FinishBout(g, view, *end);
                continue;
            }
            const int seat = ActingSeat(g);
            const MoveKind kind = CurrentKind(g);
            StatFool2 a = FillStatFool2(g, seat, "I think... "), b = a;
            SearchOutcome withMemory, afresh;
            TStr2 card = EndgameMove(a, kind, view, kept, &withMemory);
            ASSERT_EQ(EndgameMove(b, kind, view, fresh, &afresh), card) << Describe({g, kind, seat});
            ASSERT_EQ(withMemory.value, afresh.value) << Describe({g, kind, seat});
            ASSERT_EQ(withMemory.slotValues, afresh.slotValues) << Describe({g, kind, seat});
            ASSERT_EQ(withMemory.passValue, afresh.passValue) << Describe({g, kind, seat});
            searched += afresh.value != NotExamined;
            ASSERT_TRUE(card.Empty() ? ApplyPass(g, view) : ApplyCard(g, view, SlotOfCard(g.CardsI[seat], card)))
                << Describe({g, kind, seat});
        }
        ASSERT_TRUE(g.GameOver);
    }
    EXPECT_GT(searched, 1000);
}

} // namespace
