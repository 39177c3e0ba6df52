// Request bodies of the score server. Two kinds travel as "application/x-www-form-urlencoded":
//
//   raw     "a=1&b=Омск"   the pairs joined with "&" as they stand, in Windows-1251, nothing
//                          escaped: the input rules keep "&" and "=" out of the values.
//   listed  "a=1&&b=2"     one "name=value" line per field, the lines separated by LF CR and
//                          form-encoded line by line. The LF CR pair reads as two line breaks, so
//                          an empty field lies between every two fields; the server accepts it.
#pragma once

#include <span>
#include <string>
#include <string_view>

namespace tarvo {

struct FormField {
    std::string name;  // UTF-8
    std::string value; // UTF-8
};

// The raw body: Windows-1251 bytes.
std::string RawBody(std::span<const FormField> fields);

// The listed body as it goes out: the fields' lines joined with LF CR, cut into lines again the
// way a form post reads a block of text (a line ends at CR, LF or CR LF), each line form-encoded
// and the lines joined with "&".
std::string ListedBody(std::span<const FormField> fields);

// Standard form encoding of Windows-1251 bytes: letters, digits and "*-._" stay, a blank becomes
// "+", every other byte "%XX".
std::string FormEncode(std::string_view bytes);

} // namespace tarvo
