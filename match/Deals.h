// Numbered deals: every deck comes from a number a player can note and deal again. The window and
// tarvo3-sim --deal draw a number's deck the same way, so a deal lost at the table can be studied
// without it, and replayed at it.
#pragma once

#include <cstdint>
#include <optional>

#include "core/Deck.h"

namespace tarvo {

// Deal numbers run from 1 to this: nine digits are easy to note and to type.
inline constexpr std::uint32_t MaxDealNumber = 999'999'999;

// The decks of deal `number`: the first is the deal itself, later ones follow it should the rules
// want a redeal.
inline SeededDecks DealDecks(std::uint32_t number) {
    return SeededDecks(number);
}

// The window's decks. Without numbers, the clock's shuffle as always; with numbers, each deck is
// the first of a fresh deal number (or of the number to replay), and the number is shown.
class WindowDecks final : public DeckSource {
  public:
    Deck NextDeck() override;

    bool numbered = false;
    // The next deck is deal `number` (1..MaxDealNumber), whether numbers are shown or not.
    void ReplayNext(std::uint32_t number) { replay_ = number; }
    // The number of the deck dealt last; none when it came from the clock.
    std::optional<std::uint32_t> Number() const { return number_; }

  private:
    ClockDecks clock_;
    std::optional<std::uint32_t> replay_, number_;
};

} // namespace tarvo
