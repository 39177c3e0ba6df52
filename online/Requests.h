// One function per request kind of the score server. Each sends its body, scans the reply and
// returns its result with an ok flag; a failed exchange gives the default result with the flag
// clear. Nothing here raises, retries or shows anything: the callers decide what to tell.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "online/Bodies.h"
#include "online/OnlineConfig.h"
#include "online/Records.h"
#include "online/Services.h"
#include "online/Transport.h"

namespace tarvo {

template <class T> struct Reply {
    T value{};
    bool ok = false;
};

// The read time-out that the list reads set on the shared client.
inline constexpr int kReadTimeoutMs = 3000;

// The user agent of every POST.
inline constexpr const char* kUserAgent = "XorBlueWindow";

// A world top ten row to post.
struct WorldTopTenEntry {
    std::string nick, city, country, sex;
    int score = 0;
    std::string r9 = "#", r10 = "#";
};

// Registration: 0 created, 1 the nick is taken, 2 failed.
enum class RegisterResult { Created = 0, NickTaken = 1, Failed = 2 };

// Taking a tournament seat: 0 done, 1 failed, 2 refused.
enum class SeatResult { Done = 0, Failed = 1, Refused = 2 };

struct TournamentRating {
    int score = -1, games = 0, rating = 0;
};

struct ServerInfo {
    std::string state = "X";
    std::string text;
};

struct TablesRead {
    std::array<TQobTable_3, 10> tables; // table 1 at [0]
    std::string reply;                  // the whole reply, kept for the tournament window
};

class ScoreClient {
  public:
    ScoreClient(Transport& transport, ServiceAddresses addresses)
        : transport_(transport), addresses_(std::move(addresses)) {}

    ServiceAddresses& Addresses() { return addresses_; }
    const ServiceAddresses& Addresses() const { return addresses_; }

    // The top ten service (lists by game number; the chat board is list 100).
    Reply<int> GameCount(int gid);                                                   // rgid
    Reply<std::array<TQobRecord, 10>> TopTen(int gid);                               // gid
    Reply<std::array<TQobRecord, 10>> TopTenAround(int gid, const std::string& nick, // gid+nick+city
                                                   const std::string& city);
    Reply<int> WriteTopTen(int gid, const WorldTopTenEntry& entry); // write: the place reached

    // The account service.
    RegisterResult Register(const TQobUser& user);                                  // register
    Reply<TQobUser> SignIn(const std::string& nick, const std::string& password);   // label0
    Reply<int> MemberCount();                                                       // label1
    Reply<std::optional<TInfo14>> ReadDetails(const std::string& nick);             // labelinforead
    bool SaveDetails(const std::string& nick, const TInfo14& info);                 // labelinfosave
    Reply<TQobGame> ReadGame(const std::string& nick, const std::string& password); // best
    bool SaveGame(const std::string& nick, const std::string& password, const TQobGame& game); // save
    Reply<int> RatingPlace(double rating);                                                     // rating
    Reply<std::array<TQobTop10, 10>> ClubTopTen();                                             // kon

    // The statistics service.
    Reply<TQobStat> ReadStatistics(int gid);
    bool ReportStarts(int starts, int installations);     // stat1
    bool ReportLike(int likes, const std::string& nick);  // stat3
    bool ReportSeries(const std::array<int, 12>& values); // R1..R12

    // The tournament service; `list` is the list letter ("s" score, "r" rating, "k" games).
    Reply<TablesRead> ReadTables(int gid);                                       // readtable310
    Reply<ServerInfo> ReadServerInfo(int gid);                                   // serverinforead
    SeatResult TakeSeat(int seat, int table, int can, const TQobClient& client); // clienton
    Reply<TQobClient> ReadClient(int seat, int table);                           // readclient
    Reply<TournamentRating> ReadTournamentRating(const std::string& nick);       // readrating
    Reply<std::array<TQobRecord, 10>> TournamentTopTen(char list);               // top10
    Reply<int> TournamentPlace(char list, int value);                            // place

    // Documents on fresh clients.
    OnlineConfig FetchConfig();
    Reply<int> NewsNumber();
    Reply<std::string> ReadPhoto(const std::string& nick); // the JPEG's bytes
    // The photo to the photo store: an FTP address takes the file as "<folder><nick>.jpg", an
    // HTTP address an upload carrying the account's nick and password.
    bool UploadPhoto(const std::string& nick, const std::string& password, const std::string& jpeg);

  private:
    Exchange PostRaw(const std::string& url, const std::vector<FormField>& fields);
    Exchange PostListed(const std::string& url, const std::vector<FormField>& fields);

    Transport& transport_;
    ServiceAddresses addresses_;
};

// Whether a reply refuses with the word "no". The word is looked for in front of the reply's first
// record only: a record's own text ("Ivanovo", "I know nothing") is no refusal.
bool RefusedWithNo(std::string_view reply);

// The news number of a news page: the five characters after "QobNews" (0 when absent or not a
// number).
int NewsNumberOf(std::string_view page);

} // namespace tarvo
