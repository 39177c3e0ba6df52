#include "server/TournamentStore.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cmath>
#include <ctime>
#include <functional>

#include "server/TournamentOptions.h"

namespace tarvo::server {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

std::string S(const QVariant& v) {
    return v.toString().toStdString();
}

std::string Rows(const std::function<std::string(int)>& row, int count) {
    std::string sql;
    for (int i = 0; i < count; ++i) sql += (i ? ", " : "") + row(i);
    return sql;
}

// The seats with their players' standings, ordered by table and seat.
constexpr const char* kSeatsSql =
    "SELECT s.num, s.seat, s.nick_key, s.nick, s.country, s.city, s.sex, s.ip, s.taken, "
    "COALESCE(p.score, 0), COALESCE(p.kon, 0), COALESCE(p.rating, 1000) "
    "FROM tourney_seats s LEFT JOIN tourney_players p ON p.nick_key = s.nick_key AND s.nick_key <> '' ";

SeatHolder SeatOf(const QSqlQuery& q) {
    SeatHolder h;
    h.key = S(q.value(2));
    if (h.key.empty()) return h;
    h.nick = S(q.value(3));
    h.country = S(q.value(4));
    h.city = S(q.value(5));
    h.sex = S(q.value(6));
    h.ip = S(q.value(7));
    h.taken = q.value(8).toLongLong();
    h.score = q.value(9).toInt();
    h.kon = q.value(10).toInt();
    h.rating = q.value(11).toInt();
    return h;
}

} // namespace

long long NowSeconds() {
    return static_cast<long long>(std::time(nullptr));
}

Schema TournamentSchema() {
    const std::string tables =
        "INSERT INTO tourney_tables (num, ip, port, seen, playing) VALUES " +
        Rows([](int i) { return "(" + std::to_string(i + 1) + ", '', 0, 0, 0)"; }, kTournamentTables);
    const std::string seats =
        "INSERT INTO tourney_seats (num, seat, nick_key, nick, country, city, sex, ip, taken) VALUES " +
        Rows(
            [](int i) {
                return "(" + std::to_string(i / 3 + 1) + ", " + std::to_string(i % 3 + 1) +
                       ", '', 'X', 'X', 'X', 'M', 'X', 0)";
            },
            3 * kTournamentTables);
    return {"tournament",
            {{
                "CREATE TABLE tourney_tables (num INTEGER PRIMARY KEY, ip VARCHAR(64) NOT NULL, "
                "port INTEGER NOT NULL, seen BIGINT NOT NULL, playing INTEGER NOT NULL)",
                tables,
                "CREATE TABLE tourney_seats (num INTEGER NOT NULL, seat INTEGER NOT NULL, "
                "nick_key VARCHAR(32) NOT NULL, nick VARCHAR(32) NOT NULL, country VARCHAR(64) NOT NULL, "
                "city VARCHAR(32) NOT NULL, sex VARCHAR(4) NOT NULL, ip VARCHAR(64) NOT NULL, "
                "taken BIGINT NOT NULL, PRIMARY KEY (num, seat))",
                seats,
                // A player sits at one seat at a time, however his requests race.
                "CREATE UNIQUE INDEX tourney_seated_once ON tourney_seats (nick_key) WHERE nick_key <> ''",
                "CREATE TABLE tourney_players (nick_key VARCHAR(32) PRIMARY KEY, nick VARCHAR(32) NOT NULL, "
                "score INTEGER NOT NULL, kon INTEGER NOT NULL, rating INTEGER NOT NULL, "
                "updated BIGINT NOT NULL)",
                "CREATE INDEX tourney_players_by_score ON tourney_players (score)",
                "CREATE INDEX tourney_players_by_rating ON tourney_players (rating)",
                "CREATE INDEX tourney_players_by_kon ON tourney_players (kon)",
                "CREATE TABLE tourney_games (id VARCHAR(48) PRIMARY KEY, num INTEGER NOT NULL, "
                "started BIGINT NOT NULL, ended BIGINT NOT NULL, ending VARCHAR(2) NOT NULL, "
                "offender INTEGER NOT NULL, fool INTEGER NOT NULL, nick1 VARCHAR(32) NOT NULL, "
                "nick2 VARCHAR(32) NOT NULL, nick3 VARCHAR(32) NOT NULL, points1 INTEGER NOT NULL, "
                "points2 INTEGER NOT NULL, points3 INTEGER NOT NULL, reported VARCHAR(2) NOT NULL)",
            }}};
}

std::optional<std::vector<TableRow>> ReadTables(Storage& s) {
    QSqlQuery& t = s.Statement("SELECT num, ip, port, seen, playing FROM tourney_tables ORDER BY num");
    if (!t.exec()) return std::nullopt;
    std::vector<TableRow> rows;
    while (t.next() && rows.size() < kTournamentTables) {
        TableRow r;
        r.num = t.value(0).toInt();
        r.ip = S(t.value(1));
        r.port = t.value(2).toInt();
        r.seen = t.value(3).toLongLong();
        r.playing = t.value(4).toInt() != 0;
        rows.push_back(std::move(r));
    }
    t.finish();
    static const std::string kAll = std::string(kSeatsSql) + "ORDER BY s.num, s.seat";
    QSqlQuery& q = s.Statement(kAll.c_str());
    if (!q.exec()) return std::nullopt;
    while (q.next()) {
        const int num = q.value(0).toInt(), seat = q.value(1).toInt();
        if (num < 1 || num > static_cast<int>(rows.size()) || seat < 1 || seat > 3) continue;
        rows[static_cast<std::size_t>(num - 1)].seats[static_cast<std::size_t>(seat - 1)] = SeatOf(q);
    }
    q.finish();
    if (rows.size() != kTournamentTables) return std::nullopt;
    return rows;
}

std::optional<TableRow> ReadTable(Storage& s, int num) {
    QSqlQuery& t = s.Statement("SELECT ip, port, seen, playing FROM tourney_tables WHERE num = ?");
    t.addBindValue(num);
    if (!t.exec()) return std::nullopt;
    TableRow r;
    r.num = num;
    if (!t.next()) return std::nullopt;
    r.ip = S(t.value(0));
    r.port = t.value(1).toInt();
    r.seen = t.value(2).toLongLong();
    r.playing = t.value(3).toInt() != 0;
    t.finish();
    static const std::string kOne = std::string(kSeatsSql) + "WHERE s.num = ? ORDER BY s.seat";
    QSqlQuery& q = s.Statement(kOne.c_str());
    q.addBindValue(num);
    if (!q.exec()) return std::nullopt;
    while (q.next()) {
        const int seat = q.value(1).toInt();
        if (seat >= 1 && seat <= 3) r.seats[static_cast<std::size_t>(seat - 1)] = SeatOf(q);
    }
    q.finish();
    return r;
}

std::optional<Standing> ReadStanding(Storage& s, const std::string& key) {
    QSqlQuery& q = s.Statement("SELECT nick, score, kon, rating FROM tourney_players WHERE nick_key = ?");
    q.addBindValue(Q(key));
    if (!q.exec()) return std::nullopt;
    Standing st;
    if (q.next()) {
        st.nick = S(q.value(0));
        st.score = q.value(1).toInt();
        st.kon = q.value(2).toInt();
        st.rating = q.value(3).toInt();
    }
    q.finish();
    return st;
}


bool ServeTables(Storage& s, const std::vector<std::pair<int, int>>& tablePorts, const std::string& ip) {
    return s.Transaction([&] {
        for (const auto& [num, port] : tablePorts) {
            QSqlQuery& q =
                s.Statement("UPDATE tourney_tables SET ip = ?, port = ?, seen = ?, playing = 0 WHERE num = ?");
            q.addBindValue(Q(ip));
            q.addBindValue(port);
            q.addBindValue(port ? NowSeconds() : 0LL);
            q.addBindValue(num);
            if (!q.exec()) return false;
        }
        return true;
    });
}

bool TablesAlive(Storage& s, const std::vector<int>& tables) {
    const long long now = NowSeconds();
    return s.Transaction([&] {
        for (int num : tables) {
            QSqlQuery& q = s.Statement("UPDATE tourney_tables SET seen = ? WHERE num = ?");
            q.addBindValue(now);
            q.addBindValue(num);
            if (!q.exec()) return false;
        }
        return true;
    });
}

bool SetPlaying(Storage& s, int num, bool playing) {
    QSqlQuery& q = s.Statement("UPDATE tourney_tables SET playing = ? WHERE num = ?");
    q.addBindValue(playing ? 1 : 0);
    q.addBindValue(num);
    return q.exec();
}

bool FreeSeats(Storage& s, int num, int seat, const std::vector<std::string>& onlyKeys) {
    constexpr const char* kFree = "UPDATE tourney_seats SET nick_key = '', nick = 'X', country = 'X', "
                                  "city = 'X', sex = 'M', ip = 'X', taken = 0 WHERE num = ? AND seat >= ?";
    constexpr const char* kFreeOf = "UPDATE tourney_seats SET nick_key = '', nick = 'X', country = 'X', "
                                    "city = 'X', sex = 'M', ip = 'X', taken = 0 WHERE num = ? AND seat >= ? "
                                    "AND nick_key = ?";
    if (onlyKeys.empty()) {
        QSqlQuery& q = s.Statement(kFree);
        q.addBindValue(num);
        q.addBindValue(seat);
        return q.exec();
    }
    for (const std::string& key : onlyKeys) {
        QSqlQuery& q = s.Statement(kFreeOf);
        q.addBindValue(num);
        q.addBindValue(seat);
        q.addBindValue(Q(key));
        if (!q.exec()) return false;
    }
    return true;
}

std::array<int, 3> RatingsAfter(const std::array<int, 3>& before, int fool) {
    constexpr double kStake = 16;
    std::array<int, 3> after = before;
    for (int i = 0; i < 3; ++i) {
        double change = 0;
        for (int j = 0; j < 3; ++j) {
            if (i == j) continue;
            const double expected = 1.0 / (1.0 + std::pow(10.0, (before[j] - before[i]) / 400.0));
            const double result = fool == i + 1 ? 0.0 : fool == j + 1 ? 1.0 : 0.5;
            change += kStake * (result - expected);
        }
        after[static_cast<std::size_t>(i)] = before[static_cast<std::size_t>(i)] + static_cast<int>(std::lround(change));
    }
    return after;
}

bool RecordGame(Storage& s, const GameRecord& game) {
    const bool ok = s.Transaction([&] {
        std::array<Standing, 3> standings;
        std::array<int, 3> ratings{};
        for (std::size_t i = 0; i < 3; ++i) {
            auto st = ReadStanding(s, game.keys[i]);
            if (!st) return false;
            standings[i] = *st;
            ratings[i] = st->rating;
        }
        const std::array<int, 3> after = RatingsAfter(ratings, game.fool);
        for (std::size_t i = 0; i < 3; ++i) {
            QSqlQuery& u = s.Statement("UPDATE tourney_players SET nick = ?, score = score + ?, kon = kon + 1, "
                                       "rating = ?, updated = ? WHERE nick_key = ?");
            u.addBindValue(Q(game.nicks[i]));
            u.addBindValue(game.points[i]);
            u.addBindValue(after[i]);
            u.addBindValue(game.ended);
            u.addBindValue(Q(game.keys[i]));
            if (!u.exec()) return false;
            if (u.numRowsAffected() > 0) continue;
            QSqlQuery& n = s.Statement("INSERT INTO tourney_players (nick_key, nick, score, kon, rating, "
                                       "updated) VALUES (?, ?, ?, 1, ?, ?)");
            n.addBindValue(Q(game.keys[i]));
            n.addBindValue(Q(game.nicks[i]));
            n.addBindValue(game.points[i]);
            n.addBindValue(after[i]);
            n.addBindValue(game.ended);
            if (!n.exec()) return false;
        }
        QSqlQuery& g = s.Statement(
            "INSERT INTO tourney_games (id, num, started, ended, ending, offender, fool, nick1, nick2, nick3, "
            "points1, points2, points3, reported) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '-')");
        g.addBindValue(Q(game.id));
        g.addBindValue(game.num);
        g.addBindValue(game.started);
        g.addBindValue(game.ended);
        g.addBindValue(QString(QChar(game.ending)));
        g.addBindValue(game.offender);
        g.addBindValue(game.fool);
        for (const std::string& nick : game.nicks) g.addBindValue(Q(nick));
        for (int p : game.points) g.addBindValue(p);
        if (!g.exec()) return false;
        std::vector<std::string> keys(game.keys.begin(), game.keys.end());
        if (!FreeSeats(s, game.num, 1, keys)) return false;
        QSqlQuery& t = s.Statement("UPDATE tourney_tables SET playing = 0 WHERE num = ?");
        t.addBindValue(game.num);
        return t.exec();
    });
    return ok;
}

bool NoteReportedResult(Storage& s, const std::string& gameId, bool matches) {
    QSqlQuery& q = s.Statement("UPDATE tourney_games SET reported = ? WHERE id = ?");
    q.addBindValue(matches ? QStringLiteral("Y") : QStringLiteral("N"));
    q.addBindValue(Q(gameId));
    return q.exec();
}

} // namespace tarvo::server
