// The music folder and the radio's station list: "/musik/_playlist.html" lists the MP3 files of
// the data folder's "musik" folder, one file name a line, "/musik/<file>" sends one of them, and
// "/downloads/progr/cards/QobRadio.rad" sends the station list (the data folder's "packages" copy
// first, else the one shipped with the game).
#include <httplib.h>

#include <algorithm>
#include <memory>

#include "server/Service.h"

namespace tarvo::server {
namespace {

constexpr std::size_t kMaxTracks = 10000;
// The game reads at most 1 MiB of the playlist page and plays nothing from a longer one, so a
// huge folder is listed only as far as that.
constexpr std::size_t kMaxPageBytes = 1 << 20;

// A track's file name as the playlist may name it: an MP3 file right in the folder, no hidden
// file, nothing that leaves the folder.
bool TrackName(const std::string& name) {
    if (name.size() <= 4 || name.size() > 255 || name[0] == '.') return false;
    // A control character would break the page's lines; a slash would leave the folder.
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\') return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == ".mp3";
}

class MediaService : public Service {
  public:
    void Register(ServerContext& c) override {
        c.http.Get("/musik/_playlist.html", [&c](const httplib::Request&, httplib::Response& res) {
            res.set_content(Playlist(c.dataDir / "musik"), "text/html; charset=utf-8");
        });
        c.http.Get(R"(/musik/([^/]+))", [&c](const httplib::Request& req, httplib::Response& res) {
            const std::string name = req.matches[1];
            if (!TrackName(name)) return Refuse(res, 404, "music: bad name");
            if (!SendFile(c.dataDir / "musik" / name, "audio/mpeg", res))
                Refuse(res, 404, "music: no " + name);
        });
        c.http.Get("/downloads/progr/cards/QobRadio.rad", [&c](const httplib::Request&, httplib::Response& res) {
            for (const std::filesystem::path& folder : c.packageFolders)
                if (SendFile(folder / "QobRadio.rad", "text/plain; charset=utf-8", res)) return;
            Refuse(res, 404, "station list: none");
        });
    }

  private:
    // The folder's MP3 files by name, so that the page is the same on every visit.
    static std::string Playlist(const std::filesystem::path& folder) {
        std::vector<std::string> names;
        std::error_code ec;
        for (auto it = std::filesystem::directory_iterator(folder, ec);
             !ec && it != std::filesystem::directory_iterator() && names.size() < kMaxTracks; it.increment(ec)) {
            const std::string name = it->path().filename().string();
            if (TrackName(name) && it->is_regular_file(ec)) names.push_back(name);
        }
        std::sort(names.begin(), names.end());
        std::string page;
        for (const std::string& name : names) {
            if (page.size() + name.size() + 2 > kMaxPageBytes) break;
            page += name + "\r\n";
        }
        return page;
    }
};

} // namespace

std::unique_ptr<Service> MakeMediaService() {
    return std::make_unique<MediaService>();
}

} // namespace tarvo::server
