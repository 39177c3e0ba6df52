// The endgame search written out literally: every node receives its own copy of the whole
// position, hands keep their slot order, nothing is remembered between nodes. The fast search
// must give exactly its answers.
#pragma once

#include "ai/Endgame.h"

namespace tarvo::oracle {

// nodeBudget, when given, ends the search as the time limit would once that many nodes have been
// entered: a bound on the work that is the same on every machine.
constexpr std::uint64_t Unlimited = ~std::uint64_t{0};
SearchOutcome SearchAttack(const StatFool2& s, SearchMode mode, SearchEnv& env,
                           std::uint64_t nodeBudget = Unlimited);
SearchOutcome SearchDefend(const StatFool2& s, SearchEnv& env, std::uint64_t nodeBudget = Unlimited);

} // namespace tarvo::oracle
