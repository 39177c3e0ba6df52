#include "Queries.h"

#include <algorithm>
#include <cassert>

namespace tarvo {

// A stable counting sort on the key (trump or not, rank): every card keeps its place among the
// cards of its key, as the rank-by-rank scan of the slots would leave them.
int SortHand(TCards_I1x36& I, TCards_J1x36& J, TCards_J1x36& aux, char trump, int used) {
    used = std::clamp(used, 0, DeckSize);
    assert(std::all_of(J.v.begin() + used, J.v.begin() + DeckSize, [](Byte r) { return r == EmptyRank; }));
    constexpr int Keys = 2 * RankCount;
    struct Held {
        TStr2 card;
        Byte rank, aux, key;
    };
    std::array<Held, DeckSize> held;
    std::array<int, Keys + 2> next{};
    int count = 0;
    for (int i = 1; i <= used; ++i) {
        const Byte r = J[i];
        if (r < 1 || r > RankCount) continue;
        const auto key = static_cast<Byte>(r + (I[i].suit == trump ? RankCount : 0));
        held[static_cast<std::size_t>(count++)] = {I[i], r, aux[i], key};
        ++next[key + 1u];
    }
    next[1] = 1;
    for (std::size_t k = 2; k <= Keys + 1; ++k) next[k] += next[k - 1];
    // Emptied hand slots get 0. The slots beyond the deck are never a hand's: they stay as they are.
    for (int i = 1; i <= used; ++i) {
        I[i] = NoCard;
        J[i] = EmptyRank;
        aux[i] = 0;
    }
    for (int h = 0; h < count; ++h) {
        const Held& c = held[static_cast<std::size_t>(h)];
        const int to = next[c.key]++;
        I[to] = c.card;
        J[to] = c.rank;
        aux[to] = c.aux;
    }
    return count;
}

} // namespace tarvo
