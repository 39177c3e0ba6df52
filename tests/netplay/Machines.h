// Three network machines in one process: a game, its move pipeline, a session and the computer
// in the human's place for each, and the tools to compare what each of them holds.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "core/Round.h"
#include "core/Rules.h"
#include "netplay/Autoplay.h"
#include "netplay/Session.h"

namespace tarvo::test {

// The view of a machine without a screen: only the action button's state matters to the player.
class ButtonView : public TableView {
  public:
    bool enabled = false;
    void EnableActionButton(bool on) override { enabled = on; }
};

// One machine. The links are given by the test (direct, or over real sockets).
struct Machine : NetEvents {
    explicit Machine(NetLinks& links) : session(links, *this) {}

    GameState g;
    ButtonView view;
    AutoplayPlayer computer; // the computer seat, and seat 3 in the human's place
    NetSession session;
    MatchContext m{g, view, computer, &session, PlayMode::Network, {}};
    StepDriver driver{m};
    SeededDecks decks{11};
    int joined = 0;
    bool welcomed = false;
    std::string interrupted;
    std::vector<std::pair<int, std::string>> chats;
    bool over = false;

    void Joined(int clients) override { joined = clients; }
    void Welcomed() override { welcomed = true; }
    void ChatArrived(int seat, const std::string& text) override { chats.emplace_back(seat, text); }
    void Interrupted(const std::string& reason) override { interrupted = reason; }

    // The series begins on this machine: the server deals, a client waits for its deal.
    void Begin() {
        session.Attach(&driver);
        if (!session.IsServer()) return;
        StartSeries(m, decks, 0);
        session.SendDeal(g);
    }

    // One thing this machine does now; false when it waits for the others.
    bool Act() {
        if (over || session.Ended()) return false;
        if (session.NextIncoming() != Incoming::None) {
            session.ApplyNext(0);
            return true;
        }
        const NetAutoDecision d = DecideNetAutoStep(driver, session, computer, view.enabled);
        switch (d.step) {
        case NetAutoStep::Wait:
            return false;
        case NetAutoStep::Begin:
            driver.Begin();
            break;
        case NetAutoStep::Confirm:
            EXPECT_TRUE(driver.EndBout());
            break;
        case NetAutoStep::Move:
            EXPECT_TRUE(driver.GivenStep(3, d.slot ? PlaySlot(d.slot) : PassChoice));
            break;
        case NetAutoStep::EndDisplay:
            GameTick(driver, false, session.IsServer());
            break;
        case NetAutoStep::NextGame:
            NextGame(m, decks);
            session.SendDeal(g);
            break;
        case NetAutoStep::SeriesOver:
            over = true;
            break;
        }
        return true;
    }

    // The seat whose step the game waits for, as it will be once "To Begin" is pressed here.
    int SeatToAct() const {
        GameState probe = g;
        if (probe.StartPending == 1) BeginPlay(probe);
        return !probe.GameOver && CurrentKind(probe) != NoKind ? ActingSeat(probe) : 0;
    }

    // The game as this machine holds it, written in the server's numbering: hands by role, the
    // table, the talon, the phases and who attacks and defends.
    std::string Snapshot() const {
        const int role = session.Role();
        auto roleOf = [&](int seat) { return seat ? RoleOfSeat(seat, role) : 0; };
        std::ostringstream s;
        for (int r = 1; r <= 3; ++r) {
            const int seat = SeatOfRole(r, role);
            s << "role " << r << ":";
            for (int i = 1; i <= g.KolCards[seat]; ++i) s << ' ' << g.CardsI[seat][i].Utf8();
            s << " fools " << g.FoolCount[seat] << "\n";
        }
        s << "table:";
        for (int i = 1; i <= g.KolCardsStol; ++i) s << ' ' << g.InGameI[i].Utf8();
        s << "\ntalon from " << int(g.Och) << ", discarded " << int(g.BitoNext) - 1 << "\nphases "
          << (g.StartPending == 1 ? 1 : int(g.HodPhase)) // "To Begin" is each machine's own
          << ' ' << int(g.DuelPhase) << " duel " << int(g.DuelMode) << " attacker " << roleOf(AttackerSeat(g))
          << " defender " << roleOf(DefenderSeat(g)) << " to act " << roleOf(SeatToAct()) << " over " << int(g.GameOver) << " games "
          << g.KonNumber - g.KonStart << "\n";
        return s.str();
    }
};

} // namespace tarvo::test
