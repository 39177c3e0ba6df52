#include <gtest/gtest.h>

#include <random>
#include <sys/stat.h>

#include "TestSupport.h"
#include "records/Club.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

std::string FreshBytes() {
    return JoinRecords(FreshRecords());
}

// Offset of line n (1-based) in a file of fixed-length lines.
std::size_t LineOffset(int line) {
    std::size_t offset = 0;
    for (int l = 1; l < line; ++l) offset += RecordsLineLength(l) + 2;
    return offset;
}

// Each variant goes to a file of its own: rewriting one file in place makes the file system
// flush it every time, which slows the loops below a hundredfold.
RecordsCheckResult CheckBytes(const TempFolder& folder, const std::string& bytes,
                              const std::function<void()>& hook = {}) {
    static int serial = 0;
    std::filesystem::path path = folder / ("Tarvo3-" + std::to_string(++serial) + ".clb");
    WriteBytes(path, bytes);
    RecordsCheckResult result = CheckRecordsFile(path, hook);
    std::filesystem::remove(path);
    return result;
}

} // namespace

TEST(CheckRecords, FreshFileIsValid) {
    TempFolder folder;
    RecordsCheckResult r = CheckBytes(folder, FreshBytes());
    EXPECT_EQ(r.status, RecordsCheck::Valid);
    EXPECT_FALSE(r.attributeWarning);
    EXPECT_EQ(r.installationCode, "lnx");
    EXPECT_FALSE(IsDistributionLabel(r.installationCode));
    EXPECT_FALSE(r.russianMarker);
}

TEST(CheckRecords, MissingFileAsksForTheFile) {
    TempFolder folder;
    EXPECT_EQ(CheckRecordsFile(folder / "Tarvo3.net").status, RecordsCheck::Missing);
}

TEST(CheckRecords, DamagedFilesAreRejected) {
    const std::string fresh = FreshBytes();
    auto edit = [&](const std::function<void(std::string&)>& change) {
        std::string bytes = fresh;
        change(bytes);
        return bytes;
    };
    auto resealed = [](const std::function<void(RecordsText&)>& change) {
        RecordsText text = FreshRecords();
        change(text);
        SealRecords(text);
        return JoinRecords(text);
    };
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty file", ""},
        {"short club line", edit([](std::string& b) { b.erase(10, 1); })},
        {"long top ten line", edit([](std::string& b) { b.insert(LineOffset(7) + 3, "x"); })},
        {"short line 17", edit([](std::string& b) { b.erase(LineOffset(17) + 1, 1); })},
        {"missing line", edit([](std::string& b) { b.erase(LineOffset(9), 28); })},
        {"missing last line", fresh.substr(0, LineOffset(17))},
        {"eighteenth line", fresh + "\r\n"},
        {"trailing garbage", fresh + "x"},
        {"LF line ends", edit([](std::string& b) { std::erase(b, '\r'); })},
        {"sum A edited", edit([](std::string& b) { b[LineOffset(17) + 15] ^= 1; })},
        {"sum B edited",
         edit([](std::string& b) { b[LineOffset(17) + 16] = b[LineOffset(17) + 16] == '9' ? '8' : '9'; })},
        {"sum C edited",
         edit([](std::string& b) { b[LineOffset(17) + 27] = b[LineOffset(17) + 27] == '0' ? '1' : '0'; })},
        {"sum with blank", edit([](std::string& b) { b[LineOffset(17) + 10] = ' '; })},
        {"name edited", edit([](std::string& b) { b[LineOffset(6)] = 'X'; })},
        {"score edited", edit([](std::string& b) { b[LineOffset(6) + 23] = '9'; })},
        {"empty slot edited", edit([](std::string& b) { b[LineOffset(3) + 36] = '5'; })},
        {"two bytes swapped",
         edit([](std::string& b) { std::swap(b[LineOffset(6)], b[LineOffset(6) + 1]); })},
        {"wrong marker, sums kept", resealed([](RecordsText& t) { t[16][0] = 'S'; })},
        {"marker second char", resealed([](RecordsText& t) { t[16][1] = ']'; })},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        EXPECT_EQ(CheckBytes(folder, c.bytes).status, RecordsCheck::Incorrect) << c.what;
    }
}

TEST(CheckRecords, FileCutAtAnyLengthIsRejected) {
    const std::string fresh = FreshBytes();
    TempFolder folder;
    for (std::size_t n = 0; n + 2 < fresh.size(); ++n)
        ASSERT_EQ(CheckBytes(folder, fresh.substr(0, n)).status, RecordsCheck::Incorrect) << n;
    // Only the final line end may be missing.
    EXPECT_EQ(CheckBytes(folder, fresh.substr(0, fresh.size() - 2)).status, RecordsCheck::Valid);
}

TEST(CheckRecords, RussianMarkerCallsTheHook) {
    TempFolder folder;
    RecordsText text = FreshRecords();
    text[17][0] = '1'; // outside the sums
    int calls = 0;
    RecordsCheckResult r = CheckBytes(folder, JoinRecords(text), [&] { ++calls; });
    EXPECT_EQ(r.status, RecordsCheck::Valid);
    EXPECT_TRUE(r.russianMarker);
    EXPECT_EQ(calls, 1);

    // The marker works on the layout alone, as the language is set before the sums are read.
    text[6][0] = 'X';
    calls = 0;
    r = CheckBytes(folder, JoinRecords(text), [&] { ++calls; });
    EXPECT_EQ(r.status, RecordsCheck::Incorrect);
    EXPECT_EQ(calls, 1);

    text[17][0] = '0';
    calls = 0;
    CheckBytes(folder, JoinRecords(FreshRecords()), [&] { ++calls; });
    EXPECT_EQ(calls, 0);
}

TEST(CheckRecords, InstallationCodeIsRemembered) {
    TempFolder folder;
    RecordsText text = FreshRecords();
    text[17].replace(6, 3, "idd");
    RecordsCheckResult r = CheckBytes(folder, JoinRecords(text));
    EXPECT_EQ(r.status, RecordsCheck::Valid);
    EXPECT_TRUE(IsDistributionLabel(r.installationCode));
}

TEST(CheckRecords, RandomSingleByteEditsAreRejectedUnlessHarmless) {
    const std::string fresh = FreshBytes();
    // Characters 1-10 of line 17 (marker, free characters, installation code) are not guarded;
    // every other byte is covered by the sums or by the layout.
    const std::size_t freeFrom = LineOffset(17), freeTo = LineOffset(17) + 10;
    std::mt19937 random(20240517);
    std::uniform_int_distribution<std::size_t> position(0, fresh.size() - 1);
    std::uniform_int_distribution<int> value(1, 255);
    TempFolder folder;
    int accepted = 0, rejected = 0;
    for (int round = 0; round < 2000; ++round) {
        std::string bytes = fresh;
        std::size_t at = position(random);
        bytes[at] = static_cast<char>(static_cast<unsigned char>(bytes[at]) ^ value(random));
        RecordsCheckResult r = CheckBytes(folder, bytes);
        bool harmless = at >= freeFrom && at < freeTo;
        ASSERT_EQ(r.status, harmless ? RecordsCheck::Valid : RecordsCheck::Incorrect) << "offset " << at;
        (harmless ? accepted : rejected)++;
    }
    EXPECT_GT(rejected, 1900);
    EXPECT_GT(accepted, 0);
}

TEST(CheckRecords, EveryByteOfTheGuardedPartIsGuarded) {
    const std::string fresh = FreshBytes();
    TempFolder folder;
    for (std::size_t at = 0; at < fresh.size(); ++at) {
        if (at >= LineOffset(17) && at < LineOffset(17) + 10) continue;
        std::string bytes = fresh;
        bytes[at] = static_cast<char>(bytes[at] + 1);
        ASSERT_EQ(CheckBytes(folder, bytes).status, RecordsCheck::Incorrect) << "offset " << at;
    }
}

TEST(CheckRecords, HiddenFileIsMarked) {
    TempFolder folder;
    std::filesystem::path path = folder / ".Tarvo3.clb";
    WriteBytes(path, FreshBytes());
    RecordsCheckResult r = CheckRecordsFile(path);
    EXPECT_EQ(r.status, RecordsCheck::Valid);
    EXPECT_TRUE(r.attributeWarning);
}

TEST(CheckRecords, FileThatMayNotBeWrittenIsMarked) {
    TempFolder folder;
    std::filesystem::path path = folder / "Tarvo3.clb";
    WriteBytes(path, FreshBytes());
    ::chmod(path.c_str(), 0444);
    ::chmod(folder.path().c_str(), 0777); // only the file is closed
    int rc = RunUnprivileged([&] {
        RecordsCheckResult r = CheckRecordsFile(path);
        return r.status == RecordsCheck::Valid && r.attributeWarning ? 0 : 1;
    });
    if (rc == 100) GTEST_SKIP() << "cannot drop privileges";
    EXPECT_EQ(rc, 0);
}

TEST(CheckRecords, FileInAFolderThatMayNotBeWrittenIsMarked) {
    TempFolder folder;
    std::filesystem::path path = folder / "Tarvo3.clb";
    WriteBytes(path, FreshBytes());
    ::chmod(path.c_str(), 0666);
    ::chmod(folder.path().c_str(), 0555);
    int rc = RunUnprivileged([&] {
        RecordsCheckResult r = CheckRecordsFile(path);
        return r.status == RecordsCheck::Valid && r.attributeWarning ? 0 : 1;
    });
    if (rc == 100) GTEST_SKIP() << "cannot drop privileges";
    EXPECT_EQ(rc, 0);
}
