#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QUrl>
#include <optional>

#include "../core/TestSupport.h"
#include "../support/TempFolder.h"
#include "../support/TestApplication.h"
#include "../support/Typing.h"
#include "core/Queries.h"
#include "core/Round.h"
#include "core/Script.h"
#include "match/Match.h"
#include "table/Cp1251Field.h"
#include "table/TableScreen.h"

using namespace tarvo;

namespace {

struct Quiet : PictureMessages {
    void CantFindFile(const QString&) override {}
    void BadPicture(const QString&, const QString&) override {}
};

// The built-in deck and its backs, as the smallest window has them.
ImageStore BuiltinStore() {
    test::TestApplication();
    ImageStore store;
    CardLook look;
    Quiet quiet;
    LoadCardFaces(PackageRegistry(), store, look, quiet);
    return store;
}

// The table at the smallest size, without flights, showing the game `g` from its deal on.
void ShowGame(TableScreen& table, GameState& g, bool sound = false) {
    TableOptions options;
    options.flyCards = false;
    options.soundOn = sound;
    table.SetOptions(options);
    table.ApplyWindowSize();
    table.Attach(&g);
    table.EnterTable();
}

} // namespace

// Eight cards overlap in the player's strip: each card is hit on its visible strip, the last one
// over its whole width, nothing beyond it.
TEST(TableScreen, HitTestOfAnEightCardHand) {
    ImageStore store = BuiltinStore();
    GameState g = test::Position({"6ч", "7ч", "6б 7б 8б 9б 1б Вб Дб Кб"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    WindowResources resources;
    TableScreen table(store, resources);
    ShowGame(table, g);

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
    test::TestApplication();
    ImageStore store;
    GameState g = test::Position({"6ч", "7ч", "6б"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    WindowResources resources;
    TableScreen table(store, resources);
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

// A network chat line travels in Windows-1251: a letter it cannot hold is refused as typed, with
// the hint in the player's language, and what is sent is what was typed.
TEST(TableScreen, TheChatLineKeepsToWindows1251) {
    test::TestApplication();
    ImageStore store;
    WindowResources resources;
    TableScreen table(store, resources);
    TableOptions russian;
    russian.language = 1;
    table.SetOptions(russian);
    QStringList sent;
    QObject::connect(&table, &TableScreen::chatSent, [&sent](const QString& text) { sent << text; });
    test::Type(table.ChatLine(), QStringLiteral("Jürgen, Иван!"));
    QTest::keyClick(table.ChatLine(), Qt::Key_Return);
    EXPECT_EQ(sent, QStringList{QStringLiteral("Jrgen, Иван!")});
    const auto* validator = qobject_cast<const Cp1251Validator*>(table.ChatLine()->validator());
    ASSERT_TRUE(validator);
    EXPECT_TRUE(validator->Hint().contains(QStringLiteral("кириллицу")));
}

namespace {

// The table as the window has it, with the sounds written down instead of played.
class ListeningTable : public TableScreen {
  public:
    using TableScreen::TableScreen;
    std::vector<std::string> sounds;
    void PlaySound(std::string_view name) override { sounds.emplace_back(name); }
};

// Clicks the player's card as a person would: on the part of it that shows.
void ClickCard(ListeningTable& table, const GameState& g, const char* code,
               Qt::MouseButton button = Qt::LeftButton) {
    int slot = SlotOfCard(g.CardsI[3], test::Card(code));
    const Rect& hand = table.CurrentLayout().hands[2];
    for (int x = hand.left; x < hand.Right(); ++x)
        if (table.HitTest(3, x) == slot) {
            QTest::mouseClick(&table, button, {}, QPoint(x + 2, hand.top + 20));
            return;
        }
    FAIL() << "card " << code << " not found in the hand";
}

} // namespace

// A person defends: a wrong card only buzzes, a beating card is played, the action button takes
// the cards and later confirms the end of the bout.
TEST(TableScreen, PlayingAsAHuman) {
    ImageStore store = BuiltinStore();
    GameState g = test::Position({"Тк", "6ч 6б 1б", "7ч 9к 8к"}, 2, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    WindowResources resources;
    ListeningTable table(store, resources);
    ShowGame(table, g, true);
    table.show();
    AiPlayer computer;
    MatchContext m{g, table, computer, nullptr, PlayMode::Local, {}};
    SeededDecks decks(1);
    // The window's own wiring of the table's signals.
    QObject::connect(&table, &TableScreen::ownCardClicked,
                     [&](int slot, bool right) { ClickOwnCard(m, slot, right); });
    QObject::connect(&table, &TableScreen::actionPressed, [&] { PressActionButton(m, decks); });

    ASSERT_EQ(RunScriptLine(g, table, "2 leads 6ч -> 6"), "");
    const Rect& strip = table.CurrentLayout().hands[2];
    auto hand = [&] { return table.grab(QRect(strip.left, strip.top, strip.width, strip.height)).toImage(); };
    const QImage still = hand();
    ClickCard(table, g, "9к"); // another suit, no trump
    EXPECT_EQ(table.sounds.back(), "WWrongs");
    EXPECT_NE(hand(), still); // the refused card shows it too, for those who play without sound
    EXPECT_TRUE(QTest::qWaitFor([&] { return hand() == still; }, 10000)); // and only for a moment
    EXPECT_EQ(g.HodPhase, 6);
    EXPECT_EQ(g.KolCards[3], 3);

    ClickCard(table, g, "7ч");
    EXPECT_EQ(g.HodPhase, 2);
    EXPECT_EQ(g.KolCardsStol, 2);

    ASSERT_EQ(RunScriptLine(g, table, "2 throws 6б -> 6"), "");
    // The attacker's steps come from the script, so the button is enabled as the pipeline would.
    table.ActionButton()->setEnabled(true);
    QTest::mouseClick(table.ActionButton(), Qt::LeftButton);
    EXPECT_EQ(g.HodPhase, 3); // taken: the attacker may add

    ASSERT_EQ(RunScript(g, table, {"2 stops -> 10", "1 stops -> 12"}), "");
    table.ActionButton()->setEnabled(true);
    QTest::mouseClick(table.ActionButton(), Qt::LeftButton);
    EXPECT_EQ(g.HodPhase, 1);
    EXPECT_EQ(g.HodSeat, 1);     // the seat after the taker attacks
    EXPECT_EQ(g.KolCards[3], 5); // his two cards and the three he took
}

namespace {

class SpeakingTable : public TableScreen {
  public:
    using TableScreen::TableScreen;
    std::vector<TStr2> said;
    void SayCard(TStr2 card) override { said.push_back(card); }
    void PlaySound(std::string_view) override {}
};

// The first point of a part where the voice would name `code`.
std::optional<QPoint> PointNaming(const TableScreen& table, const Rect& part, const char* code) {
    for (int y = part.top; y < part.top + part.height; y += 3)
        for (int x = part.left; x < part.left + part.width; x += 3)
            if (table.SpokenCardAt({x, y}) == test::Card(code)) return QPoint(x, y);
    return std::nullopt;
}

} // namespace

// The right button names every card the player can see: on the table, the trump under the talon,
// and an opponent's card only while his hand lies open.
TEST(TableScreen, RightClickNamesTheCardsInSight) {
    ImageStore store = BuiltinStore();
    GameState g = test::Position({"6ч 8к", "7ч 9к", "6б"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    WindowResources resources;
    SpeakingTable table(store, resources);
    ShowGame(table, g);
    ASSERT_EQ(RunScriptLine(g, table, "1 leads 6ч"), "");

    const Layout& layout = table.CurrentLayout();
    const auto onTable = PointNaming(table, layout.table, "6ч");
    ASSERT_TRUE(onTable);
    QTest::mouseClick(&table, Qt::RightButton, {}, *onTable);
    ASSERT_EQ(table.said.size(), 1u);
    EXPECT_EQ(table.said[0], test::Card("6ч"));
    EXPECT_TRUE(PointNaming(table, layout.talon, "Тп"));
    // Where no card is named the right button belongs to the popup: the empty felt of the table
    // and the talon's backs.
    EXPECT_TRUE(table.OverCards(*onTable));
    EXPECT_FALSE(table.OverCards({layout.table.left + layout.table.width - 5, layout.table.top + 5}));
    EXPECT_FALSE(table.OverCards({layout.talon.left + 5, layout.talon.top + 5}));
    const Rect& own = layout.hands[2];
    EXPECT_TRUE(table.OverCards({own.left + own.width / 2, own.top + 20}));

    EXPECT_FALSE(PointNaming(table, layout.hands[1], "7ч"));
    table.SetReveal(true);
    const auto opponent = PointNaming(table, layout.hands[1], "7ч");
    ASSERT_TRUE(opponent);
    QTest::mouseClick(&table, Qt::LeftButton, {}, *opponent); // the left button says nothing
    QTest::mouseClick(&table, Qt::RightButton, {}, *opponent);
    ASSERT_EQ(table.said.size(), 2u);
    EXPECT_EQ(table.said[1], test::Card("7ч"));
}

namespace {

// Whether the plate of `seat` shows the red pointer, as the window shows it.
bool PointerVisible(TableScreen& table, int seat) {
    const QImage shot = table.grab().toImage();
    const Rect& plate = table.CurrentLayout().plates[static_cast<std::size_t>(seat - 1)];
    for (int y = plate.top; y < plate.top + plate.height; ++y)
        for (int x = plate.left; x < plate.left + plate.width; ++x) {
            const QColor c = shot.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 80 && c.blue() < 80) return true;
        }
    return false;
}

} // namespace

// The pointer stands at the seat the game waits for, from the first lead to the last step, at the
// smallest and the largest size: at the defender while he must beat, nowhere while a bout waits
// for its end and once the game is over.
TEST(TableScreen, TheTurnPointerFollowsTheSeatToMove) {
    for (int size : {1, 5}) {
        test::TestApplication();
        ImageStore store;
        CardLook look;
        look.windowSize = size;
        look.scale = size == 5 ? 2.0 : 1.0;
        Quiet quiet;
        LoadCardFaces(PackageRegistry(), store, look, quiet);
        WindowResources resources;
        TableScreen table(store, resources);
        TableOptions options;
        options.windowSize = size;
        options.flyCards = false;
        options.soundOn = false;
        table.SetOptions(options);
        table.ApplyWindowSize();
        table.show();
        GameState g;
        AiPlayer computer;
        MatchContext m{g, table, computer, nullptr, PlayMode::Local, {}};
        SeededDecks decks(11);
        table.Attach(&g);
        table.EnterTable();
        StartSeries(m, decks, 0);
        QApplication::processEvents();
        EXPECT_EQ(table.TurnPointer(), 0) << "before To Begin";
        PressActionButton(m, decks);
        QApplication::processEvents();
        EXPECT_EQ(table.TurnPointer(), int(g.HodSeat)) << "the first lead, size " << size;
        EXPECT_TRUE(PointerVisible(table, g.HodSeat)) << "size " << size;

        int defences = 0, waits = 0;
        for (int steps = 0; steps < 500 && !g.GameOver; ++steps) {
            if (PendingBoutEnd(g))
                MakeMove(m, 0, true, true);
            else
                MakeMove(m, 0, false, false); // the computer plays every seat
            QApplication::processEvents();
            const int expected = g.GameOver || PendingBoutEnd(g) ? 0 : ActingSeat(g);
            ASSERT_EQ(table.TurnPointer(), expected) << "step " << steps << ", size " << size;
            MoveKind kind = NoKind;
            if (HumanTurn(g, &kind) && kind == Beat) ++defences;
            if (PendingBoutEnd(g)) ++waits;
        }
        ASSERT_TRUE(g.GameOver);
        EXPECT_GT(defences, 0) << "the game let the player defend";
        EXPECT_GT(waits, 0);
        for (int seat = 1; seat <= 3; ++seat) EXPECT_FALSE(PointerVisible(table, seat)) << seat;
    }
}

// With the five-card first bout the marker shows from the deal until the first bout is discarded.
TEST(TableScreen, TheFiveCardMarkerShowsUntilTheFirstDiscard) {
    ImageStore store = BuiltinStore();
    WindowResources resources;
    TableScreen table(store, resources);
    GameState g;
    g.Rules.FirstBoutFive = true;
    ShowGame(table, g);
    table.show();
    AiPlayer computer;
    MatchContext m{g, table, computer, nullptr, PlayMode::Local, {}};
    SeededDecks decks(5);
    const Rect& help = table.CurrentLayout().help;
    auto markerPixels = [&] {
        return table.grab(QRect(help.left, help.top, help.width, help.height)).toImage();
    };
    const QImage cloth = markerPixels();
    StartSeries(m, decks, 0);
    PressActionButton(m, decks);
    ASSERT_EQ(g.BoutLimit, 5);
    EXPECT_TRUE(table.FirstBoutMarkerShown());
    EXPECT_NE(markerPixels(), cloth);
    for (int steps = 0; steps < 500 && g.BoutLimit == 5 && !g.GameOver; ++steps)
        MakeMove(m, 0, PendingBoutEnd(g).has_value(), PendingBoutEnd(g).has_value());
    ASSERT_EQ(g.BoutLimit, 6);
    EXPECT_FALSE(table.FirstBoutMarkerShown());
    EXPECT_EQ(markerPixels(), cloth);
}

// In a tournament game a seat's bubble shows its player's picture, 100 pixels wide; a seat whose
// file is not there, or that has none, shows nothing.
TEST(TableScreen, SeatPicturesShowOverTheirBubbles) {
    ImageStore store = BuiltinStore();
    WindowResources resources;
    TableScreen table(store, resources);
    GameState g;
    ShowGame(table, g);
    test::TempFolder folder("tarvo-pictures");
    const QString anna = QString::fromStdString((folder / "Anna \"the\" 1st.bmp").string());
    QImage picture(200, 150, QImage::Format_RGB32);
    picture.fill(Qt::red);
    ASSERT_TRUE(picture.save(anna, "BMP"));
    table.SetSeatPictures({anna, QString::fromStdString((folder / "Gone.bmp").string()), QString()});
    auto centre = [&](int seat) {
        const Rect& b = table.CurrentLayout().bubbles[static_cast<std::size_t>(seat - 1)];
        return QPoint(b.left + b.width / 2, b.top + b.height / 2);
    };
    const QString balloon = table.PictureBalloon(centre(1));
    EXPECT_TRUE(balloon.contains(R"(width="100" height="75")")) << balloon.toStdString();
    // The quotes and blanks of the nick survive the way into the balloon's picture.
    QTextDocument shown;
    shown.setHtml(balloon);
    QString source;
    for (auto fragment = shown.begin().begin(); !fragment.atEnd(); ++fragment)
        if (fragment.fragment().charFormat().isImageFormat())
            source = fragment.fragment().charFormat().toImageFormat().name();
    EXPECT_EQ(QUrl(source).toLocalFile(), anna);
    EXPECT_FALSE(shown.resource(QTextDocument::ImageResource, QUrl(source)).isNull());
    EXPECT_EQ(table.PictureBalloon(centre(2)), QString());
    EXPECT_EQ(table.PictureBalloon(centre(3)), QString());
    EXPECT_EQ(table.PictureBalloon({1, 1}), QString());
}
