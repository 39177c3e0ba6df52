// The plain pages of the server: the online configuration document (every service under the
// address the client used), the client's address, a status page, and the resource packages the
// options dialog downloads.
#include <httplib.h>

#include <QSqlQuery>
#include <QVariant>
#include <memory>

#include "TarvoVersion.h"
#include "online/OnlineConfig.h"
#include "server/Passwords.h"
#include "server/Service.h"

namespace tarvo::server {
namespace {

// A package's file name: no folders, no hidden files.
bool PackageName(const std::string& name) {
    if (name.empty() || name.size() > 64 || name[0] == '.') return false;
    for (char c : name)
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '.' && c != '_' && c != '-') return false;
    return true;
}

class SiteService : public Service {
  public:
    void Register(ServerContext& c) override {
        c.http.Get("/config", [&c](const httplib::Request& req, httplib::Response& res) {
            res.set_content(OnlineConfigDocument(AddressesOn(c.Origin(req))), "text/plain; charset=utf-8");
        });
        c.http.Get("/ip", [&c](const httplib::Request& req, httplib::Response& res) {
            res.set_content(c.Client(req) + "\n", "text/plain");
        });
        c.http.Get("/status", [&c](const httplib::Request&, httplib::Response& res) { Status(c, res); });
        // The packages also lie where the options dialog of every copy of the game looks for them.
        for (const char* folder : {R"(/packages/([^/]+))", R"(/downloads/progr/cards/([^/]+))"})
            c.http.Get(folder, [&c](const httplib::Request& req, httplib::Response& res) {
                Package(c, req.matches[1], res);
            });
    }

  private:
    static void Status(ServerContext& c, httplib::Response& res) {
        QSqlQuery& q = c.storage.Statement("SELECT COUNT(*) FROM accounts");
        const bool ok = q.exec() && q.next();
        const long long accounts = ok ? q.value(0).toLongLong() : -1;
        q.finish();
        if (!ok) c.storage.Forget();
        const auto up =
            std::chrono::duration_cast<std::chrono::seconds>(std::chrono::steady_clock::now() - c.started);
        std::string text = std::string("tarvo3-server ") + kVersion + "\n";
        text += "storage: " + c.storage.Describe().toStdString() + (ok ? "" : " (not answering)") + "\n";
        text += "accounts: " + std::to_string(accounts) + "\n";
        text += "signed in within 5 minutes: " + std::to_string(c.passwords.Remembered()) + "\n";
        text += "uptime: " + std::to_string(up.count()) + " s\n";
        text += "requests: " + std::to_string(c.requests.load()) + "\n";
        text += "refused: " + std::to_string(c.refused.load()) + "\n";
        res.status = ok ? 200 : 503;
        res.set_content(text, "text/plain; charset=utf-8");
    }

    static void Package(ServerContext& c, const std::string& name, httplib::Response& res) {
        if (!PackageName(name)) return Refuse(res, 404, "package: bad name");
        for (const std::filesystem::path& folder : c.packageFolders)
            if (SendFile(folder / name, "application/octet-stream", res)) return;
        Refuse(res, 404, "package: no " + name);
    }
};

} // namespace

std::unique_ptr<Service> MakeSiteService() {
    return std::make_unique<SiteService>();
}

} // namespace tarvo::server
