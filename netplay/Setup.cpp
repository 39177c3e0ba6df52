#include "netplay/Setup.h"

#include <algorithm>
#include <charconv>

namespace tarvo {

bool IsServerAddress(std::string_view text) {
    if (std::count(text.begin(), text.end(), '.') != 3) return false;
    std::size_t start = 0;
    for (int group = 0; group < 4; ++group) {
        const std::size_t end = group < 3 ? text.find('.', start) : text.size();
        const std::size_t length = end - start;
        if (length < 1 || length > 3) return false;
        start = end + 1;
    }
    return true;
}

std::optional<int> PortNumber(std::string_view text) {
    int port = 0;
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    std::from_chars(text.data(), text.data() + text.size(), port);
    if (port < 1 || port > 65535) return std::nullopt;
    return port;
}

} // namespace tarvo
