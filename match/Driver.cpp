#include "Driver.h"

#include <algorithm>

namespace tarvo {

Turn NextTurn(const GameState& g) {
    Turn t;
    if (g.GameOver) {
        t.over = true;
        return t;
    }
    if (g.StartPending != 2) return t;
    if ((t.boutEnd = PendingBoutEnd(g))) return t;
    t.kind = CurrentKind(g);
    t.seat = t.kind == NoKind ? 0 : ActingSeat(g);
    return t;
}

bool BoutStarts::Note(const GameState& g) {
    Key key{};
    std::size_t n = 0;
    key[n++] = g.HodSeat;
    key[n++] = g.DuelPair;
    key[n++] = g.Och;
    for (int seat = 1; seat <= 3; ++seat) {
        key[n++] = g.KolCards[seat];
        for (int i = 1; i <= g.KolCards[seat] && n < key.size(); ++i)
            key[n++] = static_cast<Byte>(CardNumber(g.CardsI[seat][i]));
    }
    if (std::find(keys_.begin(), keys_.end(), key) != keys_.end()) return true;
    keys_.push_back(key);
    return false;
}

void StepDriver::Begin() {
    StartPlay(m_);
    starts_.Clear();
    repeated_ = starts_.Note(m_.g);
}

bool StepDriver::NoteAfter(bool boutEnded, bool applied) {
    const GameState& g = m_.g;
    // A single client's computer may already have led the next bout: that is no bout start.
    if (applied && boutEnded && !g.GameOver && g.KolCardsStol == 0 && starts_.Note(g)) repeated_ = true;
    return applied;
}

bool StepDriver::ComputerStep() {
    Turn t = Next();
    if (!t.boutEnd && t.seat == 0) return false;
    return NoteAfter(t.boutEnd.has_value(), MakeMove(m_, 0, false, false));
}

bool StepDriver::GivenStep(int seat, MoveChoice step, StepOrigin origin) {
    Turn t = Next();
    if (t.boutEnd || t.seat == 0 || t.seat != seat) return false;
    if (origin == StepOrigin::Remote) return ApplyRemoteStep(m_, seat, step);
    if (seat != 3) return false; // the only seat a human plays at this machine
    return MakeMove(m_, step.slot, step.pass, true);
}

bool StepDriver::EndBout(StepOrigin origin) {
    if (!Next().boutEnd) return false;
    return NoteAfter(true,
                     origin == StepOrigin::Remote ? ApplyRemoteBoutEnd(m_) : MakeMove(m_, 0, true, true));
}

TickAction DecideTick(const GameState& g, const MatchFlags& flags, PlayMode mode) {
    if (!g.InputOpen || g.StartPending == 0) return TickAction::None;
    Turn t = NextTurn(g);
    if (t.over) return flags.EndShown ? TickAction::None : TickAction::EndDisplay;
    if (mode != PlayMode::Local) return TickAction::None;
    // A two-player bout ends on the tick; a three-player one waits for the human's confirmation.
    if (t.boutEnd) return g.DuelMode ? TickAction::ComputerStep : TickAction::None;
    return t.seat == 1 || t.seat == 2 ? TickAction::ComputerStep : TickAction::None;
}

void GameTick(StepDriver& d, bool ratedPlay, bool isServer, bool tournamentSeatOne) {
    MatchContext& m = d.Match();
    switch (DecideTick(m.g, m.flags, m.mode)) {
    case TickAction::ComputerStep:
        d.ComputerStep();
        break;
    case TickAction::EndDisplay:
        ShowEndDisplay(m, DecideEndDisplay(m.g, m.mode, ratedPlay, isServer, tournamentSeatOne));
        break;
    case TickAction::None:
        break;
    }
}

} // namespace tarvo
