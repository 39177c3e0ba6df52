// Network series between machines in one process, joined directly: the protocol and the game with
// no sockets in between, so every record can be cut, merged, forged or lost at will.
#include <gtest/gtest.h>

#include <deque>
#include <map>

#include "Machines.h"
#include "netplay/Apply.h"

using namespace tarvo;
using tarvo::test::Machine;

namespace {

enum class Cut { Whole, Bytes, Merged };

// Connections between machines: what one sends reaches the other when the test pumps, in the
// pieces the test chooses (TCP keeps no message boundaries). Machine 0 is the server; on it the
// connection to client k has the number k, on the client its one connection is 0.
class Wire {
  public:
    struct Links : NetLinks {
        Wire* wire = nullptr;
        int machine = 0;
        void Send(int connection, const std::string& bytes) override {
            wire->Post(machine, connection, bytes, false);
        }
        void Close(int connection) override { wire->Post(machine, connection, {}, true); }
        void CloseAll() override {
            std::vector<int> open;
            for (auto& [end, other] : wire->ends_)
                if (end.first == machine) open.push_back(end.second);
            for (int connection : open) Close(connection);
        }
    };

    explicit Wire(int machines) : links_(static_cast<std::size_t>(machines)), sessions_(links_.size()) {
        for (std::size_t i = 0; i < links_.size(); ++i) {
            links_[i].wire = this;
            links_[i].machine = static_cast<int>(i);
        }
    }
    Links& LinksOf(int machine) { return links_[static_cast<std::size_t>(machine)]; }
    void Attach(int machine, NetSession& session) { sessions_[static_cast<std::size_t>(machine)] = &session; }

    void Connect(int client) {
        ends_[{0, client}] = {client, 0};
        ends_[{client, 0}] = {0, client};
        Session(0).OnConnected(client);
        Session(client).OnConnected(0);
    }
    // The machine's process dies: its peers see their connections close.
    void Kill(int machine) {
        dead_.insert(machine);
        LinksOf(machine).CloseAll();
    }
    // Bytes a peer forges, delivered as if it had sent them.
    void Inject(int from, int connection, const std::string& bytes) { Post(from, connection, bytes, false); }

    bool Empty() const { return pending_.empty(); }
    // Delivers what is pending; false when nothing was.
    bool Pump(Cut cut) {
        if (pending_.empty()) return false;
        std::deque<Delivery> now;
        now.swap(pending_);
        while (!now.empty()) {
            Delivery d = std::move(now.front());
            now.pop_front();
            if (cut == Cut::Merged)
                while (!d.close && !now.empty() && !now.front().close && now.front().to == d.to) {
                    d.bytes += now.front().bytes;
                    now.pop_front();
                }
            if (dead_.count(d.to.first)) continue;
            NetSession& s = Session(d.to.first);
            if (d.close) {
                s.OnClosed(d.to.second);
            } else if (cut == Cut::Bytes) {
                for (char c : d.bytes) s.OnBytes(d.to.second, std::string_view(&c, 1));
            } else {
                s.OnBytes(d.to.second, d.bytes);
            }
        }
        return true;
    }

  private:
    using End = std::pair<int, int>; // machine, connection
    struct Delivery {
        End to;
        std::string bytes;
        bool close = false;
    };
    NetSession& Session(int machine) { return *sessions_[static_cast<std::size_t>(machine)]; }
    void Post(int from, int connection, const std::string& bytes, bool close) {
        auto it = ends_.find({from, connection});
        if (it == ends_.end()) return;
        const End to = it->second;
        pending_.push_back({to, bytes, close});
        if (close) {
            ends_.erase(it);
            ends_.erase(to);
        }
    }

    std::vector<Links> links_;
    std::vector<NetSession*> sessions_;
    std::map<End, End> ends_;
    std::deque<Delivery> pending_;
    std::set<int> dead_;
};

// A server and one or two clients, joined and with the first game dealt.
struct Table {
    Wire wire;
    std::vector<std::unique_ptr<Machine>> machines;

    explicit Table(int clients) : wire(clients + 1) {
        for (int i = 0; i <= clients; ++i) {
            machines.push_back(std::make_unique<Machine>(wire.LinksOf(i)));
            wire.Attach(i, machines.back()->session);
        }
        const char* names[] = {"Server", "Ann", "Bob"};
        machines[0]->session.StartServer(names[0]);
        for (int k = 1; k <= clients; ++k) {
            machines[static_cast<std::size_t>(k)]->session.StartClient(names[k]);
            wire.Connect(k);
            while (wire.Pump(Cut::Whole)) {
            } // one after the other, so the roles follow the order
        }
        for (auto& m : machines) m->Begin();
    }
    Machine& At(int i) { return *machines[static_cast<std::size_t>(i)]; }

    bool AllQuiet() const {
        for (const auto& m : machines)
            if (m->session.NextIncoming() != Incoming::None) return false;
        return wire.Empty();
    }

    // One round: the wire delivers, then every machine does one thing. False when nothing moved.
    bool Round(Cut cut = Cut::Whole) {
        bool moved = wire.Pump(cut);
        for (auto& m : machines) moved = m->Act() || moved;
        return moved;
    }

    // Plays until every machine has finished the series (or gave up); whenever nothing is in
    // flight every machine must hold the same game.
    void Play(Cut cut = Cut::Whole, int rounds = 200000) {
        for (int round = 0; round < rounds; ++round) {
            if (AllQuiet()) {
                for (std::size_t i = 1; i < machines.size(); ++i)
                    ASSERT_EQ(machines[i]->Snapshot(), machines[0]->Snapshot()) << "machine " << i;
            }
            if (Round(cut)) continue;
            for (auto& m : machines)
                if (!m->over && m->interrupted.empty())
                    ADD_FAILURE() << "machine of role " << m->session.Role() << " waits for ever, button "
                                  << m->view.enabled << ", start " << int(m->g.StartPending) << "\n"
                                  << m->Snapshot();
            return;
        }
        FAIL() << "the series did not end";
    }
};

} // namespace

class NetSeries : public ::testing::TestWithParam<std::tuple<int, Cut>> {};

// A whole series of three games between a server and one or two clients, with the messages cut
// in single bytes or merged as they come: every machine holds the same game at every quiet moment,
// and each ends with the same fools in its own numbering.
TEST_P(NetSeries, EveryMachinePlaysTheSameSeries) {
    const auto [clients, cut] = GetParam();
    Table t(clients);
    EXPECT_EQ(t.At(0).joined, clients);
    EXPECT_EQ(t.At(0).session.ComputerSeat(), clients == 1 ? 2 : 0);
    t.Play(cut);
    for (auto& m : t.machines) {
        EXPECT_TRUE(m->over) << m->interrupted;
        EXPECT_TRUE(m->session.SeriesComplete());
        EXPECT_EQ(m->g.KonNumber - m->g.KonStart, NetSeriesGames);
        EXPECT_EQ(m->session.HistoryName(),
                  m->session.SeatName(3) + "/" + m->session.SeatName(2) + "/" + m->session.SeatName(1));
    }
    EXPECT_EQ(t.At(1).session.SeatName(3), "Ann");
    EXPECT_EQ(t.At(1).session.SeatName(2), "Server");
    EXPECT_EQ(t.At(1).session.SeatName(1), clients == 2 ? "Bob" : "PC");
    EXPECT_EQ(t.At(0).session.HistoryName(), clients == 2 ? "Server/Bob/Ann" : "Server/PC/Ann");
}

INSTANTIATE_TEST_SUITE_P(Cuts, NetSeries,
                         ::testing::Values(std::tuple{2, Cut::Whole}, std::tuple{2, Cut::Bytes},
                                           std::tuple{2, Cut::Merged}, std::tuple{1, Cut::Whole},
                                           std::tuple{1, Cut::Merged}));

// What a client sends that the game refuses ends the series on every machine: the server tells
// why on its error stream and sends "abort" to both clients; nothing further is applied.
TEST(NetSession, AHostileClientEndsTheSeriesEverywhere) {
    const std::string floods = [] {
        std::string f;
        for (int i = 0; i < 300; ++i) f += "h2iiiiii101iiii0601";
        return f;
    }();
    struct Case {
        std::string bytes, reason;
    } cases[] = {
        {"xyz", "client 2 sent unknown message starting with 0x78"},
        {std::string(2 << 20, '#'), "unknown message starting with 0x23"},
        {"h3iiiiii101iiii0601", "sent a record as role 3"},
        {"h2iiiiii101iiii0602", "on route 2"},
        {"h2iiiiii101iiii1601", "HodPhase 16 out of range"},
        {"h2iiiiii137iiii0601", "card field"},
        {DealMessage(ShuffleDeck(1), false, false), "a message only the server sends"},
        {"s2" + std::string(500, 'x'), "over-long chat"},
        {"s3hello", "sent a chat as role 3"},
        {floods, "floods the game"},
    };
    for (const Case& c : cases) {
        Table t(2);
        for (int i = 0; i < 5; ++i) t.Round();
        t.wire.Inject(1, 0, c.bytes);
        while (t.Round()) {
        }
        EXPECT_NE(t.At(0).interrupted.find(c.reason), std::string::npos) << t.At(0).interrupted;
        EXPECT_EQ(t.At(1).interrupted, "the server ended the game");
        EXPECT_EQ(t.At(2).interrupted, "the server ended the game");
    }
}

// A record that names a card its sender does not hold, out of turn or not, is refused where it
// is applied, and the machine that refused it takes the others down with it.
TEST(NetSession, ARecordTheGameRefusesEndsTheSeries) {
    Table t(2);
    t.wire.Inject(1, 0, "h2iiiiii136iiii0601"); // slot 36 of a hand of six
    while (t.Round()) {
    }
    EXPECT_NE(t.At(0).interrupted.find("client 2 sent a"), std::string::npos) << t.At(0).interrupted;
    EXPECT_EQ(t.At(2).interrupted, "the server ended the game");

    // The server's bad deal: the client refuses it, closes, and the server sees a player leave.
    Table u(2);
    std::string deal = DealMessage(ShuffleDeck(1), false, false);
    deal[3] = deal[1], deal[4] = deal[2];
    u.wire.Inject(0, 2, deal);
    while (u.Round()) {
    }
    EXPECT_EQ(u.At(2).interrupted, "the server sent deal: a card comes twice");
    EXPECT_NE(u.At(0).interrupted.find("(client 3) left the game"), std::string::npos) << u.At(0).interrupted;
    EXPECT_EQ(u.At(1).interrupted, "the server ended the game");
}

// A client whose process dies in the middle of a game ends the series on the others; one that
// leaves after the last game ends nothing.
TEST(NetSession, APlayerWhoLeavesInterruptsOnlyAnUnfinishedSeries) {
    for (int clients : {1, 2}) {
        Table t(clients);
        for (int i = 0; i < 40; ++i) t.Round();
        t.wire.Kill(1);
        while (t.Round()) {
        }
        EXPECT_EQ(t.At(0).interrupted, "Ann (client 2) left the game");
        if (clients == 2) {
            EXPECT_EQ(t.At(2).interrupted, "the server ended the game");
        }
    }
    Table done(2);
    done.Play();
    done.wire.Kill(1);
    while (done.Round()) {
    }
    EXPECT_EQ(done.At(0).interrupted, "");
    EXPECT_EQ(done.At(2).interrupted, "");
}

// Joining: a hello of another game or protocol number is ignored and the server keeps waiting;
// a third client is turned away; the first client learns the second one's name.
TEST(NetSession, OnlyTwoClientsOfThisGameJoin) {
    Wire wire(4);
    std::vector<std::unique_ptr<Machine>> m;
    for (int i = 0; i < 4; ++i) {
        m.push_back(std::make_unique<Machine>(wire.LinksOf(i)));
        wire.Attach(i, m.back()->session);
    }
    m[0]->session.StartServer("Server");
    for (int k = 1; k <= 3; ++k) m[static_cast<std::size_t>(k)]->session.StartClient("C" + std::to_string(k));
    wire.Connect(1);
    wire.Inject(1, 0, "qob1526connect1Other "); // another protocol number
    while (wire.Pump(Cut::Whole)) {
    }
    EXPECT_EQ(m[0]->joined, 1);
    EXPECT_EQ(m[0]->session.ExtraClients(), 0);
    EXPECT_EQ(m[1]->session.SeatName(1), "PC");
    wire.Connect(2);
    wire.Connect(3);
    while (wire.Pump(Cut::Whole)) {
    }
    EXPECT_EQ(m[0]->joined, 2);
    EXPECT_TRUE(m[2]->welcomed);
    EXPECT_FALSE(m[3]->welcomed);
    EXPECT_EQ(m[1]->session.SeatName(1), "C2"); // the update reached the first client
    EXPECT_EQ(m[2]->session.Role(), 3);
    EXPECT_EQ(m[2]->session.SeatName(1), "Server");
}

// A chat line reaches every other player, shown as coming from the sender's seat there.
TEST(NetSession, ChatReachesTheOthers) {
    Table t(2);
    t.At(1).session.SendChat("Привет & \"$*\"");
    t.At(0).session.SendChat("Hi");
    while (t.wire.Pump(Cut::Whole)) {
    }
    using Chat = std::pair<int, std::string>;
    EXPECT_EQ(t.At(0).chats, (std::vector<Chat>{{1, "Привет & \"$*\""}}));
    EXPECT_EQ(t.At(1).chats, (std::vector<Chat>{{2, "Hi"}}));
    std::sort(t.At(2).chats.begin(),
              t.At(2).chats.end()); // the server's own comes before the one it passes on
    EXPECT_EQ(t.At(2).chats, (std::vector<Chat>{{1, "Hi"}, {2, "Привет & \"$*\""}}));
}
