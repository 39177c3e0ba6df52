// Account passwords: stored only as argon2id hashes. A password that was verified is remembered
// for a few minutes as a keyed digest, so the many requests that carry it stay cheap; hashing runs
// at most two at a time, so a flood of sign-ins cannot eat the machine's memory.
#pragma once

#include <chrono>
#include <mutex>
#include <semaphore>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tarvo::server {

class Passwords {
  public:
    Passwords();

    // The hash to store; empty when hashing failed (out of memory).
    std::string Hash(std::string_view password);
    // Whether `password` is the one of `hash`; `key` (the account) finds it in the memory.
    bool Check(const std::string& key, std::string_view hash, std::string_view password);
    // Forgets what was remembered for an account.
    void Forget(const std::string& key);
    // How many accounts showed their password within the last kRemember: the players about now.
    int Remembered();

    static constexpr std::chrono::minutes kRemember{5};

  private:
    std::string Digest(std::string_view hash, std::string_view password) const;

    std::counting_semaphore<8> hashing_{2};
    std::mutex mutex_;
    struct Verified {
        std::string digest;
        std::chrono::steady_clock::time_point until;
    };
    std::unordered_map<std::string, Verified> verified_;
    unsigned char secret_[32];
};

// A signed proof that a browser-like client showed an account's password lately, carried as a
// cookie. The account details request has no password of its own: it is taken only with it.
class SessionCookies {
  public:
    explicit SessionCookies(std::string key) : key_(std::move(key)) {}
    static constexpr const char* kName = "tarvo3";
    static constexpr std::chrono::hours kLifetime{12};

    // The Set-Cookie header's value for an account.
    std::string Issue(const std::string& account) const;
    // The account a Cookie header proves, or empty.
    std::string Verify(std::string_view cookieHeader) const;

  private:
    std::string Mac(std::string_view text) const;
    std::string key_;
};

} // namespace tarvo::server
