#include "app/OnlineSession.h"

#include "settings/AddressCipher.h"

namespace tarvo {

OnlineSession::OnlineSession(std::optional<std::string> server)
    : server_(std::move(server)), client_(transport_, ServiceAddresses{}), account_(client_) {}

void OnlineSession::UseServer(Settings& settings) const {
    if (!server_) return;
    settings.TopTenPath = EncipherAddress(*server_ + service_path::TopTen);
    settings.ServerPath = EncipherAddress(*server_ + service_path::Statistics);
}

void OnlineSession::FetchOnlineConfig(Settings& settings) {
    UseServer(settings);
    client_.Addresses() = StartAddresses(settings);
    config_ = client_.FetchConfig();
    ApplyOnlineConfig(config_, settings, client_.Addresses());
    started_ = true;
}

void OnlineSession::Begin(Settings& settings) {
    if (started_) return;
    // A settings file that did not reach its end brings no addresses of its own; the command line's
    // server still counts.
    UseServer(settings);
    client_.Addresses() = StartAddresses(settings);
    if (server_) {
        config_ = client_.FetchConfig();
        ApplyOnlineConfig(config_, settings, client_.Addresses());
    }
    started_ = true;
}

bool OnlineSession::AutoSignIn(const std::filesystem::path& sharedFolder) {
    return account_.AutoSignIn(UserFile(sharedFolder));
}

} // namespace tarvo
