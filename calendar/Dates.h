// Day arithmetic on the Gregorian calendar and the two Easter computations the holiday table needs.
#pragma once

#include <optional>

namespace tarvo {

// A day of the Gregorian calendar (also before 1582, as if it had always been in force).
struct CivilDate {
    int year = 0;
    int month = 0; // 1..12
    int day = 0;   // 1..31

    friend bool operator==(const CivilDate&, const CivilDate&) = default;
};

bool IsLeapYear(int year);
// 0 for a month outside 1..12.
int DaysInMonth(int year, int month);
bool IsValidDate(const CivilDate& date);

// The functions below expect a valid date.
// 1 Sunday, 2 Monday, ... 7 Saturday, as the weekday rules of the holiday table count them.
int DayOfWeek(const CivilDate& date);
// 1 for 1 January.
int DayOfYear(const CivilDate& date);
// The dayOfYear-th day of the year; nothing when the year is shorter.
std::optional<CivilDate> DateOfDayOfYear(int year, int dayOfYear);
CivilDate AddDays(const CivilDate& date, int days);

// Easter Sunday of the Orthodox church as a Gregorian date: the Julian computus, then moved by the
// distance between the two calendars (13 days from 1900 to 2099, 14 in the 22nd century).
CivilDate OrthodoxEaster(int year);
// Easter Sunday of the Western church by the Gregorian computus; meaningful from 1583 on.
CivilDate CatholicEaster(int year);

} // namespace tarvo
