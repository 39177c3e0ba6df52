// The program's reports to the statistics service (its starts, each recorded series, the one
// "I like this game!" vote) and the figures the main menu's info display shows.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "online/Requests.h"

namespace tarvo {

// The start report: one more start, and while the installation has not been counted yet, one
// more installation. The new value of the installation flag: set once a report that counted the
// installation got through, so a failed first report is repeated at the next start.
bool ReportStart(ScoreClient& client, bool installReported);

// What a recorded series reports.
struct SeriesFigures {
    bool network = false;
    bool hostsNetwork = false; // the server seat of a network game
    bool tournament = false;
    bool tournamentSeatOne = false;
    int games = 0;  // games of the series
    int points = 0; // the player's points of the series
    int kon = 0;    // the player's games in all, after the series
};
// R1..R12: games with the computer, a completed cycle, the points won or lost (outside network
// play), 3 for a hosted network series, 1 for a tournament series at seat 1.
std::array<int, 12> SeriesReport(const SeriesFigures& series);

// The statistics read's totals shown as rows 5..10 (games with PC ... games online).
inline constexpr int kStatGamesWithPc = 0, kStatCycles = 1, kStatPeopleWon = 2, kStatPeopleLost = 3,
                     kStatGamesNet = 4, kStatGamesOnline = 5;

// The info display of the main menu: mode 1 the percentage of points people won against the
// computer, 2 the games played with it, 3..5 the best score of the desktop, mobile and account
// lists with its player ("#" when the list is empty), 6 and 7 the club's member count.
struct InfoFigure {
    double value = 0;
    std::string player;
};
std::optional<InfoFigure> ReadInfoFigure(ScoreClient& client, int mode);

} // namespace tarvo
