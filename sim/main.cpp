// tarvo3-sim: headless games between three computer seats, the endgame benchmark, and the
// computer's decision for positions given as JSON Lines.
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "TarvoVersion.h"
#include "match/Deals.h"
#include "sim/Simulator.h"

using namespace tarvo;

namespace {

enum class Mode { None, Games, Bench, Decide, Help, Version };

struct Run {
    Mode mode = Mode::None;
    sim::GamesConfig config;
    long long positions = 10000;
    long long seed = 1;
    std::optional<long long> deal;
    bool gamesGiven = false;
    std::string tracePath;
};

std::optional<long long> Number(std::string_view text, long long lo, long long hi) {
    std::string s(text);
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(s.c_str(), &end, 10);
    if (errno || s.empty() || *end || v < lo || v > hi) return std::nullopt;
    return v;
}

// Each option applies itself to the run and answers with a complaint, or with nothing.
struct Option {
    const char* name;
    const char* value; // the value's name, or nullptr for an option without one
    const char* help;
    std::string (*apply)(Run& run, std::string_view value);
};

std::string SetMode(Run& run, Mode mode, const char* name) {
    if (run.mode != Mode::None && run.mode != mode) return std::string(name) + " cannot be combined with another mode";
    run.mode = mode;
    return {};
}

template <class T> std::string SetNumber(T& into, std::string_view value, long long lo, long long hi, const char* name) {
    auto v = Number(value, lo, hi);
    if (!v) return "bad value '" + std::string(value) + "' for " + name + ": a whole number from " +
                   std::to_string(lo) + " to " + std::to_string(hi);
    into = static_cast<T>(*v);
    return {};
}

const Option Options[] = {
    {"--games", "N", "play N games between three computer seats",
     [](Run& r, std::string_view v) {
         std::string e = SetMode(r, Mode::Games, "--games");
         r.gamesGiven = true;
         return e.empty() ? SetNumber(r.config.games, v, 0, 1000000000, "--games") : e;
     }},
    {"--deal", "N", "play deal number N, the deck the game shows as \"Deal N\" (one game)",
     [](Run& r, std::string_view v) {
         std::string e = SetMode(r, Mode::Games, "--deal");
         long long n = 0;
         if (e.empty()) e = SetNumber(n, v, 1, MaxDealNumber, "--deal");
         r.deal = n;
         return e;
     }},
    {"--strong", "SEATS", "the strong computer plays these seats, e.g. 3 or 1,3 (default none)",
     [](Run& r, std::string_view v) {
         r.config.strong = {};
         for (std::size_t at = 0; at <= v.size(); at += 2) {
             if (at >= v.size() || v[at] < '1' || v[at] > '3' || (at + 1 < v.size() && v[at + 1] != ','))
                 return "bad value '" + std::string(v) + "' for --strong: seats 1 to 3, separated by commas";
             r.config.strong[static_cast<std::size_t>(v[at] - '1')] = true;
         }
         return std::string();
     }},
    {"--seed", "S", "the seed of the shuffles or positions (default 1)",
     [](Run& r, std::string_view v) { return SetNumber(r.seed, v, 0, 4294967295LL, "--seed"); }},
    {"--no-five", nullptr, "rule: redeal a packet of five of one non-trump suit",
     [](Run& r, std::string_view) {
         r.config.rules.NoFiveOfSuit = true;
         return std::string();
     }},
    {"--first-bout-five", nullptr, "rule: five attack cards until the first bout is discarded",
     [](Run& r, std::string_view) {
         r.config.rules.FirstBoutFive = true;
         return std::string();
     }},
    {"--first-move", "0|1", "rule: who leads the next game (0 after the fool, 1 before him)",
     [](Run& r, std::string_view v) { return SetNumber(r.config.rules.FirstMove, v, 0, 1, "--first-move"); }},
    {"--series-length", "L", "games per series (default 30)",
     [](Run& r, std::string_view v) { return SetNumber(r.config.seriesLength, v, 1, 1000000000, "--series-length"); }},
    {"--jobs", "N", "play N series at once, each on a thread (default 1); same results",
     [](Run& r, std::string_view v) { return SetNumber(r.config.jobs, v, 1, 256, "--jobs"); }},
    {"--check", "step|bout|none", "check the game's invariants after every step (default), after the deal\n"
                                  "and every bout end, or never",
     [](Run& r, std::string_view v) {
         if (v == "step")
             r.config.check = sim::InvariantCheck::Step;
         else if (v == "bout")
             r.config.check = sim::InvariantCheck::Bout;
         else if (v == "none")
             r.config.check = sim::InvariantCheck::None;
         else
             return "bad value '" + std::string(v) + "' for --check: step, bout or none";
         return std::string();
     }},
    {"--trace", "FILE", "write the kept games as JSON Lines: \"deal\", \"step\", \"bout\", \"end\"",
     [](Run& r, std::string_view v) {
         if (v.empty()) return std::string("--trace needs a file name");
         r.tracePath = v;
         return std::string();
     }},
    {"--endgame-bench", nullptr, "time the two-player decision on random positions",
     [](Run& r, std::string_view) { return SetMode(r, Mode::Bench, "--endgame-bench"); }},
    {"--positions", "N", "positions of the benchmark (default 10000)",
     [](Run& r, std::string_view v) { return SetNumber(r.positions, v, 1, 100000000, "--positions"); }},
    {"--decide", nullptr, "answer positions read from standard input",
     [](Run& r, std::string_view) { return SetMode(r, Mode::Decide, "--decide"); }},
    {"--help", nullptr, "show this text",
     [](Run& r, std::string_view) {
         r.mode = Mode::Help;
         return std::string();
     }},
    {"--version", nullptr, "show the version",
     [](Run& r, std::string_view) {
         if (r.mode != Mode::Help) r.mode = Mode::Version;
         return std::string();
     }},
};

constexpr const char* Usage = R"(tarvo3-sim: the computer opponents of Tarvo-Trio without a window.

  tarvo3-sim --games N [--seed S] [--no-five] [--first-bout-five] [--first-move 0|1]
             [--series-length L] [--jobs N] [--check step|bout|none] [--trace FILE]
             [--strong SEATS]
  tarvo3-sim --deal N [the rule options] [--strong SEATS] [--trace FILE]
  tarvo3-sim --endgame-bench [--positions N] [--seed S]
  tarvo3-sim --decide
  tarvo3-sim --help | --version

Options:
)";

constexpr const char* Details = R"(
Games: N games in series of L: the first game of a series is led by the lowest trump, later ones
by the seat the rule option picks. Each series shuffles from a seed of its own, derived from S and
the series' number, so --jobs gives the same summary, trace and report as one job. Every step goes through the game rules; violations of the
game's invariants are reported on standard error. The computer's search is limited by nodes, not
time, so every machine plays the same games for a seed; the strong computer's hidden-card deals
follow the seed too. A game that comes back to a position it began a bout from would never end: it
is abandoned (not traced, not counted) and the next shuffle is dealt instead. Each seat's fool
rate comes first, with its 95% interval, then the strong seats' decision times. The last line is
    games=N draws=D fools=F1,F2,F3 bouts=B steps=T violations=V cycles=C seconds=X
and the exit status is 1 when V > 0.

Benchmark: N random positions with 12 cards in play, leads, throw-ins, beats and adds in turn.
One line per move kind, then
    positions=N p50_us=A p99_us=B max_us=C aborted=K nodes=M decisions=H
where M counts the nodes searched and H is a hash of the cards chosen.

Decide: one JSON object per line,
    {"trump":"п","och":37,"hands":[[seat 1],[seat 2],[seat 3]],"table":[...],"kartaHod":"##",
     "kolHods":0,"kolFree":0,"boutLimit":6,"hodSeat":1,"duelMode":1,"duelPair":1,
     "kind":1,"seat":1,"isThird":false}
answered with {"slot":n,"card":code,"pass":bool} (slot 0 and "##" for a pass), or
{"error":"..."} for a line that is not a valid position. "strong":true asks the strong computer,
which plays the game on and so needs "hodPhase" (1..14), "bito" (the discards) and, while the
talon holds cards, "trumpCard"; "taken" (three arrays) names cards seen picked up, "seed" its seed.

Card codes are two UTF-8 characters: rank 6 7 8 9 1 В Д К Т, suit ч б к п; "##" is no card.
A mistake on the command line ends with status 2.
)";

std::string HelpText() {
    std::string text = Usage;
    for (const Option& o : Options) {
        std::string head = std::string("  ") + o.name + (o.value ? std::string(" ") + o.value : "");
        std::string help = o.help;
        for (std::size_t at = 0; (at = help.find('\n', at)) != std::string::npos; at += 27)
            help.replace(at, 1, "\n" + std::string(26, ' '));
        text += head + std::string(head.size() < 26 ? 26 - head.size() : 1, ' ') + help + "\n";
    }
    return text + Details;
}

int Mistake(const std::string& problem) {
    std::cerr << "tarvo3-sim: " << problem << "\nTry 'tarvo3-sim --help'.\n";
    return 2;
}

// Reads the command line; an empty answer means it was understood.
std::string Parse(int argc, char** argv, Run& run) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        std::optional<std::string_view> attached; // --name=value
        if (auto eq = arg.find('='); arg.starts_with("--") && eq != std::string_view::npos) {
            attached = arg.substr(eq + 1);
            arg = arg.substr(0, eq);
        }
        const Option* option = nullptr;
        for (const Option& o : Options)
            if (arg == o.name || (arg == "-h" && std::string_view(o.name) == "--help")) option = &o;
        if (!option) return "unknown option '" + std::string(argv[i]) + "'";
        std::string_view value;
        if (!option->value) {
            if (attached) return std::string(option->name) + " takes no value";
        } else if (attached) {
            value = *attached;
        } else {
            if (i + 1 >= argc) return std::string(option->name) + " needs a value (" + option->value + ")";
            value = argv[++i];
        }
        if (std::string problem = option->apply(run, value); !problem.empty()) return problem;
    }
    if (run.deal && run.gamesGiven) return "--deal plays its one game: it cannot be combined with --games";
    if (run.deal) {
        run.config.games = 1;
        run.config.seriesLength = 1;
    }
    if (!run.tracePath.empty() && run.mode != Mode::Games && run.mode != Mode::Help && run.mode != Mode::Version)
        return "--trace goes with --games";
    return {};
}

int PlayGames(Run& run) {
    std::ofstream trace;
    if (!run.tracePath.empty()) {
        trace.open(run.tracePath, std::ios::binary | std::ios::trunc);
        if (!trace) return Mistake("cannot write the trace file '" + run.tracePath + "'");
        run.config.trace = &trace;
    }
    run.config.report = &std::cerr;
    run.config.strongSeed = static_cast<std::uint32_t>(run.seed);
    sim::SeriesDecks decks = sim::SeededSeries(static_cast<std::uint32_t>(run.seed));
    if (run.deal) {
        const auto number = static_cast<std::uint32_t>(*run.deal);
        std::cout << "deal=" << number << " deck=";
        Deck deck = DealDecks(number).NextDeck();
        for (int p = 1; p <= DeckSize; ++p) std::cout << (p > 1 ? " " : "") << deck[p].Utf8();
        std::cout << '\n';
        decks = [number](long long) { return std::make_unique<SeededDecks>(DealDecks(number)); };
    }
    sim::GamesSummary summary = sim::PlayGames(run.config, decks);
    std::cout << summary.SeatsReport(run.config.strong);
    if (trace.is_open()) {
        trace.flush();
        if (!trace) std::cerr << "tarvo3-sim: writing the trace file '" << run.tracePath << "' failed\n";
    }
    std::cout << summary.Line() << std::endl;
    return summary.violations > 0 ? 1 : 0;
}

} // namespace

int main(int argc, char** argv) {
    Run run;
    if (std::string problem = Parse(argc, argv, run); !problem.empty()) return Mistake(problem);

    switch (run.mode) {
    case Mode::Help:
        std::cout << HelpText();
        return 0;
    case Mode::Version:
        std::cout << "tarvo3-sim " << kVersion << '\n';
        return 0;
    case Mode::None:
        return Mistake("say what to do: --games, --endgame-bench or --decide");
    case Mode::Games:
        return PlayGames(run);
    case Mode::Bench: {
        sim::BenchSummary summary = sim::RunEndgameBench(static_cast<int>(run.positions),
                                                         static_cast<std::uint32_t>(run.seed), &std::cout);
        std::cout << summary.Line() << std::endl;
        return 0;
    }
    case Mode::Decide: {
        std::string line;
        while (std::getline(std::cin, line)) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (line.find_first_not_of(" \t") == std::string::npos) continue;
            std::cout << sim::DecideLine(line) << std::endl;
        }
        return 0;
    }
    }
    return 0;
}
