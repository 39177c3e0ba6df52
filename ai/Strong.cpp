#include "ai/Strong.h"

#include <algorithm>
#include <vector>

#include "core/Queries.h"
#include "core/Round.h"

namespace tarvo {
namespace {

constexpr bool IsTake(BoutEnd how) {
    return how == BoutEnd::Taken || how == BoutEnd::DuelTaken;
}

std::uint64_t Mix(std::uint64_t h, std::uint64_t v) {
    // SplitMix64's finaliser over a running hash: every bit of v reaches every bit of the result.
    std::uint64_t z = h ^ (v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2));
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

// A small generator whose draws are the same on every machine and standard library.
class DealRandom {
  public:
    explicit DealRandom(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() { return state_ = Mix(state_, 1); }
    // Uniform in 0..n-1 by rejection.
    int Below(int n) {
        const std::uint64_t bound = static_cast<std::uint64_t>(n);
        const std::uint64_t limit = ~std::uint64_t{0} - (~std::uint64_t{0} % bound);
        std::uint64_t x;
        do x = Next();
        while (x >= limit);
        return static_cast<int>(x % bound);
    }

  private:
    std::uint64_t state_;
};

using Cards = Sightings::Cards;

Cards HandCards(const GameState& g, int seat) {
    Cards c;
    for (int i = 1; i <= g.KolCards[seat]; ++i)
        if (IsRealCard(g.CardsI[seat][i])) c.set(static_cast<std::size_t>(CardNumber(g.CardsI[seat][i])));
    return c;
}

// Everything lying open: the table, the discards, and the trump under the talon while it is there.
Cards OpenCards(const GameState& g) {
    Cards c;
    for (int i = 1; i < g.OchGame && i <= 12; ++i)
        if (IsRealCard(g.InGameI[i])) c.set(static_cast<std::size_t>(CardNumber(g.InGameI[i])));
    for (int i = 1; i <= DeckSize; ++i)
        if (IsRealCard(g.Bito[i])) c.set(static_cast<std::size_t>(CardNumber(g.Bito[i])));
    if (TalonCount(g) > 0 && IsRealCard(g.KolodaI[DeckSize]))
        c.set(static_cast<std::size_t>(CardNumber(g.KolodaI[DeckSize])));
    return c;
}

// What the seat sees: its hand, what lies open, what others hold in view, and the counts. The
// deals are drawn from this alone, so the hidden cards' places cannot change the decision.
struct View {
    int seat = 0;
    std::array<Cards, 4> known; // the others' cards in view
    Cards own, open;
    std::vector<int> pool;       // the hidden cards by number, in order
    std::array<int, 4> hidden{}; // how many hidden cards each other seat holds
    int talonHidden = 0;
    std::uint64_t hash = 0;
};

View SeatView(const GameState& g, int seat, MoveKind kind, bool isThird, const Sightings& seen) {
    View v;
    v.seat = seat;
    v.own = HandCards(g, seat);
    v.open = OpenCards(g);
    Cards inView = v.own | v.open;
    for (int s = 1; s <= 3; ++s) {
        if (s == seat) continue;
        v.known[static_cast<std::size_t>(s)] = seen.Known(g, seat, s);
        inView |= v.known[static_cast<std::size_t>(s)];
        v.hidden[static_cast<std::size_t>(s)] =
            g.KolCards[s] - static_cast<int>(v.known[static_cast<std::size_t>(s)].count());
    }
    for (int n = 1; n <= DeckSize; ++n)
        if (!inView.test(static_cast<std::size_t>(n))) v.pool.push_back(n);
    const int talon = TalonCount(g);
    v.talonHidden = talon > 0 ? talon - 1 : 0;

    std::uint64_t h = Mix(0, static_cast<std::uint64_t>(seat * 8 + kind * 2 + (isThird ? 1 : 0)));
    auto bits = [](const Cards& c) { return (c >> 1).to_ullong(); };
    h = Mix(h, bits(v.own));
    h = Mix(h, bits(v.open));
    for (int s = 1; s <= 3; ++s) h = Mix(h, bits(v.known[static_cast<std::size_t>(s)]) * 4 + g.KolCards[s]);
    for (int i = 1; i < g.OchGame && i <= 12; ++i)
        h = Mix(h, static_cast<std::uint64_t>(CardNumber(g.InGameI[i])));
    h = Mix(h, static_cast<std::uint64_t>(g.Och) | static_cast<std::uint64_t>(g.HodSeat) << 8 |
                   static_cast<std::uint64_t>(g.HodPhase) << 16 |
                   static_cast<std::uint64_t>(g.KolHods) << 24 | static_cast<std::uint64_t>(g.KolFree) << 32 |
                   static_cast<std::uint64_t>(g.BoutLimit) << 40 |
                   static_cast<std::uint64_t>(static_cast<unsigned char>(g.Koz)) << 48);
    v.hash = h;
    return v;
}

bool Consistent(const View& v) {
    int need = v.talonHidden;
    for (int s = 1; s <= 3; ++s) {
        if (s == v.seat) continue;
        if (v.hidden[static_cast<std::size_t>(s)] < 0) return false;
        need += v.hidden[static_cast<std::size_t>(s)];
    }
    return need == static_cast<int>(v.pool.size());
}

void FillHand(GameState& h, int seat, const std::vector<int>& numbers) {
    h.CardsI[seat].Fill(NoCard);
    h.CardsJ[seat].Fill(EmptyRank);
    h.CardsAux[seat].Fill(EmptyRank);
    int n = 0;
    for (int number : numbers) {
        TStr2 card = CardFromNumber(number);
        ++n;
        h.CardsI[seat][n] = card;
        h.CardsJ[seat][n] = RankOf(card);
    }
    h.KolCards[seat] =
        static_cast<Byte>(SortHand(h.CardsI[seat], h.CardsJ[seat], h.CardsAux[seat], h.Koz, n));
}

// One way the hidden cards may lie: the known cards where they are seen, the rest shuffled into
// the others' hands and the talon above the open trump.
GameState Determinise(const GameState& g, const View& v, DealRandom& random) {
    std::vector<int> pool = v.pool;
    for (int i = static_cast<int>(pool.size()) - 1; i > 0; --i)
        std::swap(pool[static_cast<std::size_t>(i)], pool[static_cast<std::size_t>(random.Below(i + 1))]);
    GameState h = g;
    std::size_t next = 0;
    for (int s = 1; s <= 3; ++s) {
        if (s == v.seat) continue;
        std::vector<int> hand;
        for (int n = 1; n <= DeckSize; ++n)
            if (v.known[static_cast<std::size_t>(s)].test(static_cast<std::size_t>(n))) hand.push_back(n);
        for (int k = 0; k < v.hidden[static_cast<std::size_t>(s)]; ++k) hand.push_back(pool[next++]);
        FillHand(h, s, hand);
    }
    for (int p = g.Och; p < DeckSize && next < pool.size(); ++p) {
        h.KolodaI[p] = CardFromNumber(pool[next++]);
        h.KolodaJ[p] = RankOf(h.KolodaI[p]);
    }
    return h;
}

// Plays the determinised game to its end: `first` is the seat's step now, then the classic
// computer decides for everybody. 1 when the seat is not the fool, 0 when it is, a half when the
// game would not end.
double PlayOut(GameState h, int seat, MoveChoice first, const SearchOptions& search) {
    NullView view;
    bool firstDone = false;
    for (int steps = 0; steps < 1000; ++steps) {
        if (h.GameOver) return h.Loser == seat ? 0.0 : 1.0;
        if (auto end = PendingBoutEnd(h)) {
            h.HodPhase = 1;
            if (h.DuelMode) h.DuelPhase = 1;
            FinishBout(h, view, *end);
            continue;
        }
        const int acting = ActingSeat(h);
        const MoveKind kind = CurrentKind(h);
        if (acting == 0 || kind == NoKind) break;
        MoveChoice choice = firstDone ? ComputerMove(h, view, kind, acting, ActsAsThird(h), search) : first;
        firstDone = true;
        if (!choice.pass && ApplyCard(h, view, choice.slot)) continue;
        if (ApplyPass(h, view)) continue;
        int slot = 1;
        while (slot <= h.KolCards[acting] && !CanPlaySlot(h, slot)) ++slot;
        if (slot > h.KolCards[acting] || !ApplyCard(h, view, slot)) break;
    }
    return 0.5;
}

} // namespace

Sightings::GameKey Sightings::KeyOf(const GameState& g) {
    return {g.KonNumber, CardNumber(g.KolodaI[DeckSize])};
}

void Sightings::Follow(const GameState& g) {
    if (KeyOf(g) == key_) return;
    key_ = KeyOf(g);
    held_ = {};
}

void Sightings::BoutEnding(const GameState& g, BoutEnd how) {
    Follow(g);
    if (!IsTake(how)) return;
    const int defender = DefenderSeat(g);
    if (defender < 1 || defender > 3) return;
    for (int i = 1; i < g.OchGame && i <= 12; ++i) {
        if (!IsRealCard(g.InGameI[i])) continue;
        const auto n = static_cast<std::size_t>(CardNumber(g.InGameI[i]));
        for (Cards& c : held_) c.reset(n);
        held_[static_cast<std::size_t>(defender)].set(n);
    }
}

void Sightings::Note(const GameState& g, int seat, TStr2 card) {
    Follow(g);
    if (seat < 1 || seat > 3 || !IsRealCard(card)) return;
    held_[static_cast<std::size_t>(seat)].set(static_cast<std::size_t>(CardNumber(card)));
}

Sightings::Cards Sightings::Known(const GameState& g, int viewer, int seat) const {
    if (KeyOf(g) != key_ || seat < 1 || seat > 3) return {};
    Cards c = held_[static_cast<std::size_t>(seat)] & ~OpenCards(g);
    if (viewer >= 1 && viewer <= 3) c &= ~HandCards(g, viewer);
    // A card that has left the hand unseen cannot be: the record no longer fits this game.
    if (static_cast<int>(c.count()) > g.KolCards[seat]) return {};
    return c;
}

MoveChoice StrongMove(const GameState& g, TableView& view, MoveKind kind, int seat, bool isThird,
                      const Sightings& seen, const SearchOptions& search, const StrongOptions& options) {
    const MoveChoice classic = ComputerMove(g, view, kind, seat, isThird, search);
    if (g.DuelMode || seat < 1 || seat > 3 || ActingSeat(g) != seat || CurrentKind(g) != kind) return classic;

    std::vector<MoveChoice> candidates;
    for (int slot = 1; slot <= g.KolCards[seat]; ++slot)
        if (CanPlaySlot(g, slot) && FinalGuard(g, kind, seat, PlaySlot(slot)) == PlaySlot(slot))
            candidates.push_back(PlaySlot(slot));
    if (CanPass(g) || candidates.empty()) candidates.push_back(PassChoice);
    if (candidates.size() < 2) return classic;

    View v = SeatView(g, seat, kind, isThird, seen);
    if (!Consistent(v)) v = SeatView(g, seat, kind, isThird, Sightings{});
    if (!Consistent(v)) return classic;

    // The playouts never read a clock, so a seed gives the same games on every machine.
    SearchOptions playout;
    playout.limitMs = 0;
    playout.nodeBudget = 20000;
    DealRandom random(Mix(v.hash, options.seed));
    std::vector<double> score(candidates.size(), 0.0);
    for (int d = 0; d < options.deals; ++d) {
        // Every candidate meets the same deals, so their difference is the step's, not the luck's.
        GameState h = Determinise(g, v, random);
        for (std::size_t c = 0; c < candidates.size(); ++c)
            score[c] += PlayOut(h, seat, candidates[c], playout);
    }
    std::size_t best = 0, classicAt = candidates.size();
    for (std::size_t c = 0; c < candidates.size(); ++c) {
        if (score[c] > score[best]) best = c;
        if (candidates[c] == classic) classicAt = c;
    }
    if (classicAt < candidates.size() && score[best] - score[classicAt] <= options.margin * options.deals)
        return classic;
    return FinalGuard(g, kind, seat, candidates[best]);
}

} // namespace tarvo
