#include <algorithm>
#include <cmath>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <sstream>
#include <thread>
#include <cstdio>
#include <ostream>
#include <vector>

#include <nlohmann/json.hpp>

#include "ai/Computer.h"
#include "core/Invariants.h"
#include "core/Round.h"
#include "core/Rules.h"
#include "match/Driver.h"
#include "sim/Simulator.h"

namespace tarvo::sim {
namespace {

using Json = nlohmann::ordered_json;

// No computer game needs anywhere near this many steps; a game that does is stuck.
constexpr long long StepLimitPerGame = 100000;

Json Code(TStr2 card) {
    return card.Utf8();
}

Json DeckCodes(const GameState& g) {
    Json deck = Json::array();
    for (int p = 1; p <= DeckSize; ++p) deck.push_back(Code(g.KolodaI[p]));
    return deck;
}

enum class GameFate { Finished, Cycled, Broken };

class GameRun {
  public:
    GameRun(const GamesConfig& config, GamesSummary& summary, ComputerPlayer& computer, long long gameNumber)
        : config_(config), summary_(summary), computer_(computer), gameNumber_(gameNumber) {}

    GameFate Play(GameState& g, DeckSource& decks, bool keepSeries) {
        Deal(g, view_, decks, keepSeries);
        Emit([&] {
            return Json{{"ev", "deal"},
                        {"game", gameNumber_},
                        {"deck", DeckCodes(g)},
                        {"noFive", g.Rules.NoFiveOfSuit},
                        {"firstBoutFive", g.Rules.FirstBoutFive},
                        {"firstMove", g.Rules.FirstMove},
                        {"first", g.HodSeat}};
        });
        if (config_.check != InvariantCheck::None) Check(g, "after the deal");

        // Every step goes through the same driver and pipeline as the window's: the computer in
        // every seat.
        MatchContext match{g, view_, computer_, nullptr, PlayMode::Local, {}};
        match.onStep = [&](const StepEvent& step) {
            ++steps_;
            if (config_.check == InvariantCheck::Step) Check(g, "after a step of seat", step.seat);
            Emit([&] {
                return Json{{"ev", "step"},
                            {"seat", step.seat},
                            {"kind", static_cast<int>(step.kind)},
                            {"slot", step.pass ? 0 : step.slot},
                            {"card", Code(step.card)},
                            {"pass", step.pass},
                            {"hod", g.HodPhase},
                            {"duel", g.DuelPhase}};
            });
        };
        StepDriver driver(match);
        driver.Begin();
        for (Turn turn = driver.Next(); !turn.over; turn = driver.Next()) {
            if (steps_ > StepLimitPerGame) return Broken("the game did not end");
            if (auto end = turn.boutEnd) {
                driver.ComputerStep();
                ++bouts_;
                if (config_.check != InvariantCheck::None) Check(g, "after a bout end");
                bool beaten = *end == BoutEnd::Beaten || *end == BoutEnd::DuelBeaten;
                Emit([&] {
                    return Json{{"ev", "bout"},
                                {"end", beaten ? "beaten" : "taken"},
                                {"next", g.HodSeat},
                                {"duelMode", g.DuelMode},
                                {"duelPair", g.DuelPair}};
                });
                if (driver.Repeated()) return GameFate::Cycled;
                continue;
            }
            const int seat = turn.seat;
            const MoveKind kind = turn.kind;
            if (seat == 0) return Broken("nobody is to act");
            if (!driver.ComputerStep())
                return Broken("the pipeline refused a step of seat " + std::to_string(seat));
            if (match.refusedComputerSteps > 0)
                return Broken("seat " + std::to_string(seat) + " chose a step the rules refuse (kind " +
                              std::to_string(kind) + ")");
        }
        Emit([&] {
            return Json{{"ev", "end"},
                        {"loser", g.Loser},
                        {"fools", Json::array({g.FoolCount[1], g.FoolCount[2], g.FoolCount[3]})}};
        });
        return GameFate::Finished;
    }

    // A kept game hands on its counts and trace lines.
    void Keep(const GameState& g) {
        summary_.bouts += bouts_;
        summary_.steps += steps_;
        if (g.GameOver && g.Loser == 4) ++summary_.draws;
        if (g.GameOver && g.Loser >= 1 && g.Loser <= 3)
            ++summary_.fools[static_cast<std::size_t>(g.Loser - 1)];
        if (config_.trace)
            for (const std::string& line : lines_) *config_.trace << line << '\n';
    }

  private:
    // Events are only built when a trace is written: most runs only count.
    template <class MakeEvent> void Emit(MakeEvent make) {
        if (config_.trace) lines_.push_back(make().dump());
    }

    void Check(const GameState& g, const char* when, int seat = 0) {
        std::vector<std::string> problems = CheckInvariants(g);
        if (problems.empty()) return;
        std::string where = when;
        if (seat) where += ' ' + std::to_string(seat);
        for (const std::string& problem : problems) Violation(where + ": " + problem);
    }

    void Violation(const std::string& what) {
        ++summary_.violations;
        if (config_.report) *config_.report << "game " << gameNumber_ << ": " << what << '\n';
    }

    GameFate Broken(const std::string& what) {
        Violation(what);
        return GameFate::Broken;
    }

    const GamesConfig& config_;
    GamesSummary& summary_;
    ComputerPlayer& computer_;
    long long gameNumber_;
    NullView view_;
    std::vector<std::string> lines_;
    long long bouts_ = 0;
    long long steps_ = 0;
};

// The game's computer, with the strong seats' decisions timed (a clock read for the report only:
// it never reaches a decision).
class TimedComputer final : public ComputerPlayer {
  public:
    explicit TimedComputer(const GamesConfig& config, std::uint32_t seed) : ai_(SearchOptions::Headless()) {
        for (int seat = 1; seat <= 3; ++seat) ai_.SetStrong(seat, config.strong[static_cast<std::size_t>(seat - 1)]);
        ai_.StrongSettings().seed = seed;
    }
    MoveChoice Decide(const GameState& g, TableView& view, MoveKind kind, int seat, bool isThird) override {
        if (!ai_.Strong(seat) || g.DuelMode) return ai_.Decide(g, view, kind, seat, isThird);
        auto start = std::chrono::steady_clock::now();
        MoveChoice choice = ai_.Decide(g, view, kind, seat, isThird);
        if (times) times->push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        return choice;
    }
    void BoutEnding(const GameState& g, BoutEnd how) override { ai_.BoutEnding(g, how); }
    void GameBegins() override { ai_.GameBegins(); }

    std::vector<double>* times = nullptr;

  private:
    AiPlayer ai_;
};

} // namespace

std::string GamesSummary::SeatsReport(const std::array<bool, 3>& strong) const {
    std::string text;
    char line[160];
    for (std::size_t s = 0; s < 3; ++s) {
        const double n = static_cast<double>(games > 0 ? games : 1);
        const double p = static_cast<double>(fools[s]) / n;
        const double half = 1.96 * std::sqrt(p * (1 - p) / n);
        std::snprintf(line, sizeof line, "seat %zu %s: fool in %.2f%% of %lld games (95%% interval %.2f%% to %.2f%%)\n",
                      s + 1, strong[s] ? "strong" : "classic", 100 * p, games, 100 * std::max(0.0, p - half),
                      100 * std::min(1.0, p + half));
        text += line;
    }
    if (!strongMs.empty()) {
        std::vector<double> t = strongMs;
        std::sort(t.begin(), t.end());
        auto at = [&](double q) { return t[std::min(t.size() - 1, static_cast<std::size_t>(q * static_cast<double>(t.size())))]; };
        std::snprintf(line, sizeof line, "strong decisions: %zu, p50 %.2f ms, p99 %.2f ms, max %.2f ms\n", t.size(),
                      at(0.5), at(0.99), t.back());
        text += line;
    }
    return text;
}

std::string GamesSummary::Line() const {
    char seconds_[32];
    std::snprintf(seconds_, sizeof seconds_, "%.2f", seconds);
    return "games=" + std::to_string(games) + " draws=" + std::to_string(draws) +
           " fools=" + std::to_string(fools[0]) + "," + std::to_string(fools[1]) + "," +
           std::to_string(fools[2]) + " bouts=" + std::to_string(bouts) + " steps=" + std::to_string(steps) +
           " violations=" + std::to_string(violations) + " cycles=" + std::to_string(cycles) +
           " seconds=" + seconds_;
}

std::uint32_t SeriesSeed(std::uint32_t seed, long long series) {
    // SplitMix64 of the run's seed and the series' number: neighbouring series get unrelated seeds.
    std::uint64_t z = (std::uint64_t{seed} << 32 | static_cast<std::uint32_t>(series)) + 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

SeriesDecks SeededSeries(std::uint32_t seed) {
    return [seed](long long series) { return std::make_unique<SeededDecks>(SeriesSeed(seed, series)); };
}

namespace {

// Plays the games first+1 .. first+count, one series, into summary (and the config's streams).
void PlaySeries(const GamesConfig& config, long long first, long long count, DeckSource& decks,
                ComputerPlayer& computer, GamesSummary& summary) {
    GameState g;
    g.Rules = config.rules;
    for (long long kept = 0; kept < count;) {
        const bool keepSeries = kept != 0;
        GameState beforeDeal = g;
        GameRun run(config, summary, computer, first + kept + 1);
        GameFate fate = run.Play(g, decks, keepSeries);
        if (fate == GameFate::Cycled) {
            ++summary.cycles;
            if (config.report) {
                *config.report << "game " << first + kept + 1
                               << ": a bout came back to an earlier position; dealt again"
                               << (keepSeries ? "" : " (first of its series)") << "; the deck was";
                for (int p = 1; p <= DeckSize; ++p) *config.report << ' ' << g.KolodaI[p].Utf8();
                *config.report << '\n';
            }
            g = beforeDeal;
            continue;
        }
        run.Keep(g);
        ++summary.games;
        ++kept;
    }
}

} // namespace

GamesSummary& GamesSummary::operator+=(const GamesSummary& o) {
    games += o.games;
    draws += o.draws;
    for (std::size_t s = 0; s < fools.size(); ++s) fools[s] += o.fools[s];
    bouts += o.bouts;
    steps += o.steps;
    violations += o.violations;
    cycles += o.cycles;
    strongMs.insert(strongMs.end(), o.strongMs.begin(), o.strongMs.end());
    return *this;
}

GamesSummary PlayGames(const GamesConfig& config, const SeriesDecks& decks) {
    auto start = std::chrono::steady_clock::now();
    GamesSummary summary;
    const long long length = config.seriesLength > 0 ? config.seriesLength : 1;
    const long long seriesCount = (config.games + length - 1) / length;
    auto play = [&](long long series, TimedComputer& computer, const GamesConfig& c, GamesSummary& into) {
        std::unique_ptr<DeckSource> source = decks(series);
        const long long first = series * length;
        computer.times = &into.strongMs;
        PlaySeries(c, first, std::min(length, config.games - first), *source, computer, into);
        computer.times = nullptr;
    };
    const long long jobs = std::clamp<long long>(config.jobs, 1, std::max<long long>(seriesCount, 1));
    if (jobs == 1) {
        // One computer for every seat and game: its search memory is made once.
        TimedComputer computer(config, config.strongSeed);
        for (long long series = 0; series < seriesCount; ++series) play(series, computer, config, summary);
    } else {
        // Each job takes the next series; what a series writes is kept until the series before it
        // are written, so the trace and the report come in the order of one job.
        struct Done {
            GamesSummary summary;
            std::string trace, report;
            bool ready = false;
        };
        std::vector<Done> done(static_cast<std::size_t>(seriesCount));
        std::mutex mutex;
        std::condition_variable finished;
        std::atomic<long long> next{0};
        std::vector<std::jthread> workers;
        for (long long j = 0; j < jobs; ++j)
            workers.emplace_back([&] {
                TimedComputer computer(config, config.strongSeed);
                for (long long series; (series = next++) < seriesCount;) {
                    std::ostringstream trace, report;
                    GamesConfig c = config;
                    c.trace = config.trace ? &trace : nullptr;
                    c.report = config.report ? &report : nullptr;
                    GamesSummary part;
                    play(series, computer, c, part);
                    {
                        std::lock_guard lock(mutex);
                        done[static_cast<std::size_t>(series)] = {part, trace.str(), report.str(), true};
                    }
                    finished.notify_all();
                }
            });
        for (Done& d : done) {
            std::unique_lock lock(mutex);
            finished.wait(lock, [&] { return d.ready; });
            Done part = std::move(d);
            d = {};
            lock.unlock();
            if (config.trace) *config.trace << part.trace;
            if (config.report) *config.report << part.report;
            summary += part.summary;
        }
    }
    summary.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return summary;
}

} // namespace tarvo::sim
