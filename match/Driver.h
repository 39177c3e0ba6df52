// The one thing that moves a game on, for every caller: the window's game timer and autoplay, the
// simulator, and network or tournament play. It says whose step is due, takes every step through
// MakeMove, ends bouts, and notices a game that has come back to a position it began a bout from
// before: with seats that always answer alike, such a game would go round for ever.
#pragma once

#include <array>
#include <optional>
#include <vector>

#include "core/Round.h"
#include "match/Match.h"

namespace tarvo {

// What a game waits for between two steps.
struct Turn {
    int seat = 0;                   // the seat whose step is due; 0 when no seat's is
    MoveKind kind = NoKind;         // the kind of that step
    std::optional<BoutEnd> boutEnd; // the bout is over and waits to be ended
    bool over = false;              // the game has ended
};

// Nothing is due before the start button and after the end of the game.
Turn NextTurn(const GameState& g);

// The positions a game has begun its bouts from: the hands in slot order (equal ranks keep the
// order they arrived in, and the computer reads hands in that order), the attacker, the pair and
// the talon. The discard pile, two-player mode and the bout limit follow from these.
class BoutStarts {
  public:
    void Clear() { keys_.clear(); }
    // Notes the position; true when a bout had begun from it before.
    bool Note(const GameState& g);

  private:
    using Key = std::array<Byte, 3 + 3 + DeckSize>;
    std::vector<Key> keys_;
};

// Where a step given from outside comes from.
enum class StepOrigin {
    Local,  // the human at this machine: it goes through the pipeline and out to the others
    Remote, // a record from another machine: applied here only
};

class StepDriver {
  public:
    explicit StepDriver(MatchContext& m) : m_(m) {}

    MatchContext& Match() const { return m_; }
    Turn Next() const { return NextTurn(m_.g); }

    // The start button of a dealt game: play begins with the lead, earlier bout starts are
    // forgotten.
    void Begin();
    // The due step decided by the computer for the acting seat (an adder adds all its cards), or
    // the due end of a bout. False when nothing is due.
    bool ComputerStep();
    // The due step of `seat` given from outside. Refused, changing nothing, when `seat` does not act
    // now or the step is not allowed.
    bool GivenStep(int seat, MoveChoice step, StepOrigin origin = StepOrigin::Local);
    // Ends the due bout (the action button, or the record that confirms it). False when none is due.
    bool EndBout(StepOrigin origin = StepOrigin::Local);

    // A bout of this game has begun from a position that an earlier bout began from.
    bool Repeated() const { return repeated_; }

  private:
    bool NoteAfter(bool boutEnded, bool applied);

    MatchContext& m_;
    BoutStarts starts_;
    bool repeated_ = false;
};

// The game timer: what one tick does.
enum class TickAction { None, ComputerStep, EndDisplay };
TickAction DecideTick(const GameState& g, const MatchFlags& flags, PlayMode mode);
// Runs one tick of the game timer.
void GameTick(StepDriver& d, bool ratedPlay = false, bool isServer = true, bool tournamentSeatOne = false);

} // namespace tarvo
