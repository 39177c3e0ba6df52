// tarvo3-sim: headless games between three computer seats, the endgame benchmark, and the
// computer's decision for positions given as JSON Lines.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "sim/Simulator.h"

using namespace tarvo;

namespace {

constexpr const char* HelpText = R"(tarvo3-sim: the computer opponents of Tarvo-Trio without a window.

  tarvo3-sim --games N [--seed S] [--no-five] [--first-bout-five] [--first-move 0|1]
             [--series-length L] [--trace FILE]
      Plays N games between three computer seats, in series of L games (default 30): the first
      game of a series is led by the lowest trump, later ones by the seat the rule option picks.
      Every step goes through the game rules, and the game's invariants are checked after each
      one; the computer's search is limited by nodes, not time, so every machine plays the same
      games; violations are reported on standard error. A game that comes back to a position it
      started a bout from would never end: it is abandoned (not traced, not counted) and the next
      shuffle is dealt instead. The same seed (default 1) gives the same games. The last line is
        games=N draws=D fools=F1,F2,F3 bouts=B steps=T violations=V cycles=C seconds=X
      and the exit status is 1 when V > 0.
      --trace FILE writes the kept games as JSON Lines: "deal", "step", "bout" and "end" events.

  tarvo3-sim --endgame-bench [--positions N] [--seed S]
      Times the two-player decision on N (default 10000) random positions with 12 cards in play,
      leads, throw-ins, beats and adds in turn. Prints one line per move kind, then
        positions=N p50_us=A p99_us=B max_us=C aborted=K nodes=M decisions=H
      where M counts the nodes searched and H is a hash of the cards chosen.

  tarvo3-sim --decide
      Reads positions from standard input, one JSON object per line:
        {"trump":"п","och":37,"hands":[[seat 1],[seat 2],[seat 3]],"table":[...],"kartaHod":"##",
         "kolHods":0,"kolFree":0,"boutLimit":6,"hodSeat":1,"duelMode":1,"duelPair":1,
         "kind":1,"seat":1,"isThird":false}
      and answers each with {"slot":n,"card":code,"pass":bool} (slot 0 and "##" for a pass), or
      {"error":"..."} for a line that is not a valid position.

  tarvo3-sim --help
      Shows this text.

Card codes are two UTF-8 characters: rank 6 7 8 9 1 В Д К Т, suit ч б к п; "##" is no card.
)";

int Usage(const std::string& problem) {
    std::cerr << "tarvo3-sim: " << problem << "\n(see tarvo3-sim --help)\n";
    return 2;
}

std::optional<long long> Number(const char* text, long long lo, long long hi) {
    char* end = nullptr;
    errno = 0;
    long long v = std::strtoll(text, &end, 10);
    if (errno || end == text || *end || v < lo || v > hi) return std::nullopt;
    return v;
}

} // namespace

int main(int argc, char** argv) {
    enum class Mode { None, Games, Bench, Decide, Help } mode = Mode::None;
    sim::GamesConfig config;
    long long games = 0, positions = 10000, seed = 1;
    std::string tracePath;

    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](long long lo, long long hi) -> std::optional<long long> {
            if (i + 1 >= argc) return std::nullopt;
            return Number(argv[++i], lo, hi);
        };
        auto setMode = [&](Mode m) {
            if (mode != Mode::None && mode != m) return false;
            mode = m;
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            mode = Mode::Help;
        } else if (arg == "--games") {
            auto v = value(0, 1000000000);
            if (!v || !setMode(Mode::Games)) return Usage("--games needs a count and no other mode");
            games = *v;
        } else if (arg == "--endgame-bench") {
            if (!setMode(Mode::Bench)) return Usage("--endgame-bench cannot be combined with another mode");
        } else if (arg == "--decide") {
            if (!setMode(Mode::Decide)) return Usage("--decide cannot be combined with another mode");
        } else if (arg == "--seed") {
            auto v = value(0, 4294967295LL);
            if (!v) return Usage("--seed needs a number 0..4294967295");
            seed = *v;
        } else if (arg == "--positions") {
            auto v = value(1, 100000000);
            if (!v) return Usage("--positions needs a count of at least 1");
            positions = *v;
        } else if (arg == "--series-length") {
            auto v = value(1, 1000000000);
            if (!v) return Usage("--series-length needs a count of at least 1");
            config.seriesLength = static_cast<int>(*v);
        } else if (arg == "--no-five") {
            config.rules.NoFiveOfSuit = true;
        } else if (arg == "--first-bout-five") {
            config.rules.FirstBoutFive = true;
        } else if (arg == "--first-move") {
            auto v = value(0, 1);
            if (!v) return Usage("--first-move needs 0 or 1");
            config.rules.FirstMove = static_cast<int>(*v);
        } else if (arg == "--trace") {
            if (i + 1 >= argc) return Usage("--trace needs a file name");
            tracePath = argv[++i];
        } else {
            return Usage("unknown argument '" + arg + "'");
        }
    }

    if (!tracePath.empty() && mode != Mode::Games && mode != Mode::Help)
        return Usage("--trace goes with --games");

    switch (mode) {
    case Mode::Help:
        std::cout << HelpText;
        return 0;
    case Mode::None:
        std::cout << HelpText;
        return 2;
    case Mode::Games: {
        std::ofstream trace;
        if (!tracePath.empty()) {
            trace.open(tracePath, std::ios::binary | std::ios::trunc);
            if (!trace) return Usage("cannot write the trace file '" + tracePath + "'");
            config.trace = &trace;
        }
        config.games = static_cast<int>(games);
        config.report = &std::cerr;
        SeededDecks decks(static_cast<std::uint32_t>(seed));
        sim::GamesSummary summary = sim::PlayGames(config, decks);
        if (trace.is_open()) {
            trace.flush();
            if (!trace) std::cerr << "tarvo3-sim: writing the trace file '" << tracePath << "' failed\n";
        }
        std::cout << summary.Line() << std::endl;
        return summary.violations > 0 ? 1 : 0;
    }
    case Mode::Bench: {
        sim::BenchSummary summary =
            sim::RunEndgameBench(static_cast<int>(positions), static_cast<std::uint32_t>(seed), &std::cout);
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
