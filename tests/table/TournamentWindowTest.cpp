// The tournament window over a scripted score server, on the offscreen platform: what its seat
// buttons say, a click that takes a seat, and a window that will not close while the player sits.
#include <gtest/gtest.h>

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QPushButton>

#include "../online/FakeTransport.h"
#include "../support/TestApplication.h"
#include "table/OnlineWait.h"
#include "table/TournamentWindow.h"
#include "table/WorldTopTenWindow.h"

namespace tarvo {
namespace {

struct TournamentWindowTest : ::testing::Test {
    void SetUp() override { test::TestApplication(); }
    test::FakeTransport transport;
    ScoreClient client{transport, AddressesOn("http://score.test")};
    TournamentDesk desk{client};

    void AnswerRefresh(const std::string& state) {
        std::string rows;
        for (int n = 10; n >= 2; --n) rows += "$" + std::to_string(n) + " 127.0.0.1 " + std::to_string(25700 + n) + " Y*";
        transport.Answer(rows + "$1 127.0.0.1 25701 Y 0 X Ann 5 6 7 RU Omsk W 1.2.3.4*");
        transport.Answer(state, !state.empty());
    }
};

TEST_F(TournamentWindowTest, ShowsTheTablesAndTakesASeat) {
    AnswerRefresh("$Y Good_evening*");
    int seatedTable = 0, seatedSeat = 0;
    TournamentHooks hooks;
    hooks.seated = [&](int t, int s) { seatedTable = t, seatedSeat = s; };
    TournamentWindow window(desk, {}, hooks);
    EXPECT_EQ(window.WelcomeLabel()->text(), "Good evening");
    EXPECT_EQ(window.SeatButtonAt(1, 1)->text(), "Ann : 5");
    EXPECT_FALSE(window.SeatButtonAt(1, 1)->isEnabled());
    EXPECT_EQ(window.SeatButtonAt(1, 2)->text(), "Take the place of");
    EXPECT_EQ(window.SeatButtonAt(2, 2)->text(), "Free");
    EXPECT_FALSE(window.SeatButtonAt(2, 2)->isEnabled());

    transport.Answer("$ ok#"); // clienton
    AnswerRefresh("$Y Good_evening*");
    window.SeatButtonAt(1, 2)->click();
    EXPECT_EQ(seatedTable, 1);
    EXPECT_EQ(seatedSeat, 2);
    EXPECT_FALSE(window.CloseButton()->isEnabled());
    window.show();
    window.CloseButton()->setEnabled(true);
    window.CloseButton()->click(); // held at a seat: the window stays
    EXPECT_TRUE(window.isVisible());
}

TEST_F(TournamentWindowTest, AnUnreadableStateIsNoConnectAndServerOff) {
    AnswerRefresh("");
    TournamentWindow window(desk, {}, {});
    EXPECT_EQ(window.WelcomeLabel()->text(), "No Connect");
    for (int t : {1, 10})
        for (int s : {1, 2, 3}) {
            EXPECT_EQ(window.SeatButtonAt(t, s)->text(), "Server Off");
            EXPECT_FALSE(window.SeatButtonAt(t, s)->isEnabled());
        }
    EXPECT_TRUE(window.CloseButton()->isEnabled());
}

TEST_F(TournamentWindowTest, TheTextsFollowALanguageChangeWhileOpen) {
    AnswerRefresh("$Y Hi*");
    TournamentWindow window(desk, {}, {});
    TournamentTexts german;
    german.caption = "WELT-ONLINE-TURNIER";
    german.serverOff = "Server aus";
    german.refresh = "Aktualisieren";
    german.takePlace = "Platz nehmen";
    window.SetTexts(german);
    EXPECT_EQ(window.windowTitle(), "WELT-ONLINE-TURNIER");
    EXPECT_EQ(window.RefreshButton()->text(), "Aktualisieren");
    EXPECT_EQ(window.SeatButtonAt(1, 2)->text(), "Platz nehmen");
}

// The welcome line is the club's own text: a long one, or one of wide letters, wraps or is cut
// and never makes the window wider than its ten tables need.
TEST_F(TournamentWindowTest, ALongWelcomeLineKeepsTheWindowsWidth) {
    AnswerRefresh("$Y Hi*");
    TournamentWindow plain(desk, {}, {});
    const int width = plain.sizeHint().width();
    for (const std::string& text : {std::string(300, 'W'), [] {
             std::string words;
             for (int i = 0; i < 12; ++i) words += "WWWWWW_";
             return words;
         }()}) {
        AnswerRefresh("$Y " + text + "*");
        TournamentWindow window(desk, {}, {});
        EXPECT_LE(window.WelcomeLabel()->text().size(), 80);
        EXPECT_LE(window.sizeHint().width(), width) << text;
    }
}

// The tournament top ten: place, flag, face, nick, city and value of each row, the player's own
// place below; "No Connect" when the list cannot be read.
TEST_F(TournamentWindowTest, TopTenWithFlagsFacesAndTheOwnPlace) {
    transport.Answer("$1 Ann Omsk Russia W 120*$2 Bob Oslo Nowhere M 90*");
    transport.Answer("$7\n");
    TQobClient me;
    me.Score = 40;
    TournamentTopTenWindow window(client, me, {});
    EXPECT_EQ(window.List()->Lines(), (QStringList{"WINDOWS. ONLINE TOURNAMENT \u2014 Score", "1. Ann Omsk 120",
                                                   "2. Bob Oslo 90", "Your place: 7"}));
    EXPECT_NE(transport.sent.back().body.find("score1=40"), std::string::npos);
    QStringList pictures;
    for (const PaintedItem& i : window.List()->Items())
        if (!i.pictureName.isEmpty()) pictures << i.pictureName;
    EXPECT_EQ(pictures, (QStringList{"flag", "face", "face"})); // an unknown country has no flag

    window.ShowList('r'); // nothing answers now
    EXPECT_EQ(window.List()->Lines(), (QStringList{"WINDOWS. ONLINE TOURNAMENT \u2014 Rating", "No Connect"}));
}

// While a request waits, the player's keys go nowhere; a message that a timer or the game
// connection opens meanwhile still takes them, or the wait below it could never end.
TEST(InputPause, AMessageOpenedDuringTheWaitTakesTheKeys) {
    test::TestApplication();
    QDialog window;
    auto* behind = new QLineEdit(&window);
    window.setModal(true);
    window.show();
    InputPause pause;
    QTest::keyClicks(behind, "ab");
    EXPECT_EQ(behind->text(), "");
    QDialog message(&window);
    auto* answer = new QLineEdit(&message);
    message.setModal(true);
    message.show();
    QTest::keyClicks(answer, "ok");
    QTest::keyClicks(behind, "cd");
    EXPECT_EQ(answer->text(), "ok");
    EXPECT_EQ(behind->text(), "");
}

} // namespace
} // namespace tarvo
