// The table of dated holidays: entries, their date rules, the holidays of a day and their hints.
#pragma once

#include "calendar/Dates.h"
#include "calendar/Language.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// A day shows at most this many holidays; the rest of a crowded day is left out in table order.
inline constexpr int kMaxHolidaysPerDay = 6;

// All and RusUnlabelled ("ALL", "RU-") carry no label in the hint.
enum class HolidayCategory { All, Rus, RusUnlabelled, Usa, Fra, Deu, Eng, Isp, Pra, Kat };

// How an entry finds its day in a given year. Written in the table as:
//   Fixed           "dd.mm.yyyy": every year on that day; yyyy is the year of the first
//                   occurrence, counted for the anniversary, or 0000 for none
//   NthWeekday      "****n.w.mm": the n-th (1..4) weekday w (1 Sunday .. 7 Saturday) of month mm
//   LastWeekday     "****l.w.mm": the last weekday w of month mm
//   OrthodoxEaster  "OEASTER+k":  Orthodox Easter Sunday plus k days (the sign is required)
//   CatholicEaster  "CEASTER+k":  Western Easter Sunday plus k days
//   DayOfYear       "DOY.nnn":    the nnn-th day of the year (the 256th for Programmer`s day)
enum class DateRuleKind { Fixed, NthWeekday, LastWeekday, OrthodoxEaster, CatholicEaster, DayOfYear };

struct DateRule {
    DateRuleKind kind = DateRuleKind::Fixed;
    int day = 0;       // Fixed: day of the month; DayOfYear: 1..366
    int month = 0;     // Fixed, NthWeekday, LastWeekday: 1..12
    int firstYear = 0; // Fixed: year of the first occurrence, 0 for none
    int week = 0;      // NthWeekday: 1..4
    int weekday = 0;   // NthWeekday, LastWeekday: 1 Sunday .. 7 Saturday
    int offset = 0;    // OrthodoxEaster, CatholicEaster: days after Easter Sunday, may be negative

    friend bool operator==(const DateRule&, const DateRule&) = default;
};

struct HolidayEntry {
    DateRule rule;
    HolidayCategory category = HolidayCategory::All;
    std::string imageKey; // the picture in the calendar package, e.g. "R_USAFLAG"
    std::array<std::string, kCalendarLanguageCount> names; // in language order, English first
};

// Reads a date rule in one of the forms above; nothing when the text is none of them.
std::optional<DateRule> ParseDateRule(std::string_view text);

// Reads one table entry: "rule#category#image#Russian#English#German#French#Spanish#Chinese#
// Italian#Czech#Japanese#Korean", optionally followed by "#country codes" (ignored). The names are
// stored in language order, so the first two swap places. On failure tells why through error.
std::optional<HolidayEntry> ParseHolidayEntry(std::string_view text, std::string* error = nullptr);

// The day the rule falls on in that year; nothing when it has no such day that year (a 29 February,
// a 366th day in a common year).
std::optional<CivilDate> ResolveDate(const DateRule& rule, int year);

// The program's own table of 82 holidays, read once.
const std::vector<HolidayEntry>& BuiltInHolidays();

// The entries of the table that fall on the date, in table order, at most kMaxHolidaysPerDay.
std::vector<HolidayEntry> HolidaysOn(const std::vector<HolidayEntry>& table, const CivilDate& date);
std::vector<HolidayEntry> HolidaysOn(const CivilDate& date);

// The holiday's name in the language, and in brackets the anniversary and the category label when
// it has them: "Victory day in Great Patriotic war (80-th anniversary, Russian Festival)".
// An anniversary is counted only after the first year itself.
std::string HolidayHint(const HolidayEntry& entry, int year, int language);

// "Russian Festival" and the like; empty for the categories without a label.
std::string_view CategoryLabel(HolidayCategory category, int language);
// Written right after the number of years: "-th anniversary".
std::string_view AnniversarySuffix(int language);

} // namespace tarvo
