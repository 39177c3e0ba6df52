// tarvo3's command line: one table of options, read before any window exists, so that --help,
// --version and a mistyped option work on a machine without a display.
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "settings/DataFolder.h"

namespace tarvo {

// A network series that the computer plays in the human's place (--net with --autoplay).
struct NetAutoplayOptions {
    enum class Side { None, Server, Client };
    Side side = Side::None;
    QString ip;      // the server's address (client); empty: the setting NetIP
    int port = 0;    // 0: the setting NetPort
    QString name;    // the player's network name; empty: the autoplay player's
    int clients = 2; // the server starts the series once this many clients have joined
};

// What the command line asks of this run. `data` is decided from `dataDir` after the parse.
struct StartOptions {
    std::optional<std::filesystem::path> dataDir; // --data-dir
    DataFolder data;
    int autoplayGames = 0; // seat 3 played by the computer for this many games, then exit
    std::optional<std::string> server; // --server: the score server of every online service
    NetAutoplayOptions net;
    int tournamentTable = 0; // autoplay sits down at this tournament table (0: none)
    bool rated = false;      // autoplay plays the signed-in account's rated sessions
};

// One option of tarvo3. `apply` stores the value in the start options; it returns an empty text
// when the value is good, else what is wrong with it ("a number from 1 to 9").
struct StartOption {
    QString name;      // without the dashes
    QString valueName; // empty for a switch
    QString help;
    std::function<QString(const QString& value, StartOptions& into)> apply;
};

// Every option of tarvo3 but --help and --version; a new option is one more row here.
const std::vector<StartOption>& StartOptionTable();

struct CommandLineResult {
    bool run = false;   // false: exit with `exitStatus` after printing
    int exitStatus = 0; // 0 for --help and --version, 2 for a mistake
    QString output;     // for standard output (--help, --version)
    QString error;      // for standard error: names the option or value at fault
    StartOptions options;
};

// `arguments` includes the program name first, as in argv.
CommandLineResult ParseCommandLine(const QStringList& arguments);

// `text` as a whole number from `low` to `high`, or nothing.
std::optional<int> WholeNumberIn(const QString& text, int low, int high);

} // namespace tarvo
