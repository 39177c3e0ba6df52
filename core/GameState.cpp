#include "GameState.h"

namespace tarvo {

GameState::GameState() {
    KolodaI.Fill(NoCard);
    KolodaJ.Fill(EmptyRank);
    ClearCardArrays(*this);
}

void ClearCardArrays(GameState& g) {
    for (int seat = 1; seat <= 4; ++seat) {
        g.CardsI[seat].Fill(NoCard);
        g.CardsJ[seat].Fill(EmptyRank);
        g.CardsAux[seat].Fill(EmptyRank);
        g.KolCards[seat] = 0;
    }
    g.InGameI.Fill(NoCard);
    g.InGameJ.Fill(EmptyRank);
    g.Bito.Fill(NoCard);
}

} // namespace tarvo
