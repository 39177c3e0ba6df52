#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>

#include "../core/TestSupport.h"
#include "table/TableScreen.h"

using namespace tarvo;

namespace {

QApplication& Application() {
    static int argc = 1;
    static char name[] = "table_screen_tests";
    static char* argv[] = {name, nullptr};
    // Never destroyed: tearing Qt down from a static destructor crashes after its plugins unload.
    static QApplication* app =
        qApp ? static_cast<QApplication*>(QCoreApplication::instance()) : new QApplication(argc, argv);
    return *app;
}

struct Quiet : PictureMessages {
    void CantFindFile(const QString&) override {}
    void BadPicture(const QString&, const QString&) override {}
};

} // namespace

// Eight cards overlap in the player's strip: each card is hit on its visible strip, the last one
// over its whole width, nothing beyond it.
TEST(TableScreen, HitTestOfAnEightCardHand) {
    Application();
    ImageStore store;
    CardLook look;
    Quiet quiet;
    LoadCardFaces(store, look, quiet);
    LoadCardBacks(store, look, quiet);
    GameState g = test::Position({"6ч", "7ч", "6б 7б 8б 9б 1б Вб Дб Кб"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    TableScreen table(store);
    TableOptions options;
    options.flyCards = false;
    options.soundOn = false;
    table.SetOptions(options);
    table.ApplyWindowSize();
    table.Attach(&g);
    table.EnterTable();

    const int left = table.CurrentLayout().hands[2].left;
    const int step = 66; // 540 wide, pitch 74: Trunc(67.5 - 6.5 / 7)
    ASSERT_EQ(store.cellWidth, 71);
    EXPECT_EQ(table.HitTest(3, left), 1);
    EXPECT_EQ(table.HitTest(3, left + step - 1), 1);
    EXPECT_EQ(table.HitTest(3, left + step), 2);
    EXPECT_EQ(table.HitTest(3, left + 7 * step), 8);
    EXPECT_EQ(table.HitTest(3, left + 7 * step + 70), 8); // the last card over its whole width
    EXPECT_EQ(table.HitTest(3, left + 7 * step + 71), 0);
    EXPECT_EQ(table.HitTest(3, left - 1), 0);
}

// The number typed on the chat send button shows the opponents' hands; typing it again hides them;
// other keys in between start the count again when the button loses the focus.
TEST(TableScreen, RevealNumberOnTheSendButton) {
    Application();
    ImageStore store;
    GameState g = test::Position({"6ч", "7ч", "6б"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    TableScreen table(store);
    table.Attach(&g);
    table.SetChatShown(true);
    table.EnterTable();
    table.show();
    QApplication::setActiveWindow(&table); // focus changes reach the button only in an active window
    QPushButton* send = nullptr;
    for (QPushButton* b : table.findChildren<QPushButton*>())
        if (b->text() == ">") send = b;
    ASSERT_TRUE(send);
    send->setFocus();
    QTest::keyClicks(send, RevealNumber);
    EXPECT_TRUE(table.Revealed());
    QTest::keyClicks(send, "12");
    send->clearFocus();
    send->setFocus();
    QTest::keyClicks(send, RevealNumber);
    EXPECT_FALSE(table.Revealed());
    table.EnterTable(); // a new deal hides them in any case
    EXPECT_FALSE(table.Revealed());
}
