#include <gtest/gtest.h>

#include "../support/TempFolder.h"
#include "settings/AddressCipher.h"
#include "settings/DataFolder.h"
#include "settings/ServerAddresses.h"
#include "settings/Settings.h"

using namespace tarvo;
using tarvo::test::TempFolder;
using tarvo::test::WriteBytes;
namespace fs = std::filesystem;

namespace {

TEST(DataFolder, CommandLineOption) {
    struct Case {
        std::vector<std::string> args;
        std::optional<fs::path> dir;
        bool error;
    };
    const std::vector<Case> cases = {
        {{"tarvo3"}, std::nullopt, false},
        {{"tarvo3", "--data-dir", "/srv/t"}, fs::path("/srv/t"), false},
        {{"tarvo3", "--autoplay", "--data-dir=/srv/u"}, fs::path("/srv/u"), false},
        {{"tarvo3", "--data-dir"}, std::nullopt, true},
        {{"tarvo3", "--data-dir="}, std::nullopt, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args.back());
        std::string error;
        EXPECT_EQ(DataDirArgument(c.args, &error), c.dir);
        EXPECT_EQ(!error.empty(), c.error);
    }
}

class DataFolderChoice : public ::testing::Test {
  protected:
    TempFolder temp;
    DataFolderInputs in;
    void SetUp() override {
        fs::create_directories(temp / "bin");
        in.executableDir = temp / "bin";
        in.home = (temp / "home").string();
    }
};

TEST_F(DataFolderChoice, OrderOfPreference) {
    DataFolder d = ChooseDataFolder(in);
    EXPECT_EQ(d.source, DataFolderSource::UserData);
    EXPECT_EQ(d.folder, temp / "home" / ".local" / "share" / "Tarvo-Trio");
    EXPECT_EQ(d.SharedFolder(), temp / "home" / ".local" / "share");

    in.xdgDataHome = (temp / "xdg").string();
    EXPECT_EQ(ChooseDataFolder(in).folder, temp / "xdg" / "Tarvo-Trio");
    in.xdgDataHome = "relative/xdg"; // not absolute: ignored
    EXPECT_EQ(ChooseDataFolder(in).folder, temp / "home" / ".local" / "share" / "Tarvo-Trio");

    WriteBytes(temp / "bin" / "Tarvo3.clb", "records");
    d = ChooseDataFolder(in);
    EXPECT_EQ(d.source, DataFolderSource::Portable);
    EXPECT_EQ(d.folder, temp / "bin");

    in.dataDir = temp / "mine";
    d = ChooseDataFolder(in);
    EXPECT_EQ(d.source, DataFolderSource::CommandLine);
    EXPECT_EQ(d.folder, temp / "mine");
    EXPECT_EQ(d.File("Tarvo3.ini"), temp / "mine" / "Tarvo3.ini");
}

TEST_F(DataFolderChoice, OptionWithoutFolderIsAnError) {
    const DataFolderInputs current = CurrentDataFolderInputs({"tarvo3", "--data-dir"});
    EXPECT_FALSE(ChooseDataFolder(current).ok());
    EXPECT_FALSE(PrepareDataFolder(current).ok());
}

TEST_F(DataFolderChoice, NoHomeAndNoOptionIsAnError) {
    in.home.clear();
    const DataFolder d = ChooseDataFolder(in);
    EXPECT_FALSE(d.ok());
    EXPECT_FALSE(d.error.empty());
}

TEST_F(DataFolderChoice, FirstRunCreatesTheFolderWithAWholeSettingsFile) {
    const DataFolder first = PrepareDataFolder(in);
    ASSERT_TRUE(first.ok()) << first.error;
    EXPECT_TRUE(first.created);
    EXPECT_TRUE(fs::is_directory(first.folder));

    LoadReport report;
    const Settings s = LoadSettings(first.File(kSettingsFileName), nullptr, &report);
    EXPECT_EQ(report.outcome, LoadOutcome::Complete);
    EXPECT_EQ(s, InitialSettings());
    EXPECT_EQ(DecipherAddress(s.TopTenPath), kDefaultTopTenAddress);
    EXPECT_NE(std::string(kDefaultTopTenAddress).find("//127.0.0.1"), std::string::npos);
    EXPECT_NE(std::string(kDefaultStatisticsAddress).find("//127.0.0.1"), std::string::npos);

    // The player's own settings are never overwritten by a later start.
    Settings mine = s;
    mine.Speed = 6;
    struct Silent : SettingsMessages {
        void ShowError(std::string_view) override {}
    } silent;
    ASSERT_EQ(SaveSettings(first.File(kSettingsFileName), mine, silent), SaveOutcome::Written);
    const DataFolder second = PrepareDataFolder(in);
    EXPECT_FALSE(second.created);
    EXPECT_EQ(LoadSettings(second.File(kSettingsFileName)).Speed, 6);
}

TEST_F(DataFolderChoice, AnEmptyFolderGivenByHandIsANewOne) {
    fs::create_directories(temp / "mine");
    in.dataDir = temp / "mine";
    const DataFolder d = PrepareDataFolder(in);
    ASSERT_TRUE(d.ok()) << d.error;
    EXPECT_TRUE(d.created);
    EXPECT_TRUE(fs::is_regular_file(d.File(kSettingsFileName)));
    // Once it holds a file of the game, it is the player's and is left alone.
    EXPECT_FALSE(PrepareDataFolder(in).created);
}

TEST_F(DataFolderChoice, FolderThatCannotBeMadeIsReported) {
    WriteBytes(temp / "file", "x");
    in.dataDir = temp / "file" / "sub";
    const DataFolder d = PrepareDataFolder(in);
    EXPECT_FALSE(d.ok());
    EXPECT_FALSE(d.created);
}

} // namespace
