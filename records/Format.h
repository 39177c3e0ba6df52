// The fixed-width number fields of the records and history files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

// n right-aligned in width characters, filled on the left with fill. A longer number is not cut:
// callers keep their values inside the field (see LimitRating and the clamps of BuildClubLine).
std::string PadNumber(std::int64_t n, int width, char fill = ' ');

// The 10-character rating of a club slot: six decimals after a comma, blanks on the left,
// a leading minus for negative values, "  0,000000" for zero (never "-0,000000").
std::string FormatRating6(double x);

// Two decimals after a comma, "0,00" for zero, right-aligned with blanks in width characters.
std::string FormatFixed2(double x, int width = 0);

// Round half to even of x * 1,000,000, divided back: the rating keeps six decimals.
double RoundHalfEven6(double x);

// A rating never leaves -99.99 ... 99.99, so its field keeps ten characters.
constexpr double RatingLimit = 99.99;
double LimitRating(double x);

// A decimal field with blanks around it and a comma as decimal separator ("  3,750000").
// nullopt for anything else; the decimal point of the C locale is not accepted.
std::optional<double> ParseDecimalField(std::string_view field);

// An integer field with blanks around it ("     0", "    -40").
std::optional<std::int64_t> ParseIntField(std::string_view field);

} // namespace tarvo
