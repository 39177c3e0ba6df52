// A player's side of a tournament table: his seat's connection to the tournament game server,
// the deal laid out in his own numbering, the records of his steps sent to the server for the
// other two seats, and what arrives kept in order until the game can take it. Plain C++: a TCP
// transport feeds it bytes (the same NetLinks as network play), the tests join it directly.
#pragma once

#include <deque>
#include <string>
#include <string_view>
#include <variant>

#include "match/Driver.h"
#include "netplay/Session.h"
#include "netplay/TournamentMessages.h"

namespace tarvo {

// What the session tells the window. Seats are in the player's own numbering.
class TournamentEvents {
  public:
    virtual ~TournamentEvents() = default;
    virtual void GameMessageArrived() {} // something waits in NextIncoming()
    virtual void ChatArrived(int /*seat*/, const std::string& /*text*/) {}
    virtual void GameOver() {}           // the server says the game is over
    virtual void Left(int /*seat*/) {}   // another player left the game
    virtual void TimeUp(int /*seat*/) {} // another player's time ran out
    // The game ends unrecorded: the server sent what the game refuses, or the connection broke.
    virtual void Interrupted(const std::string& /*reason*/) {}
};

enum class TableIncoming { None, Deal, Record, Verdict };

class TournamentSession final : public RecordSink, public NetReceiver {
  public:
    TournamentSession(NetLinks& links, TournamentEvents& events) : links_(links), events_(events) {}

    // A new connection for tournament seat 1, 2 or 3; nothing of an earlier one counts.
    void Start(int seat);
    int Seat() const { return seat_; }

    // From the transport: the one connection to the game server.
    void OnConnected(int connection) override;
    void OnBytes(int connection, std::string_view bytes) override;
    void OnClosed(int connection) override;

    void Attach(StepDriver* driver) { driver_ = driver; }

    bool Connected() const { return connection_ >= 0 && !finished_; }
    bool Dealt() const { return dealt_; }
    // The game's connection is over: the server said so, or a player left, ran out of time or
    // broke the game, or this seat's own time ran out.
    bool Finished() const { return finished_; }

    void SendRecord(const std::optional<std::string>& bodyForSeat2,
                    const std::optional<std::string>& bodyForSeat1, int hodPhase, int duelPhase) override;
    void SendChat(const std::string& text);
    // This seat's clock ran out: "TOut" goes out and the connection closes.
    void SendTimeOut();
    // The series result from the player at seat 1: the scores of his seats 3, 1 and 2.
    void SendResult(const GameState& g);
    // The player leaves his seat: "disA", then the connection closes.
    void Leave();
    // Closes the connection without a word (after the result, or leaving tournament play).
    void Close();

    // Deals, records and the server's verdicts (game over, a player left, time up) are taken one
    // at a time, in the order they came.
    TableIncoming NextIncoming() const;
    void ApplyNext();

  private:
    struct Closed {};
    using Waiting = std::variant<DealMsg, RecordMsg, GameEnded, PlayerLeft, PlayerTimeUp, Closed>;

    void OnMessage(TableMessage& m);
    void Queue(Waiting item);
    void Send(const std::string& bytes);
    void Interrupt(const std::string& reason);
    void Finish();

    NetLinks& links_;
    TournamentEvents& events_;
    StepDriver* driver_ = nullptr;
    int seat_ = 0;
    int connection_ = -1;
    TableReader reader_;
    std::deque<Waiting> waiting_;
    bool dealt_ = false;
    bool finished_ = false;
};

} // namespace tarvo
