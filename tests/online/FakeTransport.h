// A transport that answers from a script and remembers what was sent.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "online/Transport.h"

namespace tarvo::test {

class FakeTransport : public Transport {
  public:
    struct Sent {
        std::string url, body;
        int readTimeout = 0;
    };
    // Replies in order; an exchange that finds none fails.
    void Answer(std::string body, bool ok = true) { replies_.push_back({ok, std::move(body)}); }

    Exchange Post(const std::string& url, const std::string& body) override {
        sent.push_back({url, body, readTimeout});
        return Next();
    }
    void SetReadTimeout(int ms) override { readTimeout = ms; }
    Exchange Get(const std::string& url) override {
        sent.push_back({url, "", 0});
        return Next();
    }
    Exchange PostParts(const std::string& url, std::span<const UploadPart> parts) override {
        std::string body;
        for (const UploadPart& p : parts)
            body += p.name + "=" + (p.fileName.empty() ? p.bytes : p.fileName) + ";";
        sent.push_back({url, body, 0});
        return Next();
    }
    bool FtpUpload(const std::string& url, const std::string& bytes) override {
        sent.push_back({url, bytes, 0});
        return Next().ok;
    }

    std::vector<Sent> sent;
    int readTimeout = 0;

  private:
    Exchange Next() {
        if (replies_.empty()) return {};
        Exchange e = replies_.front();
        replies_.pop_front();
        return e;
    }
    std::deque<Exchange> replies_;
};

} // namespace tarvo::test
