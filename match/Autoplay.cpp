#include "Autoplay.h"

#include <vector>

namespace tarvo {

MoveChoice AutoplayPlayer::Decide(const GameState& g, TableView& view, MoveKind kind, int seat, bool isThird) {
    if (seat != 3 || !randomSeatThree) return ai_.Decide(g, view, kind, seat, isThird);
    std::vector<MoveChoice> answers;
    for (int slot = 1; slot <= g.KolCards[3]; ++slot)
        if (CanPlaySlot(g, slot)) answers.push_back(PlaySlot(slot));
    if (CanPass(g)) answers.push_back(PassChoice);
    if (answers.empty()) return PassChoice;
    return answers[std::uniform_int_distribution<std::size_t>(0, answers.size() - 1)(random_)];
}

AutoplayTick Autoplay::Tick(StepDriver& d, bool ratedPlay) {
    MatchContext& m = d.Match();
    const GameState& g = m.g;
    if (g.StartPending == 1) {
        player_.randomSeatThree = false;
        d.Begin();
        return AutoplayTick::Played;
    }
    if (g.GameOver) {
        if (!m.flags.EndShown) {
            GameTick(d, ratedPlay);
            return AutoplayTick::Played;
        }
        // Where the end display offers only "Exit to menu" the series ends; a rated session is
        // never cut short, so the last one is played to its end.
        const bool seriesOver = !DecideEndDisplay(g, m.mode, ratedPlay, true, false).continueEnabled;
        if (++played_ >= games_ && (seriesOver || !ratedPlay)) return AutoplayTick::Finished;
        return seriesOver ? AutoplayTick::SeriesEnd : AutoplayTick::DealNext;
    }
    // Every seat and every bout end, seat 3's as well, is the computer's here.
    d.ComputerStep();
    if (d.Repeated()) player_.randomSeatThree = true;
    return AutoplayTick::Played;
}

} // namespace tarvo
