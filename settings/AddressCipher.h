// The settings file keeps the addresses of the online services (lines 26 and 31) enciphered, so
// that they are not read or edited as plain text by accident. This is a disguise, not security.
#pragma once

#include <string>
#include <string_view>

namespace tarvo {

// The cipher: every printable ASCII character (0x21..0x7E) except "#" (93 of them) is moved
// forward within that set by the matching character of the key "Tarvo3Trio" (its code mod 93)
// plus its own position in the text, both mod 93. Every other byte, blanks and "#" included,
// stays as it is, so any line decodes to something and encoding what was decoded gives the line
// back. "#" is left out because it ends a value of the online configuration document, which
// carries addresses in this stored form.
std::string EncipherAddress(std::string_view address);
std::string DecipherAddress(std::string_view stored);

} // namespace tarvo
