#include "ai/Positions.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "core/Queries.h"

namespace tarvo {
namespace {

int Uniform(std::mt19937& rng, int lo, int hi) {
    return std::uniform_int_distribution<int>(lo, hi)(rng);
}

// Takes a random card from the pool that satisfies pred; false when there is none.
template <class Pred> bool TakeCard(std::mt19937& rng, std::vector<TStr2>& pool, Pred pred, TStr2& card) {
    std::vector<std::size_t> fits;
    for (std::size_t i = 0; i < pool.size(); ++i)
        if (pred(pool[i])) fits.push_back(i);
    if (fits.empty()) return false;
    std::size_t pick = fits[static_cast<std::size_t>(Uniform(rng, 0, static_cast<int>(fits.size()) - 1))];
    card = pool[pick];
    pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(pick));
    return true;
}

struct Table {
    std::vector<TStr2> cards;
    int hods = 0;
    int free = 0;
};

// beaten pairs, then unbeaten attack cards; every attack card after the first matches a table rank.
bool BuildTable(std::mt19937& rng, std::vector<TStr2>& pool, char trump, int pairs, int unbeaten, Table& t) {
    auto attack = [&]() {
        TStr2 card;
        bool ok = TakeCard(
            rng, pool,
            [&](TStr2 c) {
                if (t.cards.empty()) return true;
                return std::any_of(t.cards.begin(), t.cards.end(), [&](TStr2 x) { return x.rank == c.rank; });
            },
            card);
        if (ok) {
            t.cards.push_back(card);
            ++t.hods;
        }
        return ok;
    };
    for (int i = 0; i < pairs; ++i) {
        if (!attack()) return false;
        TStr2 toBeat = t.cards.back(), card;
        if (!TakeCard(
                rng, pool, [&](TStr2 c) { return Beats(c, toBeat, trump); }, card))
            return false;
        t.cards.push_back(card);
    }
    for (int i = 0; i < unbeaten; ++i)
        if (!attack()) return false;
    t.free = unbeaten;
    return true;
}

} // namespace

EndgamePosition RandomEndgamePosition(std::mt19937& rng, int cardsInPlay, MoveKind kind) {
    int minimum = kind == Lead ? 2 : kind == ThrowIn ? 4 : 3;
    if (kind == NoKind || cardsInPlay < minimum || cardsInPlay > DeckSize)
        throw std::invalid_argument("no such endgame position");
    for (;;) {
        std::vector<TStr2> pool;
        for (int n = 1; n <= DeckSize; ++n) pool.push_back(CardFromNumber(n));
        std::shuffle(pool.begin(), pool.end(), rng);
        char trump = SuitChars[static_cast<std::size_t>(Uniform(rng, 1, 4))];
        // The cards out of play, the bottom card among them, end in the discard pile.
        std::vector<TStr2> inPlay(pool.begin(), pool.begin() + cardsInPlay);
        std::vector<TStr2> outOfPlay(pool.begin() + cardsInPlay, pool.end());

        // Table size leaves at least one card in each hand, and as many in the defender's as he
        // has unbeaten cards in front of him.
        int pairs = 0, unbeaten = 0;
        int room = cardsInPlay - 2;
        switch (kind) {
        case Lead:
            break;
        case ThrowIn:
            pairs = Uniform(rng, 1, std::min(6, room / 2));
            break;
        case Beat:
            pairs = Uniform(rng, 0, std::min(5, (room - 1) / 2));
            unbeaten = 1;
            break;
        case Add:
            pairs = Uniform(rng, 0, std::min(5, (room - 1) / 2));
            unbeaten = Uniform(rng, 1, std::min(6 - pairs, (cardsInPlay - 2 * pairs) / 2));
            break;
        case NoKind:
            break;
        }
        Table table;
        if (!BuildTable(rng, inPlay, trump, pairs, unbeaten, table)) continue;

        int inHands = static_cast<int>(inPlay.size());
        int defenderMin = std::max(1, unbeaten);
        if (inHands < defenderMin + 1) continue;
        int defenderCount = Uniform(rng, defenderMin, inHands - 1);

        EndgamePosition pos;
        GameState& g = pos.game;
        g.DuelMode = 1;
        g.DuelPair = static_cast<Byte>(Uniform(rng, 1, 3));
        int attacker = Uniform(rng, 0, 1) ? PairFirst(g.DuelPair) : PairSecond(g.DuelPair);
        int defender = OtherOfPair(g.DuelPair, attacker);
        g.HodSeat = static_cast<Byte>(attacker);
        g.HodPhase = 1;
        g.DuelPhase = static_cast<Byte>(kind == Lead ? 1 : kind == ThrowIn ? 2 : kind == Beat ? 3 : 4);
        g.StartPending = 2;
        g.KonNumber = 1;

        // The deck only has to show the trump at the bottom; every card of it is out of the talon.
        auto bottom =
            std::find_if(outOfPlay.begin(), outOfPlay.end(), [&](TStr2 c) { return c.suit == trump; });
        if (bottom == outOfPlay.end()) continue;
        std::iter_swap(bottom, outOfPlay.end() - 1);
        std::vector<TStr2> deck = outOfPlay;
        deck.insert(deck.begin(), pool.begin(), pool.begin() + cardsInPlay);
        for (int p = 1; p <= DeckSize; ++p) {
            g.KolodaI[p] = deck[static_cast<std::size_t>(p - 1)];
            g.KolodaJ[p] = RankOf(g.KolodaI[p]);
        }
        g.Koz = trump;
        g.Och = DeckSize + 1;
        for (TStr2 c : outOfPlay) g.Bito[g.BitoNext++] = c;

        auto deal = [&](int seat, int count) {
            for (int i = 1; i <= count; ++i) {
                TStr2 c = inPlay.back();
                inPlay.pop_back();
                g.CardsI[seat][i] = c;
                g.CardsJ[seat][i] = RankOf(c);
            }
            g.KolCards[seat] =
                static_cast<Byte>(SortHand(g.CardsI[seat], g.CardsJ[seat], g.CardsAux[seat], trump));
        };
        deal(defender, defenderCount);
        deal(attacker, inHands - defenderCount);

        for (TStr2 c : table.cards) {
            g.InGameI[g.OchGame] = c;
            g.InGameJ[g.OchGame] = RankOf(c);
            ++g.OchGame;
            ++g.KolCardsStol;
        }
        g.KolHods = static_cast<Byte>(table.hods);
        g.KolFree = static_cast<Byte>(table.free);
        if (!table.cards.empty()) {
            // The most recent attack card: the last unbeaten one, or the last pair's first card.
            std::size_t at = table.free ? table.cards.size() - 1 : table.cards.size() - 2;
            g.KartaHod = table.cards[at];
            g.DostHod = RankOf(g.KartaHod);
        }
        pos.kind = kind;
        pos.seat = kind == Beat ? defender : attacker;
        return pos;
    }
}

} // namespace tarvo

namespace tarvo {

std::vector<EndgamePosition> BenchPositions(int count, std::uint32_t seed, int cardsInPlay) {
    static constexpr std::array<MoveKind, 4> Kinds{Lead, ThrowIn, Beat, Add};
    std::mt19937 rng(seed);
    std::vector<EndgamePosition> positions;
    positions.reserve(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i)
        positions.push_back(RandomEndgamePosition(rng, cardsInPlay, Kinds[static_cast<std::size_t>(i % 4)]));
    return positions;
}

} // namespace tarvo
