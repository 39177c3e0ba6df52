// The ten languages of the calendar's texts, in the program's order: 0 English, 1 Russian,
// 2 German, 3 French, 4 Spanish, 5 Chinese, 6 Italian, 7 Czech, 8 Japanese, 9 Korean.
#pragma once

namespace tarvo {

inline constexpr int kCalendarLanguageCount = 10;

// A language index outside the table falls back to English rather than reading past it.
constexpr int CalendarLanguage(int language) {
    return language >= 0 && language < kCalendarLanguageCount ? language : 0;
}

} // namespace tarvo
