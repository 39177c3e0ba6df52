#include "Queries.h"

namespace tarvo {

// A stable counting sort on the key (trump or not, rank): every card keeps its place among the
// cards of its key, as the rank-by-rank scan of the slots would leave them.
int SortHand(TCards_I1x36& I, TCards_J1x36& J, TCards_J1x36& aux, char trump) {
    constexpr int Keys = 2 * RankCount;
    std::array<Byte, DeckSize + 1> key{}; // 0: no card in that slot
    std::array<int, Keys + 2> next{};
    std::array<TStr2, DeckSize + 1> oldI;
    std::array<Byte, DeckSize + 1> oldJ, oldAux;
    for (int i = 1; i <= DeckSize; ++i) {
        const int r = J[i];
        const auto at = static_cast<std::size_t>(i);
        oldI[at] = I[i];
        oldJ[at] = J[i];
        oldAux[at] = aux[i];
        if (r < 1 || r > RankCount) continue;
        key[at] = static_cast<Byte>(r + (I[i].suit == trump ? RankCount : 0));
        ++next[key[at] + 1u];
    }
    next[1] = 1;
    for (int k = 2; k <= Keys + 1; ++k) next[static_cast<std::size_t>(k)] += next[static_cast<std::size_t>(k - 1)];
    // Emptied hand slots get 0; the slots beyond the deck are never a hand's and keep their byte.
    I.Fill(NoCard);
    J.Fill(EmptyRank);
    for (int i = 1; i <= DeckSize; ++i) aux[i] = 0;
    for (std::size_t at = 1; at <= DeckSize; ++at) {
        if (!key[at]) continue;
        const int to = next[key[at]]++;
        I[to] = oldI[at];
        J[to] = oldJ[at];
        aux[to] = oldAux[at];
    }
    return next[Keys] - 1;
}

} // namespace tarvo
