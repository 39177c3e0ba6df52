// The player's settings and the settings file "Tarvo3.ini".
//
// All settings live in one `Settings` value that the program passes by reference; the file is
// read once at start-up (`LoadSettings`) and written back on request (`SaveSettings`). The file
// format is fixed: 35 lines of Windows-1251 text with CR LF ends, described field by field by
// `SettingFields()` below, which is also the one place that holds every default.
#pragma once

#include <array>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace tarvo {

inline constexpr const char* kSettingsFileName = "Tarvo3.ini";
inline constexpr int kSettingsLineCount = 35;

// Get one from DefaultSettings() or LoadSettings(): the defaults live in SettingFields() only, so a
// plain `Settings{}` is all zeros and empty texts.
struct Settings {
    // Line 2, the general flags, one character each.
    int Language = 0; // 0..9, the column of the language tables
    bool SoundOn = false;
    bool MusicOn = false;
    bool GifAnimation = false;
    bool FlyCards = false;
    int ClubView = 0; // 1 or 2: which columns the club list shows
    bool NetGame = false;
    bool OwnCursor = false;
    int Speed = 0;      // 1..6
    int WindowSize = 0; // 1..5
    bool InstallReported = false;
    bool GameLiked = false;
    bool RadioListFromServer = false;
    int CaptionColour = 0; // 1..7
    bool NewButtons = false;
    bool WindowDesignA = false; // set: window design item 4, part B ignored
    int WindowDesignB = 0;      // 1..3
    int MainMenuDesign = 0;     // 0/1
    int TableDesign = 0;        // 0/1
    bool SaluteButtons = false;
    bool SaluteCards = false;

    int CardFaces = 0; // line 4, 0..47
    int CardBack = 0;  // line 6, 0..12
    bool OneBack = false;

    // Line 8, the rules.
    bool NoFiveOfSuit = false;
    bool FirstBoutFive = false;
    int FirstMove = 0; // 0 "From under the fool", 1 "To learn the fool"

    std::string FontLarge;
    std::string FontSmall;
    std::string FontSpecial1;
    std::string FontSpecial2;
    int ScaleLarge = 0; // percent, 50..150
    int ScaleSmall = 0;
    int ScaleSpecial1 = 0;
    int ScaleSpecial2 = 0;

    std::string NetIP;
    std::string NetPort;

    int Background = 0;        // 1..10
    int BackgroundVariant = 0; // 0..6

    std::string PlayerName;

    // The world top ten details. Empty until a settings file with a player name has been read;
    // the two paths hold the enciphered form of the file (see AddressCipher.h).
    std::string TopTenPath;
    std::string TopTenNick;
    std::string TopTenCountry;
    std::string TopTenCity;
    std::string TopTenSex;
    std::string ServerPath;

    bool SaveGif = false;
    int GifArea = 0;  // 1 main window, 2 whole screen
    int GifDelay = 0; // milliseconds, 10..5000

    bool operator==(const Settings&) const = default;
};

// How many countries each continent of the country code has ("1-001": continent 1, number 1).
inline constexpr std::array<int, 6> kCountriesPerContinent = {48, 51, 35, 14, 23, 54};

// A country code as the world top ten details hold it: continent digit "1".."6", "-", a
// three-digit number no larger than the continent's count ("000" is an unknown country).
bool ValidCountryCode(std::string_view code);

// The window design as the item of its list in the options dialog (1..4), and back.
int WindowDesign(const Settings& settings);
void SetWindowDesign(Settings& settings, int item);

// One field of the file: `line` 1..35; `position` 1-based within a line made of single
// characters (lines 2, 6, 8, 22), 0 for a whole line. `fileDefault` is the default as the
// file would hold it; the defaults of `Settings` are exactly these texts read back.
struct SettingField {
    const char* name;
    int line;
    int position;
    int width;
    std::string fileDefault;
    // Applies the text of the field as read; text that does not fit keeps the current value.
    void (*read)(Settings&, std::string_view text);
    // The text to write; empty when the value is outside its list (the file keeps "#" there).
    std::string (*write)(const Settings&);
};

std::span<const SettingField> SettingFields();

// Every default except those of lines 26 to 31, which stay empty: what the program runs with when
// there is no settings file.
Settings DefaultSettings();

// Every default, the world top ten details and service addresses included: the settings file of a
// fresh data folder.
Settings InitialSettings();

// What the program does at the end of a complete read: fetch the online configuration, which may
// pause services and replace `TopTenPath`. The online layer implements it.
class OnlineConfigFetcher {
  public:
    virtual ~OnlineConfigFetcher() = default;
    virtual void FetchOnlineConfig(Settings& settings) = 0;
};

enum class LoadOutcome {
    Missing,  // no readable file: every default
    TooShort, // fewer than 35 lines: ignored whole
    Stopped,  // applied up to a line that ended the reading (`stoppedAtLine`)
    Complete, // every line applied; the online configuration was fetched
};

struct LoadReport {
    LoadOutcome outcome = LoadOutcome::Missing;
    int stoppedAtLine = 0; // first line not applied, for LoadOutcome::Stopped
};

// Reads the settings file. Defaults first (without those of lines 26 to 31, which only a file
// with a player name brings), then what the file holds, line by line, as far as it goes.
Settings LoadSettings(const std::filesystem::path& file, OnlineConfigFetcher* online = nullptr,
                      LoadReport* report = nullptr);

// How the settings file tells the player it could not be written. The window implements it
// with a modal error box.
class SettingsMessages {
  public:
    virtual ~SettingsMessages() = default;
    virtual void ShowError(std::string_view text) = 0;
};

enum class SaveOutcome {
    Written,
    Skipped, // a records file was missing or damaged at start-up: the file is left alone
    Failed,  // could not be written; the player was told and the old file is untouched
};

// The 35 lines as the file holds them, UTF-8, without line ends.
std::array<std::string, kSettingsLineCount> SettingsLines(const Settings& settings);

// The whole file as written: Windows-1251, each line ended by CR LF.
std::string SettingsFileBytes(const Settings& settings);

// Writes the file. The caller deletes the music player's temporary file first. The new text goes
// to a temporary file in the same folder that then replaces the old one, so a crash never leaves
// half a settings file. On failure "Can`t save options!" goes to `messages` in the language the
// settings hold.
SaveOutcome SaveSettings(const std::filesystem::path& file, const Settings& settings,
                         SettingsMessages& messages, bool recordsFileFailed = false);

} // namespace tarvo
