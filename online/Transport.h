// How the request functions reach the score server: a small interface with one implementation
// over libcurl (CurlTransport.h) and fakes in tests. Every call blocks its caller until the
// exchange is over; a failed exchange (no connection, a time-out, an HTTP error status, a reply
// over the size bound) comes back with `ok` clear.
#pragma once

#include <span>
#include <string>

namespace tarvo {

struct Exchange {
    bool ok = false;
    std::string body; // the reply's bytes
};

// One part of a multipart upload.
struct UploadPart {
    std::string name;
    std::string bytes;
    std::string fileName;    // empty for a plain field
    std::string contentType; // for a file part
};

class Transport {
  public:
    virtual ~Transport() = default;
    // A form POST on the one client the program shares: User-Agent "XorBlueWindow", content type
    // "application/x-www-form-urlencoded", cookies kept between requests.
    virtual Exchange Post(const std::string& url, const std::string& body) = 0;
    // The shared client's read time-out for this and every later request.
    virtual void SetReadTimeout(int milliseconds) = 0;
    // A GET on a fresh client with default settings.
    virtual Exchange Get(const std::string& url) = 0;
    // A multipart POST on a fresh client (the photo upload to an HTTP photo store).
    virtual Exchange PostParts(const std::string& url, std::span<const UploadPart> parts) = 0;
    // A passive FTP upload of one file to `url` (user and password in the address).
    virtual bool FtpUpload(const std::string& url, const std::string& bytes) = 0;
};

} // namespace tarvo
