// The tournament game server's own copy of one table's game: it deals, and it plays every step a
// player announces before passing the step on. It holds the game three times, once in each
// seat's numbering, exactly as the three players' machines hold it: the sender's step is made on
// his copy through the move pipeline, which writes the records his machine must have written;
// each record that arrives must be byte for byte one of those, and is then applied to the copy of
// the seat it is meant for, as that seat's machine will apply it. So nothing reaches a player that
// the rules refuse, and a machine cannot say one thing to one neighbour and another to the other.
//
// Seats here are the table's seats 1 to 3; they stand where network play has its roles.
#pragma once

#include <array>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "core/Deck.h"
#include "core/GameState.h"
#include "match/Driver.h"
#include "netplay/Messages.h"

namespace tarvo::server {

// What the server does after a record: the bytes to send, to which seat, or the seat that broke
// the game and why.
struct RefereeVerdict {
    std::vector<std::pair<int, std::string>> sends;
    int offender = 0;
    std::string fault;
};

class TableReferee {
  public:
    // The rules of tournament play: first bout of five, no packet of five of one suit.
    TableReferee();
    ~TableReferee();

    // Shuffles (again while a packet holds five of one suit), deals every copy and returns the
    // deal message that all three seats get.
    std::string Deal(DeckSource& decks);

    // A move record from `seat`. A record from another seat while the sender's step still owes
    // its other copy waits for it (TCP orders each connection, not the three of them).
    RefereeVerdict OnRecord(int seat, const RecordMsg& record);

    // The seat whose step the game waits for (0 when none: over, or a step still travelling).
    int ClockSeat() const;
    // The last step has ended the game and every copy of it has gone out.
    bool Over() const;
    // The fool's seat, 4 after a draw; 0 while the game goes on.
    int FoolSeat() const;
    // The points of seats 1..3 (at [0..2]) of the finished game.
    std::array<int, 3> Scores() const;

  private:
    struct Copy;
    RefereeVerdict Take(int seat, const RecordMsg& record);
    RefereeVerdict Fault(int seat, std::string why);
    std::string MakeSendersStep(int seat, const RecordMsg& record);

    std::array<std::unique_ptr<Copy>, 3> copies_; // by seat 1..3 at [0..2]
    Copy& Of(int seat) const { return *copies_[static_cast<std::size_t>(seat - 1)]; }
    int pendingFrom_ = 0;                 // the seat whose step owes copies
    std::map<int, std::string> expected_; // seat meant for -> the record it must get
    std::deque<std::pair<int, RecordMsg>> held_;
    bool dealt_ = false;
};

// The points of a game whose fool was `fool` (1..3; 4 a draw): -20 for the fool, 10 for each
// other seat. A player who breaks the game off is counted as its fool.
std::array<int, 3> GamePoints(int fool);

} // namespace tarvo::server
