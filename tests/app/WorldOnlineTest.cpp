// The main window's world services against a real tarvo3-server: the news siren rises when the
// operator raises the page's news number, the chat siren when someone writes on the board, and
// the chat window opened from the menu sends to the board and reads it back.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDesktopServices>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "../support/ServerProcess.h"
#include "../support/TempFolder.h"
#include "../support/TestApplication.h"
#include "../support/Typing.h"
#include "app/OnlineSession.h"
#include "app/WorldOnline.h"
#include "online/Chat.h"
#include "online/CurlTransport.h"
#include "online/RatedPlay.h"
#include "settings/Settings.h"
#include "table/ChatWindow.h"
#include "table/WorldTopTenWindow.h"

namespace tarvo {
namespace {

bool WaitUntil(const std::function<bool()>& done, int limitMs = 30000) {
    for (int waited = 0; !done() && waited < limitMs; waited += 20) QTest::qWait(20);
    return done();
}

// Stands in for the system's web browser.
class Browser : public QObject {
    Q_OBJECT
  public slots:
    void Open(const QUrl& url) { opened << url.toString(); }

  public:
    QStringList opened;
};

TEST(WorldOnline, SirensRiseFromTheServerAndTheChatTalksToIt) {
    test::TestApplication();
    test::ServerProcess server(TARVO_SERVER, {"--write-interval", "0", "--tables", "none"});
    test::TempFolder shared("tarvo3-world-online"); // the folder shared with sibling games
    const auto data = shared / "Tarvo-Trio";
    std::filesystem::create_directories(data);
    OnlineSession session(server.Origin());
    Settings settings = InitialSettings();
    settings.TopTenNick = "Ivan";
    settings.TopTenCity = "Omsk";
    settings.TopTenCountry = "1-001";
    session.Begin(settings);
    ASSERT_TRUE(session.Config().chatEnabled);

    std::vector<std::pair<bool, bool>> sirens; // news, chat, as the menu was told
    QStringList sounds, messages;
    int infos = 0;
    WorldHooks h;
    h.playSound = [&](const char* sound) { sounds << sound; };
    h.message = [&](const QString& first, const QString&) { messages << first; };
    h.askYesNo = [](const QString&, const QString&) { return false; };
    h.windowOptions = [] { return RecordsWindowOptions{}; };
    h.passport = [] {};
    h.menuShown = [] { return true; };
    h.gameRunning = [] { return false; };
    h.showWaiting = [&](bool news, bool chat) { sirens.emplace_back(news, chat); };
    h.showInfo = [&](std::optional<InfoFigure>) { ++infos; };
    h.saveSettings = [] {};
    h.accountChanged = [] {};
    WorldOnline world(session, settings, data, shared.path(), h, nullptr);
    // The checks answer on one thread in the order asked: once a later read has answered, the
    // checks before it have too.
    auto settle = [&] {
        const int before = infos;
        world.ReadInfo(1);
        return WaitUntil([&] { return infos > before; });
    };

    // The player last opened news 16; the page says 16 at the fourth tick, 17 at the seventh.
    ASSERT_TRUE(WriteNewsFile(shared / kNewsFileName, 16));
    test::WriteBytes(server.DataDir() / "news.txt", "16\nOld news\n");
    for (int tick = 1; tick <= 4; ++tick) world.Tick();
    ASSERT_TRUE(settle());
    EXPECT_FALSE(world.NewsWaiting());
    EXPECT_TRUE(sirens.empty());
    test::WriteBytes(server.DataDir() / "news.txt", "17\nNew card backs\n");
    for (int tick = 5; tick <= 7; ++tick) world.Tick();
    ASSERT_TRUE(WaitUntil([&] { return world.NewsWaiting(); }));
    EXPECT_EQ(sirens, (std::vector<std::pair<bool, bool>>{{true, false}}));

    Browser browser;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &browser, "Open");
    world.OpenNews();
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(browser.opened, QStringList{QString::fromStdString(server.Origin() + "/news")});
    EXPECT_EQ(ReadNewsFile(shared / kNewsFileName), 17);
    EXPECT_FALSE(world.NewsWaiting());
    EXPECT_EQ(sirens.back(), std::make_pair(false, false));

    // Two messages on the board; a chat file made now has seen number 1. The chat looks every
    // ninetieth tick.
    CurlTransport transport;
    ScoreClient client(transport, AddressesOn(server.Origin()));
    const ChatAuthor anna{"Anna", "Rome", "1-024", "W"};
    ASSERT_TRUE(SendChatMessage(client, anna, "Hello", "t"));
    ASSERT_TRUE(SendChatMessage(client, anna, "Anyone?", "t"));
    sounds.clear();
    for (int tick = 8; tick <= 90; ++tick) world.Tick();
    ASSERT_TRUE(WaitUntil([&] { return world.ChatWaiting(); }));
    EXPECT_EQ(sirens.back(), std::make_pair(false, true));
    EXPECT_EQ(sounds, QStringList{"WToMenK"});

    // The menu's chat: the window shows the board, the player answers, the window closes.
    QStringList board;
    QTimer look;
    int looks = 0;
    QObject::connect(&look, &QTimer::timeout, [&] {
        TFormChat* form = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* chat = dynamic_cast<TFormChat*>(w); chat && chat->isVisible()) form = chat;
        if (!form && ++looks > 1500) {
            look.stop();
            ADD_FAILURE() << "no chat window";
            if (QWidget* modal = QApplication::activeModalWidget()) modal->close();
        }
        if (!form) return;
        look.stop();
        test::Type(form->EditMessage, "Hi all!");
        QTest::keyClick(form->EditMessage, Qt::Key_Return);
        board = form->Board->Lines();
        form->reject();
    });
    look.start(20);
    world.OpenChat();
    EXPECT_TRUE(messages.isEmpty()) << messages.join('\n').toStdString();
    ASSERT_GE(board.size(), 2);
    EXPECT_TRUE(board[0].startsWith("3. Omsk : ")) << board[0].toStdString();
    EXPECT_TRUE(board[0].endsWith(" 5.7f : Ivan")) << board[0].toStdString();
    EXPECT_EQ(board[1], "Hi all!");
    const auto top = client.TopTen(kChatBoard);
    ASSERT_TRUE(top.ok);
    EXPECT_EQ(top.value[0].R10, "Hi_all!");
    EXPECT_EQ(top.value[2].R10, "Hello");
    EXPECT_EQ(ReadChatFile(shared / kChatFileName).lastSeen, 3);
    EXPECT_FALSE(world.ChatWaiting());
    EXPECT_EQ(sirens.back(), std::make_pair(false, false));
}

} // namespace
} // namespace tarvo

#include "WorldOnlineTest.moc"
