#include "ai/SearchEnv.h"

#include <chrono>

namespace tarvo {

SearchEnv::SearchEnv(TableView& view, int seat, std::string think, SearchClock clock, std::int64_t limitMs,
                     std::uint64_t nodeBudget)
    : view_(view), seat_(seat), think_(std::move(think)), clock_(std::move(clock)), limitMs_(limitMs),
      nodeBudget_(nodeBudget) {}

std::int64_t SearchEnv::Now() const {
    if (clock_) return clock_();
    auto now = std::chrono::steady_clock::now().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
}

void SearchEnv::StartRoot(int total) {
    startMs_ = limitMs_ > 0 ? Now() : 0;
    shownSeconds_ = 0;
    n_ = total;
}

void SearchEnv::ShowOption(int k) {
    k_ = k;
    view_.ShowSearchProgress(seat_, ProgressText());
}

void SearchEnv::CheckTime() {
    std::int64_t elapsed = Now() - startMs_;
    if (elapsed > limitMs_) abort = true;
    // Repainting the same text changes nothing on the screen, so only a new second is drawn.
    if (std::int64_t seconds = elapsed / 1000; seconds >= 1 && seconds != shownSeconds_) {
        shownSeconds_ = seconds;
        view_.ShowSearchProgress(seat_, ProgressText());
    }
}

std::string SearchEnv::ProgressText() const {
    return think_ + std::to_string(k_) + "/" + std::to_string(n_) + " (" + std::to_string(shownSeconds_) +
           " sec.)";
}

} // namespace tarvo
