#include "Queries.h"

namespace tarvo {

int SortHand(TCards_I1x36& I, TCards_J1x36& J, TCards_J1x36& aux, char trump) {
    TCards_I1x36 sortedI;
    TCards_J1x36 sortedJ;
    TCards_J1x36 sortedAux;
    sortedI.Fill(NoCard);
    sortedJ.Fill(EmptyRank);
    sortedAux.Fill(0);
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
