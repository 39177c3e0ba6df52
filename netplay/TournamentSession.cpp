#include "netplay/TournamentSession.h"

#include <cstdio>

#include "netplay/Apply.h"

namespace tarvo {
namespace {

template <class... F> struct Overloaded : F... { using F::operator()...; };

std::string SeatText(int seat) {
    return "seat " + std::to_string(seat);
}

} // namespace

void TournamentSession::Start(int seat) {
    seat_ = seat;
    connection_ = -1;
    reader_ = {};
    waiting_.clear();
    dealt_ = false;
    finished_ = false;
}

void TournamentSession::OnConnected(int connection) {
    if (finished_ || connection_ >= 0) return;
    connection_ = connection;
    Send(ConnectMessage(seat_));
}

void TournamentSession::OnBytes(int connection, std::string_view bytes) {
    if (finished_ || connection != connection_) return;
    for (TableMessage& m : reader_.Feed(bytes)) {
        OnMessage(m);
        if (finished_) return;
    }
    if (reader_.Failed()) Interrupt("the game server sent " + reader_.Error());
}

void TournamentSession::OnClosed(int connection) {
    if (connection != connection_) return;
    connection_ = -1;
    if (!finished_) Queue(Closed{}); // judged once what came before it has been applied
}

void TournamentSession::OnMessage(TableMessage& m) {
    std::visit(Overloaded{
                   [&](TableChat& c) {
                       if (c.seat != seat_) events_.ChatArrived(SeatOfRole(c.seat, seat_), c.text);
                   },
                   [&](RecordMsg& r) {
                       if (r.route != seat_ || r.senderRole == seat_)
                           return Interrupt("the game server sent a record of " + SeatText(r.senderRole) +
                                            " meant for " + SeatText(r.route));
                       Queue(std::move(r));
                   },
                   [&](auto& other) { Queue(std::move(other)); },
               },
               m);
}

void TournamentSession::Queue(Waiting item) {
    if (waiting_.size() >= MaxWaitingMessages)
        return Interrupt("more than " + std::to_string(MaxWaitingMessages) +
                         " messages waiting: the game server floods the game");
    waiting_.push_back(std::move(item));
    events_.GameMessageArrived();
}

void TournamentSession::Send(const std::string& bytes) {
    if (connection_ >= 0) links_.Send(connection_, bytes);
}

void TournamentSession::SendRecord(const std::optional<std::string>& bodyForSeat2,
                                   const std::optional<std::string>& bodyForSeat1, int hodPhase,
                                   int duelPhase) {
    if (finished_) return;
    // Both go to the server, each addressed to the seat whose numbering it is written in.
    for (auto [local, body] : {std::pair{2, &bodyForSeat2}, std::pair{1, &bodyForSeat1}}) {
        if (!*body) continue;
        const int to = RoleOfSeat(local, seat_);
        Send(RecordMessage(seat_, **body, hodPhase, duelPhase, to));
    }
}

void TournamentSession::SendChat(const std::string& text) {
    if (!finished_) Send(TableChatMessage(seat_, text));
}

void TournamentSession::SendTimeOut() {
    if (finished_) return;
    Send(OwnTimeOutMessage());
    Close();
}

void TournamentSession::SendResult(const GameState& g) {
    // His seat 3 first: the order the server's count is compared in.
    Send(SeriesResultMessage({g.SeatScore[3], g.SeatScore[1], g.SeatScore[2]}));
}

void TournamentSession::Leave() {
    Send(LeaveSeatMessage());
    Close();
}

void TournamentSession::Close() {
    Finish();
    if (connection_ >= 0) links_.Close(connection_);
    connection_ = -1;
}

void TournamentSession::Finish() {
    finished_ = true;
    waiting_.clear();
}

TableIncoming TournamentSession::NextIncoming() const {
    if (finished_ || waiting_.empty()) return TableIncoming::None;
    return std::visit(Overloaded{[](const DealMsg&) { return TableIncoming::Deal; },
                                 [](const RecordMsg&) { return TableIncoming::Record; },
                                 [](const auto&) { return TableIncoming::Verdict; }},
                      waiting_.front());
}

void TournamentSession::ApplyNext() {
    if (NextIncoming() == TableIncoming::None || !driver_) return;
    Waiting item = std::move(waiting_.front());
    waiting_.pop_front();
    MatchContext& m = driver_->Match();
    std::visit(Overloaded{
                   [&](DealMsg& deal) {
                       if (dealt_) return Interrupt("the game server dealt a second game");
                       DealFromServer(m.g, m.view, deal, seat_, false, 0);
                       m.flags = {};
                       dealt_ = true;
                   },
                   [&](RecordMsg& r) {
                       if (!dealt_) return Interrupt("the game server sent a record before the deal");
                       const std::string fault = CheckRecord(m.g, r, SeatOfRole(r.senderRole, seat_), 0);
                       if (!fault.empty()) return Interrupt(SeatText(r.senderRole) + " sent " + fault);
                       ApplyRecord(*driver_, r);
                   },
                   [&](GameEnded&) {
                       Finish(); // the connection stays for seat 1's series result
                       events_.GameOver();
                   },
                   [&](PlayerLeft& p) {
                       Close();
                       events_.Left(SeatOfRole(p.seat, seat_));
                   },
                   [&](PlayerTimeUp& t) {
                       Close();
                       events_.TimeUp(SeatOfRole(t.seat, seat_));
                   },
                   [&](Closed&) { Interrupt("the game server closed the connection"); },
               },
               item);
}

void TournamentSession::Interrupt(const std::string& reason) {
    if (finished_) return;
    std::fprintf(stderr, "tarvo3: tournament game interrupted: %s\n", reason.c_str());
    Close();
    events_.Interrupted(reason);
}

} // namespace tarvo
