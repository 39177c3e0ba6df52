// One machine's side of a network series: who joined in which role, the names of the seats, the
// records of every step sent to the right machines in their numbering, and what arrives kept in
// order until the game can take it. Plain C++: the TCP transport feeds it bytes, and the tests
// join sessions directly.
#pragma once

#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <variant>

#include "match/Driver.h"
#include "netplay/Messages.h"

namespace tarvo {

// A network series is a block of three games.
inline constexpr int NetSeriesGames = 3;
// What may wait to be applied at once; a peer that sends more is flooding.
inline constexpr std::size_t MaxWaitingMessages = 256;

// What the session asks of its connections. A client has one connection, to the server.
class NetLinks {
  public:
    virtual ~NetLinks() = default;
    virtual void Send(int connection, const std::string& bytes) = 0;
    virtual void Close(int connection) = 0;
    // Stops listening or connecting and closes every connection, after what was sent has left.
    virtual void CloseAll() = 0;
};

// What a transport hands on: a connection that stands, its bytes, its end.
class NetReceiver {
  public:
    virtual ~NetReceiver() = default;
    virtual void OnConnected(int connection) = 0;
    virtual void OnBytes(int connection, std::string_view bytes) = 0;
    virtual void OnClosed(int connection) = 0;
    // A client whose server let it go before taking it in (its table was full): it tries again.
    virtual bool Unwelcomed() const { return false; }
};

// What the session tells its machine.
class NetEvents {
  public:
    virtual ~NetEvents() = default;
    virtual void Joined(int /*clients*/) {} // server: a client introduced itself (1 or 2 now)
    virtual void Welcomed() {}              // client: the server took us in
    virtual void NamesChanged() {}          // client: the second client has joined
    virtual void GameMessageArrived() {}    // a deal or a record waits in NextIncoming()
    virtual void ChatArrived(int /*seat*/, const std::string& /*text*/) {}
    // The series ends unrecorded (a peer left, sent what the game refuses, or aborted).
    virtual void Interrupted(const std::string& /*reason*/) {}
};

enum class NetState { None = 0, Waiting = 1, Connected = 2, Dealt = 3 };
enum class Incoming { None, Deal, Record, Closed };

class NetSession final : public RecordSink, public NetReceiver {
  public:
    NetSession(NetLinks& links, NetEvents& events) : links_(links), events_(events) {}

    // The server seat (role 1) or a client (role 2 until the server says 3). `name` is the local
    // player's; on the wire it keeps six characters.
    void StartServer(const std::string& name);
    void StartClient(const std::string& name);

    // From the transport. A server's connection is new and nameless until its hello; a client's
    // one connection is the server's.
    void OnConnected(int connection) override;
    void OnBytes(int connection, std::string_view bytes) override;
    void OnClosed(int connection) override;

    // The game the session plays; deals and records are applied to it, and each deal tells its
    // pipeline which seat the computer plays.
    void Attach(StepDriver* driver) { driver_ = driver; }

    int Role() const { return role_; }
    bool IsServer() const { return role_ == ServerRole; }
    NetState State() const { return state_; }
    // Clients beyond the first: -1 before any client, 0 with one, 1 with two.
    int ExtraClients() const { return extraClients_; }
    // The local seat the computer plays, the seat of the missing second client; 0 with two.
    int ComputerSeat() const;
    std::string SeatName(int seat) const;
    // "Cid/Bob/Ann": every player's name, seat 3 first.
    std::string HistoryName() const;

    // The server after its deal; the state becomes "dealt".
    void SendDeal(const GameState& g);
    void SendChat(const std::string& text);
    void SendRecord(const std::optional<std::string>& bodyForSeat2,
                    const std::optional<std::string>& bodyForSeat1, int hodPhase, int duelPhase) override;

    // Deals and records are applied one at a time, in the order they came.
    Incoming NextIncoming() const;
    // Applies the first waiting message to the attached game: a deal from the server (a player's
    // stored games count starts the series), a record checked against the rules, or a closed
    // connection, which interrupts the series unless its last game is over.
    void ApplyNext(int storedGames);

    // Whether the three games of the series have been played.
    bool SeriesComplete() const;
    // The series ends here: everything is closed, and what a peer still does means nothing.
    void End();
    // Ends the series as interrupted: "abort" to the clients, everything closed, one line on the
    // error stream naming the reason, and the machine told.
    void Interrupt(const std::string& reason);
    bool Ended() const { return ended_; }
    bool Unwelcomed() const override { return !IsServer() && state_ == NetState::Waiting && !ended_; }

  private:
    struct Peer {
        int role = 0; // 0 until its hello was taken
        MessageReader reader;
    };
    struct Closed {
        int role = 0;
    };
    using Waiting = std::variant<DealMsg, RecordMsg, Closed>;

    void Start(int role, RoleNames names);
    void OnServerMessage(int connection, Peer& peer, NetMessage& m);
    void OnClientMessage(NetMessage& m);
    void TakeHello(int connection, Peer& peer, const HelloMsg& hello);
    void Queue(Waiting item);
    int ConnectionOf(int role) const;
    bool HasHuman(int role) const;
    void SendTo(int role, const std::string& bytes);

    NetLinks& links_;
    NetEvents& events_;
    StepDriver* driver_ = nullptr;
    int role_ = 0;
    NetState state_ = NetState::None;
    int extraClients_ = -1;
    RoleNames names_;
    std::map<int, Peer> peers_;
    std::deque<Waiting> waiting_;
    bool dealt_ = false; // a client has laid out a deal of this series
    bool ended_ = false;
};

} // namespace tarvo
