#include "calendar/Sheets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace tarvo {
namespace {

// The first and the last day of every sign.
TEST(Zodiac, SignsChangeOnTheirDays) {
    struct Case {
        int month, day, sign;
    };
    const Case cases[] = {{3, 21, 0},  {4, 20, 0},  {4, 21, 1},  {5, 20, 1},  {5, 21, 2},  {6, 21, 2},
                          {6, 22, 3},  {7, 22, 3},  {7, 23, 4},  {8, 23, 4},  {8, 24, 5},  {9, 23, 5},
                          {9, 24, 6},  {10, 23, 6}, {10, 24, 7}, {11, 22, 7}, {11, 23, 8}, {12, 21, 8},
                          {12, 22, 9}, {12, 31, 9}, {1, 1, 9},   {1, 20, 9},  {1, 21, 10}, {2, 20, 10},
                          {2, 21, 11}, {2, 29, 11}, {3, 20, 11}};
    for (const auto& c : cases) EXPECT_EQ(ZodiacSign(c.month, c.day), c.sign) << c.day << "." << c.month;
    EXPECT_EQ(ZodiacSign(2, 30), -1);
    EXPECT_EQ(ZodiacSign(13, 1), -1);
    EXPECT_EQ(ZodiacSign(0, 1), -1);
    EXPECT_EQ(ZodiacImageKey(0), "R_01");
    EXPECT_EQ(ZodiacImageKey(11), "R_12");
    EXPECT_EQ(ZodiacName(8, 0), "Sagittarius");
    EXPECT_EQ(ZodiacName(8, 1), "Стрелец");
}

TEST(EasternYear, FollowsTheYearModuloTwelve) {
    struct Case {
        int year;
        const char* image;
        const char* name;
    };
    const Case cases[] = {
        {2016, "R_VOSMONK", "Year Of The Monkey"}, {2017, "R_VOSPETU", "Year Of The Rooster"},
        {2018, "R_VOSDOG0", "Year Of The Dog"},    {2019, "R_VOSPIG0", "Year Of The Pig"},
        {2020, "R_VOSKRIS", "Year Of The Rat"},    {2021, "R_VOSBULL", "Year Of The Ox"},
        {2022, "R_VOSTIGR", "Year Of The Tiger"},  {2023, "R_VOSRABB", "Year Of The Rabbit"},
        {2024, "R_VOSDRAG", "Year Of The Dragon"}, {2025, "R_VOSSNAK", "Year Of The Snake"},
        {2026, "R_VOSHORS", "Year Of The Horse"},  {2027, "R_VOSKOZA", "Year Of The Goat"},
        {1900, "R_VOSKRIS", "Year Of The Rat"}};
    for (const auto& c : cases) {
        const int animal = EasternYearAnimal(c.year);
        EXPECT_EQ(EasternYearImageKey(animal), c.image) << c.year;
        EXPECT_EQ(EasternYearName(animal, 0), c.name) << c.year;
    }
    EXPECT_EQ(EasternYearName(EasternYearAnimal(2025), 1), "Год Змеи");
}

TEST(CalendarTexts, EveryNameExistsInEveryLanguage) {
    for (int language = 0; language < kCalendarLanguageCount; ++language) {
        for (int i = 0; i < 12; ++i) {
            EXPECT_FALSE(MonthName(i + 1, language).empty()) << i << " " << language;
            EXPECT_FALSE(ZodiacName(i, language).empty()) << i << " " << language;
            EXPECT_FALSE(EasternYearName(i, language).empty()) << i << " " << language;
        }
    }
    EXPECT_EQ(MonthName(1, 0), "January");
    EXPECT_EQ(MonthName(12, 0), "December");
    EXPECT_EQ(MonthName(1, 1), "Января");
    EXPECT_EQ(MonthName(12, 1), "Декабря");
    EXPECT_TRUE(MonthName(13, 0).empty());
}

TEST(CalendarSheets, DateYearAndHolidaySheetsInOrder) {
    const auto sheets = CalendarSheets({2025, 5, 9}, 0);
    ASSERT_EQ(sheets.size(), 3u);
    for (const auto& sheet : sheets) EXPECT_EQ(sheet.baseImage, "R_BASE");

    EXPECT_EQ(sheets[0].kind, SheetKind::Date);
    EXPECT_EQ(sheets[0].image, "R_02");
    EXPECT_EQ(sheets[0].dayNumber, "9");
    EXPECT_EQ(sheets[0].monthName, "May");
    EXPECT_EQ(sheets[0].hint, "Taurus");

    EXPECT_EQ(sheets[1].kind, SheetKind::EasternYear);
    EXPECT_EQ(sheets[1].image, "R_VOSSNAK");
    EXPECT_EQ(sheets[1].hint, "Year Of The Snake");
    EXPECT_TRUE(sheets[1].dayNumber.empty());
    EXPECT_TRUE(sheets[1].monthName.empty());

    EXPECT_EQ(sheets[2].kind, SheetKind::Holiday);
    EXPECT_EQ(sheets[2].image, "R_RUSORDN");
    EXPECT_EQ(sheets[2].hint, "Victory day in Great Patriotic war (80-th anniversary, Russian Festival)");
    EXPECT_TRUE(sheets[2].dayNumber.empty());
}

TEST(CalendarSheets, FollowTheLanguage) {
    const auto sheets = CalendarSheets({2025, 5, 9}, 1);
    ASSERT_EQ(sheets.size(), 3u);
    EXPECT_EQ(sheets[0].monthName, "Мая");
    EXPECT_EQ(sheets[0].hint, "Телец");
    EXPECT_EQ(sheets[1].hint, "Год Змеи");
    EXPECT_EQ(sheets[2].hint,
              "День Победы в Великой Отечественной войне (80-я годовщина, Российский праздник)");
    EXPECT_EQ(CalendarSheets({2025, 5, 9}, 42)[0].monthName, "May");
}

TEST(CalendarSheets, TwoSheetsOnAnOrdinaryDayAndNoneForABadDate) {
    const auto sheets = CalendarSheets({2025, 3, 3}, 0);
    ASSERT_EQ(sheets.size(), 2u);
    EXPECT_EQ(sheets[0].hint, "Pisces");
    EXPECT_TRUE(CalendarSheets({2025, 2, 29}, 0).empty());
    // When both churches keep Easter on one day, each has its own sheet.
    const auto easter = CalendarSheets({2025, 4, 20}, 0);
    ASSERT_EQ(easter.size(), 4u);
    EXPECT_EQ(easter[2].hint, "Easter (The Orthodox holiday)");
    EXPECT_EQ(easter[3].hint, "Easter (Catholic feast)");
    EXPECT_EQ(easter[2].image, "R_PASHA00");
}

TEST(CalendarSheets, ThePackageKeysCoverEverySheet) {
    const auto keys = CalendarImageKeys();
    const std::set<std::string> unique(keys.begin(), keys.end());
    EXPECT_EQ(unique.size(), keys.size());
    EXPECT_EQ(keys.front(), "R_BASE");
    for (const char* key : {"R_01", "R_12", "R_VOSKRIS", "R_VOSPIG0", "R_1April0", "R_USABLAG", "R_ALLPROG"})
        EXPECT_TRUE(unique.count(key)) << key;
    for (int year = 2024; year <= 2025; ++year)
        for (CivilDate day{year, 1, 1}; day.year == year; day = AddDays(day, 1))
            for (const auto& sheet : CalendarSheets(day, 0))
                EXPECT_TRUE(unique.count(sheet.image)) << sheet.image;
}

} // namespace
} // namespace tarvo
