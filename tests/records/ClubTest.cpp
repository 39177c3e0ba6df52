#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

#include "TestSupport.h"
#include "core/Codec.h"
#include "records/Club.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

// Ten pixels a character: simple enough to predict where a caption is cut.
class CharMeasure final : public TextMeasure {
  public:
    int TextWidth(CaptionFont font, std::string_view utf8Text) const override {
        ++calls[font == CaptionFont::ClubList ? 0 : 1];
        return 10 * static_cast<int>(Utf8ToCp1251(utf8Text).size());
    }
    mutable int calls[2] = {0, 0};
};

std::string Member(const std::string& name, double rating, int games, int score,
                   const std::string& password = "pw") {
    return BuildClubLine(NameField(name), rating, games, score, EncodePassword(password));
}

std::filesystem::path WriteRecords(const TempFolder& folder, RecordsText text,
                                   const std::string& name = "Tarvo3.clb") {
    SealRecords(text);
    std::filesystem::path path = folder / name;
    WriteBytes(path, JoinRecords(text));
    return path;
}

RecordsText ClubOfThree() {
    RecordsText text = FreshRecords();
    InsertClubLine(text, Member("Anna", 1.5, 45, 120));
    InsertClubLine(text, Member("Boris", 7.25, 7, -30));
    InsertClubLine(text, Member("Vera", -2.0, 60, 0));
    return text;
}

} // namespace

TEST(ClubList, CaptionsOfBothViews) {
    TempFolder folder;
    std::filesystem::path path = WriteRecords(folder, ClubOfThree());
    CharMeasure wide; // ten pixels a character

    auto one = ReadClubList(path, 1, wide);
    ASSERT_TRUE(one);
    EXPECT_EQ(one->captions[1], "Boris                 7   -30");
    EXPECT_EQ(one->captions[2], "Anna                 15   120");
    EXPECT_EQ(one->captions[3], "Vera                  0     0");
    EXPECT_EQ(one->captions[4], std::string(29, '#'));
    EXPECT_FALSE(one->empty[1]);
    EXPECT_TRUE(one->empty[4]);
    EXPECT_TRUE(one->empty[5]);
    // 28 characters in 250 pixels: three blanks of the name go, without "...".
    EXPECT_EQ(one->topThree[1], "Kalevipoeg" + std::string(7, ' ') + "  " + "   250");
    EXPECT_EQ(one->topThree[3], "Ilmarine" + std::string(9, ' ') + "  " + "   190");

    auto two = ReadClubList(path, 2, wide);
    ASSERT_TRUE(two);
    // 37 characters in 360 pixels: the last blank of the name goes.
    EXPECT_EQ(two->captions[1], "Boris" + std::string(14, ' ') + "      7" + "      7,25");
    EXPECT_EQ(two->captions[3], "Vera" + std::string(15, ' ') + "     60" + "     -2,00");
    EXPECT_EQ(two->captions[5], std::string(37, '#').substr(0, 36)); // "#" removed without "..."
}

TEST(ClubList, LongCaptionsLoseNameCharactersWithDots) {
    CharMeasure measure;
    // Fits: untouched.
    EXPECT_EQ(ShortenCaption(std::string(36, 'a'), 360, CaptionFont::ClubList, measure),
              std::string(36, 'a'));
    // One character too many: position 20 goes, the three before the cut become "...".
    std::string caption = "Maximilian Alexander" + std::string("      7      7,25");
    EXPECT_EQ(caption.size(), 37u);
    EXPECT_EQ(ShortenCaption(caption, 360, CaptionFont::ClubList, measure),
              "Maximilian Alexa...      7      7,25");
    // Only blanks removed: no dots.
    std::string blanks = "Bob" + std::string(17, ' ') + std::string(17, '9');
    EXPECT_EQ(ShortenCaption(blanks, 360, CaptionFont::ClubList, measure),
              "Bob" + std::string(16, ' ') + std::string(17, '9'));
    // Cyrillic is measured and cut by characters, not by UTF-8 bytes.
    std::string cyr = Utf8ToCp1251("Александр Васильевич") + "     7      7,25!";
    std::string cut = ShortenCaption(cyr, 360, CaptionFont::ClubList, measure);
    EXPECT_EQ(cut, "Александр Василь...     7      7,25!");
    // A caption that cannot fit loses the whole name part and stops there.
    EXPECT_EQ(
        ShortenCaption(std::string(20, ' ') + std::string(50, '1'), 360, CaptionFont::ClubList, measure),
        std::string(50, '1'));
}

TEST(ClubList, TopThreeAreMeasuredInTheirOwnFont) {
    TempFolder folder;
    RecordsText text = FreshRecords();
    InsertTopTen(text, NameField("Konstantin Konstanti"), "   300");
    std::filesystem::path path = WriteRecords(folder, text);
    CharMeasure measure;
    auto list = ReadClubList(path, 1, measure);
    ASSERT_TRUE(list);
    // 28 characters in 250 pixels: three name characters go, then "..." before the cut.
    EXPECT_EQ(list->topThree[1], "Konstantin Kon...     300");
    EXPECT_GT(measure.calls[1], 0);
}

TEST(ClubList, TopTenForItsWindow) {
    TempFolder folder;
    RecordsText text = FreshRecords();
    InsertTopTen(text, NameField("Ёжик"), "   -10");
    std::filesystem::path path = WriteRecords(folder, text);
    auto top = ReadTopTen(path);
    ASSERT_TRUE(top);
    EXPECT_EQ((*top)[1].name, "Kalevipoeg          ");
    EXPECT_EQ((*top)[1].score, "   250");
    EXPECT_EQ((*top)[10].name, "Tarvo               ");
    EXPECT_FALSE(ReadTopTen(folder / "Tarvo3.net"));
}

TEST(ClubList, UnreadableFileGivesNoList) {
    TempFolder folder;
    CharMeasure measure;
    EXPECT_FALSE(ReadClubList(folder / "Tarvo3.clb", 1, measure));
    WriteBytes(folder / "Tarvo3.clb", "nonsense");
    EXPECT_FALSE(ReadClubList(folder / "Tarvo3.clb", 1, measure));
}

TEST(ClubFile, RemoveMemberRewritesASealedFile) {
    TempFolder folder;
    std::filesystem::path path = WriteRecords(folder, ClubOfThree());
    EXPECT_EQ(RemoveMember(path, 1, RecordsWrites::Allowed), RecordsWrite::Written);
    auto text = ReadRecords(path);
    ASSERT_TRUE(text);
    EXPECT_TRUE(RecordsSealed(*text));
    EXPECT_TRUE((*text)[1].starts_with("Anna"));
    EXPECT_EQ((*text)[5], EmptyClubLine);
    EXPECT_EQ(CheckRecordsFile(path).status, RecordsCheck::Valid);

    std::string before = ReadBytes(path);
    EXPECT_EQ(RemoveMember(path, NewPlayerSlot, RecordsWrites::Allowed), RecordsWrite::Unchanged);
    EXPECT_EQ(RemoveMember(path, 8, RecordsWrites::Allowed), RecordsWrite::Unchanged);
    EXPECT_EQ(RemoveMember(path, 1, RecordsWrites::Blocked), RecordsWrite::Blocked);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(RemoveMember(folder / "Tarvo3.net", 1, RecordsWrites::Allowed), RecordsWrite::Unreadable);
}

TEST(ClubFile, StoreMemberAtCycleEndEntersTheTopTenAndResetsTheScore) {
    TempFolder folder;
    std::filesystem::path path = WriteRecords(folder, FreshRecords());
    StoreResult r = StoreMember(path, Member("Bob", 3.75, 30, 160), true, RecordsWrites::Allowed);
    EXPECT_EQ(r.write, RecordsWrite::Written);
    EXPECT_EQ(r.place, 4);
    EXPECT_EQ(r.score, "   160");
    EXPECT_TRUE(r.clubStored);
    auto text = ReadRecords(path);
    ASSERT_TRUE(text);
    EXPECT_EQ((*text)[9], "Bob                    160");
    EXPECT_EQ((*text)[10], "Linda                  160");
    EXPECT_EQ((*text)[1].substr(20, 24), "  3,750000     30      0");
    EXPECT_EQ(CheckRecordsFile(path).status, RecordsCheck::Valid);
}

TEST(ClubFile, StoreMemberWithoutCycleEndKeepsTheTopTen) {
    TempFolder folder;
    std::filesystem::path path = WriteRecords(folder, FreshRecords());
    StoreResult r = StoreMember(path, Member("Bob", 3.75, 12, 500), false, RecordsWrites::Allowed);
    EXPECT_EQ(r.place, 0);
    auto text = ReadRecords(path);
    ASSERT_TRUE(text);
    for (int line = 6; line <= 15; ++line) EXPECT_EQ((*text)[line], FreshRecords()[line]);
    EXPECT_EQ((*text)[1].substr(38, 6), "   500");
}

TEST(ClubFile, ReplaceMemberMovesTheSlotInOneWrite) {
    TempFolder folder;
    std::filesystem::path path = WriteRecords(folder, ClubOfThree()); // Boris 7.25, Anna 1.5, Vera -2
    StoreResult r = ReplaceMember(path, 3, Member("Vera", 9.0, 61, 20), false, RecordsWrites::Allowed);
    EXPECT_EQ(r.write, RecordsWrite::Written);
    auto text = ReadRecords(path);
    ASSERT_TRUE(text);
    EXPECT_TRUE((*text)[1].starts_with("Vera"));
    EXPECT_TRUE((*text)[2].starts_with("Boris"));
    EXPECT_TRUE((*text)[3].starts_with("Anna"));
    EXPECT_EQ((*text)[4], EmptyClubLine);
}

TEST(ClubFile, BlockedWritesLeaveTheFileButReportThePlace) {
    TempFolder folder;
    std::filesystem::path path = WriteRecords(folder, FreshRecords());
    std::string before = ReadBytes(path);
    StoreResult r = StoreMember(path, Member("Bob", 3.75, 30, 400), true, RecordsWrites::Blocked);
    EXPECT_EQ(r.write, RecordsWrite::Blocked);
    EXPECT_EQ(r.place, 1);
    EXPECT_EQ(ReadBytes(path), before);
}

TEST(ClubFile, UnwritableFolderKeepsTheOldFile) {
    TempFolder folder;
    std::filesystem::path path = WriteRecords(folder, ClubOfThree());
    const std::string before = ReadBytes(path);
    ::chmod(path.c_str(), 0666);
    ::chmod(folder.path().c_str(), 0555);
    int rc = RunUnprivileged([&] {
        StoreResult r = StoreMember(path, Member("Bob", 3.75, 30, 400), true, RecordsWrites::Allowed);
        if (r.write != RecordsWrite::DiskError) return 1;
        if (RemoveMember(path, 1, RecordsWrites::Allowed) != RecordsWrite::DiskError) return 2;
        return 0;
    });
    if (rc == 100) GTEST_SKIP() << "cannot drop privileges";
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"Tarvo3.clb"});
}

TEST(ClubFile, DiskFullInTheMiddleOfAWriteKeepsTheOldFile) {
    TempFolder folder;
    std::filesystem::path path = WriteRecords(folder, ClubOfThree());
    const std::string before = ReadBytes(path);
    int rc = RunInChild([&] {
        // Files may grow to 300 bytes only: the new records file breaks off after a few lines.
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{300, 300};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 100;
        StoreResult r = StoreMember(path, Member("Bob", 3.75, 30, 400), true, RecordsWrites::Allowed);
        return r.write == RecordsWrite::DiskError ? 0 : 1;
    });
    ASSERT_NE(rc, 100);
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(FolderEntries(folder.path()), std::vector<std::string>{"Tarvo3.clb"});
    EXPECT_EQ(CheckRecordsFile(path).status, RecordsCheck::Valid);
}

TEST(ClubFile, ReplacementKeepsThePermissions) {
    TempFolder folder;
    std::filesystem::path path = WriteRecords(folder, ClubOfThree());
    ::chmod(path.c_str(), 0640);
    ASSERT_EQ(RemoveMember(path, 1, RecordsWrites::Allowed), RecordsWrite::Written);
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(Seeding, NewDataFolderGetsTwoValidRecordsFiles) {
    TempFolder folder;
    EXPECT_EQ(SeedRecordsFiles(folder.path()), RecordsWrite::Written);
    for (const char* name : {"Tarvo3.clb", "Tarvo3.net"}) {
        RecordsCheckResult r = CheckRecordsFile(folder / name);
        EXPECT_EQ(r.status, RecordsCheck::Valid) << name;
        EXPECT_FALSE(r.attributeWarning) << name;
        EXPECT_FALSE(r.russianMarker) << name;
        EXPECT_NE(r.installationCode, "idd");
        EXPECT_EQ(r.installationCode.size(), 3u);
    }
    EXPECT_EQ(FolderEntries(folder.path()), (std::vector<std::string>{"Tarvo3.clb", "Tarvo3.net"}));
}

TEST(Seeding, ExistingFilesAreLeftAlone) {
    TempFolder folder;
    std::filesystem::path path = WriteRecords(folder, ClubOfThree());
    const std::string before = ReadBytes(path);
    EXPECT_EQ(SeedRecordsFiles(folder.path()), RecordsWrite::Written); // the network file
    EXPECT_EQ(ReadBytes(path), before);
    EXPECT_EQ(SeedRecordsFiles(folder.path()), RecordsWrite::Unchanged);
}

// Both files at start: the first fault names its file, the local file's Russian marker counts even
// when the network file then fails, and the network file's marker is not looked at.
TEST(StartCheck, BothFilesInOrder) {
    TempFolder folder;
    EXPECT_EQ(CheckRecordsFilesAtStart(folder.path()).failed, folder / "Tarvo3.clb");

    RecordsText russian = FreshRecords();
    russian[17][0] = '1';
    WriteRecords(folder, russian);
    RecordsStartCheck start = CheckRecordsFilesAtStart(folder.path());
    EXPECT_EQ(start.status, RecordsCheck::Missing);
    EXPECT_EQ(start.failed, folder / "Tarvo3.net");
    EXPECT_TRUE(start.russian);

    WriteBytes(folder / "Tarvo3.net", "not records\r\n");
    EXPECT_EQ(CheckRecordsFilesAtStart(folder.path()).status, RecordsCheck::Incorrect);

    WriteRecords(folder, FreshRecords());
    WriteRecords(folder, russian, "Tarvo3.net");
    start = CheckRecordsFilesAtStart(folder.path());
    EXPECT_EQ(start.status, RecordsCheck::Valid);
    EXPECT_FALSE(start.russian);
    EXPECT_TRUE(start.notWritable.empty());
}
