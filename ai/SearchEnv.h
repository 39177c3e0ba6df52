// What one endgame decision's search shares between its nodes: the abort flag, the start time,
// the progress text in the acting seat's speech box and the clock that drives the time limit.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "core/TableView.h"

namespace tarvo {

// The largest number of cards (both hands and the table together) that the endgame searches.
constexpr int MaxSuper = 12;

enum class SearchMode { Normal, Adding };

// What the search keeps between the decisions of one endgame: the cards in play numbered once, and
// the exact values of the positions it has searched. A value depends on the position alone, so a
// later decision whose cards are all among them reuses them; one with other cards (the next
// endgame) starts afresh.
class SearchMemory {
  public:
    SearchMemory();
    ~SearchMemory();
    SearchMemory(const SearchMemory&) = delete;
    SearchMemory& operator=(const SearchMemory&) = delete;

    struct Impl;
    Impl& Get() { return *impl_; }

  private:
    std::unique_ptr<Impl> impl_;
};

// Milliseconds since any fixed origin. Empty means the steady clock; tests pass their own to
// drive the time limit without waiting for it.
using SearchClock = std::function<std::int64_t()>;

// The window stops a search after 10 seconds of its clock. Headless play must give the same games
// on every machine, so it limits the nodes instead and never reads a clock (limitMs 0).
struct SearchOptions {
    std::string think = "I think... "; // prefix of the progress text, from the language tables
    SearchClock clock;
    std::int64_t limitMs = 10000;  // 0: no time limit
    std::uint64_t nodeBudget = 0;  // 0: no node limit
    SearchMemory* memory = nullptr; // none: every decision searches afresh

    // Far more nodes than any search of twelve cards visits.
    static constexpr std::uint64_t HeadlessNodeBudget = 200'000'000;
    static SearchOptions Headless() {
        SearchOptions o;
        o.limitMs = 0;
        o.nodeBudget = HeadlessNodeBudget;
        return o;
    }
};

// Values seen from the side to move.
constexpr int WinValue = 2;
constexpr int DrawValue = 0;
constexpr int LossValue = -2;
constexpr int NotExamined = -100;
constexpr int NothingPlayable = -3; // at the root only

struct SearchOutcome {
    TStr2 card = NoCard; // "##": pass, take or stop
    int value = NotExamined;
    bool aborted = false;
    std::uint64_t nodes = 0;
    // The root's options: each own slot's value, then the pass (or take) option's; -100 where an
    // option was not examined.
    std::array<int, DeckSize + 1> slotValues = Unexamined();
    int passValue = NotExamined;

    static constexpr std::array<int, DeckSize + 1> Unexamined() {
        std::array<int, DeckSize + 1> values{};
        values.fill(NotExamined);
        return values;
    }
};

class SearchEnv {
  public:
    SearchEnv(TableView& view, int seat, std::string think, SearchClock clock, std::int64_t limitMs,
              std::uint64_t nodeBudget = 0);

    bool abort = false;
    std::uint64_t nodes = 0;
    SearchMemory* memory = nullptr;

    // The root records the start time and the number of options n; the elapsed text starts at 0.
    void StartRoot(int total);
    // The root is about to examine option k.
    void ShowOption(int k);
    // The root has examined all its options without finding a win. (Counting one past the own
    // cards would show "7/6" at a lead, where no pass option is counted in n.)
    void ShowAllExamined() { ShowOption(n_); }
    // Only nodes at these depths look at the clock, so a search may overrun the limit slightly.
    static constexpr bool ChecksClockAt(int depth) {
        return depth == 6 || depth == 7 || depth == 10 || depth == 11 || depth == 14 || depth == 15 ||
               depth == 18 || depth == 19;
    }
    void CheckClock() {
        if (nodeBudget_ > 0 && nodes > nodeBudget_) abort = true;
        if (limitMs_ > 0) CheckTime();
    }

    // What the acting seat's speech box shows now.
    std::string ProgressText() const;

  private:
    std::int64_t Now() const;
    void CheckTime();

    TableView& view_;
    int seat_;
    std::string think_;
    SearchClock clock_;
    std::int64_t limitMs_;
    std::uint64_t nodeBudget_;
    std::int64_t startMs_ = 0;
    std::int64_t shownSeconds_ = 0;
    int k_ = 0;
    int n_ = 0;
};

} // namespace tarvo
