#include "records/Club.h"

#include <unistd.h>

#include "core/Codec.h"
#include "files/SafeWrite.h"
#include "records/Format.h"

namespace tarvo {
namespace {

// On Linux the read-only, hidden and system attributes of the file become: the program may not
// replace the file (the file, or the folder that the replacement is renamed in, is not writable)
// or the file is hidden by its name.
bool MarkedFile(const std::filesystem::path& path) {
    if (path.filename().string().starts_with('.')) return true;
    if (::access(path.c_str(), W_OK) != 0) return true;
    std::filesystem::path folder = path.parent_path();
    return ::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) != 0;
}

std::string CycleGames(std::int32_t games) {
    return PadNumber(games % 30, 3);
}

} // namespace

RecordsCheckResult CheckRecordsFile(const std::filesystem::path& path,
                                    const std::function<void()>& onRussianMarker) {
    RecordsCheckResult result;
    std::string bytes;
    std::error_code error = ReadFileBytes(path, bytes);
    if (error == std::errc::no_such_file_or_directory) {
        result.status = RecordsCheck::Missing;
        return result;
    }
    result.status = RecordsCheck::Incorrect;
    if (error) return result;
    std::optional<RecordsText> text = SplitRecords(bytes);
    if (!text) return result;
    if (RussianMarker(*text)) {
        result.russianMarker = true;
        if (onRussianMarker) onRussianMarker();
    }
    if (!RecordsSealed(*text)) return result;
    result.status = RecordsCheck::Valid;
    result.installationCode = InstallationCode(*text);
    result.attributeWarning = MarkedFile(path);
    return result;
}

RecordsStartCheck CheckRecordsFilesAtStart(const std::filesystem::path& folder) {
    RecordsStartCheck start;
    for (std::string_view name : {LocalRecordsFileName, NetRecordsFileName}) {
        const std::filesystem::path path = folder / name;
        // A Russian marker counts in the local file only.
        std::function<void()> russian;
        if (name == LocalRecordsFileName) russian = [&start] { start.russian = true; };
        const RecordsCheckResult check = CheckRecordsFile(path, russian);
        if (check.status != RecordsCheck::Valid) {
            start.status = check.status;
            start.failed = path;
            return start;
        }
        if (check.attributeWarning && start.notWritable.empty()) start.notWritable = path;
    }
    return start;
}

std::optional<RecordsText> ReadRecords(const std::filesystem::path& path) {
    std::string bytes;
    if (ReadFileBytes(path, bytes)) return std::nullopt;
    return SplitRecords(bytes);
}

RecordsWrite WriteRecords(const std::filesystem::path& path, RecordsText text, RecordsWrites writes) {
    if (writes == RecordsWrites::Blocked) return RecordsWrite::Blocked;
    SealRecords(text);
    return ReplaceFileContents(path, JoinRecords(text)) ? RecordsWrite::DiskError : RecordsWrite::Written;
}

RecordsWrite RemoveMember(const std::filesystem::path& path, int slot, RecordsWrites writes) {
    if (slot < 1 || slot > ClubSlots) return RecordsWrite::Unchanged;
    std::optional<RecordsText> text = ReadRecords(path);
    if (!text) return RecordsWrite::Unreadable;
    RemoveClubSlot(*text, slot);
    return WriteRecords(path, std::move(*text), writes);
}

StoreResult StoreMemberInText(RecordsText& text, std::string_view clubLine, bool cycleEnd) {
    StoreResult result;
    std::string line(clubLine);
    line.resize(ClubLineLength, ' ');
    if (cycleEnd) {
        result.score = std::string(Chars(line, 39, 44));
        result.place = InsertTopTen(text, Chars(line, 1, 20), result.score);
        line.replace(38, 6, "     0");
    }
    result.clubStored = InsertClubLine(text, line);
    return result;
}

StoreResult ReplaceMember(const std::filesystem::path& path, int slot, std::string_view clubLine,
                          bool cycleEnd, RecordsWrites writes) {
    std::optional<RecordsText> text = ReadRecords(path);
    if (!text) {
        StoreResult result;
        result.write = RecordsWrite::Unreadable;
        return result;
    }
    RemoveClubSlot(*text, slot);
    StoreResult result = StoreMemberInText(*text, clubLine, cycleEnd);
    result.write = WriteRecords(path, std::move(*text), writes);
    return result;
}

StoreResult StoreMember(const std::filesystem::path& path, std::string_view clubLine, bool cycleEnd,
                        RecordsWrites writes) {
    return ReplaceMember(path, NewPlayerSlot, clubLine, cycleEnd, writes);
}

RecordsWrite SeedRecordsFiles(const std::filesystem::path& dataFolder, std::string_view installationCode) {
    RecordsWrite outcome = RecordsWrite::Unchanged;
    for (std::string_view name : {LocalRecordsFileName, NetRecordsFileName}) {
        std::filesystem::path path = dataFolder / name;
        std::error_code ec;
        if (std::filesystem::exists(path, ec) || ec) continue;
        if (ReplaceFileContents(path, JoinRecords(FreshRecords(installationCode))))
            return RecordsWrite::DiskError;
        outcome = RecordsWrite::Written;
    }
    return outcome;
}

std::string ShortenCaption(std::string caption, int limit, CaptionFont font, const TextMeasure& measure) {
    std::size_t cut = std::min<std::size_t>(NameLength, caption.size()); // characters before the cut
    bool lostText = false;
    while (cut > 0 && measure.TextWidth(font, Cp1251ToUtf8(caption)) > limit) {
        char removed = caption[cut - 1];
        if (removed != ' ' && removed != '#') lostText = true;
        caption.erase(cut - 1, 1);
        --cut;
    }
    if (lostText) {
        std::size_t start = cut >= 3 ? cut - 3 : 0;
        caption.replace(start, cut - start, "...");
    }
    return Cp1251ToUtf8(caption);
}

std::optional<ClubList> ReadClubList(const std::filesystem::path& path, int clubView,
                                     const TextMeasure& measure) {
    std::optional<RecordsText> text = ReadRecords(path);
    if (!text) return std::nullopt;
    ClubList list;
    for (int slot = 1; slot <= ClubSlots; ++slot) {
        std::string_view line = (*text)[slot];
        std::string caption(Chars(line, 1, 20));
        std::optional<ClubMember> member = ReadClubMember(line);
        list.empty[slot] = !member;
        if (clubView == 2) {
            caption += Chars(line, 31, 37);
            caption += member ? FormatFixed2(member->rating, 10) : std::string(Chars(line, 21, 30));
        } else {
            caption += member ? CycleGames(member->games) : std::string(Chars(line, 35, 37));
            caption += Chars(line, 39, 44);
        }
        list.captions[slot] =
            ShortenCaption(std::move(caption), ClubCaptionWidth, CaptionFont::ClubList, measure);
    }
    for (int place = 1; place <= 3; ++place) {
        std::string_view line = (*text)[TopTenFirstLine + place - 1];
        std::string caption = std::string(Chars(line, 1, 20)) + "  " + std::string(Chars(line, 21, 26));
        list.topThree[place] =
            ShortenCaption(std::move(caption), TopThreeCaptionWidth, CaptionFont::TopThree, measure);
    }
    return list;
}

std::optional<Arr1<TopTenEntry, TopTenPlaces>> ReadTopTen(const std::filesystem::path& path) {
    std::optional<RecordsText> text = ReadRecords(path);
    if (!text) return std::nullopt;
    Arr1<TopTenEntry, TopTenPlaces> entries;
    for (int place = 1; place <= TopTenPlaces; ++place) {
        std::string_view line = (*text)[TopTenFirstLine + place - 1];
        entries[place] = {Cp1251ToUtf8(Chars(line, 1, 20)), Cp1251ToUtf8(Chars(line, 21, 26))};
    }
    return entries;
}

} // namespace tarvo
