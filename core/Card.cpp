#include "Card.h"

#include "Codec.h"

namespace tarvo {

std::string TStr2::Utf8() const {
    return Cp1251ToUtf8(std::string{rank, suit});
}

std::optional<TStr2> TStr2::FromUtf8(std::string_view text) {
    std::string bytes = Utf8ToCp1251(text);
    if (bytes.size() != 2) return std::nullopt;
    TStr2 card{bytes[0], bytes[1]};
    if (card == NoCard || card == FaceDown || IsRealCard(card)) return card;
    return std::nullopt;
}

} // namespace tarvo
