#include "ai/Endgame.h"

#include "ai/Computer.h"
#include "core/Queries.h"

namespace tarvo {
namespace {

constexpr int WinForecast = 6;
constexpr int DrawForecast = 4;
constexpr int LossForecast = 2;

// A trump lead when at most one rank is held only in non-trumps and the trump that would be led
// next outranks every trump of the opponent's; 0 sends the hand to the small lead.
int EndgameLeadFromTrumps(const StatFool2& s) {
    RankSet all = RanksInHand(s.CardsI1, s.CardsJ1);
    RankSet trumps = RanksOfSuitInHand(s.CardsI1, s.CardsJ1, s.Koz);
    int onlyNonTrump = all.Minus(trumps).Count();
    if (onlyNonTrump > 1) return 0;
    std::array<int, 2> lowest{};
    int found = 0;
    for (int r = 1; r <= RankCount && found < 2; ++r)
        if (trumps.Has(r)) lowest[static_cast<std::size_t>(found++)] = r;
    int m = onlyNonTrump == 0 ? lowest[1] : lowest[0];
    int highestOpponentTrump = 0;
    RankSet opponentTrumps = RanksOfSuitInHand(s.CardsI2, s.CardsJ2, s.Koz);
    for (int r = 1; r <= RankCount; ++r)
        if (opponentTrumps.Has(r)) highestOpponentTrump = r;
    if (m <= highestOpponentTrump) return 0;
    return onlyNonTrump == 0 ? SecondLowestOfSuit(s.CardsI1, s.CardsJ1, s.Koz)
                             : LowestOfSuit(s.CardsI1, s.CardsJ1, s.Koz);
}

Byte ForecastOf(int value) {
    return static_cast<Byte>(value > 0 ? WinForecast : value == 0 ? DrawForecast : LossForecast);
}

TStr2 CardAt(const StatFool2& s, int slot) {
    return slot ? s.CardsI1[slot] : NoCard;
}

} // namespace

StatFool2::StatFool2() {
    CardsI1.Fill(NoCard);
    CardsJ1.Fill(EmptyRank);
    CardsI2.Fill(NoCard);
    CardsJ2.Fill(EmptyRank);
    InGameI.Fill(NoCard);
    InGameJ.Fill(EmptyRank);
    Bito.Fill(NoCard);
}

StatFool2 FillStatFool2(const GameState& g, int seat, const std::string& think) {
    StatFool2 s;
    int opponent = OtherOfPair(g.DuelPair, seat);
    s.CardsI1 = g.CardsI[seat];
    s.CardsJ1 = g.CardsJ[seat];
    s.KolCards1 = g.KolCards[seat];
    s.CardsI2 = g.CardsI[opponent];
    s.CardsJ2 = g.CardsJ[opponent];
    s.KolCards2 = g.KolCards[opponent];
    s.Och = g.Och;
    s.Koz = g.Koz;
    s.Vskr = g.Vskr;
    s.InGameI = g.InGameI;
    s.InGameJ = g.InGameJ;
    s.KolFree = g.KolFree;
    s.Image = seat;
    s.Bito = g.Bito;
    s.KartaHod = g.KartaHod;
    s.DostHod = g.DostHod;
    s.KolCardsStol = g.KolCardsStol;
    s.OchGame = g.OchGame;
    s.KolHods = g.KolHods;
    s.WasTakes = g.WasTakes;
    s.Think = think;
    return s;
}

LeadForecast BestLeadTwoTwo(TStr2 a1, TStr2 a2, TStr2 d1, TStr2 d2, char trump) {
    auto beats = [trump](TStr2 y, TStr2 x) { return Beats(y, x, trump); };
    if (a1.rank == a2.rank) {
        bool bothBeaten = (beats(d1, a1) && beats(d2, a2)) || (beats(d2, a1) && beats(d1, a2));
        int forecast = bothBeaten ? DrawForecast : WinForecast;
        return {a1, forecast, forecast};
    }
    if (!beats(d1, a1) && !beats(d2, a1)) return {a1, WinForecast, WinForecast};
    if (!beats(d1, a2) && !beats(d2, a2)) return {a2, WinForecast, WinForecast};

    // Each answer dx that beats the lead x is a scenario; y is thrown in after it when it can be,
    // otherwise the opponent leads his last card dy against y.
    auto value = [&](TStr2 x, TStr2 y) {
        LeadForecast f{x, WinForecast + 1, LossForecast - 1};
        for (auto [dx, dy] : {std::pair{d1, d2}, std::pair{d2, d1}}) {
            if (!beats(dx, x)) continue;
            int v = y.rank == x.rank || y.rank == dx.rank ? (beats(dy, y) ? DrawForecast : WinForecast)
                                                          : (beats(y, dy) ? DrawForecast : LossForecast);
            f.worst = std::min(f.worst, v);
            f.best = std::max(f.best, v);
        }
        return f;
    };
    LeadForecast first = value(a1, a2), second = value(a2, a1);
    if (first.worst != second.worst) return first.worst > second.worst ? first : second;
    if (first.best != second.best) return first.best > second.best ? first : second;
    return second;
}

LeadForecast BestLeadThreeOne(TStr2 a1, TStr2 a2, TStr2 a3, TStr2 d, char trump) {
    const std::array<TStr2, 3> own{a1, a2, a3};
    bool anySafe = false;
    LeadForecast chosen;
    for (std::size_t i = 0; i < own.size(); ++i) {
        if (Beats(d, own[i], trump)) continue;
        // The opponent must take the safe card and then holds d and it against our other two.
        std::array<TStr2, 2> rest{};
        std::size_t n = 0;
        for (std::size_t j = 0; j < own.size(); ++j)
            if (j != i) rest[n++] = own[j];
        LeadForecast after = BestLeadTwoTwo(rest[0], rest[1], d, own[i], trump);
        // Later cards win ties, so they replace an equal earlier choice.
        if (!anySafe || after.worst > chosen.worst ||
            (after.worst == chosen.worst && after.best >= chosen.best))
            chosen = {own[i], after.worst, after.best};
        anySafe = true;
    }
    if (!anySafe) return {a1, LossForecast, LossForecast};
    return chosen;
}

int EndgameLeadSlot(const StatFool2& s) {
    if (int slot = EndgameLeadFromTrumps(s)) return slot;
    return SmallLeadSlot(s.CardsI1, s.CardsJ1, s.Koz, 7);
}

TStr2 EndgameMove(StatFool2& s, MoveKind kind, TableView& view, const SearchOptions& options,
                  SearchOutcome* report) {
    const int own = s.KolCards1, opp = s.KolCards2;
    const bool searchable = own + opp + s.KolCardsStol <= s.MaxSuper;
    if (report) *report = {};

    auto search = [&](auto run) {
        SearchEnv env(view, s.Image, s.Think, options.clock, options.limitMs, options.nodeBudget);
        env.memory = options.memory;
        view.SetBusyCursor(true);
        SearchOutcome outcome = run(env);
        view.SetBusyCursor(false);
        s.Prognoz = ForecastOf(outcome.value);
        if (report) *report = outcome;
        return outcome.card;
    };
    RankSet onTable = RanksOnTable(s.InGameI, s.InGameJ);

    switch (kind) {
    case Lead: {
        if (own == 2 && opp == 2) {
            LeadForecast f = BestLeadTwoTwo(s.CardsI1[1], s.CardsI1[2], s.CardsI2[1], s.CardsI2[2], s.Koz);
            s.Prognoz = static_cast<Byte>(f.worst);
            return f.card;
        }
        if (own == 3 && opp == 1) {
            LeadForecast f = BestLeadThreeOne(s.CardsI1[1], s.CardsI1[2], s.CardsI1[3], s.CardsI2[1], s.Koz);
            s.Prognoz = static_cast<Byte>(f.worst);
            return f.card;
        }
        if (searchable)
            return search([&](SearchEnv& env) { return SearchAttack(s, SearchMode::Normal, env); });
        return CardAt(s, EndgameLeadSlot(s));
    }
    case ThrowIn: {
        if (searchable)
            return search([&](SearchEnv& env) { return SearchAttack(s, SearchMode::Normal, env); });
        int slot = LowestNonTrumpInSet(s.CardsI1, s.CardsJ1, s.Koz, onTable);
        if (slot == 0) slot = LowestTrumpInSet(s.CardsI1, s.CardsJ1, s.Koz, onTable);
        return CardAt(s, slot);
    }
    case Beat:
        if (searchable) return search([&](SearchEnv& env) { return SearchDefend(s, env); });
        return CardAt(
            s, ChooseBeatingCard(s.CardsI1, s.CardsJ1, s.InGameI, s.InGameJ, s.KartaHod, s.DostHod, s.Koz));
    case Add:
        if (searchable)
            return search([&](SearchEnv& env) { return SearchAttack(s, SearchMode::Adding, env); });
        return CardAt(s, LowestNonTrumpInSet(s.CardsI1, s.CardsJ1, s.Koz, onTable));
    case NoKind:
        break;
    }
    return NoCard;
}

} // namespace tarvo
