// The tournament (POST /tournament): the ten tables and who sits where, the state of the
// tournament with its welcome line, taking and leaving seats, a seat's player, a player's score,
// games and rating, the tournament top ten and a value's place. The kind of a request is told by
// its first field's name. The games themselves are played over TCP (TournamentHost), which this
// service starts for the tables this process plays.
//
// Seats are taken in order 1, 2, 3, one at a time per player; each take or leave is one
// transaction that first locks its table's row, so two players clicking one free seat at once
// never both get it. Taking needs the session cookie of the nick's account (the sign-in sets it);
// leaving may be done by the seat's player or by a player sitting below him at that table, and
// frees the seats above it too. While a table plays, its seats are the game's: its game server
// frees them at the end.
//
// The state and welcome line come from "tournament.txt" in the data folder (first line "Y" for
// open, anything else for closed; second line the welcome), read at every request.
#include <httplib.h>

#include <QVariant>
#include <array>
#include <charconv>
#include <map>
#include <mutex>

#include "files/SafeWrite.h"
#include "online/FieldRules.h"
#include "online/Records.h"
#include "server/Accounts.h"
#include "server/Passwords.h"
#include "server/FormCall.h"
#include "server/Service.h"
#include "server/TournamentHost.h"
#include "server/TournamentStore.h"
#include "server/Wire.h"

namespace tarvo::server {
namespace {

constexpr const char* kDefaultWelcome = "Welcome to the Tarvo-Trio online tournament!";
constexpr std::uintmax_t kStateFileMax = 4096;

bool Loopback(const std::string& address) {
    return address == "127.0.0.1" || address == "::1" || address == "::ffff:127.0.0.1";
}

// An address as the players see it: IPv4 without the IPv6 dress.
std::string Plain(std::string address) {
    if (address.starts_with("::ffff:")) address.erase(0, 7);
    return address;
}

// The state and welcome line of "tournament.txt", open with the default line without one.
std::pair<std::string, std::string> StateFile(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    std::string bytes;
    if (ec || size > kStateFileMax || ReadFileBytes(file, bytes)) return {"Y", kDefaultWelcome};
    const std::size_t first = bytes.find('\n');
    std::string state = bytes.substr(0, first);
    std::string welcome = first == std::string::npos ? std::string() : bytes.substr(first + 1);
    welcome = welcome.substr(0, welcome.find('\n'));
    for (std::string* s : {&state, &welcome})
        while (!s->empty() && (s->back() == '\r' || s->back() == ' ')) s->pop_back();
    // The reply's markers and control characters cannot travel in it.
    std::string clean;
    for (char c : welcome)
        if (static_cast<unsigned char>(c) >= 0x20 && std::string_view("$*#~").find(c) == std::string_view::npos)
            clean += c;
    if (DecodeUtf8(clean).size() > static_cast<std::size_t>(kWelcomeMax))
        clean = EncodeUtf8(DecodeUtf8(clean).substr(0, kWelcomeMax));
    return {state == "Y" ? "Y" : "N", clean.empty() ? kDefaultWelcome : clean};
}

using Call = FormCall;

// The first field's name, and the digit or letters at its end ("client3on2", "top10s15").
std::string FirstName(const std::string& body) {
    return body.substr(0, body.find_first_of("=&"));
}

std::string Num(long long v) {
    return std::to_string(v);
}

std::array<std::string, 8> SeatFields(const SeatHolder& h) {
    if (h.Free()) return {"X", "0", "0", "0", "X", "X", "M", "X"};
    return {h.nick, Num(h.score), Num(h.kon), Num(h.rating), h.country, h.city, h.sex, h.ip};
}

class TournamentService : public Service {
  public:
    Schema Tables() const override { return TournamentSchema(); }

    bool Start(ServerContext& c, std::string* why) override {
        if (c.tournament.tables.empty()) return true;
        host_ = std::make_unique<TournamentHost>(c.storage, c.tournament);
        return host_->Start(why);
    }

    void Register(ServerContext& c) override {
        c.http.Post("/tournament", [this, &c](const httplib::Request& req, httplib::Response& res) {
            Call call{c, req, res, Form(req.body)};
            Dispatch(call);
        });
    }

  private:
    void Dispatch(Call& call) {
        const std::string name = FirstName(call.req.body);
        const std::string game = Num(kGameNumber);
        auto seatOf = [&](std::string_view prefix) -> int {
            if (!name.starts_with(prefix) || name.size() != prefix.size() + 1) return 0;
            const char d = name.back();
            return d >= '1' && d <= '3' ? d - '0' : 0;
        };
        call.listed = true;
        if (name == "readtable310") return ReadTables(call);
        if (name == "serverinforead") return ServerInfo(call);
        if (const int seat = seatOf("readclient")) return ReadClient(call, seat);
        if (name.size() == 6 + game.size() && name.starts_with("top10") && name.ends_with(game))
            return TopTen(call, name[5]);
        call.listed = false;
        if (const int seat = seatOf("client3on")) return ClientOn(call, seat);
        if (name == "readrating" + game) return ReadRating(call);
        if (name.size() == 6 + game.size() && name.starts_with("place") && name.ends_with(game))
            return Place(call, name[5]);
        Refuse(call.res, 400, "unknown tournament request");
    }

    // The address a table's game server is reached at.
    static std::string GameAddress(const Call& call, const TableRow& t) {
        if (!t.Alive(NowSeconds())) return "0.0.0.0";
        return t.ip.empty() ? Plain(call.req.local_addr) : t.ip;
    }

    static void ReadTables(Call& call) {
        if (call.Number("readtable310") != kGameNumber || call.Number("gid") != kGameNumber)
            return Refuse(call.res, 400, "readtable310: another game's number");
        auto tables = tarvo::server::ReadTables(call.c.storage);
        if (!tables) return call.DatabaseFailed();
        const long long now = NowSeconds();
        std::string body;
        // The client fills its rows from table 10 down to table 1.
        for (auto it = tables->rbegin(); it != tables->rend(); ++it) {
            const TableRow& t = *it;
            int seated = 0;
            for (const SeatHolder& h : t.seats) seated += h.Free() ? 0 : 1;
            std::vector<std::string> f = {Num(t.num), GameAddress(call, t), Num(t.Alive(now) ? t.port : 0),
                                          t.Alive(now) && !t.playing ? "Y" : "N", Num(seated), "X"};
            for (const SeatHolder& h : t.seats)
                for (std::string& v : SeatFields(h)) f.push_back(std::move(v));
            body += reply::Record(f, '*');
        }
        Answer(call.res, body + "\n");
    }

    static void ServerInfo(Call& call) {
        if (!OurGame(call)) return;
        auto [state, welcome] = StateFile(call.c.dataDir / "tournament.txt");
        if (state == "Y") {
            // Open only while a game server plays at least one table.
            auto tables = tarvo::server::ReadTables(call.c.storage);
            if (!tables) return call.DatabaseFailed();
            const long long now = NowSeconds();
            if (std::none_of(tables->begin(), tables->end(), [&](const TableRow& t) { return t.Alive(now); }))
                state = "N";
        }
        const std::string f[] = {state, welcome};
        Answer(call.res, reply::Record(f, '$') + "\n");
    }

    static bool OurGame(Call& call) {
        if (call.Number("gid") == kGameNumber) return true;
        Refuse(call.res, 400, "tournament: another game's number");
        return false;
    }

    static std::optional<int> TableNumber(Call& call) {
        auto num = call.Number("num");
        if (!num || *num < 1 || *num > kTournamentTables) {
            Refuse(call.res, 400, "tournament: no table number 1 to 10");
            return std::nullopt;
        }
        return num;
    }

    static void ReadClient(Call& call, int seat) {
        if (!OurGame(call)) return;
        auto num = TableNumber(call);
        if (!num) return;
        auto table = ReadTable(call.c.storage, *num);
        if (!table) return call.DatabaseFailed();
        const auto f = SeatFields(table->seats[static_cast<std::size_t>(seat - 1)]);
        Answer(call.res, reply::Record(f, '$') + "\n");
    }

    static void ReadRating(Call& call) {
        auto nick = call.Text("nick");
        if (!nick || GradeAccountField(AccountField::Nick, *nick) != Grade::Green)
            return Refuse(call.res, 400, "readrating: bad nick");
        auto st = ReadStanding(call.c.storage, AccountKey(*nick));
        if (!st) return call.DatabaseFailed();
        const std::string f[] = {Num(st->score), Num(st->kon), Num(st->rating)};
        Answer(call.res, reply::Record(f, '$') + "\n");
    }

    static const char* ColumnOf(char list) {
        return list == 's' ? "score" : list == 'r' ? "rating" : list == 'k' ? "kon" : nullptr;
    }

    static void TopTen(Call& call, char list) {
        const char* column = ColumnOf(list);
        if (!column) return Refuse(call.res, 400, "top10: unknown list");
        static const std::map<char, std::string> kSql = [] {
            std::map<char, std::string> m;
            for (char l : {'s', 'r', 'k'}) {
                const std::string col = ColumnOf(l);
                m[l] = "SELECT p.nick, COALESCE(a.city, 'X'), COALESCE(a.country1, 'X'), COALESCE(a.sex, 'M'), "
                       "p." + col + ", (SELECT COUNT(*) FROM tourney_players q WHERE q.kon > 0 AND q." + col +
                       " > p." + col + ") FROM tourney_players p LEFT JOIN accounts a ON a.nick_key = p.nick_key "
                       "WHERE p.kon > 0 ORDER BY p." + col + " DESC, p.kon DESC, p.nick LIMIT 10";
            }
            return m;
        }();
        QSqlQuery& q = call.c.storage.Statement(kSql.at(list).c_str());
        if (!q.exec()) return call.DatabaseFailed();
        std::string body;
        while (q.next()) {
            const std::string f[] = {Num(q.value(5).toLongLong() + 1), q.value(0).toString().toStdString(),
                                     q.value(1).toString().toStdString(), q.value(2).toString().toStdString(),
                                     q.value(3).toString().toStdString(), Num(q.value(4).toLongLong())};
            body += reply::Record(f, '*');
        }
        q.finish();
        Answer(call.res, body + "\n");
    }

    static void Place(Call& call, char list) {
        const char* column = ColumnOf(list);
        if (!column) return Refuse(call.res, 400, "place: unknown list");
        auto value = call.Number(list == 's' ? "score1" : list == 'r' ? "rating1" : "kon1");
        if (!value) return Refuse(call.res, 400, "place: no value");
        static const std::map<char, std::string> kSql = [] {
            std::map<char, std::string> m;
            for (char l : {'s', 'r', 'k'})
                m[l] = std::string("SELECT COUNT(*) FROM tourney_players WHERE kon > 0 AND ") + ColumnOf(l) + " > ?";
            return m;
        }();
        QSqlQuery& q = call.c.storage.Statement(kSql.at(list).c_str());
        q.addBindValue(*value);
        if (!q.exec() || !q.next()) return call.DatabaseFailed();
        const long long above = q.value(0).toLongLong();
        q.finish();
        Answer(call.res, reply::Number(above + 1));
    }

    void ClientOn(Call& call, int seat) {
        if (!OurGame(call)) return;
        auto num = TableNumber(call);
        if (!num) return;
        auto can = call.Number("can");
        const std::string s = Num(seat);
        auto nick = call.Text("nick" + s);
        if (!can || (*can != 0 && *can != 1 && *can != 2) || !nick)
            return Refuse(call.res, 400, "clienton: bad can or nick field");
        const std::string account = call.c.cookies->Verify(call.req.get_header_value("Cookie"));
        // One table's seats change one request at a time in this process; the row lock inside
        // the transaction does the same between processes.
        std::lock_guard lock(tableLocks_[static_cast<std::size_t>(*num - 1)]);
        std::string refusal;
        const bool ok = call.c.storage.Transaction([&] {
            QSqlQuery& lockRow = call.c.storage.Statement("UPDATE tourney_tables SET seen = seen WHERE num = ?");
            lockRow.addBindValue(*num);
            if (!lockRow.exec()) return false;
            auto table = ReadTable(call.c.storage, *num);
            if (!table) return false;
            if (*can == 1) {
                refusal = Take(call, *table, seat, *nick, account);
                return refusal.empty();
            }
            if (table->seats[static_cast<std::size_t>(seat - 1)].Free()) return true; // nothing to free
            refusal = MayFree(*table, seat, account);
            return refusal.empty() && FreeSeats(call.c.storage, *num, seat);
        });
        if (ok) return Answer(call.res, reply::Ok);
        if (refusal.empty()) return call.DatabaseFailed();
        LogRefusal(call.c, call.req, 200, "clienton: " + refusal);
        Answer(call.res, reply::Taken);
    }

    // Takes the seat (inside the transaction); empty when done, else why not.
    static std::string Take(Call& call, const TableRow& t, int seat, const std::string& nick,
                            const std::string& account) {
        const std::string key = AccountKey(nick);
        if (account.empty() || account != key) return "not signed in as " + nick;
        if (!t.Alive(NowSeconds())) return "no game server plays table " + Num(t.num);
        if (t.playing) return "table " + Num(t.num) + " is playing";
        const SeatHolder& mine = t.seats[static_cast<std::size_t>(seat - 1)];
        if (!mine.Free()) return "seat taken";
        if (seat > 1 && t.seats[static_cast<std::size_t>(seat - 2)].Free()) return "the seat below is free";
        const std::string address = Plain(call.c.Client(call.req));
        if (!Loopback(GameAddress(call, t)))
            for (const SeatHolder& h : t.seats)
                if (!h.Free() && h.ip == address) return "a player from the same address sits there";
        QSqlQuery& a = call.c.storage.Statement("SELECT nick, city, country1, sex FROM accounts WHERE nick_key = ?");
        a.addBindValue(QString::fromStdString(key));
        if (!a.exec() || !a.next()) return "no account " + nick;
        const QString accountNick = a.value(0).toString(), city = a.value(1).toString(),
                      country = a.value(2).toString(), sex = a.value(3).toString();
        a.finish();
        QSqlQuery& u = call.c.storage.Statement(
            "UPDATE tourney_seats SET nick_key = ?, nick = ?, country = ?, city = ?, sex = ?, ip = ?, taken = ? "
            "WHERE num = ? AND seat = ? AND nick_key = '' AND NOT EXISTS "
            "(SELECT 1 FROM tourney_seats o WHERE o.nick_key = ?)");
        u.addBindValue(QString::fromStdString(key));
        u.addBindValue(accountNick);
        u.addBindValue(country);
        u.addBindValue(city);
        u.addBindValue(sex);
        u.addBindValue(QString::fromStdString(address));
        u.addBindValue(NowSeconds());
        u.addBindValue(t.num);
        u.addBindValue(seat);
        u.addBindValue(QString::fromStdString(key));
        if (!u.exec()) return "already seated";  // the one-seat index caught a race
        if (u.numRowsAffected() != 1) return "seat taken or already seated";
        return {};
    }

    // May the request free this taken seat (and those above it)? Empty when yes.
    static std::string MayFree(const TableRow& t, int seat, const std::string& account) {
        if (t.playing) return "table " + Num(t.num) + " is playing";
        for (int below = 1; below <= seat; ++below)
            if (!account.empty() && t.seats[static_cast<std::size_t>(below - 1)].key == account) return {};
        return "the seat is another player's";
    }

    std::unique_ptr<TournamentHost> host_;
    std::array<std::mutex, kTournamentTables> tableLocks_;
};

} // namespace

std::unique_ptr<Service> MakeTournamentService() {
    return std::make_unique<TournamentService>();
}

} // namespace tarvo::server
