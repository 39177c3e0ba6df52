// The main menu's calendar sheets: the left one stays, the right one turns through the rest, and
// each tells its own hint where the player points; the clocks beside them and the account and
// tournament pictures cover nothing;
// the club rows stand under their headings.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>

#include "../support/TestApplication.h"
#include "table/MenuScreen.h"

namespace tarvo {
namespace {

QPoint Centre(const Rect& r) {
    return {r.left + r.width / 2, r.top + r.height / 2};
}

QRect Area(const Rect& r) {
    return {r.left, r.top, r.width, r.height};
}

std::vector<CalendarPicture> Sheets(std::initializer_list<const char*> hints) {
    std::vector<CalendarPicture> sheets;
    for (const char* hint : hints) {
        QImage image(60, 100, QImage::Format_ARGB32);
        image.fill(Qt::white);
        sheets.push_back({image, QString::fromUtf8(hint)});
    }
    return sheets;
}

TEST(MenuCalendar, EachSheetTellsItsHintAndTheRightOneTurns) {
    test::TestApplication();
    MenuScreen menu;
    const Scale scale = Scale::ForWindowSize(1);
    QImage cloth(scale.clientWidth, scale.clientHeight, QImage::Format_RGB32);
    cloth.fill(Qt::darkGreen);
    menu.Arrange(scale, cloth, MenuLook());
    menu.SetCalendar(Sheets({"10 December", "Sagittarius", "Year of the Horse"}));
    const QPoint left = Centre(menu.CalendarLeft()), right = Centre(menu.CalendarRight());
    EXPECT_EQ(menu.HintAt(left), QStringLiteral("10 December"));
    EXPECT_EQ(menu.HintAt(right), QStringLiteral("Sagittarius"));
    menu.TurnCalendar();
    EXPECT_EQ(menu.HintAt(right), QStringLiteral("Year of the Horse"));
    menu.TurnCalendar(); // after the last sheet the first of the turning ones comes back
    EXPECT_EQ(menu.HintAt(right), QStringLiteral("Sagittarius"));
    EXPECT_EQ(menu.HintAt(left), QStringLiteral("10 December"));

    // One sheet fills only the left image; without the calendar package nothing is told.
    menu.SetCalendar(Sheets({"10 December"}));
    EXPECT_TRUE(menu.HintAt(right).isEmpty());
    menu.SetCalendar({});
    EXPECT_TRUE(menu.HintAt(left).isEmpty());
}

TEST(MenuClocks, CoverNeitherSheetNorTitleNorButtonAtAnySize) {
    test::TestApplication();
    struct Case {
        int windowSize, fullWidth, fullHeight;
    };
    const Case cases[] = {{4, 0, 0}, {5, 0, 0}, {2, 1600, 1200}, {2, 1920, 1080}, {2, 1280, 1024}, {2, 2560, 1440}};
    for (const Case& c : cases) {
        const Scale scale = Scale::ForWindowSize(c.windowSize, c.fullWidth, c.fullHeight);
        ASSERT_TRUE(MenuClocksShown(scale)) << c.windowSize << " " << c.fullWidth;
        QImage cloth(scale.clientWidth, scale.clientHeight, QImage::Format_RGB32);
        MenuScreen menu;
        menu.Arrange(scale, cloth, MenuLook());
        const QRect window(0, 0, scale.clientWidth, scale.clientHeight);
        std::vector<QRect> others = {Area(menu.CalendarLeft()), Area(menu.CalendarRight()), Area(menu.TitlePart())};
        for (int b = 0; b <= static_cast<int>(MenuButton::Exit); ++b)
            others.push_back(menu.Button(static_cast<MenuButton>(b))->geometry());
        for (const QRect clock : {Area(menu.ClockPart()), Area(menu.InfoPart())}) {
            EXPECT_TRUE(window.contains(clock)) << c.windowSize << " " << c.fullWidth;
            for (const QRect& other : others)
                EXPECT_FALSE(clock.intersects(other)) << c.windowSize << " " << c.fullWidth << " clock at "
                                                      << clock.x() << "," << clock.y() << " meets " << other.x()
                                                      << "," << other.y();
        }
    }
}

// The account and tournament pictures overlap nothing at any window size, and their pictures grow
// with the window instead of staying at their drawn size.
TEST(MenuPictures, StandClearAndGrowAtAnySize) {
    test::TestApplication();
    struct Case {
        int windowSize, fullWidth, fullHeight;
    };
    const Case cases[] = {{1, 0, 0},       {3, 0, 0},       {4, 0, 0},       {5, 0, 0},
                          {2, 1600, 1200}, {2, 1920, 1080}, {2, 1280, 1024}, {2, 2560, 1440}};
    for (const Case& c : cases) {
        const Scale scale = Scale::ForWindowSize(c.windowSize, c.fullWidth, c.fullHeight);
        QImage cloth(scale.clientWidth, scale.clientHeight, QImage::Format_RGB32);
        MenuScreen menu;
        menu.Arrange(scale, cloth, MenuLook());
        const QRect window(0, 0, scale.clientWidth, scale.clientHeight);
        std::vector<QRect> others = {Area(menu.CalendarLeft()), Area(menu.CalendarRight()),
                                     Area(menu.TitlePart())};
        if (MenuClocksShown(scale)) {
            others.push_back(Area(menu.ClockPart()));
            others.push_back(Area(menu.InfoPart()));
        }
        for (int b = 0; b <= static_cast<int>(MenuButton::Exit); ++b)
            others.push_back(menu.Button(static_cast<MenuButton>(b))->geometry());
        for (int k = 0; k <= static_cast<int>(MenuLink::GooglePlay); ++k)
            others.push_back(menu.Link(static_cast<MenuLink>(k))->geometry());
        const QPushButton* account = menu.AccountPicture();
        const QPushButton* tournament = menu.TournamentPicture();
        EXPECT_FALSE(account->geometry().intersects(tournament->geometry())) << c.windowSize << " " << c.fullWidth;
        for (const QPushButton* picture : {account, tournament}) {
            const QRect at = picture->geometry();
            EXPECT_TRUE(window.contains(at)) << c.windowSize << " " << c.fullWidth;
            for (const QRect& other : others)
                EXPECT_FALSE(at.intersects(other)) << c.windowSize << " " << c.fullWidth << " picture at " << at.x()
                                                   << "," << at.y() << " meets " << other.x() << "," << other.y();
            EXPECT_EQ(picture->icon().pixmap(picture->iconSize()).size(), at.size()) << c.windowSize;
        }
    }
}

// Where the window is too small for the shelf, the sirens stand at its bottom, clear of every
// button, and stay where they are however often the checks raise or lower them.
TEST(MenuSirens, SmallSizesKeepThemInsideAndInPlace) {
    test::TestApplication();
    for (int size : {1, 3}) {
        const Scale scale = Scale::ForWindowSize(size);
        ASSERT_FALSE(MenuClocksShown(scale)) << size;
        QImage cloth(scale.clientWidth, scale.clientHeight, QImage::Format_RGB32);
        MenuScreen menu;
        menu.Arrange(scale, cloth, MenuLook());
        menu.SetWaiting(true, true);
        const Rect news = menu.NewsPart(), chat = menu.ChatPart();
        for (int again = 0; again < 3; ++again) menu.SetWaiting(true, true);
        EXPECT_EQ(menu.NewsPart(), news) << size;
        EXPECT_EQ(menu.ChatPart(), chat) << size;
        const QRect window(0, 0, scale.clientWidth, scale.clientHeight);
        for (const QRect siren : {Area(news), Area(chat)}) {
            EXPECT_TRUE(window.contains(siren)) << size;
            for (int b = 0; b <= static_cast<int>(MenuButton::Exit); ++b)
                EXPECT_FALSE(siren.intersects(menu.Button(static_cast<MenuButton>(b))->geometry())) << size << " " << b;
        }
        menu.SetWaiting(false, false);
        EXPECT_EQ(menu.NewsPart(), Rect{}) << size; // nothing waits: nothing shown, nothing to click
    }
}

// The club rows stand in the columns of the header line above them, and a member's name may use
// the room its row button has, which grows with the window.
TEST(ClubRows, CellsFollowTheHeaderAndTheButton) {
    test::TestApplication();
    struct Row {
        const char* caption;
        bool member;
        const char *name, *games, *score;
    };
    const Row rows[] = {{"Anna                  29  -110", true, "Anna", "29", "-110"},
                        {"Maximilian Ale...      5   3.25", true, "Maximilian Ale...", "5", "3.25"},
                        {"Jo Ann   0  0", true, "Jo Ann", "0", "0"},
                        {"####################", false, "", "", ""}};
    for (const Row& r : rows) {
        const std::optional<ClubRowCells> cells = SplitClubRow(QString::fromUtf8(r.caption));
        ASSERT_EQ(cells.has_value(), r.member) << r.caption;
        if (!cells) continue;
        EXPECT_EQ(cells->name, QString::fromUtf8(r.name));
        EXPECT_EQ(cells->games, QString::fromUtf8(r.games));
        EXPECT_EQ(cells->score, QString::fromUtf8(r.score));
    }

    const QString header = QStringLiteral(" The members of club    Games    Score ");
    const QFont font(QStringLiteral("DejaVu Sans"), 12);
    const ClubColumns columns = LayOutClubHeader(header, font, 400);
    ASSERT_TRUE(columns.valid);
    const QFontMetrics metrics(font);
    const int gamesStart = columns.left + metrics.horizontalAdvance(header.left(header.indexOf(QStringLiteral("Games"))));
    EXPECT_EQ(columns.gamesLeft, gamesStart);
    EXPECT_EQ(columns.centres[1], gamesStart + metrics.horizontalAdvance(QStringLiteral("Games")) / 2);
    EXPECT_LT(columns.centres[0], columns.centres[1]);
    EXPECT_LT(columns.centres[1], columns.centres[2]);
    EXPECT_FALSE(LayOutClubHeader(QStringLiteral("Mode"), font, 400).valid);

    // The same long name measures alike, in units of the caption limit, at the smallest and the
    // largest window, though the font and the button grow.
    const std::string caption = "Maximilian Alexander  5     3";
    std::vector<int> widths;
    for (int size : {1, 5}) {
        const Scale scale = Scale::ForWindowSize(size);
        QImage cloth(scale.clientWidth, scale.clientHeight, QImage::Format_RGB32);
        MenuScreen menu;
        menu.Arrange(scale, cloth, MenuLook());
        widths.push_back(menu.ClubMeasure(header).TextWidth(CaptionFont::ClubList, caption));
    }
    EXPECT_NEAR(widths[0], widths[1], widths[0] / 5) << widths[0] << " " << widths[1];
}

} // namespace
} // namespace tarvo
