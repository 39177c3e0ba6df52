// The end of a game: the fool or a draw, the series counters and who leads next.
#pragma once

#include "GameState.h"
#include "TableView.h"

namespace tarvo {

// Called once at the end of each bout: one hand left holding cards makes its seat the fool,
// none left makes a draw; otherwise the game goes on.
void CheckGameEnd(GameState& g, TableView& view);

// SeatScore[s] = 10 * (T - 3 * FoolCount[s]) with T the sum of the fool counts.
void ComputeSeriesScore(GameState& g);

// The seat that leads the game after the fool's: the seat after him ("From under the fool", 0)
// or the seat before him so that he defends ("To learn the fool", 1).
int FirstSeatAfterFool(int fool, int firstMove);

} // namespace tarvo
