#include "match/Deals.h"

namespace tarvo {

Deck WindowDecks::NextDeck() {
    if (!numbered && !replay_) {
        number_.reset();
        return clock_.NextDeck();
    }
    if (replay_) {
        number_ = replay_;
        replay_.reset();
    } else {
        // A fresh number from the clock's shuffle: its first card numbers are as good as any seed.
        Deck fresh = clock_.NextDeck();
        std::uint32_t n = 0;
        for (int p = 1; p <= 6; ++p) n = n * DeckSize + static_cast<std::uint32_t>(CardNumber(fresh[p]) - 1);
        number_ = n % MaxDealNumber + 1;
    }
    return DealDecks(*number_).NextDeck();
}

} // namespace tarvo
