#include "server/Passwords.h"

#include <sodium.h>

#include <algorithm>
#include <charconv>
#include <ctime>

namespace tarvo::server {
namespace {

// The cost of a hash: the commonly recommended floor for argon2id (two passes over 19 MiB),
// about 30 ms here. The hash records its cost, so a later rise keeps old hashes readable.
constexpr unsigned long long kOps = 2;
constexpr std::size_t kMemory = 19u << 20;

std::string Hex(const unsigned char* bytes, std::size_t n) {
    std::string out(n * 2 + 1, '\0');
    sodium_bin2hex(out.data(), out.size(), bytes, n);
    out.pop_back();
    return out;
}

} // namespace

Passwords::Passwords() {
    if (sodium_init() < 0) throw std::runtime_error("libsodium cannot start");
    randombytes_buf(secret_, sizeof secret_);
}

std::string Passwords::Digest(std::string_view hash, std::string_view password) const {
    unsigned char out[32];
    crypto_generichash_state state;
    crypto_generichash_init(&state, secret_, sizeof secret_, sizeof out);
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(hash.data()), hash.size());
    const unsigned char separator = 0;
    crypto_generichash_update(&state, &separator, 1);
    crypto_generichash_update(&state, reinterpret_cast<const unsigned char*>(password.data()),
                              password.size());
    crypto_generichash_final(&state, out, sizeof out);
    return std::string(reinterpret_cast<char*>(out), sizeof out);
}

std::string Passwords::Hash(std::string_view password) {
    char out[crypto_pwhash_STRBYTES];
    hashing_.acquire();
    const int rc = crypto_pwhash_str(out, password.data(), password.size(), kOps, kMemory);
    hashing_.release();
    return rc == 0 ? std::string(out) : std::string();
}

bool Passwords::Check(const std::string& key, std::string_view hash, std::string_view password) {
    const std::string digest = Digest(hash, password);
    const auto now = std::chrono::steady_clock::now();
    {
        std::lock_guard lock(mutex_);
        auto it = verified_.find(key);
        if (it != verified_.end() && it->second.until > now &&
            sodium_memcmp(it->second.digest.data(), digest.data(), digest.size()) == 0)
            return true;
    }
    const std::string stored(hash);
    hashing_.acquire();
    const bool ok = crypto_pwhash_str_verify(stored.c_str(), password.data(), password.size()) == 0;
    hashing_.release();
    if (!ok) return false;
    std::lock_guard lock(mutex_);
    if (verified_.size() > 100000)
        std::erase_if(verified_, [&](const auto& e) { return e.second.until <= now; });
    verified_[key] = {digest, now + kRemember};
    return true;
}

int Passwords::Remembered() {
    const auto now = std::chrono::steady_clock::now();
    std::lock_guard lock(mutex_);
    return static_cast<int>(std::count_if(verified_.begin(), verified_.end(),
                                          [&](const auto& e) { return e.second.until > now; }));
}

void Passwords::Forget(const std::string& key) {
    std::lock_guard lock(mutex_);
    verified_.erase(key);
}

std::string SessionCookies::Mac(std::string_view text) const {
    unsigned char mac[crypto_auth_BYTES];
    unsigned char key[crypto_auth_KEYBYTES] = {};
    crypto_generichash(key, sizeof key, reinterpret_cast<const unsigned char*>(key_.data()), key_.size(),
                       nullptr, 0);
    crypto_auth(mac, reinterpret_cast<const unsigned char*>(text.data()), text.size(), key);
    return Hex(mac, sizeof mac);
}

std::string SessionCookies::Issue(const std::string& account) const {
    const long long until = static_cast<long long>(std::time(nullptr)) +
                            std::chrono::duration_cast<std::chrono::seconds>(kLifetime).count();
    const std::string text = Hex(reinterpret_cast<const unsigned char*>(account.data()), account.size()) +
                             "-" + std::to_string(until);
    return std::string(kName) + "=" + text + "-" + Mac(text) + "; Path=/; HttpOnly; Max-Age=" +
           std::to_string(std::chrono::duration_cast<std::chrono::seconds>(kLifetime).count());
}

std::string SessionCookies::Verify(std::string_view header) const {
    const std::string name = std::string(kName) + "=";
    std::string_view value;
    while (!header.empty()) {
        std::string_view pair = header.substr(0, header.find(';'));
        header.remove_prefix(std::min(header.size(), pair.size() + 1));
        while (!pair.empty() && pair.front() == ' ') pair.remove_prefix(1);
        if (pair.starts_with(name)) value = pair.substr(name.size());
    }
    const std::size_t macAt = value.rfind('-');
    if (macAt == std::string_view::npos) return {};
    const std::string_view text = value.substr(0, macAt);
    const std::string mac = Mac(text);
    if (mac.size() != value.size() - macAt - 1 ||
        sodium_memcmp(mac.data(), value.data() + macAt + 1, mac.size()) != 0)
        return {};
    const std::size_t dash = text.find('-');
    if (dash == std::string_view::npos) return {};
    long long until = 0;
    const std::string_view untilText = text.substr(dash + 1);
    std::from_chars(untilText.data(), untilText.data() + untilText.size(), until);
    if (until < static_cast<long long>(std::time(nullptr))) return {};
    const std::string_view hex = text.substr(0, dash);
    std::string account(hex.size() / 2, '\0');
    std::size_t length = 0;
    if (sodium_hex2bin(reinterpret_cast<unsigned char*>(account.data()), account.size(), hex.data(),
                       hex.size(), nullptr, &length, nullptr) != 0)
        return {};
    account.resize(length);
    return account;
}

} // namespace tarvo::server
