// The world statistics (POST /stats) of this game: starts and installations, "I like this game!"
// votes with the last voter's nick, and the twelve totals that every recorded series adds to.
// A "gid" alone reads them; "stat1", "stat3" or "R1" add. Every addition is checked against what
// one start, one vote or one series of the game can bring, so a script cannot inflate them.
#include <httplib.h>

#include <QSqlError>
#include <QVariant>
#include <array>
#include <charconv>
#include <climits>

#include "online/FieldRules.h"
#include "online/Records.h"
#include "server/Service.h"
#include "server/Wire.h"

namespace tarvo::server {
namespace {

constexpr int kSeriesValues = 12;
// The most one series adds to each total: its games (a series ends with its cycle at the
// latest), a completed cycle, the points won and lost, a hosted network block of three, a
// tournament series; the last six are not used yet.
constexpr std::array<int, kSeriesValues> kSeriesMost = {30, 1, 300, 600, 3, 1, 0, 0, 0, 0, 0, 0};

// A total as the client reads it: a 32-bit number.
std::string Total(const QVariant& v) {
    return std::to_string(std::min<long long>(v.toLongLong(), INT_MAX));
}

class StatisticsService : public Service {
  public:
    Schema Tables() const override {
        std::string columns, zeros;
        for (int i = 1; i <= kSeriesValues; ++i) {
            columns += ", x" + std::to_string(i) + " BIGINT NOT NULL";
            zeros += ", 0";
        }
        return {"statistics",
                {{"CREATE TABLE game_stats (gid INTEGER PRIMARY KEY, starts BIGINT NOT NULL, "
                  "installations BIGINT NOT NULL, likes BIGINT NOT NULL, last_like VARCHAR(32) NOT NULL" +
                      columns + ")",
                  "INSERT INTO game_stats VALUES (" + std::to_string(kGameNumber) + ", 0, 0, 0, ''" + zeros +
                      ")"}}};
    }

    void Register(ServerContext& c) override {
        c.http.Post("/stats", [&c](const httplib::Request& req, httplib::Response& res) {
            const Form form(req.body);
            if (form.Has("stat1")) return Starts(c, form, res);
            if (form.Has("stat3")) return Like(c, form, res);
            if (form.Has("R1")) return Series(c, form, res);
            if (form.Has("gid")) return Read(c, form, res);
            Refuse(res, 400, "statistics: unknown request kind");
        });
    }

  private:
    static std::optional<int> Number(const Form& form, std::string_view name) {
        const std::string* raw = form.Raw(name);
        return raw ? Integer(*raw) : std::nullopt;
    }

    static bool ThisGame(const Form& form, httplib::Response& res) {
        if (Number(form, "gid") == kGameNumber) return true;
        Refuse(res, 400, "statistics: not this game");
        return false;
    }

    static void Run(ServerContext& c, QSqlQuery& q, httplib::Response& res, const char* what) {
        const bool ok = q.exec();
        const std::string why = q.lastError().text().toStdString();
        q.finish();
        if (!ok) {
            c.storage.Forget();
            return Refuse(res, 500, std::string("statistics: ") + what + ": " + why);
        }
        Answer(res, reply::Ok);
    }

    static void Starts(ServerContext& c, const Form& form, httplib::Response& res) {
        if (!ThisGame(form, res)) return;
        const auto starts = Number(form, "stat1"), installations = Number(form, "stat2");
        if (starts != 1 || !installations || *installations < 0 || *installations > 1)
            return Refuse(res, 400, "statistics: a start report adds one start and at most one installation");
        QSqlQuery& q = c.storage.Statement(
            "UPDATE game_stats SET starts = starts + 1, installations = installations + ? WHERE gid = ?");
        q.addBindValue(*installations);
        q.addBindValue(kGameNumber);
        Run(c, q, res, "start");
    }

    static void Like(ServerContext& c, const Form& form, httplib::Response& res) {
        if (!ThisGame(form, res)) return;
        const std::string* raw = form.Raw("stat4");
        const auto nick = raw ? WireText(*raw) : std::nullopt;
        if (Number(form, "stat3") != 1 || !nick ||
            GradePassportField(PassportField::Nick, *nick) == Grade::Red)
            return Refuse(res, 400, "statistics: a vote is one like with the voter's nick");
        QSqlQuery& q =
            c.storage.Statement("UPDATE game_stats SET likes = likes + 1, last_like = ? WHERE gid = ?");
        q.addBindValue(QString::fromStdString(*nick));
        q.addBindValue(kGameNumber);
        Run(c, q, res, "like");
    }

    static void Series(ServerContext& c, const Form& form, httplib::Response& res) {
        if (!ThisGame(form, res)) return;
        std::array<int, kSeriesValues> values{};
        for (int i = 0; i < kSeriesValues; ++i) {
            const auto v = Number(form, "R" + std::to_string(i + 1));
            const int most = kSeriesMost[static_cast<std::size_t>(i)];
            if (!v || *v < 0 || *v > most)
                return Refuse(res, 400, "statistics: R" + std::to_string(i + 1) + " no series can bring");
            values[static_cast<std::size_t>(i)] = *v;
        }
        static const std::string kSql = [] {
            std::string s = "UPDATE game_stats SET ";
            for (int i = 1; i <= kSeriesValues; ++i)
                s += (i > 1 ? ", x" : "x") + std::to_string(i) + " = x" + std::to_string(i) + " + ?";
            return s + " WHERE gid = ?";
        }();
        QSqlQuery& q = c.storage.Statement(kSql.c_str());
        for (int v : values) q.addBindValue(v);
        q.addBindValue(kGameNumber);
        Run(c, q, res, "series");
    }

    // One record ending at "*": starts, installations, likes, the last voter, the twelve totals,
    // and two values kept for later.
    static void Read(ServerContext& c, const Form& form, httplib::Response& res) {
        if (!ThisGame(form, res)) return;
        static const std::string kSql = [] {
            std::string s = "SELECT starts, installations, likes, last_like";
            for (int i = 1; i <= kSeriesValues; ++i) s += ", x" + std::to_string(i);
            return s + " FROM game_stats WHERE gid = ?";
        }();
        QSqlQuery& q = c.storage.Statement(kSql.c_str());
        q.addBindValue(kGameNumber);
        if (!q.exec() || !q.next()) {
            const std::string why = q.lastError().text().toStdString();
            q.finish();
            c.storage.Forget();
            return Refuse(res, 500, "statistics: read: " + why);
        }
        std::vector<std::string> fields = {Total(q.value(0)), Total(q.value(1)), Total(q.value(2)),
                                           q.value(3).toString().toStdString()};
        for (int i = 0; i < kSeriesValues; ++i) fields.push_back(Total(q.value(4 + i)));
        q.finish();
        fields.push_back("0");
        fields.push_back("#");
        Answer(res, reply::Record(fields, '*') + "\n");
    }
};

} // namespace

std::unique_ptr<Service> MakeStatisticsService() {
    return std::make_unique<StatisticsService>();
}

} // namespace tarvo::server
