// Countries of the account and the passport. A country code is a continent digit "1".."6"
// (Europe, Asia, North America, South America, Oceania, Africa), "-" and a three-digit number
// within the continent; "000" is an unknown country. The account keeps the code in `Country2`
// and the short Latin name in `Country1`.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

struct CountryCode {
    int continent = 1;
    int number = 1;
    bool operator==(const CountryCode&) const = default;
};

inline constexpr int kContinents = 6;

// How many countries a continent has (numbers 1..count; 0 is "Unknown").
int CountriesOn(int continent);

// "1-001" and back; nothing for a code that is not exactly five valid characters.
std::optional<CountryCode> ParseCountryCode(std::string_view code);
std::string CountryCodeText(CountryCode code);

// The name in a language (0..9), the English one where the language has none; "Unknown" rows
// come from the language tables.
std::string CountryName(CountryCode code, int language);
// The short Latin name ("Czech_Republic"); "Unknown" for number 0.
std::string CountryShortName(CountryCode code);
// The country whose short name this is (the club lists carry only the short name).
std::optional<CountryCode> CountryOfShortName(std::string_view shortName);
// The ISO 3166 code whose flag the country shows ("RU"); empty for an unknown country.
std::string CountryIso(CountryCode code);

} // namespace tarvo
