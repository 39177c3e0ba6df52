#include "online/Countries.h"

#include "online/CountryData.h"
#include "settings/Settings.h"
#include "settings/Text.h"

namespace tarvo {
namespace {

const CountryRow* Row(CountryCode code) {
    if (code.continent < 1 || code.continent > kContinents || code.number < 1 ||
        code.number > CountriesOn(code.continent))
        return nullptr;
    int index = code.number - 1;
    for (int c = 1; c < code.continent; ++c) index += CountriesOn(c);
    return &kCountryTable[static_cast<std::size_t>(index)];
}

} // namespace

int CountriesOn(int continent) {
    if (continent < 1 || continent > kContinents) return 0;
    return kCountriesPerContinent[static_cast<std::size_t>(continent - 1)];
}

std::optional<CountryCode> ParseCountryCode(std::string_view code) {
    if (!ValidCountryCode(code)) return std::nullopt;
    return CountryCode{code[0] - '0', (code[2] - '0') * 100 + (code[3] - '0') * 10 + (code[4] - '0')};
}

std::string CountryCodeText(CountryCode code) {
    std::string number = std::to_string(code.number);
    return std::to_string(code.continent) + "-" +
           std::string(3 - std::min<std::size_t>(3, number.size()), '0') + number;
}

std::string CountryName(CountryCode code, int language) {
    const CountryRow* row = Row(code);
    if (!row) return std::string(Text(txt::UnknownCountry, 0, language));
    if (language < 0 || language >= 10) language = 0;
    return row->names[static_cast<std::size_t>(language)];
}

std::string CountryShortName(CountryCode code) {
    const CountryRow* row = Row(code);
    return row ? row->shortName : "Unknown";
}

std::optional<CountryCode> CountryOfShortName(std::string_view shortName) {
    if (shortName.empty()) return std::nullopt;
    for (const CountryRow& row : kCountryTable)
        if (shortName == row.shortName) return CountryCode{row.continent, row.number};
    return std::nullopt;
}

std::string CountryIso(CountryCode code) {
    const CountryRow* row = Row(code);
    return row ? row->iso : "";
}

} // namespace tarvo
