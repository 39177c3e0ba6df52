#include <gtest/gtest.h>

#include <sys/stat.h>

#include "../support/TempFolder.h"
#include "files/SafeWrite.h"

using namespace tarvo;
namespace fs = std::filesystem;

// A replacement lands whole with the old file's permission bits, and leaves no temporary file.
TEST(SafeWrite, ReplacementIsWholeAndTidy) {
    test::TempFolder folder;
    const fs::path file = folder / "Tarvo3.ini";
    ASSERT_FALSE(ReplaceFileContents(file, "first\r\n"));
    ::chmod(file.c_str(), 0640);
    ASSERT_FALSE(ReplaceFileContents(file, std::string(100000, 'x')));
    EXPECT_EQ(test::ReadBytes(file), std::string(100000, 'x'));
    struct stat st {};
    ASSERT_EQ(::stat(file.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);

    // A folder that does not exist takes nothing and says so.
    EXPECT_TRUE(ReplaceFileContents(folder / "missing" / "Tarvo3.ini", "x"));
    EXPECT_FALSE(fs::exists(folder / "missing"));
}

TEST(SafeWrite, ReadingTellsMissingFromUnreadable) {
    test::TempFolder folder;
    test::WriteBytes(folder / "file", std::string("a\0b", 3));
    std::string bytes = "stale";
    EXPECT_FALSE(ReadFileBytes(folder / "file", bytes));
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    EXPECT_EQ(ReadFileBytes(folder / "none", bytes), std::errc::no_such_file_or_directory);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(ReadFileBytes(folder.path(), bytes), std::errc::is_a_directory);
}
