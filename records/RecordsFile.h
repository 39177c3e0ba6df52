// The records file: 17 fixed-length lines of Windows-1251 text with CR LF, guarded by three sums.
// Lines 1-5 are the club (best rating first), 6-15 the local top ten, 16 a fixed line, 17 the
// installation line with the language marker, the installation code and the sums.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/Card.h"

namespace tarvo {

inline constexpr std::string_view LocalRecordsFileName = "Tarvo3.clb";
inline constexpr std::string_view NetRecordsFileName = "Tarvo3.net";

constexpr int RecordsLineCount = 17;
constexpr int ClubSlots = 5;
constexpr int NewPlayerSlot = 6; // a player not (yet) in the club; higher values are online modes
constexpr int TopTenPlaces = 10;
constexpr int TopTenFirstLine = 6;
constexpr int MarkerLine = 16;
constexpr int InstallLine = 17;
constexpr std::size_t ClubLineLength = 59;
constexpr std::size_t TopTenLineLength = 26;
constexpr std::size_t TailLineLength = 28;
constexpr std::size_t SealedLength = 5 * ClubLineLength + 10 * TopTenLineLength + TailLineLength; // 583

constexpr std::size_t NameLength = 20;
constexpr int PasswordLength = 5;
// Added to each password character code before it is written as three digits. Between 100 and
// 744, so that every byte 0..255 gives exactly three digits.
constexpr int PasswordOffset = 317;

inline constexpr std::string_view EmptyClubLine =
    "##################################### #####################";
// Line 16 begins with these two characters (code 115 and "}").
inline constexpr std::string_view MarkerPrefix = "s}";
// The distribution label that keeps an installation from sending start reports; a fresh
// installation of ours never carries it.
inline constexpr std::string_view DistributionLabel = "idd";
inline constexpr std::string_view FreshInstallationCode = "lnx";

// Lines 1..17 as Windows-1251 bytes without their line ends.
using RecordsText = Arr1<std::string, RecordsLineCount>;

std::size_t RecordsLineLength(int line);

// Splits a file at CR LF. nullopt unless it holds exactly 17 lines of the fixed lengths (a final
// CR LF after line 17 may be missing; anything after it makes the file invalid).
std::optional<RecordsText> SplitRecords(std::string_view bytes);

// The 17 lines, each ended by CR LF.
std::string JoinRecords(const RecordsText& text);

// Sums A, B and C over lines 1-16 joined, as the 18 characters of line 17's positions 11-28.
std::string RecordsSums(const RecordsText& text);
void SealRecords(RecordsText& text);
// The sums of line 17 agree with lines 1-16, and line 16 begins with the marker.
bool RecordsSealed(const RecordsText& text);

// The installation code (characters 7-9 of line 17) and the language marker (character 1).
std::string InstallationCode(const RecordsText& text);
bool RussianMarker(const RecordsText& text);

// Characters from..to (1-based, inclusive) of a line, clipped to its length.
std::string_view Chars(std::string_view line, std::size_t from, std::size_t to);

// A slot counts as empty when its character 37 is "#".
bool SlotEmpty(std::string_view clubLine);

// One club slot read back. Numbers that do not parse count as 0 (the sums guard the file; a file
// forged with matching sums must still not crash the reader).
struct ClubMember {
    std::string nameField;     // characters 1-20, Windows-1251, trailing blanks kept
    double rating = 0.0;       // 21-30
    std::int32_t games = 0;    // 31-37
    std::int32_t score = 0;    // 39-44
    std::string passwordField; // 45-59
};
std::optional<ClubMember> ReadClubMember(std::string_view clubLine); // nullopt for an empty slot

// The 20-character name field from a UTF-8 name: Windows-1251, cut or filled with blanks to 20.
// Control characters become "?" so that no name can break a line.
std::string NameField(std::string_view utf8Name);
// The UTF-8 name of a name field, trailing blanks dropped.
std::string NameFromField(std::string_view nameField);

// The stored form of a password of at most five characters (UTF-8 in, 15 digits out).
std::string EncodePassword(std::string_view utf8Password);
// The password of a stored form, trailing blanks dropped; nullopt when the 15 characters are not
// five groups of three digits that give byte codes.
std::optional<std::string> DecodePassword(std::string_view passwordField);

// The 59-character club line: name (20) + FormatRating6 + games (7) + " " + score (6) +
// password (15). Games and score are held inside their fields' ranges.
std::string BuildClubLine(std::string_view nameField, double rating, std::int64_t games, std::int64_t score,
                          std::string_view passwordField);

// Slot 1-5 leaves: the slots below move up one place and slot 5 becomes empty. Other slot
// numbers change nothing; returns whether anything changed.
bool RemoveClubSlot(RecordsText& text, int slot);

// Enters name + score (the 6-character score field as it stands in the club line) at the first
// top ten place whose score is less than or equal to the new one, moving it and the places below
// down (place 10 drops out). Returns the place, or 0 when the score is below all ten. A place
// whose score does not parse counts as the lowest.
int InsertTopTen(RecordsText& text, std::string_view nameField, std::string_view scoreField);

// Enters a club line at the first slot that is empty or holds a rating less than or equal to the
// line's, moving it and the slots below down (slot 5 drops out). Returns false when all five slots
// hold higher ratings and the line is not stored.
bool InsertClubLine(RecordsText& text, std::string_view clubLine);

// A fresh, valid records file: five empty slots, ten initial top ten entries, line 16, and line 17
// with language marker "0", the installation code and the sums.
RecordsText FreshRecords(std::string_view installationCode = FreshInstallationCode);

} // namespace tarvo
