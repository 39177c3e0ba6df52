// The 13-character move-record bodies a step sends to the other machines, each written in the
// receiver's own numbering of the seats (its human is always its seat 3).
#pragma once

#include <optional>
#include <string>

#include "core/GameState.h"
#include "core/Rules.h"

namespace tarvo {

// Local seat s as receiver r numbers it: r's seat 1 is the seat after r, r itself is seat 3.
constexpr int SeatInReceiverNumbering(int s, int r) {
    return ((s - r - 1) % 3 + 3) % 3 + 1;
}

// What one step sends: which step table row it is and who is concerned, in local seats.
struct StepRecord {
    int step = 0;           // row of the step tables, 1..32
    int mover = 0;          // local seat that moved (0 for a bout end)
    char moverBubble = 'i'; // "g" I Go, "t" I Take, "a" That`s All
    int goSeat = 0;         // another seat whose bubble becomes "I Go..."
    char sound = 'i';       // "d" WDing_1, "a" WHodOtb, "t" WHodBer
    int enableSeat = 0;     // the seat that must act or confirm next ("e")
    bool beatenCaption = false;
    MoveKind cardKind = NoKind; // a card played by the mover
    int cardSlot = 0;
    // End of a bout: the taker or the next attacker, and the kind of end.
    int endSeat = 0;
    int endAttacker = 0;
    int endPair = 0;
    char endKind = 0; // 'T' taken, 'B' beaten, 't' two-player taken, 'b' two-player beaten
};

// The step for a card or a pass in the phase the game was in before it (three-player HodPhase or
// two-player DuelPhase), with the roles of the bout.
StepRecord DescribeMove(const GameState& before, bool isCard, int slot);

// The step that ends a bout: 22 taken, 23 beaten, 32 two-player taken, 31 two-player beaten.
StepRecord DescribeBoutEnd(const GameState& before);

// The body for local receiver seat 1 or 2; none for the defender of a three-player bout end
// (his machine is the one that confirmed it).
std::optional<std::string> BuildBody(const StepRecord& step, int receiver);

} // namespace tarvo
