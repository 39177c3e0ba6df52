#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <vector>

#include "../support/TempFolder.h"
#include "settings/AddressCipher.h"
#include "settings/ServerAddresses.h"
#include "settings/Settings.h"
#include "settings/Text.h"

using namespace tarvo;
using tarvo::test::ReadBytes;
using tarvo::test::TempFolder;
using tarvo::test::WriteBytes;

namespace {

// The complete file of a fresh data folder, line by line, in Windows-1251.
std::vector<std::string> FreshLines() {
    return {"<# General>",
            "011110141RL010020011",
            "<# Cards>",
            "0",
            "<# Decks>",
            "000",
            "<# Individual>",
            "000###",
            "<# Fonts>",
            "Comic Sans MS",
            "Comic Sans MS",
            "FixedSys",
            "Courier New",
            "100",
            "100",
            "100",
            "100",
            "<# IP & Port>",
            "127.0.0.1",
            "25666",
            "<# Background>",
            "020",
            "<# Name Of Player>",
            "Mr.X",
            "<# World Top Ten>",
            EncipherAddress(kDefaultTopTenAddress),
            "Incognito",
            "1-001",
            "Moscow",
            "M",
            EncipherAddress(kDefaultStatisticsAddress),
            "<# Save Games as GIF>",
            "\xEB",
            "1",
            "1000"};
}

std::string Join(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    return bytes;
}

struct RecordedMessages : SettingsMessages {
    std::vector<std::string> shown;
    void ShowError(std::string_view text) override { shown.emplace_back(text); }
};

struct CountingFetcher : OnlineConfigFetcher {
    int calls = 0;
    void FetchOnlineConfig(Settings&) override { ++calls; }
};

class SettingsFile : public ::testing::Test {
  protected:
    TempFolder folder;
    std::filesystem::path file = folder / kSettingsFileName;
    RecordedMessages messages;

    Settings LoadLines(const std::vector<std::string>& lines, LoadReport* report = nullptr,
                       OnlineConfigFetcher* online = nullptr) {
        WriteBytes(file, Join(lines));
        return LoadSettings(file, online, report);
    }
};

TEST_F(SettingsFile, FreshStartRunsOnDefaultsAndWritesTheWholeFile) {
    LoadReport report;
    CountingFetcher online;
    const Settings s = LoadSettings(file, &online, &report);
    EXPECT_EQ(report.outcome, LoadOutcome::Missing);
    EXPECT_EQ(online.calls, 0);
    EXPECT_EQ(s.Language, English);
    EXPECT_TRUE(s.SoundOn);
    EXPECT_TRUE(s.MusicOn);
    EXPECT_EQ(s.Speed, 4);
    EXPECT_EQ(s.WindowSize, 1);
    EXPECT_EQ(s.PlayerName, "Mr.X");
    EXPECT_EQ(s.TopTenPath, "");
    EXPECT_EQ(s.ServerPath, "");
    EXPECT_EQ(s.TopTenNick, "");

    ASSERT_EQ(SaveSettings(file, s, messages), SaveOutcome::Written);
    EXPECT_TRUE(messages.shown.empty());
    // Empty service addresses would stop the next reading at line 26 and lose lines 27 to 35,
    // so the file gets the defaults there: the file of a fresh data folder.
    EXPECT_EQ(ReadBytes(file), Join(FreshLines()));
    EXPECT_EQ(SettingsFileBytes(InitialSettings()), Join(FreshLines()));
}

TEST_F(SettingsFile, CompleteFileIsAppliedAndFetchesTheOnlineConfiguration) {
    LoadReport report;
    CountingFetcher online;
    const Settings s = LoadLines(FreshLines(), &report, &online);
    EXPECT_EQ(report.outcome, LoadOutcome::Complete);
    EXPECT_EQ(online.calls, 1);
    EXPECT_EQ(s, InitialSettings());
    EXPECT_EQ(DecipherAddress(s.TopTenPath), kDefaultTopTenAddress);
    EXPECT_EQ(DecipherAddress(s.ServerPath), kDefaultStatisticsAddress);
}

// A file with every setting away from its default.
std::vector<std::string> ChangedLines() {
    auto lines = FreshLines();
    lines[1] = "930021065##171131100";
    lines[3] = "47";
    lines[5] = "121";
    lines[7] = "111###";
    lines[9] = "Liberation Serif";
    lines[10] = "Noto Sans";
    lines[11] = "DejaVu Sans Mono";
    lines[12] = "Liberation Mono";
    lines[13] = "50";
    lines[14] = "75";
    lines[15] = "125";
    lines[16] = "150";
    lines[18] = "192.168.1.20";
    lines[19] = "30000";
    lines[21] = "106";
    lines[23] = "\xC8\xE2\xE0\xED"; // "Иван"
    lines[25] = EncipherAddress("http://example.org/top");
    lines[26] = "Nick_1";
    lines[27] = "6-054";
    lines[28] = "\xCE\xEC\xF1\xEA"; // "Омск"
    lines[29] = "W";
    lines[30] = EncipherAddress("http://example.org/stat");
    lines[32] = "\xE8";
    lines[33] = "2";
    lines[34] = "10";
    return lines;
}

TEST_F(SettingsFile, EverySettingSurvivesWriteAndRead) {
    LoadReport report;
    const Settings changed = LoadLines(ChangedLines(), &report);
    ASSERT_EQ(report.outcome, LoadOutcome::Complete);

    // Each field differs from its default, so a field the reading skipped would show here.
    const Settings defaults = InitialSettings();
    for (const SettingField& f : SettingFields()) {
        SCOPED_TRACE(f.name);
        EXPECT_NE(f.write(changed), f.write(defaults));
    }
    EXPECT_EQ(changed.PlayerName, "Иван");
    EXPECT_EQ(changed.TopTenCity, "Омск");
    EXPECT_EQ(WindowDesign(changed), 4);

    ASSERT_EQ(SaveSettings(file, changed, messages), SaveOutcome::Written);
    EXPECT_EQ(ReadBytes(file), Join(ChangedLines()));
    EXPECT_EQ(LoadSettings(file), changed);
}

TEST_F(SettingsFile, FileOfThirtyFourLinesIsIgnored) {
    auto lines = ChangedLines();
    lines.pop_back();
    LoadReport report;
    EXPECT_EQ(LoadLines(lines, &report), DefaultSettings());
    EXPECT_EQ(report.outcome, LoadOutcome::TooShort);
}

TEST_F(SettingsFile, ShortCardBackLineAppliesOnlyFlagsAndCardFaces) {
    Settings expected = DefaultSettings();
    const Settings full = LoadLines(ChangedLines());
    for (const SettingField& f : SettingFields())
        if (f.line <= 4) f.read(expected, f.write(full));
    EXPECT_EQ(expected.Language, 9);
    EXPECT_EQ(expected.CardFaces, 47);

    for (const char* line6 : {"1", "05", ""}) {
        SCOPED_TRACE(line6);
        auto lines = ChangedLines();
        lines[5] = line6;
        LoadReport report;
        EXPECT_EQ(LoadLines(lines, &report), expected);
        EXPECT_EQ(report.outcome, LoadOutcome::Stopped);
        EXPECT_EQ(report.stoppedAtLine, 6);
    }
}

TEST_F(SettingsFile, OneCharacterFontNameEndsTheReadingThere) {
    auto lines = ChangedLines();
    lines[12] = "X";
    LoadReport report;
    const Settings s = LoadLines(lines, &report);
    EXPECT_EQ(report.stoppedAtLine, 13);
    EXPECT_EQ(s.FontLarge, "Liberation Serif");
    EXPECT_EQ(s.FontSmall, "Noto Sans");
    EXPECT_EQ(s.FontSpecial1, "DejaVu Sans Mono");
    EXPECT_EQ(s.FontSpecial2, "Courier New");
    EXPECT_EQ(s.ScaleLarge, 100);
    EXPECT_EQ(s.NetIP, "127.0.0.1");
    EXPECT_EQ(s.PlayerName, "Mr.X");
    EXPECT_EQ(s.TopTenNick, "");
    EXPECT_EQ(s.GifDelay, 1000);
}

TEST_F(SettingsFile, EmptyLineStopsTheChainWhereverItIs) {
    struct Case {
        int line;
        bool worldTopTenAssigned;
    };
    for (Case c : {Case{18, false}, Case{24, false}, Case{26, true}, Case{31, true}, Case{35, true}}) {
        SCOPED_TRACE(c.line);
        auto lines = ChangedLines();
        lines[static_cast<std::size_t>(c.line - 1)] = "";
        LoadReport report;
        CountingFetcher online;
        const Settings s = LoadLines(lines, &report, &online);
        EXPECT_EQ(report.stoppedAtLine, c.line);
        EXPECT_EQ(online.calls, 0);
        // Past line 24 the world top ten defaults are in place, and what the chain reached is read.
        EXPECT_EQ(s.TopTenNick, c.worldTopTenAssigned ? (c.line > 27 ? "Nick_1" : "Incognito") : "");
        EXPECT_EQ(s.GifDelay, 1000);
    }
}

// The general flags line, position by position, both ways.
TEST_F(SettingsFile, GeneralFlagsLine) {
    struct Case {
        const char* name;
        std::function<void(Settings&)> change;
        const char* line2;
    };
    const std::vector<Case> cases = {
        {"defaults", [](Settings&) {}, "011110141RL010020011"},
        {"Russian, window 3",
         [](Settings& s) {
             s.Language = Russian;
             s.WindowSize = 3;
         },
         "111110143RL010020011"},
        {"sound on, music off", [](Settings& s) { s.MusicOn = false; }, "021110141RL010020011"},
        {"sound off, music on", [](Settings& s) { s.SoundOn = false; }, "031110141RL010020011"},
        {"both off",
         [](Settings& s) {
             s.SoundOn = false;
             s.MusicOn = false;
         },
         "001110141RL010020011"},
        {"design item 2", [](Settings& s) { SetWindowDesign(s, 2); }, "011110141RL010010011"},
        {"design item 3", [](Settings& s) { SetWindowDesign(s, 3); }, "011110141RL010030011"},
        {"design item 4", [](Settings& s) { SetWindowDesign(s, 4); }, "011110141RL010120011"},
        {"radio list from disk, not reported, not liked",
         [](Settings& s) {
             s.RadioListFromServer = false;
             s.InstallReported = false;
             s.GameLiked = false;
         },
         "011110141##110020011"},
        {"values outside their lists leave #",
         [](Settings& s) {
             s.Language = 10;
             s.Speed = 7;
             s.WindowSize = 0;
             s.CaptionColour = 8;
             s.ClubView = 3;
         },
         "#111#01##RL0#0020011"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Settings s = InitialSettings();
        c.change(s);
        EXPECT_EQ(SettingsLines(s)[1], c.line2);
        auto lines = FreshLines();
        lines[1] = c.line2;
        Settings read = LoadLines(lines);
        // A "#" reads back as the default; every value in its list reads back as it was.
        if (c.line2[0] != '#') {
            EXPECT_EQ(read, s);
        }
    }
}

TEST_F(SettingsFile, ReadingTheFlagsLine) {
    struct Case {
        const char* line2;
        std::function<bool(const Settings&)> holds;
    };
    const std::vector<Case> cases = {
        {"02", [](const Settings& s) { return s.SoundOn && !s.MusicOn && s.Speed == 4; }},
        {"03", [](const Settings& s) { return !s.SoundOn && s.MusicOn; }},
        {"x9", [](const Settings& s) { return s.Language == 0 && s.SoundOn && s.MusicOn; }},
        {"00xx2x",
         [](const Settings& s) { return s.GifAnimation && s.FlyCards && s.ClubView == 2 && !s.NetGame; }},
        {"0000001x9", [](const Settings& s) { return s.OwnCursor && s.Speed == 4 && s.WindowSize == 1; }},
        {"000000000rl1",
         [](const Settings& s) { return !s.InstallReported && !s.GameLiked && !s.RadioListFromServer; }},
        {"0000000000000", [](const Settings& s) { return s.CaptionColour == 1; }},
        {"0000000000009", [](const Settings& s) { return s.CaptionColour == 1; }},
        {"0000000000007", [](const Settings& s) { return s.CaptionColour == 7; }},
        {"0000000000000014x2x",
         [](const Settings& s) {
             return !s.NewButtons && s.WindowDesignA && s.WindowDesignB == 2 && s.MainMenuDesign == 0;
         }},
        {"000000000000000711xx",
         [](const Settings& s) {
             return s.WindowDesignB == 2 && s.MainMenuDesign == 1 && s.TableDesign == 1 && s.SaluteButtons &&
                    s.SaluteCards;
         }},
        {"0000000000000000000000000", [](const Settings& s) { return !s.SaluteButtons && !s.SaluteCards; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line2);
        auto lines = FreshLines();
        lines[1] = c.line2;
        EXPECT_TRUE(c.holds(LoadLines(lines)));
    }
}

TEST_F(SettingsFile, TwoDigitLinesGetTheirLeadingZero) {
    Settings s = InitialSettings();
    s.CardBack = 5;
    s.OneBack = true;
    EXPECT_EQ(SettingsLines(s)[5], "051");
    EXPECT_EQ(SettingsLines(s)[21], "020");
    s.CardBack = 12;
    s.Background = 10;
    s.BackgroundVariant = 6;
    EXPECT_EQ(SettingsLines(s)[5], "121");
    EXPECT_EQ(SettingsLines(s)[21], "106");

    auto lines = FreshLines();
    lines[5] = "051";
    lines[21] = "093";
    const Settings read = LoadLines(lines);
    EXPECT_EQ(read.CardBack, 5);
    EXPECT_TRUE(read.OneBack);
    EXPECT_EQ(read.Background, 9);
    EXPECT_EQ(read.BackgroundVariant, 3);
}

// What is not a number, or not one of the listed values, keeps the default; the lines after it
// are still read.
TEST_F(SettingsFile, ValuesThatDoNotFitKeepTheirDefaults) {
    struct Case {
        int line;
        const char* text;
        std::function<bool(const Settings&)> holds;
    };
    const std::vector<Case> cases = {
        {4, "x7", [](const Settings& s) { return s.CardFaces == 0; }},
        {4, "48", [](const Settings& s) { return s.CardFaces == 0; }},
        {4, "-1", [](const Settings& s) { return s.CardFaces == 0; }},
        {6, "ab1", [](const Settings& s) { return s.CardBack == 0 && s.OneBack && s.FontLarge == "X1"; }},
        {6, "133", [](const Settings& s) { return s.CardBack == 0 && !s.OneBack && s.FontLarge == "X1"; }},
        {8, "1", [](const Settings& s) { return s.NoFiveOfSuit && !s.FirstBoutFive && s.FirstMove == 0; }},
        {8, "", [](const Settings& s) { return !s.NoFiveOfSuit && s.FontLarge == "X1"; }},
        {14, "abc", [](const Settings& s) { return s.ScaleLarge == 100 && s.ScaleSmall == 80; }},
        {15, "151", [](const Settings& s) { return s.ScaleSmall == 100; }},
        {15, "49", [](const Settings& s) { return s.ScaleSmall == 100; }},
        {15, " 80", [](const Settings& s) { return s.ScaleSmall == 100; }},
        {22, "118", [](const Settings& s) { return s.Background == 2 && s.BackgroundVariant == 0; }},
        {22, "00", [](const Settings& s) { return s.Background == 2 && s.PlayerName == "Y"; }},
        {27, "Thirteen_char", [](const Settings& s) { return s.TopTenNick == "Thirteen_cha"; }},
        {28, "2-051", [](const Settings& s) { return s.TopTenCountry == "2-051"; }},
        {28, "2-052", [](const Settings& s) { return s.TopTenCountry == "1-001"; }},
        {28, "7-001", [](const Settings& s) { return s.TopTenCountry == "1-001"; }},
        {28, "3-000", [](const Settings& s) { return s.TopTenCountry == "3-000"; }},
        {28, "1-0010", [](const Settings& s) { return s.TopTenCountry == "1-001"; }},
        {28, "1+001", [](const Settings& s) { return s.TopTenCountry == "1-001"; }},
        {29, "\xD1\xE0\xED\xEA\xF2-\xCF\xE5\xF2\xE5\xF0\xE1\xF3\xF0\xE3\xE1", // 16 letters
         [](const Settings& s) { return s.TopTenCity == "Санкт-Петербург"; }},
        {30, "w", [](const Settings& s) { return s.TopTenSex == "M"; }},
        {30, "WW", [](const Settings& s) { return s.TopTenSex == "M"; }},
        {33, "\xE8\xE8", [](const Settings& s) { return !s.SaveGif; }},
        {33, "1", [](const Settings& s) { return !s.SaveGif && s.GifArea == 2; }},
        {34, "3", [](const Settings& s) { return s.GifArea == 1; }},
        {35, "9", [](const Settings& s) { return s.GifDelay == 1000; }},
        {35, "5001", [](const Settings& s) { return s.GifDelay == 1000; }},
        {35, "99999999999999999999", [](const Settings& s) { return s.GifDelay == 1000; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.line) + ": " + c.text);
        auto lines = FreshLines();
        lines[9] = "X1";
        lines[14] = "80";
        lines[23] = "Y";
        lines[33] = "2";
        lines[static_cast<std::size_t>(c.line - 1)] = c.text;
        EXPECT_TRUE(c.holds(LoadLines(lines)));
    }
}

TEST_F(SettingsFile, LinesAreTakenWithOrWithoutCarriageReturn) {
    std::string bytes;
    for (const auto& line : ChangedLines()) bytes += line + "\n";
    bytes.pop_back(); // and the last line needs no line end
    WriteBytes(file, bytes);
    LoadReport report;
    EXPECT_EQ(LoadSettings(file, nullptr, &report), LoadLines(ChangedLines()));
    EXPECT_EQ(report.outcome, LoadOutcome::Complete);
}

TEST_F(SettingsFile, TextsAreKeptToOneLineOfTheCodePage) {
    Settings s = InitialSettings();
    s.PlayerName = "王Ann";
    s.TopTenCity = "Two\r\nLines";
    ASSERT_EQ(SaveSettings(file, s, messages), SaveOutcome::Written);
    LoadReport report;
    const Settings read = LoadSettings(file, nullptr, &report);
    EXPECT_EQ(report.outcome, LoadOutcome::Complete);
    EXPECT_EQ(read.PlayerName, "?Ann");
    EXPECT_EQ(read.TopTenCity, "Two  Lines");
}

TEST_F(SettingsFile, NothingIsWrittenAfterARecordsFileFailedItsCheck) {
    WriteBytes(file, "old");
    EXPECT_EQ(SaveSettings(file, InitialSettings(), messages, true), SaveOutcome::Skipped);
    EXPECT_EQ(ReadBytes(file), "old");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(SettingsFile, UnwritableFileIsReportedInThePlayersLanguageAndKeepsTheOldOne) {
    Settings s = InitialSettings();
    s.Language = Russian;

    // The folder is a plain file: no temporary file can be made beside it.
    WriteBytes(folder / "plain", "x");
    EXPECT_EQ(SaveSettings(folder / "plain" / kSettingsFileName, s, messages), SaveOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0], "Не могу сохранить опции!");

    // The name is taken by a folder: the rename fails, the folder stays, no temporary file is left.
    std::filesystem::create_directory(file);
    s.Language = English;
    EXPECT_EQ(SaveSettings(file, s, messages), SaveOutcome::Failed);
    ASSERT_EQ(messages.shown.size(), 2u);
    EXPECT_EQ(messages.shown[1], "Can`t save options!");
    EXPECT_TRUE(std::filesystem::is_directory(file));
    std::set<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(folder.path()))
        names.insert(e.path().filename().string());
    EXPECT_EQ(names, (std::set<std::string>{"plain", kSettingsFileName}));
}

TEST_F(SettingsFile, ReplacingKeepsNoTemporaryFile) {
    WriteBytes(file, Join(ChangedLines()));
    ASSERT_EQ(SaveSettings(file, InitialSettings(), messages), SaveOutcome::Written);
    EXPECT_EQ(ReadBytes(file), Join(FreshLines()));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()),
                            std::filesystem::directory_iterator{}),
              1);
}

TEST(SettingFields, DescribeEveryValueOnceAndAvoidTheHeaders) {
    const std::set<int> headers = {1, 3, 5, 7, 9, 18, 21, 23, 25, 32};
    std::set<std::string> names;
    std::set<std::pair<int, int>> places;
    for (const SettingField& f : SettingFields()) {
        SCOPED_TRACE(f.name);
        EXPECT_TRUE(names.insert(f.name).second);
        EXPECT_TRUE(places.insert({f.line, f.position}).second);
        EXPECT_GE(f.line, 2);
        EXPECT_LE(f.line, kSettingsLineCount);
        EXPECT_EQ(headers.count(f.line), 0u);
        // The default, written back, is the default text itself.
        Settings s = InitialSettings();
        EXPECT_EQ(f.write(s), f.fileDefault);
    }
    EXPECT_EQ(SettingFields().size(), 48u);
    EXPECT_EQ(std::string(Text(txt::MrX, 0, English)), DefaultSettings().PlayerName);
}

TEST(AddressCipher, IsReversibleAndHidesTheText) {
    for (std::string plain :
         {"http://127.0.0.1:8015/topten", "", "a b\tc", "~!\x7F\xE8z", "0123456789abcdefghij"}) {
        SCOPED_TRACE(plain);
        const std::string stored = EncipherAddress(plain);
        EXPECT_EQ(stored.size(), plain.size());
        EXPECT_EQ(DecipherAddress(stored), plain);
        EXPECT_EQ(EncipherAddress(DecipherAddress(plain)), plain);
    }
    const std::string stored = EncipherAddress(kDefaultTopTenAddress);
    EXPECT_EQ(stored.find("127.0.0.1"), std::string::npos);
    EXPECT_EQ(stored.find("http"), std::string::npos);
    for (char c : stored) EXPECT_TRUE(c > ' ' && c < 0x7F);
    // "#" ends a value of the online configuration document: no address may turn into one.
    std::string every;
    for (int round = 0; round < 4; ++round)
        for (char c = 0x21; c <= 0x7E; ++c) every += c;
    const std::string hidden = EncipherAddress(every);
    for (std::size_t i = 0; i < every.size(); ++i) EXPECT_EQ(hidden[i] == '#', every[i] == '#') << i;
}

} // namespace
