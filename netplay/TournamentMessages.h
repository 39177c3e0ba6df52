// The messages of a tournament table between a player's machine and the tournament game server.
// The deal and the move records are those of network play; the seat numbers of the table stand
// where network play has its roles (the record's sender digit is the sender's seat, its route
// digit the seat it is meant for). What the server sends is 20 characters long (the deal
// excepted), so a reader cuts them by length; "#" fills what a message leaves empty.
//
//   server to player                          player to server
//   deal        "b..." (111)                  "connect" + own seat        (8)
//   record      record + sender's seat  (20)  record                      (19)
//   chat        "s" + text + "#"... + seat    chat, the same 20 characters
//   game over   "e###################"       "TOut" own time ran out     (4)
//   left        "abort" + seat + "#"...       "disA" leaving the seat     (4)
//   time is up  "TOut" + "#"... + seat        "o" + three scores of 5     (16)
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "netplay/Messages.h"

namespace tarvo {

inline constexpr std::size_t TournamentMessageLength = 20;
inline constexpr std::size_t ConnectLength = 8;
inline constexpr std::size_t TimeOutLength = 4;
inline constexpr std::size_t LeaveLength = 4;
inline constexpr std::size_t ResultLength = 16;
// The longest chat text a tournament message carries, in Windows-1251 bytes.
inline constexpr std::size_t TournamentChatLength = TournamentMessageLength - 2;

// Server to player.
struct TableChat {
    int seat = 0;
    std::string text; // UTF-8
};
struct GameEnded {};
struct PlayerLeft {
    int seat = 0;
};
struct PlayerTimeUp {
    int seat = 0;
};
using TableMessage = std::variant<DealMsg, RecordMsg, TableChat, GameEnded, PlayerLeft, PlayerTimeUp>;

// Player to server.
struct SeatConnect {
    int seat = 0;
};
struct OwnTimeOut {};
struct LeaveSeat {};
// The three scores of the series in the order its sender numbers them: his own seat 3, then his
// seats 1 and 2.
struct SeriesResult {
    std::array<int, 3> scores{};
};
using PlayerMessage = std::variant<SeatConnect, RecordMsg, TableChat, OwnTimeOut, LeaveSeat, SeriesResult>;

// Builders.
std::string ConnectMessage(int seat);
std::string RelayedRecord(std::string_view record, int senderSeat);
// The text is cut to what a message holds; a "#" in it would end it early and becomes a blank.
std::string TableChatMessage(int seat, std::string_view utf8);
std::string GameEndedMessage();
std::string PlayerLeftMessage(int seat);
std::string PlayerTimeUpMessage(int seat);
std::string OwnTimeOutMessage();
std::string LeaveSeatMessage();
// Each score right-aligned with blanks in five characters (wider when it needs more).
std::string SeriesResultMessage(const std::array<int, 3>& scores);

// Cuts a byte stream into whole messages by their known lengths. A message cut in two waits for
// its rest; the first fault ends the reading for good and later bytes are ignored.
template <class Message> class TournamentReader {
  public:
    std::vector<Message> Feed(std::string_view bytes);
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

  private:
    std::string buffer_;
    std::string error_;
};

// What a player's machine reads from the server, and what the server reads from a player.
using TableReader = TournamentReader<TableMessage>;
using PlayerReader = TournamentReader<PlayerMessage>;

} // namespace tarvo
