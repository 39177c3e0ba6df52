#include "netplay/Session.h"

#include <cstdio>

#include "netplay/Apply.h"

namespace tarvo {
namespace {

template <class... F> struct Overloaded : F... { using F::operator()...; };

std::string RoleText(int role) {
    return role == ServerRole ? "the server" : "client " + std::to_string(role);
}

} // namespace

void NetSession::Start(int role, RoleNames names) {
    role_ = role;
    state_ = NetState::Waiting;
    extraClients_ = -1;
    names_ = std::move(names);
    peers_.clear();
    waiting_.clear();
    dealt_ = false;
    ended_ = false;
}

void NetSession::StartServer(const std::string& name) {
    Start(ServerRole, {NetName(name), "", NetName(ComputerNetName)});
}

void NetSession::StartClient(const std::string& name) {
    Start(2, {"", NetName(name), NetName(ComputerNetName)});
}

void NetSession::OnConnected(int connection) {
    if (ended_) return;
    peers_[connection] = Peer{};
    if (IsServer()) return; // a client is nameless until its hello
    peers_[connection].role = ServerRole;
    links_.Send(connection, HelloMessage(names_[1]));
}

void NetSession::OnBytes(int connection, std::string_view bytes) {
    auto it = peers_.find(connection);
    if (ended_ || it == peers_.end()) return;
    Peer& peer = it->second;
    for (NetMessage& m : peer.reader.Feed(bytes)) {
        if (IsServer())
            OnServerMessage(connection, peer, m);
        else
            OnClientMessage(m);
        if (ended_ || !peers_.count(connection)) return;
    }
    if (!peer.reader.Failed()) return;
    if (peer.role != 0) return Interrupt(RoleText(peer.role) + " sent " + peer.reader.Error());
    // A connection that never joined is no player of ours: it is let go.
    std::fprintf(stderr, "tarvo3: a connection that had not joined sent %s\n", peer.reader.Error().c_str());
    links_.Close(connection);
    peers_.erase(connection);
}

void NetSession::OnClosed(int connection) {
    auto it = peers_.find(connection);
    if (ended_ || it == peers_.end()) return;
    const int role = it->second.role;
    peers_.erase(it);
    if (role == 0) return;
    if (state_ == NetState::Waiting) {
        // A client that was introduced leaves before the first deal: the others cannot play on.
        if (IsServer()) Interrupt(RoleText(role) + " left before the game began");
        return; // a client's attempt to connect failed: its transport tries again
    }
    Queue(Closed{role}); // judged once what came before it has been applied
}

void NetSession::TakeHello(int connection, Peer& peer, const HelloMsg& hello) {
    if (!hello.sameGame) return; // another game or another version: it keeps waiting
    if (state_ != NetState::Waiting || extraClients_ == 1) {
        links_.Close(connection);
        peers_.erase(connection);
        return;
    }
    ++extraClients_;
    peer.role = extraClients_ == 0 ? 2 : 3;
    names_[static_cast<std::size_t>(peer.role - 1)] = hello.name;
    links_.Send(connection, WelcomeMessage(peer.role, names_));
    if (peer.role == 3) SendTo(2, UpdateMessage(names_));
    events_.Joined(extraClients_ + 1);
}

void NetSession::OnServerMessage(int connection, Peer& peer, NetMessage& m) {
    if (auto* hello = std::get_if<HelloMsg>(&m)) {
        if (peer.role == 0) TakeHello(connection, peer, *hello);
        return;
    }
    if (peer.role == 0) return; // nothing but a hello counts from a client that has not joined
    const std::string who = RoleText(peer.role);
    std::visit(Overloaded{
                   [&](RecordMsg& r) {
                       if (r.senderRole != peer.role)
                           return Interrupt(who + " sent a record as role " + std::to_string(r.senderRole));
                       if (r.route == 1) return Queue(std::move(r));
                       const int other = peer.role == 2 ? 3 : 2;
                       if (r.route != 3 || !HasHuman(other))
                           return Interrupt(who + " sent a record on route " + std::to_string(r.route));
                       SendTo(other, r.bytes);
                   },
                   [&](ChatMsg& c) {
                       if (c.role != peer.role)
                           return Interrupt(who + " sent a chat as role " + std::to_string(c.role));
                       events_.ChatArrived(SeatOfRole(c.role, role_), c.text);
                       const int other = peer.role == 2 ? 3 : 2;
                       if (HasHuman(other)) SendTo(other, ChatMessage(c.role, c.text));
                   },
                   [&](HelloMsg&) {},
                   [&](auto&) { Interrupt(who + " sent a message only the server sends"); },
               },
               m);
}

void NetSession::OnClientMessage(NetMessage& m) {
    if (auto* welcome = std::get_if<WelcomeMsg>(&m)) {
        if (state_ != NetState::Waiting) return; // a welcome counts once
        role_ = welcome->role;
        names_ = welcome->names;
        extraClients_ = role_ == 3 ? 1 : 0;
        state_ = NetState::Connected;
        events_.Welcomed();
        return;
    }
    if (state_ == NetState::Waiting) return; // nothing counts before the welcome
    std::visit(Overloaded{
                   [&](UpdateMsg& u) {
                       names_ = u.names;
                       extraClients_ = 1;
                       events_.NamesChanged();
                   },
                   [&](DealMsg& d) { Queue(std::move(d)); },
                   [&](RecordMsg& r) {
                       const int other = role_ == 2 ? 3 : 2;
                       const bool fromServer = r.route == 2 && r.senderRole == ServerRole;
                       const bool passedOn = r.route == 3 && r.senderRole == other && HasHuman(other);
                       if (!fromServer && !passedOn)
                           return Interrupt("the server sent a record of role " +
                                            std::to_string(r.senderRole) + " on route " +
                                            std::to_string(r.route));
                       Queue(std::move(r));
                   },
                   [&](ChatMsg& c) { events_.ChatArrived(SeatOfRole(c.role, role_), c.text); },
                   [&](AbortMsg&) { Interrupt("the server ended the game"); },
                   [&](auto&) { Interrupt("the server sent a message only a client sends"); },
               },
               m);
}

void NetSession::Queue(Waiting item) {
    if (waiting_.size() >= MaxWaitingMessages)
        return Interrupt("more than " + std::to_string(MaxWaitingMessages) +
                         " messages waiting: a peer floods the game");
    waiting_.push_back(std::move(item));
    events_.GameMessageArrived();
}

int NetSession::ConnectionOf(int role) const {
    for (const auto& [connection, peer] : peers_)
        if (peer.role == role || (!IsServer() && peer.role == ServerRole)) return connection;
    return -1;
}

bool NetSession::HasHuman(int role) const {
    return role == ServerRole || (role == 2 && extraClients_ >= 0) || (role == 3 && extraClients_ == 1);
}

void NetSession::SendTo(int role, const std::string& bytes) {
    if (const int connection = ConnectionOf(role); connection >= 0) links_.Send(connection, bytes);
}

int NetSession::ComputerSeat() const {
    return extraClients_ == 0 ? SeatOfRole(3, role_) : 0;
}

std::string NetSession::SeatName(int seat) const {
    return names_[static_cast<std::size_t>(RoleOfSeat(seat, role_) - 1)];
}

std::string NetSession::HistoryName() const {
    return SeatName(3) + "/" + SeatName(2) + "/" + SeatName(1);
}

void NetSession::SendDeal(const GameState& g) {
    if (ended_ || !IsServer()) return;
    if (driver_) driver_->Match().singleClientComputer = ComputerSeat();
    const std::string deal = DealMessageOf(g);
    for (int role : {2, 3})
        if (HasHuman(role)) SendTo(role, deal);
    state_ = NetState::Dealt;
}

void NetSession::SendChat(const std::string& text) {
    if (ended_ || state_ == NetState::Waiting) return;
    const std::string chat = ChatMessage(role_, text);
    if (!IsServer()) return SendTo(ServerRole, chat);
    for (int role : {2, 3})
        if (HasHuman(role)) SendTo(role, chat);
}

void NetSession::SendRecord(const std::optional<std::string>& bodyForSeat2,
                            const std::optional<std::string>& bodyForSeat1, int hodPhase, int duelPhase) {
    if (ended_) return;
    for (auto [seat, body] : {std::pair{2, &bodyForSeat2}, std::pair{1, &bodyForSeat1}}) {
        const int role = RoleOfSeat(seat, role_);
        if (!*body || !HasHuman(role)) continue; // the computer's copy stays here
        // The server sends straight to each client; a client sends through the server, which
        // applies its own copy and passes the other client's on.
        const int route = IsServer() ? 2 : role == ServerRole ? 1 : 3;
        SendTo(IsServer() ? role : ServerRole, RecordMessage(role_, **body, hodPhase, duelPhase, route));
    }
}

Incoming NetSession::NextIncoming() const {
    if (ended_ || waiting_.empty()) return Incoming::None;
    return std::visit(Overloaded{[](const DealMsg&) { return Incoming::Deal; },
                                 [](const RecordMsg&) { return Incoming::Record; },
                                 [](const Closed&) { return Incoming::Closed; }},
                      waiting_.front());
}

bool NetSession::SeriesComplete() const {
    const bool started = IsServer() ? state_ == NetState::Dealt : dealt_;
    if (!driver_ || !started) return false;
    const GameState& g = driver_->Match().g;
    return g.GameOver && g.KonNumber - g.KonStart >= NetSeriesGames;
}

void NetSession::ApplyNext(int storedGames) {
    if (NextIncoming() == Incoming::None || !driver_) return;
    Waiting item = std::move(waiting_.front());
    waiting_.pop_front();
    MatchContext& m = driver_->Match();
    std::visit(Overloaded{
                   [&](DealMsg& deal) {
                       if (dealt_ && !m.g.GameOver)
                           return Interrupt("the server dealt in the middle of a game");
                       if (SeriesComplete()) return Interrupt("the server dealt after the last game");
                       m.singleClientComputer = ComputerSeat();
                       DealFromServer(m.g, m.view, deal, role_, dealt_, storedGames);
                       m.flags = {};
                       dealt_ = true;
                   },
                   [&](RecordMsg& r) {
                       const int sender = SeatOfRole(r.senderRole, role_);
                       const std::string fault = CheckRecord(m.g, r, sender, ComputerSeat());
                       if (!fault.empty()) return Interrupt(RoleText(r.senderRole) + " sent " + fault);
                       ApplyRecord(*driver_, r);
                   },
                   [&](Closed& c) {
                       if (!SeriesComplete())
                           Interrupt(SeatName(SeatOfRole(c.role, role_)) + " (" + RoleText(c.role) +
                                     ") left the game");
                   },
               },
               item);
}

void NetSession::End() {
    if (ended_) return;
    ended_ = true;
    waiting_.clear();
    links_.CloseAll();
}

void NetSession::Interrupt(const std::string& reason) {
    if (ended_) return;
    std::fprintf(stderr, "tarvo3: network game interrupted: %s\n", reason.c_str());
    if (IsServer())
        for (int role : {2, 3})
            if (HasHuman(role)) SendTo(role, AbortMessage());
    End();
    events_.Interrupted(reason);
}

} // namespace tarvo
