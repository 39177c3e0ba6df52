// The tournament window over a scripted score server, on the offscreen platform: what its seat
// buttons say, a click that takes a seat, and a window that will not close while the player sits.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "../online/FakeTransport.h"
#include "../support/TestApplication.h"
#include "table/TournamentWindow.h"

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

} // namespace
} // namespace tarvo
