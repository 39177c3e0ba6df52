#include <gtest/gtest.h>

#include "core/Card.h"

using namespace tarvo;

TEST(Card, NumbersRunSixOfHeartsToAceOfSpades) {
    EXPECT_EQ(CardFromNumber(1).Utf8(), "6ч");
    EXPECT_EQ(CardFromNumber(36).Utf8(), "Тп");
}
