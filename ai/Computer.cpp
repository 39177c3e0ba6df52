#include "ai/Computer.h"

#include "ai/Endgame.h"
#include "core/Queries.h"

namespace tarvo {
namespace {

constexpr bool IsTrump(TStr2 card, char trump) {
    return card.suit == trump;
}

MoveChoice SlotOrPass(int slot) {
    return slot ? PlaySlot(slot) : PassChoice;
}

MoveChoice ThreePlayerLead(const GameState& g, int seat) {
    return PlaySlot(SmallLeadSlot(g.CardsI[seat], g.CardsJ[seat], g.Koz, 3));
}

MoveChoice ThreePlayerThrowIn(const GameState& g, int seat, bool isThird) {
    const auto& I = g.CardsI[seat];
    const auto& J = g.CardsJ[seat];
    RankSet onTable = RanksOnTable(g.InGameI, g.InGameJ);
    int c = LowestNonTrumpInSet(I, J, g.Koz, onTable);
    int t = c ? 0 : LowestTrumpInSet(I, J, g.Koz, onTable);
    if (StageOf(g.Och) != TalonStage::Early) {
        if (c) return PlaySlot(c);
        return t && J[t] <= 4 && isThird ? PlaySlot(t) : PassChoice;
    }
    int smallNonTrumpsOnTable = CountNonTrumpsInSet(g.InGameI, g.InGameJ, g.Koz, RankSet::Of({1, 2, 3, 4}));
    if (c) {
        int rank = J[c];
        if (rank <= 5) return PlaySlot(c);
        if (rank <= 7) {
            RankSet high = NonTrumpRanksOnTable(g.InGameI, g.InGameJ, g.Koz);
            return high.Has(6) || high.Has(7) || high.Has(8) ? PlaySlot(c) : PassChoice;
        }
        return smallNonTrumpsOnTable >= 2 ? PlaySlot(c) : PassChoice;
    }
    return t && J[t] <= 3 && smallNonTrumpsOnTable >= 4 ? PlaySlot(t) : PassChoice;
}

MoveChoice ThreePlayerBeat(const GameState& g, int seat) {
    int c = ChooseBeatingCard(g, seat);
    if (c == 0) return PassChoice;
    if (StageOf(g.Och) != TalonStage::Early) return PlaySlot(c);
    TStr2 card = g.CardsI[seat][c];
    int rank = g.CardsJ[seat][c];
    if (!IsTrump(card, g.Koz)) return PlaySlot(c);
    if (rank <= 4) return OnlyHighNonTrumpsOnTable(g.InGameI, g.InGameJ, g.Koz) ? PassChoice : PlaySlot(c);
    if (rank <= 8) return PassChoice;
    bool fewLeft = g.KolCards[seat] <= 3 && TalonCount(g) + g.KolCards[3] <= 6;
    return fewLeft ? PlaySlot(c) : PassChoice;
}

MoveChoice ThreePlayerAdd(const GameState& g, int seat) {
    int c = LowestNonTrumpInSet(g.CardsI[seat], g.CardsJ[seat], g.Koz, RanksOnTable(g.InGameI, g.InGameJ));
    return c && g.CardsJ[seat][c] <= 5 ? PlaySlot(c) : PassChoice;
}

MoveChoice TwoPlayerMove(const GameState& g, TableView& view, MoveKind kind, int seat,
                         const SearchOptions& options) {
    StatFool2 snapshot = FillStatFool2(g, seat, options.think);
    view.DrawBubble(seat, Bubble::Blank);
    TStr2 card = EndgameMove(snapshot, kind, view, options);
    view.DrawBubble(seat, Bubble::Name);
    if (card.Empty()) return PassChoice;
    return SlotOrPass(SlotOfCard(g.CardsI[seat], card));
}

} // namespace

// A blocked attack becomes a pass whatever was chosen, so the blocking test comes first.
MoveChoice FinalGuard(const GameState& g, MoveKind kind, int seat, MoveChoice choice) {
    if (kind == Lead || kind == ThrowIn || kind == Add) {
        if (AttackBlocked(g)) return PassChoice;
    }
    if (choice.pass) return PassChoice;
    bool inHand = choice.slot >= 1 && choice.slot <= DeckSize;
    TStr2 card = inHand ? g.CardsI[seat][choice.slot] : NoCard;
    Byte rank = inHand ? g.CardsJ[seat][choice.slot] : EmptyRank;
    if (kind == ThrowIn || kind == Add) {
        if (rank == EmptyRank || !RanksOnTable(g.InGameI, g.InGameJ).Has(rank)) return PassChoice;
    } else if (kind == Beat) {
        if (!IsRealCard(card) || !Beats(card, g.KartaHod, g.Koz)) return PassChoice;
    } else if (kind == Lead && !IsRealCard(card)) {
        return PassChoice;
    }
    return choice;
}

int SmallLeadSlot(const TCards_I1x36& I, const TCards_J1x36& J, char trump, int maxRank) {
    RankSet nonTrumpRanks = RanksWhere(I, J, [trump](TStr2 c, int) { return c.suit != trump; });
    int r1 = 0, r2 = 0;
    for (int r = 1; r <= maxRank && !r2; ++r)
        if (nonTrumpRanks.Has(r)) (r1 ? r2 : r1) = r;
    if (r1) {
        int m1 = CountNonTrumpsInSet(I, J, trump, RankSet::Of({r1}));
        int m2 = r2 ? CountNonTrumpsInSet(I, J, trump, RankSet::Of({r2})) : 0;
        return LowestNonTrumpInSet(I, J, trump, RankSet::Of({m2 > m1 ? r2 : r1}));
    }
    if (int slot = LowestOfOtherSuits(I, J, trump)) return slot;
    return LowestOfSuit(I, J, trump);
}

int ChooseBeatingCard(const TCards_I1x36& I, const TCards_J1x36& J, const TCards_I1x12& tableI,
                      const TCards_J1x12& tableJ, TStr2 kartaHod, Byte dostHod, char trump) {
    const char suit = kartaHod.suit;
    RankSet onTable = RanksOnTable(tableI, tableJ);
    // The slot of each card of the hand by suit and rank, found in one pass (the lowest slot, should
    // a card be held twice): the choice asks for one card at a time.
    std::array<std::array<Byte, RankCount + 1>, 5> slotOf{};
    for (int i = DeckSize; i >= 1; --i)
        if (J[i] >= 1 && J[i] <= RankCount) slotOf[static_cast<std::size_t>(SuitIndex(I[i].suit))][J[i]] = static_cast<Byte>(i);
    auto cardSlot = [&](char cardSuit, int r) -> int {
        if (int s = SuitIndex(cardSuit)) return slotOf[static_cast<std::size_t>(s)][static_cast<std::size_t>(r)];
        return LowestWhere(I, J, [&](TStr2 c, int rank) { return c.suit == cardSuit && rank == r; });
    };
    // The run of consecutive ranks of one suit that starts at the base; its lowest card of a rank
    // already on the table keeps the attackers' choice of ranks small.
    auto runChoice = [&](int base, char runSuit) {
        for (int r = J[base]; r <= RankCount; ++r) {
            int slot = cardSlot(runSuit, r);
            if (slot == 0) break;
            if (onTable.Has(r)) return slot;
        }
        return 0;
    };

    int base = 0;
    for (int r = dostHod + 1; r <= RankCount && !base; ++r)
        base = cardSlot(suit, r);
    if (base) {
        int slot = runChoice(base, suit);
        return slot ? slot : base;
    }
    if (suit == trump) return 0;

    base = LowestOfSuit(I, J, trump);
    if (base == 0) return 0;
    if (int slot = runChoice(base, trump)) return slot;
    int eight = cardSlot(trump, 3), nine = cardSlot(trump, 4);
    if (J[base] == 1 && eight && onTable.Has(3) && !onTable.Has(1)) return eight;
    if (J[base] == 1 && nine && onTable.Has(4) && !onTable.Has(1)) return nine;
    if (J[base] == 2 && nine && onTable.Has(4) && !onTable.Has(2)) return nine;
    return base;
}

int ChooseBeatingCard(const GameState& g, int seat) {
    return ChooseBeatingCard(g.CardsI[seat], g.CardsJ[seat], g.InGameI, g.InGameJ, g.KartaHod, g.DostHod,
                             g.Koz);
}

MoveChoice ComputerMove(const GameState& g, TableView& view, MoveKind kind, int seat, bool isThird,
                        const SearchOptions& options) {
    if (seat < 1 || seat > 3) return PassChoice;
    MoveChoice choice = PassChoice;
    if (g.DuelMode) {
        choice = TwoPlayerMove(g, view, kind, seat, options);
    } else {
        switch (kind) {
        case Lead:
            choice = ThreePlayerLead(g, seat);
            break;
        case ThrowIn:
            choice = ThreePlayerThrowIn(g, seat, isThird);
            break;
        case Beat:
            choice = ThreePlayerBeat(g, seat);
            break;
        case Add:
            choice = ThreePlayerAdd(g, seat);
            break;
        case NoKind:
            break;
        }
    }
    return FinalGuard(g, kind, seat, choice);
}

} // namespace tarvo
