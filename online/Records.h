// The records the score server's replies fill. Texts are UTF-8 inside the program; the request
// functions convert them from and to Windows-1251 at the wire.
#pragma once

#include <array>
#include <string>

namespace tarvo {

// This program's game number on the score server, and the prefix of its per-game fields.
inline constexpr int kGameNumber = 15;
inline constexpr const char* kGamePrefix = "vemro4";

// One row of a world top ten or of the chat board.
struct TQobRecord {
    int RID = 0;
    int GID = 0;
    int Score = 0;
    std::string Nick = "#", Country = "#", City = "#", R07 = "#", R08 = "#", R09 = "#", R10 = "#*";
    int Place = 0;
    // A row whose nick is still "#" after a read is empty and is not shown.
    bool Empty() const { return Nick == "#"; }
};

// Fourteen account details, in this order on the wire.
struct TInfo14 {
    std::string Name1, Name2, About, Telephone, EMailO, Skype, WebSite, OK, VK, Telegram, FaceBook, Twitter,
        Instagramm, YouTube;
    static constexpr int kCount = 14;
    std::string& operator[](int i);
    const std::string& operator[](int i) const;
    bool operator==(const TInfo14&) const = default;
};

// The account holder.
struct TQobUser {
    std::string Nick, Pw, City, Country1, Country2;
    std::string Sex = "M";
    std::string EMail;
    std::string DateR = "00.00.0000";
    std::string R01, R02, R03;
    int R04 = 0, R05 = 0, R06 = 0;
    std::string PwC; // the password as "QobUser.qob" stores it
    TInfo14 Info;
    bool operator==(const TQobUser&) const = default;
};

// An account's record of this game.
struct TQobGame {
    int Kon = 0;      // games counted for the rating
    int Score = 0;    // points of the unfinished cycle
    int Sessions = 0; // cycles completed
    double Rating = 0;
    std::string PlayNow = "N";
    int R1 = 0;
    std::string R2 = "#";
    int Place = 0; // place by rating in the club, read separately
    int Best = 0;  // best cycle score
    int Best5 = 0, Best6 = 0, Best7 = 0, Best8 = 0;
    int KonL = 0; // games of the unfinished cycle
    bool operator==(const TQobGame&) const = default;
};

// A row of the club top ten by rating.
struct TQobTop10 {
    std::string Nick, City, Country;
    std::string Sex = "M";
    double Rating = 0;
};

// World statistics of one game.
struct TQobStat {
    int GID = kGameNumber;
    int Stat1 = 0, Stat2 = 0, Stat3 = 0;
    std::string Stat4;
    std::array<int, 12> StatX{};
    int StatY = 0;
    std::string StatZ;
};

// One seat of a tournament table.
struct TQobSeat {
    std::string Nick = "X";
    int Score = 0, Kon = 0, Rating = 0;
    std::string Country = "X", City = "X", Sex = "M", IP = "X";
};

// One tournament table of three seats.
struct TQobTable_3 {
    std::string IP = "0.0.0.0";
    int Port = 0;
    std::string Free = "X";
    int R1 = 0;
    std::string R2 = "X";
    std::array<TQobSeat, 3> Seats; // seats 1..3 at 0..2
};

// One seated tournament player.
struct TQobClient {
    std::string Nick;
    int Score = 0, Kon = 0, Rating = 0;
    std::string Country, City;
    std::string Sex = "M";
    std::string IP;
};

} // namespace tarvo
