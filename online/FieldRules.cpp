#include "online/FieldRules.h"

#include <algorithm>
#include <string>

namespace tarvo {
namespace {

Grade ClassOf(char32_t c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return Grade::Green;
    if (std::u32string_view(U"!(),-.@_").find(c) != std::u32string_view::npos) return Grade::Green;
    if ((c >= U'А' && c <= U'я') || c == U'Ё' || c == U'ё') return Grade::Yellow;
    return Grade::Red;
}

Grade ClassOf(std::u32string_view text) {
    Grade g = Grade::Green;
    for (char32_t c : text) g = std::min(g, ClassOf(c));
    return g;
}

// Cyrillic is allowed only in the city of an account.
bool LatinOnly(AccountField field) {
    return field != AccountField::City;
}

} // namespace

std::u32string DecodeUtf8(std::string_view text) {
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int length = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (length == 0 || i + static_cast<std::size_t>(length) > text.size()) {
            out += U'\uFFFD';
            ++i;
            continue;
        }
        char32_t code = length == 1 ? c : c & (0x7F >> length);
        bool good = true;
        for (int k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            good = good && (next >> 6) == 2;
            code = (code << 6) | (next & 0x3F);
        }
        out += good ? code : U'\uFFFD';
        i += good ? static_cast<std::size_t>(length) : 1;
    }
    return out;
}

Grade GradeAccountField(AccountField field, std::string_view utf8) {
    const std::u32string text = DecodeUtf8(utf8);
    const auto n = static_cast<int>(text.size());
    if (n <= 1) return Grade::Red;
    switch (field) {
    case AccountField::Nick:
        if (n > kNickMax) return Grade::Red;
        break;
    case AccountField::City:
        if (n > kCityMax) return Grade::Red;
        break;
    case AccountField::Password:
        if (n < kPasswordMin || n > kPasswordMax) return Grade::Red;
        break;
    case AccountField::EMail: {
        if (n > kEMailMax) return Grade::Red;
        const std::size_t at = text.find(U'@'); // 1-based position 2 .. n-1
        if (at == std::u32string::npos || at < 1 || at + 2 > text.size()) return Grade::Red;
        break;
    }
    }
    const Grade g = ClassOf(text);
    if (g == Grade::Yellow && LatinOnly(field)) return Grade::Red;
    return g;
}

Grade GradePassportField(PassportField field, std::string_view utf8) {
    const std::u32string text = DecodeUtf8(utf8);
    const auto n = static_cast<int>(text.size());
    if (n <= 1 || n > (field == PassportField::Nick ? kNickMax : kCityMax)) return Grade::Red;
    return ClassOf(text);
}

bool PlainText(std::string_view text) {
    return ClassOf(DecodeUtf8(text)) != Grade::Red;
}

bool PlainCharacter(char32_t c) {
    return ClassOf(c) != Grade::Red;
}

std::string EncodeUtf8(std::u32string_view text) {
    std::string out;
    for (char32_t c : text) {
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = U'\uFFFD';
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (c < 0x800) {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += static_cast<char>(0xE0 | (c >> 12));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (c >> 18));
            out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

bool AcceptAccountKey(AccountField field, char32_t key) {
    Grade g = ClassOf(key);
    if (g == Grade::Yellow && LatinOnly(field)) g = Grade::Red;
    if (field == AccountField::Password || field == AccountField::EMail) return g == Grade::Green;
    return g != Grade::Red;
}

bool AcceptPassportKey(PassportField, char32_t key) {
    return ClassOf(key) != Grade::Red;
}

} // namespace tarvo
