// How one tarvo3-server process takes part in the tournament: which of the ten tables its game
// server plays, on which ports, under which address the players reach them, and its clocks. Every
// process of a club answers the tournament's HTTP requests from the shared database; each table
// is played by exactly one of them.
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <optional>
#include <string>
#include <vector>

namespace tarvo::server {

inline constexpr int kTournamentTables = 10;
inline constexpr int kDefaultGamePortBase = 25700;

struct TournamentOptions {
    std::vector<int> tables = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}; // played here
    int portBase = kDefaultGamePortBase; // table n listens on portBase + n; 0: any free run
    bool portBaseGiven = false;          // named on the command line: taken ports are a mistake;
                                         // else a busy default gives way to a free run (the
                                         // players read the ports from the table list)
    std::string address;                 // published to the players; empty: the address
                                         // each request came in on
    std::string listen = "0.0.0.0";      // where the game server listens
    int moveSeconds = 26;                // a seat's time for a step, as the players' clocks
    int allowanceSeconds = 4;            // added for the network before the server acts
    int seatGraceSeconds = 10;           // a seat without its connection this long is freed
};

// Adds the tournament's options to the server's command line.
void AddTournamentOptions(QCommandLineParser& parser);
// Reads them into `options`; false with the mistake in `error`.
bool ReadTournamentOptions(const QCommandLineParser& parser, TournamentOptions& options, QString* error);

// "1-10", "1-5,8", "none": the tables a process plays; nothing on a mistake.
std::optional<std::vector<int>> ParseTableList(const QString& text);

} // namespace tarvo::server
