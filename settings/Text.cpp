#include "settings/Text.h"

#include "settings/Settings.h"

namespace tarvo {
namespace detail {
extern const char* const kTextData[];
extern const NamedTextTable kTextTables[];
} // namespace detail

const std::array<LanguageInfo, kLanguageCount>& Languages() {
    static const std::array<LanguageInfo, kLanguageCount> languages{{
        {"English", "Eng", "FlagOEng"},
        {"Русский", "Rus", "FlagORus"},
        {"Deutsche", "Deu", "FlagODeu"},
        {"Français", "Fra", "FlagOFra"},
        {"Español", "Spa", "FlagOSpa"},
        {"中文", "Chi", "FlagOChi"},
        {"Italiano", "Ita", "FlagOIta"},
        {"Čeština", "Cze", "FlagOCze"},
        {"日本", "Eng", "FlagOJap"},
        {"한국인", "Eng", "FlagOKor"},
    }};
    return languages;
}

std::string_view Text(TextTable table, int row, int language) {
    if (row < 0 || row >= table.rows) return {};
    if (language < 0 || language >= kLanguageCount) language = English;
    return detail::kTextData[(table.first + row) * kLanguageCount + language];
}

std::string_view Text(const Settings& settings, TextTable table, int row) {
    return Text(table, row, settings.Language);
}

std::span<const NamedTextTable> AllTextTables() {
    return {detail::kTextTables, static_cast<std::size_t>(txt::kTextTableCount)};
}

} // namespace tarvo
