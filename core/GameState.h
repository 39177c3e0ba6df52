// The live game: every variable of a game in progress, one instance per game.
#pragma once

#include "Card.h"

namespace tarvo {

// The rule options the player sets in the options dialog.
struct RuleOptions {
    bool NoFiveOfSuit = false;  // redeal while a packet holds five of one non-trump suit
    bool FirstBoutFive = false; // five attack cards until the first bout is discarded
    int FirstMove = 0;          // 0 "From under the fool", 1 "To learn the fool"
};

struct GameState {
    RuleOptions Rules;

    // The deck; slot 36 shows the trump and is drawn last. The talon is slots Och..36.
    Arr1<TStr2, DeckSize> KolodaI;
    Arr1<Byte, DeckSize> KolodaJ;
    Byte Och = 37;
    char Koz = '#';

    // Hands of seats 1..4 (seat 4 exists but is never dealt).
    Arr1<TCards_I1x36, 4> CardsI;
    Arr1<TCards_J1x36, 4> CardsJ;
    Arr1<TCards_J1x36, 4> CardsAux;
    Arr1<Byte, 4> KolCards;

    // The table: attack and defence cards in the order played.
    TCards_I1x12 InGameI;
    TCards_J1x12 InGameJ;
    Byte OchGame = 1;
    Byte KolCardsStol = 0;
    Byte KolHods = 0;
    Byte KolFree = 0;
    TStr2 KartaHod = NoCard;
    Byte DostHod = EmptyRank;

    TCards_I1x36 Bito;
    Byte BitoNext = 1;

    Byte BoutLimit = 6;
    Byte HodSeat = 0;
    Byte HodPhase = 0;
    Byte DuelMode = 0;
    Byte DuelPair = 0;
    Byte DuelPhase = 0;

    // Result of the game and of the series.
    Byte GameOver = 0;
    Byte Loser = 0;
    Byte FirstSeat = 0;
    Arr1<std::int32_t, 3> FoolCount;
    Arr1<std::int32_t, 3> SeatScore;
    std::int32_t KonNumber = 0;
    std::int32_t KonStart = 0;

    TStr2 ShownTrump = NoCard;
    Byte KolodaEmptySaid = 0;
    Byte StartPending = 0;
    Byte InputOpen = 1;

    // Copied into the endgame snapshot; the live game never changes them.
    char Vskr = 0;
    bool WasTakes = false;

    GameState();
};

// Seat order of play: 1 -> 2 -> 3 -> 1.
constexpr int NextSeat(int seat) {
    return seat % 3 + 1;
}

// The two seats left in two-player mode for DuelPair 1, 2, 3.
constexpr int PairFirst(int pair) {
    return pair == 2 ? 2 : 1;
}
constexpr int PairSecond(int pair) {
    return pair == 1 ? 2 : 3;
}
constexpr int OtherOfPair(int pair, int seat) {
    return seat == PairFirst(pair) ? PairSecond(pair) : PairFirst(pair);
}

// Talon size derived from Och.
constexpr int TalonCount(const GameState& g) {
    return g.Och > DeckSize ? 0 : DeckSize + 1 - g.Och;
}

// Clears hands, table and discard pile to "##" / 99 (auxiliary bytes to 99).
void ClearCardArrays(GameState& g);

} // namespace tarvo
