// Replacing a file so that a crash or a full disk never leaves half of it.
#pragma once

#include <filesystem>
#include <string_view>
#include <system_error>

namespace tarvo {

// Writes bytes to a fresh temporary file in the folder of path, flushes it to the disk, and
// renames it over path. On any failure the temporary file is removed, path keeps its old content
// untouched, and the error is returned; an empty error code means the new content is in place.
// An existing file's permission bits carry over to its replacement.
std::error_code ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes);

// Reads the whole file into bytes: no_such_file_or_directory when it is missing, another error
// when it exists but cannot be read.
std::error_code ReadFileBytes(const std::filesystem::path& path, std::string& bytes);

} // namespace tarvo
