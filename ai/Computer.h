// The computer seats' decisions: lead, throw-in, beat and add while three players hold cards,
// the two-player endgame once two remain, and the final guard that every answer passes.
#pragma once

#include "ai/SearchEnv.h"
#include "core/GameState.h"
#include "core/Rules.h"
#include "core/TableView.h"

namespace tarvo {

// A slot of the seat's hand to play, or a pass (decline, take, stop) with slot 0.
struct MoveChoice {
    int slot = 0;
    bool pass = true;
    bool operator==(const MoveChoice&) const = default;
};
constexpr MoveChoice PassChoice{0, true};
constexpr MoveChoice PlaySlot(int slot) {
    return {slot, false};
}

enum class TalonStage { Early, Late, Empty };
// Early: five or more cards left in the talon; late: one to four; then empty.
constexpr TalonStage StageOf(int och) {
    return och <= 32 ? TalonStage::Early : och <= DeckSize ? TalonStage::Late : TalonStage::Empty;
}

// The decision of a computer seat that must act with a move of this kind. isThird: the seat acts
// as the third seat of the bout. The view shows the endgame search's progress and busy cursor.
MoveChoice ComputerMove(const GameState& g, TableView& view, MoveKind kind, int seat, bool isThird,
                        const SearchOptions& options = {});

// Every answer passes here: a blocked attack becomes a pass, a card that does not fit the table
// or does not beat becomes a pass or a take.
MoveChoice FinalGuard(const GameState& g, MoveKind kind, int seat, MoveChoice choice);

// The defender's card to beat KartaHod with, 0 when nothing in the hand beats it.
int ChooseBeatingCard(const GameState& g, int seat);
int ChooseBeatingCard(const TCards_I1x36& handI, const TCards_J1x36& handJ, const TCards_I1x12& tableI,
                      const TCards_J1x12& tableJ, TStr2 kartaHod, Byte dostHod, char trump);

// A small non-trump lead: of the first two ranks up to maxRank held in non-trumps, the one with
// more cards (the lower on equal counts); else the lowest non-trump, else the lowest trump.
int SmallLeadSlot(const TCards_I1x36& handI, const TCards_J1x36& handJ, char trump, int maxRank);

} // namespace tarvo
