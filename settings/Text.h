// The ten-language texts of the program. Every text the player reads comes from here, looked up
// at the moment it is shown, so a change of language takes effect at once.
//
//   Text(txt::CantSaveOptions, 0, settings.Language)      one message
//   Text(settings, txt::ClubHeader, settings.ClubView)    row of a message family
//
// The tables live in settings/lang/*.txt (UTF-8, one file per group); the build turns them into
// the constants of settings/TextIds.h. A line break inside a text is one LF.
#pragma once

#include <array>
#include <span>
#include <string_view>

#include "settings/TextIds.h"
#include "settings/TextTable.h"

namespace tarvo {

struct Settings;

// Language index, the column of every table.
enum LanguageIndex : int {
    English = 0,
    Russian = 1,
    German = 2,
    French = 3,
    Spanish = 4,
    Chinese = 5,
    Italian = 6,
    Czech = 7,
    Japanese = 8,
    Korean = 9,
};

struct LanguageInfo {
    std::string_view name;         // the language's own name, shown in the language list
    std::string_view resourceCode; // suffix of language-dependent pictures ("Cap" + code)
    std::string_view flag;         // the flag picture of the options dialog
};

// Index order; Japanese and Korean have no pictures of their own and use the English ones.
const std::array<LanguageInfo, kLanguageCount>& Languages();

// Row `row` of `table` in `language`. A language outside 0..9 reads as English; a row outside the
// table gives an empty text rather than another table's row.
std::string_view Text(TextTable table, int row, int language);

// The same in the language the settings hold.
std::string_view Text(const Settings& settings, TextTable table, int row = 0);

// Every table by name, in file order; for tests and tools that walk all texts.
std::span<const NamedTextTable> AllTextTables();

} // namespace tarvo
