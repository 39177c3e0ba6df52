// Rated play for the global rating: a signed-in player's sessions of three games update the
// account's record of this game on the account service. The client keeps the arithmetic: the
// rating is the average points per counted game plus the number of games over 30, and the
// server never learns the total of points, so the total is recovered from the rating each time.
//
// A session is stored twice: at its start as if it had been lost by 60 points (so a session the
// player walks away from costs him), and at its end with the real points in place of the 60.
#pragma once

#include "online/Account.h"

namespace tarvo {

inline constexpr int kSessionGames = 3;
inline constexpr int kCycleGames = 30;
inline constexpr int kAbandonedSessionPoints = -60;
inline constexpr double kRatingDivisor = 30;

struct RatedRecord {
    int kon = 0;
    double rating = 0;
};

// The provisional record of a session that starts with `kon` games at `rating`: three more
// games, counted as -60 points.
RatedRecord RatingOnStart(int kon, double rating);
// The rating at the end of the session: `kon` as read (the session's three games included) and
// `rating` the provisional one; the -60 is replaced by `points`.
double RatingOnFinish(int kon, int points, double rating);

// What rated play asks of the window.
class RatedPlayHooks {
  public:
    virtual ~RatedPlayHooks() = default;
    // A provisional record was not stored: the failure sound, then a pause of `pauseMs` before
    // the next try (0: no next try).
    virtual void SaveFailed(int pauseMs) = 0;
    // The final record could not be stored ("Could not connect to server!") or the cycle could
    // not be posted ("Unable to write the result of the game!"): whether to try again.
    enum class Failure { Connect, WriteResult };
    virtual bool AskRepeat(Failure failure) = 0;
};

// The start of a session in account state 3: reads the record and stores the provisional one,
// trying three times. True when it is stored and the session may start; the account keeps the
// record as read. False leaves the state as it was: the caller tells the player and signs out.
bool StoreProvisionalSession(Account& account, RatedPlayHooks& hooks);

struct SessionEnd {
    bool stored = false;         // the final record is on the server
    bool cycleCompleted = false; // the account's cycle of 30 games ended with this session
};
// The end of a session with the player's `points` and `cycleScore` (the score of the account's
// cycle before the session plus the points): reads the record, puts the points in place of the
// provisional -60, moves the cycle on and stores it, asking whether to repeat after a failure.
SessionEnd FinishRatedSession(Account& account, int points, int cycleScore, RatedPlayHooks& hooks);

// The finished cycle to the account list (315) of the world top ten; the place reached, or 0
// when the player gave up.
int PostAccountCycle(Account& account, int cycleScore, RatedPlayHooks& hooks);

// The player slot of a rated session's series: above the club's five and the new player's sixth.
inline constexpr int kAccountSlot = 7;

// The world top ten lists: the desktop edition, the mobile edition, accounts.
inline constexpr int kDesktopList = kGameNumber;
inline constexpr int kMobileList = 115;
inline constexpr int kAccountList = 315;

} // namespace tarvo
