#include "Match.h"

#include "core/Queries.h"
#include "core/Round.h"

namespace tarvo {
namespace {

void Send(MatchContext& m, const StepRecord& step) {
    if (m.mode == PlayMode::Local || !m.sink) return;
    m.sink->SendRecord(BuildBody(step, 2), BuildBody(step, 1), m.g.HodPhase, m.g.DuelPhase);
}

// A step of this machine is sent on to the others; a remote player's record is only applied.
bool StepCard(MatchContext& m, int slot, bool send = true) {
    if (!CanPlaySlot(m.g, slot)) return false;
    StepRecord step = DescribeMove(m.g, true, slot);
    int seat = ActingSeat(m.g);
    StepEvent event{seat, CurrentKind(m.g), slot, m.g.CardsI[seat][slot], false};
    ApplyCard(m.g, m.view, slot);
    if (send) Send(m, step);
    if (m.onStep) m.onStep(event);
    return true;
}

bool StepPass(MatchContext& m, bool send = true) {
    if (!CanPass(m.g)) return false;
    StepRecord step = DescribeMove(m.g, false, 0);
    StepEvent event{ActingSeat(m.g), CurrentKind(m.g), 0, NoCard, true};
    ApplyPass(m.g, m.view);
    if (send) Send(m, step);
    if (m.onStep) m.onStep(event);
    return true;
}

// The records go out with the phases already back at 1, before the state changes.
void EndBout(MatchContext& m, BoutEnd how, bool send = true) {
    m.computer.BoutEnding(m.g, how);
    StepRecord step = DescribeBoutEnd(m.g);
    GameState& g = m.g;
    g.HodPhase = 1;
    if (g.DuelMode) g.DuelPhase = 1;
    if (send) Send(m, step);
    FinishBout(g, m.view, how);
    if (!g.GameOver) m.view.SetActionCaption(BoutCaption(g, m.mode));
}

// In the three-player adding phases 3, 5 and 8 the adder's "I Go..." is drawn before he adds.
bool AdderShowsGo(const GameState& g) {
    return !g.DuelMode && (g.HodPhase == 3 || g.HodPhase == 5 || g.HodPhase == 8);
}

int FirstPlayableSlot(const GameState& g) {
    int seat = ActingSeat(g);
    for (int slot = 1; slot <= g.KolCards[seat]; ++slot)
        if (CanPlaySlot(g, slot)) return slot;
    return 0;
}

void ComputerStep(MatchContext& m) {
    GameState& g = m.g;
    int seat = ActingSeat(g);
    MoveKind kind = CurrentKind(g);
    bool adding = kind == Add;
    if (AdderShowsGo(g)) m.view.DrawBubble(seat, Bubble::Go);
    for (;;) {
        MoveChoice answer = m.computer.Decide(g, m.view, kind, seat, ActsAsThird(g));
        if (!answer.pass && StepCard(m, answer.slot)) {
            if (adding) continue;
            return;
        }
        // A refused card counts as a pass; a lead cannot be passed, so the first legal card goes.
        if (!answer.pass) ++m.refusedComputerSteps;
        if (!StepPass(m)) StepCard(m, FirstPlayableSlot(g));
        return;
    }
}

bool GivenStep(MatchContext& m, int seat, int slot, bool pass, bool send) {
    GameState& g = m.g;
    if (ActingSeat(g) != seat) return false;
    if (!pass && AdderShowsGo(g)) m.view.DrawBubble(seat, Bubble::Go);
    return pass ? StepPass(m, send) : StepCard(m, slot, send);
}

// Every bout end of a local game is confirmed by the human, whatever his role.
void UpdateLocalButton(MatchContext& m, bool ownAdd) {
    const GameState& g = m.g;
    if (m.mode == PlayMode::Local) {
        MoveKind kind = NoKind;
        bool mine = HumanTurn(g, &kind) && kind != Lead;
        m.view.EnableActionButton(mine || PendingBoutEnd(g).has_value());
    } else if (ownAdd) {
        m.view.EnableActionButton(true); // he may add more or stop
    }
}

} // namespace

ActionCaption BoutCaption(const GameState& g, PlayMode mode) {
    if (g.DuelMode) {
        if (g.DuelPair == 1 && mode == PlayMode::Local) return ActionCaption::Ok;
        return DefenderSeat(g) == 3 ? ActionCaption::Take : ActionCaption::Pass;
    }
    return DefenderSeat(g) == 3 ? ActionCaption::Take : ActionCaption::Pass;
}

// A network game with a single client: the computer has no machine of its own, so the machine
// whose human just moved decides the computer's answer and sends it as its own records.
void SingleClientFollowUp(MatchContext& m) {
    GameState& g = m.g;
    const int computer = m.singleClientComputer;
    if (m.mode != PlayMode::Network || computer == 0 || g.GameOver) return;
    if (!PendingBoutEnd(g)) {
        if (ActingSeat(g) != computer || CurrentKind(g) == NoKind) return;
        MakeMove(m, 0, false, false);
        if (g.GameOver) return;
    }
    // No record reaches this machine's own human: when the bout waits for him (or for the
    // computer, on whose behalf he confirms), or he is to act again, his button is enabled here.
    if (PendingBoutEnd(g)) {
        if (DefenderSeat(g) == computer || DefenderSeat(g) == 3) m.view.EnableActionButton(true);
        return;
    }
    MoveKind kind = NoKind;
    if (HumanTurn(g, &kind) && kind != Lead) m.view.EnableActionButton(true);
}

bool MakeMove(MatchContext& m, int slot, bool pass, bool given) {
    GameState& g = m.g;
    m.view.EnableActionButton(false);
    if (g.GameOver) return false;
    if (auto end = PendingBoutEnd(g)) {
        if (given && !pass) return false;
        EndBout(m, *end);
        UpdateLocalButton(m, false);
        if (given) SingleClientFollowUp(m); // the computer may lead the next bout
        return true;
    }
    if (ActingSeat(g) == 0 || CurrentKind(g) == NoKind) return false;
    bool ownAdd = given && !pass && CurrentKind(g) == Add;
    if (given) {
        // Remote seats arrive as records (ApplyRemoteStep), not through here.
        if (!GivenStep(m, 3, slot, pass, true)) {
            UpdateLocalButton(m, false);
            return false;
        }
    } else {
        ComputerStep(m);
    }
    UpdateLocalButton(m, ownAdd);
    if (given) SingleClientFollowUp(m);
    return true;
}

bool ApplyRemoteStep(MatchContext& m, int seat, MoveChoice step) {
    const GameState& g = m.g;
    if (g.GameOver || PendingBoutEnd(g) || CurrentKind(g) == NoKind) return false;
    return GivenStep(m, seat, step.slot, step.pass, false);
}

bool ApplyRemoteBoutEnd(MatchContext& m) {
    auto end = PendingBoutEnd(m.g);
    if (!end) return false;
    EndBout(m, *end, false);
    return true;
}

void StartSeries(MatchContext& m, DeckSource& decks, int storedGames) {
    m.flags = {};
    Deal(m.g, m.view, decks, false, storedGames);
}

void NextGame(MatchContext& m, DeckSource& decks) {
    m.flags = {};
    Deal(m.g, m.view, decks, true);
}

void StartPlay(MatchContext& m) {
    GameState& g = m.g;
    m.computer.GameBegins();
    BeginPlay(g);
    if (m.mode == PlayMode::Local) {
        m.view.SetActionCaption(g.HodSeat == 2 ? ActionCaption::Take : ActionCaption::Pass);
        if (g.HodSeat == 3) m.view.DrawBubble(3, Bubble::Go);
    } else {
        m.view.SetActionCaption(BoutCaption(g, m.mode)); // "I Take" when he defends the first bout
    }
    m.view.EnableActionButton(false);
    // With a single client the computer sits in the server's seat 2 and has no machine of its
    // own: when it leads the first bout, the server computes the lead at its "To Begin".
    if (m.mode == PlayMode::Network && m.singleClientComputer == 2 && g.HodSeat == 2) {
        MakeMove(m, 0, false, false);
        if (HumanTurn(g)) m.view.EnableActionButton(true);
    }
}

void PressActionButton(MatchContext& m, DeckSource& decks) {
    GameState& g = m.g;
    if (g.StartPending == 1) {
        StartPlay(m);
        return;
    }
    if (g.HodPhase == 13 || g.DuelPhase == 5) g.BoutLimit = 6;
    if (g.BoutLimit == 6) m.view.ShowFirstBoutMarker(false);
    if (g.GameOver) {
        NextGame(m, decks);
        return;
    }
    MakeMove(m, 0, true, true);
}

bool OwnCardAccepted(const GameState& g, int slot) {
    MoveKind kind = NoKind;
    if (!g.InputOpen || !HumanTurn(g, &kind) || slot < 1 || slot > g.KolCards[3]) return false;
    if (kind == Lead) return true;
    CardCheck check = CheckHumanCard(g, g.CardsI[3][slot], g.CardsJ[3][slot], kind);
    return !check.wrong && !check.blocked;
}

void ClickOwnCard(MatchContext& m, int slot, bool rightButton) {
    GameState& g = m.g;
    if (!g.InputOpen || slot < 1 || slot > g.KolCards[3]) return;
    if (rightButton) {
        m.view.SayCard(g.CardsI[3][slot]);
        return;
    }
    MoveKind kind = NoKind;
    if (!HumanTurn(g, &kind)) return;
    if (kind != Lead) {
        CardCheck check = CheckHumanCard(g, g.CardsI[3][slot], g.CardsJ[3][slot], kind);
        if (check.wrong) {
            m.view.PlaySound("WWrongs");
            m.view.ShowRefusedCard(slot);
            return;
        }
        if (check.blocked) return;
    }
    MakeMove(m, slot, false, true);
}

EndDisplay DecideEndDisplay(const GameState& g, PlayMode mode, bool ratedPlay, bool isServer,
                            bool tournamentSeatOne) {
    EndDisplay d;
    bool cycleEnd = g.KonNumber % 30 == 0;
    bool blockEnd = g.KonNumber % 3 == 0;
    switch (mode) {
    case PlayMode::Local:
        d.continueEnabled = !cycleEnd;
        d.exitEnabled = true;
        if (ratedPlay) {
            d.continueEnabled = !blockEnd;
            d.exitEnabled = blockEnd;
        }
        d.cycleComplete = cycleEnd;
        break;
    case PlayMode::Network: {
        // A network series is a block of three games of this series, whatever the stored count.
        const bool seriesEnd = (g.KonNumber - g.KonStart) % 3 == 0;
        d.continueEnabled = isServer && !seriesEnd;
        d.exitEnabled = seriesEnd;
        d.cycleComplete = cycleEnd;
        break;
    }
    case PlayMode::Tournament:
        d.exitEnabled = tournamentSeatOne;
        break;
    }
    d.result = g.Loser == 3 ? GameResult::Lost : g.Loser == 4 ? GameResult::Draw : GameResult::Won;
    d.sound = g.Loser == 3 ? "WKoBads" : "WKoGood";
    return d;
}

void ShowEndDisplay(MatchContext& m, const EndDisplay& d) {
    m.view.SetActionCaption(ActionCaption::PlayStill);
    m.view.EnableActionButton(d.continueEnabled);
    m.view.EnableExitButton(d.exitEnabled);
    m.view.ShowGameResult(d.result);
    m.view.PlaySound(d.sound);
    m.flags.CycleComplete = d.cycleComplete;
    m.flags.EndShown = true;
}

} // namespace tarvo
