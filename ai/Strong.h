// The strong computer: for each step it could take, it deals the cards it cannot see in many
// ways that agree with everything its seat has seen, plays each deal to the end with the classic
// computer in every seat, and takes the step that leaves it the fool least often. In the
// two-player endgame the classic computer's exact search already plays perfectly, so it decides
// there.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>

#include "ai/Computer.h"
#include "core/Round.h"

namespace tarvo {

// The cards the whole table saw go into a hand: a defender who takes picks up what lay face up.
// Every seat saw the same, so one record serves them all; a card leaves it when it is seen again.
class Sightings {
  public:
    using Cards = std::bitset<DeckSize + 1>; // by card number

    // The bout of g is about to end as `how` says; on a take the defender picks up the table.
    void BoutEnding(const GameState& g, BoutEnd how);
    // Says that `seat` holds `card` (a position given from outside).
    void Note(const GameState& g, int seat, TStr2 card);
    // What `viewer` knows `seat` to hold now: what the seat picked up and has not shown since.
    Cards Known(const GameState& g, int viewer, int seat) const;

  private:
    // A new game forgets the last one's pick-ups; the face-up trump and the game number tell games
    // apart, and both lie open on the table.
    void Follow(const GameState& g);
    using GameKey = std::array<int, 2>;
    static GameKey KeyOf(const GameState& g);

    GameKey key_{};
    std::array<Cards, 4> held_{};
};

struct StrongOptions {
    int deals = 32;         // hidden-card deals each candidate step is played out on
    std::uint32_t seed = 1; // with the seat's view of the game, the seed of the deals
    double margin = 0.04;   // a step must beat the classic choice by this share of the deals
};

// The strong computer's step for `seat`, which must be the acting seat of g with a move of this
// kind. Like ComputerMove, the answer has passed FinalGuard.
MoveChoice StrongMove(const GameState& g, TableView& view, MoveKind kind, int seat, bool isThird,
                      const Sightings& seen, const SearchOptions& search, const StrongOptions& options = {});

} // namespace tarvo
