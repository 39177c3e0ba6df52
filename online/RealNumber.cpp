#include "online/RealNumber.h"

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tarvo {
namespace {

// Digits and decimal exponent of `value` rounded to `precision` significant digits.
struct Decimal {
    std::string digits; // no leading zeros, at least one digit
    int exponent = 0;   // of the first digit
    bool negative = false;
};

Decimal Round(double value, int precision) {
    char buffer[64];
    const auto [end, ec] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, precision - 1);
    (void)ec;
    std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
    Decimal d;
    if (!text.empty() && text.front() == '-') {
        d.negative = true;
        text.remove_prefix(1);
    }
    const std::size_t e = text.find('e');
    for (char c : text.substr(0, e))
        if (c != '.') d.digits += c;
    d.exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
    return d;
}

std::string Plain(const Decimal& d) {
    std::string digits = d.digits;
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string out = d.negative ? "-" : "";
    if (d.exponent < 0) {
        out += "0." + std::string(static_cast<std::size_t>(-d.exponent - 1), '0') + digits;
    } else {
        const auto whole = static_cast<std::size_t>(d.exponent) + 1;
        if (digits.size() <= whole) {
            out += digits + std::string(whole - digits.size(), '0');
        } else {
            out += digits.substr(0, whole) + "." + digits.substr(whole);
        }
    }
    return out;
}

} // namespace

std::string FormatReal(double value) {
    if (!std::isfinite(value) || std::fabs(value) < 0.00001) return "0";
    for (int precision = 1; precision < 15; ++precision) {
        const std::string text = Plain(Round(value, precision));
        double back = 0;
        std::from_chars(text.data(), text.data() + text.size(), back);
        if (back == value) return text;
    }
    return Plain(Round(value, 15));
}

std::optional<double> ParseReal(std::string_view text) {
    std::string copy(text);
    for (char& c : copy) {
        if (c == ' ' || c == '-' || (c >= '0' && c <= '9')) continue;
        c = '.';
        break;
    }
    std::string_view s = copy;
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    if (s.empty()) return std::nullopt;
    double value = 0;
    const auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
    if (ec != std::errc() || ptr != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string RatingText(double value) {
    // to_chars, not printf: the program runs under the player's locale, whose separator may be ",".
    char buffer[512]; // room for the largest double in full
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, std::round(value * 1000.0) / 1000.0,
                                         std::chars_format::fixed, 3);
    (void)ec;
    std::string text(buffer, end);
    if (text == "-0.000") text = "0.000";
    for (char& c : text)
        if (c == '.') c = ',';
    return text;
}

} // namespace tarvo
