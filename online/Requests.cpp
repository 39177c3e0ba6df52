#include "online/Requests.h"

#include <charconv>

#include "TarvoVersion.h"
#include "core/Codec.h"
#include "online/RealNumber.h"
#include "online/Scanners.h"

namespace tarvo {
namespace {

const std::string kPrefix = kGamePrefix;

std::string Num(long long v) {
    return std::to_string(v);
}

// Field readers: a missing field keeps the default; a field that is there but does not convert
// fails the whole request (false).
void TextField(const RecordFields& f, int n, std::string& out) {
    if (const std::string* s = FieldAt(f, n)) out = Cp1251ToUtf8(*s);
}

bool IntField(const RecordFields& f, int n, int& out) {
    const std::string* s = FieldAt(f, n);
    if (!s) return true;
    int v = 0;
    const char* first = s->data();
    const char* last = first + s->size();
    const auto [ptr, ec] = std::from_chars(first, last, v);
    if (ec != std::errc() || ptr != last || first == last) return false;
    out = v;
    return true;
}

bool RealField(const RecordFields& f, int n, double& out) {
    const std::string* s = FieldAt(f, n);
    if (!s) return true;
    auto v = ParseReal(*s);
    if (!v) return false;
    out = *v;
    return true;
}

void CharField(const RecordFields& f, int n, std::string& out) {
    if (const std::string* s = FieldAt(f, n); s && !s->empty()) out = Cp1251ToUtf8(s->substr(0, 1));
}

template <class T> Reply<T> Failed() {
    return {};
}

std::array<TQobRecord, 10> BlankRows(int gid) {
    std::array<TQobRecord, 10> rows;
    for (TQobRecord& r : rows) r.GID = gid;
    return rows;
}

// Rows of the top ten kinds: 1 Place, 3 Score, 4 Nick, 5 Country, 6 City, 7..10 R07..R10.
Reply<std::array<TQobRecord, 10>> TopTenRows(const Exchange& e, int gid) {
    if (!e.ok) return {BlankRows(gid), false};
    std::array<TQobRecord, 10> rows = BlankRows(gid);
    const auto records = ScanRecords(e.body);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const RecordFields& f = records[i];
        TQobRecord& r = rows[i];
        if (!IntField(f, 1, r.Place) || !IntField(f, 3, r.Score)) return {BlankRows(gid), false};
        TextField(f, 4, r.Nick);
        TextField(f, 5, r.Country);
        TextField(f, 6, r.City);
        TextField(f, 7, r.R07);
        TextField(f, 8, r.R08);
        TextField(f, 9, r.R09);
        TextField(f, 10, r.R10);
    }
    return {rows, true};
}

Reply<int> NumberReply(const Exchange& e) {
    if (!e.ok) return {};
    auto n = ScanNumber(e.body);
    if (!n) return {};
    return {*n, true};
}

// "$", "~" mark the fields of a detail reply and "&" would split the raw body: a blank instead.
std::string DetailText(std::string text) {
    for (char& c : text)
        if (c == '$' || c == '~' || c == '&') c = ' ';
    return text;
}

} // namespace

bool RefusedWithNo(std::string_view reply) {
    const std::size_t record = reply.find('$');
    const std::string_view front =
        record == std::string_view::npos || record + 1 >= reply.size() ? reply : reply.substr(0, record);
    return HasPair(front, "no");
}

int NewsNumberOf(std::string_view page) {
    const std::size_t at = page.find("QobNews");
    if (at == std::string_view::npos) return 0;
    const std::string_view digits = page.substr(at + 7, 5);
    int v = 0;
    const auto [ptr, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
    if (ec != std::errc() || ptr != digits.data() + digits.size() || digits.empty()) return 0;
    return v;
}

Exchange ScoreClient::PostRaw(const std::string& url, const std::vector<FormField>& fields) {
    if (url.empty()) return {};
    return transport_.Post(url, RawBody(fields));
}

Exchange ScoreClient::PostListed(const std::string& url, const std::vector<FormField>& fields) {
    if (url.empty()) return {};
    return transport_.Post(url, ListedBody(fields));
}

// ---- top ten service

Reply<int> ScoreClient::GameCount(int gid) {
    return NumberReply(PostListed(addresses_.topTen, {{"rgid", Num(gid)}}));
}

Reply<std::array<TQobRecord, 10>> ScoreClient::TopTen(int gid) {
    transport_.SetReadTimeout(kReadTimeoutMs);
    return TopTenRows(PostListed(addresses_.topTen, {{"gid", Num(gid)}}), gid);
}

Reply<std::array<TQobRecord, 10>> ScoreClient::TopTenAround(int gid, const std::string& nick,
                                                            const std::string& city) {
    transport_.SetReadTimeout(kReadTimeoutMs);
    return TopTenRows(PostRaw(addresses_.topTen, {{"gid", Num(gid)}, {"nick", nick}, {"city", city}}), gid);
}

Reply<int> ScoreClient::WriteTopTen(int gid, const WorldTopTenEntry& e) {
    return NumberReply(PostRaw(addresses_.topTen, {{"gid", Num(gid)},
                                                   {"nick", e.nick},
                                                   {"city", e.city},
                                                   {"country", e.country},
                                                   {"score", Num(e.score)},
                                                   {"R7", e.sex},
                                                   {"R8", kVersion},
                                                   {"R9", e.r9},
                                                   {"R10", e.r10 + "*"}}));
}

// ---- account service

RegisterResult ScoreClient::Register(const TQobUser& u) {
    const Exchange e = PostRaw(addresses_.account, {{"nick", u.Nick},
                                                    {"pw", u.Pw},
                                                    {"city", u.City},
                                                    {"country1", u.Country1},
                                                    {"country2", u.Country2},
                                                    {"sex", u.Sex},
                                                    {"email", u.EMail},
                                                    {"dater", u.DateR},
                                                    {"R01", u.R01},
                                                    {"R02", u.R02},
                                                    {"R03", u.R03},
                                                    {"R04", Num(u.R04)},
                                                    {"R05", Num(u.R05)},
                                                    {"R06", Num(u.R06)}});
    if (!e.ok) return RegisterResult::Failed;
    RegisterResult r = RegisterResult::Failed;
    if (HasPair(e.body, "ok")) r = RegisterResult::Created;
    if (HasPair(e.body, "is")) r = RegisterResult::NickTaken;
    return r;
}

Reply<TQobUser> ScoreClient::SignIn(const std::string& nick, const std::string& password) {
    TQobUser u;
    u.Nick = nick;
    u.Pw = password;
    u.City = u.Country1 = u.Country2 = u.EMail = u.R01 = u.R02 = u.R03 = "#";
    u.Sex = "#";
    const Exchange e = PostListed(addresses_.account, {{"nick", nick}, {"pw", password}, {"label0", "0"}});
    if (!e.ok || RefusedWithNo(e.body)) return {u, false};
    auto f = ScanRecord(e.body);
    if (!f) return {u, true};
    TextField(*f, 1, u.City);
    TextField(*f, 2, u.Country1);
    TextField(*f, 3, u.Country2);
    CharField(*f, 4, u.Sex);
    TextField(*f, 5, u.EMail);
    TextField(*f, 6, u.DateR);
    TextField(*f, 7, u.R01);
    TextField(*f, 8, u.R02);
    TextField(*f, 9, u.R03);
    TQobUser read = u;
    if (!IntField(*f, 10, read.R04) || !IntField(*f, 11, read.R05) || !IntField(*f, 12, read.R06))
        return {u, false};
    return {read, true};
}

Reply<int> ScoreClient::MemberCount() {
    return NumberReply(PostRaw(addresses_.account, {{"label1", "0"}}));
}

Reply<std::optional<TInfo14>> ScoreClient::ReadDetails(const std::string& nick) {
    const Exchange e = PostListed(addresses_.account, {{"nick", nick}, {"labelinforead", "0"}});
    if (!e.ok) return {};
    if (RefusedWithNo(e.body)) return {std::nullopt, true};
    TInfo14 info;
    if (auto f = ScanDetails(e.body))
        for (int i = 0; i < TInfo14::kCount; ++i) TextField(*f, i + 1, info[i]);
    return {info, true};
}

bool ScoreClient::SaveDetails(const std::string& nick, const TInfo14& i) {
    const Exchange e = PostRaw(addresses_.account, {{"nick", nick},
                                                    {"labelinfosave", "0"},
                                                    {"namei", DetailText(i.Name1)},
                                                    {"name2", DetailText(i.Name2)},
                                                    {"about", DetailText(i.About)},
                                                    {"telephone", DetailText(i.Telephone)},
                                                    {"emailo", DetailText(i.EMailO)},
                                                    {"website", DetailText(i.WebSite)},
                                                    {"skype", DetailText(i.Skype)},
                                                    {"ok", DetailText(i.OK)},
                                                    {"vk", DetailText(i.VK)},
                                                    {"telegram", DetailText(i.Telegram)},
                                                    {"facebook", DetailText(i.FaceBook)},
                                                    {"twitter", DetailText(i.Twitter)},
                                                    {"instagramm", DetailText(i.Instagramm)},
                                                    {"youtube", DetailText(i.YouTube)}});
    return e.ok && HasPair(e.body, "ok");
}

Reply<TQobGame> ScoreClient::ReadGame(const std::string& nick, const std::string& password) {
    const Exchange e =
        PostListed(addresses_.account, {{"nick", nick}, {"pw", password}, {kPrefix + "best", "0"}});
    if (!e.ok) return {};
    TQobGame g;
    auto f = ScanRecord(e.body);
    if (!f) return {g, true};
    if (!IntField(*f, 1, g.Kon) || !IntField(*f, 2, g.Best) || !RealField(*f, 3, g.Rating) ||
        !IntField(*f, 4, g.Sessions) || !IntField(*f, 5, g.KonL) || !IntField(*f, 6, g.Score) ||
        !IntField(*f, 7, g.R1))
        return {};
    TextField(*f, 8, g.R2);
    return {g, true};
}

bool ScoreClient::SaveGame(const std::string& nick, const std::string& password, const TQobGame& g) {
    const Exchange e = PostRaw(addresses_.account, {{"nick", nick},
                                                    {"pw", password},
                                                    {kPrefix + "kon", Num(g.Kon)},
                                                    {kPrefix + "best", Num(g.Best)},
                                                    {kPrefix + "rating", FormatReal(g.Rating)},
                                                    {kPrefix + "ses", Num(g.Sessions)},
                                                    {kPrefix + "konl", Num(g.KonL)},
                                                    {kPrefix + "score", Num(g.Score)},
                                                    {kPrefix + "R1", Num(g.R1)},
                                                    {kPrefix + "R2", g.R2}});
    return e.ok && HasPair(e.body, "ok");
}

Reply<int> ScoreClient::RatingPlace(double rating) {
    return NumberReply(PostRaw(addresses_.account, {{kPrefix + "rating", FormatReal(rating)}}));
}

Reply<std::array<TQobTop10, 10>> ScoreClient::ClubTopTen() {
    const Exchange e = PostListed(addresses_.account, {{kPrefix + "kon", "0"}});
    if (!e.ok) return {};
    std::array<TQobTop10, 10> rows;
    const auto records = ScanRecords(e.body);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const RecordFields& f = records[i];
        TQobTop10& r = rows[i];
        TextField(f, 2, r.Nick);
        TextField(f, 3, r.City);
        TextField(f, 4, r.Country);
        TextField(f, 5, r.Country);
        CharField(f, 6, r.Sex);
        if (!RealField(f, 7, r.Rating)) return {};
    }
    return {rows, true};
}

// ---- statistics service

Reply<TQobStat> ScoreClient::ReadStatistics(int gid) {
    transport_.SetReadTimeout(kReadTimeoutMs);
    TQobStat s;
    s.GID = gid;
    const Exchange e = PostListed(addresses_.statistics, {{"gid", Num(gid)}});
    if (!e.ok) return {s, false};
    auto f = ScanRecord(e.body, '*');
    if (!f) return {s, true};
    TQobStat read = s;
    bool ok = IntField(*f, 1, read.Stat1) && IntField(*f, 2, read.Stat2) && IntField(*f, 3, read.Stat3);
    TextField(*f, 4, read.Stat4);
    for (int i = 0; i < 12 && ok; ++i) ok = IntField(*f, 5 + i, read.StatX[static_cast<std::size_t>(i)]);
    ok = ok && IntField(*f, 17, read.StatY);
    TextField(*f, 18, read.StatZ);
    if (!ok) return {s, false};
    return {read, true};
}

bool ScoreClient::ReportStarts(int starts, int installations) {
    const Exchange e =
        PostRaw(addresses_.statistics,
                {{"gid", Num(kGameNumber)}, {"stat1", Num(starts)}, {"stat2", Num(installations)}});
    return e.ok && ScanStatus(e.body);
}

bool ScoreClient::ReportLike(int likes, const std::string& nick) {
    const Exchange e =
        PostRaw(addresses_.statistics, {{"gid", Num(kGameNumber)}, {"stat3", Num(likes)}, {"stat4", nick}});
    return e.ok && ScanStatus(e.body);
}

bool ScoreClient::ReportSeries(const std::array<int, 12>& values) {
    std::vector<FormField> fields{{"gid", Num(kGameNumber)}};
    for (std::size_t i = 0; i < values.size(); ++i) fields.push_back({"R" + Num(int(i) + 1), Num(values[i])});
    const Exchange e = PostRaw(addresses_.statistics, fields);
    return e.ok && ScanStatus(e.body);
}

// ---- tournament service

Reply<TablesRead> ScoreClient::ReadTables(int gid) {
    transport_.SetReadTimeout(kReadTimeoutMs);
    const Exchange e = PostListed(addresses_.tournament, {{"readtable310", Num(gid)}, {"gid", Num(gid)}});
    if (!e.ok) return {};
    TablesRead read;
    read.reply = e.body;
    const auto records = ScanRecords(e.body);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const RecordFields& f = records[i];
        TQobTable_3& t = read.tables[9 - i]; // the list comes from table 10 down to 1
        TextField(f, 2, t.IP);
        bool ok = IntField(f, 3, t.Port);
        TextField(f, 4, t.Free);
        ok = ok && IntField(f, 5, t.R1);
        TextField(f, 6, t.R2);
        for (int seat = 0; seat < 3 && ok; ++seat) {
            TQobSeat& s = t.Seats[static_cast<std::size_t>(seat)];
            const int base = 7 + 8 * seat;
            TextField(f, base, s.Nick);
            ok = IntField(f, base + 1, s.Score) && IntField(f, base + 2, s.Kon) &&
                 IntField(f, base + 3, s.Rating);
            TextField(f, base + 4, s.Country);
            TextField(f, base + 5, s.City);
            TextField(f, base + 6, s.Sex);
            TextField(f, base + 7, s.IP);
        }
        if (!ok) return {};
    }
    return {std::move(read), true};
}

Reply<ServerInfo> ScoreClient::ReadServerInfo(int gid) {
    const Exchange e = PostListed(addresses_.tournament, {{"serverinforead", "0"}, {"gid", Num(gid)}});
    if (!e.ok) return {};
    ServerInfo info;
    if (auto f = ScanRecord(e.body)) {
        CharField(*f, 1, info.state);
        TextField(*f, 2, info.text);
    }
    return {info, true};
}

SeatResult ScoreClient::TakeSeat(int seat, int table, int can, const TQobClient& c) {
    const std::string s = Num(seat);
    const Exchange e = PostRaw(addresses_.tournament, {{"client3on" + s, "0"},
                                                       {"gid", Num(kGameNumber)},
                                                       {"num", Num(table)},
                                                       {"can", Num(can)},
                                                       {"nick" + s, c.Nick},
                                                       {"score" + s, Num(c.Score)},
                                                       {"kon" + s, Num(c.Kon)},
                                                       {"rating" + s, Num(c.Rating)},
                                                       {"country" + s, c.Country},
                                                       {"city" + s, c.City},
                                                       {"sex" + s, c.Sex},
                                                       {"ip" + s, c.IP}});
    if (!e.ok) return SeatResult::Failed;
    SeatResult r = SeatResult::Failed;
    if (HasPair(e.body, "ok")) r = SeatResult::Done;
    if (HasPair(e.body, "is")) r = SeatResult::Refused;
    return r;
}

Reply<TQobClient> ScoreClient::ReadClient(int seat, int table) {
    const Exchange e =
        PostListed(addresses_.tournament,
                   {{"readclient" + Num(seat), "0"}, {"gid", Num(kGameNumber)}, {"num", Num(table)}});
    if (!e.ok) return {};
    TQobClient c;
    if (auto f = ScanRecord(e.body)) {
        TextField(*f, 1, c.Nick);
        TQobClient read = c;
        if (!IntField(*f, 2, read.Score) || !IntField(*f, 3, read.Kon) || !IntField(*f, 4, read.Rating))
            return {};
        TextField(*f, 5, read.Country);
        TextField(*f, 6, read.City);
        CharField(*f, 7, read.Sex);
        TextField(*f, 8, read.IP);
        return {read, true};
    }
    return {c, true};
}

Reply<TournamentRating> ScoreClient::ReadTournamentRating(const std::string& nick) {
    const Exchange e =
        PostRaw(addresses_.tournament, {{"readrating" + Num(kGameNumber), "0"}, {"nick", nick}});
    if (!e.ok) return {};
    TournamentRating r;
    if (auto f = ScanRecord(e.body))
        if (!IntField(*f, 1, r.score) || !IntField(*f, 2, r.games) || !IntField(*f, 3, r.rating)) return {};
    return {r, true};
}

Reply<std::array<TQobRecord, 10>> ScoreClient::TournamentTopTen(char list) {
    const Exchange e = PostListed(addresses_.tournament,
                                  {{"top10" + std::string(1, list) + Num(kGameNumber), "0"}, {"nick", "z"}});
    if (!e.ok) return {BlankRows(kGameNumber), false};
    std::array<TQobRecord, 10> rows = BlankRows(kGameNumber);
    const auto records = ScanRecords(e.body);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const RecordFields& f = records[i];
        TQobRecord& r = rows[i];
        if (!IntField(f, 1, r.Place) || !IntField(f, 6, r.Score)) return {BlankRows(kGameNumber), false};
        TextField(f, 2, r.Nick);
        TextField(f, 3, r.City);
        TextField(f, 4, r.Country);
        TextField(f, 5, r.R07);
    }
    return {rows, true};
}

Reply<int> ScoreClient::TournamentPlace(char list, int value) {
    const char* field = list == 's' ? "score1" : list == 'r' ? "rating1" : "kon1";
    return NumberReply(
        PostRaw(addresses_.tournament,
                {{"place" + std::string(1, list) + Num(kGameNumber), "0"}, {field, Num(value)}}));
}

// ---- documents

OnlineConfig ScoreClient::FetchConfig() {
    if (addresses_.config.empty()) return ReadOnlineConfig(std::nullopt);
    const Exchange e = transport_.Get(addresses_.config);
    if (!e.ok) return ReadOnlineConfig(std::nullopt);
    return ReadOnlineConfig(e.body);
}

Reply<int> ScoreClient::NewsNumber() {
    if (addresses_.news.empty()) return {};
    const Exchange e = transport_.Get(addresses_.news);
    if (!e.ok) return {};
    return {NewsNumberOf(e.body), true};
}

Reply<std::string> ScoreClient::ReadPhoto(const std::string& nick) {
    if (addresses_.photos.empty()) return {};
    Exchange e = transport_.Get(addresses_.photos + FormEncode(Utf8ToCp1251(nick)) + ".jpg");
    if (!e.ok) return {};
    return {std::move(e.body), true};
}

bool ScoreClient::UploadPhoto(const std::string& nick, const std::string& password, const std::string& jpeg) {
    const std::string& target = addresses_.photoUpload;
    const std::string file = Utf8ToCp1251(nick) + ".jpg";
    if (target.starts_with("ftp://")) return transport_.FtpUpload(target + FormEncode(file), jpeg);
    if (target.empty()) return false;
    const UploadPart parts[] = {{"nick", Utf8ToCp1251(nick), {}, {}},
                                {"pw", Utf8ToCp1251(password), {}, {}},
                                {"photo", jpeg, file, "image/jpeg"}};
    const Exchange e = transport_.PostParts(target, parts);
    return e.ok && ScanStatus(e.body);
}

} // namespace tarvo
