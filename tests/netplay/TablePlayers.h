// Players of one tournament table in one process: each a game, its move pipeline, a tournament
// session and the computer in the human's place. The links between them and the game server are
// the test's (direct, or over real sockets).
#pragma once

#include <gtest/gtest.h>

#include "Machines.h"
#include "netplay/Autoplay.h"
#include "netplay/TournamentSession.h"

namespace tarvo::test {

struct TablePlayer : TournamentEvents {
    TablePlayer(NetLinks& links, int seat) : session(links, *this) {
        session.Start(seat);
        session.Attach(&driver);
    }

    GameState g;
    ButtonView view;
    AutoplayPlayer computer;
    TournamentSession session;
    MatchContext m{g, view, computer, &session, PlayMode::Tournament, {}};
    StepDriver driver{m};
    bool gameOver = false;
    int left = 0, timeUp = 0; // the seat named by "a" or "T", in this player's numbering
    std::string interrupted;
    std::vector<std::pair<int, std::string>> chats;

    void GameOver() override { gameOver = true; }
    void Left(int seat) override { left = seat; }
    void TimeUp(int seat) override { timeUp = seat; }
    void Interrupted(const std::string& reason) override { interrupted = reason; }
    void ChatArrived(int seat, const std::string& text) override { chats.emplace_back(seat, text); }

    // One thing this player does now; false when he waits for the others.
    bool Act() {
        if (session.NextIncoming() != TableIncoming::None) {
            session.ApplyNext();
            return true;
        }
        if (session.Finished() || !session.Dealt()) return false;
        const NetAutoDecision d = DecideAutoStep(driver, g.GameOver != 0, false, computer, view.enabled);
        switch (d.step) {
        case NetAutoStep::Begin:
            driver.Begin();
            return true;
        case NetAutoStep::Confirm:
            EXPECT_TRUE(driver.EndBout());
            return true;
        case NetAutoStep::Move:
            EXPECT_TRUE(driver.GivenStep(3, d.slot ? PlaySlot(d.slot) : PassChoice));
            return true;
        case NetAutoStep::EndDisplay:
            GameTick(driver, false, false, session.Seat() == 1);
            return true;
        default:
            return false;
        }
    }
};

} // namespace tarvo::test
