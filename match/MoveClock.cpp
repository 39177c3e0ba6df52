#include "match/MoveClock.h"

#include "core/Rules.h"
#include "match/Driver.h"

namespace tarvo {

int ClockSeat(const GameState& g) {
    if (g.GameOver || g.StartPending == 0) return 0;
    if (g.StartPending == 1) return g.HodSeat;
    const Turn t = NextTurn(g);
    if (t.boutEnd) return DefenderSeat(g);
    return t.seat;
}

void MoveClock::Restart(int seat, int seconds) {
    running_ = seat >= 1 && seat <= 3;
    seat_ = seat;
    left_ = seconds;
}

ClockTick MoveClock::Tick() {
    ClockTick t;
    if (!running_) return t;
    if (left_ > 0) --left_;
    t.seat = seat_;
    t.left = left_;
    if (seat_ != 3) return t;
    if (left_ > 7)
        t.sound = "STimerA";
    else if (left_ >= 1)
        t.sound = "STimerB";
    if (left_ == 0) {
        t.ownTimeUp = true;
        running_ = false;
    }
    return t;
}

} // namespace tarvo
