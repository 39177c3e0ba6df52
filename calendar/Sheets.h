// The calendar sheets of the main menu: what each of the small sheets shows for a day.
//
// The menu draws up to kMaxCalendarSheets sheets of kSheetWidth x kSheetHeight pixels, all
// decided here, so that the drawing code only draws:
//
//   const auto sheets = CalendarSheets({today.year(), today.month(), today.day()}, Language);
//   for each sheet:
//     draw the picture sheet.baseImage ("R_BASE") from the calendar package,
//     then the picture sheet.image over it,
//     and on a SheetKind::Date sheet the texts sheet.dayNumber and sheet.monthName;
//     give the sheet the hint sheet.hint.
//
// Sheet 1 is always the date (zodiac picture, hint: the sign), sheet 2 always the Eastern year
// (animal picture, hint: the year's name), sheets 3 and on the day's holidays in table order (the
// holiday's picture, hint: name with anniversary and category label). The menu shows sheet 1 on the
// left and turns the right image through sheets 2, 3, ...
//
// Image keys are written as the table has them ("R_1April0"); the package lookup ignores case.
// Texts are UTF-8 in the given language (0 English .. 9 Korean; anything else means English).
// Positions and fonts within a sheet are the drawing code's choice.
#pragma once

#include "calendar/Dates.h"
#include "calendar/Holidays.h"

#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

inline constexpr int kSheetWidth = 60;
inline constexpr int kSheetHeight = 100;
inline constexpr int kMaxCalendarSheets = 2 + kMaxHolidaysPerDay;
inline constexpr std::string_view kSheetBaseImage = "R_BASE";

enum class SheetKind { Date, EasternYear, Holiday };

struct CalendarSheet {
    SheetKind kind = SheetKind::Date;
    std::string baseImage; // drawn first: "R_BASE"
    std::string image;     // drawn over it: zodiac sign, Eastern animal or holiday picture
    std::string dayNumber; // Date sheet only: "9"; empty on the others
    std::string monthName; // Date sheet only: "May" ("Мая" in Russian); empty on the others
    std::string hint;
};

// The sheets for the day in the language: 2 + the day's holidays, at most kMaxCalendarSheets.
// None for an invalid date.
std::vector<CalendarSheet> CalendarSheets(const CivilDate& today, int language);

// 0 Aries, 1 Taurus, ... 11 Pisces for a valid day of the year (Aries from 21 March); -1 otherwise.
int ZodiacSign(int month, int day);
// "R_01" .. "R_12"; empty outside 0..11.
std::string_view ZodiacImageKey(int sign);
std::string_view ZodiacName(int sign, int language);

// 0 Rat, 1 Ox, ... 11 Pig: the animal of the calendar year (a year divisible by 12 is the Monkey's).
int EasternYearAnimal(int year);
// "R_VOSKRIS" (Rat) .. "R_VOSPIG0" (Pig); empty outside 0..11.
std::string_view EasternYearImageKey(int animal);
std::string_view EasternYearName(int animal, int language);

// "January" .. "December"; Russian and Czech in the genitive, as they stand after a day number.
std::string_view MonthName(int month, int language);

// Every picture key the sheets can ask for, each once: "R_BASE", the twelve signs, the twelve
// animals and the holiday pictures of the table. The calendar package must hold all of them.
std::vector<std::string> CalendarImageKeys();

} // namespace tarvo
