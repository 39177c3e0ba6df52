#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ostream>
#include <vector>

#include "ai/Endgame.h"
#include "ai/Positions.h"
#include "sim/Simulator.h"

namespace tarvo::sim {
namespace {

// The decisions of one move kind (or of all), in the order the positions came.
struct Decisions {
    std::vector<long long> micros;
    int aborted = 0;
    std::uint64_t nodes = 0;
    std::uint64_t hash = 0xcbf29ce484222325ull; // FNV-1a over the chosen cards

    void Add(long long us, const SearchOutcome& outcome, TStr2 card) {
        micros.push_back(us);
        aborted += outcome.aborted;
        nodes += outcome.nodes;
        for (char c : {card.rank, card.suit}) hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3ull;
    }

    BenchSummary Summary() const {
        BenchSummary s;
        s.positions = static_cast<int>(micros.size());
        s.aborted = aborted;
        s.nodes = nodes;
        s.decisionHash = hash;
        if (micros.empty()) return s;
        std::vector<long long> sorted = micros;
        std::sort(sorted.begin(), sorted.end());
        auto at = [&](double q) {
            return sorted[static_cast<std::size_t>(q * static_cast<double>(sorted.size() - 1))];
        };
        s.p50 = at(0.5);
        s.p99 = at(0.99);
        s.max = sorted.back();
        return s;
    }
};

} // namespace

std::string BenchSummary::Line() const {
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx", static_cast<unsigned long long>(decisionHash));
    return "positions=" + std::to_string(positions) + " p50_us=" + std::to_string(p50) +
           " p99_us=" + std::to_string(p99) + " max_us=" + std::to_string(max) +
           " aborted=" + std::to_string(aborted) + " nodes=" + std::to_string(nodes) + " decisions=" + hash;
}

BenchSummary RunEndgameBench(int positions, std::uint32_t seed, std::ostream* perKind) {
    NullView view;
    const SearchOptions options = SearchOptions::Headless();
    Decisions all;
    std::array<Decisions, 5> byKind;
    for (const EndgamePosition& pos : BenchPositions(positions, seed)) {
        StatFool2 snapshot = FillStatFool2(pos.game, pos.seat, options.think);
        SearchOutcome outcome;
        auto start = std::chrono::steady_clock::now();
        TStr2 card = EndgameMove(snapshot, pos.kind, view, options, &outcome);
        auto stop = std::chrono::steady_clock::now();
        long long us = std::chrono::duration_cast<std::chrono::microseconds>(stop - start).count();
        all.Add(us, outcome, card);
        byKind[static_cast<std::size_t>(pos.kind)].Add(us, outcome, card);
    }
    if (perKind)
        for (int kind = Lead; kind <= Add; ++kind)
            *perKind << "kind=" << kind << " " << byKind[static_cast<std::size_t>(kind)].Summary().Line() << '\n';
    return all.Summary();
}

} // namespace tarvo::sim
