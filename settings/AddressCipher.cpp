#include "settings/AddressCipher.h"

#include <array>

namespace tarvo {
namespace {

constexpr std::string_view kKey = "Tarvo3Trio";

// The characters that move, in order, and each byte's place among them (-1: stays as it is).
struct Alphabet {
    std::array<char, 93> chars{};
    std::array<int, 256> index{};
    constexpr Alphabet() {
        for (int& i : index) i = -1;
        int n = 0;
        for (int c = 0x21; c <= 0x7E; ++c) {
            if (c == '#') continue;
            chars[static_cast<std::size_t>(n)] = static_cast<char>(c);
            index[static_cast<std::size_t>(c)] = n++;
        }
    }
};
constexpr Alphabet kAlphabet;
constexpr int kRange = static_cast<int>(kAlphabet.chars.size());

std::string Shift(std::string_view text, int direction) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int at = kAlphabet.index[static_cast<unsigned char>(out[i])];
        if (at < 0) continue;
        const int step =
            (static_cast<unsigned char>(kKey[i % kKey.size()]) + static_cast<int>(i % kRange)) % kRange;
        out[i] = kAlphabet.chars[static_cast<std::size_t>((at + direction * step + kRange) % kRange)];
    }
    return out;
}

} // namespace

std::string EncipherAddress(std::string_view address) {
    return Shift(address, +1);
}

std::string DecipherAddress(std::string_view stored) {
    return Shift(stored, -1);
}

} // namespace tarvo
