#include <gtest/gtest.h>

#include "table/FlightPath.h"
#include "table/Geometry.h"

using namespace tarvo;

TEST(Geometry, SeatThreeHandAtWindowSizeThree) {
    Layout L = Layout::For(Scale::ForWindowSize(3), 92, 125);
    EXPECT_EQ(L.scale.clientWidth, 990);
    EXPECT_EQ(L.scale.clientHeight, 650);
    EXPECT_EQ(L.hands[2].left, 143);
    EXPECT_EQ(L.hands[2].top, 514); // Round(513.5) goes to the even neighbour
    EXPECT_EQ(L.hands[2].width, 702);
    EXPECT_EQ(L.hands[2].height, 125);
}

TEST(Geometry, FullScreenKeepsPartsCentredOnTheirStretchedPlace) {
    Scale s = Scale::ForWindowSize(2, 1920, 1080);
    EXPECT_NEAR(s.Sx, 2.526315, 1e-6);
    EXPECT_DOUBLE_EQ(s.Sy, 2.16);
    EXPECT_DOUBLE_EQ(s.S, 2.16);
    Layout L = Layout::For(s, 146, 198);
    EXPECT_EQ(L.table.left, RoundEven(s.Sx * 135) + RoundEven((s.Sx - 2.16) * 477 / 2));
    EXPECT_EQ(L.table.left, 341 + 87);
}

TEST(Geometry, ArrangeHand) {
    // Six cards of width 71 overlap in the 290-wide seat-1 strip.
    std::vector<int> six = ArrangeHand(0, 290, 6, 71);
    ASSERT_EQ(six.size(), 6u);
    EXPECT_EQ(six[1] - six[0], 43);
    EXPECT_EQ(six[5], 215);
    std::vector<int> one = ArrangeHand(0, 290, 1, 71);
    EXPECT_EQ(one, std::vector<int>{108}); // centred: 145 - 37
    EXPECT_TRUE(ArrangeHand(0, 290, 0, 71).empty());
    std::vector<int> three = ArrangeHand(0, 540, 3, 69);
    EXPECT_EQ(three, (std::vector<int>{162, 234, 306}));
}

TEST(Geometry, TalonAndTable) {
    EXPECT_EQ(TalonBackTops(18), (std::vector<int>{45, 42, 39, 36, 33, 30}));
    EXPECT_EQ(TalonBackTops(4).size(), 2u);
    EXPECT_EQ(TalonBackTops(2), std::vector<int>{45});
    EXPECT_TRUE(TalonBackTops(1).empty()); // only the trump itself
    EXPECT_TRUE(TalonBackTops(0).empty());
    Layout L = Layout::For(Scale::ForWindowSize(1), 71, 96);
    auto lastDefence = L.TableCardPlace(12);
    EXPECT_EQ(lastDefence[0] - L.table.left + 71, 471); // pair 6 ends inside the 477-wide table
    EXPECT_EQ(L.TableCardPlace(1), (std::array<int, 2>{135, 210}));
}

// A move timer must stay in sight: clear of the cards on the table, the hands, the bubbles, the
// talon, the game counter and the chat line, and of the turn pointer when it lies on its plate.
TEST(Geometry, MoveTimersLieClearOfTheOtherParts) {
    const auto meet = [](const Rect& a, const Rect& b) {
        return a.left < b.Right() && b.left < a.Right() && a.top < b.Bottom() && b.top < a.Bottom();
    };
    for (const Scale& s : {Scale::ForWindowSize(1), Scale::ForWindowSize(3), Scale::ForWindowSize(5),
                           Scale::ForWindowSize(2, 1920, 1080)}) {
        const Layout L = Layout::For(s, s.Scaled(71), s.Scaled(96));
        for (std::size_t seat = 0; seat < 3; ++seat) {
            const Rect& t = L.timers[seat];
            SCOPED_TRACE(testing::Message() << "seat " << seat + 1 << ", client width " << s.clientWidth);
            EXPECT_TRUE(t.left >= 0 && t.top >= 0 && t.Right() <= s.clientWidth && t.Bottom() <= s.clientHeight);
            for (const Rect& other : {L.table, L.talon, L.counter, L.chatEdit, L.chatSend, L.hands[0], L.hands[1],
                                      L.hands[2], L.bubbles[0], L.bubbles[1], L.bubbles[2]})
                EXPECT_FALSE(meet(t, other));
            for (std::size_t p = 0; p < 3; ++p) {
                const Rect pointer{L.plates[p].left + s.Scaled(55), L.plates[p].top + s.Scaled(25), s.Scaled(20),
                                   s.Scaled(30)};
                EXPECT_FALSE(meet(t, pointer));
                EXPECT_TRUE(p == seat || !meet(t, L.plates[p]));
            }
        }
    }
}

TEST(Geometry, MessageWindowWidth) {
    EXPECT_EQ(MessageWindowWidth(100), 400);
    EXPECT_EQ(MessageWindowWidth(320), 429);
}

TEST(Flight, PathsAndSpeeds) {
    auto diagonal = FlightFrames({100, 400}, {300, 200}, 1);
    ASSERT_EQ(diagonal.size(), 200u);
    EXPECT_EQ(diagonal[0], (Point{101, 399}));
    EXPECT_EQ(diagonal.back(), (Point{300, 200}));
    EXPECT_EQ(FlightFrames({100, 400}, {300, 200}, 6).size(), 100u);

    auto steep = FlightFrames({100, 100}, {110, 300}, 1);
    EXPECT_EQ(steep[89], (Point{104, 190})); // Round(104.5) goes to the even 104
    EXPECT_EQ(steep[90], (Point{105, 191}));
    EXPECT_TRUE(FlightFrames({5, 5}, {5, 5}, 3).empty());
}

TEST(Flight, PacerCarriesItsCycleAcrossFlights) {
    FlightPacer pacer;
    std::vector<int> pauses;
    for (int frame = 1; frame <= 5; ++frame) pauses.push_back(pacer.PauseAfterFrame(3));
    EXPECT_EQ(pauses, (std::vector<int>{0, 1, 0, 1, 0}));
    EXPECT_EQ(pacer.PauseAfterFrame(3), 1); // the next flight continues the count
    EXPECT_EQ(FlightPacer().PauseAfterFrame(1), 2);
    EXPECT_EQ(FlightPacer().PauseAfterFrame(6), 0);
}
