// Replacing a file so that a crash never leaves half of it: the new bytes go to a temporary file
// in the same folder, reach the disk, and are then renamed over the old file.
#pragma once

#include <filesystem>
#include <string_view>

namespace tarvo {

// True when `file` now holds exactly `bytes`. On false the old file is untouched and no
// temporary file is left behind.
bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes);

} // namespace tarvo
