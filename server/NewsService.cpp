// The news page (GET /news) and the server's front page (GET /), the product page the main menu
// opens. Clients look in the news page for "QobNews" and the five digits after it: a number above
// the one the player last opened raises the news signal on the main menu, and the player reads
// the page in his browser.
//
// The operator sets the number with --news N, or at any time with the file "news.txt" in the
// data folder: its first line is the number, the lines below it are the news shown on the page.
// The file is read at every request, so a new item needs no restart.
#include <httplib.h>

#include <QString>
#include <charconv>
#include <cstdio>

#include "files/SafeWrite.h"
#include "server/Service.h"

namespace tarvo::server {
namespace {

constexpr int kNewsNumberMax = 99999; // five digits on the page
constexpr std::uintmax_t kNewsFileMax = 64 * 1024;

struct News {
    int number = 0;
    std::vector<std::string> lines;
};

// The news of "news.txt", or nothing when there is no usable file.
std::optional<News> ReadNewsFile(const std::filesystem::path& file) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(file, ec);
    std::string bytes;
    if (ec || size > kNewsFileMax || ReadFileBytes(file, bytes)) return std::nullopt;
    News news;
    std::size_t start = 0;
    std::vector<std::string> lines;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    if (lines.empty()) return std::nullopt;
    const std::string& first = lines.front();
    const auto [ptr, e] = std::from_chars(first.data(), first.data() + first.size(), news.number);
    if (e != std::errc() || ptr != first.data() + first.size() || news.number < 0 ||
        news.number > kNewsNumberMax)
        return std::nullopt;
    news.lines.assign(lines.begin() + 1, lines.end());
    return news;
}

std::string Page(const News& news) {
    char marker[16];
    std::snprintf(marker, sizeof marker, "QobNews%05d", news.number);
    std::string body;
    for (const std::string& line : news.lines)
        if (!line.empty())
            body += "<p>" +
                    QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()))
                        .toHtmlEscaped()
                        .toStdString() +
                    "</p>\n";
    return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Tarvo-Trio</title></head>\n"
           "<body><h1>Tarvo-Trio</h1>\n" +
           body + "<!-- " + marker + " -->\n</body></html>\n";
}

class NewsService : public Service {
  public:
    bool Start(ServerContext& c, std::string* why) override {
        if (c.newsNumber < 0 || c.newsNumber > kNewsNumberMax) {
            *why = "--news takes 0 to " + std::to_string(kNewsNumberMax);
            return false;
        }
        return true;
    }

    void Register(ServerContext& c) override {
        c.http.Get("/news", [&c](const httplib::Request&, httplib::Response& res) {
            const News news = ReadNewsFile(c.dataDir / "news.txt").value_or(News{c.newsNumber, {}});
            res.set_content(Page(news), "text/html; charset=utf-8");
        });
        // The game opens its product page at either of two addresses, chosen at random.
        c.http.Get(R"(/(index\.html)?)", [](const httplib::Request&, httplib::Response& res) {
            res.set_content(
                "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>Tarvo-Trio</title></head>\n"
                "<body><h1>Tarvo-Trio</h1>\n<p>Throw-in Durak for three seats: play the computer, "
                "friends over the network, or the club of this server for the world top ten and "
                "the global rating.</p>\n<p><a href=\"/news\">News</a></p>\n</body></html>\n",
                "text/html; charset=utf-8");
        });
    }
};

} // namespace

std::unique_ptr<Service> MakeNewsService() {
    return std::make_unique<NewsService>();
}

} // namespace tarvo::server
