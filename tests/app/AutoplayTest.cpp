#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

#include "records/Club.h"
#include "records/History.h"
#include "records/Series.h"
#include "settings/Settings.h"

using namespace tarvo;
namespace fs = std::filesystem;

namespace {

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// The program in autoplay for `games` games in `folder`, its output in folder + ".log".
std::string AutoplayCommand(const fs::path& folder, int games, const std::string& environment = {}) {
    // A hung game is stopped by the bound rather than left behind the test.
    return "QT_QPA_PLATFORM=offscreen " + environment + "timeout -s KILL 300 " + std::string(TARVO3_PROGRAM) +
           " --data-dir '" +
           folder.string() + "' --autoplay " + std::to_string(games) + " > '" + folder.string() +
           ".log' 2>&1";
}

} // namespace

// The program starts in a new data folder, creates the player "Auto" through its welcome checks,
// plays three games with the computer in every seat, leaves to the menu (which records the
// series) and closes normally.
TEST(Autoplay, ThreeGamesAreRecordedInANewDataFolder) {
    fs::path folder = fs::temp_directory_path() / ("tarvo3-autoplay-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    // The menu song is written to the temporary folder at start and removed at exit.
    const fs::path temp = folder.string() + "-tmp";
    fs::create_directories(temp);
    std::string command = AutoplayCommand(folder, 3, "TMPDIR='" + temp.string() + "' ");
    ASSERT_EQ(std::system(command.c_str()), 0) << ReadAll(folder.string() + ".log");
    EXPECT_NE(ReadAll(folder.string() + ".log").find("autoplay: 3 games"), std::string::npos);

    fs::path records = folder / "Tarvo3.clb";
    EXPECT_EQ(CheckRecordsFile(records).status, RecordsCheck::Valid);
    auto text = ReadRecords(records);
    ASSERT_TRUE(text);
    auto member = MemberSeries(*text, 1);
    ASSERT_TRUE(member);
    EXPECT_EQ(member->NameUtf8(), "Auto");
    EXPECT_EQ(member->G0, 3);
    // The series' score and rating as the rules give them for the fools the program reports:
    // 10 for every game another seat lost, less 30 for each own, over three games from nothing.
    int fools[3] = {};
    const std::string log = ReadAll(folder.string() + ".log");
    ASSERT_EQ(std::sscanf(log.c_str() + log.find("autoplay: 3 games"), "autoplay: 3 games, fools %d %d %d",
                          &fools[0], &fools[1], &fools[2]),
              3)
        << log;
    const int score = 10 * (fools[0] + fools[1] + fools[2] - 3 * fools[2]);
    EXPECT_EQ(member->P0, score);
    EXPECT_NEAR(member->R0, score / 3.0, 1e-6);

    auto files = ListHistoryFiles(folder);
    ASSERT_EQ(files.size(), 1u);
    auto rows = ReadHistoryRows(folder, files.front().number);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_NE(rows[0].player.find("Auto"), std::string::npos);
    EXPECT_EQ(std::stoi(rows[0].games), 3);
    EXPECT_EQ(std::stoi(rows[0].result), score);
    EXPECT_EQ(rows[0].kind, 'L');

    std::string settings = ReadAll(folder / "Tarvo3.ini");
    std::size_t lines = 0;
    for (std::size_t at = settings.find("\r\n"); at != std::string::npos; at = settings.find("\r\n", at + 2))
        ++lines;
    EXPECT_EQ(lines, 35u);
    EXPECT_TRUE(settings.size() >= 2 && settings.substr(settings.size() - 2) == "\r\n");
    EXPECT_FALSE(fs::exists(temp / "temp15_25.mid"));
    fs::remove_all(folder);
    fs::remove_all(temp);
    fs::remove(folder.string() + ".log");
}

// A club file whose last line begins with "1" makes the program Russian at every start; the
// settings written at exit keep it.
TEST(Autoplay, RussianMarkerOfTheClubSetsTheLanguage) {
    fs::path folder = fs::temp_directory_path() / ("tarvo3-russian-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    std::string run = AutoplayCommand(folder, 1);
    ASSERT_EQ(std::system(run.c_str()), 0);
    ASSERT_EQ(LoadSettings(folder / "Tarvo3.ini").Language, 0);
    std::string records = ReadAll(folder / "Tarvo3.clb");
    std::size_t last = records.rfind("\r\n", records.size() - 3);
    ASSERT_NE(last, std::string::npos);
    records[last + 2] = '1'; // the marker lies outside the sums
    {
        std::ofstream out(folder / "Tarvo3.clb", std::ios::binary | std::ios::trunc);
        out << records;
    }
    ASSERT_EQ(std::system(run.c_str()), 0) << ReadAll(folder.string() + ".log");
    EXPECT_EQ(LoadSettings(folder / "Tarvo3.ini").Language, 1);
    fs::remove_all(folder);
    fs::remove(folder.string() + ".log");
}

// A records file edited by hand ends the program at start with its message, and nothing is
// written: not the settings, not the records.
TEST(Autoplay, DamagedRecordsFileEndsTheProgramAndWritesNothing) {
    fs::path folder = fs::temp_directory_path() / ("tarvo3-damaged-" + std::to_string(::getpid()));
    fs::remove_all(folder);
    std::string run = AutoplayCommand(folder, 1);
    ASSERT_EQ(std::system(run.c_str()), 0);
    {
        std::ofstream out(folder / "Tarvo3.clb", std::ios::binary | std::ios::app);
        out << 'x';
    }
    std::string recordsBefore = ReadAll(folder / "Tarvo3.clb");
    std::string settingsBefore = ReadAll(folder / "Tarvo3.ini");
    int status = std::system(run.c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1);
    EXPECT_NE(ReadAll(folder.string() + ".log").find("The incorrect file"), std::string::npos);
    EXPECT_EQ(ReadAll(folder / "Tarvo3.clb"), recordsBefore);
    EXPECT_EQ(ReadAll(folder / "Tarvo3.ini"), settingsBefore);
    fs::remove_all(folder);
    fs::remove(folder.string() + ".log");
}
