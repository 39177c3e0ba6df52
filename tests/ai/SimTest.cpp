// tarvo3-sim's games, trace and decisions, driven through its library.
#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include <nlohmann/json.hpp>

#include "core/Round.h"
#include "core/Rules.h"
#include "sim/Simulator.h"

using namespace tarvo;
using Json = nlohmann::json;

namespace {

// A deck whose first game of a series brings a bout back to a position it started from before.
constexpr const char* CyclingDeck =
    "1б 6к 8к 8ч 9ч 7к Дп Дк Тк Кб Вч Кк 6п Тч Кч Тб 6б 7б Вб 1к 9к Вк 1п 7п 8п 6ч "
    "7ч 9п Дч Тп Дб Кп 8б 1ч Вп 9б";

std::vector<Json> Lines(const std::string& text) {
    std::vector<Json> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) lines.push_back(Json::parse(line));
    return lines;
}

TEST(Simulator, CyclingGameIsDealtAgain) {
    auto cycling = ParseDeck(CyclingDeck);
    ASSERT_TRUE(cycling);
    Deck next = ShuffleDeck(7);
    auto decks = [&](long long series) {
        EXPECT_EQ(series, 0);
        return std::make_unique<FixedDecks>(std::vector<Deck>{*cycling, next});
    };
    std::ostringstream trace, report;
    sim::GamesConfig config;
    config.games = 1;
    config.trace = &trace;
    config.report = &report;
    sim::GamesSummary summary = sim::PlayGames(config, decks);
    EXPECT_EQ(summary.cycles, 1);
    EXPECT_EQ(summary.games, 1);
    EXPECT_EQ(summary.violations, 0) << report.str();

    // Nothing of the abandoned game is traced: the one deal is the next deck's, as game 1.
    std::vector<Json> events = Lines(trace.str());
    ASSERT_FALSE(events.empty());
    int deals = 0;
    for (const Json& e : events) deals += e["ev"] == "deal";
    EXPECT_EQ(deals, 1);
    EXPECT_EQ(events.front()["game"], 1);
    EXPECT_EQ(events.front()["deck"][0], next[1].Utf8());
    EXPECT_EQ(events.back()["ev"], "end");
}

// Replays a trace through the rules: every event must be what the game does at that point.
void Replay(const std::vector<Json>& events, RuleOptions rules) {
    GameState g;
    g.Rules = rules;
    NullView view;
    for (const Json& e : events) {
        const std::string ev = e["ev"];
        SCOPED_TRACE(e.dump());
        if (ev == "deal") {
            Deck deck;
            ASSERT_EQ(e["deck"].size(), 36u);
            for (int p = 1; p <= DeckSize; ++p) {
                auto card = TStr2::FromUtf8(e["deck"][static_cast<std::size_t>(p - 1)].get<std::string>());
                ASSERT_TRUE(card && IsRealCard(*card));
                deck[p] = *card;
            }
            DealDeck(g, view, deck, e["game"].get<int>() > 1);
            ASSERT_EQ(e["first"], g.HodSeat);
            ASSERT_EQ(e["noFive"], rules.NoFiveOfSuit);
            ASSERT_EQ(e["firstBoutFive"], rules.FirstBoutFive);
            ASSERT_EQ(e["firstMove"], rules.FirstMove);
            BeginPlay(g);
        } else if (ev == "step") {
            int seat = e["seat"];
            ASSERT_EQ(seat, ActingSeat(g));
            ASSERT_EQ(e["kind"], static_cast<int>(CurrentKind(g)));
            if (e["pass"]) {
                ASSERT_EQ(e["slot"], 0);
                ASSERT_EQ(e["card"], "##");
                ASSERT_TRUE(ApplyPass(g, view));
            } else {
                int slot = e["slot"];
                ASSERT_EQ(e["card"], g.CardsI[seat][slot].Utf8());
                ASSERT_TRUE(ApplyCard(g, view, slot));
            }
            ASSERT_EQ(e["hod"], g.HodPhase);
            ASSERT_EQ(e["duel"], g.DuelPhase);
        } else if (ev == "bout") {
            auto end = PendingBoutEnd(g);
            ASSERT_TRUE(end);
            bool beaten = *end == BoutEnd::Beaten || *end == BoutEnd::DuelBeaten;
            ASSERT_EQ(e["end"], beaten ? "beaten" : "taken");
            FinishBout(g, view, *end);
            ASSERT_EQ(e["next"], g.HodSeat);
            ASSERT_EQ(e["duelMode"], g.DuelMode);
            ASSERT_EQ(e["duelPair"], g.DuelPair);
        } else {
            ASSERT_EQ(ev, "end");
            ASSERT_TRUE(g.GameOver);
            ASSERT_EQ(e["loser"], g.Loser);
            ASSERT_EQ(e["fools"], Json::array({g.FoolCount[1], g.FoolCount[2], g.FoolCount[3]}));
        }
    }
}

TEST(Simulator, TraceReplaysThroughTheRulesAndRepeatsForASeed) {
    for (RuleOptions rules : {RuleOptions{}, RuleOptions{true, true, 1}}) {
        std::array<std::string, 2> traces;
        std::array<std::string, 2> summaries;
        for (std::size_t run = 0; run < 2; ++run) {
            std::ostringstream trace;
            sim::GamesConfig config;
            config.games = 12;
            config.seriesLength = 100;
            config.rules = rules;
            config.trace = &trace;
            sim::GamesSummary summary = sim::PlayGames(config, sim::SeededSeries(3));
            EXPECT_EQ(summary.violations, 0);
            summary.seconds = 0;
            summaries[run] = summary.Line();
            traces[run] = trace.str();
        }
        EXPECT_EQ(traces[0], traces[1]);
        EXPECT_EQ(summaries[0], summaries[1]);
        std::vector<Json> events = Lines(traces[0]);
        int ends = 0;
        for (const Json& e : events) ends += e["ev"] == "end";
        EXPECT_EQ(ends, 12);
        Replay(events, rules);
    }
}

TEST(Simulator, SummaryLine) {
    sim::GamesConfig config;
    config.games = 50;
    sim::GamesSummary s = sim::PlayGames(config, sim::SeededSeries(1));
    EXPECT_TRUE(std::regex_match(s.Line(),
                                 std::regex("games=50 draws=\\d+ fools=\\d+,\\d+,\\d+ bouts=\\d+ steps=\\d+ "
                                            "violations=0 cycles=\\d+ seconds=\\d+\\.\\d\\d")))
        << s.Line();
    EXPECT_EQ(s.draws + s.fools[0] + s.fools[1] + s.fools[2], 50);
}

TEST(Decide, AnswersPositions) {
    const std::string threePlayerLead =
        R"({"trump":"п","och":20,"hands":[["6ч","8к","8б","1ч","Дп"],["6б","7б","8ч","9ч","1б","Вб"],["Вк"]],)"
        R"("table":[],"kartaHod":"##","kolHods":0,"kolFree":0,"boutLimit":6,"hodSeat":1,"duelMode":0,"duelPair":0,)"
        R"("kind":1,"seat":1,"isThird":false})";
    EXPECT_EQ(sim::DecideLine(threePlayerLead), R"({"slot":2,"card":"8к","pass":false})");

    const std::string take =
        R"({"trump":"п","och":20,"hands":[["6ч"],["1п","6б"],["Вк"]],"table":["9к"],"kartaHod":"9к","kolHods":1,)"
        R"("kolFree":1,"boutLimit":6,"hodSeat":1,"duelMode":0,"duelPair":0,"kind":3,"seat":2,"isThird":false})";
    EXPECT_EQ(sim::DecideLine(take), R"({"slot":0,"card":"##","pass":true})");

    // Seat 3 in a two-player endgame, searched.
    const std::string duel =
        R"({"trump":"п","och":37,"hands":[[],["6б","7б","8б","9б","1б","Вб"],["6ч","7ч","8ч","9ч","1ч","Вч"]],)"
        R"("table":[],"kartaHod":"##","kolHods":0,"kolFree":0,"boutLimit":6,"hodSeat":3,"duelMode":1,"duelPair":2,)"
        R"("kind":1,"seat":3,"isThird":false})";
    Json answer = Json::parse(sim::DecideLine(duel));
    EXPECT_FALSE(answer.contains("error")) << answer.dump();
    EXPECT_EQ(answer["pass"], false);

    // The strong computer defending after the third seat's throw-in: the last phase of a bout.
    const std::string strongBeatAfterThird =
        R"({"trump":"п","och":20,"hands":[["6ч","8к","Дп"],["6б","7б","Дч","9б","1б"],["Вк","7ч"]],)"
        R"("table":["9к","1к","9ч"],"kartaHod":"9ч","kolHods":2,"kolFree":1,"boutLimit":6,"hodSeat":1,)"
        R"("duelMode":0,"duelPair":0,"kind":3,"seat":2,"isThird":false,"strong":true,"hodPhase":14,)"
        R"("bito":[],"taken":[[],[],[]],"trumpCard":"6п"})";
    answer = Json::parse(sim::DecideLine(strongBeatAfterThird));
    EXPECT_FALSE(answer.contains("error")) << answer.dump();
}

TEST(Decide, MalformedLinesGetAnError) {
    const std::string good =
        R"({"trump":"п","och":20,"hands":[["6ч"],["6б"],["Вк"]],"table":[],"kartaHod":"##","kolHods":0,)"
        R"("kolFree":0,"boutLimit":6,"hodSeat":1,"duelMode":0,"duelPair":0,"kind":1,"seat":1,"isThird":false})";
    auto with = [&](const std::string& key, const std::string& value) {
        Json j = Json::parse(good);
        j[key] = Json::parse(value);
        return j.dump();
    };
    auto without = [&](const std::string& key) {
        Json j = Json::parse(good);
        j.erase(key);
        return j.dump();
    };
    const std::vector<std::string> bad = {
        "",
        "not json",
        "[1,2,3]",
        R"({"trump":)",
        std::string(100000, '[') + std::string(100000, ']'),
        without("hands"),
        without("isThird"),
        with("trump", R"("x")"),
        with("trump", R"("пп")"),
        with("och", "0"),
        with("och", "3.5"),
        with("hands", R"([["6ч"],["6б"]])"),
        with("hands", R"([["6ч"],["6ч"],["Вк"]])"),
        with("hands", R"([["Xx"],["6б"],["Вк"]])"),
        with("hands", R"([["##"],["6б"],["Вк"]])"),
        with("hands", R"([[1],["6б"],["Вк"]])"),
        with("hands", "{}"),
        with("table", R"(["6ч","7ч","8ч","9ч","1ч","Вч","Дч","Кч","Тч","6к","7к","8к","9к"])"),
        with("kartaHod", R"("Тп")"),
        with("kolHods", "7"),
        with("kolFree", "2"),
        with("boutLimit", "4"),
        with("hodSeat", "4"),
        with("duelMode", "2"),
        with("kind", "0"),
        with("kind", "3"),
        with("seat", "-1"),
        with("isThird", "1"),
        with("duelMode", "1"),
    };
    for (const std::string& line : bad) {
        Json answer = Json::parse(sim::DecideLine(line), nullptr, false);
        ASSERT_FALSE(answer.is_discarded()) << line.substr(0, 80);
        EXPECT_TRUE(answer.contains("error") && answer["error"].is_string()) << line.substr(0, 80);
    }
    // Two-player mode needs the acting seat in the pair.
    Json duel = Json::parse(good);
    duel["duelMode"] = 1;
    duel["duelPair"] = 1;
    duel["seat"] = 3;
    EXPECT_TRUE(Json::parse(sim::DecideLine(duel.dump())).contains("error"));
    duel["seat"] = 1;
    EXPECT_FALSE(Json::parse(sim::DecideLine(duel.dump())).contains("error"));
}

} // namespace
