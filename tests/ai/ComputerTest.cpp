#include "ai/Computer.h"
#include "tests/ai/Fixture.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

// Seat 1 attacks seat 2, seat 3 is the third seat. The case's hand belongs to the acting seat:
// seat 2 for a beat, seat 3 for the third seat, seat 1 otherwise.
struct ThreePlayerCase {
    const char* what;
    int och;
    MoveKind kind;
    bool isThird;
    const char* hand;
    const char* table;
    const char* expected; // "##" for a pass or take
};

const ThreePlayerCase ThreePlayerCases[] = {
    {"a pair of eights goes before a single six", 20, Lead, false, "6ч 8к 8б 1ч Дп", "", "8к"},
    {"a hand of trumps leads its lowest trump", 20, Lead, false, "Тп 7п 9п", "", "7п"},
    {"equal counts lead the lower rank", 20, Lead, false, "7к 7б 6ч 6б", "", "6ч"},
    {"no small non-trump: the lowest non-trump, not a trump", 20, Lead, false, "9п Вч 9к", "", "9к"},
    {"a second small rank only counts up to the eight", 20, Lead, false, "6ч 9к 9б", "", "6ч"},

    {"early: a nine matching the table is thrown in", 20, ThrowIn, false, "9б Дк", "9ч 1ч", "9б"},
    {"early: a queen matching nothing is never considered", 20, ThrowIn, false, "Дб Дк", "9ч 1ч", "##"},
    {"early: a king needs two small non-trumps on the table", 20, ThrowIn, false, "Кб", "Кк Тк", "##"},
    {"early: with 6 and 7 of hearts on the table the king goes", 20, ThrowIn, false, "Кб", "Кк Тк 6ч 7ч",
     "Кб"},
    {"early: a jack needs a non-trump jack, queen or king", 20, ThrowIn, false, "Вб", "7ч Вп", "##"},
    {"early: a non-trump jack on the table lets the jack go", 20, ThrowIn, false, "Вб", "Вк Тк", "Вб"},
    {"early: a small trump after four small non-trumps", 20, ThrowIn, false, "8п Тб", "6ч 9ч 7к 8к", "8п"},
    {"early: three small non-trumps keep the trump", 20, ThrowIn, false, "8п Тб", "6ч 9ч 8к Вк", "##"},
    {"late: the attacker keeps a small trump", 33, ThrowIn, false, "7п Тб", "7ч 9ч", "##"},
    {"late: the third seat throws the small trump in", 33, ThrowIn, true, "7п Тб", "7ч 9ч", "7п"},
    {"late: the third seat keeps the ten of trumps", 37, ThrowIn, true, "1п", "1ч Вч", "##"},
    {"late: an ace matching the table goes", 33, ThrowIn, false, "Тб", "Кк Тк", "Тб"},

    {"early: the ten of trumps as only beating card takes", 20, Beat, false, "1п 6ч", "9к", "##"},
    {"late: the ten of trumps beats", 33, Beat, false, "1п 6ч", "9к", "1п"},
    {"early: a non-trump beats", 20, Beat, false, "Вк 6п", "9к", "Вк"},
    {"early: a small trump takes against high cards only", 20, Beat, false, "7п", "Вк", "##"},
    {"early: a small trump beats a small card", 20, Beat, false, "7п", "9к", "7п"},
    {"a trump attack without a higher trump is taken", 33, Beat, false, "6п 9ч 9б", "9п", "##"},

    {"a ten is added to a taker", 20, Add, false, "1б", "1ч", "1б"},
    {"a seven is added to a taker", 20, Add, false, "7б Дч", "7ч", "7б"},
    {"a queen is never added", 20, Add, false, "Дб 6к", "Дч", "##"},
    {"a trump is never added", 20, Add, false, "7п", "7ч", "##"},
};

class ThreePlayer : public ::testing::TestWithParam<ThreePlayerCase> {};

TEST_P(ThreePlayer, ChoosesAsTheRulesSay) {
    const ThreePlayerCase& c = GetParam();
    int seat = c.kind == Beat ? 2 : c.isThird ? 3 : 1;
    Position p("п", c.och);
    p.Hand(1, "6ч 6б 6к 7ч 7б 7к").Hand(2, "6ч 6б 6к 7ч 7б 7к").Hand(3, "6ч 6б 6к 7ч 7б 7к");
    p.Hand(seat, c.hand).Table(c.table);
    NullView view;
    MoveChoice move = ComputerMove(p.g, view, c.kind, seat, c.isThird);
    std::string chosen = move.pass ? "##" : p.At(seat, move.slot).Utf8();
    EXPECT_EQ(chosen, c.expected) << c.what;
    EXPECT_EQ(move.pass, move.slot == 0);
}

INSTANTIATE_TEST_SUITE_P(Cases, ThreePlayer, ::testing::ValuesIn(ThreePlayerCases));

struct BeatingCase {
    const char* what;
    const char* trump;
    const char* hand;
    const char* table; // the last card is the one to beat
    const char* expected;
};

const BeatingCase BeatingCases[] = {
    {"the run 8 9 ends on the nine that is on the table", "ч", "8п 9п Вп", "7б 9б 7п", "9п"},
    {"no rank of the run on the table: the base", "ч", "8п 9п Вп", "7б Вб 7п", "8п"},
    {"the lowest same-suit card when it is on the table", "ч", "8п 9п", "8б 9б 7п", "8п"},
    {"six of trumps gives way to the eight on the table", "п", "6п 8п 1п Вк", "8б 9б 7ч", "8п"},
    {"six of trumps gives way to the nine on the table", "п", "6п 9п", "9б 1б 7ч", "9п"},
    {"seven of trumps gives way to the nine on the table", "п", "7п 9п", "9б 1б 8ч", "9п"},
    {"a six on the table keeps the six of trumps", "п", "6п 8п", "8б 9б 6ч", "6п"},
    {"a trump run picks its card on the table", "п", "6п 7п 8п", "8б 9б 7ч", "7п"},
    {"nothing beats a trump without a higher trump", "п", "6п 9ч 9б 9к", "9п", "##"},
    {"no card of the suit and no trump", "п", "6ч 9б", "7к", "##"},
};

TEST(ChooseBeatingCard, RunRuleAndTrumpReplacements) {
    for (const BeatingCase& c : BeatingCases) {
        Position p(c.trump);
        p.Hand(2, c.hand).Table(c.table);
        int slot = ChooseBeatingCard(p.g, 2);
        EXPECT_EQ(slot ? p.At(2, slot).Utf8() : "##", c.expected) << c.what;
    }
}

TEST(ComputerMove, AceOfTrumpsBeatsOnlyWhenFewCardsAreLeft) {
    // Five cards in the talon; the ace beats when the talon and seat 3's hand hold at most six.
    for (auto [seat3, expected] : {std::pair{"6ч", "Тп"}, std::pair{"6ч 6б", "##"}}) {
        Position p("п", 32);
        p.Hand(1, "6ч 6б 6к 7ч 7б 7к").Hand(2, "Тп 6ч").Hand(3, seat3).Table("9к");
        NullView view;
        MoveChoice move = ComputerMove(p.g, view, Beat, 2, false);
        EXPECT_EQ(move.pass ? "##" : p.At(2, move.slot).Utf8(), expected) << "seat 3 holds " << seat3;
    }
    Position many("п", 32);
    many.Hand(1, "6ч 6б 6к 7ч 7б 7к").Hand(2, "Тп 6ч 7ч 8ч").Hand(3, "6ч").Table("9к");
    NullView view;
    EXPECT_TRUE(ComputerMove(many.g, view, Beat, 2, false).pass) << "four cards in hand";
}

TEST(FinalGuard, BlockedAttacksPass) {
    NullView view;
    // The bout limit is reached.
    Position limit("п");
    limit.Hand(1, "7б 8б").Hand(2, "6ч 6б 6к 7ч").Table("7ч 8ч 7к 9к 8к 1к");
    limit.g.BoutLimit = 5;
    limit.g.KolHods = 5;
    EXPECT_TRUE(ComputerMove(limit.g, view, ThrowIn, 1, false).pass);
    limit.g.BoutLimit = 6;
    EXPECT_FALSE(ComputerMove(limit.g, view, ThrowIn, 1, false).pass);

    // A taker holding as many cards as lie unbeaten before him.
    Position taker("п");
    taker.Hand(1, "7б 7к").Hand(2, "6ч 6б").Table("7ч 7п");
    taker.g.KolHods = 2;
    taker.g.KolFree = 2;
    EXPECT_TRUE(ComputerMove(taker.g, view, Add, 1, false).pass);
    taker.Hand(2, "6ч 6б 6к");
    EXPECT_FALSE(ComputerMove(taker.g, view, Add, 1, false).pass);

    // A defender without cards.
    Position empty("п", 37);
    empty.Hand(1, "7б").Hand(2, "").Table("7ч 8ч");
    EXPECT_TRUE(ComputerMove(empty.g, view, ThrowIn, 1, false).pass);
}

TEST(FinalGuard, TwoPlayerDefenderOfEachPair) {
    // attacker, pair, defender; the simulator's seat 3 attacks too.
    const std::array<std::array<int, 3>, 6> pairs{
        {{1, 1, 2}, {1, 3, 3}, {2, 1, 1}, {2, 2, 3}, {3, 2, 2}, {3, 3, 1}}};
    for (auto [attacker, pair, defender] : pairs) {
        for (int defenderCards : {2, 3}) {
            // Too many cards to search: the add falls back to the lowest matching non-trump.
            Position p("ч");
            p.Duel(pair).Attacker(attacker);
            p.Hand(attacker, "7п 9б 9к 9п 1б 1к 1п Вб Вк Вп");
            p.Hand(defender, defenderCards == 2 ? "6ч 6б" : "6ч 6б 6к");
            p.Table("7б 7к");
            p.g.KolHods = 2;
            p.g.KolFree = 2;
            p.g.DuelPhase = 4;
            NullView view;
            MoveChoice move = ComputerMove(p.g, view, Add, attacker, false);
            EXPECT_EQ(move.pass, defenderCards == 2) << "attacker " << attacker << " pair " << pair;
        }
    }
}

TEST(FinalGuard, CardsThatDoNotFitBecomePasses) {
    Position p("п");
    p.Hand(1, "7б Кб").Hand(2, "6ч 9ч 6п").Table("7ч 8ч");
    EXPECT_EQ(FinalGuard(p.g, ThrowIn, 1, PlaySlot(1)), PlaySlot(1));
    EXPECT_EQ(FinalGuard(p.g, ThrowIn, 1, PlaySlot(2)), PassChoice) << "a king matches nothing";
    EXPECT_EQ(FinalGuard(p.g, ThrowIn, 1, PlaySlot(5)), PassChoice) << "an empty slot";
    EXPECT_EQ(FinalGuard(p.g, ThrowIn, 1, PlaySlot(99)), PassChoice) << "no such slot";
    EXPECT_EQ(FinalGuard(p.g, Add, 1, PlaySlot(2)), PassChoice);

    Position beat("п");
    beat.Hand(2, "6ч 9ч 6п").Table("8ч");
    EXPECT_EQ(FinalGuard(beat.g, Beat, 2, PlaySlot(1)), PassChoice) << "too low";
    EXPECT_EQ(FinalGuard(beat.g, Beat, 2, PlaySlot(2)), PlaySlot(2));
    EXPECT_EQ(FinalGuard(beat.g, Beat, 2, PlaySlot(3)), PlaySlot(3)) << "any trump beats a non-trump";
    EXPECT_EQ(FinalGuard(beat.g, Beat, 2, PlaySlot(0)), PassChoice);
}

} // namespace
