// Ratings travel as decimal text with "." as the separator.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tarvo {

// The shortest plain decimal form (no exponent) that reads back exactly, with at most 15
// significant digits; a magnitude below 0.00001 is written as "0".
std::string FormatReal(double value);

// Reads a real the way every reply is read: the first character that is not a blank, "-" or a
// digit counts as the decimal separator ("12,5" is 12.5); surrounding blanks are allowed. Nothing
// when the rest does not convert as a whole.
std::optional<double> ParseReal(std::string_view text);

// A rating as the account windows show it: rounded to three decimals with a decimal comma
// ("12" gives "12,000").
std::string RatingText(double value);

} // namespace tarvo
