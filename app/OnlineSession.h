// The program's link to the score server: the one transport (requests on their own thread), the
// service addresses, the answers of the online configuration document, and the account. The main
// window owns one; the settings loader fetches the configuration through it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "online/Account.h"
#include "online/OnlineConfig.h"
#include "online/Requests.h"
#include "settings/Settings.h"
#include "table/OnlineWait.h"

namespace tarvo {

class OnlineSession : public OnlineConfigFetcher {
  public:
    // `server`: the home server named on the command line ("https://club.example.org"), which
    // then holds the top ten and statistics addresses of the settings too.
    explicit OnlineSession(std::optional<std::string> server = std::nullopt);

    // The end of a complete settings read: the configuration document of the home server.
    void FetchOnlineConfig(Settings& settings) override;
    // After the settings are read, whether or not the document was fetched.
    void Begin(Settings& settings);

    // The start-up sign-in from "QobUser.qob" in the folder shared with sibling games.
    bool AutoSignIn(const std::filesystem::path& sharedFolder);
    std::filesystem::path UserFile(const std::filesystem::path& sharedFolder) const {
        return sharedFolder / kUserFileName;
    }

    Account& TheAccount() { return account_; }
    ScoreClient& Client() { return client_; }
    const OnlineConfig& Config() const { return config_; }

  private:
    void UseServer(Settings& settings) const;

    std::optional<std::string> server_;
    WaitingTransport transport_;
    ScoreClient client_;
    Account account_;
    OnlineConfig config_;
    bool started_ = false;
};

} // namespace tarvo
