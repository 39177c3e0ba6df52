// Autoplay: the computer plays every seat for a number of games, seat 3 through the same pipeline
// as a click. Its answers never vary, so a game can come back to a position it began a bout from
// before and would go round for ever; from then on seat 3 answers at random for the rest of that
// game.
#pragma once

#include <random>
#include <string>

#include "match/Driver.h"

namespace tarvo {

// The computer seats of the window; in autoplay it also plays seat 3.
class AutoplayPlayer final : public ComputerPlayer {
  public:
    MoveChoice Decide(const GameState& g, TableView& view, MoveKind kind, int seat, bool isThird) override;
    void BoutEnding(const GameState& g, BoutEnd how) override { ai_.BoutEnding(g, how); }
    void GameBegins() override { ai_.GameBegins(); }
    void SetThinkText(std::string text) { ai_.SetThinkText(std::move(text)); }
    // The game's own computer, whatever seat 3 does in autoplay: the strong seats, and hints.
    AiPlayer& Computer() { return ai_; }

    bool randomSeatThree = false;

  private:
    AiPlayer ai_;
    std::mt19937 random_{20261210};
};

// What the window does after a tick of autoplay.
enum class AutoplayTick {
    Played,   // a step, the start, or the end-of-game display
    DealNext,  // deal the next game of the series
    SeriesEnd, // the series must end here (a 30-game cycle closed, a rated session's third game)
    Finished,  // the games are played: record the series and close
};

class Autoplay {
  public:
    Autoplay(AutoplayPlayer& player, int games) : player_(player), games_(games) {}

    bool On() const { return games_ > 0; }
    int Played() const { return played_; }
    // `ratedPlay`: the series is a rated session, which ends only after its third game.
    AutoplayTick Tick(StepDriver& d, bool ratedPlay = false);

  private:
    AutoplayPlayer& player_;
    int games_;
    int played_ = 0;
};

} // namespace tarvo
