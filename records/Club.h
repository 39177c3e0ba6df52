// The records files on disk: the start-up check, the club list of the main menu, and the two
// updates of a club (a member leaves, a member is stored). Every write replaces the file whole
// through a temporary file, so a failed write leaves the old records as they were.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "records/RecordsFile.h"

namespace tarvo {

// What the start-up check of one records file found; the caller shows the message.
enum class RecordsCheck {
    Valid,
    // Language tables "Can`t find the file" + " \"" + path + "\"!" in an error box; the program
    // ends and the settings are not saved.
    Missing,
    // Language tables "The incorrect file" + " \"" + path + "\"!" in an error box; the program
    // ends and the settings are not saved.
    Incorrect,
};

struct RecordsCheckResult {
    RecordsCheck status = RecordsCheck::Missing;
    // A valid file that the program may not replace (the file or its folder is not writable for
    // this user) or a hidden file (its name begins with "."). The caller shows the language-table
    // text "The file " + "\"" + path + the text "\" has incorrect attributes!" + line break +
    // "The work of the program will be incorrect!", and from then on passes RecordsWrites::Blocked
    // to every records write; the program goes on.
    bool attributeWarning = false;
    std::string installationCode; // characters 7-9 of line 17, Windows-1251; empty unless valid
    bool russianMarker = false;   // the layout is whole and line 17 begins with "1"
};

// Start-up validation of one records file: 17 lines of the fixed lengths, the sums A, B and C,
// the line-16 marker. onRussianMarker runs when the layout is whole and line 17 begins with "1"
// (before the sums are looked at); the caller passes the settings' hook for the local file only.
RecordsCheckResult CheckRecordsFile(const std::filesystem::path& path,
                                    const std::function<void()>& onRussianMarker = {});

// The start-up check of both records files in `folder`, the local one first, stopping at the first
// file that is missing or damaged.
struct RecordsStartCheck {
    RecordsCheck status = RecordsCheck::Valid;
    std::filesystem::path failed;       // the file that is missing or damaged
    std::filesystem::path notWritable;  // the first valid file with an attribute warning; empty if none
    bool russian = false;               // the local file carries the Russian marker
};
RecordsStartCheck CheckRecordsFilesAtStart(const std::filesystem::path& folder);

// The distribution label keeps an installation from reporting its starts.
inline bool IsDistributionLabel(std::string_view installationCode) {
    return installationCode == DistributionLabel;
}

// The whole records file, read and split; nullopt when it is missing, unreadable or not 17 lines
// of the fixed lengths. The sums are not looked at (the start-up check did that).
std::optional<RecordsText> ReadRecords(const std::filesystem::path& path);

// Whether records files may be written in this run. One file marked at start-up blocks every
// records write until the program ends.
enum class RecordsWrites { Allowed, Blocked };

// What became of a change of a records file.
enum class RecordsWrite {
    Written,
    Unchanged, // nothing to change (slot 6, an online slot)
    Blocked,   // silently skipped: a records file was marked at start-up
    // Language tables "Error of disk writing!": the new content could not be written; the old
    // file is kept whole.
    DiskError,
    // The file is missing or no longer 17 lines of the fixed lengths, so it cannot be changed;
    // language tables "The incorrect file" + " \"" + path + "\"!". Nothing is written.
    Unreadable,
};

// Seals the sums into line 17 and replaces the file. Blocked writes nothing.
RecordsWrite WriteRecords(const std::filesystem::path& path, RecordsText text, RecordsWrites writes);

// Club slot 1-5 leaves; slot 6 and the online slots leave the file unchanged.
RecordsWrite RemoveMember(const std::filesystem::path& path, int slot, RecordsWrites writes);

struct StoreResult {
    RecordsWrite write = RecordsWrite::Unchanged;
    int place = 0;          // the top ten place entered at a cycle end, 0 for none
    std::string score;      // the 6-character score field entered into the top ten
    bool clubStored = true; // false: five higher ratings kept the line out of the club
};

// Enters a 59-character club line: at a cycle end first into the top ten, after which the line's
// score becomes "     0" (the next cycle starts at 0); then into the club. One write for both.
StoreResult StoreMember(const std::filesystem::path& path, std::string_view clubLine, bool cycleEnd,
                        RecordsWrites writes);

// RemoveMember and StoreMember as one write, so that a failed write cannot cost the player his
// slot: the recording of a series and the rename of a member use it.
StoreResult ReplaceMember(const std::filesystem::path& path, int slot, std::string_view clubLine,
                          bool cycleEnd, RecordsWrites writes);

// The two steps on a records text in memory, for callers that write it themselves.
StoreResult StoreMemberInText(RecordsText& text, std::string_view clubLine, bool cycleEnd);

// A new data folder: writes a fresh records file under each of the two names that is missing.
// Existing files are left alone. Returns DiskError when a file could not be written.
RecordsWrite SeedRecordsFiles(const std::filesystem::path& dataFolder,
                              std::string_view installationCode = FreshInstallationCode);

// The font a caption is measured in.
enum class CaptionFont { ClubList, TopThree };
constexpr int ClubCaptionWidth = 360;
constexpr int TopThreeCaptionWidth = 250;

// Text widths in pixels come from the caller, who knows the fonts; the library stays pure.
class TextMeasure {
  public:
    virtual ~TextMeasure() = default;
    virtual int TextWidth(CaptionFont font, std::string_view utf8Text) const = 0;
};

// The club list of the main menu. Captions are UTF-8.
struct ClubList {
    Arr1<std::string, ClubSlots> captions;
    Arr1<bool, ClubSlots> empty;
    Arr1<std::string, 3> topThree;
};

// The five slot captions for ClubView 1 (name + games of the cycle in 3 + score) or 2 (name +
// games in 7 + rating with two decimals in 10; any other value counts as 1), an empty slot
// showing its "#" characters, and the top three as name + two blanks + score, each shortened to
// its width. nullopt when the file cannot be read.
std::optional<ClubList> ReadClubList(const std::filesystem::path& path, int clubView,
                                     const TextMeasure& measure);

// A caption (Windows-1251) wider than limit loses characters from position 20 backwards until it
// fits; when anything but blanks and "#" was removed, the three characters before the cut become
// "...". Returns UTF-8.
std::string ShortenCaption(std::string caption, int limit, CaptionFont font, const TextMeasure& measure);

// One place of the local top ten as the top ten window shows it: the name (characters 1-20) and
// the score (21-26), both UTF-8 with their blanks.
struct TopTenEntry {
    std::string name;
    std::string score;
    bool operator==(const TopTenEntry&) const = default;
};
// The ten places of a records file; nullopt when it cannot be read.
std::optional<Arr1<TopTenEntry, TopTenPlaces>> ReadTopTen(const std::filesystem::path& path);

// The club badge beside the list.
inline std::string_view ClubBadge(bool netGame) {
    return netGame ? "Net__" : "Elite";
}

} // namespace tarvo
