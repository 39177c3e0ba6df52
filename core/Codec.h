// The one place where Windows-1251 bytes and UTF-8 text meet.
#pragma once

#include <string>
#include <string_view>

namespace tarvo {

std::string Cp1251ToUtf8(std::string_view bytes);
// Characters that Windows-1251 cannot hold become '?'.
std::string Utf8ToCp1251(std::string_view text);

} // namespace tarvo
