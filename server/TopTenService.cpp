// The world top ten (POST /topten): the lists of the desktop edition (15), the mobile edition
// (115) and the accounts (315), and the chat board (100), one row per posted cycle or message.
// A list reads best first (newer before older at equal scores, as in the local top ten), the
// board newest first. The kind of a request is told by its fields: "rgid" counts a list, "score"
// writes, "nick" reads a player's own rows with their places, "gid" alone reads the top ten.
//
// A write is checked as the game produces it: a cycle score between -600 and 300 in steps of 10,
// the passport's nick and city, a message in the chat's character set. One address writes at
// most once per interval (a second by default), so a script cannot flood the lists or the board.
// The board numbers its messages itself: the number a client proposes cannot jump the board.
#include <httplib.h>

#include <QSqlError>
#include <QVariant>
#include <array>
#include <charconv>
#include <ctime>
#include <map>
#include <mutex>

#include "online/Chat.h"
#include "online/FieldRules.h"
#include "online/RatedPlay.h"
#include "server/FormCall.h"
#include "server/Service.h"
#include "server/Wire.h"

namespace tarvo::server {
namespace {

constexpr int kListRows = 10;
constexpr int kOwnRows = 5;
// A cycle of 30 games scores +10 for a game won and -20 for a game lost.
constexpr int kCycleScoreMax = 300;
constexpr int kCycleScoreMin = -600;
constexpr int kScoreStep = 10;

bool KnownList(int gid) {
    return gid == kDesktopList || gid == kMobileList || gid == kAccountList || gid == kChatBoard;
}

// "#" (nothing) or a short text without the reply's markers and blanks.
bool FreeField(const std::string& text, int limit) {
    return text == "#" || ChatWireTextValid(text, limit);
}

using Call = FormCall;

// When each address last wrote.
class WriteTimes {
  public:
    // True when `address` may write now (and the write is counted).
    bool Allow(const std::string& address, std::chrono::milliseconds interval) {
        const auto now = std::chrono::steady_clock::now();
        std::lock_guard lock(mutex_);
        if (last_.size() > 10000) // forget the addresses that may write again anyway
            std::erase_if(last_, [&](const auto& entry) { return now - entry.second >= interval; });
        auto [it, fresh] = last_.try_emplace(address, now);
        if (!fresh) {
            if (now - it->second < interval) return false;
            it->second = now;
        }
        return true;
    }

  private:
    std::mutex mutex_;
    std::map<std::string, std::chrono::steady_clock::time_point> last_;
};

class TopTenService : public Service {
  public:
    Schema Tables() const override {
        return {"topten",
                {{
                    "CREATE TABLE topten_entries (seq BIGINT PRIMARY KEY, gid INTEGER NOT NULL, "
                    "score INTEGER NOT NULL, nick VARCHAR(32) NOT NULL, country VARCHAR(64) NOT NULL, "
                    "city VARCHAR(32) NOT NULL, r07 VARCHAR(8) NOT NULL, r08 VARCHAR(32) NOT NULL, "
                    "r09 VARCHAR(96) NOT NULL, r10 VARCHAR(200) NOT NULL, address VARCHAR(64) NOT NULL, "
                    "created BIGINT NOT NULL)",
                    "CREATE INDEX topten_by_score ON topten_entries (gid, score, seq)",
                    "CREATE INDEX topten_by_player ON topten_entries (gid, nick, city)",
                }}};
    }

    void Register(ServerContext& c) override {
        c.http.Post("/topten", [this, &c](const httplib::Request& req, httplib::Response& res) {
            Call call{c, req, res, Form(req.body)};
            Dispatch(call);
        });
    }

  private:
    void Dispatch(Call& call) {
        const Form& f = call.form;
        if (f.Has("score")) return Write(call);
        if (f.Has("nick")) return Around(call);
        call.listed = true;
        if (f.Has("rgid")) return Count(call);
        if (f.Has("gid")) return List(call);
        Refuse(call.res, 400, "top ten: unknown request kind");
    }

    static std::optional<int> ListOf(Call& call, std::string_view field) {
        auto gid = call.Number(field);
        if (!gid || !KnownList(*gid)) {
            Refuse(call.res, 400, "top ten: no such list");
            return std::nullopt;
        }
        return gid;
    }

    static void Count(Call& call) {
        const auto gid = ListOf(call, "rgid");
        if (!gid) return;
        QSqlQuery& q = call.c.storage.Statement("SELECT COUNT(*) FROM topten_entries WHERE gid = ?");
        q.addBindValue(*gid);
        if (!call.Exec(q)) return;
        const long long n = q.next() ? q.value(0).toLongLong() : 0;
        q.finish();
        Answer(call.res, reply::Number(n));
    }

    // One row of a list reply: place, number, score, nick, country, city, R07..R10.
    static std::string Row(long long place, const QSqlQuery& q) {
        const std::array<std::string, 10> fields = {std::to_string(place),
                                                    q.value(0).toString().toStdString(),
                                                    q.value(1).toString().toStdString(),
                                                    q.value(2).toString().toStdString(),
                                                    q.value(3).toString().toStdString(),
                                                    q.value(4).toString().toStdString(),
                                                    q.value(5).toString().toStdString(),
                                                    q.value(6).toString().toStdString(),
                                                    q.value(7).toString().toStdString(),
                                                    q.value(8).toString().toStdString()};
        return reply::Record(fields, '*');
    }

    static void List(Call& call) {
        const auto gid = ListOf(call, "gid");
        if (!gid) return;
        QSqlQuery& q = call.c.storage.Statement(
            "SELECT seq, score, nick, country, city, r07, r08, r09, r10 FROM topten_entries WHERE gid = ? "
            "ORDER BY score DESC, seq DESC LIMIT 10");
        q.addBindValue(*gid);
        if (!call.Exec(q)) return;
        std::string body;
        for (long long place = 1; place <= kListRows && q.next(); ++place) body += Row(place, q);
        q.finish();
        Answer(call.res, body + "\n");
    }

    // The player's own best rows, each at its place in the whole list.
    static void Around(Call& call) {
        const auto gid = ListOf(call, "gid");
        if (!gid) return;
        const auto nick = call.Text("nick"), city = call.Text("city");
        if (!nick || !city) return Refuse(call.res, 400, "top ten: bad nick or city");
        QSqlQuery& q = call.c.storage.Statement(
            "SELECT e.seq, e.score, e.nick, e.country, e.city, e.r07, e.r08, e.r09, e.r10, "
            "(SELECT COUNT(*) FROM topten_entries o WHERE o.gid = e.gid AND "
            "(o.score > e.score OR (o.score = e.score AND o.seq > e.seq))) FROM topten_entries e "
            "WHERE e.gid = ? AND e.nick = ? AND e.city = ? ORDER BY e.score DESC, e.seq DESC LIMIT 5");
        q.addBindValue(*gid);
        q.addBindValue(QString::fromStdString(*nick));
        q.addBindValue(QString::fromStdString(*city));
        if (!call.Exec(q)) return;
        std::string body;
        for (int n = 0; n < kOwnRows && q.next(); ++n) body += Row(q.value(9).toLongLong() + 1, q);
        q.finish();
        Answer(call.res, body + "\n");
    }

    struct Entry {
        int gid = 0, score = 0;
        std::string nick, country, city, sex, version, r9, r10;
    };

    // The fields of a write, or the reason they are refused.
    static std::optional<Entry> ReadEntry(Call& call, std::string* why) {
        Entry e;
        const auto gid = call.Number("gid");
        const auto score = call.Number("score");
        const auto nick = call.Text("nick"), city = call.Text("city"), country = call.Text("country");
        const auto sex = call.Text("R7"), version = call.Text("R8"), r9 = call.Text("R9");
        auto r10 = call.Text("R10");
        if (!gid || !KnownList(*gid))
            *why = "no such list";
        else if (!score)
            *why = "score is not a number";
        else if (!nick || GradePassportField(PassportField::Nick, *nick) == Grade::Red)
            *why = "bad nick";
        else if (!city || GradePassportField(PassportField::City, *city) == Grade::Red)
            *why = "bad city";
        else if (!country || !ChatWireTextValid(*country, 40))
            *why = "bad country";
        else if (!sex || (*sex != "M" && *sex != "W"))
            *why = "bad sex";
        else if (!version || !ChatWireTextValid(*version, 16))
            *why = "bad version";
        else if (!r9 || !r10)
            *why = "no R9 or R10";
        if (!why->empty()) return std::nullopt;
        if (r10->ends_with('*')) r10->pop_back(); // the write's last value carries a "*"
        e = {*gid, *score, *nick, *country, *city, *sex, *version, *r9, *r10};
        if (e.gid == kChatBoard) {
            if (e.score <= 0)
                *why = "message number";
            else if (!ChatWireTextValid(e.r9, kChatStampMax))
                *why = "bad message stamp";
            else if (!ChatWireTextValid(e.r10, kChatMessageMax))
                *why = "message longer than 80 characters or outside the character set";
        } else {
            if (e.score < kCycleScoreMin || e.score > kCycleScoreMax || e.score % kScoreStep != 0)
                *why = "score " + std::to_string(e.score) + " no cycle can make";
            else if (!FreeField(e.r9, kChatStampMax) || !FreeField(e.r10, kChatMessageMax))
                *why = "bad R9 or R10";
        }
        if (!why->empty()) return std::nullopt;
        return e;
    }

    void Write(Call& call) {
        std::string why;
        auto e = ReadEntry(call, &why);
        if (!e) return Refuse(call.res, 400, "top ten write: " + why);
        const std::string address = call.c.Client(call.req);
        if (!writes_.Allow(address, std::chrono::milliseconds(call.c.writeIntervalMs)))
            return Refuse(call.res, 429, "top ten write: more than one a second from this address");
        long long place = 0;
        bool stored = false;
        // Two writers at once may pick the same number on PostgreSQL; the loser tries again.
        for (int attempt = 0; attempt < 5 && !stored; ++attempt)
            stored = call.c.storage.Transaction([&] { return Store(call, *e, address, &place); });
        if (!stored) {
            call.c.storage.Forget();
            return Refuse(call.res, 500, "top ten write: not stored");
        }
        Answer(call.res, reply::Number(place));
    }

    static bool Store(Call& call, Entry& e, const std::string& address, long long* place) {
        Storage& s = call.c.storage;
        QSqlQuery& next = s.Statement("SELECT COALESCE(MAX(seq), 0) + 1 FROM topten_entries");
        if (!next.exec() || !next.next()) return false;
        const long long seq = next.value(0).toLongLong();
        next.finish();
        if (e.gid == kChatBoard) {
            QSqlQuery& top =
                s.Statement("SELECT COALESCE(MAX(score), 0) + 1 FROM topten_entries WHERE gid = ?");
            top.addBindValue(kChatBoard);
            if (!top.exec() || !top.next()) return false;
            e.score = top.value(0).toInt();
            top.finish();
        }
        QSqlQuery& add = s.Statement(
            "INSERT INTO topten_entries (seq, gid, score, nick, country, city, r07, r08, r09, r10, address, "
            "created) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        add.addBindValue(seq);
        add.addBindValue(e.gid);
        add.addBindValue(e.score);
        for (const std::string* text : std::initializer_list<const std::string*>{
                 &e.nick, &e.country, &e.city, &e.sex, &e.version, &e.r9, &e.r10, &address})
            add.addBindValue(QString::fromStdString(*text));
        add.addBindValue(static_cast<qlonglong>(std::time(nullptr)));
        if (!add.exec()) return false;
        add.finish();
        QSqlQuery& above = s.Statement("SELECT COUNT(*) FROM topten_entries WHERE gid = ? AND score > ?");
        above.addBindValue(e.gid);
        above.addBindValue(e.score);
        if (!above.exec() || !above.next()) return false;
        *place = above.value(0).toLongLong() + 1;
        above.finish();
        return true;
    }

    WriteTimes writes_;
};

} // namespace

std::unique_ptr<Service> MakeTopTenService() {
    return std::make_unique<TopTenService>();
}

} // namespace tarvo::server
