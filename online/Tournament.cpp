#include "online/Tournament.h"

#include "online/FieldRules.h"

namespace tarvo {
namespace {

bool IsFree(const TQobSeat& s) {
    return s.Nick == "X" || s.Nick.empty();
}

TQobClient EmptyRecord(const std::string& sex) {
    TQobClient c;
    c.Nick = c.Country = c.City = c.IP = "X";
    c.Sex = sex;
    return c;
}

} // namespace

std::array<SeatButton, 3> SeatButtons(const TQobTable_3& table, int num, bool open, int ownTable, int ownSeat) {
    std::array<SeatButton, 3> buttons{};
    if (!open) return buttons; // every one "Server Off", disabled
    const bool seatedNowhere = ownSeat == 0;
    for (int s = 1; s <= 3; ++s) {
        SeatButton& b = buttons[static_cast<std::size_t>(s - 1)];
        const TQobSeat& seat = table.Seats[static_cast<std::size_t>(s - 1)];
        if (!IsFree(seat)) {
            // The player at seat 3 cannot leave by the button: the game is about to start.
            if (ownTable == num && ownSeat == s && s < 3) {
                b = {SeatButton::Caption::LogOff, {}, true};
            } else {
                b = {SeatButton::Caption::Occupant, seat.Nick + " : " + std::to_string(seat.Score), false};
            }
            continue;
        }
        const bool belowTaken = s == 1 || !IsFree(table.Seats[static_cast<std::size_t>(s - 2)]);
        b.caption = belowTaken ? SeatButton::Caption::TakePlace : SeatButton::Caption::Free;
        b.enabled = seatedNowhere && belowTaken;
    }
    return buttons;
}

std::string WelcomeLine(const std::string& text) {
    std::u32string line = DecodeUtf8(text);
    if (line.size() > static_cast<std::size_t>(kWelcomeMax)) line.resize(kWelcomeMax);
    for (char32_t& c : line)
        if (c == U'_') c = U' ';
    return EncodeUtf8(line);
}

std::optional<std::filesystem::path> PlayerPicturePath(const std::filesystem::path& sharedFolder,
                                                       const std::string& nick) {
    if (nick.empty() || nick.size() > 64 || nick == "." || nick == ".." || nick == "X") return std::nullopt;
    for (unsigned char c : nick)
        if (c < 0x20 || c == 0x7F || c == '/' || c == '\\' || c == ':') return std::nullopt;
    return sharedFolder / "History" / (nick + ".bmp");
}

void TournamentDesk::BuildIdentity(const TQobUser& holder, const std::string& publicAddress) {
    identity_ = {};
    identity_.Nick = holder.Nick;
    identity_.Country = holder.Country1;
    identity_.City = holder.City;
    identity_.Sex = holder.Sex;
    identity_.IP = publicAddress.empty() ? "X" : publicAddress;
    ReadStanding();
}

void TournamentDesk::ReadStanding() {
    const Reply<TournamentRating> r = client_.ReadTournamentRating(identity_.Nick);
    if (r.ok) { // a tournament score may be below 0
        identity_.Score = r.value.score;
        identity_.Kon = r.value.games;
        identity_.Rating = r.value.rating;
    }
    place_ = 0;
    ReadPlace();
}

// A failed read keeps the place last read: the grid shows what is known rather than nothing.
void TournamentDesk::ReadPlace() {
    const Reply<int> place = client_.TournamentPlace('s', identity_.Score);
    if (place.ok) place_ = place.value;
}

// Others' games move the player's place, so every refresh reads it after the seats.
bool TournamentDesk::Refresh() {
    const bool lost = RefreshSeat();
    ReadPlace();
    return lost;
}

bool TournamentDesk::RefreshSeat() {
    const Reply<TablesRead> tables = client_.ReadTables(kGameNumber);
    const Reply<ServerInfo> info = client_.ReadServerInfo(kGameNumber);
    infoRead_ = info.ok;
    welcome_ = info.ok ? WelcomeLine(info.value.text) : std::string();
    open_ = tables.ok && info.ok && info.value.state == "Y";
    if (tables.ok) {
        tables_ = tables.value.tables;
        gameServer_ = tables_[0].IP;
        portBase_ = tables_[0].Port - 1;
    }
    if (seat_ == 0) return false;
    if (!open_) {
        FreeSeat(table_, seat_, "X");
        Forget();
        return true;
    }
    if (IsFree(TableRow(table_).Seats[0])) {
        Forget();
        return true;
    }
    return false;
}

TakeOutcome TournamentDesk::Take(int table, int seat) {
    if (table < 1 || table > kTournamentTables || seat < 1 || seat > 3 || seat_ != 0) return TakeOutcome::Refused;
    // Two machines behind one address could be one player in three seats; on a loopback game
    // server every player is on this machine anyway.
    if (gameServer_ != "127.0.0.1") {
        for (int below = 1; below < seat; ++below) {
            const Reply<TQobClient> c = client_.ReadClient(below, table);
            if (c.ok && c.value.IP == identity_.IP && identity_.IP != "X") return TakeOutcome::SameAddress;
        }
    }
    if (client_.TakeSeat(seat, table, 1, identity_) != SeatResult::Done) return TakeOutcome::Refused;
    table_ = table;
    seat_ = seat;
    return TakeOutcome::Taken;
}

bool TournamentDesk::Leave() {
    if (seat_ == 0) return false;
    if (client_.TakeSeat(seat_, table_, 2, EmptyRecord("X")) != SeatResult::Done) return false;
    if (seat_ == 1) client_.TakeSeat(2, table_, 0, EmptyRecord("X"));
    Forget();
    return true;
}

void TournamentDesk::FreeAfterConnectionError() {
    if (seat_ == 0) return;
    for (int s = 3; s >= seat_; --s) FreeSeat(table_, s, "M");
    Forget();
}

void TournamentDesk::FreeSeat(int table, int seat, const std::string& sex) {
    client_.TakeSeat(seat, table, 0, EmptyRecord(sex));
}

std::array<SeatButton, 3> TournamentDesk::Buttons(int table) const {
    return SeatButtons(TableRow(table), table, open_, table_, seat_);
}

} // namespace tarvo
