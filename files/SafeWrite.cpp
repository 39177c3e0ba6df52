#include "files/SafeWrite.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tarvo {
namespace {

std::error_code LastError() {
    return {errno, std::generic_category()};
}

// Hidden, and unique within the process and across processes sharing the folder.
std::filesystem::path TemporaryName(const std::filesystem::path& path, int attempt) {
    static std::atomic<unsigned> counter{0};
    std::string name = "." + path.filename().string() + ".tmp" + std::to_string(::getpid()) + "-" +
                       std::to_string(counter++) + "-" + std::to_string(attempt);
    return path.parent_path() / name;
}

std::error_code WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return LastError();
        }
        if (n == 0) return std::make_error_code(std::errc::no_space_on_device);
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return {};
}

// After the rename the folder entry itself must reach the disk; a failure here cannot undo the
// rename, and the content is already safe in the file, so it is not reported.
void SyncFolder(const std::filesystem::path& folder) {
    int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

std::error_code ReplaceFileContents(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = TemporaryName(path, attempt);
        // 0666 lets the user's umask decide, as for any file the program creates.
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return LastError();
    }
    if (fd < 0) return std::make_error_code(std::errc::file_exists);

    struct stat old {};
    if (::stat(path.c_str(), &old) == 0) ::fchmod(fd, old.st_mode & 07777);

    std::error_code error = WriteAll(fd, bytes);
    if (!error && ::fsync(fd) != 0) error = LastError();
    if (::close(fd) != 0 && !error) error = LastError();
    if (!error && ::rename(temp.c_str(), path.c_str()) != 0) error = LastError();
    if (error) {
        ::unlink(temp.c_str());
        return error;
    }
    SyncFolder(path.parent_path());
    return {};
}

std::error_code ReadFileBytes(const std::filesystem::path& path, std::string& bytes) {
    bytes.clear();
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) return std::make_error_code(std::errc::is_a_directory);
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (!std::filesystem::exists(path, ec))
            return std::make_error_code(std::errc::no_such_file_or_directory);
        return std::make_error_code(std::errc::permission_denied);
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) return std::make_error_code(std::errc::io_error);
    return {};
}

} // namespace tarvo
