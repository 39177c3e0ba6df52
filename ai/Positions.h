// Random two-player positions, as the live game could hold them, for the endgame benchmark and
// for comparing the search with its literal form.
#pragma once

#include <random>

#include <vector>

#include "ai/SearchEnv.h"
#include "core/GameState.h"
#include "core/Rules.h"

namespace tarvo {

struct EndgamePosition {
    GameState game;
    MoveKind kind = NoKind;
    int seat = 0; // the acting seat
};

// A position in two-player mode with cardsInPlay cards in both hands and on the table together,
// where the acting seat must make a move of the given kind. Both hands hold at least one card and
// the table is one a bout could have produced. cardsInPlay runs from 2 (a lead) or 3 (a beat or an
// add) or 4 (a throw-in) up to 36.
EndgamePosition RandomEndgamePosition(std::mt19937& rng, int cardsInPlay, MoveKind kind);

} // namespace tarvo

namespace tarvo {

// The endgame benchmark's positions: the kinds in turn (lead, throw-in, beat, add), all drawn from
// one generator seeded with seed, so that every tool measures the same positions.
std::vector<EndgamePosition> BenchPositions(int count, std::uint32_t seed, int cardsInPlay = MaxSuper);

} // namespace tarvo
