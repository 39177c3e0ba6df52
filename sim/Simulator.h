// Headless play between three computer seats, the endgame benchmark and the decision service of
// tarvo3-sim. Every step goes through the game core and the computer opponents.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <iosfwd>
#include <string>
#include <vector>

#include "core/Deck.h"
#include "core/GameState.h"

namespace tarvo::sim {

// When the game's invariants are checked: after every step, after the deal and every bout end, or
// never.
enum class InvariantCheck { Step, Bout, None };

struct GamesConfig {
    long long games = 0;
    int jobs = 1; // series played at once, each on a thread of its own
    InvariantCheck check = InvariantCheck::Step;
    int seriesLength = 30; // games per series; the first of each is led by the lowest trump
    RuleOptions rules;
    std::ostream* trace = nullptr;  // JSON Lines of the kept games
    std::ostream* report = nullptr; // one line per violation found
    std::array<bool, 3> strong{};   // the seats the strong computer plays
    std::uint32_t strongSeed = 1;   // the seed of its hidden-card deals
};

struct GamesSummary {
    long long games = 0;
    long long draws = 0;
    std::array<long long, 3> fools{};
    long long bouts = 0;
    long long steps = 0;
    long long violations = 0;
    long long cycles = 0;
    double seconds = 0;
    std::vector<double> strongMs; // how long each decision of a strong seat took, in milliseconds

    GamesSummary& operator+=(const GamesSummary& other); // the counts and times; seconds stay
    std::string Line() const;
    // Each seat's fool rate with its 95% interval, and the strong seats' decision times.
    std::string SeatsReport(const std::array<bool, 3>& strong) const;
};

// The decks of each series (numbered from 0): every series has a stream of its own, so that its
// games do not depend on the series played before it.
using SeriesDecks = std::function<std::unique_ptr<DeckSource>(long long series)>;
// Series k shuffles from a seed derived from the run's seed and k.
std::uint32_t SeriesSeed(std::uint32_t seed, long long series);
SeriesDecks SeededSeries(std::uint32_t seed);

// Plays config.games games in series of config.seriesLength, config.jobs series at once; the
// summary, the trace and the report are those of one job. A game that returns to a position it
// has started a bout from before would go on for ever: it is abandoned as if it had never been
// dealt (nothing of it is traced or counted but the cycle), and the series' next deck is dealt in
// its place.
GamesSummary PlayGames(const GamesConfig& config, const SeriesDecks& decks);

struct BenchSummary {
    int positions = 0;
    long long p50 = 0, p99 = 0, max = 0;
    int aborted = 0;
    std::uint64_t nodes = 0;        // searched in all decisions
    std::uint64_t decisionHash = 0; // of the chosen cards in order: the same on every machine
    std::string Line() const;
};

// Times the two-player decision on random positions with exactly 12 cards in play, the four move
// kinds in turn. perKind, when given, receives one line per kind.
BenchSummary RunEndgameBench(int positions, std::uint32_t seed, std::ostream* perKind = nullptr);

// Answers one position (a JSON object on one line) with the computer's decision, or with
// {"error":...} when the line is not a valid position.
std::string DecideLine(const std::string& line);

} // namespace tarvo::sim
