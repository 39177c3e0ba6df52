// The endgame search written out literally: every node receives its own copy of the whole
// position, hands keep their slot order, nothing is remembered between nodes. The fast search
// must give exactly its answers.
#pragma once

#include "ai/Endgame.h"

namespace tarvo::oracle {

SearchOutcome SearchAttack(const StatFool2& s, SearchMode mode, SearchEnv& env);
SearchOutcome SearchDefend(const StatFool2& s, SearchEnv& env);

} // namespace tarvo::oracle
