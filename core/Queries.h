// Card-array queries over a hand (64 slots, 36 used) or the table (12 slots).
// Scans run by rank value 1..9 first and, within a rank, by slot: "lowest" is the first match in
// that order, "highest" the last. A slot result of 0 means none.
#pragma once

#include <algorithm>

#include "Card.h"

namespace tarvo {

template <std::size_t N> constexpr int UsedSlots() {
    return std::min<int>(static_cast<int>(N), DeckSize);
}

template <std::size_t N> bool HasCard(const Arr1<TStr2, N>& cards, TStr2 card) {
    for (int i = 1; i <= UsedSlots<N>(); ++i)
        if (cards[i] == card) return true;
    return false;
}

template <std::size_t N> int SlotOfCard(const Arr1<TStr2, N>& cards, TStr2 card) {
    for (int i = 1; i <= UsedSlots<N>(); ++i)
        if (cards[i] == card) return i;
    return 0;
}

// The first (lowest) or last (highest) slot, in rank-then-slot order, whose card satisfies pred:
// one pass over the slots, keeping the smallest (or largest) rank seen, the earlier slot on a tie
// (or the later one).
template <std::size_t N, class Pred>
int LowestWhere(const Arr1<TStr2, N>& cards, const Arr1<Byte, N>& ranks, Pred pred) {
    int found = 0, foundRank = RankCount + 1;
    for (int i = 1; i <= UsedSlots<N>(); ++i) {
        int r = ranks[i];
        if (r >= 1 && r < foundRank && pred(cards[i], r)) {
            found = i;
            foundRank = r;
        }
    }
    return found;
}
template <std::size_t N, class Pred>
int HighestWhere(const Arr1<TStr2, N>& cards, const Arr1<Byte, N>& ranks, Pred pred) {
    int found = 0, foundRank = 0;
    for (int i = 1; i <= UsedSlots<N>(); ++i) {
        int r = ranks[i];
        if (r >= foundRank && r >= 1 && r <= RankCount && pred(cards[i], r)) {
            found = i;
            foundRank = r;
        }
    }
    return found;
}
template <std::size_t N, class Pred>
int CountWhere(const Arr1<TStr2, N>& cards, const Arr1<Byte, N>& ranks, Pred pred) {
    int n = 0;
    for (int i = 1; i <= UsedSlots<N>(); ++i)
        if (ranks[i] != EmptyRank && pred(cards[i], ranks[i])) ++n;
    return n;
}
template <std::size_t N, class Pred>
RankSet RanksWhere(const Arr1<TStr2, N>& cards, const Arr1<Byte, N>& ranks, Pred pred) {
    RankSet set;
    for (int i = 1; i <= UsedSlots<N>(); ++i)
        if (ranks[i] != EmptyRank && pred(cards[i], ranks[i])) set.Add(ranks[i]);
    return set;
}

inline int LowestOfOtherSuits(const TCards_I1x36& I, const TCards_J1x36& J, char suit) {
    return LowestWhere(I, J, [suit](TStr2 c, int) { return c.suit != suit; });
}
inline int LowestOfSuit(const TCards_I1x36& I, const TCards_J1x36& J, char suit) {
    return LowestWhere(I, J, [suit](TStr2 c, int) { return c.suit == suit; });
}
inline int SecondLowestOfSuit(const TCards_I1x36& I, const TCards_J1x36& J, char suit) {
    TCards_I1x36 copy = I;
    TCards_J1x36 ranks = J;
    int lowest = LowestOfSuit(copy, ranks, suit);
    if (lowest == 0) return 0;
    copy[lowest] = NoCard;
    ranks[lowest] = EmptyRank;
    return LowestOfSuit(copy, ranks, suit);
}
inline TStr2 LowestTrumpCode(const TCards_I1x36& I, const TCards_J1x36& J, char trump) {
    int slot = LowestOfSuit(I, J, trump);
    return slot ? I[slot] : NoCard;
}
inline bool HasNonTrump(const TCards_I1x36& I, char trump) {
    for (int i = 1; i <= DeckSize; ++i)
        if (!I[i].Empty() && I[i].suit != trump) return true;
    return false;
}
// True when every non-trump on the table is a jack, queen, king or ace (also with none at all).
inline bool OnlyHighNonTrumpsOnTable(const TCards_I1x12& I, const TCards_J1x12& J, char trump) {
    return CountWhere(I, J, [trump](TStr2 c, int r) { return c.suit != trump && r < 6; }) == 0;
}
inline RankSet RanksOnTable(const TCards_I1x12& I, const TCards_J1x12& J) {
    return RanksWhere(I, J, [](TStr2, int) { return true; });
}
inline RankSet NonTrumpRanksOnTable(const TCards_I1x12& I, const TCards_J1x12& J, char trump) {
    return RanksWhere(I, J, [trump](TStr2 c, int) { return c.suit != trump; });
}
inline RankSet RanksInHand(const TCards_I1x36& I, const TCards_J1x36& J) {
    return RanksWhere(I, J, [](TStr2, int) { return true; });
}
inline RankSet RanksOfSuitInHand(const TCards_I1x36& I, const TCards_J1x36& J, char suit) {
    return RanksWhere(I, J, [suit](TStr2 c, int) { return c.suit == suit; });
}
inline int LowestNonTrumpInSet(const TCards_I1x36& I, const TCards_J1x36& J, char trump, RankSet set) {
    return LowestWhere(I, J, [&](TStr2 c, int r) { return c.suit != trump && set.Has(r); });
}
inline int LowestTrumpInSet(const TCards_I1x36& I, const TCards_J1x36& J, char trump, RankSet set) {
    return LowestWhere(I, J, [&](TStr2 c, int r) { return c.suit == trump && set.Has(r); });
}
// The highest non-trump of a wanted rank; a trump only when no such non-trump exists.
inline int HighestInSet(const TCards_I1x36& I, const TCards_J1x36& J, char trump, RankSet set) {
    int slot = HighestWhere(I, J, [&](TStr2 c, int r) { return c.suit != trump && set.Has(r); });
    return slot ? slot : HighestWhere(I, J, [&](TStr2, int r) { return set.Has(r); });
}
inline int CountNonTrumpsInSet(const TCards_I1x36& I, const TCards_J1x36& J, char trump, RankSet set) {
    return CountWhere(I, J, [&](TStr2 c, int r) { return c.suit != trump && set.Has(r); });
}
inline int CountNonTrumpsInSet(const TCards_I1x12& I, const TCards_J1x12& J, char trump, RankSet set) {
    return CountWhere(I, J, [&](TStr2 c, int r) { return c.suit != trump && set.Has(r); });
}
inline int CountInSet(const TCards_I1x36& I, const TCards_J1x36& J, RankSet set) {
    return CountWhere(I, J, [&](TStr2, int r) { return set.Has(r); });
}

// Puts a hand into its normal form: non-trumps by rank, then trumps by rank, equal ranks in their
// previous order, "##" / 99 / 0 after the last card. Returns the new card count. The rules know
// how far a hand reaches (its count, one more while a played card leaves a gap) and say so in
// `used`: the slots after it are empty.
int SortHand(TCards_I1x36& I, TCards_J1x36& J, TCards_J1x36& aux, char trump, int used = DeckSize);

} // namespace tarvo
