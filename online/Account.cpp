#include "online/Account.h"

#include "core/Codec.h"
#include "files/SafeWrite.h"
#include "settings/AddressCipher.h"

namespace tarvo {
namespace {

std::vector<std::string> Lines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty() && lines.size() < 4) {
        std::size_t end = bytes.find_first_of("\r\n");
        lines.emplace_back(bytes.substr(0, end));
        if (end == std::string_view::npos) break;
        if (bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
        bytes.remove_prefix(end + 1);
    }
    return lines;
}

} // namespace

std::optional<SavedUser> ReadUserFile(const std::filesystem::path& file) {
    std::string bytes;
    std::error_code ec;
    if (std::filesystem::file_size(file, ec) > 4096 || ec) return std::nullopt;
    if (ReadFileBytes(file, bytes)) return std::nullopt;
    const auto lines = Lines(bytes);
    if (lines.size() < 3 || lines[0] != kUserFileHeader) return std::nullopt;
    SavedUser user{Cp1251ToUtf8(lines[1]), Cp1251ToUtf8(DecipherAddress(lines[2]))};
    for (char& c : user.password)
        if (c == ' ' || c == '#' || c == '$') c = '-';
    return user;
}

std::error_code WriteUserFile(const std::filesystem::path& file, const std::string& nick,
                              const std::string& password) {
    const std::string text = std::string(kUserFileHeader) + "\r\n" + Utf8ToCp1251(nick) + "\r\n" +
                             EncipherAddress(Utf8ToCp1251(password)) + "\r\n";
    return ReplaceFileContents(file, text);
}

bool Account::AutoSignIn(const std::filesystem::path& userFile) {
    const auto saved = ReadUserFile(userFile);
    if (!saved) return false;
    auto in = client_.SignIn(saved->nick, saved->password);
    if (!in.ok) return false;
    holder = in.value;
    state = AccountState::SignedIn;
    return true;
}

bool Account::ReadClubTop() {
    auto top = client_.ClubTopTen();
    clubTopRead = top.ok;
    if (top.ok) clubTop = top.value;
    return top.ok;
}

bool Account::ReadResults() {
    if (!SignedIn()) return false;
    auto read = client_.ReadGame(holder.Nick, holder.Pw);
    gameRead = read.ok;
    if (!read.ok) return false;
    const int place = game.Place;
    game = read.value;
    game.Place = place;
    auto where = client_.RatingPlace(game.Rating);
    gameRead = where.ok;
    if (where.ok) game.Place = where.value;
    return gameRead;
}

bool Account::ReadMembers() {
    auto n = client_.MemberCount();
    if (n.ok) members = n.value;
    return n.ok;
}

void Account::ReadHolder() {
    holderPhoto.clear();
    if (!SignedIn()) return;
    if (auto photo = client_.ReadPhoto(holder.Nick); photo.ok) holderPhoto = std::move(photo.value);
    if (auto details = client_.ReadDetails(holder.Nick); details.ok) holderDetails = details.value;
}

void Account::ReadPresident() {
    const std::string nick = President();
    presidentPhoto.clear();
    presidentDetails.reset();
    if (nick.empty()) return;
    if (auto details = client_.ReadDetails(nick); details.ok) presidentDetails = details.value;
    if (auto photo = client_.ReadPhoto(nick); photo.ok) presidentPhoto = std::move(photo.value);
}

void Account::ReadForWindow() {
    ReadClubTop();
    ReadResults();
    ReadMembers();
    ReadHolder();
    ReadPresident();
}

RegisterResult Account::Create(TQobUser user, bool rated, const std::string& today) {
    user.DateR = today;
    user.R01 = user.R02 = user.R03 = "xxx";
    user.R04 = user.R05 = user.R06 = 0;
    const RegisterResult result = client_.Register(user);
    if (result != RegisterResult::Created) {
        state = AccountState::SignedOut;
        user.DateR = "00.00.0000";
        holder = user;
        return result;
    }
    holder = user;
    state = rated ? AccountState::Rated : AccountState::SignedIn;
    ReadMembers();
    if (auto in = client_.SignIn(user.Nick, user.Pw); in.ok) holder = in.value;
    ReadResults();
    if (auto details = client_.ReadDetails(holder.Nick); details.ok) holderDetails = details.value;
    return result;
}

bool Account::SignIn(const std::string& nick, const std::string& password) {
    auto in = client_.SignIn(nick, password);
    if (!in.ok) {
        state = AccountState::SignedOut;
        return false;
    }
    holder = in.value;
    state = AccountState::SignedIn;
    ReadResults();
    ReadMembers();
    ReadHolder();
    ReadPresident();
    return true;
}

void Account::SignOut() {
    state = AccountState::SignedOut;
    holderPhoto.clear();
    holder.R04 = holder.R05 = holder.R06 = 0;
}

void Account::SetRated(bool rated) {
    if (!SignedIn()) return;
    state = rated ? AccountState::Rated : AccountState::SignedIn;
}

} // namespace tarvo
