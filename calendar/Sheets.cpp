#include "calendar/Sheets.h"

#include "calendar/CalendarData.h"

#include <algorithm>

namespace tarvo {

namespace {

constexpr std::string_view kZodiacImages[12] = {"R_01", "R_02", "R_03", "R_04", "R_05", "R_06",
                                                "R_07", "R_08", "R_09", "R_10", "R_11", "R_12"};
constexpr std::string_view kAnimalImages[12] = {"R_VOSKRIS", "R_VOSBULL", "R_VOSTIGR", "R_VOSRABB",
                                                "R_VOSDRAG", "R_VOSSNAK", "R_VOSHORS", "R_VOSKOZA",
                                                "R_VOSMONK", "R_VOSPETU", "R_VOSDOG0", "R_VOSPIG0"};

bool InTwelve(int index) {
    return index >= 0 && index < 12;
}

} // namespace

int ZodiacSign(int month, int day) {
    // The day of each month on which a new sign begins; the sign that begins in January is
    // Aquarius (10), and each month after moves one sign on.
    static constexpr int kFirstDay[12] = {21, 21, 21, 21, 21, 22, 23, 24, 24, 24, 23, 22};
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(2000, month)) return -1;
    const int beginning = (month + 9) % 12;
    return day >= kFirstDay[month - 1] ? beginning : (beginning + 11) % 12;
}

std::string_view ZodiacImageKey(int sign) {
    return InTwelve(sign) ? kZodiacImages[sign] : std::string_view{};
}

std::string_view ZodiacName(int sign, int language) {
    return InTwelve(sign) ? calendar_data::kZodiacNames[sign][CalendarLanguage(language)]
                          : std::string_view{};
}

int EasternYearAnimal(int year) {
    // year mod 12: 0 Monkey, 1 Rooster, ..., 4 Rat, ..., 11 Goat.
    return ((year % 12 + 12) % 12 + 8) % 12;
}

std::string_view EasternYearImageKey(int animal) {
    return InTwelve(animal) ? kAnimalImages[animal] : std::string_view{};
}

std::string_view EasternYearName(int animal, int language) {
    return InTwelve(animal) ? calendar_data::kEasternYearNames[animal][CalendarLanguage(language)]
                            : std::string_view{};
}

std::string_view MonthName(int month, int language) {
    return month >= 1 && month <= 12 ? calendar_data::kMonthNames[month - 1][CalendarLanguage(language)]
                                     : std::string_view{};
}

std::vector<CalendarSheet> CalendarSheets(const CivilDate& today, int language) {
    std::vector<CalendarSheet> sheets;
    if (!IsValidDate(today)) return sheets;
    language = CalendarLanguage(language);

    const int sign = ZodiacSign(today.month, today.day);
    CalendarSheet date;
    date.kind = SheetKind::Date;
    date.baseImage = kSheetBaseImage;
    date.image = ZodiacImageKey(sign);
    date.dayNumber = std::to_string(today.day);
    date.monthName = MonthName(today.month, language);
    date.hint = ZodiacName(sign, language);
    sheets.push_back(std::move(date));

    const int animal = EasternYearAnimal(today.year);
    CalendarSheet year;
    year.kind = SheetKind::EasternYear;
    year.baseImage = kSheetBaseImage;
    year.image = EasternYearImageKey(animal);
    year.hint = EasternYearName(animal, language);
    sheets.push_back(std::move(year));

    for (const auto& entry : HolidaysOn(today)) {
        CalendarSheet holiday;
        holiday.kind = SheetKind::Holiday;
        holiday.baseImage = kSheetBaseImage;
        holiday.image = entry.imageKey;
        holiday.hint = HolidayHint(entry, today.year, language);
        sheets.push_back(std::move(holiday));
    }
    return sheets;
}

std::vector<std::string> CalendarImageKeys() {
    std::vector<std::string> keys{std::string(kSheetBaseImage)};
    auto add = [&keys](std::string_view key) {
        if (std::find(keys.begin(), keys.end(), key) == keys.end()) keys.emplace_back(key);
    };
    for (auto key : kZodiacImages) add(key);
    for (auto key : kAnimalImages) add(key);
    for (const auto& entry : BuiltInHolidays()) add(entry.imageKey);
    return keys;
}

} // namespace tarvo
