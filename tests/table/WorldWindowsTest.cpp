// The world top ten in both layouts, its write window, the chat and the statistics window,
// offscreen, against a real tarvo3-server; and each of them with the server gone.
#include <gtest/gtest.h>

#include <QTest>

#include "../support/ServerProcess.h"
#include "../support/TestApplication.h"
#include "../support/Typing.h"
#include "online/Account.h"
#include "online/CurlTransport.h"
#include "online/RatedPlay.h"
#include "records/Club.h"
#include "records/RecordsFile.h"
#include "settings/Settings.h"
#include "table/CardsButton.h"
#include "table/ChatWindow.h"
#include "table/StatisticsWindow.h"
#include "table/WorldTopTenWindow.h"

namespace tarvo {
namespace {

class WorldWindowsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::TestApplication();
        server = std::make_unique<test::ServerProcess>(TARVO_SERVER,
                                                       std::vector<std::string>{"--write-interval", "0"});
        client = std::make_unique<ScoreClient>(transport, AddressesOn(server->Origin()));
        account = std::make_unique<Account>(*client);
        settings = InitialSettings();
        settings.TopTenNick = "Ivan";
        settings.TopTenCity = "Омск";
        settings.TopTenCountry = "1-001";
        settings.TopTenSex = "M";
        settings.GameLiked = false; // an installation that has not voted yet
        hooks.passport = [this] { ++passports; };
        hooks.message = [this](const QString& text) { messages << text; };
        std::filesystem::create_directories(folder / "data");
    }
    void Post(int gid, const std::string& nick, const std::string& city, int score) {
        WorldTopTenEntry e;
        e.nick = nick;
        e.city = city;
        e.country = gid == kAccountList ? "Russia" : "1-001";
        e.sex = "W";
        e.score = score;
        ASSERT_TRUE(client->WriteTopTen(gid, e).ok);
    }
    void ServerGone() { server->Stop(); }

    test::TempFolder folder{"tarvo-world"};
    std::unique_ptr<test::ServerProcess> server;
    CurlTransport transport;
    std::unique_ptr<ScoreClient> client;
    std::unique_ptr<Account> account;
    Settings settings;
    WorldWindowHooks hooks;
    int passports = 0;
    QStringList messages;
};

TEST_F(WorldWindowsTest, PlatformLayout) {
    Post(kDesktopList, "Anna", "Rome", 200);
    Post(kDesktopList, "Ivan", "Омск", 150);
    Post(kAccountList, "Bob", "Oslo", 90);
    TFormWorldTopTen form(*client, *account, settings, folder / "data", WorldLayout::Platform, {}, hooks);
    ASSERT_EQ(form.ListButtons.size(), 3u);
    form.ShowList(kDesktopList);
    EXPECT_TRUE(form.ListButtons[0]->isChecked());
    EXPECT_EQ(form.Picture->Lines(), (QStringList{"WINDOWS. SCORE. GAMES IN CYCLE", "1. Anna Rome 200",
                                                  "2. Ivan Омск 150", "Number of games: 2", "2. Ivan 150"}));
    // The desktop list shows flags; the others "<city>, <country>".
    const auto& items = form.Picture->Items();
    QStringList pictures;
    for (const PaintedItem& i : items)
        if (!i.pictureName.isEmpty()) pictures << i.pictureName;
    EXPECT_EQ(pictures, (QStringList{"flag", "face", "flag", "face"}));
    form.ListButtons[2]->click();
    EXPECT_EQ(form.List(), kAccountList);
    EXPECT_EQ(form.Picture->Lines(), (QStringList{"ACCOUNT. SCORE. GAMES IN CYCLE", "1. Bob Oslo, Russia 90",
                                                  "Number of games: 1"}));
    form.ButtonPassport->click();
    EXPECT_EQ(passports, 1);
    EXPECT_EQ(form.List(), kAccountList); // read again after the passport
}

TEST_F(WorldWindowsTest, ListLayoutWithTheClubAndTheLocalRecords) {
    TQobUser u;
    u.Nick = "Anna_77";
    u.Pw = "secret1";
    u.City = "Omsk";
    u.Country1 = "Russia";
    u.Country2 = "1-001";
    u.EMail = "anna@mail.ru";
    ASSERT_EQ(account->Create(u, true, "11.12.2026"), RegisterResult::Created);
    TQobGame g;
    g.Kon = 3;
    g.Rating = 4.1;
    ASSERT_TRUE(client->SaveGame("Anna_77", "secret1", g));
    RecordsText records = FreshRecords();
    records[6] = "Petr                   120";
    ASSERT_EQ(
        WriteRecords(folder / "data" / std::string(LocalRecordsFileName), records, RecordsWrites::Allowed),
        RecordsWrite::Written);

    TFormWorldTopTen form(*client, *account, settings, folder / "data", WorldLayout::Lists, {}, hooks);
    ASSERT_EQ(form.ListButtons.size(), 7u);
    form.ListButtons[4]->click(); // the tournament by score; the signed-in player has no games yet
    EXPECT_EQ(form.Picture->Lines(), (QStringList{"WINDOWS. ONLINE TOURNAMENT", "Your place: 1"}));
    form.ShowList(1);
    EXPECT_EQ(form.Picture->Lines(), (QStringList{"ACCOUNT. RATING. ALL GAMES", "1. Anna_77 Omsk 4,100"}));
    form.ShowList(6);
    const QStringList local = form.Picture->Lines();
    EXPECT_EQ(local[0], "WINDOWS. LOCAL GAMES WITH PC");
    EXPECT_TRUE(local[1].startsWith("1. Petr")) << local[1].toStdString();
    EXPECT_TRUE(local[1].endsWith("120"));
    form.ShowList(3);
    EXPECT_EQ(form.Picture->Lines(), (QStringList{"WINDOWS. SCORE. GAMES IN CYCLE", "Number of games: 0"}));
}

TEST_F(WorldWindowsTest, TheWriteWindowPostsOnce) {
    settings.TopTenNick = "Incognito";
    TFormWorldWrite form(*client, settings, 170, {}, hooks);
    form.show();
    QTRY_COMPARE_WITH_TIMEOUT(passports, 1, 10000); // a player without a name gives his passport first
    settings.TopTenNick = "Иван";                   // a Cyrillic nick is as good as a Latin one
    form.ButtonPassport->click();
    EXPECT_TRUE(form.ButtonSend->isEnabled());
    EXPECT_EQ(form.LabelScore->text(), "Your score: 170");
    form.ButtonSend->click();
    ASSERT_EQ(form.Place(), 1);
    EXPECT_EQ(form.LabelPlace->text(), "Your place: 1");
    EXPECT_FALSE(form.ButtonSend->isEnabled());
    form.Send();
    EXPECT_EQ(client->GameCount(kDesktopList).value, 1);
    EXPECT_EQ(client->TopTen(kDesktopList).value[0].Nick, "Иван");
    form.close();
    EXPECT_EQ(passports, 2);

    settings.TopTenCity = "O"; // a red city cannot post
    TFormWorldWrite red(*client, settings, 100, {}, hooks);
    EXPECT_FALSE(red.ButtonSend->isEnabled());
}

TEST_F(WorldWindowsTest, ChatSendsMarksAndRemembers) {
    const std::filesystem::path chatFile = folder / kChatFileName;
    const ChatAuthor anna{"Anna", "Rome", "1-024", "W"};
    for (int i = 1; i <= 3; ++i) ASSERT_TRUE(SendChatMessage(*client, anna, "m" + std::to_string(i), "t"));
    WriteChatFile(chatFile, {1, false, false});

    TFormChat form(*client, settings, chatFile, {}, hooks);
    EXPECT_EQ(form.Top(), 3);
    ASSERT_FALSE(ReadProgramPicture("GNew").isNull());
    std::vector<int> marked; // the messages with the mark on a line, by position from the top
    for (const PaintedItem& i : form.Board->Items())
        if (i.pictureName == "GNew") marked.push_back(i.y / 50);
    EXPECT_EQ(marked, (std::vector<int>{0, 0, 1, 1})); // both lines of 3 and 2
    EXPECT_EQ(ReadChatFile(chatFile).lastSeen, 3);    // seen now
    const QStringList lines = form.Board->Lines();
    EXPECT_TRUE(lines[0].startsWith("3. Rome : t 5.7f : Anna")) << lines[0].toStdString();
    EXPECT_EQ(lines[1], "m3");

    test::Type(form.EditMessage, "Hi all!");
    QTest::keyClick(form.EditMessage, Qt::Key_Return);
    EXPECT_TRUE(messages.isEmpty());
    EXPECT_EQ(form.Board->Lines()[1], "Hi all!"); // sent as "Hi_all!", shown with its blank
    EXPECT_EQ(client->TopTen(kChatBoard).value[0].R10, "Hi_all!");
    EXPECT_EQ(ReadChatFile(chatFile).lastSeen, 4);
    EXPECT_FALSE(form.EditMessage->isEnabled()); // one message per 15 seconds
    EXPECT_TRUE(form.ButtonRefresh->isHidden());
    form.Tick();
    EXPECT_TRUE(form.EditMessage->isEnabled());
    EXPECT_FALSE(form.ButtonRefresh->isHidden());

    form.CheckBottom->click();
    EXPECT_EQ(ReadChatFile(chatFile), (ChatFile{4, true, false}));
    EXPECT_FALSE(form.CheckBottom->isEnabled());
    EXPECT_EQ(form.Board->Lines().last(), "Hi all!"); // the newest at the bottom
    form.CheckOpen->click();
    EXPECT_TRUE(ReadChatFile(chatFile).openOnNew);

    settings.TopTenCity = "O";
    form.ButtonPassport->click();
    EXPECT_EQ(passports, 1);
    EXPECT_FALSE(form.EditMessage->isEnabled()); // a passport that cannot sign a message
}

TEST_F(WorldWindowsTest, StatisticsAndTheOneVote) {
    ASSERT_TRUE(client->ReportStarts(1, 1));
    ASSERT_TRUE(client->ReportSeries({5, 0, 0, 20}));
    settings.TopTenNick = "Incognito";
    StatisticsHooks s;
    QStringList typed = {"I", "Иван"}; // a one-letter nick is asked again
    int saves = 0;
    s.askNick = [&]() -> std::optional<QString> {
        if (typed.isEmpty()) return std::nullopt;
        return typed.takeFirst();
    };
    s.saveSettings = [&] { ++saves; };
    {
        TFormStat form(*client, settings, {}, s);
        EXPECT_EQ(form.Heading->text(), "WORLD STATS");
        EXPECT_EQ(form.Values[0]->text(), "1");
        EXPECT_EQ(form.Values[4]->text(), "5");
        EXPECT_EQ(form.Values[7]->text(), "20");
        EXPECT_EQ(form.Captions[7]->text(), "Loss of people (game with PC)");
        ASSERT_TRUE(form.ButtonLike->isEnabled());
        form.ButtonLike->click();
        EXPECT_TRUE(typed.isEmpty());
        EXPECT_EQ(form.Values[2]->text(), "1");
        EXPECT_EQ(form.Values[3]->text(), "Иван");
        EXPECT_FALSE(form.ButtonLike->isEnabled());
    }
    EXPECT_TRUE(settings.GameLiked);
    EXPECT_EQ(settings.TopTenNick, "Иван");
    EXPECT_EQ(saves, 1);
    TFormStat again(*client, settings, {}, s); // the installation has voted
    EXPECT_FALSE(again.ButtonLike->isEnabled());
    again.Vote();
    EXPECT_EQ(client->ReadStatistics(kGameNumber).value.Stat3, 1);
}

TEST_F(WorldWindowsTest, NoConnectWithTheServerDown) {
    ServerGone();
    TFormWorldTopTen platform(*client, *account, settings, folder / "data", WorldLayout::Platform, {}, hooks);
    platform.ShowList(kDesktopList);
    EXPECT_EQ(platform.Picture->Lines(), (QStringList{"WINDOWS. SCORE. GAMES IN CYCLE", "No Connect"}));
    TFormWorldTopTen lists(*client, *account, settings, folder / "data", WorldLayout::Lists, {}, hooks);
    lists.ShowList(1);
    EXPECT_EQ(lists.Picture->Lines(), (QStringList{"ACCOUNT. RATING. ALL GAMES", "No Connect"}));

    TFormChat chat(*client, settings, folder / kChatFileName, {}, hooks);
    EXPECT_EQ(chat.Board->Lines(), QStringList{"No Connect"});
    chat.EditMessage->setText("Hello");
    chat.Send();
    EXPECT_EQ(messages, QStringList{"Unable to send a message!"});
    EXPECT_EQ(chat.EditMessage->text(), "Hello"); // kept for another try

    TFormStat stat(*client, settings, {}, {});
    EXPECT_EQ(stat.Values[0]->text(), "No Connect");
    stat.Vote();
    EXPECT_TRUE(stat.ButtonLike->isEnabled()); // a failed vote changes nothing
    EXPECT_FALSE(settings.GameLiked);

    TFormWorldWrite write(*client, settings, 100, {}, hooks);
    write.Send();
    EXPECT_EQ(messages.last(), "Unable to write the result of the game!");
    EXPECT_FALSE(write.Place());
}

} // namespace
} // namespace tarvo
