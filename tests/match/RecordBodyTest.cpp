#include <gtest/gtest.h>

#include <deque>

#include "../core/TestSupport.h"
#include "core/Script.h"
#include "match/Match.h"

using namespace tarvo;
using tarvo::test::Card;
using tarvo::test::Position;

namespace {

// Plays the answers it is given, in order, for whichever seat must act.
class ScriptedComputer : public ComputerPlayer {
  public:
    std::deque<MoveChoice> answers;
    MoveChoice Decide(const GameState&, TableView&, MoveKind, int, bool) override {
        MoveChoice a = answers.front();
        answers.pop_front();
        return a;
    }
};

struct Sent {
    std::string toSeat2, toSeat1;
    int hod, duel;
};

class RecordingSink : public RecordSink {
  public:
    std::vector<Sent> sent;
    void SendRecord(const std::optional<std::string>& b2, const std::optional<std::string>& b1, int hod,
                    int duel) override {
        sent.push_back({b2.value_or("-"), b1.value_or("-"), hod, duel});
    }
};

struct Fixture {
    GameState g;
    NullView view;
    ScriptedComputer computer;
    RecordingSink sink;
    MatchContext m{g, view, computer, &sink, PlayMode::Network, {}};

    // One computer-driven step with the given answers; returns the records it sent.
    std::vector<Sent> Step(std::initializer_list<MoveChoice> answers) {
        computer.answers.assign(answers);
        sink.sent.clear();
        EXPECT_TRUE(MakeMove(m, 0, false, false));
        return sink.sent;
    }
};

constexpr MoveChoice Pass{0, true};
MoveChoice Slot(int s) {
    return {s, false};
}

void ExpectBodies(const std::vector<Sent>& sent, std::vector<std::pair<std::string, std::string>> want) {
    ASSERT_EQ(sent.size(), want.size());
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(sent[i].toSeat2, want[i].first) << "record " << i;
        EXPECT_EQ(sent[i].toSeat1, want[i].second) << "record " << i;
    }
}

} // namespace

TEST(RecordBody, ReceiverNumbering) {
    // The receiver is its own seat 3; its seat 1 is the seat after it.
    EXPECT_EQ(SeatInReceiverNumbering(1, 2), 2);
    EXPECT_EQ(SeatInReceiverNumbering(2, 2), 3);
    EXPECT_EQ(SeatInReceiverNumbering(3, 2), 1);
    EXPECT_EQ(SeatInReceiverNumbering(1, 1), 3);
    EXPECT_EQ(SeatInReceiverNumbering(2, 1), 1);
    EXPECT_EQ(SeatInReceiverNumbering(3, 1), 2);
}

TEST(RecordBody, ThreePlayerTakenBout) {
    Fixture f;
    f.g = Position({"6ч 6б 9к", "7ч 7б Тк Дк", "6к 7к 8к"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    ExpectBodies(f.Step({Slot(1)}), {{"eiigiiiii101i", "iiiigiiiiiiii"}}); // 1: lead
    ExpectBodies(f.Step({Slot(1)}), {{"iiiiiiiiiiiii", "eiiiii301iiii"}}); // 10: beat
    ExpectBodies(f.Step({Pass}), {{"iigaidiiiiiii", "iiigadiiiiiii"}});    // 3: attacker passes
    ExpectBodies(f.Step({Slot(1)}), {{"eigiii201iiii", "iiigiiiii201i"}}); // 16: third throws in
    ExpectBodies(f.Step({Pass}), {{"iiiittiiiiiii", "iitiitiiiiiii"}});    // 21: take
    ExpectBodies(f.Step({Pass}), {{"iiagidiiiiiii", "eiiagdiiiiiii"}});    // 15: third stops
    ExpectBodies(f.Step({Slot(1), Pass}),                                  // 8 then 9
                 {{"iiiiiiiii401i", "iiiiiiiiiiiii"}, {"eiiaidiiiiiii", "iiiiadiiiiiii"}});
    f.sink.sent.clear();
    ASSERT_TRUE(MakeMove(f.m, 0, true, true)); // 22: confirmed by the taker's machine
    ExpectBodies(f.sink.sent, {{"-", "iiiiiiiiiiii1"}});
    EXPECT_EQ(f.sink.sent[0].hod, 1);
}

TEST(RecordBody, ThreePlayerBeatenBout) {
    Fixture f;
    f.g = Position({"6ч 6б 6к", "7ч 7б 7к Тч", "8к 9ч"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    f.Step({Slot(1)});
    f.Step({Slot(1)});
    f.Step({Pass});
    ExpectBodies(f.Step({Pass}), {{"e4aiiaiiiiiii", "iiiaiaiiiiiii"}}); // 17: third passes, beaten
    f.sink.sent.clear();
    ASSERT_TRUE(MakeMove(f.m, 0, true, true)); // 23
    ExpectBodies(f.sink.sent, {{"-", "iiiiiiiiiiiia"}});
}

TEST(RecordBody, TwoPlayerBouts) {
    Fixture f;
    f.g = Position({"6ч", "", "8к 9к"}, 3, "");                            // seats 1 and 3 remain; 3 attacks
    ExpectBodies(f.Step({Slot(1)}), {{"iigiii101iiii", "eiigiiiii101i"}}); // 24: lead
    ExpectBodies(f.Step({Pass}), {{"iiititiiiiiii", "iiiittiiiiiii"}});    // 28: take
    ExpectBodies(f.Step({Pass}), {{"iiaiidiiiiiii", "eiiaidiiiiiii"}});    // 30: stop
    ExpectBodies(f.Step({}), {{"iiiiiiiiiiiie", "iiiiiiiiiiiih"}});        // 32: taken

    Fixture b;
    b.g = Position({"9ч Тк", "", "8к 9к"}, 3, "");
    b.Step({Slot(1)});
    b.Step({Slot(2)});                                                  // Тк beats 8к
    ExpectBodies(b.Step({Pass}), {{"iiaiiaiiiiiii", "e4iaiaiiiiiii"}}); // 26: beaten
    ExpectBodies(b.Step({}), {{"iiiiiiiiiiiip", "iiiiiiiiiiiij"}});     // 31: beaten, 1 leads
    EXPECT_EQ(b.g.HodSeat, 1);
}

// With a single client the computer's answer to the human's lead is decided on the human's machine
// and leaves as that machine's records.
TEST(SingleClient, ComputerAnswersOnTheMachineOfTheHumanWhoMoved) {
    Fixture f;
    f.g = Position({"8ч 9ч", "Тб Кб", "7ч 6б 6к"}, 3, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    f.m.singleClientComputer = 1; // the seat after the human, defending his lead
    f.computer.answers.assign({Slot(1)});
    ASSERT_TRUE(MakeMove(f.m, 3, false, true)); // the human leads 7ч (sorted: 6б 6к 7ч)
    EXPECT_EQ(f.sink.sent.size(), 2u);          // his lead and the computer's defence
    EXPECT_EQ(f.g.HodPhase, 2);                 // the defence is on the table: the human may throw in
    EXPECT_EQ(f.g.KolCardsStol, 2);
}

namespace {
class ButtonView : public TableView {
  public:
    bool enabled = false;
    ActionCaption caption = ActionCaption::ToBegin;
    void EnableActionButton(bool on) override { enabled = on; }
    void SetActionCaption(ActionCaption c) override { caption = c; }
};
} // namespace

// With a single client the computer sits in the server's seat 2: when it leads the first bout,
// the server computes the lead at its own "To Begin", and its human, who defends, may answer.
TEST(SingleClient, TheServerComputesTheComputersFirstLead) {
    Fixture f;
    ButtonView view;
    MatchContext m{f.g, view, f.computer, &f.sink, PlayMode::Network, {}};
    f.g = Position({"8ч 9ч", "7ч 6б", "Тб Кб 6к"}, 2, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    f.g.StartPending = 1;
    f.g.HodPhase = 0;
    m.singleClientComputer = 2;
    f.computer.answers.assign({Slot(1)});
    SeededDecks decks(1);
    PressActionButton(m, decks);
    EXPECT_EQ(f.g.KolCardsStol, 1);
    EXPECT_EQ(f.g.HodPhase, 6);
    EXPECT_EQ(f.sink.sent.size(), 1u);
    EXPECT_TRUE(view.enabled);
    EXPECT_EQ(view.caption, ActionCaption::Take);
}

// No record reaches a machine's own human: when the computer's answer to his take leaves the
// bout waiting for him to confirm it, his button is enabled on his machine.
TEST(SingleClient, ABoutThatWaitsForTheHumanEnablesHisButton) {
    Fixture f;
    ButtonView view;
    MatchContext m{f.g, view, f.computer, &f.sink, PlayMode::Network, {}};
    f.g = Position({"", "7ч 8ч", "6б"}, 2, ""); // seat 1 is out: the computer (2) attacks the human
    m.singleClientComputer = 2;
    f.computer.answers.assign({Slot(1)});
    ASSERT_TRUE(MakeMove(m, 0, false, false)); // the computer leads 7ч
    f.computer.answers.assign({Pass});         // and adds nothing to the human's take
    ASSERT_TRUE(MakeMove(m, 0, true, true));
    EXPECT_EQ(f.g.DuelPhase, 6);
    EXPECT_TRUE(view.enabled);
}

// The remaining rows of the step tables, each scenario a bout of its own.
TEST(RecordBody, EveryOtherStepOfBothTables) {
    Fixture
        a; // throw-ins by the attacker (2, 6), the defender's beat in phase 14 (20), the third's pass (13)
    a.g = Position({"6ч 6б 8ч", "7ч 8б Тк 1ч", "6к 7к"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    a.Step({Slot(1)});
    a.Step({Slot(1)});
    ExpectBodies(a.Step({Slot(1)}), {{"eiiiiiiii201i", "iiiiiiiiiiiii"}}); // 2
    a.Step({Slot(1)});
    a.Step({Pass});
    a.Step({Slot(1)});
    ExpectBodies(a.Step({Slot(2)}), {{"iiiiiiiiiiiii", "iiiiii302iiii"}}); // 20
    ExpectBodies(a.Step({Pass}), {{"iiagidiiiiiii", "eiiagdiiiiiii"}});    // 13
    ExpectBodies(a.Step({Slot(1)}), {{"eiiiiiiii201i", "iiiiiiiiiiiii"}}); // 6

    Fixture b; // the third throws in phase 7 (12) and adds first after a take on his card (14)
    b.g = Position({"6ч 6б", "7ч Тк Тб 1к", "6к 7к 6п"}, 1, "8п 7п 9п 1п Вп Дп Кп Тп");
    b.Step({Slot(1)});
    b.Step({Slot(1)});
    b.Step({Pass});
    b.Step({Slot(1)});
    b.Step({Slot(2)});
    ExpectBodies(b.Step({Slot(1)}), {{"eiiiii201iiii", "iiiiiiiii201i"}}); // 12
    b.Step({Pass});
    ExpectBodies(b.Step({Slot(1), Pass}), // 14 then 15
                 {{"iiiiii401iiii", "iiiiiiiii401i"}, {"iiagidiiiiiii", "eiiagdiiiiiii"}});

    Fixture c; // the attacker adds and stops (4, 5), then the third (18, 19)
    c.g = Position({"6ч 6б", "7б 8б 9б", "6к 7к"}, 1, "6п 7п 8п 9п 1п Вп Дп Кп Тп");
    c.Step({Slot(1)});
    c.Step({Pass});
    ExpectBodies(c.Step({Slot(1), Pass}),
                 {{"iiiiiiiii401i", "iiiiiiiiiiiii"}, {"iigaidiiiiiii", "iiigadiiiiiii"}});
    ExpectBodies(c.Step({Slot(1), Pass}),
                 {{"iiiiii401iiii", "iiiiiiiii401i"}, {"eiaiidiiiiiii", "iiiaidiiiiiii"}});

    Fixture d; // two players: the defender's beat (27), a throw-in (25), an add (29)
    d.g = Position({"7к 8б Тп", "", "6б 6к 8к"}, 3, "");
    d.Step({Slot(1)});
    ExpectBodies(d.Step({Slot(2)}), {{"iiiiiiiii302i", "iiiiiiiiiiiii"}}); // 27
    ExpectBodies(d.Step({Slot(1)}), {{"iigiii201iiii", "eiigiiiii201i"}}); // 25
    d.Step({Pass});
    ExpectBodies(d.Step({Slot(1), Pass}),
                 {{"iiiiii401iiii", "iiiiiiiii401i"}, {"iiaiidiiiiiii", "eiiaidiiiiiii"}});
}
