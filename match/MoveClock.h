// The move clock of tournament play: 26 seconds for the seat that must act next, restarted after
// every step; the window ticks it once a second and shows the seconds at that seat. Only the
// local player's own time running out is this machine's to act on; the others' clocks are shown
// for information, their own machines and the game server watch them.
#pragma once

#include "core/GameState.h"

namespace tarvo {

inline constexpr int MoveClockSeconds = 26;

// The seat whose step the game waits for: the acting seat, the defender who confirms the end of
// a bout, or before "To Begin" the first attacker; 0 when the game is over or not dealt.
int ClockSeat(const GameState& g);

struct ClockTick {
    int seat = 0;          // the clock seat, whose timer shows `left`
    int left = 0;          // seconds left after this tick
    const char* sound = nullptr; // "STimerA", "STimerB" at the local seat, else none
    bool ownTimeUp = false;      // the local player's time has just run out
};

class MoveClock {
  public:
    void Restart(int seat, int seconds = MoveClockSeconds);
    void Stop() { running_ = false; }
    bool Running() const { return running_; }
    int Seat() const { return seat_; }
    int Left() const { return left_; }
    // One second: nothing happens while stopped; the clock stops when seat 3's time runs out.
    ClockTick Tick();

  private:
    bool running_ = false;
    int seat_ = 0;
    int left_ = 0;
};

} // namespace tarvo
