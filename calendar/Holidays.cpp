#include "calendar/Holidays.h"

#include "calendar/CalendarData.h"

#include <utility>

namespace tarvo {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A run of one to four decimal digits; nothing for anything else.
std::optional<int> Number(std::string_view text) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<DateRule> ParseWeekdayRule(std::string_view rest) {
    // "n.w.mm"
    if (rest.size() != 6 || rest[1] != '.' || rest[3] != '.') return std::nullopt;
    const auto weekday = Number(rest.substr(2, 1));
    const auto month = Number(rest.substr(4, 2));
    if (!weekday || *weekday < 1 || *weekday > 7 || !month || *month < 1 || *month > 12) return std::nullopt;
    DateRule rule;
    rule.weekday = *weekday;
    rule.month = *month;
    if (rest[0] == 'l' || rest[0] == 'L') {
        rule.kind = DateRuleKind::LastWeekday;
        return rule;
    }
    const auto week = Number(rest.substr(0, 1));
    if (!week || *week < 1 || *week > 4) return std::nullopt;
    rule.kind = DateRuleKind::NthWeekday;
    rule.week = *week;
    return rule;
}

std::optional<DateRule> ParseEasterRule(DateRuleKind kind, std::string_view rest) {
    // "+k" or "-k"; a year's worth of days is the most that makes sense.
    if (rest.size() < 2 || (rest[0] != '+' && rest[0] != '-')) return std::nullopt;
    const auto days = Number(rest.substr(1));
    if (!days || *days > 366) return std::nullopt;
    DateRule rule;
    rule.kind = kind;
    rule.offset = rest[0] == '-' ? -*days : *days;
    return rule;
}

std::optional<DateRule> ParseFixedRule(std::string_view text) {
    // "dd.mm.yyyy"
    if (text.size() != 10 || text[2] != '.' || text[5] != '.') return std::nullopt;
    const auto day = Number(text.substr(0, 2));
    const auto month = Number(text.substr(3, 2));
    const auto year = Number(text.substr(6, 4));
    // 29 February is allowed: it falls in leap years only.
    if (!day || !month || !year || *day < 1 || *day > DaysInMonth(2000, *month)) return std::nullopt;
    DateRule rule;
    rule.kind = DateRuleKind::Fixed;
    rule.day = *day;
    rule.month = *month;
    rule.firstYear = *year;
    return rule;
}

std::optional<HolidayCategory> ParseCategory(std::string_view code) {
    static constexpr std::pair<std::string_view, HolidayCategory> kCodes[] = {
        {"ALL", HolidayCategory::All}, {"RUS", HolidayCategory::Rus}, {"RU-", HolidayCategory::RusUnlabelled},
        {"USA", HolidayCategory::Usa}, {"FRA", HolidayCategory::Fra}, {"DEU", HolidayCategory::Deu},
        {"ENG", HolidayCategory::Eng}, {"ISP", HolidayCategory::Isp}, {"PRA", HolidayCategory::Pra},
        {"KAT", HolidayCategory::Kat}};
    for (const auto& [name, category] : kCodes)
        if (name == code) return category;
    return std::nullopt;
}

std::vector<std::string_view> SplitFields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (;;) {
        const auto hash = text.find('#');
        fields.push_back(text.substr(0, hash));
        if (hash == std::string_view::npos) break;
        text.remove_prefix(hash + 1);
    }
    return fields;
}

std::optional<HolidayEntry> Fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return std::nullopt;
}

} // namespace

std::optional<DateRule> ParseDateRule(std::string_view text) {
    if (text.starts_with("****")) return ParseWeekdayRule(text.substr(4));
    if (text.starts_with("OEASTER")) return ParseEasterRule(DateRuleKind::OrthodoxEaster, text.substr(7));
    if (text.starts_with("CEASTER")) return ParseEasterRule(DateRuleKind::CatholicEaster, text.substr(7));
    if (text.starts_with("DOY.")) {
        const auto day = Number(text.substr(4));
        if (!day || *day < 1 || *day > 366) return std::nullopt;
        DateRule rule;
        rule.kind = DateRuleKind::DayOfYear;
        rule.day = *day;
        return rule;
    }
    return ParseFixedRule(text);
}

std::optional<HolidayEntry> ParseHolidayEntry(std::string_view text, std::string* error) {
    const auto fields = SplitFields(text);
    if (fields.size() != 13 && fields.size() != 14)
        return Fail(error, std::to_string(fields.size()) + " fields, expected 13 or 14");
    HolidayEntry entry;
    const auto rule = ParseDateRule(fields[0]);
    if (!rule) return Fail(error, "bad date rule \"" + std::string(fields[0]) + "\"");
    entry.rule = *rule;
    const auto category = ParseCategory(fields[1]);
    if (!category) return Fail(error, "unknown category \"" + std::string(fields[1]) + "\"");
    entry.category = *category;
    if (fields[2].empty()) return Fail(error, "no image key");
    entry.imageKey = fields[2];
    // The table lists Russian first; the program's language order puts English first.
    for (int field = 3; field < 13; ++field) {
        const int language = field == 3 ? 1 : field == 4 ? 0 : field - 3;
        if (fields[field].empty()) return Fail(error, "no name in language " + std::to_string(language));
        entry.names[language] = fields[field];
    }
    return entry;
}

std::optional<CivilDate> ResolveDate(const DateRule& rule, int year) {
    switch (rule.kind) {
    case DateRuleKind::Fixed: {
        const CivilDate date{year, rule.month, rule.day};
        return IsValidDate(date) ? std::optional(date) : std::nullopt;
    }
    case DateRuleKind::NthWeekday: {
        if (rule.month < 1 || rule.month > 12 || rule.weekday < 1 || rule.weekday > 7) return std::nullopt;
        const int first = DayOfWeek({year, rule.month, 1});
        const int day = 1 + (rule.weekday - first + 7) % 7 + 7 * (rule.week - 1);
        const CivilDate date{year, rule.month, day};
        return IsValidDate(date) ? std::optional(date) : std::nullopt;
    }
    case DateRuleKind::LastWeekday: {
        const int last = DaysInMonth(year, rule.month);
        if (last == 0 || rule.weekday < 1 || rule.weekday > 7) return std::nullopt;
        const int lastWeekday = DayOfWeek({year, rule.month, last});
        return CivilDate{year, rule.month, last - (lastWeekday - rule.weekday + 7) % 7};
    }
    case DateRuleKind::OrthodoxEaster:
        return AddDays(OrthodoxEaster(year), rule.offset);
    case DateRuleKind::CatholicEaster:
        return AddDays(CatholicEaster(year), rule.offset);
    case DateRuleKind::DayOfYear:
        return DateOfDayOfYear(year, rule.day);
    }
    return std::nullopt;
}

const std::vector<HolidayEntry>& BuiltInHolidays() {
    static const std::vector<HolidayEntry> table = [] {
        std::vector<HolidayEntry> entries;
        entries.reserve(static_cast<std::size_t>(calendar_data::kHolidayEntryCount));
        // The tests read every entry; a damaged one is left out here rather than stopping the menu.
        for (int i = 0; i < calendar_data::kHolidayEntryCount; ++i)
            if (auto entry = ParseHolidayEntry(calendar_data::kHolidayEntries[i])) entries.push_back(*entry);
        return entries;
    }();
    return table;
}

std::vector<HolidayEntry> HolidaysOn(const std::vector<HolidayEntry>& table, const CivilDate& date) {
    std::vector<HolidayEntry> found;
    if (!IsValidDate(date)) return found;
    for (const auto& entry : table) {
        // An Easter offset may carry a feast over the turn of the year, so the neighbouring
        // years' dates are asked too.
        bool matches = false;
        for (int year = date.year - 1; year <= date.year + 1 && !matches; ++year)
            matches = ResolveDate(entry.rule, year) == date;
        if (!matches) continue;
        found.push_back(entry);
        if (static_cast<int>(found.size()) == kMaxHolidaysPerDay) break;
    }
    return found;
}

std::vector<HolidayEntry> HolidaysOn(const CivilDate& date) {
    return HolidaysOn(BuiltInHolidays(), date);
}

std::string_view CategoryLabel(HolidayCategory category, int language) {
    int row = -1;
    switch (category) {
    case HolidayCategory::Eng:
        row = 0;
        break;
    case HolidayCategory::Rus:
        row = 1;
        break;
    case HolidayCategory::Deu:
        row = 2;
        break;
    case HolidayCategory::Fra:
        row = 3;
        break;
    case HolidayCategory::Isp:
        row = 4;
        break;
    case HolidayCategory::Usa:
        row = 5;
        break;
    case HolidayCategory::Pra:
        row = 6;
        break;
    case HolidayCategory::Kat:
        row = 7;
        break;
    case HolidayCategory::All:
    case HolidayCategory::RusUnlabelled:
        break;
    }
    return row < 0 ? std::string_view{} : calendar_data::kCategoryLabels[row][CalendarLanguage(language)];
}

std::string_view AnniversarySuffix(int language) {
    return calendar_data::kAnniversarySuffix[CalendarLanguage(language)];
}

std::string HolidayHint(const HolidayEntry& entry, int year, int language) {
    language = CalendarLanguage(language);
    std::string hint = entry.names[static_cast<std::size_t>(language)];
    std::string anniversary;
    const int firstYear = entry.rule.kind == DateRuleKind::Fixed ? entry.rule.firstYear : 0;
    if (firstYear > 0 && year > firstYear)
        anniversary = std::to_string(year - firstYear) + std::string(AnniversarySuffix(language));
    const std::string_view label = CategoryLabel(entry.category, language);
    if (!anniversary.empty() && !label.empty())
        hint += " (" + anniversary + ", " + std::string(label) + ")";
    else if (!anniversary.empty())
        hint += " (" + anniversary + ")";
    else if (!label.empty())
        hint += " (" + std::string(label) + ")";
    return hint;
}

} // namespace tarvo
