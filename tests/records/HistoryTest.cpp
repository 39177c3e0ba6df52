#include <gtest/gtest.h>

#include <sys/stat.h>

#include "TestSupport.h"
#include "core/Codec.h"
#include "records/History.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

HisStr Record(const std::string& name, int games = 3, int result = -40, double rating = 12.5,
              PlayKind kind = PlayKind::Local) {
    HisStr r;
    r.HName = name;
    r.HKon = games;
    r.HRes = result;
    r.HRei = rating;
    r.Ac = kind;
    return r;
}

// A history file of n record lines, built from the line functions.
std::string HistoryBytes(int n) {
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i)
        lines.push_back(HistoryRecordLine(Record("P" + std::to_string(i)), "9:05", "17.05.2024"));
    lines.push_back(HistoryEndLine());
    std::string totals = HistoryTotalsLine(lines);
    std::string bytes;
    for (const auto& line : lines) bytes += line + "\r\n";
    return bytes + totals + "\r\n";
}

void PutHistoryFile(const TempFolder& folder, int number, const std::string& bytes) {
    std::filesystem::create_directories(HistoryFolder(folder.path()));
    WriteBytes(HistoryFilePath(folder.path(), number), bytes);
}

std::string CheckDigits(std::string_view line) {
    long a = 0, b = 0, c = 0;
    for (std::size_t i = 1; i <= 99; ++i) {
        long v = static_cast<unsigned char>(line[i - 1]);
        a += v;
        b += i % 2 == 0 ? v : 0;
        c += i % 3 == 0 ? v : 0;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%05ld%05ld%05ld", a, b, c);
    return buffer;
}

} // namespace

TEST(HistoryLine, FieldsOfARecord) {
    std::string line = HistoryRecordLine(Record("Bob"), "9:05", "17.05.2024");
    ASSERT_EQ(line.size(), 114u);
    EXPECT_EQ(line.substr(0, 5), " 9:05");
    EXPECT_EQ(line.substr(5, 10), "17.05.2024");
    EXPECT_EQ(line.substr(15, 51), "Bob" + std::string(48, ' '));
    // Three games, result -40, rating 12.5: two blanks and 3, seven blanks and -40, five blanks and 12,50.
    EXPECT_EQ(line.substr(66, 23), "  3       -40     12,50");
    EXPECT_EQ(line.substr(89, 10), "L#########");
    EXPECT_EQ(line.substr(99), CheckDigits(line));
}

TEST(HistoryLine, KindTags) {
    struct Case {
        PlayKind kind;
        const char* tag;
    };
    const Case cases[] = {{PlayKind::Local, "L#########"},
                          {PlayKind::Account, "A#########"},
                          {PlayKind::Tournament, "T#########"},
                          {PlayKind::Network, "N#########"}};
    for (const Case& c : cases)
        EXPECT_EQ(HistoryRecordLine(Record("x", 1, 10, 0, c.kind), "10:00", "1.1.24").substr(89, 10), c.tag);
}

TEST(HistoryLine, TimeAndDateFields) {
    struct Case {
        const char* in;
        const char* time;
        const char* date;
    };
    const Case cases[] = {
        {"9:05", " 9:05", "      9:05"},          {"12:30", "12:30", "     12:30"},
        {"12:30:45", "12:30", "  12:30:45"},      {"", "     ", "          "},
        {"2024-05-17 Fr", "2024-", "2024-05-17"}, {"1.2.24", "1.2.2", "    1.2.24"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HistoryTimeField(c.in), c.time) << c.in;
        EXPECT_EQ(HistoryDateField(c.in), c.date) << c.in;
    }
}

TEST(HistoryLine, LongNamesKeepFiftyOneCharacters) {
    std::string name60;
    for (int i = 0; i < 60; ++i) name60 += static_cast<char>('A' + i % 26);
    std::string line = HistoryRecordLine(Record(name60), "9:05", "17.05.2024");
    EXPECT_EQ(line.size(), 114u);
    EXPECT_EQ(line.substr(15, 51), name60.substr(0, 51));
    EXPECT_EQ(line.substr(66, 3), "  3");

    std::string cyr = HistoryRecordLine(Record("Аня/Борис/Вера"), "9:05", "17.05.2024");
    EXPECT_EQ(cyr.size(), 114u);
    EXPECT_EQ(Cp1251ToUtf8(cyr.substr(15, 14)), "Аня/Борис/Вера");
}

TEST(HistoryLine, ValuesOutsideTheirFieldsKeepTheLayout) {
    std::string line = HistoryRecordLine(Record("x", 5000, -2147483647 - 1, -1e9), "9:05", "17.05.2024");
    EXPECT_EQ(line.size(), 114u);
    EXPECT_EQ(line.substr(89, 10), "L#########");
}

TEST(HistoryLine, EndLine) {
    std::string end = HistoryEndLine();
    ASSERT_EQ(end.size(), 114u);
    EXPECT_EQ(end.substr(0, 3), "$s}");
    EXPECT_EQ(end.substr(3, 96), std::string(96, '#'));
    EXPECT_EQ(end.substr(99), CheckDigits(end));
}

TEST(HistoryFile, FirstRecordCreatesFolderAndFile) {
    TempFolder folder;
    HistoryWriteResult r = WriteHistory(folder.path(), Record("Bob"), "9:05", "17.05.2024");
    EXPECT_EQ(r.status, HistoryWrite::Written);
    EXPECT_EQ(r.fileNumber, 1);
    EXPECT_EQ(HistoryFilePath(folder.path(), 1).filename(), "Tarvo3_I0001.hst");
    std::string bytes = ReadBytes(HistoryFilePath(folder.path(), 1));
    std::string end = HistoryEndLine();
    EXPECT_EQ(bytes, r.line + "\r\n" + end + "\r\n" + HistoryTotalsLine({r.line, end}) + "\r\n");
    HistoryFileCheck check = CheckHistoryFile(folder.path(), 1);
    EXPECT_TRUE(check.exists);
    EXPECT_TRUE(check.valid);
    EXPECT_EQ(check.recordLines, 1);
    EXPECT_TRUE(check.modified);

    WriteHistory(folder.path(), Record("Ann", 1, 10, 0.5, PlayKind::Network), "10:00", "17.05.2024");
    EXPECT_EQ(CheckHistoryFile(folder.path(), 1).recordLines, 2);
    auto rows = ReadHistoryRows(folder.path(), 1);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].time, " 9:05");
    EXPECT_EQ(rows[1].player.substr(0, 4), "Ann ");
    EXPECT_EQ(rows[1].games, "  1");
    EXPECT_EQ(rows[1].result, "        10");
    EXPECT_EQ(rows[1].rating, "      0,50");
    EXPECT_EQ(rows[1].kind, 'N');
}

TEST(HistoryFile, TotalsLineSumsTheLineChecks) {
    std::string bytes = HistoryBytes(2);
    auto lines = std::vector<std::string>();
    std::size_t start = 0;
    for (std::size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(bytes.substr(start, end - start));
    ASSERT_EQ(lines.size(), 4u);
    long totals[3] = {0, 0, 0};
    for (int i = 0; i < 3; ++i)
        for (int k = 0; k < 3; ++k)
            totals[k] += std::stol(lines[static_cast<std::size_t>(i)].substr(99 + 5 * k, 5));
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%010ld%010ld%010ld", totals[0], totals[1], totals[2]);
    EXPECT_EQ(lines[3], buffer);
}

TEST(HistoryFile, The841stRecordGoesToTheNextFile) {
    TempFolder folder;
    PutHistoryFile(folder, 1, HistoryBytes(839));
    EXPECT_EQ(CheckHistoryFile(folder.path(), 1).recordLines, 839);
    EXPECT_EQ(WriteHistory(folder.path(), Record("A"), "9:05", "17.05.2024").fileNumber, 1);
    EXPECT_EQ(CheckHistoryFile(folder.path(), 1).recordLines, 840);
    HistoryWriteResult r = WriteHistory(folder.path(), Record("B"), "9:05", "17.05.2024");
    EXPECT_EQ(r.status, HistoryWrite::Written);
    EXPECT_EQ(r.fileNumber, 2);
    EXPECT_EQ(CheckHistoryFile(folder.path(), 1).recordLines, 840);
    EXPECT_EQ(CheckHistoryFile(folder.path(), 2).recordLines, 1);
    auto files = ListHistoryFiles(folder.path());
    ASSERT_EQ(files.size(), 2u);
    EXPECT_EQ(files[1].number, 2);
}

TEST(HistoryFile, EditedTotalsHideTheFileAndLaterOnesUntilOverwritten) {
    TempFolder folder;
    PutHistoryFile(folder, 1, HistoryBytes(840));
    PutHistoryFile(folder, 2, HistoryBytes(5));
    PutHistoryFile(folder, 3, HistoryBytes(7));
    EXPECT_EQ(ListHistoryFiles(folder.path()).size(), 3u);

    std::string second = HistoryBytes(5);
    std::size_t totalsAt = second.size() - 2 - 30;
    second[totalsAt + 9] = second[totalsAt + 9] == '0' ? '1' : '0';
    PutHistoryFile(folder, 2, second);
    EXPECT_FALSE(CheckHistoryFile(folder.path(), 2).valid);
    EXPECT_TRUE(CheckHistoryFile(folder.path(), 2).exists);
    EXPECT_TRUE(CheckHistoryFile(folder.path(), 3).valid);
    auto files = ListHistoryFiles(folder.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].number, 1);

    HistoryWriteResult r = WriteHistory(folder.path(), Record("New"), "9:05", "17.05.2024");
    EXPECT_EQ(r.fileNumber, 2);
    EXPECT_EQ(CheckHistoryFile(folder.path(), 2).recordLines, 1);
    EXPECT_EQ(ListHistoryFiles(folder.path()).size(), 3u);
    EXPECT_EQ(ReadBytes(HistoryFilePath(folder.path(), 3)), HistoryBytes(7));
}

TEST(HistoryFile, DamagedFilesAreInvalid) {
    const std::string good = HistoryBytes(3);
    const std::size_t endAt = 3 * 116;
    auto edit = [&](std::size_t at, char c) {
        std::string b = good;
        b[at] = c;
        return b;
    };
    struct Case {
        const char* what;
        std::string bytes;
    };
    const Case cases[] = {
        {"empty", ""},
        {"name edited", edit(20, 'Z')},
        {"result edited", edit(78, '7')},
        {"end line filler edited", edit(endAt + 50, '*')},
        {"no end line", good.substr(0, endAt)},
        {"no totals line", good.substr(0, endAt + 116)},
        {"short totals line", good.substr(0, good.size() - 3)},
        {"totals not a number", edit(good.size() - 5, 'x')},
        {"record line dropped", good.substr(116)},
    };
    TempFolder folder;
    for (const Case& c : cases) {
        PutHistoryFile(folder, 1, c.bytes);
        EXPECT_FALSE(CheckHistoryFile(folder.path(), 1).valid) << c.what;
    }
    PutHistoryFile(folder, 1, good);
    EXPECT_TRUE(CheckHistoryFile(folder.path(), 1).valid);
    EXPECT_FALSE(CheckHistoryFile(folder.path(), 2).exists);
    EXPECT_FALSE(CheckHistoryFile(folder.path(), 2).valid);
}

// One flipped byte must not cost the player his earlier records: the file is kept beside the new one.
TEST(HistoryFile, DamagedFileIsKeptAsideAndStartedAnew) {
    TempFolder folder;
    const std::filesystem::path file = HistoryFilePath(folder.path(), 1);
    for (const std::string suffix : {".damaged", ".damaged2"}) {
        std::string bent = HistoryBytes(5);
        bent[130] ^= 0x01;
        PutHistoryFile(folder, 1, bent);
        HistoryWriteResult r = WriteHistory(folder.path(), Record("Bob"), "9:05", "17.05.2024");
        EXPECT_EQ(r.status, HistoryWrite::Written);
        EXPECT_EQ(r.fileNumber, 1);
        EXPECT_EQ(r.keptAside.filename(), "Tarvo3_I0001.hst" + suffix);
        EXPECT_EQ(ReadBytes(r.keptAside), bent);
        EXPECT_EQ(CheckHistoryFile(folder.path(), 1).recordLines, 1);
    }
    // The browser lists the new file only; a valid file gives nothing to keep aside.
    EXPECT_EQ(ListHistoryFiles(folder.path()).size(), 1u);
    EXPECT_TRUE(WriteHistory(folder.path(), Record("Bob"), "9:05", "17.05.2024").keptAside.empty());
    EXPECT_EQ(FolderEntries(HistoryFolder(folder.path())).size(), 3u);
}

TEST(HistoryFile, UnwritableFolderCannotSaveAndKeepsTheOldFile) {
    TempFolder folder;
    PutHistoryFile(folder, 1, HistoryBytes(4));
    const std::string before = ReadBytes(HistoryFilePath(folder.path(), 1));
    ::chmod(HistoryFilePath(folder.path(), 1).c_str(), 0666);
    ::chmod(HistoryFolder(folder.path()).c_str(), 0555);
    int rc = RunUnprivileged([&] {
        HistoryWriteResult r = WriteHistory(folder.path(), Record("Bob"), "9:05", "17.05.2024");
        return r.status == HistoryWrite::CantSave ? 0 : 1;
    });
    if (rc == 100) GTEST_SKIP() << "cannot drop privileges";
    EXPECT_EQ(rc, 0);
    EXPECT_EQ(ReadBytes(HistoryFilePath(folder.path(), 1)), before);
    EXPECT_EQ(FolderEntries(HistoryFolder(folder.path())), std::vector<std::string>{"Tarvo3_I0001.hst"});
}

TEST(HistoryFile, MissingFolderThatCannotBeCreated) {
    TempFolder folder;
    ::chmod(folder.path().c_str(), 0555);
    int rc = RunUnprivileged([&] {
        HistoryWriteResult r = WriteHistory(folder.path(), Record("Bob"), "9:05", "17.05.2024");
        return r.status == HistoryWrite::CantSave ? 0 : 1;
    });
    if (rc == 100) GTEST_SKIP() << "cannot drop privileges";
    EXPECT_EQ(rc, 0);
    EXPECT_FALSE(std::filesystem::exists(HistoryFolder(folder.path())));
}
