#include "ai/Endgame.h"
#include "ai/Computer.h"
#include "tests/ai/Fixture.h"
#include "tests/ai/Oracle.h"

using namespace tarvo;
using namespace tarvo::test;

namespace {

struct ClosedFormCase {
    const char* own;
    const char* opponent;
    const char* card;
    int worst;
    int best;
};

TEST(BestLeadTwoTwo, Cases) {
    const ClosedFormCase cases[] = {
        {"9ч 9к", "1ч Вк", "9ч", 4, 4}, // a pair the opponent beats both ways: a draw
        {"9ч 9к", "1ч 6к", "9ч", 6, 6}, // a pair he cannot beat both of
        {"Тк 6ч", "7ч 8ч", "Тк", 6, 6}, // A1 cannot be beaten, even though A2 is smaller
        {"6ч Тк", "7ч 8ч", "Тк", 6, 6}, // A2 cannot be beaten
        {"7ч 9к", "9ч 1к", "7ч", 4, 4}, // after 9ч the nine is thrown in; 1к beats it
        {"7ч 9к", "9ч Тп", "7ч", 2, 4}, // equal worst values: the better best value
        {"7ч 8к", "9ч 9к", "8к", 2, 2}, // everything equal: A2
    };
    for (const ClosedFormCase& c : cases) {
        auto own = Cards(c.own), opp = Cards(c.opponent);
        LeadForecast f = BestLeadTwoTwo(own[0], own[1], opp[0], opp[1], Suit("п"));
        EXPECT_EQ(f.card.Utf8(), c.card) << c.own << " against " << c.opponent;
        EXPECT_EQ(f.worst, c.worst) << c.own << " against " << c.opponent;
        EXPECT_EQ(f.best, c.best) << c.own << " against " << c.opponent;
    }
}

TEST(BestLeadThreeOne, Cases) {
    const ClosedFormCase cases[] = {
        {"6ч 7б 8к", "Тп", "6ч", 2, 2}, // the ace of trumps beats everything: the first card, a loss
        {"7ч 7б 8к", "9к", "7б", 6, 6}, // two safe cards of equal value: the later one
        {"7к 8к Тч", "9к", "Тч", 2, 2}, // the only safe card
    };
    for (const ClosedFormCase& c : cases) {
        auto own = Cards(c.own);
        LeadForecast f = BestLeadThreeOne(own[0], own[1], own[2], Card(c.opponent), Suit("п"));
        EXPECT_EQ(f.card.Utf8(), c.card) << c.own << " against " << c.opponent;
        EXPECT_EQ(f.worst, c.worst) << c.own << " against " << c.opponent;
        EXPECT_EQ(f.best, c.best) << c.own << " against " << c.opponent;
    }
}

// A two-player position of seats 1 (acting) and 2; seat 1 attacks unless it beats.
Position Duel(const std::string& trump, const std::string& own, const std::string& opponent,
              const std::string& table = "", MoveKind kind = Lead) {
    Position p(trump);
    p.Duel(1).Attacker(kind == Beat ? 2 : 1);
    p.Hand(1, own).Hand(2, opponent).Table(table);
    p.g.DuelPhase = static_cast<Byte>(kind == Lead ? 1 : kind == ThrowIn ? 2 : kind == Beat ? 3 : 4);
    return p;
}

std::string Decide(const Position& p, MoveKind kind, TableView& view) {
    MoveChoice move = ComputerMove(p.g, view, kind, 1, false, SearchOptions::Headless());
    return move.pass ? "##" : p.At(1, move.slot).Utf8();
}

TEST(EndgameMove, ClosedFormsComeBeforeTheSearch) {
    RecordingView view;
    EXPECT_EQ(Decide(Duel("п", "9ч 9к", "1ч Вк"), Lead, view), "9ч");
    EXPECT_EQ(Decide(Duel("п", "6ч 7б 8к", "Тп"), Lead, view), "6ч");
    EXPECT_TRUE(view.cursor.empty());
    EXPECT_TRUE(view.progress.empty());
}

TEST(EndgameMove, LeadWithTooManyCardsToSearch) {
    struct Case {
        const char* own;
        const char* opponent;
        const char* expected;
    };
    const Case cases[] = {
        // Every rank held is also held in trumps, and the second-lowest trump is above his trumps.
        {"7п 9п Тп 7ч", "8п 6ч 6б 6к 7б 7к 8ч 8б 8к", "9п"},
        // One rank held only in non-trumps, and the lowest trump is above his (he has none).
        {"6п Тп 7ч", "6ч 6б 6к 8ч 8б 8к 9ч 9б 9к 1ч", "6п"},
        // The same hand against the king of trumps: a small non-trump.
        {"6п Тп 7ч", "Кп 6б 6к 8ч 8б 8к 9ч 9б 9к 1ч", "7ч"},
        // Ranks up to the queen count: two queens go before one jack.
        {"Вч Дк Дб Тк 7п", "6ч 6б 6к 8ч 8б 8к 9ч Тп", "Дк"},
    };
    for (const Case& c : cases) {
        RecordingView view;
        EXPECT_EQ(Decide(Duel("п", c.own, c.opponent), Lead, view), c.expected) << c.own;
        EXPECT_TRUE(view.progress.empty()) << "13 cards or more are never searched";
        EXPECT_TRUE(view.cursor.empty());
    }
}

TEST(EndgameMove, FallbacksWithTooManyCardsToSearch) {
    const std::string opponent = "6ч 6б 6к 8ч 8б 8к 9ч 9б 9к";
    RecordingView view;
    EXPECT_EQ(Decide(Duel("п", "7п 1б Вб", opponent, "7ч Вч", ThrowIn), ThrowIn, view), "Вб");
    EXPECT_EQ(Decide(Duel("п", "7п 1б Тб", opponent, "7ч Вч", ThrowIn), ThrowIn, view), "7п");
    EXPECT_EQ(Decide(Duel("п", "Кп 1б Тб", opponent, "7ч Вч", ThrowIn), ThrowIn, view), "##");
    EXPECT_EQ(Decide(Duel("п", "8п 9п 1б Тб", opponent, "7к 9к 7ч", Beat), Beat, view), "9п");
    EXPECT_EQ(Decide(Duel("п", "7п 1б Кб", opponent, "7ч", Add), Add, view), "##");
    EXPECT_EQ(Decide(Duel("п", "7п 7б Вб", opponent, "7ч", Add), Add, view), "7б");
    EXPECT_TRUE(view.progress.empty());
}

TEST(EndgameMove, SearchShowsProgressAndBusyCursor) {
    // 12 cards in play: searched, with the progress in seat 1's speech box.
    RecordingView view;
    Position p = Duel("п", "6ч 7ч 8ч 9ч 1ч Вч", "6б 7б 8б 9б 1б Вб");
    SearchOptions options;
    options.think = "Думаю... ";
    MoveChoice move = ComputerMove(p.g, view, Lead, 1, false, options);
    EXPECT_FALSE(move.pass);
    ASSERT_FALSE(view.progress.empty());
    EXPECT_EQ(view.progressSeat, 1);
    EXPECT_EQ(view.progress.front(), "Думаю... 1/6 (0 sec.)");
    EXPECT_EQ(view.cursor, (std::vector<bool>{true, false}));
    ASSERT_EQ(view.bubbles.size(), 2u);
    EXPECT_EQ(view.bubbles.front(), std::pair(1, Bubble::Blank));
    EXPECT_EQ(view.bubbles.back(), std::pair(1, Bubble::Name));
}

// The root of the search on a position, in both forms.
struct Searched {
    SearchOutcome fast, literal;
    std::vector<std::string> progress;
};

Searched Search(const Position& p, MoveKind kind) {
    Searched result;
    for (bool literal : {false, true}) {
        RecordingView view;
        SearchOptions options;
        StatFool2 s = FillStatFool2(p.g, 1, options.think);
        SearchEnv env(view, 1, s.Think, options.clock, options.limitMs);
        SearchMode mode = kind == Add ? SearchMode::Adding : SearchMode::Normal;
        SearchOutcome out = kind == Beat
                                ? (literal ? oracle::SearchDefend(s, env) : SearchDefend(s, env))
                                : (literal ? oracle::SearchAttack(s, mode, env) : SearchAttack(s, mode, env));
        (literal ? result.literal : result.fast) = out;
        if (!literal) result.progress = view.progress;
    }
    return result;
}

struct RootCase {
    const char* what;
    const char* trump;
    const char* own;
    const char* opponent;
    const char* table;
    MoveKind kind;
    const char* card;
    int value;
    int passValue; // -100: not examined
};

const RootCase RootCases[] = {
    {"equal cards: the lowest slot", "п", "6ч 6б", "Тп", "", Lead, "6ч", -2, -100},
    {"a card equal to passing goes", "п", "6ч 9к", "Кк", "9п Кп", ThrowIn, "9к", -2, -2},
    {"passing strictly better", "п", "1ч Дб", "7ч 1б Вч", "1к Кк", ThrowIn, "##", 2, 2},
    {"beating equal to taking beats", "п", "6к 1п", "Тп", "Тк", Beat, "1п", -2, -2},
    {"taking strictly better", "ч", "Вп 7ч", "7к 1п Кп Вч", "Тб", Beat, "##", 2, 2},
    {"stopping strictly better than adding", "б", "7к Кч 1б", "8ч 8к", "1к", Add, "##", 2, 2},
    {"nothing beats: take at once", "п", "6ч 7ч", "9к", "Тп", Beat, "##", -3, -3},
    {"nothing to throw in: pass at once", "п", "6ч 7ч", "Тк", "8к 9к", ThrowIn, "##", -3, -3},
    {"a winning first card ends the search", "п", "6ч 6б", "7к", "", Lead, "6ч", 2, -100},
};

TEST(Search, RootRules) {
    for (const RootCase& c : RootCases) {
        Searched r = Search(Duel(c.trump, c.own, c.opponent, c.table, c.kind), c.kind);
        for (const SearchOutcome* out : {&r.fast, &r.literal}) {
            const char* form = out == &r.fast ? " (fast)" : " (literal)";
            EXPECT_EQ(out->card.Utf8(), c.card) << c.what << form;
            EXPECT_EQ(out->value, c.value) << c.what << form;
            EXPECT_FALSE(out->aborted);
        }
        EXPECT_EQ(r.fast.passValue, c.passValue) << c.what;
    }
}

TEST(Search, CutOffAndProgress) {
    // The first card wins: the second is not examined, and the progress never reaches n.
    Searched win = Search(Duel("п", "6ч 6б", "7к"), Lead);
    EXPECT_EQ(win.fast.slotValues[2], NotExamined);
    EXPECT_EQ(win.literal.slotValues[2], NotExamined);
    EXPECT_EQ(win.progress, (std::vector<std::string>{"I think... 1/2 (0 sec.)"}));

    // Nothing wins: every option is shown, then k = own count + 1 at the end.
    Searched lose = Search(Duel("п", "6ч 9к", "Кк", "9п Кп", ThrowIn), ThrowIn);
    EXPECT_EQ(lose.progress,
              (std::vector<std::string>{"I think... 2/3 (0 sec.)", "I think... 3/3 (0 sec.)"}));

    // The defender's root counts the take option; with nothing to beat it is not examined.
    Searched take = Search(Duel("п", "6ч 7ч", "9к", "Тп", Beat), Beat);
    EXPECT_EQ(take.fast.nodes, 1u);
    EXPECT_EQ(take.literal.nodes, 1u);
    EXPECT_EQ(take.progress, (std::vector<std::string>{"I think... 3/3 (0 sec.)"}));
}

TEST(Search, TimeLimitEndsTheSearchEarly) {
    // A clock that moves one second at every look: the limit passes at the eleventh look, and
    // every node after it counts as a draw.
    Position p = Duel("к", "6ч 8ч 1ч Дч 7б 9б", "7ч 9ч Вч 6б 8б 1б");
    for (bool literal : {false, true}) {
        RecordingView view;
        std::int64_t now = 0;
        int looks = 0;
        SearchOptions options;
        options.clock = [&] {
            ++looks;
            return now += 1000;
        };
        StatFool2 s = FillStatFool2(p.g, 1, options.think);
        SearchEnv env(view, 1, s.Think, options.clock, options.limitMs);
        SearchOutcome out = literal ? oracle::SearchAttack(s, SearchMode::Normal, env)
                                    : SearchAttack(s, SearchMode::Normal, env);
        EXPECT_TRUE(out.aborted);
        EXPECT_EQ(looks, 12) << "the start, then eleven looks until more than 10 seconds have passed";
        EXPECT_TRUE(out.card.Empty() || HasCard(p.g.CardsI[1], out.card));
        ASSERT_FALSE(view.progress.empty());
        EXPECT_EQ(view.progress.back().substr(view.progress.back().size() - 9), "(11 sec.)");
    }

    // Headless play limits nodes instead: the same search gives up at the same node on every
    // machine, and no clock is read at all.
    std::array<SearchOutcome, 2> budgeted;
    for (SearchOutcome& out : budgeted) {
        RecordingView view;
        int looks = 0;
        SearchOptions options = SearchOptions::Headless();
        options.clock = [&] {
            ++looks;
            return std::int64_t{0};
        };
        options.nodeBudget = 200;
        StatFool2 s = FillStatFool2(p.g, 1, options.think);
        SearchEnv env(view, 1, s.Think, options.clock, options.limitMs, options.nodeBudget);
        out = SearchAttack(s, SearchMode::Normal, env);
        EXPECT_TRUE(out.aborted);
        EXPECT_EQ(looks, 0);
    }
    EXPECT_EQ(budgeted[0].nodes, budgeted[1].nodes);
    EXPECT_EQ(budgeted[0].card, budgeted[1].card);
    EXPECT_EQ(budgeted[0].slotValues, budgeted[1].slotValues);

    // A clock that stands still never ends a search, and a small search never looks at it
    // after the start (only deep nodes do).
    int looks = 0;
    SearchOptions still;
    still.clock = [&] {
        ++looks;
        return std::int64_t{5};
    };
    RecordingView view;
    MoveChoice move = ComputerMove(Duel("п", "6ч 6б", "Тп").g, view, Lead, 1, false, still);
    EXPECT_EQ(move, PlaySlot(1));
    EXPECT_EQ(looks, 1);
}

} // namespace
