#include "settings/Settings.h"

#include <fstream>
#include <optional>
#include <vector>

#include "core/Codec.h"
#include "files/SafeWrite.h"
#include "settings/AddressCipher.h"
#include "settings/ServerAddresses.h"
#include "settings/Text.h"

namespace tarvo {
namespace {

// A decimal number within [lo, hi]; anything else (blanks, signs, "#", too large) is no number.
std::optional<int> Number(std::string_view text, int lo, int hi) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (value < lo || value > hi) return std::nullopt;
    return value;
}

void ReadNumber(int& target, std::string_view text, int lo, int hi) {
    if (auto v = Number(text, lo, hi)) target = *v;
}

std::string WriteNumber(int value) {
    return std::to_string(value);
}

// Lines 6 and 22: two digits, a leading "0" for a one-digit number.
std::string TwoDigits(int value, int lo, int hi) {
    if (value < lo || value > hi || value > 99) return {};
    return (value < 10 ? "0" : "") + std::to_string(value);
}

std::string Digit(int value, int lo, int hi) {
    if (value < lo || value > hi || value < 0 || value > 9) return {};
    return std::string(1, static_cast<char>('0' + value));
}

std::string Flag(bool on) {
    return on ? "1" : "0";
}

// Cuts UTF-8 text to at most `count` characters.
std::string CutChars(std::string_view text, std::size_t count) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if ((c & 0xC0) != 0x80) {
            if (chars == count) return std::string(text.substr(0, i));
            ++chars;
        }
    }
    return std::string(text);
}


std::vector<SettingField> MakeFields() {
    using S = Settings;
    using V = std::string_view;
    // clang-format off
    return {
        // The general flags line; Read as / Written as per position.
        {"Language", 2, 1, 1, "0",
         [](S& s, V t) { ReadNumber(s.Language, t, 0, 9); },
         [](const S& s) { return Digit(s.Language, 0, 9); }},
        {"SoundOn+MusicOn", 2, 2, 1, "1",
         [](S& s, V t) {
             if (t == "0") { s.SoundOn = false; s.MusicOn = false; }
             if (t == "1") { s.SoundOn = true; s.MusicOn = true; }
             if (t == "2") { s.SoundOn = true; s.MusicOn = false; }
             if (t == "3") { s.SoundOn = false; s.MusicOn = true; }
         },
         [](const S& s) -> std::string {
             if (s.SoundOn) return s.MusicOn ? "1" : "2";
             return s.MusicOn ? "3" : "0";
         }},
        {"GifAnimation", 2, 3, 1, "1",
         [](S& s, V t) { s.GifAnimation = t != "0"; },
         [](const S& s) { return Flag(s.GifAnimation); }},
        {"FlyCards", 2, 4, 1, "1",
         [](S& s, V t) { s.FlyCards = t != "0"; },
         [](const S& s) { return Flag(s.FlyCards); }},
        {"ClubView", 2, 5, 1, "1",
         [](S& s, V t) { s.ClubView = t == "2" ? 2 : 1; },
         [](const S& s) { return Digit(s.ClubView, 1, 2); }},
        {"NetGame", 2, 6, 1, "0",
         [](S& s, V t) { s.NetGame = t == "1"; },
         [](const S& s) { return Flag(s.NetGame); }},
        {"OwnCursor", 2, 7, 1, "1",
         [](S& s, V t) { s.OwnCursor = t != "0"; },
         [](const S& s) { return Flag(s.OwnCursor); }},
        {"Speed", 2, 8, 1, "4",
         [](S& s, V t) { s.Speed = Number(t, 1, 6).value_or(4); },
         [](const S& s) { return Digit(s.Speed, 1, 6); }},
        {"WindowSize", 2, 9, 1, "1",
         [](S& s, V t) { s.WindowSize = Number(t, 1, 5).value_or(1); },
         [](const S& s) { return Digit(s.WindowSize, 1, 5); }},
        {"InstallReported", 2, 10, 1, "R",
         [](S& s, V t) { s.InstallReported = t == "R"; },
         [](const S& s) -> std::string { return s.InstallReported ? "R" : "#"; }},
        {"GameLiked", 2, 11, 1, "L",
         [](S& s, V t) { s.GameLiked = t == "L"; },
         [](const S& s) -> std::string { return s.GameLiked ? "L" : "#"; }},
        {"RadioListFromServer", 2, 12, 1, "0",
         [](S& s, V t) { s.RadioListFromServer = t == "0"; },
         [](const S& s) { return Flag(!s.RadioListFromServer); }},
        {"CaptionColour", 2, 13, 1, "1",
         [](S& s, V t) { ReadNumber(s.CaptionColour, t, 1, 7); },
         [](const S& s) { return Digit(s.CaptionColour, 1, 7); }},
        {"NewButtons", 2, 14, 1, "0",
         [](S& s, V t) { s.NewButtons = t == "1"; },
         [](const S& s) { return Flag(s.NewButtons); }},
        {"WindowDesignA", 2, 15, 1, "0",
         [](S& s, V t) { s.WindowDesignA = t == "1"; },
         [](const S& s) { return Flag(s.WindowDesignA); }},
        {"WindowDesignB", 2, 16, 1, "2",
         [](S& s, V t) { s.WindowDesignB = Number(t, 1, 3).value_or(2); },
         [](const S& s) { return Digit(s.WindowDesignB, 1, 3); }},
        {"MainMenuDesign", 2, 17, 1, "0",
         [](S& s, V t) { ReadNumber(s.MainMenuDesign, t, 0, 1); },
         [](const S& s) { return Digit(s.MainMenuDesign, 0, 1); }},
        {"TableDesign", 2, 18, 1, "0",
         [](S& s, V t) { ReadNumber(s.TableDesign, t, 0, 1); },
         [](const S& s) { return Digit(s.TableDesign, 0, 1); }},
        {"SaluteButtons", 2, 19, 1, "1",
         [](S& s, V t) { if (t == "0" || t == "1") s.SaluteButtons = t == "1"; },
         [](const S& s) { return Flag(s.SaluteButtons); }},
        {"SaluteCards", 2, 20, 1, "1",
         [](S& s, V t) { if (t == "0" || t == "1") s.SaluteCards = t == "1"; },
         [](const S& s) { return Flag(s.SaluteCards); }},

        {"CardFaces", 4, 0, 0, "0",
         [](S& s, V t) { ReadNumber(s.CardFaces, t, 0, 47); },
         [](const S& s) { return WriteNumber(s.CardFaces); }},
        {"CardBack", 6, 1, 2, "00",
         [](S& s, V t) { ReadNumber(s.CardBack, t, 0, 12); },
         [](const S& s) { return TwoDigits(s.CardBack, 0, 12); }},
        {"OneBack", 6, 3, 1, "0",
         [](S& s, V t) { s.OneBack = t == "1"; },
         [](const S& s) { return Flag(s.OneBack); }},

        {"NoFiveOfSuit", 8, 1, 1, "0",
         [](S& s, V t) { s.NoFiveOfSuit = t == "1"; },
         [](const S& s) { return Flag(s.NoFiveOfSuit); }},
        {"FirstBoutFive", 8, 2, 1, "0",
         [](S& s, V t) { s.FirstBoutFive = t == "1"; },
         [](const S& s) { return Flag(s.FirstBoutFive); }},
        {"FirstMove", 8, 3, 1, "0",
         [](S& s, V t) { s.FirstMove = t == "1" ? 1 : 0; },
         [](const S& s) { return Digit(s.FirstMove, 0, 1); }},

        {"FontLarge", 10, 0, 0, "Comic Sans MS",
         [](S& s, V t) { s.FontLarge = t; }, [](const S& s) { return s.FontLarge; }},
        {"FontSmall", 11, 0, 0, "Comic Sans MS",
         [](S& s, V t) { s.FontSmall = t; }, [](const S& s) { return s.FontSmall; }},
        {"FontSpecial1", 12, 0, 0, "FixedSys",
         [](S& s, V t) { s.FontSpecial1 = t; }, [](const S& s) { return s.FontSpecial1; }},
        {"FontSpecial2", 13, 0, 0, "Courier New",
         [](S& s, V t) { s.FontSpecial2 = t; }, [](const S& s) { return s.FontSpecial2; }},
        {"ScaleLarge", 14, 0, 0, "100",
         [](S& s, V t) { ReadNumber(s.ScaleLarge, t, 50, 150); },
         [](const S& s) { return WriteNumber(s.ScaleLarge); }},
        {"ScaleSmall", 15, 0, 0, "100",
         [](S& s, V t) { ReadNumber(s.ScaleSmall, t, 50, 150); },
         [](const S& s) { return WriteNumber(s.ScaleSmall); }},
        {"ScaleSpecial1", 16, 0, 0, "100",
         [](S& s, V t) { ReadNumber(s.ScaleSpecial1, t, 50, 150); },
         [](const S& s) { return WriteNumber(s.ScaleSpecial1); }},
        {"ScaleSpecial2", 17, 0, 0, "100",
         [](S& s, V t) { ReadNumber(s.ScaleSpecial2, t, 50, 150); },
         [](const S& s) { return WriteNumber(s.ScaleSpecial2); }},

        {"NetIP", 19, 0, 0, "127.0.0.1",
         [](S& s, V t) { s.NetIP = t; }, [](const S& s) { return s.NetIP; }},
        {"NetPort", 20, 0, 0, "25666",
         [](S& s, V t) { s.NetPort = t; }, [](const S& s) { return s.NetPort; }},

        {"Background", 22, 1, 2, "02",
         [](S& s, V t) { ReadNumber(s.Background, t, 1, 10); },
         [](const S& s) { return TwoDigits(s.Background, 1, 10); }},
        {"BackgroundVariant", 22, 3, 1, "0",
         [](S& s, V t) { ReadNumber(s.BackgroundVariant, t, 0, 6); },
         [](const S& s) { return Digit(s.BackgroundVariant, 0, 6); }},

        {"PlayerName", 24, 0, 0, std::string(Text(txt::MrX, 0, English)),
         [](S& s, V t) { s.PlayerName = t; }, [](const S& s) { return s.PlayerName; }},

        // The two service addresses stay in the file's enciphered form (AddressCipher.h explains the
        // cipher); the online layer deciphers them into working addresses.
        {"TopTenPath", 26, 0, 0, EncipherAddress(kDefaultTopTenAddress),
         [](S& s, V t) { s.TopTenPath = t; }, [](const S& s) { return s.TopTenPath; }},
        {"TopTenNick", 27, 0, 0, "Incognito",
         [](S& s, V t) { s.TopTenNick = CutChars(t, 12); }, [](const S& s) { return s.TopTenNick; }},
        {"TopTenCountry", 28, 0, 0, "1-001",
         [](S& s, V t) { if (ValidCountryCode(t)) s.TopTenCountry = t; },
         [](const S& s) { return s.TopTenCountry; }},
        {"TopTenCity", 29, 0, 0, "Moscow",
         [](S& s, V t) { s.TopTenCity = CutChars(t, 15); }, [](const S& s) { return s.TopTenCity; }},
        {"TopTenSex", 30, 0, 0, "M",
         [](S& s, V t) { s.TopTenSex = t == "W" ? "W" : "M"; }, [](const S& s) { return s.TopTenSex; }},
        {"ServerPath", 31, 0, 0, EncipherAddress(kDefaultStatisticsAddress),
         [](S& s, V t) { s.ServerPath = t; }, [](const S& s) { return s.ServerPath; }},

        // Windows-1251 "и" (0xE8) for on, "л" (0xEB) for off; the file edge converts.
        {"SaveGif", 33, 0, 0, "л",
         [](S& s, V t) { s.SaveGif = t == "и"; },
         [](const S& s) -> std::string { return s.SaveGif ? "и" : "л"; }},
        {"GifArea", 34, 0, 0, "1",
         [](S& s, V t) { ReadNumber(s.GifArea, t, 1, 2); },
         [](const S& s) { return WriteNumber(s.GifArea); }},
        {"GifDelay", 35, 0, 0, "1000",
         [](S& s, V t) { ReadNumber(s.GifDelay, t, 10, 5000); },
         [](const S& s) { return WriteNumber(s.GifDelay); }},
    };
    // clang-format on
}

struct Header {
    int line;
    const char* text;
};

constexpr Header kHeaders[] = {
    {1, "<# General>"},        {3, "<# Cards>"},
    {5, "<# Decks>"},          {7, "<# Individual>"},
    {9, "<# Fonts>"},          {18, "<# IP & Port>"},
    {21, "<# Background>"},    {23, "<# Name Of Player>"},
    {25, "<# World Top Ten>"}, {32, "<# Save Games as GIF>"},
};

// From line 10 on a line ends the reading when it is shorter than this.
std::size_t MinimumLength(int line) {
    return line <= 13 ? 2 : 1;
}

bool IsWorldTopTenLine(int line) {
    return line >= 26 && line <= 31;
}

void ApplyDefaults(Settings& s, bool worldTopTen) {
    for (const SettingField& f : SettingFields())
        if (IsWorldTopTenLine(f.line) == worldTopTen) f.read(s, f.fileDefault);
}

// Applies every field of `line` (1-based) from the raw Windows-1251 text. Fields of single
// characters are applied only as far as the line reaches.
void ApplyLine(Settings& s, int line, const std::string& raw) {
    for (const SettingField& f : SettingFields()) {
        if (f.line != line) continue;
        if (f.position == 0) {
            f.read(s, Cp1251ToUtf8(raw));
        } else if (raw.size() >= static_cast<std::size_t>(f.position + f.width - 1)) {
            f.read(s, Cp1251ToUtf8(raw.substr(static_cast<std::size_t>(f.position - 1),
                                              static_cast<std::size_t>(f.width))));
        }
    }
}

// Reads up to 35 lines; fewer when the file is shorter.
std::vector<std::string> ReadLines(std::ifstream& in) {
    std::vector<std::string> lines;
    std::string line;
    while (lines.size() < kSettingsLineCount && std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}

} // namespace

int WindowDesign(const Settings& settings) {
    if (settings.WindowDesignA) return 4;
    switch (settings.WindowDesignB) {
    case 1:
        return 2;
    case 3:
        return 3;
    default:
        return 1;
    }
}

void SetWindowDesign(Settings& settings, int item) {
    settings.WindowDesignA = item == 4;
    if (item == 2) settings.WindowDesignB = 1;
    if (item == 3) settings.WindowDesignB = 3;
    if (item == 1) settings.WindowDesignB = 2;
}

bool ValidCountryCode(std::string_view code) {
    if (code.size() != 5 || code[1] != '-') return false;
    if (code[0] < '1' || code[0] > '6') return false;
    const std::string_view number = code.substr(2);
    for (char c : number)
        if (c < '0' || c > '9') return false;
    const int n = (number[0] - '0') * 100 + (number[1] - '0') * 10 + (number[2] - '0');
    return n <= kCountriesPerContinent[static_cast<std::size_t>(code[0] - '1')];
}

std::span<const SettingField> SettingFields() {
    static const std::vector<SettingField> fields = MakeFields();
    return fields;
}

Settings DefaultSettings() {
    Settings s;
    ApplyDefaults(s, false);
    return s;
}

Settings InitialSettings() {
    Settings s = DefaultSettings();
    ApplyDefaults(s, true);
    return s;
}

Settings LoadSettings(const std::filesystem::path& file, OnlineConfigFetcher* online, LoadReport* report) {
    LoadReport local;
    LoadReport& r = report ? *report : local;
    r = {};
    Settings s = DefaultSettings();

    std::ifstream in(file, std::ios::binary);
    if (!in) in.open(file, std::ios::binary);
    if (!in) return s;

    const std::vector<std::string> lines = ReadLines(in);
    if (lines.size() < kSettingsLineCount) {
        r.outcome = LoadOutcome::TooShort;
        return s;
    }
    auto at = [&](int line) -> const std::string& { return lines[static_cast<std::size_t>(line - 1)]; };
    auto stop = [&](int line) {
        r.outcome = LoadOutcome::Stopped;
        r.stoppedAtLine = line;
        return s;
    };

    ApplyLine(s, 2, at(2));
    ApplyLine(s, 4, at(4));
    if (at(6).size() < 3) return stop(6);
    ApplyLine(s, 6, at(6));
    s.NoFiveOfSuit = false;
    s.FirstBoutFive = false;
    s.FirstMove = 0;
    ApplyLine(s, 8, at(8));

    // From line 10 on each line counts only while every line before it did; font names need more
    // than one character, the rest just something.
    for (int line = 10; line <= 24; ++line) {
        if (at(line).size() < MinimumLength(line)) return stop(line);
        ApplyLine(s, line, at(line));
    }
    ApplyDefaults(s, true);
    for (int line : {26, 27, 28, 29, 30, 31, 33, 34, 35}) {
        if (at(line).size() < MinimumLength(line)) return stop(line);
        ApplyLine(s, line, at(line));
    }
    r.outcome = LoadOutcome::Complete;
    if (online) online->FetchOnlineConfig(s);
    return s;
}

std::array<std::string, kSettingsLineCount> SettingsLines(const Settings& settings) {
    std::array<std::string, kSettingsLineCount> lines;
    auto at = [&](int line) -> std::string& { return lines[static_cast<std::size_t>(line - 1)]; };
    for (const Header& h : kHeaders) at(h.line) = h.text;
    at(2) = std::string(20, '#');
    at(6) = "###";
    at(8) = "######";
    at(22) = "###";
    for (const SettingField& f : SettingFields()) {
        std::string text = f.write(settings);
        // A line break inside a name would shift every line after it.
        for (char& c : text)
            if (c == '\r' || c == '\n') c = ' ';
        if (f.position == 0) {
            // An empty name or path would end the reading of every line after it at the next
            // start and lose those settings; such a value is written as its default instead.
            if (f.line >= 10 && text.size() < MinimumLength(f.line)) text = f.fileDefault;
            at(f.line) = std::move(text);
        } else if (text.size() == static_cast<std::size_t>(f.width)) {
            at(f.line).replace(static_cast<std::size_t>(f.position - 1), text.size(), text);
        }
    }
    return lines;
}

std::string SettingsFileBytes(const Settings& settings) {
    std::string bytes;
    for (const std::string& line : SettingsLines(settings)) {
        bytes += Utf8ToCp1251(line);
        bytes += "\r\n";
    }
    return bytes;
}

SaveOutcome SaveSettings(const std::filesystem::path& file, const Settings& settings,
                         SettingsMessages& messages, bool recordsFileFailed) {
    if (recordsFileFailed) return SaveOutcome::Skipped;
    const std::string bytes = SettingsFileBytes(settings);
    if (!ReplaceFileContents(file, bytes) || !ReplaceFileContents(file, bytes)) return SaveOutcome::Written;
    messages.ShowError(Text(txt::CantSaveOptions, 0, settings.Language));
    return SaveOutcome::Failed;
}

} // namespace tarvo
