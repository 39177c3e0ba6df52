#include "Deck.h"

#include <chrono>
#include <sstream>

namespace tarvo {

namespace {

// The outputs of std::mt19937 for a seed, twisted one word at a time as they are asked for: a
// shuffle needs a few hundred of them, and the standard engine twists all 624 at the first.
class LazyMt19937 {
  public:
    explicit LazyMt19937(std::uint32_t seed) {
        state_[0] = seed;
        for (std::uint32_t i = 1; i < N; ++i)
            state_[i] = 1812433253u * (state_[i - 1] ^ (state_[i - 1] >> 30)) + i;
    }
    std::uint32_t operator()() {
        // Word k of the next generation needs words k and k+1 of this one and word k+397, which
        // is already of the next generation once k+397 wraps.
        const std::uint32_t k = next_;
        const std::uint32_t y = (state_[k] & 0x80000000u) | (state_[(k + 1) % N] & 0x7FFFFFFFu);
        state_[k] = state_[(k + M) % N] ^ (y >> 1) ^ ((y & 1u) ? 0x9908B0DFu : 0u);
        next_ = (k + 1) % N;
        std::uint32_t z = state_[k];
        z ^= z >> 11;
        z ^= (z << 7) & 0x9D2C5680u;
        z ^= (z << 15) & 0xEFC60000u;
        return z ^ (z >> 18);
    }

  private:
    static constexpr std::uint32_t N = 624, M = 397;
    std::array<std::uint32_t, N> state_;
    std::uint32_t next_ = 0;
};

} // namespace

Deck ShuffleDeck(std::uint32_t seed) {
    LazyMt19937 rng(seed);
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
