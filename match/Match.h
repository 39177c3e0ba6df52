// The one move pipeline every step of every seat goes through, the action buttons and the end of a
// game. The window, the simulator and the network share it; match/Driver moves games on with it.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "ai/Computer.h"
#include "ai/Strong.h"
#include "core/Deck.h"
#include "core/GameState.h"
#include "core/Round.h"
#include "core/Rules.h"
#include "core/TableView.h"
#include "match/RecordBody.h"

namespace tarvo {

enum class PlayMode { Local, Network, Tournament };

// Decides a computer seat's step: a slot of its hand, or a pass (decline, take, stop).
class ComputerPlayer {
  public:
    virtual ~ComputerPlayer() = default;
    virtual MoveChoice Decide(const GameState& g, TableView& view, MoveKind kind, int seat, bool isThird) = 0;
    // The bout of g is about to end as `how` says: what every seat sees happen.
    virtual void BoutEnding(const GameState&, BoutEnd) {}
    // A dealt game begins: nothing seen in an earlier game holds in this one.
    virtual void GameBegins() {}
};

// The game's own computer opponents.
class AiPlayer final : public ComputerPlayer {
  public:
    AiPlayer() = default;
    explicit AiPlayer(SearchOptions options) : options_(std::move(options)) {}
    MoveChoice Decide(const GameState& g, TableView& view, MoveKind kind, int seat, bool isThird) override {
        options_.memory = &memory_;
        if (strongSeats_[static_cast<std::size_t>(seat & 3)])
            return StrongMove(g, view, kind, seat, isThird, sightings_, options_, strong_);
        return ComputerMove(g, view, kind, seat, isThird, options_);
    }
    void BoutEnding(const GameState& g, BoutEnd how) override { sightings_.BoutEnding(g, how); }
    // A new series can deal its first game with the same number and the same open trump as the
    // last one (a replayed deal always does), so only the start of play tells the games apart.
    void GameBegins() override { sightings_ = Sightings{}; }
    // The search's progress text begins with this ("I think... " in the player's language).
    void SetThinkText(std::string text) { options_.think = std::move(text); }
    // Which seats (1..3) the strong computer plays; the others play the classic one.
    void SetStrong(int seat, bool on) { strongSeats_[static_cast<std::size_t>(seat & 3)] = on; }
    bool Strong(int seat) const { return strongSeats_[static_cast<std::size_t>(seat & 3)]; }
    StrongOptions& StrongSettings() { return strong_; }
    Sightings& Seen() { return sightings_; }

  private:
    SearchOptions options_;
    SearchMemory memory_; // the endgame search's values, kept through one endgame
    std::array<bool, 4> strongSeats_{};
    StrongOptions strong_;
    Sightings sightings_; // what the table saw picked up, for the strong seats
};

// Where the step's record bodies go (the network transport; nothing in a local game). A body for
// a seat that is the computer, or none at all, is not sent.
class RecordSink {
  public:
    virtual ~RecordSink() = default;
    virtual void SendRecord(const std::optional<std::string>& bodyForSeat2,
                            const std::optional<std::string>& bodyForSeat1, int hodPhase, int duelPhase) = 0;
};

// Screen flags of the main window that the match reads and writes.
struct MatchFlags {
    bool EndShown = false;      // the end-of-game display was made for this game
    bool CycleComplete = false; // the game just finished closed a 30-game cycle
};

// One card or pass as it was applied (the simulator's trace, and whoever else watches).
struct StepEvent {
    int seat = 0;
    MoveKind kind = NoKind;
    int slot = 0;
    TStr2 card = NoCard;
    bool pass = false;
};

struct MatchContext {
    GameState& g;
    TableView& view;
    ComputerPlayer& computer;
    RecordSink* sink = nullptr;
    PlayMode mode = PlayMode::Local;
    MatchFlags flags;
    // Called after each card or pass, with the phases already advanced.
    std::function<void(const StepEvent&)> onStep = {};
    // A network game with a single client: the local seat the computer plays (0: none).
    int singleClientComputer = 0;
    // Computer answers the rules refused (and the pipeline replaced): a fault of the computer.
    int refusedComputerSteps = 0;
};

// One step of the acting seat. given: the local human supplies slot or pass; otherwise the
// computer decides (in an adding phase its whole series of added cards). A pass in a bout-end
// phase confirms the end of the bout. Returns false, changing nothing, for a step not allowed now.
bool MakeMove(MatchContext& m, int slot, bool pass, bool given);

// A remote player's step that arrived as a record: applied as the rules say, never sent on.
// Refused, changing nothing, when `seat` is not the one to act or the step is not allowed now.
bool ApplyRemoteStep(MatchContext& m, int seat, MoveChoice step);
// The end of the bout that another machine confirmed: taken or discarded here as well, not sent.
// False when no bout end is due.
bool ApplyRemoteBoutEnd(MatchContext& m);

// The caption a bout starts with, from seat 3's role in it.
ActionCaption BoutCaption(const GameState& g, PlayMode mode);

// Deals: a new series (its game count starting from the player's stored count) or the next game.
void StartSeries(MatchContext& m, DeckSource& decks, int storedGames);
void NextGame(MatchContext& m, DeckSource& decks);

// The start button of a dealt game: play begins with the lead of HodSeat.
void StartPlay(MatchContext& m);

// The action button: start the game, confirm, pass, take, stop, or deal the next game.
void PressActionButton(MatchContext& m, DeckSource& decks);

// A click on the own hand: the right button names the card, the left one plays it when legal
// ("WWrongs" and the refused card's sign for a wrong card, nothing for a blocked one).
void ClickOwnCard(MatchContext& m, int slot, bool rightButton);
// Whether a left click on this slot would play it now (the hand cursor).
bool OwnCardAccepted(const GameState& g, int slot);

struct EndDisplay {
    bool continueEnabled = false; // "We play still!"
    bool exitEnabled = false;     // "Exit to menu"
    bool cycleComplete = false;
    GameResult result = GameResult::Draw;
    const char* sound = "WKoGood";
};
EndDisplay DecideEndDisplay(const GameState& g, PlayMode mode, bool ratedPlay, bool isServer,
                            bool tournamentSeatOne);
void ShowEndDisplay(MatchContext& m, const EndDisplay& d);

} // namespace tarvo
