#include "calendar/Holidays.h"
#include "calendar/CalendarData.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace tarvo {
namespace {

const char* const kNames = "ru#en#de#fr#es#zh#it#cs#ja#ko";

HolidayEntry Entry(const std::string& rule, const std::string& category, const std::string& image = "R_X") {
    const auto entry = ParseHolidayEntry(rule + "#" + category + "#" + image + "#" + kNames);
    EXPECT_TRUE(entry) << rule;
    return entry.value_or(HolidayEntry{});
}

std::vector<std::string> EnglishNames(const std::vector<HolidayEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& e : entries) names.push_back(e.names[0]);
    return names;
}

bool Shows(const CivilDate& date, const std::string& englishName, HolidayCategory category) {
    const auto found = HolidaysOn(date);
    return std::any_of(found.begin(), found.end(), [&](const HolidayEntry& e) {
        return e.names[0] == englishName && e.category == category;
    });
}

TEST(HolidayTable, EveryEntryReadsWithTenNames) {
    ASSERT_EQ(calendar_data::kHolidayEntryCount, 82);
    for (int i = 0; i < calendar_data::kHolidayEntryCount; ++i) {
        std::string error;
        const auto entry = ParseHolidayEntry(calendar_data::kHolidayEntries[i], &error);
        ASSERT_TRUE(entry) << "entry " << i + 1 << ": " << error;
        EXPECT_FALSE(entry->imageKey.empty());
        for (int language = 0; language < kCalendarLanguageCount; ++language)
            EXPECT_FALSE(entry->names[language].empty()) << "entry " << i + 1 << " language " << language;
    }
    ASSERT_EQ(BuiltInHolidays().size(), 82u);
    EXPECT_EQ(BuiltInHolidays()[0].names[0], "New Year");
    EXPECT_EQ(BuiltInHolidays()[0].names[1], "Новый год");
    EXPECT_EQ(BuiltInHolidays()[2].names[1], "Татьянин День, День российского студенчества");
}

TEST(HolidayEntry, ReadsTheFieldsAndPutsEnglishFirst) {
    const auto entry = ParseHolidayEntry(
        "09.05.1945#RUS#R_RUSORDN#Русский#English#Deutsch#Français#Español#中文#Italiano#Čeština#"
        "日本語#한국어#RU,BY");
    ASSERT_TRUE(entry);
    EXPECT_EQ(entry->rule, (DateRule{.kind = DateRuleKind::Fixed, .day = 9, .month = 5, .firstYear = 1945}));
    EXPECT_EQ(entry->category, HolidayCategory::Rus);
    EXPECT_EQ(entry->imageKey, "R_RUSORDN");
    const std::array<std::string, 10> expected = {"English", "Русский",  "Deutsch", "Français", "Español",
                                                  "中文",    "Italiano", "Čeština", "日本語",   "한국어"};
    EXPECT_EQ(entry->names, expected);
}

TEST(HolidayEntry, RefusesDamagedEntries) {
    const std::string names = std::string("#") + kNames;
    const std::string damaged[] = {
        "01.01.0000#ALL#R_X#ru#en#de#fr#es#zh#it#cs#ja",  // a name short
        "01.01.0000#ALL#R_X" + names + "#RU#extra",       // a field too many
        "01.01.0000#XYZ#R_X" + names,                     // unknown category
        "01.01.0000#ALL#" + names,                        // no image key
        "01.01.0000#ALL#R_X#ru#en#de#fr##zh#it#cs#ja#ko", // an empty name
        "1.1.0000#ALL#R_X" + names,                       // bad date rule
    };
    for (const auto& text : damaged) {
        std::string error;
        EXPECT_FALSE(ParseHolidayEntry(text, &error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(DateRule, ReadsEveryFormAndRefusesTheRest) {
    using K = DateRuleKind;
    EXPECT_EQ(ParseDateRule("01.01.0000"), (DateRule{.kind = K::Fixed, .day = 1, .month = 1}));
    EXPECT_EQ(ParseDateRule("28.07.0988"),
              (DateRule{.kind = K::Fixed, .day = 28, .month = 7, .firstYear = 988}));
    EXPECT_EQ(ParseDateRule("29.02.0000"), (DateRule{.kind = K::Fixed, .day = 29, .month = 2}));
    EXPECT_EQ(ParseDateRule("****3.2.01"),
              (DateRule{.kind = K::NthWeekday, .month = 1, .week = 3, .weekday = 2}));
    EXPECT_EQ(ParseDateRule("****l.2.05"), (DateRule{.kind = K::LastWeekday, .month = 5, .weekday = 2}));
    EXPECT_EQ(ParseDateRule("OEASTER-7"), (DateRule{.kind = K::OrthodoxEaster, .offset = -7}));
    EXPECT_EQ(ParseDateRule("OEASTER+49"), (DateRule{.kind = K::OrthodoxEaster, .offset = 49}));
    EXPECT_EQ(ParseDateRule("CEASTER+0"), (DateRule{.kind = K::CatholicEaster}));
    EXPECT_EQ(ParseDateRule("DOY.256"), (DateRule{.kind = K::DayOfYear, .day = 256}));
    for (const char* bad :
         {"",          "1.01.0000",  "32.01.0000", "30.02.0000", "01.13.0000", "01-01-0000",
          "01.01.00",  "****5.2.01", "****0.2.01", "****3.8.01", "****3.0.01", "****3.2.13",
          "****3.2.1", "OEASTER",    "OEASTER7",   "OEASTER+",   "OEASTER+x",  "CEASTER+400",
          "DOY.0",     "DOY.367",    "DOY.",       "EASTER+0"})
        EXPECT_FALSE(ParseDateRule(bad)) << '"' << bad << '"';
}

TEST(DateRule, WeekdayRulesFindTheirDay) {
    // Mondays of May 2025: 5, 12, 19, 26; Sundays of March 2024: 3 .. 31.
    const auto monday = [](const char* rule) { return ResolveDate(*ParseDateRule(rule), 2025); };
    EXPECT_EQ(monday("****1.2.05"), (CivilDate{2025, 5, 5}));
    EXPECT_EQ(monday("****4.2.05"), (CivilDate{2025, 5, 26}));
    EXPECT_EQ(monday("****l.2.05"), (CivilDate{2025, 5, 26}));
    EXPECT_EQ(ResolveDate(*ParseDateRule("****l.1.03"), 2024), (CivilDate{2024, 3, 31}));
    EXPECT_EQ(ResolveDate(*ParseDateRule("****1.1.09"), 2024), (CivilDate{2024, 9, 1}));
    // Thanksgiving, the fourth Thursday of November.
    EXPECT_EQ(ResolveDate(*ParseDateRule("****4.5.11"), 2024), (CivilDate{2024, 11, 28}));
    EXPECT_EQ(ResolveDate(*ParseDateRule("****4.5.11"), 2025), (CivilDate{2025, 11, 27}));
    // A 29 February comes only in leap years.
    EXPECT_FALSE(ResolveDate(*ParseDateRule("29.02.0000"), 2025));
    EXPECT_EQ(ResolveDate(*ParseDateRule("29.02.0000"), 2024), (CivilDate{2024, 2, 29}));
}

TEST(Holidays, EasterFeastsFallOnTheirDays) {
    EXPECT_TRUE(Shows({2018, 4, 8}, "Easter", HolidayCategory::Pra));
    EXPECT_TRUE(Shows({2024, 5, 5}, "Easter", HolidayCategory::Pra));
    EXPECT_TRUE(Shows({2024, 3, 31}, "Easter", HolidayCategory::Kat));
    EXPECT_FALSE(Shows({2024, 3, 31}, "Easter", HolidayCategory::Pra));
    EXPECT_TRUE(Shows({2024, 4, 28}, "The entry into Jerusalem", HolidayCategory::Pra));
    // Ascension is a Thursday and Trinity a Sunday, 40 and 50 days counting Easter as the first.
    EXPECT_TRUE(Shows({2024, 6, 13}, "Ascension Of Our Lord", HolidayCategory::Pra));
    EXPECT_TRUE(Shows({2024, 6, 23}, "Trinity Sunday", HolidayCategory::Pra));
    EXPECT_TRUE(Shows({2025, 5, 29}, "Ascension Of Our Lord", HolidayCategory::Pra));
    EXPECT_TRUE(Shows({2025, 6, 8}, "Trinity Sunday", HolidayCategory::Pra));
    for (int year = 1990; year <= 2100; ++year) {
        for (const auto& entry : BuiltInHolidays()) {
            if (entry.rule.kind != DateRuleKind::OrthodoxEaster) continue;
            const int expected = entry.names[0] == "Ascension Of Our Lord" ? 5 : 1;
            EXPECT_EQ(DayOfWeek(*ResolveDate(entry.rule, year)), expected) << entry.names[0] << " " << year;
        }
    }
}

TEST(Holidays, ProgrammersDayIsTheTwoHundredFiftySixthDay) {
    EXPECT_TRUE(Shows({2024, 9, 12}, "Programmer`s day", HolidayCategory::All));
    EXPECT_FALSE(Shows({2024, 9, 13}, "Programmer`s day", HolidayCategory::All));
    EXPECT_TRUE(Shows({2025, 9, 13}, "Programmer`s day", HolidayCategory::All));
    EXPECT_FALSE(Shows({2025, 9, 12}, "Programmer`s day", HolidayCategory::All));
}

TEST(Holidays, InaugurationAndMartinLutherKingDayCanShareADay) {
    EXPECT_EQ(EnglishNames(HolidaysOn({2025, 1, 20})),
              (std::vector<std::string>{"Inauguration day", "Martin Luther King Day"}));
    // In 2026 the third Monday is the 19th, which is also the Orthodox Epiphany.
    EXPECT_EQ(EnglishNames(HolidaysOn({2026, 1, 19})),
              (std::vector<std::string>{"Martin Luther King Day", "Epiphany"}));
    EXPECT_EQ(EnglishNames(HolidaysOn({2026, 1, 20})), (std::vector<std::string>{"Inauguration day"}));
}

// Every entry falls on exactly one day of each year, and no day of the table has more holidays than
// the menu has sheets for, so the limit never hides one.
TEST(Holidays, EachEntryOnceAYearAndNeverMoreThanSixADay) {
    for (int year = 2000; year <= 2040; ++year) {
        std::size_t total = 0;
        for (CivilDate day{year, 1, 1}; day.year == year; day = AddDays(day, 1)) {
            const auto found = HolidaysOn(day);
            ASSERT_LE(found.size(), static_cast<std::size_t>(kMaxHolidaysPerDay))
                << year << "-" << day.month << "-" << day.day;
            total += found.size();
        }
        EXPECT_EQ(total, BuiltInHolidays().size()) << year;
    }
}

TEST(Holidays, ACrowdedDayKeepsTheFirstSixInTableOrder) {
    std::vector<HolidayEntry> table;
    for (int i = 1; i <= 8; ++i) {
        table.push_back(Entry("01.03.0000", "ALL"));
        table.back().names[0] = "Feast " + std::to_string(i);
    }
    table.insert(table.begin() + 2, Entry("02.03.0000", "ALL"));
    EXPECT_EQ(EnglishNames(HolidaysOn(table, {2025, 3, 1})),
              (std::vector<std::string>{"Feast 1", "Feast 2", "Feast 3", "Feast 4", "Feast 5", "Feast 6"}));
    EXPECT_EQ(HolidaysOn(table, {2025, 3, 1}).size(), 6u);
    EXPECT_TRUE(HolidaysOn(table, {2025, 2, 30}).empty());
}

TEST(Holidays, AnEasterOffsetMayCrossTheTurnOfTheYear) {
    // Easter 2024 was 31 March; 280 days earlier is 25 June 2023.
    const std::vector<HolidayEntry> table{Entry("CEASTER-280", "KAT")};
    EXPECT_EQ(HolidaysOn(table, {2023, 6, 25}).size(), 1u);
}

TEST(HolidayHint, CarriesTheAnniversaryAndTheLabel) {
    const auto victory = HolidaysOn({2025, 5, 9});
    ASSERT_EQ(victory.size(), 1u);
    EXPECT_EQ(HolidayHint(victory[0], 2025, 0),
              "Victory day in Great Patriotic war (80-th anniversary, Russian Festival)");
    EXPECT_EQ(HolidayHint(victory[0], 2025, 1),
              "День Победы в Великой Отечественной войне (80-я годовщина, Российский праздник)");
    EXPECT_EQ(HolidayHint(victory[0], 2025, 2),
              "Tag des Sieges im Großen Vaterländischen Krieg (80. Jahrestag, Russischer Feiertag)");
    // In the year of the event itself there is nothing to count yet.
    EXPECT_EQ(HolidayHint(victory[0], 1945, 0), "Victory day in Great Patriotic war (Russian Festival)");
    // An unknown language index reads English.
    EXPECT_EQ(HolidayHint(victory[0], 2025, 10), HolidayHint(victory[0], 2025, 0));
    EXPECT_EQ(HolidayHint(victory[0], 2025, -1), HolidayHint(victory[0], 2025, 0));
}

TEST(HolidayHint, LeavesOutWhatTheEntryDoesNotHave) {
    const auto hintOn = [](const CivilDate& date, int language = 0) {
        const auto found = HolidaysOn(date);
        return found.size() == 1 ? HolidayHint(found[0], date.year, language) : std::string("?");
    };
    EXPECT_EQ(hintOn({2025, 1, 1}), "New Year");                                 // ALL: no label
    EXPECT_EQ(hintOn({2025, 6, 22}), "Day of remembrance and mourning");         // RU-: no label
    EXPECT_EQ(hintOn({2025, 7, 4}), "Independence day (Holiday United States)"); // label only
    EXPECT_EQ(hintOn({2025, 11, 5}, 1), "Ночь Гая Фокса, или Ночь костров (Праздник Великобритании)");
    // An anniversary without a label.
    const auto founded = Entry("01.03.2000", "ALL");
    EXPECT_EQ(HolidayHint(founded, 2025, 0), "en (25-th anniversary)");
    EXPECT_EQ(HolidayHint(founded, 2025, 5), "zh (25周年)");
}

TEST(HolidayHint, EveryLabelAndSuffixExistsInEveryLanguage) {
    using C = HolidayCategory;
    for (int language = 0; language < kCalendarLanguageCount; ++language) {
        for (C c : {C::Rus, C::Usa, C::Fra, C::Deu, C::Eng, C::Isp, C::Pra, C::Kat})
            EXPECT_FALSE(CategoryLabel(c, language).empty()) << language;
        EXPECT_TRUE(CategoryLabel(C::All, language).empty());
        EXPECT_TRUE(CategoryLabel(C::RusUnlabelled, language).empty());
        EXPECT_FALSE(AnniversarySuffix(language).empty());
    }
    EXPECT_EQ(CategoryLabel(C::Eng, 0), "Holiday UK");
    EXPECT_EQ(CategoryLabel(C::Kat, 0), "Catholic feast");
    EXPECT_EQ(CategoryLabel(C::Pra, 0), "The Orthodox holiday");
    EXPECT_EQ(AnniversarySuffix(0), "-th anniversary");
}

} // namespace
} // namespace tarvo
