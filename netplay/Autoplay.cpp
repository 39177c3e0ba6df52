#include "netplay/Autoplay.h"

#include "core/Round.h"
#include "core/Rules.h"

namespace tarvo {

void NetAutoplayer::NoteBoutStart(const GameState& g) {
    if (g.KolCardsStol != 0 || (g.DuelMode ? g.DuelPhase : g.HodPhase) != 1) return;
    std::string key{static_cast<char>(g.HodSeat), static_cast<char>(g.DuelPair), static_cast<char>(g.Och)};
    for (int seat = 1; seat <= 3; ++seat)
        for (int i = 1; i <= g.KolCards[seat]; ++i) key += {g.CardsI[seat][i].rank, g.CardsI[seat][i].suit};
    if (key == lastKey_) return; // the same bout start, seen again while the others act
    lastKey_ = key;
    if (!boutStarts_.insert(key).second) random_ = true;
}

MoveChoice NetAutoplayer::Choose(const MatchContext& m) {
    const GameState& g = m.g;
    if (!random_) return computer_.Decide(g, m.view, CurrentKind(g), 3, ActsAsThird(g));
    std::vector<MoveChoice> answers;
    for (int slot = 1; slot <= g.KolCards[3]; ++slot)
        if (CanPlaySlot(g, slot)) answers.push_back(PlaySlot(slot));
    if (CanPass(g)) answers.push_back(PassChoice);
    if (answers.empty()) return PassChoice;
    return answers[std::uniform_int_distribution<std::size_t>(0, answers.size() - 1)(generator_)];
}

NetAutoDecision NetAutoplayer::Decide(const MatchContext& m, const NetSession& session, bool actionEnabled) {
    const GameState& g = m.g;
    if (g.StartPending == 0) return {}; // no deal yet
    if (g.KonNumber != konNumber_) {
        konNumber_ = g.KonNumber;
        boutStarts_.clear();
        lastKey_.clear();
        random_ = false;
    }
    if (g.StartPending == 1) return {actionEnabled ? NetAutoStep::Begin : NetAutoStep::Wait};
    if (g.GameOver) {
        if (!m.flags.EndShown) return {NetAutoStep::EndDisplay};
        if (session.SeriesComplete()) return {NetAutoStep::SeriesOver};
        return {session.IsServer() && actionEnabled ? NetAutoStep::NextGame : NetAutoStep::Wait};
    }
    if (PendingBoutEnd(g)) return {actionEnabled ? NetAutoStep::Confirm : NetAutoStep::Wait};
    NoteBoutStart(g);
    if (!HumanTurn(g)) return {};
    const MoveChoice choice = Choose(m);
    if (choice.pass) return {actionEnabled ? NetAutoStep::Move : NetAutoStep::Wait, 0};
    return {NetAutoStep::Move, choice.slot};
}

} // namespace tarvo
