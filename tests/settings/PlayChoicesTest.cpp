#include <gtest/gtest.h>

#include "../support/TempFolder.h"
#include "settings/PlayChoices.h"

using namespace tarvo;
using tarvo::test::ReadBytes;
using tarvo::test::TempFolder;
using tarvo::test::WriteBytes;

namespace {

TEST(PlayChoices, EveryChoiceSurvivesTheFile) {
    TempFolder temp;
    const auto file = temp.path() / kPlayChoicesFileName;
    EXPECT_EQ(LoadPlayChoices(file), PlayChoices{}) << "a missing file is every default";
    for (int bits = 0; bits < 16; ++bits) {
        PlayChoices c{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
        ASSERT_FALSE(SavePlayChoices(file, c));
        EXPECT_EQ(LoadPlayChoices(file), c) << ReadBytes(file);
    }
    EXPECT_EQ(ReadBytes(file), "[Game]\nComputer=strong\nHints=1\nNumberedDeals=1\nKeyboardPlay=1\n");
}

TEST(PlayChoices, WhatIsNotUnderstoodKeepsTheDefault) {
    TempFolder temp;
    const auto file = temp.path() / kPlayChoicesFileName;
    WriteBytes(file,
               "Computer = strong \r\nHints=yes\nNumberedDeals\nKeyboardPlay=1=1\nUnknown=1\n\xff\xfe=\n");
    PlayChoices c = LoadPlayChoices(file);
    EXPECT_TRUE(c.StrongComputer) << "blanks and CR LF ends are the editor's";
    EXPECT_FALSE(c.Hints);
    EXPECT_FALSE(c.NumberedDeals);
    EXPECT_FALSE(c.KeyboardPlay);
}

} // namespace
