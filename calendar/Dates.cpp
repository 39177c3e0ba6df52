#include "calendar/Dates.h"

#include <chrono>

namespace tarvo {

namespace {

namespace chr = std::chrono;

// The remainder in 0..m-1 also for a negative a, so that the formulas hold for any year.
int Mod(int a, int m) {
    const int r = a % m;
    return r < 0 ? r + m : r;
}

int FloorDiv(int a, int m) {
    return (a - Mod(a, m)) / m;
}

chr::sys_days ToDays(const CivilDate& d) {
    return chr::sys_days{chr::year{d.year} / chr::month{static_cast<unsigned>(d.month)} /
                         chr::day{static_cast<unsigned>(d.day)}};
}

CivilDate FromDays(chr::sys_days days) {
    const chr::year_month_day ymd{days};
    return {static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
            static_cast<int>(static_cast<unsigned>(ymd.day()))};
}

} // namespace

bool IsLeapYear(int year) {
    return (Mod(year, 4) == 0 && Mod(year, 100) != 0) || Mod(year, 400) == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidDate(const CivilDate& date) {
    return date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

int DayOfWeek(const CivilDate& date) {
    return static_cast<int>(chr::weekday{ToDays(date)}.c_encoding()) + 1;
}

int DayOfYear(const CivilDate& date) {
    return static_cast<int>((ToDays(date) - ToDays({date.year, 1, 1})).count()) + 1;
}

std::optional<CivilDate> DateOfDayOfYear(int year, int dayOfYear) {
    const int length = IsLeapYear(year) ? 366 : 365;
    if (dayOfYear < 1 || dayOfYear > length) return std::nullopt;
    return AddDays({year, 1, 1}, dayOfYear - 1);
}

CivilDate AddDays(const CivilDate& date, int days) {
    return FromDays(ToDays(date) + chr::days{days});
}

CivilDate OrthodoxEaster(int year) {
    const int d = Mod(19 * Mod(year, 19) + 15, 30);
    const int e = Mod(2 * Mod(year, 4) + 4 * Mod(year, 7) + 6 * d + 6, 7);
    // Easter always falls after February, where the Julian calendar lags by this many days.
    const int lag = FloorDiv(year, 100) - FloorDiv(year, 400) - 2;
    return AddDays({year, 3, 22}, d + e + lag);
}

CivilDate CatholicEaster(int year) {
    const int golden = Mod(year, 19) + 1;
    const int century = FloorDiv(year, 100) + 1;
    const int skippedLeapDays = FloorDiv(3 * century, 4) - 12;
    const int moonCorrection = FloorDiv(8 * century + 5, 25) - 5;
    const int sunday = FloorDiv(5 * year, 4) - skippedLeapDays - 10;
    int epact = Mod(11 * golden + 20 + moonCorrection - skippedLeapDays, 30);
    if ((epact == 25 && golden > 11) || epact == 24) ++epact;
    int n = 44 - epact; // the paschal full moon, as a day of March
    if (n < 21) n += 30;
    n += 7 - Mod(sunday + n, 7);
    return n > 31 ? CivilDate{year, 4, n - 31} : CivilDate{year, 3, n};
}

} // namespace tarvo
