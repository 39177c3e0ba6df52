// The game server's referee with three players' machines in one process: whole games as the
// players play them, and the records a cheating or broken machine might send.
#include <gtest/gtest.h>

#include <deque>
#include <functional>

#include "../netplay/TablePlayers.h"
#include "server/TableReferee.h"

using namespace tarvo;
using server::RefereeVerdict;
using server::TableReferee;
using test::TablePlayer;

namespace {

// A table: the referee between three players, every byte passed by hand.
class Table {
  public:
    Table() {
        for (int seat = 1; seat <= 3; ++seat) {
            Links& l = links_[static_cast<std::size_t>(seat - 1)];
            l.table = this;
            l.seat = seat;
            players_[static_cast<std::size_t>(seat - 1)] = std::make_unique<TablePlayer>(l, seat);
        }
    }

    TablePlayer& Player(int seat) { return *players_[static_cast<std::size_t>(seat - 1)]; }

    void Deal(std::uint32_t seed) {
        SeededDecks decks(seed);
        const std::string deal = referee.Deal(decks);
        for (int seat = 1; seat <= 3; ++seat) {
            Player(seat).session.OnConnected(0);
            Player(seat).session.OnBytes(0, deal);
            Player(seat).session.ApplyNext();
            Player(seat).driver.Begin();
        }
    }

    // The records of one seat as the referee gets them; `tamper` may change them on the way.
    std::function<void(int seat, std::string& bytes)> tamper;

    // Passes what waits, then lets each player act; false when nothing moved.
    bool Step() {
        bool moved = false;
        while (!inbox_.empty() && !offender) {
            auto [seat, record] = std::move(inbox_.front());
            inbox_.pop_front();
            const RefereeVerdict v = referee.OnRecord(seat, record);
            for (const auto& [to, bytes] : v.sends) Player(to).session.OnBytes(0, bytes);
            offender = v.offender;
            fault = v.fault;
            moved = true;
        }
        if (offender) return false;
        for (int seat = 1; seat <= 3; ++seat) moved = Player(seat).Act() || moved;
        return moved;
    }

    // Bytes a machine sends that its pipeline did not write.
    void Inject(int seat, const std::string& bytes) { Receive(seat, bytes); }

    TableReferee referee;
    int offender = 0;
    std::string fault;

  private:
    struct Links : NetLinks {
        Table* table = nullptr;
        int seat = 0;
        void Send(int, const std::string& bytes) override { table->Receive(seat, bytes); }
        void Close(int) override {}
        void CloseAll() override {}
    };
    void Receive(int seat, std::string bytes) {
        if (tamper) tamper(seat, bytes);
        for (PlayerMessage& m : readers_[static_cast<std::size_t>(seat - 1)].Feed(bytes))
            if (auto* r = std::get_if<RecordMsg>(&m)) inbox_.emplace_back(seat, std::move(*r));
    }

    std::array<Links, 3> links_;
    std::array<std::unique_ptr<TablePlayer>, 3> players_;
    std::array<PlayerReader, 3> readers_;
    std::deque<std::pair<int, RecordMsg>> inbox_;
};

// A lead in the receiver's numbering: the sender's card field is his seat as the receiver counts.
std::string LeadRecord(int sender, int route, int slot, int signedAs = 0) {
    std::string body = "eigiii";
    const std::string card = "1" + std::string(slot < 10 ? "0" : "") + std::to_string(slot);
    const int field = SeatOfRole(sender, route);
    body += field == 1 ? card + "iii" : "iii" + card;
    body += "i";
    return RecordMessage(signedAs ? signedAs : sender, body, 6, 0, route);
}

int AttackerTableSeat(Table& t) {
    return RoleOfSeat(t.Player(1).g.HodSeat, 1);
}

} // namespace

// Whole games: every step passes the referee, every machine ends with the same game, and the
// referee's fool and points are the players' own.
TEST(TableReferee, PlaysWholeGamesAsThePlayersDo) {
    for (std::uint32_t seed = 1; seed <= 40; ++seed) {
        Table t;
        t.Deal(seed);
        int steps = 0;
        while (t.Step() && steps < 5000) ++steps;
        ASSERT_EQ(t.offender, 0) << "seed " << seed << ": " << t.fault;
        ASSERT_TRUE(t.referee.Over()) << "seed " << seed << " stopped after " << steps << " steps";
        const int fool = t.referee.FoolSeat();
        const std::array<int, 3> points = t.referee.Scores();
        for (int seat = 1; seat <= 3; ++seat) {
            const GameState& g = t.Player(seat).g;
            ASSERT_TRUE(g.GameOver) << "seed " << seed << " seat " << seat;
            EXPECT_EQ(g.Loser == 4 ? 4 : RoleOfSeat(g.Loser, seat), fool) << "seed " << seed;
            for (int local = 1; local <= 3; ++local)
                EXPECT_EQ(g.SeatScore[local], points[static_cast<std::size_t>(RoleOfSeat(local, seat) - 1)]);
        }
        if (fool != 4) {
            EXPECT_EQ(points, server::GamePoints(fool));
        }
    }
}

// What a machine that cheats or breaks may send: each ends the game naming that machine's seat,
// and nothing of it reaches the others.
TEST(TableReferee, RefusesWhatTheRulesRefuse) {
    struct Case {
        const char* what;
        const char* fault;
        std::function<int(Table&)> act; // sends the bad record; returns the seat at fault
    };
    const Case cases[] = {
        {"a lead from the seat that defends", "out of turn",
         [](Table& t) {
             const int defender = AttackerTableSeat(t) % 3 + 1;
             t.Inject(defender, LeadRecord(defender, defender % 3 + 1, 1));
             return defender;
         }},
        {"a lead from an empty slot", "refuse",
         [](Table& t) {
             const int a = AttackerTableSeat(t);
             t.Inject(a, LeadRecord(a, a % 3 + 1, 9));
             return a;
         }},
        {"a record signed as another seat", "signed as",
         [](Table& t) {
             const int a = AttackerTableSeat(t), other = a % 3 + 1;
             t.Inject(a, LeadRecord(a, other % 3 + 1, 1, other));
             return a;
         }},
        {"a record addressed to its sender", "own sender",
         [](Table& t) {
             const int a = AttackerTableSeat(t);
             t.Inject(a, LeadRecord(a, a, 1));
             return a;
         }},
        {"one thing told to one neighbour and another to the other", "not the step",
         [](Table& t) {
             const int a = AttackerTableSeat(t);
             int copies = 0;
             t.tamper = [&copies](int, std::string& bytes) {
                 if (++copies == 2) bytes[6] = 'a'; // the second copy claims another bubble
             };
             while (t.Step() && !t.offender) {}
             return a;
         }},
    };
    for (const Case& c : cases) {
        Table t;
        t.Deal(7);
        std::array<GameState, 3> before;
        for (int seat = 1; seat <= 3; ++seat) before[static_cast<std::size_t>(seat - 1)] = t.Player(seat).g;
        const int guilty = c.act(t);
        t.Step();
        EXPECT_EQ(t.offender, guilty) << c.what;
        EXPECT_NE(t.fault.find(c.fault), std::string::npos) << c.what << ": " << t.fault;
        EXPECT_FALSE(t.referee.Over());
        for (int seat = 1; seat <= 3; ++seat) {
            if (seat == guilty || std::string(c.fault) == "not the step") continue;
            EXPECT_EQ(t.Player(seat).g.KolCardsStol, 0) << c.what << ": a refused card reached seat " << seat;
        }
    }
}
