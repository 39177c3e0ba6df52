#include "Round.h"

#include "Queries.h"
#include "Result.h"
#include "Rules.h"

namespace tarvo {
namespace {

// Deck slots of the three packets in the order they are dealt: seat 3, seat 1, seat 2.
constexpr std::array<int, 3> PacketSeats{3, 1, 2};

void SortSeat(GameState& g, int seat) {
    g.KolCards[seat] =
        static_cast<Byte>(SortHand(g.CardsI[seat], g.CardsJ[seat], g.CardsAux[seat], g.Koz, g.KolCards[seat]));
}

void ClearTable(GameState& g) {
    g.InGameI.Fill(NoCard);
    g.InGameJ.Fill(EmptyRank);
    g.OchGame = 1;
    g.KolCardsStol = 0;
    g.KolHods = 0;
    g.KolFree = 0;
    g.KartaHod = NoCard;
    g.DostHod = EmptyRank;
}

// Two-player mode after exactly one hand went empty: the pair left, and who attacks instead of
// the empty seat (the seat after it).
void EnterTwoPlayerModeIfOneOut(GameState& g) {
    int empty = 0, emptyCount = 0;
    for (int s = 1; s <= 3; ++s)
        if (g.KolCards[s] == 0) {
            empty = s;
            ++emptyCount;
        }
    if (emptyCount != 1) return;
    static constexpr std::array<Byte, 4> PairWithout{0, 2, 3, 1};
    g.DuelPair = PairWithout[static_cast<std::size_t>(empty)];
    if (g.HodSeat == empty) g.HodSeat = static_cast<Byte>(NextSeat(empty));
    g.DuelMode = 1;
    g.DuelPhase = 1;
}

} // namespace

bool HasFiveOfSuit(const Deck& deck) {
    char trump = deck[DeckSize].suit;
    for (int packet = 0; packet < 3; ++packet)
        for (int suit = 1; suit <= 4; ++suit) {
            if (SuitChars[suit] == trump) continue;
            int n = 0;
            for (int i = packet * 6 + 1; i <= packet * 6 + 6; ++i) n += deck[i].suit == SuitChars[suit];
            if (n >= 5) return true;
        }
    return false;
}

void Deal(GameState& g, TableView& view, DeckSource& decks, bool keepSeries, int storedGames) {
    Deck deck = decks.NextDeck();
    while (g.Rules.NoFiveOfSuit && HasFiveOfSuit(deck)) deck = decks.NextDeck();
    DealDeck(g, view, deck, keepSeries, storedGames);
}

void DealDeck(GameState& g, TableView& view, const Deck& deck, bool keepSeries, int storedGames) {
    if (!keepSeries) {
        g.FoolCount.Fill(0);
        g.SeatScore.Fill(0);
        g.Loser = 0;
        g.KonNumber = storedGames;
        g.KonStart = storedGames;
    }
    ++g.KonNumber;
    ClearCardArrays(g);

    for (int p = 1; p <= DeckSize; ++p) {
        g.KolodaI[p] = deck[p];
        g.KolodaJ[p] = RankOf(deck[p]);
    }
    g.Koz = deck[DeckSize].suit;
    for (int packet = 0; packet < 3; ++packet) {
        int seat = PacketSeats[static_cast<std::size_t>(packet)];
        for (int i = 1; i <= 6; ++i) {
            g.CardsI[seat][i] = g.KolodaI[packet * 6 + i];
            g.CardsJ[seat][i] = g.KolodaJ[packet * 6 + i];
        }
        g.KolCards[seat] = 6;
    }

    g.Och = 19;
    ClearTable(g);
    g.BitoNext = 1;
    g.DuelMode = 0;
    g.DuelPair = 0;
    g.DuelPhase = 0;
    g.HodPhase = 0;
    g.GameOver = 0;
    g.KolodaEmptySaid = 0;
    g.StartPending = 1;
    g.InputOpen = 1;
    g.ShownTrump = NoCard;

    g.BoutLimit = g.Rules.FirstBoutFive ? 5 : 6;
    view.ShowFirstBoutMarker(g.BoutLimit == 5);

    g.HodSeat = static_cast<Byte>(ChooseFirstAttacker(g, view));
    g.Loser = 0;

    for (int seat = 1; seat <= 3; ++seat) {
        SortSeat(g, seat);
        view.RedrawHand(seat);
        view.DrawBubble(seat, Bubble::Name);
    }
    view.RedrawTalon();
    view.RedrawGameCounter();
    view.PlaySound("WTasoKo");
    view.SetActionCaption(ActionCaption::ToBegin);
    view.EnableActionButton(true);
}

int ChooseFirstAttacker(GameState& g, TableView& view) {
    bool lowestTrumpRule = g.KonNumber - g.KonStart - 1 == 0 || g.Loser == 4;
    if (!lowestTrumpRule && g.FirstSeat >= 1 && g.FirstSeat <= 3) return g.FirstSeat;

    std::array<int, 4> key{};
    for (int s = 1; s <= 3; ++s) {
        TStr2 lowest = LowestTrumpCode(g.CardsI[s], g.CardsJ[s], g.Koz);
        key[static_cast<std::size_t>(s)] = lowest.Empty() ? 10 : RankOf(lowest);
    }
    for (int s : {3, 1, 2}) {
        int a = NextSeat(s), b = NextSeat(a);
        auto k = [&](int seat) { return key[static_cast<std::size_t>(seat)]; };
        if (k(s) < k(a) && k(s) < k(b)) {
            if (s != 3) {
                g.ShownTrump = LowestTrumpCode(g.CardsI[s], g.CardsJ[s], g.Koz);
                view.ShowShownTrump(s, g.ShownTrump);
            }
            return s;
        }
    }
    return 3;
}

void BeginPlay(GameState& g) {
    g.StartPending = 2;
    g.HodPhase = 1;
}

void Refill(GameState& g, TableView& view, int seat) {
    if (seat < 1 || seat > 3 || g.KolCards[seat] >= 6 || g.Och > DeckSize) return;
    while (g.KolCards[seat] < 6 && g.Och <= DeckSize) {
        const int from = g.Och, end = g.KolCards[seat] + 1;
        g.CardsI[seat][end] = g.KolodaI[from];
        g.CardsJ[seat][end] = g.KolodaJ[from];
        ++g.KolCards[seat];
        ++g.Och; // the card has left the talon before it flies: the view shows both parts after it
        SortSeat(g, seat); // the hand the card lands in is drawn in order after every flight
        view.FlyCard({g.KolodaI[from], Place::Talon, 0, from, Place::Hand, seat,
                      SlotOfCard(g.CardsI[seat], g.KolodaI[from])});
        view.RedrawTalon();
    }
    view.RedrawHand(seat);
}

void Take(GameState& g, TableView& view, int seat) {
    for (int i = 1; i <= g.KolCardsStol; ++i) {
        const int end = g.KolCards[seat] + 1;
        g.CardsI[seat][end] = g.InGameI[i];
        g.CardsJ[seat][end] = g.InGameJ[i];
        ++g.KolCards[seat];
        SortSeat(g, seat);
        view.FlyCard({g.InGameI[i], Place::Table, 0, i, Place::Hand, seat, SlotOfCard(g.CardsI[seat], g.InGameI[i])});
    }
    view.RedrawHand(seat);
}

void Discard(GameState& g, TableView& view) {
    std::vector<CardFlight> flights;
    for (int i = 1; i <= g.KolCardsStol; ++i) {
        g.Bito[g.BitoNext] = g.InGameI[i];
        flights.push_back({g.InGameI[i], Place::Table, 0, i, Place::Bito, 0, g.BitoNext});
        ++g.BitoNext;
    }
    view.FlyCardGroup(flights);
    if (g.BoutLimit != 6) {
        g.BoutLimit = 6;
        view.ShowFirstBoutMarker(false);
    }
}

void FinishBout(GameState& g, TableView& view, BoutEnd how) {
    int attacker = AttackerSeat(g), defender = DefenderSeat(g), third = ThirdSeat(g);
    g.HodPhase = 1;
    if (g.DuelMode) g.DuelPhase = 1;
    switch (how) {
    case BoutEnd::Taken:
        Take(g, view, defender);
        Refill(g, view, attacker);
        Refill(g, view, third);
        g.HodSeat = static_cast<Byte>(third);
        break;
    case BoutEnd::Beaten:
        Discard(g, view);
        Refill(g, view, attacker);
        Refill(g, view, third);
        Refill(g, view, defender);
        g.HodSeat = static_cast<Byte>(defender);
        break;
    case BoutEnd::DuelTaken:
        Take(g, view, defender);
        break;
    case BoutEnd::DuelBeaten:
        Discard(g, view);
        g.HodSeat = static_cast<Byte>(defender);
        break;
    }
    BoutEndBookkeeping(g, view);
}

void BoutEndBookkeeping(GameState& g, TableView& view) {
    if (g.Och > DeckSize && !g.KolodaEmptySaid) {
        view.PlaySound("WKoloNo");
        g.KolodaEmptySaid = 1;
    }
    for (int seat = 1; seat <= 3; ++seat) view.DrawBubble(seat, Bubble::Name);
    ClearTable(g);
    view.ClearTable();
    view.EnableActionButton(false);

    EnterTwoPlayerModeIfOneOut(g);
    CheckGameEnd(g, view);
    if (!g.GameOver) {
        view.DrawBubble(g.HodSeat, Bubble::Go);
        view.ShowTurnMarker(g.HodSeat);
    }
}

} // namespace tarvo
