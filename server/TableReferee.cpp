#include "server/TableReferee.h"

#include "core/Round.h"
#include "core/Rules.h"
#include "netplay/Apply.h"
#include "netplay/TournamentMessages.h"

namespace tarvo::server {
namespace {

// What a step would have sent from the machine that made it.
struct CapturedRecords final : RecordSink {
    std::optional<std::string> forSeat2, forSeat1;
    int hodPhase = 0, duelPhase = 0;
    bool sent = false;
    void SendRecord(const std::optional<std::string>& b2, const std::optional<std::string>& b1, int hod,
                    int duel) override {
        forSeat2 = b2;
        forSeat1 = b1;
        hodPhase = hod;
        duelPhase = duel;
        sent = true;
    }
};

// The server's copies never ask a computer: every step is a player's.
struct NoComputer final : ComputerPlayer {
    MoveChoice Decide(const GameState&, TableView&, MoveKind, int, bool) override { return PassChoice; }
};

// Seats that may wait behind a step still travelling; more is a flood.
constexpr std::size_t MaxHeld = 16;

std::string SeatText(int seat) {
    return "seat " + std::to_string(seat);
}

} // namespace

struct TableReferee::Copy {
    GameState g;
    NullView view;
    NoComputer computer;
    CapturedRecords sink;
    MatchContext m{g, view, computer, &sink, PlayMode::Tournament, {}};
    StepDriver driver{m};
};

std::array<int, 3> GamePoints(int fool) {
    if (fool < 1 || fool > 3) return {0, 0, 0};
    std::array<int, 3> points{10, 10, 10};
    points[static_cast<std::size_t>(fool - 1)] = -20;
    return points;
}

TableReferee::TableReferee() {
    for (int seat = 1; seat <= 3; ++seat) {
        copies_[static_cast<std::size_t>(seat - 1)] = std::make_unique<Copy>();
        GameState& g = Of(seat).g;
        g.Rules.NoFiveOfSuit = true;
        g.Rules.FirstBoutFive = true;
        g.Rules.FirstMove = 0;
    }
}

TableReferee::~TableReferee() = default;

std::string TableReferee::Deal(DeckSource& decks) {
    // Seat 1's copy is dealt as a network server deals; every copy then lays out that deal as
    // the machine of its seat will.
    Copy& first = Of(1);
    tarvo::Deal(first.g, first.view, decks, false, 0);
    const std::string deal = DealMessageOf(first.g);
    const DealMsg msg = std::get<DealMsg>(*ParseMessage(deal).message);
    for (int seat = 1; seat <= 3; ++seat) {
        Copy& c = Of(seat);
        DealFromServer(c.g, c.view, msg, seat, false, 0);
        c.driver.Begin(); // the server waits for nobody's "To Begin"
    }
    dealt_ = true;
    return deal;
}

bool TableReferee::Over() const {
    return dealt_ && !pendingFrom_ && Of(1).g.GameOver != 0;
}

int TableReferee::FoolSeat() const {
    if (!Over()) return 0;
    const int loser = Of(1).g.Loser;
    return loser >= 1 && loser <= 3 ? RoleOfSeat(loser, 1) : 4;
}

std::array<int, 3> TableReferee::Scores() const {
    std::array<int, 3> scores{};
    const GameState& g = Of(1).g;
    for (int local = 1; local <= 3; ++local)
        scores[static_cast<std::size_t>(RoleOfSeat(local, 1) - 1)] = g.SeatScore[local];
    return scores;
}

int TableReferee::ClockSeat() const {
    if (!dealt_ || Over() || pendingFrom_) return 0;
    const GameState& g = Of(1).g;
    const Turn t = NextTurn(g);
    const int local = t.boutEnd ? DefenderSeat(g) : t.seat;
    return local ? RoleOfSeat(local, 1) : 0;
}

RefereeVerdict TableReferee::Fault(int seat, std::string why) {
    RefereeVerdict v;
    v.offender = seat;
    v.fault = std::move(why);
    return v;
}

RefereeVerdict TableReferee::OnRecord(int seat, const RecordMsg& record) {
    if (pendingFrom_ && seat != pendingFrom_) {
        if (held_.size() >= MaxHeld) return Fault(seat, "records faster than the game moves");
        held_.emplace_back(seat, record);
        return {};
    }
    RefereeVerdict v = Take(seat, record);
    // The step is whole: what waited behind it is taken now, in order.
    while (!v.offender && !pendingFrom_ && !held_.empty()) {
        auto [from, r] = std::move(held_.front());
        held_.pop_front();
        RefereeVerdict next = Take(from, r);
        v.sends.insert(v.sends.end(), next.sends.begin(), next.sends.end());
        v.offender = next.offender;
        v.fault = std::move(next.fault);
    }
    return v;
}

// Makes the step that the record announces on the sender's own copy, as his pipeline made it;
// empty when the rules allow it, else why not.
std::string TableReferee::MakeSendersStep(int seat, const RecordMsg& r) {
    Copy& c = Of(seat);
    c.sink = {};
    if (r.end != 'i') {
        if (!PendingBoutEnd(c.g)) return "a bout end while the bout goes on";
        if (DefenderSeat(c.g) != 3) return "a bout end the defender is to confirm";
        if (!c.driver.EndBout()) return "a bout end the rules refuse";
    } else {
        // The card lies in the field of the sender's seat as the receiver numbers it.
        const int field = SeatOfRole(seat, r.route);
        const RecordCard& card = r.cards[static_cast<std::size_t>(field - 1)];
        const RecordCard& other = r.cards[static_cast<std::size_t>(2 - field)];
        if (other.kind != NoKind) return "a card of another seat";
        if (c.driver.Next().seat != 3) return "a step out of turn";
        const MoveChoice step = card.kind == NoKind ? PassChoice : PlaySlot(card.slot);
        if (!c.driver.GivenStep(3, step)) return "a step the rules refuse";
    }
    if (!c.sink.sent) return "a step that sends nothing";
    expected_.clear();
    for (auto [local, body] : {std::pair{2, &c.sink.forSeat2}, std::pair{1, &c.sink.forSeat1}}) {
        if (!*body) continue;
        const int to = RoleOfSeat(local, seat);
        expected_[to] = RecordMessage(seat, **body, c.sink.hodPhase, c.sink.duelPhase, to);
    }
    pendingFrom_ = seat;
    return {};
}

RefereeVerdict TableReferee::Take(int seat, const RecordMsg& r) {
    if (!dealt_) return Fault(seat, "a record before the deal");
    if (Over()) return {}; // the game is decided; what still comes changes nothing
    if (r.senderRole != seat) return Fault(seat, "a record signed as " + SeatText(r.senderRole));
    if (r.route == seat) return Fault(seat, "a record addressed to its own sender");
    if (!pendingFrom_)
        if (std::string why = MakeSendersStep(seat, r); !why.empty()) return Fault(seat, why);
    auto it = expected_.find(r.route);
    if (it == expected_.end()) return Fault(seat, "a second record for " + SeatText(r.route));
    if (it->second != r.bytes)
        return Fault(seat, "a record for " + SeatText(r.route) + " that is not the step it made");
    expected_.erase(it);
    Copy& to = Of(r.route);
    const std::string why = CheckRecord(to.g, r, SeatOfRole(seat, r.route), 0);
    if (!why.empty()) return Fault(seat, why); // cannot happen for a record the pipeline wrote
    ApplyRecord(to.driver, r);
    if (expected_.empty()) pendingFrom_ = 0;
    RefereeVerdict v;
    v.sends.emplace_back(r.route, RelayedRecord(r.bytes, seat));
    return v;
}

} // namespace tarvo::server
