// The score server's wire in bytes alone: bodies, reply scanners, real numbers and the
// configuration document.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "online/Bodies.h"
#include "online/OnlineConfig.h"
#include "online/RealNumber.h"
#include "online/Scanners.h"
#include "settings/AddressCipher.h"
#include "settings/Settings.h"

namespace tarvo {
namespace {

TEST(Bodies, ListedFieldsCarryAnEmptyFieldBetweenEveryTwo) {
    const FormField login[] = {{"nick", "Ivan_77"}, {"pw", "se(r)et!"}, {"label0", "0"}};
    EXPECT_EQ(ListedBody(login), "nick=Ivan_77&&pw=se%28r%29et%21&&label0=0");
    const FormField one[] = {{"rgid", "15"}};
    EXPECT_EQ(ListedBody(one), "rgid=15");
    const FormField spaced[] = {{"a b", "x*y.z-_ @"}};
    EXPECT_EQ(ListedBody(spaced), "a+b=x*y.z-_+%40");
}

TEST(Bodies, RawBodyIsWindows1251AndUnescaped) {
    const FormField fields[] = {{"nick", "Ivan"}, {"city", "Омск"}, {"R10", "#*"}};
    EXPECT_EQ(RawBody(fields), "nick=Ivan&city=\xCE\xEC\xF1\xEA&R10=#*");
}

TEST(Scanners, NumberReply) {
    const std::pair<std::string, std::optional<int>> cases[] = {
        {"place $12\n", 12},
        {"place $12", 1},       // the reply's last character is never a digit of the number
        {"$ok$37x", 37},        // the last "$" counts
        {"$5$", 5},             // a "$" that ends the reply is skipped
        {"$5$x", std::nullopt}, // nothing after the last "$": an earlier one is not tried
        {"$-5\n", std::nullopt},
        {"12\n", std::nullopt},
        {"$99999999999\n", std::nullopt},
        {"$", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [reply, expected] : cases) EXPECT_EQ(ScanNumber(reply), expected) << reply;
}

TEST(Scanners, StatusReply) {
    const std::pair<std::string, bool> cases[] = {
        {"$ ok#", true},  {"$ok#", false}, {"$ ok", true},   {"$ no#", false},
        {"$ ok#$", true}, {"ok", false},   {"$ oK#", false}, {"$ ok#\n$ no#", false},
    };
    for (const auto& [reply, expected] : cases) EXPECT_EQ(ScanStatus(reply), expected) << reply;
}

TEST(Scanners, RecordListCutsAtBlanksAndStopsAtTen) {
    auto one = ScanRecords("$1  500 Bob RU Omsk M 5.7f # #*");
    ASSERT_EQ(one.size(), 1u);
    ASSERT_NE(FieldAt(one[0], 3), nullptr);
    EXPECT_EQ(*FieldAt(one[0], 0), "");
    EXPECT_EQ(*FieldAt(one[0], 2), ""); // two blanks make an empty field
    EXPECT_EQ(*FieldAt(one[0], 3), "500");
    EXPECT_EQ(*FieldAt(one[0], 4), "Bob");

    std::string twelve;
    for (int i = 1; i <= 12; ++i) twelve += "$" + std::to_string(i) + " x*";
    auto rows = ScanRecords(twelve + "\n");
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(*FieldAt(rows[9], 1), "10");

    // Without "*" a record runs to the last character, which it leaves out; every "$" starts one.
    auto open = ScanRecords("$a b$c d\n");
    ASSERT_EQ(open.size(), 2u);
    EXPECT_EQ(*FieldAt(open[0], 2), "b$c");
    EXPECT_EQ(*FieldAt(open[1], 1), "c");
    EXPECT_EQ(*FieldAt(open[1], 2), "d");
    EXPECT_TRUE(ScanRecords("no records$").empty());
}

TEST(Scanners, SingleRecordAndDetails) {
    auto r = ScanRecord("$Omsk RU 1-001$ rest$\n");
    ASSERT_TRUE(r);
    EXPECT_EQ(*FieldAt(*r, 1), "Omsk");
    EXPECT_EQ(*FieldAt(*r, 3), "1-001");
    EXPECT_EQ(FieldAt(*r, 5), nullptr);
    auto stat = ScanRecord("$1 2 3*4$", '*');
    ASSERT_TRUE(stat);
    EXPECT_EQ(*FieldAt(*stat, 3), "3");
    EXPECT_FALSE(ScanRecord("no record$"));

    auto d = ScanDetails("$Ivan~Petrov~~a b c$\n");
    ASSERT_TRUE(d);
    EXPECT_EQ(*FieldAt(*d, 1), "Ivan");
    EXPECT_EQ(*FieldAt(*d, 3), "");
    EXPECT_EQ(*FieldAt(*d, 4), "a b c");

    EXPECT_TRUE(HasPair("$ is#", "is"));
    EXPECT_FALSE(HasPair("$ IS#", "is"));
    EXPECT_FALSE(HasPair("i s", "is"));
}

TEST(RealNumbers, WrittenShortestAndPlain) {
    const std::pair<double, std::string> cases[] = {
        {0, "0"},
        {0.000009, "0"},
        {-0.000009, "0"},
        {0.00001, "0.00001"},
        {12, "12"},
        {-19.9, "-19.9"},
        {0.1 + 4, "4.1"},
        {123456.5, "123456.5"},
        {1e20, "100000000000000000000"},
        {1.0 / 3, "0.333333333333333"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(FormatReal(value), text) << text;
}

TEST(RealNumbers, ReadWithAnySeparator) {
    const std::pair<std::string, std::optional<double>> cases[] = {
        {"12.5", 12.5},        {"12,5", 12.5},     {" -3 ", -3.0},          {"7", 7.0},
        {"abc", std::nullopt}, {"", std::nullopt}, {"1.2.3", std::nullopt}, {"-", std::nullopt},
    };
    for (const auto& [text, value] : cases) EXPECT_EQ(ParseReal(text), value) << text;
    for (double v : {-19.9, 4.1, 1e-5, 98765.4321}) EXPECT_EQ(ParseReal(FormatReal(v)), v);
}

TEST(RealNumbers, RatingsShownWithThreeDecimals) {
    const std::pair<double, std::string> cases[] = {
        {12, "12,000"}, {12.5, "12,500"},  {-19.9, "-19,900"},
        {4.1, "4,100"}, {0.0004, "0,000"}, {2.9996, "3,000"},
    };
    for (const auto& [value, text] : cases) EXPECT_EQ(RatingText(value), text);
}

TEST(OnlineConfigDocument, AnswersItsQuestions) {
    OnlineConfig failed = ReadOnlineConfig(std::nullopt);
    EXPECT_TRUE(failed.chatEnabled);
    EXPECT_EQ(failed.topTen, TopTenAnswer::Old);

    OnlineConfig paused = ReadOnlineConfig("CTGamesPause WTGamesPause WTGamesPatt=x#");
    EXPECT_FALSE(paused.chatEnabled);
    EXPECT_EQ(paused.topTen, TopTenAnswer::Pause);

    OnlineConfig moved = ReadOnlineConfig("WTGamesPatt=abc#StatPath:def# AccPath=ghi");
    EXPECT_TRUE(moved.chatEnabled);
    EXPECT_EQ(moved.topTen, TopTenAnswer::Address);
    EXPECT_EQ(moved.topTenPath, "abc");
    EXPECT_EQ(moved.statistics, "def");
    EXPECT_EQ(moved.account, std::nullopt); // cut short: no closing "#"
    EXPECT_EQ(ReadOnlineConfig("nothing here").topTen, TopTenAnswer::Old);
}

TEST(OnlineConfigDocument, AServerDocumentMovesEveryService) {
    ServiceAddresses club = AddressesOn("https://club.example.org:8443");
    Settings settings = InitialSettings();
    ServiceAddresses addresses = StartAddresses(settings);
    EXPECT_EQ(addresses.account, std::string(kDefaultServerOrigin) + "/account");
    ApplyOnlineConfig(ReadOnlineConfig(OnlineConfigDocument(club)), settings, addresses);
    club.config = addresses.config; // the document does not move itself
    EXPECT_EQ(addresses, club);
    EXPECT_EQ(DecipherAddress(settings.TopTenPath), club.topTen);
}

TEST(OnlineConfigDocument, StartAddressesFollowTheStatisticsSetting) {
    Settings settings = InitialSettings();
    settings.ServerPath = EncipherAddress("https://club.example.org/stats");
    settings.TopTenPath = EncipherAddress("https://other.example.org/top");
    const ServiceAddresses a = StartAddresses(settings);
    EXPECT_EQ(a.account, "https://club.example.org/account");
    EXPECT_EQ(a.photos, "https://club.example.org/photos/");
    EXPECT_EQ(a.topTen, "https://other.example.org/top");
    // Without a settings file the two set services have no address; the others stay local.
    const ServiceAddresses bare = StartAddresses(DefaultSettings());
    EXPECT_EQ(bare.topTen, "");
    EXPECT_EQ(bare.statistics, "");
    EXPECT_EQ(bare.config, std::string(kDefaultServerOrigin) + "/config");
}

} // namespace
} // namespace tarvo
