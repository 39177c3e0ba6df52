#include "tests/ai/Oracle.h"

namespace tarvo::oracle {
namespace {

thread_local std::uint64_t budget = Unlimited;

// Counts the node; past the budget the search ends as if its time were up.
void Enter(SearchEnv& env) {
    if (++env.nodes > budget) env.abort = true;
}

struct Position {
    TCards_I1x36 moverI;
    TCards_J1x36 moverJ;
    int moverCount = 0;
    TCards_I1x36 otherI;
    TCards_J1x36 otherJ;
    int otherCount = 0;
    TCards_I1x12 tableI;
    TCards_J1x12 tableJ;
    int tableCount = 0;
    int kolHods = 0;
    int kolFree = 0;
    char koz = '#';
    int depth = 1;
};

bool BeatsCard(TStr2 y, Byte ry, TStr2 x, Byte rx, char trump) {
    if (y.suit == x.suit) return ry > rx;
    return y.suit == trump;
}

// Removes a hand slot; the later cards move down one slot.
void RemoveSlot(TCards_I1x36& I, TCards_J1x36& J, int& count, int slot) {
    for (int i = slot; i < count; ++i) {
        I[i] = I[i + 1];
        J[i] = J[i + 1];
    }
    I[count] = NoCard;
    J[count] = EmptyRank;
    --count;
}

void PutOnTable(Position& p, TStr2 card, Byte rank) {
    ++p.tableCount;
    p.tableI[p.tableCount] = card;
    p.tableJ[p.tableCount] = rank;
}

void ClearTable(Position& p) {
    p.tableI.Fill(NoCard);
    p.tableJ.Fill(EmptyRank);
    p.tableCount = 0;
}

Position Swapped(const Position& p) {
    Position q = p;
    q.moverI = p.otherI;
    q.moverJ = p.otherJ;
    q.moverCount = p.otherCount;
    q.otherI = p.moverI;
    q.otherJ = p.moverJ;
    q.otherCount = p.moverCount;
    return q;
}

// Receives the root's option values.
struct RootOptions {
    std::array<int, 38> values;
    int count = 0;
};

int Attack(Position p, SearchMode mode, SearchEnv& env, int* chosenSlot, RootOptions* root = nullptr);
int Defend(Position p, SearchEnv& env, int* chosenSlot, RootOptions* root = nullptr);

// Option values in slot order, the pass (or take) option after the last card.
int Choose(const std::array<int, 38>& options, int count, int* chosenSlot) {
    int best = NotExamined, slot = 0;
    for (int i = 1; i <= count + 1; ++i)
        if (options[static_cast<std::size_t>(i)] > best) {
            best = options[static_cast<std::size_t>(i)];
            slot = i <= count ? i : 0;
        }
    if (chosenSlot) *chosenSlot = slot;
    return best;
}

int Attack(Position p, SearchMode mode, SearchEnv& env, int* chosenSlot, RootOptions* rootOptions) {
    if (env.abort) return 0;
    Enter(env);
    const bool root = p.depth == 1;
    if (root) env.StartRoot(p.moverCount + (p.tableCount ? 1 : 0));
    if (SearchEnv::ChecksClockAt(p.depth)) env.CheckClock();

    std::array<int, 38> options;
    options.fill(NotExamined);
    bool anyPlayable = false, won = false;
    for (int slot = 1; slot <= p.moverCount && !won; ++slot) {
        bool rankOnTable = false;
        for (int t = 1; t <= p.tableCount; ++t) rankOnTable = rankOnTable || p.tableJ[t] == p.moverJ[slot];
        if (!((p.tableCount == 0 || rankOnTable) && p.kolHods <= 5 && p.kolFree < p.otherCount)) continue;
        anyPlayable = true;
        if (root) env.ShowOption(slot);
        Position q = p;
        PutOnTable(q, p.moverI[slot], p.moverJ[slot]);
        RemoveSlot(q.moverI, q.moverJ, q.moverCount, slot);
        ++q.kolHods;
        ++q.depth;
        int value;
        if (mode == SearchMode::Normal) {
            value = -Defend(Swapped(q), env, nullptr);
        } else {
            ++q.kolFree;
            value = Attack(q, SearchMode::Adding, env, nullptr);
        }
        options[static_cast<std::size_t>(slot)] = value;
        won = value == WinValue;
    }

    int& pass = options[static_cast<std::size_t>(p.moverCount + 1)];
    if (root && !anyPlayable) {
        pass = NothingPlayable;
    } else if (mode == SearchMode::Normal && p.tableCount > 0 && !won) {
        if (p.otherCount == 0 && p.moverCount > 0)
            pass = LossValue;
        else if (p.otherCount == 0 && p.moverCount == 0)
            pass = DrawValue;
        else if (p.moverCount == 0)
            pass = WinValue;
        else {
            Position q = Swapped(p);
            ClearTable(q);
            q.kolHods = 0;
            q.kolFree = 0;
            ++q.depth;
            pass = -Attack(q, SearchMode::Normal, env, nullptr);
        }
    } else if (mode == SearchMode::Adding && p.tableCount > 0) {
        Position q = p;
        for (int t = 1; t <= p.tableCount; ++t) {
            ++q.otherCount;
            q.otherI[q.otherCount] = p.tableI[t];
            q.otherJ[q.otherCount] = p.tableJ[t];
        }
        ClearTable(q);
        if (q.moverCount == 0) {
            pass = WinValue;
        } else {
            q.kolHods = 0;
            q.kolFree = 0;
            ++q.depth;
            pass = Attack(q, SearchMode::Normal, env, nullptr);
        }
    }

    int best = Choose(options, p.moverCount, chosenSlot);
    if (root && !won) env.ShowAllExamined();
    if (rootOptions) *rootOptions = {options, p.moverCount};
    return best;
}

int Defend(Position p, SearchEnv& env, int* chosenSlot, RootOptions* rootOptions) {
    if (env.abort) return 0;
    Enter(env);
    const bool root = p.depth == 1;
    if (root) env.StartRoot(p.moverCount + 1);

    std::array<int, 38> options;
    options.fill(NotExamined);
    bool anyBeats = false, won = false;
    const TStr2 last = p.tableI[p.tableCount];
    const Byte lastRank = p.tableJ[p.tableCount];
    for (int slot = 1; slot <= p.moverCount && !won; ++slot) {
        if (!BeatsCard(p.moverI[slot], p.moverJ[slot], last, lastRank, p.koz)) continue;
        anyBeats = true;
        if (root) env.ShowOption(slot);
        Position q = p;
        PutOnTable(q, p.moverI[slot], p.moverJ[slot]);
        RemoveSlot(q.moverI, q.moverJ, q.moverCount, slot);
        int value;
        if (q.moverCount == 0 && q.otherCount == 0)
            value = DrawValue;
        else if (q.otherCount == 0)
            value = LossValue;
        else if (q.moverCount == 0)
            value = WinValue;
        else {
            Position a = Swapped(q);
            a.kolFree = 0;
            ++a.depth;
            value = -Attack(a, SearchMode::Normal, env, nullptr);
        }
        options[static_cast<std::size_t>(slot)] = value;
        won = value == WinValue;
    }

    int& take = options[static_cast<std::size_t>(p.moverCount + 1)];
    if (root && !anyBeats) {
        take = NothingPlayable;
    } else if (!won) {
        if (p.otherCount == 0) {
            take = LossValue;
        } else {
            Position a = Swapped(p);
            a.kolFree = 1;
            ++a.depth;
            take = -Attack(a, SearchMode::Adding, env, nullptr);
        }
    }

    int best = Choose(options, p.moverCount, chosenSlot);
    if (root && !won) env.ShowAllExamined();
    if (rootOptions) *rootOptions = {options, p.moverCount};
    return best;
}

Position RootPosition(const StatFool2& s) {
    Position p;
    p.moverI = s.CardsI1;
    p.moverJ = s.CardsJ1;
    p.moverCount = s.KolCards1;
    p.otherI = s.CardsI2;
    p.otherJ = s.CardsJ2;
    p.otherCount = s.KolCards2;
    p.tableI = s.InGameI;
    p.tableJ = s.InGameJ;
    p.tableCount = s.KolCardsStol;
    p.kolHods = s.KolHods;
    p.kolFree = s.KolFree;
    p.koz = s.Koz;
    return p;
}

SearchOutcome Outcome(const StatFool2& s, int value, int slot, const SearchEnv& env,
                      const RootOptions& root) {
    SearchOutcome out;
    out.card = slot ? s.CardsI1[slot] : NoCard;
    out.value = value;
    out.aborted = env.abort;
    out.nodes = env.nodes;
    for (int i = 1; i <= root.count && i <= DeckSize; ++i)
        out.slotValues[static_cast<std::size_t>(i)] = root.values[static_cast<std::size_t>(i)];
    out.passValue = root.values[static_cast<std::size_t>(root.count + 1)];
    return out;
}

} // namespace

SearchOutcome SearchAttack(const StatFool2& s, SearchMode mode, SearchEnv& env, std::uint64_t nodeBudget) {
    budget = nodeBudget;
    int slot = 0;
    RootOptions root;
    root.values.fill(NotExamined);
    int value = Attack(RootPosition(s), mode, env, &slot, &root);
    return Outcome(s, value, slot, env, root);
}

SearchOutcome SearchDefend(const StatFool2& s, SearchEnv& env, std::uint64_t nodeBudget) {
    budget = nodeBudget;
    int slot = 0;
    RootOptions root;
    root.values.fill(NotExamined);
    int value = Defend(RootPosition(s), env, &slot, &root);
    return Outcome(s, value, slot, env, root);
}

} // namespace tarvo::oracle
