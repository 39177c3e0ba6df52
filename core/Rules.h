// The move rules: who acts in which phase of a bout, which card is legal, and what a card or a
// pass does to the game. Three players use HodPhase (1..14), two players DuelPhase (1..6).
#pragma once

#include <optional>

#include "GameState.h"
#include "TableView.h"

namespace tarvo {

enum MoveKind : int { NoKind = 0, Lead = 1, ThrowIn = 2, Beat = 3, Add = 4 };

enum class Role { None, Attacker, Defender, Third };

// One row of a phase table: who acts, what kind of move, where a card and a pass lead.
struct PhaseRow {
    Role actor = Role::None;
    MoveKind kind = NoKind;
    Byte afterCard = 0;
    Byte afterPass = 0; // 0: a pass is not allowed
};

PhaseRow ThreePlayerRow(int hodPhase);
PhaseRow TwoPlayerRow(int duelPhase);
PhaseRow CurrentRow(const GameState& g);

// Roles of the current bout; in two-player mode there is no third seat (0).
int AttackerSeat(const GameState& g);
int DefenderSeat(const GameState& g);
int ThirdSeat(const GameState& g);
int SeatOfRole(const GameState& g, Role role);

// The seat that must act now, 0 while a three-player bout waits for the action button. In
// two-player phases 5 and 6 it answers seat 1, so the game timer completes the bout on its tick.
int ActingSeat(const GameState& g);
MoveKind CurrentKind(const GameState& g);
// The acting seat plays as the third seat (three-player phases 7, 8, 9, 10).
bool ActsAsThird(const GameState& g);

// True when seat 3 must act; kind receives the kind of that move.
bool HumanTurn(const GameState& g, MoveKind* kind = nullptr);

// y beats x: a higher card of the same suit, or a trump on a non-trump.
bool Beats(TStr2 y, TStr2 x, char trump);
// A throw-in or add must match the rank of some card on the table.
bool RankOnTable(const GameState& g, TStr2 card);
// No attack card may be played: the bout limit is reached or the defender could not answer.
bool AttackBlocked(const GameState& g);

struct CardCheck {
    bool blocked = false;
    bool wrong = false;
};
CardCheck CheckHumanCard(const GameState& g, TStr2 card, Byte rank, MoveKind kind);

// Whether the acting seat may play this slot now (legal and not blocked).
bool CanPlaySlot(const GameState& g, int slot);
// Whether the acting seat may answer with a pass now.
bool CanPass(const GameState& g);

// Moves one card from a hand to the table, with its flight, redraws and sound.
void PlayCard(GameState& g, TableView& view, MoveKind kind, int seat, int slot);

// One step of the phase machine by the acting seat: a card from its slot, or its pass (decline,
// take, stop). Announcements and sounds as the bout requires. Returns false, changing nothing,
// for a step that is not allowed now.
bool ApplyCard(GameState& g, TableView& view, int slot);
bool ApplyPass(GameState& g, TableView& view);

} // namespace tarvo
