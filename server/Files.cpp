#include <httplib.h>

#include <algorithm>
#include <fstream>
#include <memory>

#include "server/Service.h"

namespace tarvo::server {

bool SendFile(const std::filesystem::path& file, const char* type, httplib::Response& response) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(file, ec)) return false;
    const auto size = std::filesystem::file_size(file, ec);
    if (ec) return false;
    auto in = std::make_shared<std::ifstream>(file, std::ios::binary);
    if (!*in) return false;
    // Read in pieces as the client takes them: a package may be several megabytes.
    response.set_content_provider(static_cast<std::size_t>(size), type,
                                  [in](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                                      char buffer[64 * 1024];
                                      in->clear();
                                      in->seekg(static_cast<std::streamoff>(offset));
                                      in->read(buffer, static_cast<std::streamsize>(std::min(length, sizeof buffer)));
                                      const auto got = in->gcount();
                                      if (got <= 0) return false;
                                      sink.write(buffer, static_cast<std::size_t>(got));
                                      return true;
                                  });
    return true;
}

} // namespace tarvo::server
