#include <gtest/gtest.h>

#include "core/Codec.h"
#include "records/RecordsFile.h"

using namespace tarvo;

namespace {

// The sums recomputed here from the definition, independently of the library.
std::string SumsByHand(const RecordsText& text) {
    std::string joined;
    for (int line = 1; line <= 16; ++line) joined += text[line];
    long a = 0, b = 0, c = 0;
    for (std::size_t i = 1; i <= joined.size(); ++i) {
        long v = static_cast<unsigned char>(joined[i - 1]);
        a += v;
        b += i % 2 == 0 ? v : 0;
        c += i % 3 == 0 ? v : 0;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%06ld%06ld%06ld", a, b, c);
    return buffer;
}

std::string Member(const std::string& name, const std::string& rating, const std::string& games,
                   const std::string& score) {
    std::string line = name;
    line.resize(20, ' ');
    line += rating + games + " " + score + EncodePassword("abc");
    return line;
}

} // namespace

TEST(RecordsFile, FreshFileHasTheFixedLayout) {
    RecordsText text = FreshRecords();
    std::string bytes = JoinRecords(text);
    EXPECT_EQ(bytes.size(), 5u * 61 + 10 * 28 + 2 * 30);
    for (int slot = 1; slot <= 5; ++slot) EXPECT_EQ(text[slot], EmptyClubLine);
    EXPECT_EQ(EmptyClubLine.size(), 59u);
    EXPECT_EQ(text[6], "Kalevipoeg             250");
    EXPECT_EQ(text[15], "Tarvo                   20");
    EXPECT_TRUE(text[16].starts_with("s}"));
    EXPECT_EQ(text[16].size(), 28u);
    EXPECT_EQ(text[17].substr(0, 10), "0#####lnx#");
    EXPECT_EQ(text[17].substr(10), SumsByHand(text));
    EXPECT_TRUE(RecordsSealed(text));
    EXPECT_NE(InstallationCode(text), DistributionLabel);
    EXPECT_FALSE(RussianMarker(text));

    auto split = SplitRecords(bytes);
    ASSERT_TRUE(split);
    EXPECT_TRUE(*split == text);
}

TEST(RecordsFile, SealedLinesJoinTo583Characters) {
    RecordsText text = FreshRecords();
    std::size_t total = 0;
    for (int line = 1; line <= 16; ++line) total += text[line].size();
    EXPECT_EQ(total, SealedLength);
    EXPECT_EQ(SealedLength, 583u);
}

TEST(RecordsFile, PasswordIsFiveCodesPlusTheOffsetInThreeDigits) {
    static_assert(PasswordOffset >= 100 && PasswordOffset <= 744);
    std::string stored = EncodePassword("ab");
    ASSERT_EQ(stored.size(), 15u);
    EXPECT_EQ(stored.substr(0, 3), std::to_string('a' + PasswordOffset));
    EXPECT_EQ(stored.substr(6, 3), std::to_string(' ' + PasswordOffset));
    EXPECT_EQ(DecodePassword(stored), "ab");
    EXPECT_EQ(DecodePassword(EncodePassword("пароль")), "парол"); // five characters at most
    EXPECT_EQ(DecodePassword(EncodePassword("")), "");
    EXPECT_FALSE(DecodePassword("###############"));
    EXPECT_FALSE(DecodePassword("999999999999999")); // codes above 255
    // Every byte keeps three digits.
    for (int code = 0; code < 256; ++code) {
        std::string one(1, static_cast<char>(code));
        EXPECT_EQ(EncodePassword(Cp1251ToUtf8(one)).size(), 15u) << code;
    }
}

TEST(RecordsFile, ClubLineFields) {
    std::string line = BuildClubLine(NameField("Bob"), 3.75, 30, 0, EncodePassword("abc"));
    EXPECT_EQ(line.size(), 59u);
    EXPECT_EQ(line.substr(0, 44), "Bob                   3,750000     30      0");
    auto member = ReadClubMember(line);
    ASSERT_TRUE(member);
    EXPECT_EQ(member->rating, 3.75);
    EXPECT_EQ(member->games, 30);
    EXPECT_EQ(member->score, 0);
    EXPECT_EQ(NameFromField(member->nameField), "Bob");
    EXPECT_EQ(DecodePassword(member->passwordField), "abc");
    EXPECT_FALSE(ReadClubMember(EmptyClubLine));
    EXPECT_TRUE(SlotEmpty(EmptyClubLine));
}

TEST(RecordsFile, NamesAreCutToTwentyAndKeepCyrillic) {
    EXPECT_EQ(NameField("Иван"), Utf8ToCp1251("Иван") + std::string(16, ' '));
    EXPECT_EQ(NameField("ABCDEFGHIJKLMNOPQRSTUVWXYZ"), "ABCDEFGHIJKLMNOPQRST");
    EXPECT_EQ(NameField("a\r\nb"), "a??b" + std::string(16, ' '));
    EXPECT_EQ(NameFromField(NameField("Иван")), "Иван");
}

TEST(RecordsFile, TopTenInsertion) {
    // Fresh scores: 250 220 190 160 130 100 80 60 40 20.
    struct Case {
        const char* score;
        int place;
    };
    const Case cases[] = {
        {"   160", 4},  {"   251", 1}, {"   250", 1}, {"   221", 2},
        {"    20", 10}, {"    19", 0}, {"   -40", 0},
    };
    for (const Case& c : cases) {
        RecordsText text = FreshRecords();
        RecordsText before = text;
        int place = InsertTopTen(text, NameField("New"), c.score);
        EXPECT_EQ(place, c.place) << c.score;
        if (place == 0) {
            EXPECT_TRUE(text == before);
            continue;
        }
        int line = 5 + place;
        EXPECT_EQ(text[line], "New                 " + std::string(c.score));
        for (int l = 6; l < line; ++l) EXPECT_EQ(text[l], before[l]);
        for (int l = line + 1; l <= 15; ++l) EXPECT_EQ(text[l], before[l - 1]);
    }
}

TEST(RecordsFile, EqualTopTenScoreGoesAbove) {
    RecordsText text = FreshRecords();
    EXPECT_EQ(InsertTopTen(text, NameField("New"), "   160"), 4);
    EXPECT_EQ(text[9], "New                    160");
    EXPECT_EQ(text[10], "Linda                  160");
}

TEST(RecordsFile, ClubInsertionKeepsTheBestRatingsFirst) {
    RecordsText text = FreshRecords();
    ASSERT_TRUE(InsertClubLine(text, Member("A", "  5,000000", "     10", "    50")));
    ASSERT_TRUE(InsertClubLine(text, Member("B", " -1,000000", "     10", "    50")));
    ASSERT_TRUE(InsertClubLine(text, Member("C", "  5,000000", "     10", "    50"))); // equal: above A
    ASSERT_TRUE(InsertClubLine(text, Member("D", "  0,000000", "     10", "    50")));
    ASSERT_TRUE(InsertClubLine(text, Member("E", "  9,000000", "     10", "    50")));
    EXPECT_EQ(text[1].substr(0, 1), "E");
    EXPECT_EQ(text[2].substr(0, 1), "C");
    EXPECT_EQ(text[3].substr(0, 1), "A");
    EXPECT_EQ(text[4].substr(0, 1), "D");
    EXPECT_EQ(text[5].substr(0, 1), "B");

    // A sixth player with the lowest rating is not stored.
    RecordsText full = text;
    EXPECT_FALSE(InsertClubLine(text, Member("F", " -2,000000", "     10", "    50")));
    EXPECT_TRUE(text == full);
    // A sixth player with a better rating pushes the lowest out.
    EXPECT_TRUE(InsertClubLine(text, Member("G", "  1,000000", "     10", "    50")));
    EXPECT_EQ(text[4].substr(0, 1), "G");
    EXPECT_EQ(text[5].substr(0, 1), "D");
}

TEST(RecordsFile, NegativeRatingGoesIntoAnEmptySlot) {
    RecordsText text = FreshRecords();
    ASSERT_TRUE(InsertClubLine(text, Member("A", "  5,000000", "     10", "    50")));
    ASSERT_TRUE(InsertClubLine(text, Member("B", "-50,000000", "     10", "    50")));
    EXPECT_EQ(text[2].substr(0, 1), "B");
}

TEST(RecordsFile, RemovingASlotMovesTheOthersUp) {
    RecordsText text = FreshRecords();
    for (const char* name : {"E", "D", "C", "B", "A"})
        InsertClubLine(text, Member(name, "  1,000000", "     10", "    50"));
    ASSERT_EQ(text[1].substr(0, 1), "A");
    EXPECT_TRUE(RemoveClubSlot(text, 2));
    EXPECT_EQ(text[1].substr(0, 1), "A");
    EXPECT_EQ(text[2].substr(0, 1), "C");
    EXPECT_EQ(text[4].substr(0, 1), "E");
    EXPECT_EQ(text[5], EmptyClubLine);
    RecordsText before = text;
    EXPECT_FALSE(RemoveClubSlot(text, 6));
    EXPECT_FALSE(RemoveClubSlot(text, 7));
    EXPECT_TRUE(text == before);
}
