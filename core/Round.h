// Everything between bouts: the deal, the first attacker, refills, take, discard, and the
// bookkeeping that ends a bout (going out, two-player mode, end of the game).
#pragma once

#include <optional>

#include "Deck.h"
#include "GameState.h"
#include "TableView.h"

namespace tarvo {

// Deals a game. keepSeries false opens a new series, whose game counter starts from
// storedGames (the player's stored game count). The deck comes from the source; with
// NoFiveOfSuit a packet of five or six of one non-trump suit asks it for another deck.
void Deal(GameState& g, TableView& view, DeckSource& decks, bool keepSeries, int storedGames = 0);

// Lays out a given deck as the deal does (a network client's deal, fixed test games).
void DealDeck(GameState& g, TableView& view, const Deck& deck, bool keepSeries, int storedGames = 0);

// A packet (slots 1-6, 7-12, 13-18) holds five or more of one suit other than the trump.
bool HasFiveOfSuit(const Deck& deck);

// The first attacker of a fresh deal; also sets ShownTrump when seat 1 or 2 shows its trump.
int ChooseFirstAttacker(GameState& g, TableView& view);

// The start button: play begins with the lead of HodSeat.
void BeginPlay(GameState& g);

// A card at a time from the talon (Refill) or the table (Take) into the seat's hand, which is
// sorted again before each card's flight: the view finds it in order when the card lands.
void Refill(GameState& g, TableView& view, int seat);
void Take(GameState& g, TableView& view, int seat);
void Discard(GameState& g, TableView& view);

enum class BoutEnd { Taken, Beaten, DuelTaken, DuelBeaten };

// The bout end that the phases wait for (three-player 12, 13; two-player 6, 5), if any.
inline std::optional<BoutEnd> PendingBoutEnd(const GameState& g) {
    if (g.GameOver) return std::nullopt;
    if (g.DuelMode) {
        if (g.DuelPhase == 5) return BoutEnd::DuelBeaten;
        if (g.DuelPhase == 6) return BoutEnd::DuelTaken;
        return std::nullopt;
    }
    if (g.HodPhase == 12) return BoutEnd::Taken;
    if (g.HodPhase == 13) return BoutEnd::Beaten;
    return std::nullopt;
}

// Ends the bout: phases back to 1, take or discard, refills in their order, the next attacker,
// then the bookkeeping (talon-empty sound, table cleared, going out, end of the game).
void FinishBout(GameState& g, TableView& view, BoutEnd how);

// The bookkeeping alone, once the table has been taken or discarded and HodSeat names the next
// attacker.
void BoutEndBookkeeping(GameState& g, TableView& view);

} // namespace tarvo
