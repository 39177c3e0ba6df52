#include "settings/AddressCipher.h"

namespace tarvo {
namespace {

constexpr std::string_view kKey = "Tarvo3Trio";
constexpr int kFirst = 0x21;
constexpr int kRange = 0x7E - 0x21 + 1;

std::string Shift(std::string_view text, int direction) {
    std::string out(text);
    for (std::size_t i = 0; i < out.size(); ++i) {
        const int c = static_cast<unsigned char>(out[i]);
        if (c < kFirst || c >= kFirst + kRange) continue;
        const int step =
            (static_cast<unsigned char>(kKey[i % kKey.size()]) + static_cast<int>(i % kRange)) % kRange;
        const int moved = ((c - kFirst) + direction * step + kRange) % kRange;
        out[i] = static_cast<char>(kFirst + moved);
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
