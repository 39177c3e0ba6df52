// The online configuration document: a small UTF-8 text the home server hands out, which can
// pause the world top ten or the chat and replace the addresses of the services. A value follows
// its key and one separator character and runs to the next "#": "AccPath=<address>#". Addresses
// in it are in the stored (enciphered) form of the settings file.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "online/Services.h"

namespace tarvo {

struct Settings;

// The keys of the document. The first five are the ones every client of the score server reads;
// the others name the services this program finds on the same server.
namespace config_key {
inline constexpr const char* ChatPause = "CTGamesPause";
inline constexpr const char* TopTenPause = "WTGamesPause";
inline constexpr const char* TopTen = "WTGamesPatt";
inline constexpr const char* Statistics = "StatPath";
inline constexpr const char* Account = "AccPath";
inline constexpr const char* Tournament = "TourPath";
inline constexpr const char* News = "NewsPath";
inline constexpr const char* Photos = "PhotoPath";
inline constexpr const char* PhotoUpload = "PhotoUpload";
inline constexpr const char* Packages = "PackPath";
} // namespace config_key

enum class TopTenAnswer { Old, Pause, Address };

// What the document says. A document that could not be fetched answers "old" for the top ten,
// keeps the chat enabled and replaces nothing.
struct OnlineConfig {
    bool chatEnabled = true;
    TopTenAnswer topTen = TopTenAnswer::Old;
    std::string topTenPath; // stored form, for TopTenAnswer::Address
    // Replacement addresses in stored form; absent keys leave the service where it is.
    std::optional<std::string> statistics, account, tournament, news, photos, photoUpload, packages;
};

// The value after `key` and one separator character, up to the next "#". A value without its
// closing "#" (a document cut short) is not taken.
std::optional<std::string> ConfigValue(std::string_view document, std::string_view key);

// Answers the questions of the document; nothing means the fetch failed.
OnlineConfig ReadOnlineConfig(std::optional<std::string_view> document);

// Puts the answers into effect: a new top ten address becomes the setting `TopTenPath`; the other
// addresses replace the services' addresses for this run.
void ApplyOnlineConfig(const OnlineConfig& config, Settings& settings, ServiceAddresses& addresses);

// The document a server at `origin` hands out: every service under that origin.
std::string OnlineConfigDocument(const ServiceAddresses& addresses);

} // namespace tarvo
