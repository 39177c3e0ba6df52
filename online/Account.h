// The account: its state, the account holder and what the account window shows of the club, the
// sign-in that "QobUser.qob" remembers, and the steps of creating an account, signing in and out.
// The windows only show what this holds; the later online parts (rated play, the tournament)
// read the state and the holder from here.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "online/Records.h"
#include "online/Requests.h"

namespace tarvo {

enum class AccountState { SignedOut = 1, SignedIn = 2, Rated = 3 };

// "QobUser.qob" in the folder shared with sibling games: the header, the nick and the password in
// the stored form, one per line.
inline constexpr const char* kUserFileName = "QobUser.qob";
inline constexpr const char* kUserFileHeader = "Qob User File";

struct SavedUser {
    std::string nick;
    std::string password; // as it is sent: blanks, "#" and "$" read back as "-"
};
// Nothing when the file is missing or its first line is not the header.
std::optional<SavedUser> ReadUserFile(const std::filesystem::path& file);
std::error_code WriteUserFile(const std::filesystem::path& file, const std::string& nick,
                              const std::string& password);

class Account {
  public:
    explicit Account(ScoreClient& client) : client_(client) {}

    AccountState state = AccountState::SignedOut;
    TQobUser holder;
    TQobGame game;         // the holder's record of this game
    bool gameRead = false; // the last read of it (with its place) succeeded
    std::optional<int> members;
    std::array<TQobTop10, 10> clubTop{};
    bool clubTopRead = false;
    std::optional<TInfo14> holderDetails, presidentDetails;
    std::string holderPhoto, presidentPhoto; // JPEG bytes; empty: none

    bool SignedIn() const { return state != AccountState::SignedOut; }
    // The club's top-rated player, empty when the club top ten is not known.
    std::string President() const { return clubTopRead ? clubTop[0].Nick : std::string(); }

    // At start-up: signs in with the saved sign-in, silently; false leaves the state as it was.
    bool AutoSignIn(const std::filesystem::path& userFile);

    // What the account window reads when it opens: the club top ten, the holder's record and its
    // place, the member count, the holder's and the president's details and photos.
    void ReadForWindow();

    // "Create an account": `user` as typed (nick, password, city, countries, sex, e-mail), `today`
    // the registration date. On success the account is signed in (rated when `rated`) and read
    // back as a sign-in reads it.
    RegisterResult Create(TQobUser user, bool rated, const std::string& today);

    // "Login to account": false leaves the player signed out.
    bool SignIn(const std::string& nick, const std::string& password);
    void SignOut();
    // "Play global rating" ticked or not (only while signed in).
    void SetRated(bool rated);

    // "Refresh" on the results tab: the record and its place.
    bool ReadResults();
    bool ReadClubTop();
    bool ReadMembers();
    // The holder's details and photo; the president's.
    void ReadHolder();
    void ReadPresident();

    ScoreClient& Client() { return client_; }

  private:
    ScoreClient& client_;
};

} // namespace tarvo
