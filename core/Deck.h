// Shuffling: a permutation by rejection from a freshly seeded generator, behind a seam so that
// tests, the simulator and a network client can supply the decks themselves.
#pragma once

#include <cstdint>
#include <random>
#include <vector>

#include "Card.h"

namespace tarvo {

using Deck = Arr1<TStr2, DeckSize>;

// The deck for one seed: draw 1..36 uniformly, redraw numbers already drawn, slot p gets card
// number p-th draw. The generator is std::mt19937, so a seed gives the same deck everywhere.
Deck ShuffleDeck(std::uint32_t seed);

// Parses 36 space-separated UTF-8 codes ("6ч 7б ..."); empty on any error or repeated card.
std::optional<Deck> ParseDeck(std::string_view text);

class DeckSource {
  public:
    virtual ~DeckSource() = default;
    virtual Deck NextDeck() = 0;
};

// The game's own shuffle: a new seed from the clock at every shuffle.
class ClockDecks final : public DeckSource {
  public:
    Deck NextDeck() override;

  private:
    std::uint32_t counter_ = 0;
};

// Reproducible shuffles: every deck's seed comes from one master seed.
class SeededDecks final : public DeckSource {
  public:
    explicit SeededDecks(std::uint32_t seed) : master_(seed) {}
    Deck NextDeck() override { return ShuffleDeck(static_cast<std::uint32_t>(master_())); }

  private:
    std::mt19937 master_;
};

// Given decks in order: fixed test games and a network client's deals. Running out throws
// std::out_of_range rather than repeating a deck that a redeal rule would refuse for ever.
class FixedDecks final : public DeckSource {
  public:
    explicit FixedDecks(std::vector<Deck> decks) : decks_(std::move(decks)) {}
    Deck NextDeck() override;

  private:
    std::vector<Deck> decks_;
    std::size_t next_ = 0;
};

} // namespace tarvo
