// Card codes, the 1-based card arrays and the fixed shape of the deck.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

using Byte = std::uint8_t;

constexpr int DeckSize = 36;
constexpr int RankCount = 9;
constexpr Byte EmptyRank = 99;

// Single-byte characters of the Windows-1251 code page, as they stand in files and records.
namespace cp {
constexpr char Ve = '\xC2';  // В, jack
constexpr char De = '\xC4';  // Д, queen
constexpr char Ka = '\xCA';  // К, king
constexpr char Te = '\xD2';  // Т, ace
constexpr char Che = '\xF7'; // ч, hearts
constexpr char Be = '\xE1';  // б, diamonds
constexpr char Kl = '\xEA';  // к, clubs
constexpr char Pe = '\xEF';  // п, spades
} // namespace cp

// Rank characters by rank value 1..9 and suit characters by suit index 1..4.
constexpr std::array<char, RankCount + 1> RankChars{'?', '6',    '7',    '8',    '9',
                                                    '1', cp::Ve, cp::De, cp::Ka, cp::Te};
constexpr std::array<char, 5> SuitChars{'?', cp::Che, cp::Be, cp::Kl, cp::Pe};

// A card: rank character then suit character. "##" is an empty slot, "00" a face-down card.
struct TStr2 {
    char rank = '#';
    char suit = '#';

    constexpr bool operator==(const TStr2&) const = default;
    constexpr bool Empty() const { return rank == '#' && suit == '#'; }

    std::string Utf8() const;
    // Parses a two-character UTF-8 code such as "Вч", "1п" or "##".
    static std::optional<TStr2> FromUtf8(std::string_view text);
};

constexpr TStr2 NoCard{'#', '#'};
constexpr TStr2 FaceDown{'0', '0'};

// Rank value 1..9 and suit index 1..4 of every single-byte character (99 and 0 for the others),
// looked up rather than searched: the rules and the computer ask for them all the time.
namespace detail {
struct CharTables {
    std::array<Byte, 256> rank{};
    std::array<Byte, 256> suit{};
    constexpr CharTables() {
        rank.fill(EmptyRank);
        for (int r = 1; r <= RankCount; ++r) rank[static_cast<unsigned char>(RankChars[r])] = static_cast<Byte>(r);
        for (int s = 1; s <= 4; ++s) suit[static_cast<unsigned char>(SuitChars[s])] = static_cast<Byte>(s);
    }
};
inline constexpr CharTables Chars{};
} // namespace detail

constexpr Byte RankOfChar(char c) {
    return detail::Chars.rank[static_cast<unsigned char>(c)];
}
constexpr int SuitIndex(char c) {
    return detail::Chars.suit[static_cast<unsigned char>(c)];
}
constexpr Byte RankOf(TStr2 card) {
    return RankOfChar(card.rank);
}
constexpr bool IsRealCard(TStr2 card) {
    return RankOf(card) != EmptyRank && SuitIndex(card.suit) != 0;
}

// Card number n = (rank - 1) * 4 + suit index: 1 is the six of hearts, 36 the ace of spades.
constexpr int CardNumber(TStr2 card) {
    return (RankOf(card) - 1) * 4 + SuitIndex(card.suit);
}
constexpr TStr2 CardFromNumber(int n) {
    return {RankChars[(n - 1) / 4 + 1], SuitChars[(n - 1) % 4 + 1]};
}

// Arrays indexed from 1, so that the rules read as written: CardsI[seat][slot].
template <class T, std::size_t N> struct Arr1 {
    std::array<T, N> v{};

    constexpr T& operator[](int i) {
        assert(i >= 1 && i <= static_cast<int>(N));
        return v[static_cast<std::size_t>(i - 1)];
    }
    constexpr const T& operator[](int i) const {
        assert(i >= 1 && i <= static_cast<int>(N));
        return v[static_cast<std::size_t>(i - 1)];
    }
    static constexpr int Size() { return static_cast<int>(N); }
    constexpr void Fill(const T& value) { v.fill(value); }
    constexpr bool operator==(const Arr1&) const = default;
};

using TCards_I1x36 = Arr1<TStr2, 64>;
using TCards_J1x36 = Arr1<Byte, 64>;
using TCards_I1x12 = Arr1<TStr2, 12>;
using TCards_J1x12 = Arr1<Byte, 12>;

// A set of rank values 1..9.
class RankSet {
  public:
    constexpr void Add(int rank) {
        if (rank >= 1 && rank <= RankCount) bits_ = static_cast<std::uint16_t>(bits_ | (1u << rank));
    }
    constexpr bool Has(int rank) const { return rank >= 1 && rank <= RankCount && (bits_ >> rank) & 1u; }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr int Count() const {
        int n = 0;
        for (int r = 1; r <= RankCount; ++r) n += Has(r);
        return n;
    }
    constexpr RankSet Minus(RankSet other) const {
        return RankSet(static_cast<std::uint16_t>(bits_ & ~other.bits_));
    }
    constexpr bool operator==(const RankSet&) const = default;
    static constexpr RankSet Of(std::initializer_list<int> ranks) {
        RankSet s;
        for (int r : ranks) s.Add(r);
        return s;
    }

  private:
    constexpr explicit RankSet(std::uint16_t bits) : bits_(bits) {}

  public:
    constexpr RankSet() = default;

  private:
    std::uint16_t bits_ = 0;
};

} // namespace tarvo
