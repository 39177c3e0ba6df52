#include "Rules.h"

#include "Queries.h"

namespace tarvo {
namespace {

void SetPhase(GameState& g, Byte phase) {
    if (g.DuelMode)
        g.DuelPhase = phase;
    else
        g.HodPhase = phase;
}

bool BoutEndsBeaten(const GameState& g) {
    return g.DuelMode ? g.DuelPhase == 5 : g.HodPhase == 13;
}

} // namespace

int AttackerSeat(const GameState& g) {
    return g.HodSeat;
}

int DefenderSeat(const GameState& g) {
    if (g.HodSeat < 1 || g.HodSeat > 3) return 0;
    return g.DuelMode ? OtherOfPair(g.DuelPair, g.HodSeat) : NextSeat(g.HodSeat);
}

int ThirdSeat(const GameState& g) {
    if (g.DuelMode || g.HodSeat < 1 || g.HodSeat > 3) return 0;
    return NextSeat(NextSeat(g.HodSeat));
}

int SeatOfRole(const GameState& g, Role role) {
    switch (role) {
    case Role::Attacker:
        return AttackerSeat(g);
    case Role::Defender:
        return DefenderSeat(g);
    case Role::Third:
        return ThirdSeat(g);
    case Role::None:
        break;
    }
    return 0;
}

int ActingSeat(const GameState& g) {
    if (g.DuelMode && (g.DuelPhase == 5 || g.DuelPhase == 6)) return 1;
    return SeatOfRole(g, CurrentRow(g).actor);
}

MoveKind CurrentKind(const GameState& g) {
    return CurrentRow(g).kind;
}

bool ActsAsThird(const GameState& g) {
    return !g.DuelMode && CurrentRow(g).actor == Role::Third;
}

bool HumanTurn(const GameState& g, MoveKind* kind) {
    PhaseRow row = CurrentRow(g);
    bool mine = row.kind != NoKind && SeatOfRole(g, row.actor) == 3;
    if (kind) *kind = mine ? row.kind : NoKind;
    return mine;
}

bool Beats(TStr2 y, TStr2 x, char trump) {
    if (y.suit == x.suit) return RankOf(y) > RankOf(x);
    return y.suit == trump;
}

bool RankOnTable(const GameState& g, TStr2 card) {
    for (int i = 1; i <= TCards_I1x12::Size(); ++i)
        if (!g.InGameI[i].Empty() && g.InGameI[i].rank == card.rank) return true;
    return false;
}

bool AttackBlocked(const GameState& g) {
    int defender = DefenderSeat(g);
    if (defender == 0) return true;
    return g.KolHods == g.BoutLimit || g.KolCards[defender] == 0 || g.KolCards[defender] == g.KolFree;
}

CardCheck CheckHumanCard(const GameState& g, TStr2 card, Byte rank, MoveKind kind) {
    CardCheck check;
    switch (kind) {
    case Lead:
        check.blocked = AttackBlocked(g);
        break;
    case ThrowIn:
    case Add:
        check.wrong = !RankOnTable(g, card);
        check.blocked = AttackBlocked(g);
        break;
    case Beat:
        if (card.suit != g.KartaHod.suit && card.suit != g.Koz)
            check.wrong = true; // wrong suit
        else if (card.suit == g.KartaHod.suit && g.DostHod > rank)
            check.wrong = true; // too low
        break;
    case NoKind:
        check.blocked = true;
        break;
    }
    return check;
}

bool CanPlaySlot(const GameState& g, int slot) {
    if (g.GameOver) return false;
    int seat = ActingSeat(g);
    MoveKind kind = CurrentKind(g);
    if (seat == 0 || kind == NoKind || slot < 1 || slot > g.KolCards[seat]) return false;
    TStr2 card = g.CardsI[seat][slot];
    if (card.Empty()) return false;
    CardCheck check = CheckHumanCard(g, card, g.CardsJ[seat][slot], kind);
    return !check.blocked && !check.wrong;
}

bool CanPass(const GameState& g) {
    return !g.GameOver && CurrentRow(g).afterPass != 0;
}

void PlayCard(GameState& g, TableView& view, MoveKind kind, int seat, int slot) {
    if (!g.ShownTrump.Empty()) {
        g.ShownTrump = NoCard;
        view.ShowShownTrump(0, NoCard);
    }
    if (kind == Beat)
        g.KolFree = 0;
    else if (kind == Add)
        ++g.KolFree;
    else
        g.KolFree = 1;

    TStr2 card = g.CardsI[seat][slot];
    Byte rank = g.CardsJ[seat][slot];
    g.CardsI[seat][slot] = NoCard;
    g.CardsJ[seat][slot] = EmptyRank;
    --g.KolCards[seat];

    if (kind != Beat) {
        g.KartaHod = card;
        g.DostHod = rank;
        ++g.KolHods;
    }
    int tableSlot = g.OchGame;
    g.InGameI[tableSlot] = card;
    g.InGameJ[tableSlot] = rank;
    ++g.OchGame;
    ++g.KolCardsStol;

    g.KolCards[seat] = static_cast<Byte>(
        SortHand(g.CardsI[seat], g.CardsJ[seat], g.CardsAux[seat], g.Koz, g.KolCards[seat] + 1)); // the gap
    view.RedrawHand(seat);
    view.FlyCard({card, Place::Hand, seat, slot, Place::Table, 0, tableSlot, kind == Beat});
    view.DrawTableCard(tableSlot, kind == Beat);
    view.PlaySound("WHodsDo");
}

bool ApplyCard(GameState& g, TableView& view, int slot) {
    if (!CanPlaySlot(g, slot)) return false;
    int seat = ActingSeat(g);
    PhaseRow row = CurrentRow(g);
    PlayCard(g, view, row.kind, seat, slot);
    if (row.kind == Lead || row.kind == ThrowIn) view.DrawBubble(seat, Bubble::Go);
    SetPhase(g, row.afterCard);
    return true;
}

bool ApplyPass(GameState& g, TableView& view) {
    if (!CanPass(g)) return false;
    int seat = ActingSeat(g);
    PhaseRow row = CurrentRow(g);
    SetPhase(g, row.afterPass);
    view.DrawBubble(seat, row.kind == Beat ? Bubble::Take : Bubble::Pass);
    if (BoutEndsBeaten(g)) {
        view.PlaySound("WHodOtb");
        view.SetActionCaption(ActionCaption::Beaten);
        return true;
    }
    int next = SeatOfRole(g, CurrentRow(g).actor);
    if (next != 0 && next != seat) view.DrawBubble(next, Bubble::Go);
    view.PlaySound(row.kind == Beat ? "WHodBer" : "WDing_1");
    return true;
}

} // namespace tarvo
