#include "online/Scanners.h"

#include <charconv>

namespace tarvo {
namespace {

RecordFields Cut(std::string_view record, char separator) {
    std::string text;
    text.reserve(record.size() + 2);
    text += separator;
    text += record;
    text += separator;
    RecordFields fields;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != separator) continue;
        fields.emplace_back(text.substr(start, i - start));
        start = i + 1;
    }
    return fields; // a field is closed by a separator: nothing follows the one put at the end
}

// The last "$" of the reply that is not its final character.
std::optional<std::size_t> LastMarker(std::string_view reply) {
    if (reply.size() < 2) return std::nullopt;
    const std::size_t at = reply.rfind('$', reply.size() - 2);
    if (at == std::string_view::npos) return std::nullopt;
    return at;
}

// The record that starts after the "$" at `marker`: up to the next `end` or the last character.
std::string_view RecordAfter(std::string_view reply, std::size_t marker, char end) {
    const std::size_t last = reply.size() - 1;
    std::size_t stop = reply.find(end, marker + 1);
    if (stop == std::string_view::npos || stop > last) stop = last;
    return reply.substr(marker + 1, stop - (marker + 1));
}

std::optional<std::size_t> FirstMarker(std::string_view reply) {
    const std::size_t at = reply.find('$');
    if (at == std::string_view::npos || at + 1 >= reply.size()) return std::nullopt;
    return at;
}

} // namespace

const std::string* FieldAt(const RecordFields& fields, int n) {
    if (n < 0 || static_cast<std::size_t>(n) >= fields.size()) return nullptr;
    return &fields[static_cast<std::size_t>(n)];
}

std::optional<int> ScanNumber(std::string_view reply) {
    const auto marker = LastMarker(reply);
    if (!marker) return std::nullopt;
    const std::size_t last = reply.size() - 1;
    std::size_t end = *marker + 1;
    while (end < last && reply[end] >= '0' && reply[end] <= '9') ++end;
    const char* first = reply.data() + *marker + 1;
    int value = 0;
    const auto [ptr, ec] = std::from_chars(first, reply.data() + end, value);
    if (ec != std::errc() || ptr == first) return std::nullopt;
    return value;
}

std::vector<RecordFields> ScanRecords(std::string_view reply) {
    std::vector<RecordFields> records;
    for (std::size_t i = 0; i + 1 < reply.size() && records.size() < 10; ++i)
        if (reply[i] == '$') records.push_back(Cut(RecordAfter(reply, i, '*'), ' '));
    return records;
}

std::optional<RecordFields> ScanRecord(std::string_view reply, char end) {
    const auto marker = FirstMarker(reply);
    if (!marker) return std::nullopt;
    return Cut(RecordAfter(reply, *marker, end), ' ');
}

bool HasPair(std::string_view reply, std::string_view pair) {
    return pair.size() == 2 && reply.find(pair) != std::string_view::npos;
}

bool ScanStatus(std::string_view reply) {
    const auto marker = LastMarker(reply);
    if (!marker) return false;
    std::string_view text = reply.substr(*marker + 1);
    text = text.substr(0, text.find('#'));
    return text.size() >= 3 && text.substr(1, 2) == "ok";
}

std::optional<RecordFields> ScanDetails(std::string_view reply) {
    const auto marker = FirstMarker(reply);
    if (!marker) return std::nullopt;
    return Cut(RecordAfter(reply, *marker, '$'), '~');
}

} // namespace tarvo
