// The generated country table (tools/countries/gen_countries.py); read it through Countries.h.
#pragma once

#include <array>

namespace tarvo {

struct CountryRow {
    int continent; // 1..6
    int number;    // 1.. within the continent
    const char* iso;
    const char* shortName;             // Latin, no blanks: goes into blank-separated reply fields
    std::array<const char*, 10> names; // by language index; English is the game's own
};

inline constexpr int kCountryRows = 225;
extern const std::array<CountryRow, kCountryRows> kCountryTable;

} // namespace tarvo
