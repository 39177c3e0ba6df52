// What the tournament keeps in the server's database, shared by its HTTP requests and its game
// server: the ten tables with the process that plays each (its port and when it last said it is
// alive), who sits at which seat, every player's tournament score, games and rating, and every
// game played. Every function runs its statements on the calling thread's connection and says
// whether the database answered; after a failure outside a transaction the caller drops the
// connection (Storage::Forget).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "server/Storage.h"

namespace tarvo::server {

inline constexpr int kStartRating = 1000;
// A table whose game server has not said it is alive for this long is played by nobody.
inline constexpr int kTableAliveSeconds = 30;

Schema TournamentSchema();

long long NowSeconds();

struct SeatHolder {
    std::string key; // the account's key; empty for a free seat
    std::string nick = "X", country = "X", city = "X", sex = "M", ip = "X";
    long long taken = 0;
    int score = 0, kon = 0, rating = kStartRating; // the player's standing
    bool Free() const { return key.empty(); }
};

struct TableRow {
    int num = 0;
    std::string ip;  // empty: the address the request came in on
    int port = 0;    // 0: no game server plays it
    long long seen = 0;
    bool playing = false;
    std::array<SeatHolder, 3> seats;
    bool Alive(long long now) const { return port > 0 && now - seen <= kTableAliveSeconds; }
};

std::optional<std::vector<TableRow>> ReadTables(Storage& s); // tables 1..10 in order
std::optional<TableRow> ReadTable(Storage& s, int num);

struct Standing {
    std::string nick;
    int score = 0, kon = 0, rating = kStartRating;
};
// A player's standing; a player who never played has 0, 0 and the starting rating.
std::optional<Standing> ReadStanding(Storage& s, const std::string& key);

// The game server of this process plays these tables at these ports (0: it stopped).
bool ServeTables(Storage& s, const std::vector<std::pair<int, int>>& tablePorts, const std::string& ip);
bool TablesAlive(Storage& s, const std::vector<int>& tables);
bool SetPlaying(Storage& s, int num, bool playing);

// Frees `seat` and every higher seat of the table. With `onlyKeys`, only seats still held by one
// of those players (a finished game does not free the seats of players who sat down later).
bool FreeSeats(Storage& s, int num, int seat, const std::vector<std::string>& onlyKeys = {});

// One game at the end: each seat's points, the fool, how it ended ("e" played to the end, "a" a
// player left or broke the rules, "T" a player's time ran out) and who caused that.
struct GameRecord {
    std::string id;
    int num = 0;
    std::array<std::string, 3> keys, nicks;
    std::array<int, 3> points{};
    int fool = 0; // 1..3, 4 a draw
    char ending = 'e';
    int offender = 0;
    long long started = 0, ended = 0;
};
// In one transaction: each player's score, games and rating, the game's row, the table freed.
bool RecordGame(Storage& s, const GameRecord& game);
// Seat 1's series result compared with the server's count.
bool NoteReportedResult(Storage& s, const std::string& gameId, bool matches);

// The ratings after a game: each pair of seats counts as a match the fool lost and the others
// drew, 16 points at stake in each.
std::array<int, 3> RatingsAfter(const std::array<int, 3>& before, int fool);

} // namespace tarvo::server
