// The score server's transport over libcurl, and the one worker thread that runs the requests.
//
// CurlTransport is synchronous: each call returns when its exchange is over. The window runs it on
// RequestWorker's thread and waits for it in an event loop that repaints, so a slow server never
// freezes the window; the server's tests call it directly.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

#include "online/Transport.h"

namespace tarvo {

// Bounds of an exchange.
inline constexpr long kConnectTimeoutMs = 10000;          // a host that never answers
inline constexpr long kSafetyReadTimeoutMs = 30000;       // before any request has set the read time-out
inline constexpr long kDocumentTimeoutMs = 20000;         // a GET, an upload
inline constexpr std::size_t kMaxReplyBytes = 1 << 20;    // a form reply
inline constexpr std::size_t kMaxDocumentBytes = 4 << 20; // a document or a photo

class CurlTransport : public Transport {
  public:
    CurlTransport();
    ~CurlTransport() override;
    CurlTransport(const CurlTransport&) = delete;
    CurlTransport& operator=(const CurlTransport&) = delete;

    Exchange Post(const std::string& url, const std::string& body) override;
    void SetReadTimeout(int milliseconds) override { readTimeoutMs_ = milliseconds; }
    Exchange Get(const std::string& url) override;
    Exchange PostParts(const std::string& url, std::span<const UploadPart> parts) override;
    bool FtpUpload(const std::string& url, const std::string& bytes) override;

  private:
    void* shared_ = nullptr; // the CURL handle of every POST, with its cookies
    int readTimeoutMs_ = 0;  // 0: none set yet
};

// One thread that runs jobs one at a time, in the order they came.
class RequestWorker {
  public:
    // `finished` is called on the worker thread after each job (the window wakes its loop with it).
    explicit RequestWorker(std::function<void()> finished = {});
    ~RequestWorker(); // finishes the jobs already queued
    RequestWorker(const RequestWorker&) = delete;
    RequestWorker& operator=(const RequestWorker&) = delete;

    std::future<void> Submit(std::function<void()> job);

  private:
    void Run();

    std::function<void()> finished_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<std::packaged_task<void()>> jobs_;
    bool stopping_ = false;
    std::thread thread_;
};

} // namespace tarvo
