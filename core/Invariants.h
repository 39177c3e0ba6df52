// A check of the game's bookkeeping, callable after any step: every card in exactly one place,
// hands compact and sorted, the table and its counters consistent.
#pragma once

#include <string>
#include <vector>

#include "GameState.h"

namespace tarvo {

// Empty when everything holds; otherwise one line per broken rule.
std::vector<std::string> CheckInvariants(const GameState& g);

} // namespace tarvo
