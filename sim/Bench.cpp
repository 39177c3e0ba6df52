#include <algorithm>
#include <chrono>
#include <ostream>
#include <vector>

#include "ai/Endgame.h"
#include "ai/Positions.h"
#include "sim/Simulator.h"

namespace tarvo::sim {
namespace {

BenchSummary Summarise(std::vector<long long> micros, int aborted) {
    BenchSummary s;
    s.positions = static_cast<int>(micros.size());
    s.aborted = aborted;
    if (micros.empty()) return s;
    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) {
        return micros[static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1))];
    };
    s.p50 = at(0.5);
    s.p99 = at(0.99);
    s.max = micros.back();
    return s;
}

} // namespace

std::string BenchSummary::Line() const {
    return "positions=" + std::to_string(positions) + " p50_us=" + std::to_string(p50) +
           " p99_us=" + std::to_string(p99) + " max_us=" + std::to_string(max) +
           " aborted=" + std::to_string(aborted);
}

BenchSummary RunEndgameBench(int positions, std::uint32_t seed, std::ostream* perKind) {
    NullView view;
    SearchOptions options;
    std::vector<long long> all;
    std::array<std::vector<long long>, 5> byKind;
    std::array<int, 5> abortedByKind{};
    int aborted = 0;
    for (const EndgamePosition& pos : BenchPositions(positions, seed)) {
        StatFool2 snapshot = FillStatFool2(pos.game, pos.seat, options.think);
        SearchOutcome outcome;
        auto start = std::chrono::steady_clock::now();
        EndgameMove(snapshot, pos.kind, view, options, &outcome);
        auto stop = std::chrono::steady_clock::now();
        long long us = std::chrono::duration_cast<std::chrono::microseconds>(stop - start).count();
        all.push_back(us);
        byKind[static_cast<std::size_t>(pos.kind)].push_back(us);
        aborted += outcome.aborted;
        abortedByKind[static_cast<std::size_t>(pos.kind)] += outcome.aborted;
    }
    if (perKind)
        for (int kind = Lead; kind <= Add; ++kind)
            *perKind << "kind=" << kind << " "
                     << Summarise(byKind[static_cast<std::size_t>(kind)],
                                  abortedByKind[static_cast<std::size_t>(kind)])
                            .Line()
                     << '\n';
    return Summarise(std::move(all), aborted);
}

} // namespace tarvo::sim
