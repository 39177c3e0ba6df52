// The tournament of a real tarvo3-server: its seats over HTTP with the game's own request
// functions, and its tables over TCP with players in this process and with small clients that
// cheat, fall silent or go away.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTcpSocket>
#include <QVariant>
#include <fstream>
#include <functional>
#include <future>

#include "../netplay/TablePlayers.h"
#include "../support/BrokenListener.h"
#include "../support/ServerProcess.h"
#include "netplay/Apply.h"
#include "netplay/Transport.h"
#include "online/CurlTransport.h"
#include "online/Requests.h"

namespace tarvo {
namespace {

QCoreApplication& App() {
    static int argc = 1;
    static char name[] = "tournament_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = qApp ? qApp : new QCoreApplication(argc, argv);
    return *app;
}

bool WaitFor(const std::function<bool()>& done, int seconds = 60) {
    App();
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > seconds * 1000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// A signed-in account with its own cookies.
struct Player {
    Player(const std::string& origin, const std::string& nick) : client(transport, AddressesOn(origin)) {
        TQobUser u;
        u.Nick = nick;
        u.Pw = "secret1";
        u.City = "Омск";
        u.Country1 = "Russia";
        u.Country2 = "1-001";
        u.Sex = "M";
        u.EMail = "player@mail.ru";
        u.DateR = "10.12.2026";
        u.R01 = u.R02 = u.R03 = "xxx";
        EXPECT_EQ(client.Register(u), RegisterResult::Created) << nick;
        EXPECT_TRUE(client.SignIn(nick, "secret1").ok) << nick;
        me.Nick = nick;
        me.City = u.City;
        me.Country = u.Country1;
        me.IP = "127.0.0.1";
    }
    SeatResult Take(int table, int seat) { return client.TakeSeat(seat, table, 1, me); }
    // Leaving with the empty record: "X" texts, zeros.
    SeatResult Leave(int table, int seat, int can = 2) {
        const TQobClient empty{"X", 0, 0, 0, "X", "X", "X", "X"};
        return client.TakeSeat(seat, table, can, empty);
    }
    std::string At(int table, int seat) { return client.ReadClient(seat, table).value.Nick; }

    CurlTransport transport;
    ScoreClient client;
    TQobClient me;
};

std::vector<std::unique_ptr<Player>> Players(const test::ServerProcess& server, const std::string& prefix, int n) {
    std::vector<std::unique_ptr<Player>> players;
    for (int i = 1; i <= n; ++i)
        players.push_back(std::make_unique<Player>(server.Origin(), prefix + std::to_string(i)));
    return players;
}

int PortBase(Player& p) {
    auto tables = p.client.ReadTables(kGameNumber);
    EXPECT_TRUE(tables.ok);
    return tables.value.tables[0].Port - 1;
}

// A client of a table that speaks the protocol byte by byte and does only what the test says.
struct RawSeat {
    RawSeat(int port, int tableSeat) : seat(tableSeat) {
        socket.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(port));
        EXPECT_TRUE(WaitFor([&] { return socket.state() == QAbstractSocket::ConnectedState; }));
        socket.write(QByteArray::fromStdString(ConnectMessage(seat)));
    }
    // Reads what has come; true once a message of this kind is there.
    template <class T> bool Got() {
        const QByteArray bytes = socket.readAll();
        for (TableMessage& m : reader.Feed(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
            got.push_back(std::move(m));
        for (const TableMessage& m : got)
            if (std::holds_alternative<T>(m)) return true;
        return false;
    }
    template <class T> const T& First() {
        for (const TableMessage& m : got)
            if (std::holds_alternative<T>(m)) return std::get<T>(m);
        throw std::runtime_error("no such message");
    }
    bool Closed() { return socket.state() == QAbstractSocket::UnconnectedState; }
    // The table seat that leads the dealt game.
    int Attacker() {
        GameState g;
        NullView none;
        DealFromServer(g, none, First<DealMsg>(), seat, false, 0);
        return RoleOfSeat(g.HodSeat, seat);
    }

    int seat;
    QTcpSocket socket;
    TableReader reader;
    std::vector<TableMessage> got;
};

// A player of this process at a table over a real socket: the game's own session and pipeline.
struct TcpPlayer {
    TcpPlayer(int port, int seat) : player(transport, seat) {
        transport.SetSession(&player.session);
        transport.Connect(QStringLiteral("127.0.0.1"), static_cast<quint16>(port), false);
    }
    NetTransport transport;
    test::TablePlayer player;
};

struct Standing {
    int score = -1, games = 0, rating = 0;
    bool operator==(const Standing&) const = default;
};
Standing StandingOf(Player& p) {
    auto r = p.client.ReadTournamentRating(p.me.Nick);
    EXPECT_TRUE(r.ok);
    return {r.value.score, r.value.games, r.value.rating};
}

// The tournament games the server stored: ending, offender, points and seat 1's report.
std::vector<std::string> StoredGames(const std::filesystem::path& dataDir) {
    std::vector<std::string> rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("peek"));
        db.setDatabaseName(QString::fromStdString((dataDir / "tarvo3-server.db").string()));
        EXPECT_TRUE(db.open());
        QSqlQuery q(db);
        EXPECT_TRUE(q.exec(QStringLiteral("SELECT num, ending, offender, points1, points2, points3, reported "
                                          "FROM tourney_games ORDER BY num")));
        while (q.next())
            rows.push_back(QStringLiteral("table %1 %2 %3: %4 %5 %6 reported %7")
                               .arg(q.value(0).toInt())
                               .arg(q.value(1).toString())
                               .arg(q.value(2).toInt())
                               .arg(q.value(3).toInt())
                               .arg(q.value(4).toInt())
                               .arg(q.value(5).toInt())
                               .arg(q.value(6).toString())
                               .toStdString());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("peek"));
    return rows;
}

} // namespace

// The seat rules, step by step: seats in order, one seat a player, only with the account's own
// cookie; leaving seat 1 frees seat 2; the same address sits at one table only when the game
// server is the player's own machine.
TEST(TournamentSeats, TakenInOrderByTheirOwnPlayers) {
    test::ServerProcess server(TARVO_SERVER, {"--game-port-base", "0"});
    auto p = Players(server, "Seat", 3);
    Player& ann = *p[0];
    Player& bob = *p[1];
    Player& cid = *p[2];
    CurlTransport anonymousTransport;
    ScoreClient anonymous(anonymousTransport, AddressesOn(server.Origin()));

    auto tables = ann.client.ReadTables(kGameNumber);
    ASSERT_TRUE(tables.ok);
    for (int n = 1; n <= 10; ++n) {
        const TQobTable_3& t = tables.value.tables[static_cast<std::size_t>(n - 1)];
        EXPECT_EQ(t.IP, "127.0.0.1");
        EXPECT_EQ(t.Port, tables.value.tables[0].Port + n - 1) << "table " << n << " is not at base + " << n;
        EXPECT_EQ(t.Seats[0].Nick, "X");
    }

    struct Step {
        const char* what;
        std::function<SeatResult()> act;
        SeatResult expected;
    };
    const Step steps[] = {
        {"seat 2 while seat 1 is free", [&] { return ann.Take(1, 2); }, SeatResult::Refused},
        {"seat 1", [&] { return ann.Take(1, 1); }, SeatResult::Done},
        {"a second seat for the same player", [&] { return ann.Take(2, 1); }, SeatResult::Refused},
        {"a seat another holds", [&] { return bob.Take(1, 1); }, SeatResult::Refused},
        {"seat 2 from the same address, game server on 127.0.0.1", [&] { return bob.Take(1, 2); },
         SeatResult::Done},
        {"a seat without the account's cookie", [&] { return anonymous.TakeSeat(3, 1, 1, cid.me); },
         SeatResult::Refused},
        {"a seat in another player's name", [&] { return cid.client.TakeSeat(3, 1, 1, ann.me); },
         SeatResult::Refused},
        {"freeing the seat below one's own", [&] { return bob.Leave(1, 1, 0); }, SeatResult::Refused},
        {"leaving seat 1", [&] { return ann.Leave(1, 1); }, SeatResult::Done},
        {"freeing seat 2 after seat 1 left: already free", [&] { return ann.Leave(1, 2, 0); }, SeatResult::Done},
        {"seat 1 again", [&] { return cid.Take(1, 1); }, SeatResult::Done},
    };
    for (const Step& s : steps) EXPECT_EQ(s.act(), s.expected) << s.what;
    EXPECT_EQ(ann.At(1, 1), "Seat3");
    EXPECT_EQ(ann.At(1, 2), "X") << "leaving seat 1 frees seat 2";
    auto seated = ann.client.ReadClient(1, 1);
    EXPECT_EQ(seated.value.City, "Омск");
    EXPECT_EQ(seated.value.IP, "127.0.0.1");
    EXPECT_EQ(seated.value.Rating, 1000);

    auto fresh = ann.client.ReadTournamentRating("Seat1");
    ASSERT_TRUE(fresh.ok);
    EXPECT_EQ(fresh.value.score, 0);
    EXPECT_EQ(fresh.value.games, 0);
    auto top = ann.client.TournamentTopTen('s');
    ASSERT_TRUE(top.ok);
    EXPECT_TRUE(top.value[0].Empty()) << "a player without games is in no list";

    // The state and welcome line, blanks travelling as "_".
    auto info = ann.client.ReadServerInfo(kGameNumber);
    ASSERT_TRUE(info.ok);
    EXPECT_EQ(info.value.state, "Y");
    EXPECT_EQ(info.value.text, "Welcome_to_the_Tarvo-Trio_online_tournament!");
    std::ofstream(server.DataDir() / "tournament.txt") << "N\nClosed $ tonight, back at 9\n";
    info = ann.client.ReadServerInfo(kGameNumber);
    EXPECT_EQ(info.value.state, "N");
    EXPECT_EQ(info.value.text, "Closed__tonight,_back_at_9");

    // A club whose game server others reach at another address: one address, one seat a table.
    test::ServerProcess published(TARVO_SERVER, {"--game-port-base", "0", "--game-address", "192.0.2.7"});
    auto q = Players(published, "Far", 2);
    EXPECT_EQ(q[0]->client.ReadTables(kGameNumber).value.tables[4].IP, "192.0.2.7");
    EXPECT_EQ(q[0]->Take(5, 1), SeatResult::Done);
    EXPECT_EQ(q[1]->Take(5, 2), SeatResult::Refused);
}

// Two players click the same free seat at the same moment, a hundred times: exactly one sits.
TEST(TournamentSeats, TwoPlayersRaceForOneSeat) {
    test::ServerProcess server(TARVO_SERVER, {"--game-port-base", "0"});
    auto p = Players(server, "Racer", 2);
    int wins[2] = {0, 0};
    for (int round = 0; round < 100; ++round) {
        std::promise<void> go;
        std::shared_future<void> start = go.get_future().share();
        auto click = [&](int i) {
            start.wait();
            return p[static_cast<std::size_t>(i)]->Take(3, 1);
        };
        auto a = std::async(std::launch::async, click, 0);
        auto b = std::async(std::launch::async, click, 1);
        go.set_value();
        const SeatResult ra = a.get(), rb = b.get();
        ASSERT_EQ((ra == SeatResult::Done) + (rb == SeatResult::Done), 1)
            << "round " << round << ": " << int(ra) << " " << int(rb);
        const int winner = ra == SeatResult::Done ? 0 : 1;
        ++wins[winner];
        ASSERT_EQ(p[0]->At(3, 1), "Racer" + std::to_string(winner + 1));
        ASSERT_EQ(p[static_cast<std::size_t>(winner)]->Leave(3, 1), SeatResult::Done);
    }
    EXPECT_EQ(wins[0] + wins[1], 100);
}

// Four tables at once: one plays its game to the end; at the others a client sends a card it
// does not hold, a client falls silent, a client goes away. Each of those ends its own game the
// way the players are told ("a" or "T" naming the seat), the good table plays on, and every
// result is stored. A seat taken by a client that never connects is freed.
TEST(TournamentTables, PlayedToTheEndOrEndedByAMisbehavingSeat) {
    App(); // before the first socket, which needs the loop of its thread
    test::ServerProcess server(TARVO_SERVER, {"--game-port-base", "0", "--move-seconds", "2",
                                              "--move-allowance", "1", "--seat-grace", "2"});
    auto good = Players(server, "Good", 3);
    auto cheat = Players(server, "Cheat", 3);
    auto silent = Players(server, "Mute", 3);
    auto gone = Players(server, "Gone", 3);
    Player late(server.Origin(), "Late");
    const int base = PortBase(*good[0]);
    for (auto [table, players] : {std::pair{1, &good}, std::pair{2, &cheat}, std::pair{3, &silent}, std::pair{4, &gone}})
        for (int seat = 1; seat <= 3; ++seat)
            ASSERT_EQ((*players)[static_cast<std::size_t>(seat - 1)]->Take(table, seat), SeatResult::Done);
    ASSERT_EQ(late.Take(5, 1), SeatResult::Done);

    std::vector<std::unique_ptr<TcpPlayer>> table1;
    std::vector<std::unique_ptr<RawSeat>> table2, table3, table4;
    for (int seat = 1; seat <= 3; ++seat) {
        table1.push_back(std::make_unique<TcpPlayer>(base + 1, seat));
        table2.push_back(std::make_unique<RawSeat>(base + 2, seat));
        table3.push_back(std::make_unique<RawSeat>(base + 3, seat));
        table4.push_back(std::make_unique<RawSeat>(base + 4, seat));
    }
    auto all = [](auto& seats, auto&& condition) {
        for (auto& s : seats)
            if (!condition(*s)) return false;
        return true;
    };
    ASSERT_TRUE(WaitFor([&] {
        auto dealt = [](RawSeat& s) { return s.Got<DealMsg>(); };
        return all(table2, dealt) && all(table3, dealt) && all(table4, dealt);
    }));

    // Table 2: the attacker leads a card from a slot his hand does not have.
    const int cheater = table2[0]->Attacker();
    const std::string body = "eigiii" + std::string(SeatOfRole(cheater, cheater % 3 + 1) == 1 ? "130iii" : "iii130") + "i";
    table2[static_cast<std::size_t>(cheater - 1)]->socket.write(
        QByteArray::fromStdString(RecordMessage(cheater, body, 6, 0, cheater % 3 + 1)));
    // Table 4: seat 2's client goes away.
    table4[1]->socket.abort();
    // Table 3: nobody moves.
    const int mute = table3[0]->Attacker();

    auto step = [&] {
        for (auto& t : table1)
            while (t->player.Act()) {
            }
    };
    ASSERT_TRUE(WaitFor([&] {
        step();
        auto told = [](RawSeat& s) { return s.Got<PlayerLeft>() || s.Got<PlayerTimeUp>() || s.Closed(); };
        return all(table2, told) && told(*table4[0]) && told(*table4[2]) &&
               all(table1, [](TcpPlayer& t) { return t.player.gameOver; });
    }, 120));
    for (auto& s : table2) {
        ASSERT_TRUE(s->Got<PlayerLeft>()) << "seat " << s->seat << " heard nothing of the cheat";
        EXPECT_EQ(s->First<PlayerLeft>().seat, cheater);
        EXPECT_TRUE(WaitFor([&] { return s->Closed(); }));
    }
    for (int seat : {1, 3}) {
        ASSERT_TRUE(table4[static_cast<std::size_t>(seat - 1)]->Got<PlayerLeft>());
        EXPECT_EQ(table4[static_cast<std::size_t>(seat - 1)]->First<PlayerLeft>().seat, 2);
    }
    ASSERT_TRUE(WaitFor([&] { return table3[0]->Got<PlayerTimeUp>() || table3[1]->Got<PlayerTimeUp>() || table3[2]->Got<PlayerTimeUp>(); }));
    ASSERT_TRUE(WaitFor([&] {
        for (auto& s : table3)
            if (s->seat != mute && !s->Got<PlayerTimeUp>()) return false;
        return table3[static_cast<std::size_t>(mute - 1)]->Closed();
    }));
    for (auto& s : table3) {
        if (s->seat == mute) continue;
        EXPECT_EQ(s->First<PlayerTimeUp>().seat, mute);
    }

    // The good table: every player saw the end; seat 1 reports the result, which the server
    // finds to be its own count.
    for (auto& t : table1) EXPECT_TRUE(t->player.interrupted.empty()) << t->player.interrupted;
    table1[0]->player.session.SendResult(table1[0]->player.g);
    std::array<int, 3> points{};
    for (int seat = 1; seat <= 3; ++seat)
        points[static_cast<std::size_t>(seat - 1)] = table1[static_cast<std::size_t>(seat - 1)]->player.g.SeatScore[3];
    ASSERT_TRUE(WaitFor([&] {
        const auto rows = StoredGames(server.DataDir());
        return !rows.empty() && rows[0].ends_with("reported Y");
    }));

    for (int seat = 1; seat <= 3; ++seat) {
        const Standing s = StandingOf(*good[static_cast<std::size_t>(seat - 1)]);
        EXPECT_EQ(s.score, points[static_cast<std::size_t>(seat - 1)]);
        EXPECT_EQ(s.games, 1);
        auto forfeit = [&](std::vector<std::unique_ptr<Player>>& players, int guilty) {
            const Standing f = StandingOf(*players[static_cast<std::size_t>(seat - 1)]);
            EXPECT_EQ(f.score, seat == guilty ? -20 : 10) << players[0]->me.Nick;
            EXPECT_EQ(f.games, 1);
            EXPECT_EQ(f.rating, seat == guilty ? 984 : 1008);
        };
        forfeit(cheat, cheater);
        forfeit(silent, mute);
        forfeit(gone, 2);
    }
    const auto rows = StoredGames(server.DataDir());
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[1].substr(0, 11), "table 2 a " + std::to_string(cheater));
    EXPECT_EQ(rows[2].substr(0, 11), "table 3 T " + std::to_string(mute));
    EXPECT_EQ(rows[3].substr(0, 11), "table 4 a 2");
    for (int table = 1; table <= 4; ++table) EXPECT_EQ(late.At(table, 1), "X") << "the end frees table " << table;

    // The top ten by games lists the twelve players' first ten; the late seat is free again.
    auto top = late.client.TournamentTopTen('k');
    ASSERT_TRUE(top.ok);
    EXPECT_EQ(top.value[9].Score, 1);
    EXPECT_TRUE(WaitFor([&] { return late.At(5, 1) == "X"; }, 30));
}

// A listening socket whose accept fails closes for good: the score server and each table listen
// again on their ports, and players reach them as before.
TEST(TournamentTables, ListeningSocketsThatFailListenAgain) {
    App();
    test::ServerProcess server(TARVO_SERVER, {"--game-port-base", "0"});
    Player anna(server.Origin(), "Anna");
    const int base = PortBase(anna);
    const std::vector<int> broken = test::BreakListeningSockets(server.Pid());
    if (broken.empty()) GTEST_SKIP() << "this kernel does not lend another process's sockets";
    EXPECT_EQ(broken.size(), 11u) << "the requests' port and ten tables";

    // A new connection each time: the player's kept-alive one would not show the listener.
    EXPECT_TRUE(WaitFor(
        [&] {
            CurlTransport fresh;
            return ScoreClient(fresh, AddressesOn(server.Origin())).ReadTables(kGameNumber).ok;
        },
        20));
    for (int table = 1; table <= 10; ++table)
        EXPECT_TRUE(WaitFor(
            [&] {
                QTcpSocket socket;
                socket.connectToHost(QStringLiteral("127.0.0.1"), static_cast<quint16>(base + table));
                return socket.waitForConnected(1000);
            },
            20))
            << "table " << table;
}

} // namespace tarvo
