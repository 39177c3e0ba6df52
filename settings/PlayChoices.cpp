#include "settings/PlayChoices.h"

#include <array>
#include <sstream>
#include <string_view>

#include "files/SafeWrite.h"

namespace tarvo {
namespace {

struct Key {
    const char* name;
    bool PlayChoices::*flag;
    const char* off; // the value written for false
    const char* on;  // and for true
};

// The computer is named by its kind, so that a further one can join without a new key.
constexpr std::array<Key, 4> Keys{{
    {"Computer", &PlayChoices::StrongComputer, "classic", "strong"},
    {"Hints", &PlayChoices::Hints, "0", "1"},
    {"NumberedDeals", &PlayChoices::NumberedDeals, "0", "1"},
    {"KeyboardPlay", &PlayChoices::KeyboardPlay, "0", "1"},
}};

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

} // namespace

std::string PlayChoicesFileBytes(const PlayChoices& choices) {
    std::string text = "[Game]\n";
    for (const Key& k : Keys) text += std::string(k.name) + "=" + (choices.*k.flag ? k.on : k.off) + "\n";
    return text;
}

PlayChoices LoadPlayChoices(const std::filesystem::path& file) {
    PlayChoices choices;
    std::string bytes;
    if (ReadFileBytes(file, bytes)) return choices;
    if (bytes.size() > 64 * 1024) return choices; // nobody writes this much by hand
    std::istringstream in(bytes);
    for (std::string line; std::getline(in, line);) {
        auto eq = line.find('=');
        if (eq == std::string::npos) continue;
        std::string_view name = Trim(std::string_view(line).substr(0, eq));
        std::string_view value = Trim(std::string_view(line).substr(eq + 1));
        for (const Key& k : Keys) {
            if (name != k.name) continue;
            if (value == k.on) choices.*k.flag = true;
            if (value == k.off) choices.*k.flag = false;
        }
    }
    return choices;
}

std::error_code SavePlayChoices(const std::filesystem::path& file, const PlayChoices& choices) {
    return ReplaceFileContents(file, PlayChoicesFileBytes(choices));
}

} // namespace tarvo
