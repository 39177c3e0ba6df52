// What a network machine does with the game messages it receives: a deal laid out in its own
// numbering, and a move record checked against the rules before it touches the game. Moves of
// remote players are not replayed through the pipeline; their records are applied directly.
#pragma once

#include <string>

#include "core/GameState.h"
#include "core/TableView.h"
#include "match/Driver.h"
#include "netplay/Messages.h"

namespace tarvo {

// The server's deck as the machine with `role` deals it: each packet goes to the same player as
// on the server, that is to the seat where that player sits in this machine's numbering.
Deck DeckForRole(const Deck& serverDeck, int role);

// The deal message of the game the server has just dealt (its deck and its two rules).
std::string DealMessageOf(const GameState& g);

// A client lays out the server's deal: the rules of the deal replace its own for this game, and
// the first attacker is the server's whatever the numbering.
void DealFromServer(GameState& g, TableView& view, const DealMsg& deal, int role, bool keepSeries,
                    int storedGames);

// Why the record cannot be the next step of this game, or empty when it can. The step must be
// exactly what the rules allow now: the acting seat is the sender's (or the computer's, which
// `computerSeat` names when a single client plays), the card lies in that slot and may be played,
// a pass is allowed, a bout end is the one pending, and the phases it brings are the ones the
// rules reach. The computer's lead of a game is the server's to compute.
std::string CheckRecord(const GameState& g, const RecordMsg& r, int senderSeat, int computerSeat);

// Applies a checked record through the step driver, as a remote player's step: the card or the
// pass by the rules (whose announcements are the ones the record names), or the end of the bout;
// then the receiver's action button as the sender set it. A record that comes before this
// machine's "To Begin" begins the game here too.
void ApplyRecord(StepDriver& d, const RecordMsg& r);

} // namespace tarvo
