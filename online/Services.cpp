#include "online/Services.h"

#include "settings/AddressCipher.h"
#include "settings/Settings.h"

namespace tarvo {

std::optional<std::string> OriginOf(std::string_view address) {
    for (std::string_view scheme : {"http://", "https://", "ftp://"}) {
        if (!address.starts_with(scheme)) continue;
        const std::size_t end = address.find_first_of("/?#", scheme.size());
        const std::string_view origin = address.substr(0, end);
        if (origin.size() == scheme.size()) return std::nullopt;
        for (char c : origin)
            if (static_cast<unsigned char>(c) <= ' ' || static_cast<unsigned char>(c) >= 0x7F)
                return std::nullopt;
        return std::string(origin);
    }
    return std::nullopt;
}

ServiceAddresses AddressesOn(std::string_view origin) {
    const std::string o(origin);
    ServiceAddresses a;
    a.account = o + service_path::Account;
    a.topTen = o + service_path::TopTen;
    a.statistics = o + service_path::Statistics;
    a.tournament = o + service_path::Tournament;
    a.config = o + service_path::Config;
    a.news = o + service_path::News;
    a.photos = o + service_path::Photos;
    a.photoUpload = o + service_path::Photos;
    a.packages = o + service_path::Packages;
    return a;
}

ServiceAddresses StartAddresses(const Settings& settings) {
    const std::string statistics = DecipherAddress(settings.ServerPath);
    ServiceAddresses a = AddressesOn(OriginOf(statistics).value_or(kDefaultServerOrigin));
    a.topTen = DecipherAddress(settings.TopTenPath);
    a.statistics = statistics;
    return a;
}

} // namespace tarvo
