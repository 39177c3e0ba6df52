#include "Queries.h"

namespace tarvo {

int SortHand(TCards_I1x36& I, TCards_J1x36& J, TCards_J1x36& aux, char trump) {
    TCards_I1x36 sortedI;
    TCards_J1x36 sortedJ;
    // Emptied hand slots get 0; the slots beyond the deck are never a hand's and stay as they were.
    TCards_J1x36 sortedAux = aux;
    sortedI.Fill(NoCard);
    sortedJ.Fill(EmptyRank);
    for (int i = 1; i <= DeckSize; ++i) sortedAux[i] = 0;
    int count = 0;
    for (bool trumps : {false, true})
        for (int r = 1; r <= RankCount; ++r)
            for (int i = 1; i <= DeckSize; ++i)
                if (J[i] == r && (I[i].suit == trump) == trumps) {
                    ++count;
                    sortedI[count] = I[i];
                    sortedJ[count] = J[i];
                    sortedAux[count] = aux[i];
                }
    I = sortedI;
    J = sortedJ;
    aux = sortedAux;
    return count;
}

} // namespace tarvo
