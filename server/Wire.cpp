#include "server/Wire.h"

#include <charconv>

#include "core/Codec.h"

namespace tarvo::server {

Form::Form(std::string_view body) {
    while (!body.empty()) {
        const std::size_t amp = body.find('&');
        std::string_view field = body.substr(0, amp);
        body.remove_prefix(amp == std::string_view::npos ? body.size() : amp + 1);
        if (field.empty()) continue;
        const std::size_t eq = field.find('=');
        std::string name(field.substr(0, eq));
        std::string value(eq == std::string_view::npos ? std::string_view() : field.substr(eq + 1));
        if (!Has(name)) fields_.emplace_back(std::move(name), std::move(value));
    }
}

const std::string* Form::Raw(std::string_view name) const {
    for (const auto& [n, v] : fields_)
        if (n == name) return &v;
    return nullptr;
}

std::optional<std::string> FormDecode(std::string_view text) {
    auto hex = [](char c) -> int {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%') {
            if (i + 2 >= text.size()) return std::nullopt;
            const int hi = hex(text[i + 1]), lo = hex(text[i + 2]);
            if (hi < 0 || lo < 0) return std::nullopt;
            out += static_cast<char>(hi * 16 + lo);
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::optional<int> Integer(std::string_view text) {
    int v = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size() || text.empty()) return std::nullopt;
    return v;
}

std::optional<std::string> WireText(std::string_view bytes) {
    for (char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || c == 0x98) return std::nullopt;
    }
    return Cp1251ToUtf8(bytes);
}

namespace reply {

std::string Number(long long n) {
    return "$" + std::to_string(n) + "\n";
}

std::string Record(std::span<const std::string> fields, char end) {
    std::string text = "$";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) text += ' ';
        for (char c : fields[i]) text += c == ' ' ? '_' : c;
    }
    text += end;
    return Utf8ToCp1251(text);
}

std::string Details(std::span<const std::string> fields) {
    std::string text = "$";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) text += '~';
        text += fields[i];
    }
    return Utf8ToCp1251(text + "$\n");
}

} // namespace reply
} // namespace tarvo::server
