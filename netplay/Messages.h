// The peer messages of network play, byte for byte: Windows-1251 text with no length prefix and no
// terminator, so a reader cuts a byte stream into messages by their known lengths. Plain C++20:
// the socket transport, the tournament and the tests all share it.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/Deck.h"
#include "core/Rules.h"

namespace tarvo {

// Roles: 1 the server, 2 the first client, 3 the second client. Every machine numbers the seats
// from its own point of view, its human being its seat 3; the seat after it is its seat 1. In the
// server's numbering the first client is seat 1 and the second client (or the computer) seat 2.
constexpr int ServerRole = 1;
constexpr int NextRole(int role) {
    return role % 3 + 1; // order of play: first client, second client, server
}
// The seat of `role`'s human in the numbering of the machine whose role is `viewer`.
constexpr int SeatOfRole(int role, int viewer) {
    const int d = ((role - viewer) % 3 + 3) % 3;
    return d == 0 ? 3 : d;
}
// Whose human sits at `seat` in the numbering of `viewer`.
constexpr int RoleOfSeat(int seat, int viewer) {
    return (viewer - 1 + seat) % 3 + 1;
}

inline constexpr int DefaultNetPort = 25666;
inline constexpr std::size_t NetNameLength = 6; // a network name; local names have 20
inline constexpr std::string_view ComputerNetName = "PC    ";

// Message lengths; a chat has none and takes what remains of the bytes read.
inline constexpr std::size_t HelloLength = 21;
inline constexpr std::size_t WelcomeLength = 28;
inline constexpr std::size_t UpdateLength = 27;
inline constexpr std::size_t DealLength = 111;
inline constexpr std::size_t RecordLength = 19;
inline constexpr std::size_t AbortLength = 5;
inline constexpr std::size_t RecordBodyLength = 13;
// The longest chat text we send or accept, in characters; longer input is a faulty peer.
inline constexpr std::size_t MaxChatLength = 120;

// Names by role (index 0 the server, 1 the first client, 2 the second), UTF-8 without the blanks
// that fill them to six characters on the wire.
using RoleNames = std::array<std::string, 3>;

// Client to server, once the connection is open. `sameGame`: its game and protocol numbers are
// ours; another program's or version's hello is ignored.
struct HelloMsg {
    bool sameGame = false;
    std::string name;
};
// Server to a new client: its role (2 or 3) and the three names.
struct WelcomeMsg {
    int role = 0;
    RoleNames names;
};
// Server to the first client when the second one has joined.
struct UpdateMsg {
    RoleNames names;
};
// Server to every client at the start of every game: the shuffled deck and two rules of the game.
struct DealMsg {
    Deck deck;
    bool firstMove = false;     // "To learn the fool"
    bool firstBoutFive = false; // five attack cards in the first bout
};
// One card of a move record: the move kind and the slot of the hand it left.
struct RecordCard {
    MoveKind kind = NoKind;
    int slot = 0;
};
// One step of play, in the receiver's numbering. "Nothing" is 'i' for the characters, -1 for
// the phases, NoKind for a card.
struct RecordMsg {
    int senderRole = 0;
    bool enable = false;                        // the receiver's action button: 'e' enables it
    char caption = 'i';                         // '4' "Beaten"; '1' '2' '3' name the other captions
    std::array<char, 3> bubbles{'i', 'i', 'i'}; // seats 1..3: d clear, n name, g go, t take, a pass
    char sound = 'i';                           // g WHodsDo, t WHodBer, a WHodOtb, d WDing_1
    std::array<RecordCard, 2> cards;            // played by seats 1 and 2
    char end = 'i';                             // the end-of-bout code
    int hodPhase = -1;
    int duelPhase = -1;
    int route = 0;     // 1 for the server, 2 sent by the server, 3 for the server to pass on
    std::string bytes; // the record as it came, passed on unchanged
};
struct ChatMsg {
    int role = 0;
    std::string text; // UTF-8
};
struct AbortMsg {};

using NetMessage = std::variant<HelloMsg, WelcomeMsg, UpdateMsg, DealMsg, RecordMsg, ChatMsg, AbortMsg>;

// Windows-1251 text as a peer may send it: no control characters and no byte the code page leaves
// undefined.
bool IsNetText(std::string_view bytes);

// A name as the other machines see it: its first six characters, without trailing blanks.
std::string NetName(std::string_view name);

// Builders. Names are cut or filled with blanks to six characters; text is converted from UTF-8.
std::string HelloMessage(std::string_view name);
std::string WelcomeMessage(int role, const RoleNames& names);
std::string UpdateMessage(const RoleNames& names);
std::string DealMessage(const Deck& deck, bool firstMove, bool firstBoutFive);
// "h" + sender's role + the 13-character body + HodPhase (two digits) + DuelPhase + route.
std::string RecordMessage(int senderRole, std::string_view body, int hodPhase, int duelPhase, int route);
std::string ChatMessage(int role, std::string_view text);
std::string AbortMessage();

// One whole message, or why it is refused.
struct ParsedMessage {
    std::optional<NetMessage> message;
    std::string error;
};
ParsedMessage ParseMessage(std::string_view bytes);

// Collects the bytes of one connection and cuts them into messages by their known lengths: a
// message cut in two waits for its rest, several in one read come out one by one. The first
// fault ends the reading for good: Error() names it and later bytes are ignored. What it holds
// between reads is at most one unfinished message, so its buffer stays small whatever a peer sends.
class MessageReader {
  public:
    std::vector<NetMessage> Feed(std::string_view bytes);
    bool Failed() const { return !error_.empty(); }
    const std::string& Error() const { return error_; }

  private:
    // The length of the message that begins these bytes: 0 while too few bytes tell it yet (or on
    // a fault, which it records).
    std::size_t NextLength(std::string_view bytes);

    std::string buffer_;
    std::string error_;
};

} // namespace tarvo
