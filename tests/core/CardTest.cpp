#include <gtest/gtest.h>

#include "TestSupport.h"
#include "core/Codec.h"
#include "core/Queries.h"

using namespace tarvo;
using tarvo::test::Card;

namespace {

struct Hand {
    TCards_I1x36 I;
    TCards_J1x36 J;
    TCards_J1x36 aux;
    int count = 0;
};

Hand MakeHand(const std::vector<std::string>& codes) {
    Hand h;
    h.I.Fill(NoCard);
    h.J.Fill(EmptyRank);
    h.aux.Fill(EmptyRank);
    for (const auto& code : codes) {
        ++h.count;
        h.I[h.count] = Card(code);
        h.J[h.count] = RankOf(h.I[h.count]);
        h.aux[h.count] = static_cast<Byte>(h.count);
    }
    return h;
}

std::string Codes(const Hand& h) {
    std::string out;
    for (int i = 1; i <= h.count; ++i) out += (i > 1 ? " " : "") + h.I[i].Utf8();
    return out;
}

} // namespace

TEST(Card, NumberingAndCodes) {
    EXPECT_EQ(CardFromNumber(1).Utf8(), "6ч");
    EXPECT_EQ(CardFromNumber(2).Utf8(), "6б");
    EXPECT_EQ(CardFromNumber(5).Utf8(), "7ч");
    EXPECT_EQ(CardFromNumber(36).Utf8(), "Тп");
    EXPECT_EQ(Card("1ч"), (TStr2{'1', cp::Che})); // the ten is written "1"
    EXPECT_EQ(RankOf(Card("1ч")), 5);
    for (int n = 1; n <= DeckSize; ++n) {
        TStr2 card = CardFromNumber(n);
        EXPECT_EQ(CardNumber(card), n);
        EXPECT_EQ(TStr2::FromUtf8(card.Utf8()), card);
    }
    EXPECT_EQ(TStr2::FromUtf8("##"), NoCard);
    for (const char* bad : {"", "10ч", "6x", "Вч6", "\xC2"}) EXPECT_FALSE(TStr2::FromUtf8(bad)) << bad;
}

TEST(Card, CodecKeepsWindows1251AtTheEdge) {
    EXPECT_EQ(Cp1251ToUtf8("\xC4\xE0\xEC\xE0 \xEF\xE8\xEA"), "Дама пик");
    EXPECT_EQ(Utf8ToCp1251("Дама пик"), "\xC4\xE0\xEC\xE0 \xEF\xE8\xEA");
    EXPECT_EQ(Utf8ToCp1251("Can`t 中"), "Can`t ?");
}

TEST(HandSort, NonTrumpsByRankThenTrumpsKeepingTies) {
    struct Case {
        std::vector<std::string> hand;
        std::string sorted;
    };
    const Case cases[] = {
        {{"Тп", "6ч", "Дп", "6б", "Кк", "6п"}, "6ч 6б Кк 6п Дп Тп"},
        {{"Тп", "7п", "Вп"}, "7п Вп Тп"}, // trumps only
        {{"Кч", "7б", "Вк"}, "7б Вк Кч"}, // no trumps
        {{"9б", "9ч", "9к"}, "9б 9ч 9к"}, // equal ranks keep their order
        {{}, ""},
    };
    for (const auto& c : cases) {
        Hand h = MakeHand(c.hand);
        int count = SortHand(h.I, h.J, h.aux, cp::Pe);
        EXPECT_EQ(count, h.count);
        EXPECT_EQ(Codes(h), c.sorted);
        for (int i = count + 1; i <= 64; ++i) {
            EXPECT_EQ(h.I[i], NoCard);
            EXPECT_EQ(h.J[i], EmptyRank);
        }
        for (int i = count + 1; i <= DeckSize; ++i) EXPECT_EQ(h.aux[i], 0);
        for (int i = DeckSize + 1; i <= 64; ++i) EXPECT_EQ(h.aux[i], EmptyRank) << i;
    }
    Hand h = MakeHand({"Тп", "6ч"});
    SortHand(h.I, h.J, h.aux, cp::Pe);
    EXPECT_EQ(h.aux[1], 2); // the auxiliary byte travels with its card
    EXPECT_EQ(h.aux[2], 1);
}

TEST(Queries, HandScansByRankThenSlot) {
    Hand h = MakeHand({"8ч", "6п", "8б", "Дк", "7п", "8к"});
    const char trump = cp::Pe;
    EXPECT_EQ(LowestOfOtherSuits(h.I, h.J, trump), 1); // 8ч: lowest rank, first slot
    EXPECT_EQ(LowestOfSuit(h.I, h.J, trump), 2);
    EXPECT_EQ(SecondLowestOfSuit(h.I, h.J, trump), 5);
    EXPECT_EQ(LowestTrumpCode(h.I, h.J, trump), Card("6п"));
    EXPECT_EQ(CountNonTrumpsInSet(h.I, h.J, trump, RankSet::Of({3})), 3);
    EXPECT_EQ(LowestNonTrumpInSet(h.I, h.J, trump, RankSet::Of({3, 7})), 1);
    EXPECT_EQ(LowestTrumpInSet(h.I, h.J, trump, RankSet::Of({2, 3})), 5);
    EXPECT_EQ(HighestInSet(h.I, h.J, trump, RankSet::Of({3})), 6); // 8к, the last eight
    EXPECT_EQ(HighestInSet(h.I, h.J, trump, RankSet::Of({1})), 2); // only a trump six: falls back
    EXPECT_EQ(CountInSet(h.I, h.J, RankSet::Of({1, 2, 3})), 5);
    EXPECT_EQ(RanksInHand(h.I, h.J), RankSet::Of({1, 2, 3, 7}));
    EXPECT_EQ(RanksOfSuitInHand(h.I, h.J, trump), RankSet::Of({1, 2}));
    EXPECT_TRUE(HasCard(h.I, Card("Дк")));
    EXPECT_EQ(SlotOfCard(h.I, Card("Тк")), 0);

    Hand trumps = MakeHand({"6п", "Тп"});
    EXPECT_EQ(LowestOfOtherSuits(trumps.I, trumps.J, trump), 0);
    EXPECT_FALSE(HasNonTrump(trumps.I, trump));
    EXPECT_TRUE(HasNonTrump(h.I, trump));
}

TEST(Queries, Table) {
    TCards_I1x12 I;
    TCards_J1x12 J;
    I.Fill(NoCard);
    J.Fill(EmptyRank);
    auto put = [&](int slot, const char* code) {
        I[slot] = Card(code);
        J[slot] = RankOf(I[slot]);
    };
    EXPECT_TRUE(OnlyHighNonTrumpsOnTable(I, J, cp::Pe)); // nothing on the table at all
    put(1, "Кк");
    put(2, "6п");
    EXPECT_TRUE(OnlyHighNonTrumpsOnTable(I, J, cp::Pe));
    put(3, "9ч");
    EXPECT_FALSE(OnlyHighNonTrumpsOnTable(I, J, cp::Pe));
    EXPECT_EQ(RanksOnTable(I, J), RankSet::Of({8, 1, 4}));
    EXPECT_EQ(NonTrumpRanksOnTable(I, J, cp::Pe), RankSet::Of({8, 4}));
    EXPECT_EQ(CountNonTrumpsInSet(I, J, cp::Pe, RankSet::Of({1, 2, 3, 4})), 1);
}
