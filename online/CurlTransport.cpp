#include "online/CurlTransport.h"

#include <curl/curl.h>

#include <cstring>
#include <memory>

#include "online/Requests.h"

namespace tarvo {
namespace {

void GlobalInit() {
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Sink {
    std::string body;
    std::size_t limit = 0;
};

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
    auto* sink = static_cast<Sink*>(user);
    const std::size_t n = size * count;
    if (sink->body.size() + n > sink->limit) return 0; // a reply over its bound ends the transfer
    sink->body.append(data, n);
    return n;
}

struct Handle {
    CURL* curl;
    explicit Handle(CURL* c) : curl(c) {}
    ~Handle() { curl_easy_cleanup(curl); }
};

// What every handle gets: no redirects, only the schemes the services use, no signals (threads),
// a bound on connecting.
void Common(CURL* c, const char* protocols) {
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, protocols);
    curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, kConnectTimeoutMs);
}

Exchange Perform(CURL* c, std::size_t limit) {
    Sink sink;
    sink.limit = limit;
    curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, Collect);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, &sink);
    const CURLcode rc = curl_easy_perform(c);
    long status = 0;
    curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &status);
    curl_easy_setopt(c, CURLOPT_WRITEDATA, nullptr);
    if (rc != CURLE_OK || status < 200 || status >= 300) return {};
    return {true, std::move(sink.body)};
}

} // namespace

CurlTransport::CurlTransport() {
    GlobalInit();
    CURL* c = curl_easy_init();
    shared_ = c;
    if (!c) return;
    Common(c, "http,https");
    curl_easy_setopt(c, CURLOPT_COOKIEFILE, ""); // cookies kept in memory for the whole run
}

CurlTransport::~CurlTransport() {
    if (shared_) curl_easy_cleanup(static_cast<CURL*>(shared_));
}

Exchange CurlTransport::Post(const std::string& url, const std::string& body) {
    CURL* c = static_cast<CURL*>(shared_);
    if (!c || url.empty()) return {};
    curl_easy_setopt(c, CURLOPT_URL, url.c_str());
    curl_easy_setopt(c, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(c, CURLOPT_POST, 1L);
    curl_easy_setopt(c, CURLOPT_POSTFIELDSIZE, static_cast<long>(body.size()));
    curl_easy_setopt(c, CURLOPT_COPYPOSTFIELDS, body.c_str());
    std::unique_ptr<curl_slist, decltype(&curl_slist_free_all)> headers(
        curl_slist_append(nullptr, "Content-Type: application/x-www-form-urlencoded"), curl_slist_free_all);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, headers.get());
    // The read time-out: no byte for that long ends the exchange.
    const long readMs = readTimeoutMs_ > 0 ? readTimeoutMs_ : kSafetyReadTimeoutMs;
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, (readMs + 999) / 1000);
    Exchange e = Perform(c, kMaxReplyBytes);
    curl_easy_setopt(c, CURLOPT_HTTPHEADER, nullptr);
    return e;
}

Exchange CurlTransport::Get(const std::string& url) {
    Handle h(curl_easy_init());
    if (!h.curl || url.empty()) return {};
    Common(h.curl, "http,https");
    curl_easy_setopt(h.curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h.curl, CURLOPT_TIMEOUT_MS, kDocumentTimeoutMs);
    return Perform(h.curl, kMaxDocumentBytes);
}

Exchange CurlTransport::PostParts(const std::string& url, std::span<const UploadPart> parts) {
    Handle h(curl_easy_init());
    if (!h.curl || url.empty()) return {};
    Common(h.curl, "http,https");
    curl_easy_setopt(h.curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h.curl, CURLOPT_USERAGENT, kUserAgent);
    curl_easy_setopt(h.curl, CURLOPT_TIMEOUT_MS, kDocumentTimeoutMs);
    std::unique_ptr<curl_mime, decltype(&curl_mime_free)> mime(curl_mime_init(h.curl), curl_mime_free);
    for (const UploadPart& p : parts) {
        curl_mimepart* part = curl_mime_addpart(mime.get());
        curl_mime_name(part, p.name.c_str());
        curl_mime_data(part, p.bytes.data(), p.bytes.size());
        if (!p.fileName.empty()) curl_mime_filename(part, p.fileName.c_str());
        if (!p.contentType.empty()) curl_mime_type(part, p.contentType.c_str());
    }
    curl_easy_setopt(h.curl, CURLOPT_MIMEPOST, mime.get());
    return Perform(h.curl, kMaxReplyBytes);
}

namespace {
struct Source {
    const std::string* bytes;
    std::size_t at = 0;
};
std::size_t Feed(char* buffer, std::size_t size, std::size_t count, void* user) {
    auto* s = static_cast<Source*>(user);
    const std::size_t n = std::min(size * count, s->bytes->size() - s->at);
    std::memcpy(buffer, s->bytes->data() + s->at, n);
    s->at += n;
    return n;
}
} // namespace

bool CurlTransport::FtpUpload(const std::string& url, const std::string& bytes) {
    Handle h(curl_easy_init());
    if (!h.curl || url.empty()) return false;
    Common(h.curl, "ftp,ftps");
    Source source{&bytes};
    curl_easy_setopt(h.curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h.curl, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(h.curl, CURLOPT_READFUNCTION, Feed);
    curl_easy_setopt(h.curl, CURLOPT_READDATA, &source);
    curl_easy_setopt(h.curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
    curl_easy_setopt(h.curl, CURLOPT_TIMEOUT_MS, kDocumentTimeoutMs);
    return curl_easy_perform(h.curl) == CURLE_OK; // passive mode is libcurl's default
}

RequestWorker::RequestWorker(std::function<void()> finished)
    : finished_(std::move(finished)), thread_([this] { Run(); }) {}

RequestWorker::~RequestWorker() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

std::future<void> RequestWorker::Submit(std::function<void()> job) {
    std::packaged_task<void()> task(std::move(job));
    std::future<void> done = task.get_future();
    {
        std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(task));
    }
    wake_.notify_one();
    return done;
}

void RequestWorker::Run() {
    for (;;) {
        std::packaged_task<void()> job;
        {
            std::unique_lock lock(mutex_);
            wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
            if (jobs_.empty()) return;
            job = std::move(jobs_.front());
            jobs_.pop_front();
        }
        job();
        if (finished_) finished_();
    }
}

} // namespace tarvo
