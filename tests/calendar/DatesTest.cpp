#include "calendar/Dates.h"

#include <gtest/gtest.h>

namespace tarvo {
namespace {

struct EasterCase {
    int year;
    int month;
    int day;
};

// Western Easter Sundays as published, with the earliest and latest possible dates and the years in
// which the epact correction of the computus decides the date (1954, 1981, 2049, 2076).
TEST(Easter, CatholicDatesMatchThePublishedList) {
    const EasterCase cases[] = {{2000, 4, 23}, {2001, 4, 15}, {2002, 3, 31}, {2003, 4, 20}, {2004, 4, 11},
                                {2005, 3, 27}, {2006, 4, 16}, {2007, 4, 8},  {2008, 3, 23}, {2009, 4, 12},
                                {2010, 4, 4},  {2011, 4, 24}, {2012, 4, 8},  {2013, 3, 31}, {2014, 4, 20},
                                {2015, 4, 5},  {2016, 3, 27}, {2017, 4, 16}, {2018, 4, 1},  {2019, 4, 21},
                                {2020, 4, 12}, {2021, 4, 4},  {2022, 4, 17}, {2023, 4, 9},  {2024, 3, 31},
                                {2025, 4, 20}, {2026, 4, 5},  {2027, 3, 28}, {2028, 4, 16}, {2029, 4, 1},
                                {2030, 4, 21}, {1818, 3, 22}, {2285, 3, 22}, {1943, 4, 25}, {2038, 4, 25},
                                {1954, 4, 18}, {1981, 4, 19}, {2049, 4, 18}, {2076, 4, 19}, {1583, 4, 10}};
    for (const auto& c : cases)
        EXPECT_EQ(CatholicEaster(c.year), (CivilDate{c.year, c.month, c.day})) << c.year;
}

// Orthodox Easter Sundays as published (Gregorian dates). In 2100 the Julian calendar falls a
// fourteenth day behind, so Julian 18 April is 2 May.
TEST(Easter, OrthodoxDatesMatchThePublishedList) {
    const EasterCase cases[] = {{2000, 4, 30}, {2001, 4, 15}, {2002, 5, 5},  {2003, 4, 27}, {2004, 4, 11},
                                {2005, 5, 1},  {2006, 4, 23}, {2007, 4, 8},  {2008, 4, 27}, {2009, 4, 19},
                                {2010, 4, 4},  {2011, 4, 24}, {2012, 4, 15}, {2013, 5, 5},  {2014, 4, 20},
                                {2015, 4, 12}, {2016, 5, 1},  {2017, 4, 16}, {2018, 4, 8},  {2019, 4, 28},
                                {2020, 4, 19}, {2021, 5, 2},  {2022, 4, 24}, {2023, 4, 16}, {2024, 5, 5},
                                {2025, 4, 20}, {2026, 4, 12}, {2027, 5, 2},  {2028, 4, 16}, {2029, 4, 8},
                                {2030, 4, 28}, {1900, 4, 22}, {2100, 5, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(OrthodoxEaster(c.year), (CivilDate{c.year, c.month, c.day})) << c.year;
}

TEST(Easter, AlwaysASundayInSpring) {
    for (int year = 1600; year <= 2400; ++year) {
        for (const CivilDate easter : {CatholicEaster(year), OrthodoxEaster(year)}) {
            ASSERT_TRUE(IsValidDate(easter)) << year;
            EXPECT_EQ(DayOfWeek(easter), 1) << year << "-" << easter.month << "-" << easter.day;
            EXPECT_TRUE(easter.month == 3 || easter.month == 4 || easter.month == 5) << year;
        }
    }
}

TEST(Dates, LeapYearsAndMonthLengths) {
    EXPECT_TRUE(IsLeapYear(2024));
    EXPECT_TRUE(IsLeapYear(2000));
    EXPECT_FALSE(IsLeapYear(1900));
    EXPECT_FALSE(IsLeapYear(2025));
    EXPECT_EQ(DaysInMonth(2024, 2), 29);
    EXPECT_EQ(DaysInMonth(2025, 2), 28);
    EXPECT_EQ(DaysInMonth(2025, 13), 0);
    EXPECT_FALSE(IsValidDate({2025, 2, 29}));
    EXPECT_FALSE(IsValidDate({2025, 4, 31}));
    EXPECT_FALSE(IsValidDate({2025, 0, 1}));
    EXPECT_TRUE(IsValidDate({2024, 2, 29}));
}

TEST(Dates, WeekdaysAndDaysOfTheYear) {
    EXPECT_EQ(DayOfWeek({2025, 1, 20}), 2);  // a Monday
    EXPECT_EQ(DayOfWeek({2024, 12, 28}), 7); // a Saturday
    EXPECT_EQ(DayOfWeek({2000, 1, 1}), 7);
    EXPECT_EQ(DayOfYear({2025, 1, 1}), 1);
    EXPECT_EQ(DayOfYear({2024, 12, 31}), 366);
    EXPECT_EQ(DateOfDayOfYear(2024, 256), (CivilDate{2024, 9, 12}));
    EXPECT_EQ(DateOfDayOfYear(2025, 256), (CivilDate{2025, 9, 13}));
    EXPECT_EQ(DateOfDayOfYear(2024, 366), (CivilDate{2024, 12, 31}));
    EXPECT_FALSE(DateOfDayOfYear(2025, 366));
    EXPECT_FALSE(DateOfDayOfYear(2025, 0));
    EXPECT_EQ(AddDays({2024, 12, 25}, 10), (CivilDate{2025, 1, 4}));
    EXPECT_EQ(AddDays({2024, 3, 1}, -1), (CivilDate{2024, 2, 29}));
}

} // namespace
} // namespace tarvo
