// How a text is addressed: a table is a run of consecutive rows of ten strings, one per language.
#pragma once

namespace tarvo {

inline constexpr int kLanguageCount = 10;

// Rows [first, first + rows) of the flat text array; element row * 10 + language.
struct TextTable {
    int first = 0;
    int rows = 1;
};

struct NamedTextTable {
    const char* name;
    TextTable table;
};

} // namespace tarvo
