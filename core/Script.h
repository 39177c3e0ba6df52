// Drives a game by written moves, one per line, checking each against the phase machine:
//   "3 leads Вч", "1 beats Дч", "2 throws Вб", "1 adds 7п"   a card by the acting seat
//   "2 passes", "1 takes", "3 stops"                          a pass by the acting seat
//   "confirm"                                                 the end of the bout
//   "start"                                                   the start button after the deal
// A line may end in "-> N": the phase (HodPhase, or DuelPhase in two-player mode) it must reach.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "GameState.h"
#include "TableView.h"

namespace tarvo {

// Applies one line; returns an empty string, or what went wrong (the game is then unchanged).
std::string RunScriptLine(GameState& g, TableView& view, std::string_view line);

// Applies lines in order and stops at the first error, which names the line.
std::string RunScript(GameState& g, TableView& view, const std::vector<std::string>& lines);

} // namespace tarvo
