#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/Deck.h"
#include "core/Invariants.h"
#include "core/Round.h"

using namespace tarvo;

// A broken talon index is reported as such and nothing else: the checker neither reads the deck
// outside its bounds nor blames the talon's cards for being missing.
TEST(Invariants, OchOutOfRangeIsReportedNotFollowed) {
    for (int och : {0, 40}) {
        GameState g;
        NullView view;
        DealDeck(g, view, ShuffleDeck(5), false);
        ASSERT_TRUE(CheckInvariants(g).empty());
        g.Och = static_cast<Byte>(och);
        EXPECT_EQ(CheckInvariants(g), std::vector<std::string>{"Och out of range"}) << och;
    }
}
