// The two-player endgame: the snapshot of the position, the closed forms for two against two and
// three against one, the look-ahead search for small positions and simple rules for larger ones.
#pragma once

#include <string>

#include "ai/SearchEnv.h"
#include "core/GameState.h"
#include "core/Rules.h"

namespace tarvo {

// The position as the acting computer seat sees it, copied from the live game at each decision.
struct StatFool2 {
    TCards_I1x36 CardsI1; // the acting seat's hand
    TCards_J1x36 CardsJ1;
    Byte KolCards1 = 0;
    TCards_I1x36 CardsI2; // the other seat of the pair
    TCards_J1x36 CardsJ2;
    Byte KolCards2 = 0;
    Byte Och = DeckSize + 1;
    char Koz = '#';
    char Vskr = 0;
    TCards_I1x12 InGameI;
    TCards_J1x12 InGameJ;
    Byte KolFree = 0;
    int Image = 0; // the seat whose speech box shows the progress
    TCards_I1x36 Bito;
    Byte SearchFlag = 0;
    TStr2 KartaHod = NoCard;
    Byte DostHod = EmptyRank;
    Byte Prognoz = 0; // forecast of the decision: 6 win, 4 draw, 2 loss
    Byte KolCardsStol = 0;
    Byte OchGame = 1;
    Byte KolHods = 0;
    bool WasTakes = false;
    std::string Think = "I think... ";
    Byte MaxSuper = tarvo::MaxSuper;

    StatFool2();
};

// The snapshot for the acting seat; its opponent is the other seat of DuelPair.
StatFool2 FillStatFool2(const GameState& g, int seat, const std::string& think);

// Forecasts use 6 win, 4 draw, 2 loss.
struct LeadForecast {
    TStr2 card = NoCard;
    int worst = 0;
    int best = 0;
};
LeadForecast BestLeadTwoTwo(TStr2 a1, TStr2 a2, TStr2 d1, TStr2 d2, char trump);
LeadForecast BestLeadThreeOne(TStr2 a1, TStr2 a2, TStr2 a3, TStr2 d, char trump);

// The lead when too many cards are left to search: a slot of the snapshot's own hand.
int EndgameLeadSlot(const StatFool2& s);

// The search from the snapshot's position (fast, exact). The attacker's root uses the snapshot's
// table, KolHods and KolFree; the defender's beats the last card on the table.
SearchOutcome SearchAttack(const StatFool2& s, SearchMode mode, SearchEnv& env);
SearchOutcome SearchDefend(const StatFool2& s, SearchEnv& env);

// The two-player decision: a card of the snapshot's own hand, or "##" to pass, take or stop.
// Sets s.Prognoz; the busy cursor shows while a search runs. report, when given, receives the
// search's outcome (value -100 when no search ran).
TStr2 EndgameMove(StatFool2& s, MoveKind kind, TableView& view, const SearchOptions& options,
                  SearchOutcome* report = nullptr);

} // namespace tarvo
