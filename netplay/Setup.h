// The rules of the network set-up that the welcome dialog and the command line share.
#pragma once

#include <optional>
#include <string_view>

namespace tarvo {

// A server's address as the player types it: four groups of one to three characters (digits, by
// the field's typing rule) between exactly three dots.
bool IsServerAddress(std::string_view text);

// A port the player may give: a whole number from 1 to 65535.
std::optional<int> PortNumber(std::string_view text);

} // namespace tarvo
