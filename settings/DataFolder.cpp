#include "settings/DataFolder.h"

#include <cstdlib>
#include <system_error>

#include "files/SafeWrite.h"
#include "settings/Settings.h"

namespace tarvo {
namespace fs = std::filesystem;

std::optional<fs::path> DataDirArgument(const std::vector<std::string>& args, std::string* error) {
    constexpr std::string_view kOption = "--data-dir";
    std::optional<fs::path> result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == kOption) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                if (error) *error = "--data-dir needs a folder";
                return std::nullopt;
            }
            result = args[++i];
        } else if (a.starts_with(std::string(kOption) + "=")) {
            std::string value = a.substr(kOption.size() + 1);
            if (value.empty()) {
                if (error) *error = "--data-dir needs a folder";
                return std::nullopt;
            }
            result = value;
        }
    }
    return result;
}

DataFolderInputs CurrentDataFolderInputs(const std::vector<std::string>& args) {
    DataFolderInputs in;
    in.dataDir = DataDirArgument(args, &in.argumentError);
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (ec && !args.empty()) exe = fs::absolute(args[0], ec);
    in.executableDir = exe.parent_path();
    if (const char* v = std::getenv("XDG_DATA_HOME")) in.xdgDataHome = v;
    if (const char* v = std::getenv("HOME")) in.home = v;
    return in;
}

DataFolder ChooseDataFolder(const DataFolderInputs& in) {
    DataFolder out;
    std::error_code ec;
    if (!in.argumentError.empty()) {
        out.source = DataFolderSource::CommandLine;
        out.error = in.argumentError;
        return out;
    }
    if (in.dataDir) {
        out.source = DataFolderSource::CommandLine;
        out.folder = fs::absolute(*in.dataDir, ec);
        if (ec) out.error = "Bad data folder " + in.dataDir->string();
        return out;
    }
    if (!in.executableDir.empty() && fs::is_regular_file(in.executableDir / kLocalRecordsFileName, ec)) {
        out.source = DataFolderSource::Portable;
        out.folder = in.executableDir;
        return out;
    }
    out.source = DataFolderSource::UserData;
    // A relative $XDG_DATA_HOME is to be ignored, as if unset.
    fs::path base = in.xdgDataHome;
    if (base.empty() || base.is_relative()) {
        if (in.home.empty()) {
            out.error = "Neither XDG_DATA_HOME nor HOME is set; start with --data-dir DIR";
            return out;
        }
        base = fs::path(in.home) / ".local" / "share";
    }
    out.folder = base / kDataFolderName;
    return out;
}

DataFolder PrepareDataFolder(const DataFolderInputs& inputs) {
    DataFolder out = ChooseDataFolder(inputs);
    if (!out.ok()) return out;
    std::error_code ec;
    if (fs::is_directory(out.folder, ec)) {
        // A folder made by hand for --data-dir holds none of the game's files yet: it is new too.
        for (const char* name : {kSettingsFileName, kLocalRecordsFileName, kNetRecordsFileName})
            if (fs::exists(out.folder / name, ec)) return out;
    } else if (!fs::create_directories(out.folder, ec) || ec) {
        out.error = "Can`t create the folder \"" + out.folder.string() + "\": " + ec.message();
        return out;
    }
    out.created = true;
    // A fresh folder starts with a whole settings file; failing that, the defaults still run.
    ReplaceFileContents(out.File(kSettingsFileName), SettingsFileBytes(InitialSettings()));
    return out;
}

} // namespace tarvo
