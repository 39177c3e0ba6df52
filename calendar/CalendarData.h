// The calendar's tables, generated at build time from calendar/Holidays.txt and
// calendar/CalendarTexts.txt. Only the calendar library reads them (and its tests).
#pragma once

#include "calendar/Language.h"

namespace tarvo::calendar_data {

// The holiday entries exactly as written in the table, in table order.
extern const int kHolidayEntryCount;
extern const char* const kHolidayEntries[];

// [row][language]; rows: months January first, signs Aries first, animals Rat first.
extern const char* const kMonthNames[12][kCalendarLanguageCount];
extern const char* const kZodiacNames[12][kCalendarLanguageCount];
extern const char* const kEasternYearNames[12][kCalendarLanguageCount];
// Rows in the order ENG, RUS, DEU, FRA, ISP, USA, PRA, KAT.
extern const char* const kCategoryLabels[8][kCalendarLanguageCount];
extern const char* const kAnniversarySuffix[kCalendarLanguageCount];

} // namespace tarvo::calendar_data
