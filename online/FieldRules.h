// The grades of the account and passport fields, shown as a red, yellow or green lamp beside each
// field, and which typed keys a field takes. The score server checks what it stores by the same
// rules.
//
// Characters: Latin letters, digits and the signs ! ( ) , - . @ _ are plain; Cyrillic letters
// (А..я, Ё, ё) make a text yellow; anything else makes it red. Only the city of an account may
// hold Cyrillic; the passport allows it in both of its fields.
#pragma once

#include <string_view>

namespace tarvo {

enum class Grade { Red = 0, Yellow = 1, Green = 2 };

enum class AccountField { Nick, Password, City, EMail };
enum class PassportField { Nick, City };

// Length limits in characters.
inline constexpr int kNickMax = 12;
inline constexpr int kCityMax = 15;
inline constexpr int kPasswordMin = 4;
inline constexpr int kPasswordMax = 12;
inline constexpr int kEMailMax = 30;
// The tournament's welcome line: what the window's narrowest font still shows on one line.
inline constexpr int kWelcomeMax = 80;

// The grade of a whole field (UTF-8). An empty field is red, as is a field of one character.
Grade GradeAccountField(AccountField field, std::string_view text);
Grade GradePassportField(PassportField field, std::string_view text);

// Whether a typed character goes into the field: the nick and city of an account and both
// passport fields take what is not red by itself; the password and the e-mail only what is green.
// (Backspace is not a character and always works.)
bool AcceptAccountKey(AccountField field, char32_t key);
bool AcceptPassportKey(PassportField field, char32_t key);

// Whether every character of a text is plain or Cyrillic (empty text is).
bool PlainText(std::string_view text);
bool PlainCharacter(char32_t c);

// The characters of a UTF-8 text; a malformed sequence gives U+FFFD.
std::u32string DecodeUtf8(std::string_view text);
std::string EncodeUtf8(std::u32string_view text);

} // namespace tarvo
