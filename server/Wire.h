// The server's side of the wire: reading a form body and shaping replies so that the client's
// scanners read them (online/Scanners.h).
//
//   number   "$12\n"          a number reply always ends with a character after its digits
//   status   "$ ok#\n"        one character between "$" and "ok"
//   taken    "$ is#\n"        registration: the nick is taken
//   refusal  "no\n"           "no" in front of any record
//   record   "$f1 f2 f3$\n"   a single record; blanks inside a text travel as "_"
//   list     "$f1 f2*$f1 f2*\n"
//   details  "$f1~f2~...~f14$\n"
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::server {

// The fields of a form body as they stand: "a=1&&b=2" gives a and b (empty fields are normal).
// A field without "=" has an empty value. The first of two fields with one name counts.
class Form {
  public:
    explicit Form(std::string_view body);
    const std::string* Raw(std::string_view name) const;
    bool Has(std::string_view name) const { return Raw(name) != nullptr; }
    std::size_t Size() const { return fields_.size(); }

  private:
    std::vector<std::pair<std::string, std::string>> fields_;
};

// Form decoding ("+" a blank, "%XX" a byte); nothing for a malformed escape.
std::optional<std::string> FormDecode(std::string_view text);

// Windows-1251 bytes as UTF-8 text; nothing when they are not text (control characters, the one
// byte Windows-1251 leaves undefined).
std::optional<std::string> WireText(std::string_view bytes);

// A whole decimal number of a form field; nothing for anything else (blanks, signs alone, overflow).
std::optional<int> Integer(std::string_view text);

namespace reply {
inline constexpr const char* Ok = "$ ok#\n";
inline constexpr const char* Taken = "$ is#\n";
inline constexpr const char* No = "no\n";
std::string Number(long long n);
// UTF-8 fields into one record ending with `end`; blanks become "_".
std::string Record(std::span<const std::string> fields, char end);
std::string Details(std::span<const std::string> fields);
} // namespace reply

} // namespace tarvo::server
