// The main menu's calendar sheets: the left one stays, the right one turns through the rest, and
// each tells its own hint where the player points; the clocks beside them cover nothing.
#include <gtest/gtest.h>

#include <QApplication>

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

} // namespace
} // namespace tarvo
