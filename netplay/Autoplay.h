// The computer in the place of a network machine's human, taking only the steps a person at that
// machine could take: "To Begin", a card when it is his turn, the action button while it is
// enabled, "We play still!" on the server. Its steps go through the move pipeline as the human's.
#pragma once

#include <random>
#include <set>
#include <string>

#include "match/Match.h"
#include "netplay/Session.h"

namespace tarvo {

enum class NetAutoStep {
    Wait,       // the others are to act
    Begin,      // "To Begin"
    Move,       // a card (slot) or the button's pass, take or stop (slot 0)
    Confirm,    // the button confirms the end of a bout
    EndDisplay, // the end of the game is shown
    NextGame,   // the server's "We play still!"
    SeriesOver, // the three games are played: record the series
};

struct NetAutoDecision {
    NetAutoStep step = NetAutoStep::Wait;
    int slot = 0;
};

class NetAutoplayer {
  public:
    explicit NetAutoplayer(ComputerPlayer& computer) : computer_(computer) {}
    // The next step; `actionEnabled` is the state of the machine's action button.
    NetAutoDecision Decide(const MatchContext& m, const NetSession& session, bool actionEnabled);

  private:
    // Deterministic answers can repeat a bout for ever; once a bout starts from a position seen
    // before in this game, seat 3 answers at random for the rest of it.
    MoveChoice Choose(const MatchContext& m);
    void NoteBoutStart(const GameState& g);

    ComputerPlayer& computer_;
    std::set<std::string> boutStarts_;
    std::string lastKey_;
    int konNumber_ = -1;
    bool random_ = false;
    std::mt19937 generator_{20261210};
};

} // namespace tarvo
