#include "records/History.h"

#include <algorithm>

#include "core/Codec.h"
#include "files/SafeWrite.h"
#include "records/Format.h"

namespace tarvo {
namespace {

constexpr std::string_view CrLf = "\r\n";

std::vector<std::string> SplitLines(std::string_view bytes) {
    std::vector<std::string> lines;
    while (!bytes.empty()) {
        std::size_t end = bytes.find(CrLf);
        lines.emplace_back(bytes.substr(0, end));
        if (end == std::string_view::npos) break;
        bytes.remove_prefix(end + CrLf.size());
    }
    return lines;
}

std::string FitLeft(std::string text, std::size_t width) {
    if (text.size() > width) text.resize(width);
    text.insert(0, width - text.size(), ' ');
    return text;
}

std::string FitRight(std::string text, std::size_t width) {
    text.resize(width, ' ');
    return text;
}

std::string LineCheck(std::string_view line) {
    std::string check;
    for (std::int64_t sum : HistoryLineSums(line)) check += PadNumber(sum, 5, '0');
    return check;
}

bool IsEndLine(std::string_view line) {
    return line.starts_with('$');
}

std::string_view KindTag(PlayKind kind) {
    switch (kind) {
    case PlayKind::Account:
        return "A#########";
    case PlayKind::Tournament:
        return "T#########";
    case PlayKind::Network:
        return "N#########";
    case PlayKind::Local:
        break;
    }
    return "L#########";
}

std::optional<std::chrono::system_clock::time_point> Modified(const std::filesystem::path& path) {
    std::error_code ec;
    auto time = std::filesystem::last_write_time(path, ec);
    if (ec) return std::nullopt;
    return std::chrono::time_point_cast<std::chrono::system_clock::duration>(
        std::chrono::file_clock::to_sys(time));
}

// The file's lines when it is valid; nullopt otherwise. recordLines counts the lines before the
// end line.
std::optional<std::vector<std::string>> ReadValidFile(const std::filesystem::path& path, bool& exists) {
    std::string bytes;
    std::error_code error = ReadFileBytes(path, bytes);
    exists = error != std::errc::no_such_file_or_directory;
    if (error) return std::nullopt;
    std::vector<std::string> lines = SplitLines(bytes);
    std::array<std::int64_t, 3> totals{};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.size() > HistoryLineLength - 1) {
            auto sums = HistoryLineSums(line);
            for (std::size_t k = 0; k < 3; ++k) totals[k] += sums[k];
        }
        if (!IsEndLine(line)) continue;
        if (i + 1 >= lines.size() || lines[i + 1].size() < TotalsLineLength) return std::nullopt;
        std::string_view stated = lines[i + 1];
        for (std::size_t k = 0; k < 3; ++k)
            if (ParseIntField(stated.substr(10 * k, 10)) != totals[k]) return std::nullopt;
        lines.resize(i); // the record lines
        return lines;
    }
    return std::nullopt;
}

} // namespace

std::filesystem::path HistoryFolder(const std::filesystem::path& dataFolder) {
    return dataFolder / "History";
}

std::filesystem::path HistoryFilePath(const std::filesystem::path& dataFolder, int number) {
    return HistoryFolder(dataFolder) / ("Tarvo3_I" + PadNumber(number, 4, '0') + ".hst");
}

std::array<std::int64_t, 3> HistoryLineSums(std::string_view line) {
    std::array<std::int64_t, 3> sums{};
    std::size_t n = std::min(line.size(), HistoryCheckedLength);
    for (std::size_t i = 1; i <= n; ++i) {
        std::int64_t v = static_cast<unsigned char>(line[i - 1]);
        sums[0] += v;
        if (i % 2 == 0) sums[1] += v;
        if (i % 3 == 0) sums[2] += v;
    }
    return sums;
}

std::string HistoryTimeField(std::string_view time) {
    return FitLeft(Utf8ToCp1251(time), 5);
}

std::string HistoryDateField(std::string_view date) {
    return FitLeft(Utf8ToCp1251(date), 10);
}

std::string HistoryRecordLine(const HisStr& record, std::string_view time, std::string_view date) {
    std::string name = Utf8ToCp1251(record.HName);
    for (char& c : name)
        if (static_cast<unsigned char>(c) < 0x20 || c == '\x7F') c = '?';
    // The values are held inside their fields, so that the line keeps its 114 characters.
    std::int64_t games = std::clamp<std::int64_t>(record.HKon, -99, 999);
    std::int64_t result = std::clamp<std::int64_t>(record.HRes, -999'999'999, 9'999'999'999);
    double rating = std::clamp(record.HRei, -999'999.99, 999'999.99);

    std::string line = HistoryTimeField(time) + HistoryDateField(date) + FitRight(std::move(name), 51);
    line += PadNumber(games, 3);
    line += PadNumber(result, 10);
    line += FormatFixed2(rating, 10);
    line += KindTag(record.Ac);
    line += LineCheck(line);
    return line;
}

std::string HistoryEndLine() {
    std::string line = "$s}";
    line.resize(HistoryCheckedLength, '#');
    line += LineCheck(line);
    return line;
}

std::string HistoryTotalsLine(const std::vector<std::string>& lines) {
    std::array<std::int64_t, 3> totals{};
    for (const std::string& line : lines) {
        if (line.size() <= HistoryLineLength - 1) continue;
        auto sums = HistoryLineSums(line);
        for (std::size_t k = 0; k < 3; ++k) totals[k] += sums[k];
    }
    return PadNumber(totals[0], 10, '0') + PadNumber(totals[1], 10, '0') + PadNumber(totals[2], 10, '0');
}

HistoryFileCheck CheckHistoryFile(const std::filesystem::path& dataFolder, int number) {
    HistoryFileCheck check;
    std::filesystem::path path = HistoryFilePath(dataFolder, number);
    std::optional<std::vector<std::string>> records = ReadValidFile(path, check.exists);
    if (check.exists) check.modified = Modified(path);
    if (records) {
        check.valid = true;
        check.recordLines = static_cast<int>(records->size());
    }
    return check;
}

std::filesystem::path DamagedHistoryPath(const std::filesystem::path& file) {
    std::filesystem::path aside = file;
    aside += ".damaged";
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(aside, ec) || ec; ++n) {
        aside = file;
        aside += ".damaged" + std::to_string(n);
    }
    return aside;
}

HistoryWriteResult WriteHistory(const std::filesystem::path& dataFolder, const HisStr& record,
                                std::string_view time, std::string_view date) {
    HistoryWriteResult result;
    std::vector<std::string> lines;
    bool damaged = false;
    for (int number = 1; number <= MaxHistoryFiles && result.fileNumber == 0; ++number) {
        bool exists = false;
        std::optional<std::vector<std::string>> records =
            ReadValidFile(HistoryFilePath(dataFolder, number), exists);
        if (!records) {
            result.fileNumber = number; // missing or damaged: started anew
            damaged = exists;
        } else if (static_cast<int>(records->size()) < HistoryFileCapacity) {
            result.fileNumber = number;
            lines = std::move(*records);
        }
    }
    if (result.fileNumber == 0) return result;

    std::error_code ec;
    std::filesystem::create_directories(HistoryFolder(dataFolder), ec);
    if (ec) return result;
    const std::filesystem::path file = HistoryFilePath(dataFolder, result.fileNumber);
    if (damaged) {
        std::filesystem::path aside = DamagedHistoryPath(file);
        std::filesystem::rename(file, aside, ec);
        if (ec) return result; // overwriting it would lose every record in it
        result.keptAside = std::move(aside);
    }

    result.line = HistoryRecordLine(record, time, date);
    lines.push_back(result.line);
    lines.push_back(HistoryEndLine());
    std::string totals = HistoryTotalsLine(lines);
    std::string bytes;
    for (const std::string& line : lines) bytes += line + std::string(CrLf);
    bytes += totals + std::string(CrLf);
    if (ReplaceFileContents(file, bytes)) return result;
    result.status = HistoryWrite::Written;
    return result;
}

std::vector<HistoryFileInfo> ListHistoryFiles(const std::filesystem::path& dataFolder) {
    std::vector<HistoryFileInfo> files;
    for (int number = 1; number <= MaxHistoryFiles; ++number) {
        HistoryFileCheck check = CheckHistoryFile(dataFolder, number);
        if (!check.valid) break;
        files.push_back({number, check.recordLines, check.modified});
    }
    return files;
}

std::vector<HistoryRow> ReadHistoryRows(const std::filesystem::path& dataFolder, int number) {
    bool exists = false;
    std::optional<std::vector<std::string>> records =
        ReadValidFile(HistoryFilePath(dataFolder, number), exists);
    std::vector<HistoryRow> rows;
    if (!records) return rows;
    for (const std::string& line : *records) {
        auto field = [&line](std::size_t from, std::size_t to) {
            if (from > line.size()) return std::string();
            return Cp1251ToUtf8(std::string_view(line).substr(from - 1, to - from + 1));
        };
        HistoryRow row{field(1, 5),   field(6, 15), field(16, 66), field(67, 69), field(70, 79),
                       field(80, 89), 'L'};
        if (line.size() >= 90) row.kind = line[89];
        rows.push_back(std::move(row));
    }
    return rows;
}

} // namespace tarvo
