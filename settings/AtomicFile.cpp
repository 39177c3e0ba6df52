#include "settings/AtomicFile.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvo {

bool ReplaceFileAtomically(const std::filesystem::path& file, std::string_view bytes) {
    std::filesystem::path folder = file.parent_path();
    if (folder.empty()) folder = ".";
    std::string temp = (folder / (file.filename().string() + ".XXXXXX")).string();
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) return false;

    bool ok = true;
    const char* data = bytes.data();
    std::size_t left = bytes.size();
    while (ok && left > 0) {
        const ssize_t n = ::write(fd, data, left);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            ok = false;
            break;
        }
        data += n;
        left -= static_cast<std::size_t>(n);
    }
    // mkstemp makes the file private; a settings or records file is an ordinary one.
    if (ok) ok = ::fchmod(fd, 0644) == 0;
    // The data must be on the disk before the rename makes it the file.
    if (ok) ok = ::fsync(fd) == 0;
    if (::close(fd) != 0) ok = false;
    if (ok) ok = ::rename(temp.c_str(), file.c_str()) == 0;
    if (!ok) ::unlink(temp.c_str());
    return ok;
}

} // namespace tarvo
