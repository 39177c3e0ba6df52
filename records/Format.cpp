#include "records/Format.h"

#include <charconv>
#include <cmath>
#include <cstdio>

namespace tarvo {
namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

std::string PadLeft(std::string text, int width) {
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

// Fixed decimals after a comma, rounded half away from zero as the number reads in decimal
// (7.125 gives "7,13", 0.015 gives "0,02"): the binary value is first written with spare digits,
// which absorbs its representation error. A value that rounds to zero loses its minus sign.
std::string FixedWithComma(double x, int decimals) {
    if (!std::isfinite(x)) x = 0.0;
    char buffer[512];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals + 6, std::fabs(x));
    std::string text = buffer;
    std::size_t point = text.find('.');
    std::string digits = text.substr(0, point) + text.substr(point + 1, static_cast<std::size_t>(decimals));
    if (text[point + 1 + static_cast<std::size_t>(decimals)] >= '5') {
        std::size_t i = digits.size();
        while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
        if (i == 0)
            digits.insert(0, 1, '1');
        else
            ++digits[i - 1];
    }
    bool zero = digits.find_first_not_of('0') == std::string::npos;
    std::string result = (x < 0 && !zero) ? "-" : "";
    result += digits.substr(0, digits.size() - static_cast<std::size_t>(decimals));
    if (decimals > 0) result += "," + digits.substr(digits.size() - static_cast<std::size_t>(decimals));
    return result;
}

} // namespace

std::string PadNumber(std::int64_t n, int width, char fill) {
    std::string text = std::to_string(n);
    if (static_cast<int>(text.size()) < width)
        text.insert(0, static_cast<std::size_t>(width) - text.size(), fill);
    return text;
}

std::string FormatRating6(double x) {
    return PadLeft(FixedWithComma(x, 6), 10);
}

std::string FormatFixed2(double x, int width) {
    return PadLeft(FixedWithComma(x, 2), width);
}

double RoundHalfEven6(double x) {
    // Spelled out rather than left to nearbyint, so that a changed rounding mode cannot move it.
    double y = x * 1'000'000.0;
    double low = std::floor(y);
    double rest = y - low;
    double rounded = low;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(low, 2.0) != 0.0)) rounded = low + 1.0;
    return rounded / 1'000'000.0;
}

double LimitRating(double x) {
    if (std::isnan(x)) return 0.0;
    if (x > RatingLimit) return RatingLimit;
    if (x < -RatingLimit) return -RatingLimit;
    return x;
}

std::optional<double> ParseDecimalField(std::string_view field) {
    field = TrimBlanks(field);
    if (field.empty() || field.find('.') != std::string_view::npos) return std::nullopt;
    std::string text(field);
    for (char& c : text)
        if (c == ',') c = '.';
    double value = 0.0;
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
    if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::optional<std::int64_t> ParseIntField(std::string_view field) {
    field = TrimBlanks(field);
    if (field.empty()) return std::nullopt;
    std::int64_t value = 0;
    const char* end = field.data() + field.size();
    auto [ptr, ec] = std::from_chars(field.data(), end, value);
    if (ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

} // namespace tarvo
