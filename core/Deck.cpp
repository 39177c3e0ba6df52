#include "Deck.h"

#include <chrono>
#include <sstream>

namespace tarvo {

Deck ShuffleDeck(std::uint32_t seed) {
    std::mt19937 rng(seed);
    std::array<bool, DeckSize + 1> drawn{};
    Deck deck;
    int p = 0;
    while (p < DeckSize) {
        // Scaling keeps the draw free of implementation-defined distributions.
        int n = 1 + static_cast<int>((static_cast<std::uint64_t>(rng()) * DeckSize) >> 32);
        if (drawn[static_cast<std::size_t>(n)]) continue;
        drawn[static_cast<std::size_t>(n)] = true;
        deck[++p] = CardFromNumber(n);
    }
    return deck;
}

std::optional<Deck> ParseDeck(std::string_view text) {
    std::istringstream in{std::string(text)};
    Deck deck;
    std::array<bool, DeckSize + 1> seen{};
    std::string word;
    int p = 0;
    while (in >> word) {
        auto card = TStr2::FromUtf8(word);
        if (!card || !IsRealCard(*card) || p == DeckSize) return std::nullopt;
        int n = CardNumber(*card);
        if (seen[static_cast<std::size_t>(n)]) return std::nullopt;
        seen[static_cast<std::size_t>(n)] = true;
        deck[++p] = *card;
    }
    if (p != DeckSize) return std::nullopt;
    return deck;
}

Deck ClockDecks::NextDeck() {
    // A redeal may follow within the same clock tick; the counter keeps the seeds apart.
    auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
    return ShuffleDeck(static_cast<std::uint32_t>(ticks) ^ (++counter_ * 0x9E3779B9u));
}

Deck FixedDecks::NextDeck() {
    return decks_.at(next_++);
}

} // namespace tarvo
