// The strong computer: it decides from what its seat can see, the same way for a seed, within the
// rules; and it remembers what the table saw picked up.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "Fixture.h"
#include "ai/Strong.h"
#include "core/Round.h"

using namespace tarvo;

namespace {

struct Decision {
    GameState g;
    MoveKind kind;
    int seat;
    bool isThird;
};

// Three-player decisions with a choice to make, from classic games of a few seeds.
std::vector<Decision> Decisions(int wanted) {
    std::vector<Decision> found;
    NullView view;
    for (std::uint32_t seed = 1; static_cast<int>(found.size()) < wanted && seed < 50; ++seed) {
        GameState g;
        SeededDecks decks(seed);
        Deal(g, view, decks, false);
        BeginPlay(g);
        for (int steps = 0; steps < 400 && !g.GameOver && !g.DuelMode; ++steps) {
            if (auto end = PendingBoutEnd(g)) {
                g.HodPhase = 1;
                FinishBout(g, view, *end);
                continue;
            }
            const int seat = ActingSeat(g);
            const MoveKind kind = CurrentKind(g);
            int playable = 0;
            for (int slot = 1; slot <= g.KolCards[seat]; ++slot) playable += CanPlaySlot(g, slot);
            // Every few steps, so that the positions come from every stage of a game.
            if (playable + CanPass(g) >= 2 && steps % 5 == 0)
                found.push_back({g, kind, seat, ActsAsThird(g)});
            MoveChoice c = ComputerMove(g, view, kind, seat, ActsAsThird(g), SearchOptions::Headless());
            if (c.pass ? !ApplyPass(g, view) : !ApplyCard(g, view, c.slot)) break;
        }
    }
    return found;
}

// The same position with the cards the seat cannot see dealt differently among the other hands
// and the talon above its open trump.
GameState Permuted(const Decision& d, std::mt19937& random) {
    GameState h = d.g;
    std::vector<TStr2> hidden;
    for (int s = 1; s <= 3; ++s)
        if (s != d.seat)
            for (int i = 1; i <= h.KolCards[s]; ++i) hidden.push_back(h.CardsI[s][i]);
    for (int p = h.Och; p < DeckSize; ++p) hidden.push_back(h.KolodaI[p]);
    std::shuffle(hidden.begin(), hidden.end(), random);
    std::size_t next = 0;
    for (int s = 1; s <= 3; ++s) {
        if (s == d.seat) continue;
        const int n = h.KolCards[s];
        h.CardsI[s].Fill(NoCard);
        h.CardsJ[s].Fill(EmptyRank);
        for (int i = 1; i <= n; ++i) {
            h.CardsI[s][i] = hidden[next++];
            h.CardsJ[s][i] = RankOf(h.CardsI[s][i]);
        }
        SortHand(h.CardsI[s], h.CardsJ[s], h.CardsAux[s], h.Koz, n);
    }
    for (int p = h.Och; p < DeckSize; ++p) {
        h.KolodaI[p] = hidden[next++];
        h.KolodaJ[p] = RankOf(h.KolodaI[p]);
    }
    return h;
}

TEST(StrongComputer, DecidesFromTheSeatsViewAloneTheSameForASeedAndWithinTheRules) {
    const std::vector<Decision> decisions = Decisions(16);
    ASSERT_GE(decisions.size(), 16u);
    std::mt19937 random(5);
    StrongOptions options;
    options.deals = 6;
    NullView view;
    for (const Decision& d : decisions) {
        const Sightings none;
        const SearchOptions search = SearchOptions::Headless();
        MoveChoice choice = StrongMove(d.g, view, d.kind, d.seat, d.isThird, none, search, options);
        EXPECT_EQ(StrongMove(d.g, view, d.kind, d.seat, d.isThird, none, search, options), choice)
            << "the same position and seed";
        for (int k = 0; k < 2; ++k) {
            GameState other = Permuted(d, random);
            EXPECT_EQ(StrongMove(other, view, d.kind, d.seat, d.isThird, none, search, options), choice)
                << "the hidden cards moved, seat " << d.seat << " kind " << d.kind;
        }
        EXPECT_EQ(FinalGuard(d.g, d.kind, d.seat, choice), choice);
        EXPECT_TRUE(choice.pass ? CanPass(d.g) : CanPlaySlot(d.g, choice.slot));
    }
}

TEST(Sightings, APickedUpCardIsKnownUntilItIsSeenAgain) {
    test::Position p("п", 30);
    p.Hand(1, "6ч 7ч 8ч").Hand(2, "Тб Кб Дб").Hand(3, "9ч 1ч Вч");
    GameState& g = p.g;
    g.KonNumber = 4;
    g.KolodaI[DeckSize] = test::Card("6п");
    p.Attacker(1).Table("6б"); // seat 2 defends
    Sightings seen;
    seen.BoutEnding(g, BoutEnd::Beaten);
    EXPECT_TRUE(seen.Known(g, 3, 2).none()) << "a beaten bout goes to the discards";

    seen.BoutEnding(g, BoutEnd::Taken);
    p.Table("").Hand(2, "Тб Кб Дб 6б"); // the defender holds it now
    const auto six = static_cast<std::size_t>(CardNumber(test::Card("6б")));
    EXPECT_TRUE(seen.Known(g, 3, 2).test(six));
    EXPECT_TRUE(seen.Known(g, 3, 1).none());

    g.Bito[1] = test::Card("6б"); // played again and discarded
    EXPECT_TRUE(seen.Known(g, 3, 2).none());
    g.Bito[1] = NoCard;
    g.KonNumber = 5; // the next game
    EXPECT_TRUE(seen.Known(g, 3, 2).none());
}

} // namespace
