#include "server/TournamentHost.h"

#include <QDateTime>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <array>
#include <cstdio>
#include <map>

#include "netplay/Listening.h"
#include "netplay/TournamentMessages.h"
#include "server/TableReferee.h"
#include "server/TournamentStore.h"

namespace tarvo::server {
namespace {

// What one connection may hold unread; a peer that sends more is cut off.
constexpr qint64 kSocketBuffer = 16 * 1024;
constexpr qint64 kReadChunk = 4096;
// A connection that has not said its seat after this long is let go.
constexpr qint64 kIntroductionMs = 10'000;
// After the end of a game its connections may still bring seat 1's series result.
constexpr qint64 kAfterGameMs = 60'000;
constexpr int kAliveEverySeconds = 5;

std::string PeerAddress(const QTcpSocket& socket) {
    QHostAddress a = socket.peerAddress();
    bool v4 = false;
    const quint32 ip = a.toIPv4Address(&v4);
    if (v4) a = QHostAddress(ip);
    return a.toString().toStdString();
}

void Log(int table, const std::string& text) {
    const std::string when = QDateTime::currentDateTime().toString(Qt::ISODate).toStdString();
    std::fprintf(stderr, "%s table %d: %s\n", when.c_str(), table, text.c_str());
}

std::string Points(const std::array<int, 3>& p) {
    return std::to_string(p[0]) + " " + std::to_string(p[1]) + " " + std::to_string(p[2]);
}

} // namespace

class TournamentHost::Tables : public QObject {
  public:
    Tables(Storage& storage, const TournamentOptions& options) : storage_(storage), options_(options) {}

    bool Listen(std::string* why);
    void Close();

  private:
    struct Room;
    struct Conn {
        Room* room = nullptr;
        int seat = 0;    // 0 until its "connect"
        std::string key; // the account that holds that seat
        PlayerReader reader;
        qint64 since = 0;
        // A connection of a finished game: seat 1 may still report the series result.
        std::string finishedGame;
        std::array<int, 3> finishedPoints{};
    };
    struct Room {
        int num = 0;
        QTcpServer* server = nullptr;
        std::array<QTcpSocket*, 3> seats{};      // the connected seats of the game to come or running
        std::array<qint64, 3> lastSeen{};        // when each seat's connection was last there
        std::unique_ptr<TableReferee> referee;   // while a game runs
        std::array<std::string, 3> keys, nicks;  // the game's players
        QTimer clock;
        int clockSeat = 0;
        long long started = 0;
        ClockDecks decks;
        QTcpSocket*& Seat(int s) { return seats[static_cast<std::size_t>(s - 1)]; }
        bool Playing() const { return referee != nullptr; }
    };

    static qint64 Now() { return QDateTime::currentMSecsSinceEpoch(); }

    void Adopt(Room& room, QTcpSocket* socket);
    void Read(QTcpSocket* socket);
    void Gone(QTcpSocket* socket);
    void Drop(QTcpSocket* socket);
    void Send(QTcpSocket* socket, const std::string& bytes);
    void OnMessage(QTcpSocket* socket, Conn& conn, PlayerMessage& m);
    void TakeSeat(QTcpSocket* socket, Conn& conn, int seat);
    void StartGame(Room& room);
    void RestartClock(Room& room);
    void EndGame(Room& room, char ending, int offender, const std::string& why);
    void Watch();
    void DatabaseFailed(int table, const char* what);

    Storage& storage_;
    TournamentOptions options_;
    std::map<int, std::unique_ptr<Room>> rooms_;
    std::map<QTcpSocket*, Conn> conns_;
    QTimer watch_{this}; // a child, so that it moves to the tables' thread with them
    int ticks_ = 0;
};

bool TournamentHost::Tables::Listen(std::string* why) {
    const QHostAddress address(QString::fromStdString(options_.listen));
    // A base of 0 looks for a run of free ports; the players find each table at base + table.
    for (int attempt = 0; attempt < 50; ++attempt) {
        const int base = options_.portBase ? options_.portBase
                                           : 20000 + static_cast<int>(QRandomGenerator::global()->bounded(40000));
        bool all = true;
        for (int num : options_.tables) {
            auto room = std::make_unique<Room>();
            room->num = num;
            room->server = new QTcpServer(this);
            if (!room->server->listen(address, static_cast<quint16>(base + num))) {
                *why = "the tournament's table " + std::to_string(num) + " cannot listen on port " +
                       std::to_string(base + num) + ": " + room->server->errorString().toStdString();
                all = false;
                break;
            }
            rooms_[num] = std::move(room);
        }
        if (all) {
            options_.portBase = base;
            break;
        }
        for (auto& [num, room] : rooms_) delete room->server;
        rooms_.clear();
        if (options_.portBase && options_.portBaseGiven) return false;
        if (options_.portBase) std::fprintf(stderr, "tarvo3-server: %s; the tables take free ports instead\n", why->c_str());
        options_.portBase = 0;
    }
    if (rooms_.empty()) return false;
    std::vector<std::pair<int, int>> ports;
    for (auto& [num, room] : rooms_) {
        Room* r = room.get();
        ports.emplace_back(num, options_.portBase + num);
        connect(r->server, &QTcpServer::newConnection, this, [this, r] {
            while (r->server->hasPendingConnections()) Adopt(*r, r->server->nextPendingConnection());
        });
        KeepListening(*r->server, "tarvo3-server");
        r->clock.setSingleShot(true);
        connect(&r->clock, &QTimer::timeout, this, [this, r] {
            EndGame(*r, 'T', r->clockSeat, "did not move in time");
        });
    }
    if (!ServeTables(storage_, ports, options_.address)) {
        storage_.Forget();
        *why = "the tournament's tables cannot be written to the database";
        return false;
    }
    connect(&watch_, &QTimer::timeout, this, [this] { Watch(); });
    watch_.start(1000);
    return true;
}

void TournamentHost::Tables::Close() {
    watch_.stop();
    std::vector<std::pair<int, int>> ports;
    for (auto& [num, room] : rooms_) {
        room->clock.stop();
        room->server->close();
        ports.emplace_back(num, 0);
    }
    for (auto& [socket, conn] : conns_) socket->abort();
    conns_.clear();
    if (!ServeTables(storage_, ports, options_.address)) storage_.Forget();
}

void TournamentHost::Tables::Adopt(Room& room, QTcpSocket* socket) {
    socket->setReadBufferSize(kSocketBuffer);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    Conn& conn = conns_[socket];
    conn.room = &room;
    conn.since = Now();
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Gone(socket); });
    if (socket->bytesAvailable() > 0) Read(socket);
}

void TournamentHost::Tables::Send(QTcpSocket* socket, const std::string& bytes) {
    if (socket) socket->write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// Lets a connection go, after what was written to it has left.
void TournamentHost::Tables::Drop(QTcpSocket* socket) {
    auto it = conns_.find(socket);
    if (it == conns_.end()) return;
    Room& room = *it->second.room;
    for (QTcpSocket*& s : room.seats)
        if (s == socket) s = nullptr;
    conns_.erase(it);
    socket->disconnect(this);
    socket->flush();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState) socket->deleteLater();
}

void TournamentHost::Tables::Read(QTcpSocket* socket) {
    while (socket->bytesAvailable() > 0) {
        auto it = conns_.find(socket);
        if (it == conns_.end()) return;
        Conn& conn = it->second;
        const QByteArray chunk = socket->read(kReadChunk);
        for (PlayerMessage& m : conn.reader.Feed(std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size())))) {
            OnMessage(socket, conn, m);
            if (!conns_.count(socket)) return;
        }
        if (!conn.reader.Failed()) continue;
        Room& room = *conn.room;
        if (room.Playing() && conn.seat && room.Seat(conn.seat) == socket)
            return EndGame(room, 'a', conn.seat, "sent " + conn.reader.Error());
        Log(room.num, "a connection from " + PeerAddress(*socket) + " sent " + conn.reader.Error());
        return Drop(socket);
    }
}

void TournamentHost::Tables::Gone(QTcpSocket* socket) {
    auto it = conns_.find(socket);
    if (it == conns_.end()) return;
    Room& room = *it->second.room;
    const int seat = it->second.seat;
    if (seat && room.Seat(seat) == socket) {
        room.lastSeen[static_cast<std::size_t>(seat - 1)] = Now();
        if (room.Playing()) return EndGame(room, 'a', seat, "left the game (connection closed)");
    }
    Drop(socket);
}

void TournamentHost::Tables::OnMessage(QTcpSocket* socket, Conn& conn, PlayerMessage& m) {
    Room& room = *conn.room;
    const bool inGame = room.Playing() && conn.seat && room.Seat(conn.seat) == socket;
    if (auto* c = std::get_if<SeatConnect>(&m)) {
        if (inGame) return EndGame(room, 'a', conn.seat, "connected again in the game");
        return TakeSeat(socket, conn, c->seat);
    }
    if (auto* result = std::get_if<SeriesResult>(&m)) {
        if (conn.finishedGame.empty() || conn.seat != 1) {
            if (inGame) return EndGame(room, 'a', conn.seat, "sent a series result in the game");
            return;
        }
        // The result in the order of seat 1's numbering is seats 1, 2, 3 of the table.
        const bool matches = result->scores == conn.finishedPoints;
        if (!matches)
            Log(room.num, "seat 1 reported " + Points(result->scores) + ", the table counted " +
                              Points(conn.finishedPoints));
        if (!NoteReportedResult(storage_, conn.finishedGame, matches)) DatabaseFailed(room.num, "result");
        conn.finishedGame.clear();
        return;
    }
    if (!inGame) {
        // Before its game a seat only says which it is or that it leaves; after it nothing counts.
        if (std::holds_alternative<LeaveSeat>(m) || (conn.finishedGame.empty() && conn.seat == 0)) Drop(socket);
        return;
    }
    const int seat = conn.seat;
    std::visit(
        [&](auto& msg) {
            using T = std::decay_t<decltype(msg)>;
            if constexpr (std::is_same_v<T, RecordMsg>) {
                RefereeVerdict v = room.referee->OnRecord(seat, msg);
                for (const auto& [to, bytes] : v.sends) Send(room.Seat(to), bytes);
                if (v.offender) return EndGame(room, 'a', v.offender, "sent " + v.fault);
                if (room.referee->Over()) return EndGame(room, 'e', 0, "played to the end");
                if (!v.sends.empty() && room.referee->ClockSeat()) RestartClock(room);
            } else if constexpr (std::is_same_v<T, TableChat>) {
                if (msg.seat != seat) return EndGame(room, 'a', seat, "sent a chat as seat " + std::to_string(msg.seat));
                const std::string chat = TableChatMessage(seat, msg.text);
                for (int other = 1; other <= 3; ++other)
                    if (other != seat) Send(room.Seat(other), chat);
            } else if constexpr (std::is_same_v<T, OwnTimeOut>) {
                EndGame(room, 'T', seat, "ran out of time (its own clock)");
            } else if constexpr (std::is_same_v<T, LeaveSeat>) {
                EndGame(room, 'a', seat, "left the game");
            }
        },
        m);
}

void TournamentHost::Tables::TakeSeat(QTcpSocket* socket, Conn& conn, int seat) {
    Room& room = *conn.room;
    auto refuse = [&](const std::string& why) {
        Log(room.num, "refused seat " + std::to_string(seat) + " to " + PeerAddress(*socket) + ": " + why);
        Drop(socket);
    };
    if (conn.seat) return refuse("the connection has a seat already");
    if (room.Playing()) return refuse("the table is playing");
    if (room.Seat(seat)) return refuse("the seat is connected already");
    auto table = ReadTable(storage_, room.num);
    if (!table) {
        DatabaseFailed(room.num, "seat");
        return Drop(socket);
    }
    const SeatHolder& holder = table->seats[static_cast<std::size_t>(seat - 1)];
    if (holder.Free()) return refuse("nobody took the seat");
    if (holder.ip != PeerAddress(*socket)) return refuse("the seat was taken from " + holder.ip);
    conn.seat = seat;
    conn.key = holder.key;
    room.Seat(seat) = socket;
    room.lastSeen[static_cast<std::size_t>(seat - 1)] = Now();
    if (room.seats[0] && room.seats[1] && room.seats[2]) StartGame(room);
}

void TournamentHost::Tables::StartGame(Room& room) {
    auto failed = [&] {
        DatabaseFailed(room.num, "start");
        for (QTcpSocket* s : room.seats) Drop(s); // the players see the game server fail
    };
    auto table = ReadTable(storage_, room.num);
    if (!table) return failed();
    for (int seat = 1; seat <= 3; ++seat) {
        const SeatHolder& h = table->seats[static_cast<std::size_t>(seat - 1)];
        if (h.Free()) { // the seat was left over HTTP meanwhile: its connection goes
            Log(room.num, "seat " + std::to_string(seat) + " was freed before the game");
            return Drop(room.Seat(seat));
        }
        room.keys[static_cast<std::size_t>(seat - 1)] = h.key;
        room.nicks[static_cast<std::size_t>(seat - 1)] = h.nick;
    }
    if (!SetPlaying(storage_, room.num, true)) return failed();
    room.referee = std::make_unique<TableReferee>();
    room.started = NowSeconds();
    const std::string deal = room.referee->Deal(room.decks);
    for (QTcpSocket* s : room.seats) Send(s, deal);
    Log(room.num, "game of " + room.nicks[0] + ", " + room.nicks[1] + " and " + room.nicks[2] + " dealt");
    RestartClock(room);
}

void TournamentHost::Tables::RestartClock(Room& room) {
    room.clockSeat = room.referee->ClockSeat();
    room.clock.start((options_.moveSeconds + options_.allowanceSeconds) * 1000);
}

void TournamentHost::Tables::EndGame(Room& room, char ending, int offender, const std::string& why) {
    if (!room.Playing()) return;
    room.clock.stop();
    GameRecord record;
    record.id = std::to_string(room.num) + "-" + std::to_string(Now()) + "-" +
                std::to_string(QRandomGenerator::global()->bounded(1000000));
    record.num = room.num;
    record.keys = room.keys;
    record.nicks = room.nicks;
    record.ending = ending;
    record.offender = offender;
    // A player who breaks the game off loses it as its fool would.
    record.fool = ending == 'e' ? room.referee->FoolSeat() : offender;
    record.points = ending == 'e' ? room.referee->Scores() : GamePoints(offender);
    record.started = room.started;
    record.ended = NowSeconds();
    if (offender)
        Log(room.num, "seat " + std::to_string(offender) + " (" + room.nicks[static_cast<std::size_t>(offender - 1)] +
                          ") " + why + ": the game ends with \"" + ending + "\"");
    else
        Log(room.num, "game " + why + ", points " + Points(record.points));
    // Stored before anybody hears of the end, so that what the players read next is the new count.
    if (!RecordGame(storage_, record)) DatabaseFailed(room.num, "the game's result");

    const std::array<QTcpSocket*, 3> seats = room.seats;
    room.seats = {};
    room.referee.reset();
    room.clockSeat = 0;
    for (int seat = 1; seat <= 3; ++seat) {
        QTcpSocket* s = seats[static_cast<std::size_t>(seat - 1)];
        if (!s) continue;
        room.lastSeen[static_cast<std::size_t>(seat - 1)] = 0;
        if (ending == 'e') {
            Send(s, GameEndedMessage());
            Conn& c = conns_[s];
            c.finishedGame = record.id;
            c.finishedPoints = record.points;
            c.since = Now();
            continue;
        }
        if (ending == 'a') Send(s, PlayerLeftMessage(offender));
        if (ending == 'T' && seat != offender) Send(s, PlayerTimeUpMessage(offender));
        Drop(s);
    }
}

void TournamentHost::Tables::DatabaseFailed(int table, const char* what) {
    storage_.Forget();
    Log(table, std::string("the database failed (") + what + ")");
}

void TournamentHost::Tables::Watch() {
    const qint64 now = Now();
    std::vector<QTcpSocket*> stale;
    for (auto& [socket, conn] : conns_) {
        const bool unnamed = conn.seat == 0 && now - conn.since > kIntroductionMs;
        const bool afterGame = !conn.finishedGame.empty() && now - conn.since > kAfterGameMs;
        if (unnamed || afterGame) stale.push_back(socket);
    }
    for (QTcpSocket* s : stale) Drop(s);

    if (++ticks_ % kAliveEverySeconds == 0) {
        std::vector<int> tables;
        for (auto& [num, room] : rooms_) tables.push_back(num);
        if (!TablesAlive(storage_, tables)) DatabaseFailed(0, "alive");
    }
    // Seats taken whose player is not connected: freed after the grace period; connections whose
    // seat was left meanwhile are let go.
    const long long nowSeconds = NowSeconds();
    for (auto& [num, room] : rooms_) {
        if (room->Playing()) continue;
        auto table = ReadTable(storage_, num);
        if (!table) return DatabaseFailed(num, "watch");
        for (int seat = 1; seat <= 3; ++seat) {
            const std::size_t i = static_cast<std::size_t>(seat - 1);
            const SeatHolder& h = table->seats[i];
            QTcpSocket* s = room->seats[i];
            if (s && h.key != conns_[s].key) {
                Drop(s);
                s = nullptr;
            }
            if (h.Free() || s) continue;
            const long long since = std::max(h.taken, room->lastSeen[i] / 1000);
            if (nowSeconds - since <= options_.seatGraceSeconds) continue;
            Log(num, "seat " + std::to_string(seat) + " (" + h.nick + ") freed: no connection for " +
                         std::to_string(nowSeconds - since) + " s");
            if (!FreeSeats(storage_, num, seat, {h.key})) return DatabaseFailed(num, "free");
        }
    }
}

TournamentHost::TournamentHost(Storage& storage, TournamentOptions options)
    : storage_(storage), options_(std::move(options)) {}

TournamentHost::~TournamentHost() {
    if (!thread_) return;
    // The tables' sockets and timers belong to their thread: they go there.
    QMetaObject::invokeMethod(
        tables_,
        [this] {
            tables_->Close();
            delete tables_;
        },
        Qt::BlockingQueuedConnection);
    thread_->quit();
    thread_->wait();
}

bool TournamentHost::Start(std::string* why) {
    thread_ = std::make_unique<QThread>();
    thread_->setObjectName(QStringLiteral("tournament"));
    tables_ = new Tables(storage_, options_);
    tables_->moveToThread(thread_.get());
    thread_->start();
    bool ok = false;
    QMetaObject::invokeMethod(
        tables_, [&] { ok = tables_->Listen(why); }, Qt::BlockingQueuedConnection);
    return ok;
}

} // namespace tarvo::server
