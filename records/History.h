// History files: one 114-character line per recorded series in "History/Tarvo3_Innnn.hst", an
// end line and a totals line whose sums give a hand-edited file away. A file holds at most 840
// record lines; a damaged one is kept aside under another name and started anew.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

// The kind of play; the value is the history record's Ac.
enum class PlayKind { Local = 0, Account = 1, Tournament = 2, Network = 3 };

// One recorded series.
struct HisStr {
    std::string HName;     // UTF-8; in a network game all names joined by "/", last seat first
    std::int32_t HKon = 0; // games in the series
    std::int32_t HRes = 0; // the player's points of the series
    double HRei = 0.0;     // the player's rating after the series
    PlayKind Ac = PlayKind::Local;
};

constexpr int HistoryFileCapacity = 840;
constexpr int MaxHistoryFiles = 9999;
constexpr std::size_t HistoryLineLength = 114;
constexpr std::size_t HistoryCheckedLength = 99; // the line check covers characters 1-99
constexpr std::size_t TotalsLineLength = 30;

std::filesystem::path HistoryFolder(const std::filesystem::path& dataFolder);
// "History/Tarvo3_I0001.hst" for number 1.
std::filesystem::path HistoryFilePath(const std::filesystem::path& dataFolder, int number);

// The three sums over characters 1-99: all, even positions, positions divisible by 3.
std::array<std::int64_t, 3> HistoryLineSums(std::string_view line);

// The time field: the caller's "h:nn" or "hh:nn" filled on the left with blanks to 5, a longer
// text cut to 5. The date field: the system's short date filled on the left to 10, cut to 10.
std::string HistoryTimeField(std::string_view time);
std::string HistoryDateField(std::string_view date);

// The 114-character record line (Windows-1251) with its line check.
std::string HistoryRecordLine(const HisStr& record, std::string_view time, std::string_view date);
// "$s}", "#" up to character 99, the line check.
std::string HistoryEndLine();
// Three ten-digit sums of the line checks of the given lines (the record lines and the end line).
std::string HistoryTotalsLine(const std::vector<std::string>& lines);

struct HistoryFileCheck {
    bool exists = false;
    bool valid = false;
    int recordLines = 0;
    // Last modification, for the caller to show in the system's short date format.
    std::optional<std::chrono::system_clock::time_point> modified;
};
HistoryFileCheck CheckHistoryFile(const std::filesystem::path& dataFolder, int number);

enum class HistoryWrite {
    Written,
    // "Cann`t save history!"; the record is lost, every history file stays as it was, the program
    // goes on.
    CantSave,
};

struct HistoryWriteResult {
    HistoryWrite status = HistoryWrite::CantSave;
    int fileNumber = 0; // the file the record went to
    std::string line;   // the record line written (Windows-1251)
    // A damaged file that was in the way, now under this name (to be told to the player); empty
    // when there was none.
    std::filesystem::path keptAside;
};

// The name a damaged history file is moved to: "<file>.damaged", or ".damaged2", ".damaged3" ...
// when that is taken.
std::filesystem::path DamagedHistoryPath(const std::filesystem::path& file);

// Appends the record to the lowest-numbered file with room: the first file that is invalid or
// missing is started anew, the first valid one with fewer than 840 record lines is extended. An
// invalid file is first renamed (DamagedHistoryPath), so no record is lost to a flipped byte; when
// it cannot be renamed nothing is written. The "History" folder is created when missing.
HistoryWriteResult WriteHistory(const std::filesystem::path& dataFolder, const HisStr& record,
                                std::string_view time, std::string_view date);

// The history browser's list: files 1, 2, ... as long as they are valid.
struct HistoryFileInfo {
    int number = 0;
    int recordLines = 0;
    std::optional<std::chrono::system_clock::time_point> modified;
};
std::vector<HistoryFileInfo> ListHistoryFiles(const std::filesystem::path& dataFolder);

// One row of the browser's table, the fields as they stand (UTF-8), kind from the tag.
struct HistoryRow {
    std::string time, date, player, games, result, rating;
    char kind = 'L'; // "L", "N", "A" or "T"
};
// The record lines of a valid file in file order; empty for an invalid or missing file.
std::vector<HistoryRow> ReadHistoryRows(const std::filesystem::path& dataFolder, int number);

} // namespace tarvo
