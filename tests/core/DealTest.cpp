#include <gtest/gtest.h>

#include <random>
#include <set>

#include "TestSupport.h"
#include "core/Invariants.h"
#include "core/Queries.h"
#include "core/Round.h"

using namespace tarvo;
using tarvo::test::Card;
using tarvo::test::RecordingView;

namespace {

std::string DeckText(const Deck& deck, int from, int to) {
    std::string out;
    for (int p = from; p <= to; ++p) out += (p > from ? " " : "") + deck[p].Utf8();
    return out;
}

// A deck from its 18 dealt cards (seat 3, seat 1, seat 2) and the bottom card; the rest fills in.
Deck DeckOf(const std::string& dealt, const std::string& bottom) {
    std::istringstream in(dealt + " " + bottom);
    std::vector<TStr2> head;
    for (std::string w; in >> w;) head.push_back(Card(w));
    TStr2 last = head.back();
    head.pop_back();
    std::set<int> used;
    for (TStr2 c : head) used.insert(CardNumber(c));
    used.insert(CardNumber(last));
    for (int n = 1; n <= DeckSize; ++n)
        if (!used.count(n)) head.push_back(CardFromNumber(n));
    head.push_back(last);
    Deck deck;
    for (int p = 1; p <= DeckSize; ++p) deck[p] = head[static_cast<std::size_t>(p - 1)];
    return deck;
}

} // namespace

TEST(Shuffle, SeedPinsTheDeckAndEveryDeckIsAPermutation) {
    // Pinned: a changed generator would silently change every reproducible simulation.
    EXPECT_EQ(DeckText(ShuffleDeck(1), 1, 6), "9п Тп Дб Тб 6ч 7ч");
    EXPECT_EQ(DeckText(ShuffleDeck(1), 36, 36), "1б");
    // The documented draw from std::mt19937, against which the shuffle's own engine must agree.
    auto reference = [](std::uint32_t seed) {
        std::mt19937 rng(seed);
        std::array<bool, DeckSize + 1> drawn{};
        Deck deck;
        for (int p = 0; p < DeckSize;) {
            int n = 1 + static_cast<int>((static_cast<std::uint64_t>(rng()) * DeckSize) >> 32);
            if (!drawn[static_cast<std::size_t>(n)]) {
                drawn[static_cast<std::size_t>(n)] = true;
                deck[++p] = CardFromNumber(n);
            }
        }
        return deck;
    };
    for (std::uint32_t seed : {0u, 1u, 4294967295u}) EXPECT_EQ(ShuffleDeck(seed), reference(seed)) << seed;
    for (std::uint32_t seed = 0; seed < 2000; ++seed) {
        Deck deck = ShuffleDeck(seed);
        ASSERT_EQ(deck, reference(seed)) << seed;
        std::set<int> numbers;
        for (int p = 1; p <= DeckSize; ++p) numbers.insert(CardNumber(deck[p]));
        ASSERT_EQ(numbers.size(), 36u);
    }
    SeededDecks a(7), b(7);
    EXPECT_EQ(a.NextDeck(), b.NextDeck());
    ClockDecks clock;
    EXPECT_NE(clock.NextDeck(), clock.NextDeck()); // a redeal in the same tick still differs
    EXPECT_EQ(ParseDeck(DeckText(ShuffleDeck(3), 1, 36)), ShuffleDeck(3));
    EXPECT_FALSE(ParseDeck("6ч 6ч"));
}

TEST(Deal, PacketsTalonAndTrump) {
    GameState g;
    RecordingView view;
    Deck deck = ShuffleDeck(11);
    FixedDecks decks({deck});
    Deal(g, view, decks, false, 40);
    EXPECT_EQ(g.KonNumber, 41);
    EXPECT_EQ(g.KonStart, 40);
    EXPECT_EQ(g.Och, 19);
    EXPECT_EQ(g.Koz, deck[36].suit);
    for (auto [seat, first] : {std::pair{3, 1}, {1, 7}, {2, 13}})
        for (int p = first; p < first + 6; ++p) EXPECT_TRUE(HasCard(g.CardsI[seat], deck[p])) << seat;
    EXPECT_TRUE(CheckInvariants(g).empty());
    EXPECT_EQ(g.StartPending, 1);
    EXPECT_EQ(g.HodPhase, 0);
    EXPECT_TRUE(view.Has("sound WTasoKo"));
    EXPECT_TRUE(view.Has("caption ToBegin"));
}

TEST(Deal, NoFiveOfSuitCountsOnlyNonTrumps) {
    // Seat 1's packet holds five hearts; spades are trumps: shuffle again.
    Deck fiveHearts = DeckOf("6б 7б 8б 9б 1б Вк  6ч 7ч 8ч 9ч 1ч 6к  7к 8к 9к Дб Кб Тб", "Тп");
    // Five trumps in one packet are no reason to redeal.
    Deck fiveTrumps = DeckOf("6п 7п 8п 9п 1п 6ч  7ч 8ч 6б 7б 8б 6к  7к 8к 9к Дб Кб Тб", "Тп");
    EXPECT_TRUE(HasFiveOfSuit(fiveHearts));
    EXPECT_FALSE(HasFiveOfSuit(fiveTrumps));

    GameState g;
    g.Rules.NoFiveOfSuit = true;
    RecordingView view;
    FixedDecks decks({fiveHearts, fiveTrumps});
    Deal(g, view, decks, false);
    EXPECT_EQ(g.KolodaI[1], Card("6п"));

    GameState off;
    FixedDecks once({fiveHearts});
    Deal(off, view, once, false); // without the option the deck stands
    EXPECT_EQ(off.KolodaI[1], Card("6б"));
}

TEST(Deal, FirstAttacker) {
    struct Case {
        const char* dealt; // seat 3, seat 1, seat 2
        const char* bottom;
        int loser;     // of the previous game
        int kon;       // games dealt before in this series
        int firstSeat; // fixed by the previous game
        int expected;
        const char* shown;
    };
    const Case cases[] = {
        // First game: the lowest trump leads; seats 1 and 2 show it.
        {"7п 6ч 7ч 8ч 9ч 1ч  6п 6б 7б 8б 9б 1б  8п 6к 7к 8к 9к 1к", "Тп", 0, 0, 0, 1, "6п"},
        {"6п 6ч 7ч 8ч 9ч 1ч  7п 6б 7б 8б 9б 1б  8п 6к 7к 8к 9к 1к", "Тп", 0, 0, 0, 3, "##"},
        {"9п 6ч 7ч 8ч 9ч 1ч  Кб 6б 7б 8б 9б 1б  8п 6к 7к 8к 9к 1к", "Тп", 0, 0, 0, 2, "8п"},
        // Nobody holds a trump: seat 3.
        {"Вч 6ч 7ч 8ч 9ч 1ч  Вб 6б 7б 8б 9б 1б  Вк 6к 7к 8к 9к 1к", "Тп", 0, 0, 0, 3, "##"},
        // Later games follow FirstSeat, except after a draw.
        {"7п 6ч 7ч 8ч 9ч 1ч  6п 6б 7б 8б 9б 1б  8п 6к 7к 8к 9к 1к", "Тп", 2, 3, 3, 3, "##"},
        {"7п 6ч 7ч 8ч 9ч 1ч  6п 6б 7б 8б 9б 1б  8п 6к 7к 8к 9к 1к", "Тп", 4, 3, 3, 1, "6п"},
    };
    for (const auto& c : cases) {
        GameState g;
        RecordingView view;
        g.KonNumber = c.kon;
        g.KonStart = 0;
        g.Loser = static_cast<Byte>(c.loser);
        g.FirstSeat = static_cast<Byte>(c.firstSeat);
        DealDeck(g, view, DeckOf(c.dealt, c.bottom), true);
        EXPECT_EQ(g.HodSeat, c.expected) << c.dealt;
        EXPECT_EQ(g.ShownTrump.Utf8(), c.shown) << c.dealt;
        EXPECT_EQ(g.Loser, 0);
    }
}

// The hand a card flies into is drawn when it lands: it must already be in order then, with the
// card in the slot the flight names.
TEST(Refill, EveryCardLandsInASortedHand) {
    struct LandingView : RecordingView {
        const GameState* g = nullptr;
        std::vector<std::string> faults;
        void FlyCard(const CardFlight& f) override {
            const int seat = f.toSeat;
            TCards_I1x36 sorted = g->CardsI[seat];
            TCards_J1x36 ranks = g->CardsJ[seat], aux;
            SortHand(sorted, ranks, aux, g->Koz, g->KolCards[seat]);
            if (!(sorted == g->CardsI[seat])) faults.push_back("unsorted at " + f.card.Utf8());
            if (!(g->CardsI[seat][f.toSlot] == f.card)) faults.push_back("not in its slot: " + f.card.Utf8());
        }
    };
    // Refill: two low hearts and a diamond come after an ace; spades are trumps.
    GameState refill = test::Position({"Тч Тб", "7б", "Тк"}, 1, "6ч 7ч 8б Вп");
    LandingView view;
    view.g = &refill;
    Refill(refill, view, 1);
    EXPECT_EQ(refill.KolCards[1], 6);
    // Take: the defender picks up two diamonds around the one it holds.
    GameState take = test::Position({"Тч", "7б", "Тк"}, 1, "Вп");
    take.KolCardsStol = 2;
    for (int i : {1, 2}) {
        take.InGameI[i] = Card(i == 1 ? "9б" : "6б");
        take.InGameJ[i] = RankOf(take.InGameI[i]);
    }
    view.g = &take;
    Take(take, view, 2);
    EXPECT_EQ(take.KolCards[2], 3);
    EXPECT_TRUE(view.faults.empty()) << view.faults.front();
}

TEST(Refill, OrderAndShortTalon) {
    // The talon holds three cards: the attacker refills first and leaves the others short.
    GameState g = test::Position({"6ч 7ч", "8ч 9ч 1ч 6б", "7б 8б 9б 1б 6к 7к"}, 1, "Вч Дч Тп");
    RecordingView view;
    Refill(g, view, 1);
    Refill(g, view, 3);
    Refill(g, view, 2);
    EXPECT_EQ(g.KolCards[1], 5);
    EXPECT_EQ(g.KolCards[2], 4);
    EXPECT_EQ(g.Och, 37);
    EXPECT_TRUE(HasCard(g.CardsI[1], Card("Тп"))); // the trump card is drawn last
    EXPECT_TRUE(CheckInvariants(g).empty());
}
