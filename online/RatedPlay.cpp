#include "online/RatedPlay.h"

#include <algorithm>

namespace tarvo {

RatedRecord RatingOnStart(int kon, double rating) {
    const double k = kon;
    const double total = k * (rating - k / kRatingDivisor); // the points counted so far
    const double after = k + kSessionGames;
    return {kon + kSessionGames, (total + kAbandonedSessionPoints) / after + after / kRatingDivisor};
}

double RatingOnFinish(int kon, int points, double rating) {
    // A record without the session's games (wiped on the server meanwhile) counts the session
    // alone, so the division stays defined.
    if (kon < kSessionGames) return RatingOnFinish(kSessionGames, points, RatingOnStart(0, 0).rating);
    const double k = kon;
    return k / kRatingDivisor + (-kAbandonedSessionPoints + k * (rating - k / kRatingDivisor) + points) / k;
}

bool StoreProvisionalSession(Account& account, RatedPlayHooks& hooks) {
    auto read = account.Client().ReadGame(account.holder.Nick, account.holder.Pw);
    if (!read.ok) return false;
    TQobGame provisional = read.value;
    const RatedRecord start = RatingOnStart(read.value.Kon, read.value.Rating);
    provisional.Kon = start.kon;
    provisional.Rating = start.rating;
    provisional.KonL = 0;
    provisional.Score = 0;
    bool saved = false;
    for (int pause : {2000, 3000, 0}) {
        saved = account.Client().SaveGame(account.holder.Nick, account.holder.Pw, provisional);
        if (saved) break;
        hooks.SaveFailed(pause);
    }
    // The local copy keeps the cycle as it was before the session: its end counts from there.
    const int place = account.game.Place;
    account.game = read.value;
    account.game.Place = place;
    account.gameRead = true;
    return saved;
}

SessionEnd FinishRatedSession(Account& account, int points, int cycleScore, RatedPlayHooks& hooks) {
    const int konL = account.game.KonL;
    const int place = account.game.Place;
    for (;;) {
        auto read = account.Client().ReadGame(account.holder.Nick, account.holder.Pw);
        if (read.ok) {
            TQobGame g = read.value;
            g.Rating = RatingOnFinish(g.Kon, points, g.Rating);
            const bool completed = konL + kSessionGames >= kCycleGames;
            if (completed) {
                g.Best = std::max(g.Best, cycleScore);
                ++g.Sessions;
                g.KonL = 0;
                g.Score = 0;
            } else {
                g.KonL = konL + kSessionGames;
                g.Score = cycleScore;
            }
            g.Place = place;
            if (account.Client().SaveGame(account.holder.Nick, account.holder.Pw, g)) {
                account.game = g;
                return {true, completed};
            }
            account.game = read.value;
            account.game.KonL = konL;
            account.game.Place = place;
        }
        if (!hooks.AskRepeat(RatedPlayHooks::Failure::Connect)) return {};
    }
}

int PostAccountCycle(Account& account, int cycleScore, RatedPlayHooks& hooks) {
    WorldTopTenEntry entry;
    entry.nick = account.holder.Nick;
    entry.city = account.holder.City;
    entry.country = account.holder.Country1;
    entry.sex = account.holder.Sex;
    entry.score = cycleScore;
    for (;;) {
        auto place = account.Client().WriteTopTen(kAccountList, entry);
        if (place.ok) return place.value;
        if (!hooks.AskRepeat(RatedPlayHooks::Failure::WriteResult)) return 0;
    }
}

} // namespace tarvo
