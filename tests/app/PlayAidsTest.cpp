// The choices beyond the classic game in the real main window: keyboard play, hints that agree
// with tarvo3-sim --decide, and replayed deals that leave no trace.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <filesystem>
#include <map>
#include <unistd.h>

#include <nlohmann/json.hpp>

#include "../support/TempFolder.h"
#include "../support/TestApplication.h"
#include "app/MainWindow.h"
#include "app/TitleScreen.h"
#include "core/Round.h"
#include "files/SafeWrite.h"
#include "match/Driver.h"
#include "sim/Simulator.h"
#include "table/TableScreen.h"

using namespace tarvo;
namespace fs = std::filesystem;

namespace tarvo {

class WindowProbe {
  public:
    explicit WindowProbe(MainWindow& w) : w_(w) {}
    void Quieten() {
        w_.settings_.FlyCards = false;
        w_.settings_.SoundOn = false;
        w_.settings_.SaluteButtons = false;
        w_.ApplyTexts();
    }
    void Choose(const PlayChoices& c) {
        w_.choices_ = c;
        w_.ApplyPlayChoices();
    }
    void Practice(std::uint32_t deal) {
        w_.StartPractice(deal);
        w_.gameTimer_.stop(); // the test ticks
    }
    void Series() {
        w_.series_ = NewPlayerSeries("Anna", "1");
        w_.StartSeries();
        w_.gameTimer_.stop();
    }
    void Tick() { w_.OnGameTick(); }
    void Hint() { w_.ShowHint(); }
    void Network(bool on) { w_.match_->mode = on ? PlayMode::Network : PlayMode::Local; }
    void Exit() { w_.ExitToMenu(); }
    // A test stopped by a failed assertion leaves the table first, so closing asks nothing.
    void LeaveTable() {
        if (!w_.menuShown_) w_.ExitToMenu();
    }
    const GameState& Game() const { return w_.game_; }
    TableScreen& Table() { return *w_.table_; }
    AiPlayer& Computer() { return w_.computer_.Computer(); }

  private:
    MainWindow& w_;
};

} // namespace tarvo

namespace {

// The deck of deal 4242, as tarvo3-sim --deal 4242 prints it (its command-line test pins the same).
constexpr const char* Deal4242 =
    "6к 7п Дк 9б 6п 7к Вп Кб 1б Тп 6б Вб 8ч Тч Тк 7ч 7б Кч Кп 1п Вк Дп 6ч 8б 9к Дб 9ч Кк 8к 1ч 9п Тб Вч "
    "8п Дч 1к";

std::map<std::string, std::string> FolderBytes(const fs::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        std::string bytes;
        ReadFileBytes(entry.path(), bytes);
        files[fs::relative(entry.path(), folder).string()] = bytes;
    }
    return files;
}

class PlayAidsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::TestApplication();
        DataFolderInputs in;
        in.dataDir = folder_.path() / "data";
        StartOptions options;
        options.data = PrepareDataFolder(in);
        ASSERT_TRUE(options.data.ok()) << options.data.error;
        window_ = std::make_unique<MainWindow>(std::move(options));
        window_->show();
        QTest::mouseClick(window_->findChild<TitleScreen*>(), Qt::LeftButton);
        probe_ = std::make_unique<WindowProbe>(*window_);
        probe_->Quieten();
    }
    void TearDown() override {
        if (probe_) probe_->LeaveTable();
        probe_.reset();
        if (window_) window_->close();
        window_.reset();
    }

    void Key(Qt::Key key) { QTest::keyClick(&probe_->Table(), key); }

    // One step of the player's, from keys alone: the first card the rules take, else Space.
    void PlayerStepByKeys() {
        const GameState& g = probe_->Game();
        int target = 0;
        for (int slot = 1; slot <= g.KolCards[3] && !target; ++slot)
            if (OwnCardAccepted(g, slot)) target = slot;
        if (!target) return Key(Qt::Key_Space);
        for (int i = 0; i < DeckSize; ++i) Key(Qt::Key_Left);
        for (int i = 1; i < target; ++i) Key(Qt::Key_Right);
        ASSERT_EQ(probe_->Table().KeySlot(), target);
        Key(Qt::Key_Return);
    }

    // Plays the game at the table to its end: the player by keys, the computer on the timer's ticks.
    void PlayGameByKeys() {
        const GameState& g = probe_->Game();
        int last = -1, stuck = 0;
        for (int i = 0; i < 3000 && !g.GameOver; ++i) {
            const int state = g.HodPhase * 1000000 + g.Och * 10000 + g.OchGame * 100 + g.KolCards[1] +
                              g.KolCards[2] * 3 + g.KolCards[3] * 7;
            stuck = state == last ? stuck + 1 : 0;
            last = state;
            if (stuck == 10) {
                ADD_FAILURE() << "stuck: pending " << int(g.StartPending) << " input " << int(g.InputOpen)
                              << " hod " << int(g.HodPhase) << " human " << HumanTurn(g) << " acting "
                              << ActingSeat(g) << " kind " << CurrentKind(g) << " bout "
                              << PendingBoutEnd(g).has_value() << " key " << probe_->Table().KeySlot();
                return;
            }
            if (g.StartPending == 1 || PendingBoutEnd(g) || HumanTurn(g))
                PlayerStepByKeys();
            else
                probe_->Tick();
        }
        ASSERT_TRUE(g.GameOver);
    }

    test::TempFolder folder_;
    std::unique_ptr<MainWindow> window_;
    std::unique_ptr<WindowProbe> probe_;
};

TEST_F(PlayAidsTest, AWholeGameIsPlayedFromTheKeyboard) {
    probe_->Choose({false, false, false, true});
    probe_->Series();
    PlayGameByKeys();
    probe_->Exit();
}

TEST_F(PlayAidsTest, AReplayedDealIsTheSimulatorsDeckAndLeavesNoRecord) {
    probe_->Choose({false, false, true, true});
    const auto before = FolderBytes(folder_.path() / "data");
    probe_->Practice(4242);
    std::string deck;
    for (int p = 1; p <= DeckSize; ++p) deck += (p > 1 ? " " : "") + probe_->Game().KolodaI[p].Utf8();
    EXPECT_EQ(deck, Deal4242);
    EXPECT_TRUE(probe_->Table().DealCaption().contains(QStringLiteral("4242")));
    PlayGameByKeys();
    probe_->Exit();
    EXPECT_EQ(FolderBytes(folder_.path() / "data"), before) << "no club, top ten or history file changed";
}

// The position of the player's turn as tarvo3-sim --decide reads it.
std::string DecideLineFor(const GameState& g, MoveKind kind, bool strong, AiPlayer& computer) {
    using Json = nlohmann::json;
    auto cards = [](auto first, int n) {
        Json a = Json::array();
        for (int i = 1; i <= n; ++i)
            if (IsRealCard(first(i))) a.push_back(first(i).Utf8());
        return a;
    };
    Json hands = Json::array(), taken = Json::array();
    for (int s = 1; s <= 3; ++s) {
        hands.push_back(cards([&](int i) { return g.CardsI[s][i]; }, g.KolCards[s]));
        auto known = computer.Seen().Known(g, 3, s);
        taken.push_back(cards(
            [&](int i) {
                return known.test(static_cast<std::size_t>(CardNumber(g.CardsI[s][i]))) ? g.CardsI[s][i]
                                                                                        : NoCard;
            },
            g.KolCards[s]));
    }
    Json in{{"trump", TStr2{'6', g.Koz}.Utf8().substr(1)},
            {"och", g.Och},
            {"hands", hands},
            {"table", cards([&](int i) { return g.InGameI[i]; }, g.OchGame - 1)},
            {"kartaHod", g.KartaHod.Utf8()},
            {"kolHods", g.KolHods},
            {"kolFree", g.KolFree},
            {"boutLimit", g.BoutLimit},
            {"hodSeat", g.HodSeat},
            {"duelMode", g.DuelMode},
            {"duelPair", g.DuelPair},
            {"kind", static_cast<int>(kind)},
            {"seat", 3},
            {"isThird", ActsAsThird(g)},
            {"strong", strong},
            {"hodPhase", g.HodPhase},
            {"bito", cards([&](int i) { return g.Bito[i]; }, DeckSize)},
            {"taken", taken}};
    if (g.Och <= DeckSize) in["trumpCard"] = g.KolodaI[DeckSize].Utf8();
    return in.dump();
}

TEST_F(PlayAidsTest, HintsAgreeWithTheSimulatorsDecisionAndAreRefusedInNetworkPlay) {
    for (bool strong : {false, true}) {
        SCOPED_TRACE(strong ? "strong" : "classic");
        probe_->Choose({strong, true, false, true});
        probe_->Series();
        const GameState& g = probe_->Game();
        int hints = 0;
        for (int i = 0; i < 3000 && !g.GameOver && hints < 4; ++i) {
            MoveKind kind = NoKind;
            if (g.StartPending == 2 && !PendingBoutEnd(g) && !g.DuelMode && HumanTurn(g, &kind)) {
                probe_->Network(true);
                probe_->Hint();
                EXPECT_TRUE(probe_->Table().HintedCard().Empty()) << "no hint in network play";
                probe_->Network(false);
                probe_->Hint();
                auto answer = nlohmann::json::parse(
                    sim::DecideLine(DecideLineFor(g, kind, strong, probe_->Computer())));
                ASSERT_FALSE(answer.contains("error")) << answer.dump();
                EXPECT_EQ(probe_->Table().HintedCard().Utf8(), answer["card"].get<std::string>());
                if (!probe_->Table().HintedCard().Empty()) { // Enter then plays the hinted card
                    EXPECT_EQ(g.CardsI[3][probe_->Table().KeySlot()], probe_->Table().HintedCard());
                }
                ++hints;
            }
            if (g.StartPending == 1 || PendingBoutEnd(g) || HumanTurn(g))
                PlayerStepByKeys();
            else
                probe_->Tick();
        }
        EXPECT_EQ(hints, 4);
        probe_->Exit();
    }
}

// A hinted card goes back into the hand when the player passes or takes instead: that move has no
// card flight of its own, and the hint stood raised over the next position.
TEST_F(PlayAidsTest, AHintedCardSinksWhenThePlayerPressesTheActionButtonInstead) {
    probe_->Choose({false, true, false, true});
    probe_->Series();
    const GameState& g = probe_->Game();
    bool pressed = false;
    for (int i = 0; i < 3000 && !g.GameOver && !pressed; ++i) {
        if (g.StartPending == 2 && !PendingBoutEnd(g) && HumanTurn(g)) {
            probe_->Hint();
            if (!probe_->Table().HintedCard().Empty() && probe_->Table().ActionButton()->isEnabled()) {
                Key(Qt::Key_Space);
                EXPECT_TRUE(probe_->Table().HintedCard().Empty()) << "the hint outlived the move";
                pressed = true;
                continue;
            }
        }
        if (g.StartPending == 1 || PendingBoutEnd(g) || HumanTurn(g))
            PlayerStepByKeys();
        else
            probe_->Tick();
    }
    EXPECT_TRUE(pressed) << "no hinted card with the action button open";
    probe_->Exit();
}

} // namespace
