#include "netplay/Autoplay.h"

namespace tarvo {

NetAutoDecision DecideNetAutoStep(const StepDriver& d, const NetSession& session, AutoplayPlayer& player,
                                  bool actionEnabled) {
    return DecideAutoStep(d, session.SeriesComplete(), session.IsServer(), player, actionEnabled);
}

NetAutoDecision DecideAutoStep(const StepDriver& d, bool seriesComplete, bool dealsNext, AutoplayPlayer& player,
                               bool actionEnabled) {
    const MatchContext& m = d.Match();
    const GameState& g = m.g;
    if (g.StartPending == 0) return {}; // no deal yet
    if (g.StartPending == 1) return {actionEnabled ? NetAutoStep::Begin : NetAutoStep::Wait};
    const Turn t = d.Next();
    if (t.over) {
        if (!m.flags.EndShown) return {NetAutoStep::EndDisplay};
        if (seriesComplete) return {NetAutoStep::SeriesOver};
        return {dealsNext && actionEnabled ? NetAutoStep::NextGame : NetAutoStep::Wait};
    }
    if (t.boutEnd) return {actionEnabled ? NetAutoStep::Confirm : NetAutoStep::Wait};
    if (t.seat != 3) return {};
    player.randomSeatThree = d.Repeated();
    const MoveChoice choice = player.Decide(g, m.view, t.kind, 3, ActsAsThird(g));
    if (choice.pass) return {actionEnabled ? NetAutoStep::Move : NetAutoStep::Wait, 0};
    return {NetAutoStep::Move, choice.slot};
}

} // namespace tarvo
