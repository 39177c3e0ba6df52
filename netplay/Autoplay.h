// The computer in the place of a network machine's human, taking only the steps a person at that
// machine could take: "To Begin", a card when it is his turn, the action button while it is
// enabled, "We play still!" on the server. Its steps go through the step driver as the human's.
#pragma once

#include "match/Autoplay.h"
#include "netplay/Session.h"

namespace tarvo {

enum class NetAutoStep {
    Wait,       // the others are to act
    Begin,      // "To Begin"
    Move,       // a card (slot), or the button's pass, take or stop (slot 0)
    Confirm,    // the button confirms the end of a bout
    EndDisplay, // the end of the game is shown
    NextGame,   // the server's "We play still!"
    SeriesOver, // the three games are played: record the series
};

struct NetAutoDecision {
    NetAutoStep step = NetAutoStep::Wait;
    int slot = 0;
};

// The next step; `actionEnabled` is the state of the machine's action button. Once a bout of
// the game has begun from a position seen before, seat 3 answers at random.
NetAutoDecision DecideNetAutoStep(const StepDriver& d, const NetSession& session, AutoplayPlayer& player,
                                  bool actionEnabled);
// The same for any machine of several: `seriesComplete` once its last game is over, `dealsNext`
// for the machine that deals the next game (a tournament table's series is its one game).
NetAutoDecision DecideAutoStep(const StepDriver& d, bool seriesComplete, bool dealsNext, AutoplayPlayer& player,
                               bool actionEnabled);

} // namespace tarvo
