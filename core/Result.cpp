#include "Result.h"

namespace tarvo {

void ComputeSeriesScore(GameState& g) {
    std::int32_t total = g.FoolCount[1] + g.FoolCount[2] + g.FoolCount[3];
    for (int s = 1; s <= 3; ++s) g.SeatScore[s] = 10 * (total - 3 * g.FoolCount[s]);
}

int FirstSeatAfterFool(int fool, int firstMove) {
    return firstMove == 1 ? NextSeat(NextSeat(fool)) : NextSeat(fool);
}

void CheckGameEnd(GameState& g, TableView& view) {
    int holding = 0, fool = 0;
    for (int s = 1; s <= 3; ++s)
        if (g.KolCards[s] > 0) {
            ++holding;
            fool = s;
        }
    if (holding > 1) return;
    g.GameOver = 1;
    if (holding == 0) {
        g.Loser = 4; // a draw leaves the counters and FirstSeat alone
        return;
    }
    g.Loser = static_cast<Byte>(fool);
    ++g.FoolCount[fool];
    ComputeSeriesScore(g);
    view.RedrawNameTab(fool);
    if (fool != 3) view.RevealHand(fool);
    g.FirstSeat = static_cast<Byte>(FirstSeatAfterFool(fool, g.Rules.FirstMove));
}

} // namespace tarvo
