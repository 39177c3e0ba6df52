// Where the program keeps its files (settings, records, history): the data folder. Its parent
// is the folder shared with sibling games (saved sign-in, chat and news state).
//
//   1. `--data-dir DIR` on the command line;
//   2. else the executable's folder, when it holds the records file "Tarvo3.clb" (a portable copy);
//   3. else $XDG_DATA_HOME/Tarvo-Trio, by default ~/.local/share/Tarvo-Trio.
//
// Every other part asks this unit; none builds a path of its own.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace tarvo {

inline constexpr const char* kLocalRecordsFileName = "Tarvo3.clb";
inline constexpr const char* kNetRecordsFileName = "Tarvo3.net";
inline constexpr const char* kDataFolderName = "Tarvo-Trio";

enum class DataFolderSource { CommandLine, Portable, UserData };

struct DataFolderInputs {
    std::optional<std::filesystem::path> dataDir; // from --data-dir
    std::string argumentError;                    // a --data-dir without its folder
    std::filesystem::path executableDir;
    std::string xdgDataHome; // $XDG_DATA_HOME, empty when unset
    std::string home;        // $HOME, empty when unset
};

struct DataFolder {
    std::filesystem::path folder; // absolute
    DataFolderSource source = DataFolderSource::UserData;
    bool created = false; // made just now: the caller seeds the records files
    std::string error;    // non-empty when no folder could be decided or made

    bool ok() const { return error.empty(); }
    std::filesystem::path SharedFolder() const { return folder.parent_path(); }
    std::filesystem::path File(const std::string& name) const { return folder / name; }
};

// The value of `--data-dir DIR` or `--data-dir=DIR`, if given; an option without its value is
// reported through `error`.
std::optional<std::filesystem::path> DataDirArgument(const std::vector<std::string>& args,
                                                     std::string* error);

// The inputs of this process: the arguments, /proc/self/exe (else argv[0]) and the environment.
DataFolderInputs CurrentDataFolderInputs(const std::vector<std::string>& args);

// Decides the folder without touching the disk beyond looking for the records file.
DataFolder ChooseDataFolder(const DataFolderInputs& inputs);

// Decides the folder and creates it when it does not exist yet. A folder made now also gets a
// complete initial settings file ("Tarvo3.ini"); the records files are the records library's.
DataFolder PrepareDataFolder(const DataFolderInputs& inputs);

} // namespace tarvo
