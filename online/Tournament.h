// The player's desk at the online tournament: what the tournament window shows (the ten tables,
// the state and welcome line, the player's standing), the seat rules of its buttons, and taking
// and leaving a seat with their requests. Plain C++ over the score client: the window only draws
// what this holds and passes the clicks on.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>

#include "online/Records.h"
#include "online/Requests.h"

namespace tarvo {

inline constexpr int kTournamentTables = 10;

// One seat button: what it says and whether it can be clicked.
struct SeatButton {
    enum class Caption { LogOff, Occupant, TakePlace, Free, ServerOff };
    Caption caption = Caption::ServerOff;
    std::string occupant; // "<nick> : <score>" for Occupant
    bool enabled = false;
    bool operator==(const SeatButton&) const = default;
};

// The three buttons of table `num` (1..10). `open`: both reads succeeded and the state is "Y".
// `ownTable`/`ownSeat`: where the player sits (0 when nowhere).
std::array<SeatButton, 3> SeatButtons(const TQobTable_3& table, int num, bool open, int ownTable, int ownSeat);

// The welcome line as the window shows it: the server's "_" are blanks, and no more than
// kWelcomeMax characters (a longer line could only stretch the window off the screen).
std::string WelcomeLine(const std::string& text);

// Where a tournament player's picture lives: "History/<nick>.bmp" in the folder shared with sibling
// games. Nothing for a nick that is no plain file name (a path, a dot name, control characters):
// the nick comes from the score server and must not reach outside that folder.
std::optional<std::filesystem::path> PlayerPicturePath(const std::filesystem::path& sharedFolder,
                                                       const std::string& nick);

enum class TakeOutcome { Taken, SameAddress, Refused };

class TournamentDesk {
  public:
    explicit TournamentDesk(ScoreClient& client) : client_(client) {}

    // The player's tournament identity: the account's nick, country, city and sex, the standing
    // from "readrating", and the public address. Also reads the standing's place.
    void BuildIdentity(const TQobUser& holder, const std::string& publicAddress);
    // Only the standing again (after a game).
    void ReadStanding();

    // Reads the tables, the state and the player's place. When the tournament cannot be read or is closed while the
    // player holds a seat, the seat is freed on the server and forgotten; so is a seat whose
    // table's seat 1 turned out free. True when the player held a seat and lost it here.
    bool Refresh();

    // Clicks on a free seat: the same-address rule, then "clienton" with `can` 1.
    TakeOutcome Take(int table, int seat);
    // "Log off" on the player's seat 1 or 2; false when the server refused (the seat stays).
    bool Leave();
    // The game connection failed: the player's seat and every seat above it are freed.
    void FreeAfterConnectionError();
    // Forgets the seat without a request (the game server frees the table after a game).
    void Forget() { table_ = seat_ = 0; }

    std::array<SeatButton, 3> Buttons(int table) const;
    // "Refresh", "Close" and "Top 10" wait while the player holds a seat at an open tournament.
    bool Locked() const { return seat_ != 0 && open_; }

    int Table() const { return table_; }
    int Seat() const { return seat_; }
    bool Open() const { return open_; }
    bool InfoRead() const { return infoRead_; }
    const std::string& Welcome() const { return welcome_; }
    const std::string& GameServer() const { return gameServer_; }
    int GamePort(int table) const { return portBase_ + table; }
    const TQobClient& Identity() const { return identity_; }
    int Place() const { return place_; }
    const TQobTable_3& TableRow(int table) const { return tables_[static_cast<std::size_t>(table - 1)]; }
    ScoreClient& Client() { return client_; }

  private:
    bool RefreshSeat();
    void ReadPlace();
    void FreeSeat(int table, int seat, const std::string& sex);

    ScoreClient& client_;
    TQobClient identity_;
    int place_ = 0;
    std::array<TQobTable_3, kTournamentTables> tables_{};
    bool open_ = false, infoRead_ = false;
    std::string welcome_;
    std::string gameServer_;
    int portBase_ = 0;
    int table_ = 0, seat_ = 0;
};

} // namespace tarvo
