// Times the literal search on the endgame benchmark's positions, for comparison with
// `tarvo3-sim --endgame-bench` (same positions for the same --positions and --seed).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "ai/Positions.h"
#include "tests/ai/Oracle.h"

using namespace tarvo;

int main(int argc, char** argv) {
    int count = 10000;
    std::uint32_t seed = 1;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--positions" && i + 1 < argc)
            count = std::atoi(argv[++i]);
        else if (arg == "--seed" && i + 1 < argc)
            seed = static_cast<std::uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        else {
            std::fprintf(stderr, "usage: ai_oracle_bench [--positions N] [--seed S]\n");
            return 2;
        }
    }
    NullView view;
    SearchOptions options;
    std::vector<long long> micros;
    int aborted = 0;
    for (const EndgamePosition& pos : BenchPositions(count, seed)) {
        StatFool2 s = FillStatFool2(pos.game, pos.seat, options.think);
        SearchEnv env(view, pos.seat, s.Think, options.clock, options.limitMs);
        auto start = std::chrono::steady_clock::now();
        SearchOutcome out =
            pos.kind == Beat
                ? oracle::SearchDefend(s, env)
                : oracle::SearchAttack(s, pos.kind == Add ? SearchMode::Adding : SearchMode::Normal, env);
        auto stop = std::chrono::steady_clock::now();
        micros.push_back(std::chrono::duration_cast<std::chrono::microseconds>(stop - start).count());
        aborted += out.aborted;
    }
    std::sort(micros.begin(), micros.end());
    auto at = [&](double q) {
        return micros.empty() ? 0
                              : micros[static_cast<std::size_t>(q * static_cast<double>(micros.size() - 1))];
    };
    std::printf("positions=%d p50_us=%lld p99_us=%lld max_us=%lld aborted=%d\n", count, at(0.5), at(0.99),
                micros.empty() ? 0 : micros.back(), aborted);
    return 0;
}
