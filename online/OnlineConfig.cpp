#include "online/OnlineConfig.h"

#include "settings/AddressCipher.h"
#include "settings/Settings.h"

namespace tarvo {

std::optional<std::string> ConfigValue(std::string_view document, std::string_view key) {
    const std::size_t at = document.find(key);
    if (at == std::string_view::npos) return std::nullopt;
    const std::size_t start = at + key.size() + 1;
    if (start > document.size()) return std::nullopt;
    const std::size_t end = document.find('#', start);
    if (end == std::string_view::npos) return std::nullopt;
    return std::string(document.substr(start, end - start));
}

OnlineConfig ReadOnlineConfig(std::optional<std::string_view> document) {
    OnlineConfig c;
    if (!document) return c;
    const std::string_view d = *document;
    c.chatEnabled = d.find(config_key::ChatPause) == std::string_view::npos;
    if (d.find(config_key::TopTenPause) != std::string_view::npos) {
        c.topTen = TopTenAnswer::Pause;
    } else if (auto path = ConfigValue(d, config_key::TopTen)) {
        c.topTen = TopTenAnswer::Address;
        c.topTenPath = *path;
    }
    c.statistics = ConfigValue(d, config_key::Statistics);
    c.account = ConfigValue(d, config_key::Account);
    c.tournament = ConfigValue(d, config_key::Tournament);
    c.news = ConfigValue(d, config_key::News);
    c.photos = ConfigValue(d, config_key::Photos);
    c.photoUpload = ConfigValue(d, config_key::PhotoUpload);
    c.packages = ConfigValue(d, config_key::Packages);
    return c;
}

void ApplyOnlineConfig(const OnlineConfig& config, Settings& settings, ServiceAddresses& addresses) {
    if (config.topTen == TopTenAnswer::Address) {
        settings.TopTenPath = config.topTenPath;
        addresses.topTen = DecipherAddress(config.topTenPath);
    }
    const std::pair<const std::optional<std::string>*, std::string*> replacements[] = {
        {&config.statistics, &addresses.statistics}, {&config.account, &addresses.account},
        {&config.tournament, &addresses.tournament}, {&config.news, &addresses.news},
        {&config.photos, &addresses.photos},         {&config.photoUpload, &addresses.photoUpload},
        {&config.packages, &addresses.packages}};
    for (const auto& [stored, address] : replacements)
        if (*stored) *address = DecipherAddress(**stored);
}

std::string OnlineConfigDocument(const ServiceAddresses& a) {
    std::string d = "Tarvo-Trio online configuration\n";
    const std::pair<const char*, const std::string*> entries[] = {{config_key::TopTen, &a.topTen},
                                                                  {config_key::Statistics, &a.statistics},
                                                                  {config_key::Account, &a.account},
                                                                  {config_key::Tournament, &a.tournament},
                                                                  {config_key::News, &a.news},
                                                                  {config_key::Photos, &a.photos},
                                                                  {config_key::PhotoUpload, &a.photoUpload},
                                                                  {config_key::Packages, &a.packages}};
    for (const auto& [key, address] : entries)
        d += std::string(key) + "=" + EncipherAddress(*address) + "#\n";
    return d;
}

} // namespace tarvo
