// The account service (POST /account): registration, sign-in, the member count, the account
// details, the account's record of this game, its place by rating and the club top ten. The kind
// of a request is told by its field names; listed requests carry form-encoded values, raw ones
// Windows-1251 bytes as they stand.
#include <httplib.h>
#include <sodium.h>

#include <QSqlError>
#include <QVariant>
#include <array>
#include <charconv>
#include <cmath>
#include <ctime>

#include "online/FieldRules.h"
#include "online/RealNumber.h"
#include "online/Records.h"
#include "server/Accounts.h"
#include "server/Passwords.h"
#include "server/FormCall.h"
#include "server/Service.h"
#include "server/Wire.h"
#include "settings/Settings.h"

namespace tarvo::server {
namespace {

const std::string kPrefix = kGamePrefix;

// The detail fields in the order of the reply, with their names in a save and their limits.
struct DetailField {
    const char* wire;
    const char* column;
    int limit;
};
constexpr std::array<DetailField, 14> kDetails = {{{"namei", "name1", 20},
                                                   {"name2", "name2", 20},
                                                   {"about", "about", 50},
                                                   {"telephone", "telephone", 20},
                                                   {"emailo", "emailo", 50},
                                                   {"skype", "skype", 50},
                                                   {"website", "website", 50},
                                                   {"ok", "ok", 50},
                                                   {"vk", "vk", 50},
                                                   {"telegram", "telegram", 50},
                                                   {"facebook", "facebook", 60},
                                                   {"twitter", "twitter", 50},
                                                   {"instagramm", "instagramm", 50},
                                                   {"youtube", "youtube", 50}}};

std::string Key(const std::string& nick) {
    return AccountKey(nick);
}

int Characters(std::string_view utf8) {
    return static_cast<int>(DecodeUtf8(utf8).size());
}

using Call = FormCall;

class AccountService : public Service {
  public:
    Schema Tables() const override {
        std::string details = "CREATE TABLE account_details (nick_key VARCHAR(32) PRIMARY KEY";
        for (const DetailField& f : kDetails)
            details += std::string(", ") + f.column + " VARCHAR(80) NOT NULL";
        details += ")";
        return {
            "accounts",
            {{
                "CREATE TABLE accounts (nick_key VARCHAR(32) PRIMARY KEY, nick VARCHAR(32) NOT NULL, "
                "pw_hash VARCHAR(160) NOT NULL, city VARCHAR(32) NOT NULL, country1 VARCHAR(64) NOT NULL, "
                "country2 VARCHAR(8) NOT NULL, sex VARCHAR(4) NOT NULL, email VARCHAR(64) NOT NULL, "
                "dater VARCHAR(16) NOT NULL, r01 VARCHAR(32) NOT NULL, r02 VARCHAR(32) NOT NULL, "
                "r03 VARCHAR(32) NOT NULL, r04 INTEGER NOT NULL, r05 INTEGER NOT NULL, r06 INTEGER NOT NULL, "
                "created BIGINT NOT NULL)",
                details,
                "CREATE TABLE game_records (nick_key VARCHAR(32) NOT NULL, game VARCHAR(16) NOT NULL, "
                "kon INTEGER NOT NULL, best INTEGER NOT NULL, rating DOUBLE PRECISION NOT NULL, "
                "sessions INTEGER NOT NULL, konl INTEGER NOT NULL, score INTEGER NOT NULL, r1 INTEGER NOT "
                "NULL, "
                "r2 VARCHAR(32) NOT NULL, PRIMARY KEY (nick_key, game))",
                "CREATE INDEX game_records_by_rating ON game_records (game, rating)",
                "CREATE TABLE server_keys (name VARCHAR(32) PRIMARY KEY, value VARCHAR(128) NOT NULL)",
            }}};
    }

    // The key that signs the session cookies, shared by every server process of one database.
    bool Start(ServerContext& c, std::string* why) override {
        unsigned char random[32];
        randombytes_buf(random, sizeof random);
        char hex[65];
        sodium_bin2hex(hex, sizeof hex, random, sizeof random);
        QSqlQuery& add =
            c.storage.Statement("INSERT INTO server_keys (name, value) SELECT ?, ? WHERE NOT EXISTS "
                                "(SELECT 1 FROM server_keys WHERE name = ?)");
        add.addBindValue(QStringLiteral("session"));
        add.addBindValue(QString::fromLatin1(hex));
        add.addBindValue(QStringLiteral("session"));
        add.exec();
        QSqlQuery& read = c.storage.Statement("SELECT value FROM server_keys WHERE name = ?");
        read.addBindValue(QStringLiteral("session"));
        if (!read.exec() || !read.next()) {
            *why = "cannot read the session key: " + read.lastError().text().toStdString();
            return false;
        }
        cookies_ = std::make_unique<SessionCookies>(read.value(0).toString().toStdString());
        read.finish();
        c.cookies = cookies_.get();
        return true;
    }

    void Register(ServerContext& c) override {
        c.http.Post("/account", [&c](const httplib::Request& req, httplib::Response& res) {
            Call call{c, req, res, Form(req.body)};
            Dispatch(call);
        });
    }

  private:
    static void Dispatch(Call& call) {
        const Form& f = call.form;
        if (f.Has("labelinfosave")) return SaveDetails(call);
        call.listed = true;
        if (f.Has("labelinforead")) return ReadDetails(call);
        if (f.Has("label0")) return SignIn(call);
        if (f.Has(kPrefix + "best") && !f.Has(kPrefix + "kon")) return ReadGame(call);
        if (f.Has(kPrefix + "kon") && !f.Has("nick")) return ClubTopTen(call);
        call.listed = false;
        if (f.Has("label1")) return MemberCount(call);
        if (f.Has(kPrefix + "kon")) return SaveGame(call);
        if (f.Has(kPrefix + "rating")) return RatingPlace(call);
        if (f.Has("country2")) return CreateAccount(call);
        Refuse(call.res, 400, "unknown request kind");
    }

    // The account of the request's nick and password, with the session cookie renewed; nothing
    // (and the refusal sent) when they do not match.
    static std::optional<std::string> Authenticate(Call& call) {
        auto nick = call.Text("nick");
        auto pw = call.Text("pw");
        if (!nick || !pw || GradeAccountField(AccountField::Nick, *nick) != Grade::Green ||
            GradeAccountField(AccountField::Password, *pw) != Grade::Green) {
            Refuse(call.res, 400, "bad nick or password field");
            return std::nullopt;
        }
        const std::string key = Key(*nick);
        std::string why;
        switch (CheckPassword(call.c, key, *pw, &why)) {
        case PasswordCheck::Right:
            break;
        case PasswordCheck::DatabaseFailed:
            Refuse(call.res, 500, why);
            return std::nullopt;
        default:
            Refuse(call.res, 403, why);
            return std::nullopt;
        }
        call.res.set_header("Set-Cookie", call.c.cookies->Issue(key));
        return key;
    }

    static void CreateAccount(Call& call) {
        std::array<std::optional<std::string>, 14> v;
        const char* names[14] = {"nick",  "pw",  "city", "country1", "country2", "sex", "email",
                                 "dater", "R01", "R02",  "R03",      "R04",      "R05", "R06"};
        for (std::size_t i = 0; i < v.size(); ++i) {
            v[i] = call.Text(names[i]);
            if (!v[i])
                return Refuse(call.res, 400, std::string("register: missing or bad field ") + names[i]);
        }
        const auto& [nick, pw, city, country1, country2, sex, email, dater, r01, r02, r03, r04, r05, r06] = v;
        auto dateOk = [](const std::string& d) {
            return d.size() <= 10 && d.find_first_not_of("0123456789./-") == std::string::npos;
        };
        auto shortText = [](const std::string& t, int limit) {
            return Characters(t) <= limit && PlainText(t);
        };
        const std::optional<int> n4 = Integer(*r04), n5 = Integer(*r05), n6 = Integer(*r06);
        std::string why;
        if (GradeAccountField(AccountField::Nick, *nick) != Grade::Green)
            why = "nick";
        else if (GradeAccountField(AccountField::Password, *pw) != Grade::Green)
            why = "password";
        else if (GradeAccountField(AccountField::City, *city) == Grade::Red)
            why = "city";
        else if (GradeAccountField(AccountField::EMail, *email) != Grade::Green)
            why = "e-mail";
        else if (!ValidCountryCode(*country2))
            why = "country code";
        else if (!shortText(*country1, 40))
            why = "country name";
        else if (*sex != "M" && *sex != "W")
            why = "sex";
        else if (!dateOk(*dater))
            why = "date";
        else if (!shortText(*r01, 16) || !shortText(*r02, 16) || !shortText(*r03, 16) || !n4 || !n5 || !n6)
            why = "reserved fields";
        if (!why.empty()) return Refuse(call.res, 400, "register: bad " + why);

        const std::string key = Key(*nick);
        const std::optional<bool> exists = Exists(call, key);
        if (!exists) return; // the database failed
        if (*exists) return Taken(call, key);
        const std::string hash = call.c.passwords.Hash(*pw);
        if (hash.empty()) return Refuse(call.res, 503, "register: cannot hash a password now");
        QSqlQuery& q = call.c.storage.Statement(
            "INSERT INTO accounts (nick_key, nick, pw_hash, city, country1, country2, sex, email, dater, "
            "r01, r02, "
            "r03, r04, r05, r06, created) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)");
        for (const std::string* s : {&key, &*nick, &hash, &*city, &*country1, &*country2, &*sex, &*email,
                                     &*dater, &*r01, &*r02, &*r03})
            q.addBindValue(QString::fromStdString(*s));
        q.addBindValue(*n4);
        q.addBindValue(*n5);
        q.addBindValue(*n6);
        q.addBindValue(static_cast<qlonglong>(std::time(nullptr)));
        if (!q.exec()) { // two registrations of one nick at once: the second one finds it taken
            const std::string error = q.lastError().text().toStdString();
            q.finish();
            if (Exists(call, key).value_or(false)) return Taken(call, key);
            if (call.res.status == 500) return;
            return Refuse(call.res, 500, "register: " + error);
        }
        call.res.set_header("Set-Cookie", call.c.cookies->Issue(key));
        Answer(call.res, reply::Ok);
    }

    static void Taken(Call& call, const std::string& key) {
        Answer(call.res, reply::Taken);
        LogRefusal(call.c, call.req, 200, "register: the nick " + key + " is taken");
    }

    // Nothing when the database failed (the refusal is sent).
    static std::optional<bool> Exists(Call& call, const std::string& key) {
        QSqlQuery& q = call.c.storage.Statement("SELECT 1 FROM accounts WHERE nick_key = ?");
        q.addBindValue(QString::fromStdString(key));
        if (!call.Exec(q)) return std::nullopt;
        const bool found = q.next();
        q.finish();
        return found;
    }

    static void SignIn(Call& call) {
        const auto key = Authenticate(call);
        if (!key) return;
        QSqlQuery& q = call.c.storage.Statement(
            "SELECT city, country1, country2, sex, email, dater, r01, r02, r03, r04, r05, r06 FROM accounts "
            "WHERE nick_key = ?");
        q.addBindValue(QString::fromStdString(*key));
        if (!call.Exec(q)) return;
        if (!q.next()) return Refuse(call.res, 403, "account vanished");
        std::array<std::string, 12> fields;
        for (int i = 0; i < 12; ++i)
            fields[static_cast<std::size_t>(i)] = q.value(i).toString().toStdString();
        q.finish();
        Answer(call.res, reply::Record(fields, '$') + "\n");
    }

    static void MemberCount(Call& call) {
        QSqlQuery& q = call.c.storage.Statement("SELECT COUNT(*) FROM accounts");
        if (!call.Exec(q)) return;
        const long long n = q.next() ? q.value(0).toLongLong() : 0;
        q.finish();
        Answer(call.res, reply::Number(n));
    }

    static void ReadDetails(Call& call) {
        auto nick = call.Text("nick");
        if (!nick) return Refuse(call.res, 400, "details: no nick");
        std::string sql = "SELECT ";
        for (std::size_t i = 0; i < kDetails.size(); ++i)
            sql += std::string(i ? ", " : "") + kDetails[i].column;
        sql += " FROM account_details WHERE nick_key = ?";
        static const std::string kSql = sql;
        QSqlQuery& q = call.c.storage.Statement(kSql.c_str());
        q.addBindValue(QString::fromStdString(Key(*nick)));
        if (!call.Exec(q)) return;
        if (!q.next()) return Answer(call.res, reply::No);
        std::array<std::string, 14> fields;
        for (int i = 0; i < 14; ++i)
            fields[static_cast<std::size_t>(i)] = q.value(i).toString().toStdString();
        q.finish();
        Answer(call.res, reply::Details(fields));
    }

    // The details carry no password: the session cookie of a recent sign-in vouches for them.
    static void SaveDetails(Call& call) {
        auto nick = call.Text("nick");
        if (!nick) return Refuse(call.res, 400, "details: no nick");
        const std::string key = Key(*nick);
        if (call.c.cookies->Verify(call.req.get_header_value("Cookie")) != key)
            return Refuse(call.res, 403, "details of " + key + " without its sign-in");
        std::array<std::string, 14> values;
        for (std::size_t i = 0; i < kDetails.size(); ++i) {
            auto v = call.Text(kDetails[i].wire);
            if (!v) return Refuse(call.res, 400, std::string("details: missing or bad ") + kDetails[i].wire);
            if (Characters(*v) > kDetails[i].limit || v->find_first_of("$~") != std::string::npos)
                return Refuse(call.res, 400, std::string("details: bad ") + kDetails[i].wire);
            values[i] = *v;
        }
        // One statement that inserts or replaces: two saves of a new account at once cannot both
        // find no row and then collide on the insert.
        static const std::string kSave = [] {
            std::string s = "INSERT INTO account_details (nick_key";
            std::string marks = "?", update;
            for (const DetailField& f : kDetails) {
                s += std::string(", ") + f.column;
                marks += ", ?";
                update += std::string(update.empty() ? "" : ", ") + f.column + " = excluded." + f.column;
            }
            return s + ") VALUES (" + marks + ") ON CONFLICT (nick_key) DO UPDATE SET " + update;
        }();
        const bool saved = call.c.storage.Transaction([&] {
            QSqlQuery& save = call.c.storage.Statement(kSave.c_str());
            save.addBindValue(QString::fromStdString(key));
            for (const std::string& v : values) save.addBindValue(QString::fromStdString(v));
            const bool ok = save.exec();
            save.finish();
            return ok;
        });
        if (!saved) {
            call.c.storage.Forget();
            return Refuse(call.res, 500, "details: not saved");
        }
        Answer(call.res, reply::Ok);
    }

    static void ReadGame(Call& call) {
        const auto key = Authenticate(call);
        if (!key) return;
        QSqlQuery& q = call.c.storage.Statement("SELECT kon, best, rating, sessions, konl, score, r1, r2 "
                                                "FROM game_records WHERE nick_key = ? AND game = ?");
        q.addBindValue(QString::fromStdString(*key));
        q.addBindValue(QString::fromStdString(kPrefix));
        if (!call.Exec(q)) return;
        std::array<std::string, 8> f = {"0", "0", "0", "0", "0", "0", "0", "#"};
        if (q.next()) {
            for (int i : {0, 1, 3, 4, 5, 6})
                f[static_cast<std::size_t>(i)] = std::to_string(q.value(i).toLongLong());
            f[2] = FormatReal(q.value(2).toDouble());
            f[7] = q.value(7).toString().toStdString();
        }
        q.finish();
        Answer(call.res, reply::Record(f, '$') + "\n");
    }

    static void SaveGame(Call& call) {
        const auto key = Authenticate(call);
        if (!key) return;
        std::array<int, 6> n{};
        const char* names[6] = {"kon", "best", "ses", "konl", "score", "R1"};
        for (std::size_t i = 0; i < n.size(); ++i) {
            auto text = call.Text(kPrefix + names[i]);
            auto v = text ? Integer(*text) : std::nullopt;
            if (!v) return Refuse(call.res, 400, std::string("save: bad ") + names[i]);
            n[i] = *v;
        }
        auto ratingText = call.Text(kPrefix + "rating");
        auto rating = ratingText ? ParseReal(*ratingText) : std::nullopt;
        auto r2 = call.Text(kPrefix + "R2");
        const auto& [kon, best, ses, konl, score, r1] = n;
        const bool r2ok = r2 && (*r2 == "#" || (Characters(*r2) <= 16 && PlainText(*r2)));
        if (!rating || std::fabs(*rating) > 1e6 || !r2ok || kon < 0 || ses < 0 || konl < 0 || konl >= 30)
            return Refuse(call.res, 400, "save: values out of range");
        // Inserted or replaced in one statement, so two first saves of one account at once both land.
        const bool saved = call.c.storage.Transaction([&] {
            QSqlQuery& save = call.c.storage.Statement(
                "INSERT INTO game_records (kon, best, rating, sessions, konl, score, r1, r2, nick_key, game) "
                "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ON CONFLICT (nick_key, game) DO UPDATE SET "
                "kon = excluded.kon, best = excluded.best, rating = excluded.rating, "
                "sessions = excluded.sessions, konl = excluded.konl, score = excluded.score, "
                "r1 = excluded.r1, r2 = excluded.r2");
            for (int v : {kon, best}) save.addBindValue(v);
            save.addBindValue(*rating);
            for (int v : {ses, konl, score, r1}) save.addBindValue(v);
            save.addBindValue(QString::fromStdString(*r2));
            save.addBindValue(QString::fromStdString(*key));
            save.addBindValue(QString::fromStdString(kPrefix));
            const bool ok = save.exec();
            save.finish();
            return ok;
        });
        if (!saved) {
            call.c.storage.Forget();
            return Refuse(call.res, 500, "save: not stored");
        }
        Answer(call.res, reply::Ok);
    }

    static void RatingPlace(Call& call) {
        auto text = call.Text(kPrefix + "rating");
        auto rating = text ? ParseReal(*text) : std::nullopt;
        if (!rating) return Refuse(call.res, 400, "rating: not a number");
        QSqlQuery& q = call.c.storage.Statement(
            "SELECT COUNT(*) FROM game_records WHERE game = ? AND kon > 0 AND rating > ?");
        q.addBindValue(QString::fromStdString(kPrefix));
        q.addBindValue(*rating);
        if (!call.Exec(q)) return;
        const long long above = q.next() ? q.value(0).toLongLong() : 0;
        q.finish();
        Answer(call.res, reply::Number(above + 1));
    }

    static void ClubTopTen(Call& call) {
        QSqlQuery& q = call.c.storage.Statement(
            "SELECT a.nick, a.city, a.country2, a.country1, a.sex, g.rating FROM game_records g "
            "JOIN accounts a ON a.nick_key = g.nick_key WHERE g.game = ? AND g.kon > 0 "
            "ORDER BY g.rating DESC, a.nick_key LIMIT 10");
        q.addBindValue(QString::fromStdString(kPrefix));
        if (!call.Exec(q)) return;
        std::string body;
        for (int place = 1; q.next(); ++place) {
            const std::array<std::string, 7> row = {std::to_string(place),
                                                    q.value(0).toString().toStdString(),
                                                    q.value(1).toString().toStdString(),
                                                    q.value(2).toString().toStdString(),
                                                    q.value(3).toString().toStdString(),
                                                    q.value(4).toString().toStdString(),
                                                    FormatReal(q.value(5).toDouble())};
            body += reply::Record(row, '*');
        }
        q.finish();
        Answer(call.res, body + "\n");
    }

    std::unique_ptr<SessionCookies> cookies_;
};

} // namespace

std::string AccountKey(const std::string& nick) {
    std::string key = nick;
    for (char& c : key)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return key;
}

PasswordCheck CheckPassword(ServerContext& c, const std::string& key, const std::string& password,
                            std::string* why) {
    QSqlQuery& q = c.storage.Statement("SELECT pw_hash FROM accounts WHERE nick_key = ?");
    q.addBindValue(QString::fromStdString(key));
    if (!q.exec()) {
        *why = "database: " + q.lastError().text().toStdString();
        c.storage.Forget();
        return PasswordCheck::DatabaseFailed;
    }
    if (!q.next()) {
        *why = "no account " + key;
        return PasswordCheck::NoAccount;
    }
    const std::string hash = q.value(0).toString().toStdString();
    q.finish();
    if (!c.passwords.Check(key, hash, password)) {
        *why = "wrong password for " + key;
        return PasswordCheck::Wrong;
    }
    return PasswordCheck::Right;
}

std::unique_ptr<Service> MakeAccountService() {
    return std::make_unique<AccountService>();
}

} // namespace tarvo::server
