// The move rules: who acts in which phase of a bout, which card is legal, and what a card or a
// pass does to the game. Three players use HodPhase (1..14), two players DuelPhase (1..6).
#pragma once

#include <array>
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

// The phase tables, looked up at every step by several callers.
namespace detail {
inline constexpr std::array<PhaseRow, 15> ThreePlayerRows{{
    {},                                  // 0: before the start
    {Role::Attacker, Lead, 6, 0},        // 1
    {Role::Attacker, ThrowIn, 6, 9},     // 2
    {Role::Attacker, Add, 3, 10},        // 3
    {Role::Attacker, ThrowIn, 6, 13},    // 4
    {Role::Attacker, Add, 5, 12},        // 5
    {Role::Defender, Beat, 2, 3},        // 6
    {Role::Third, ThrowIn, 14, 4},       // 7
    {Role::Third, Add, 8, 5},            // 8
    {Role::Third, ThrowIn, 14, 13},      // 9
    {Role::Third, Add, 10, 12},          // 10
    {},                                  // 11: unused
    {},                                  // 12: taken, waits for the action button
    {},                                  // 13: beaten, waits for the action button
    {Role::Defender, Beat, 7, 8},        // 14
}};
inline constexpr std::array<PhaseRow, 5> TwoPlayerRows{{
    {},                               // 0
    {Role::Attacker, Lead, 3, 0},     // 1
    {Role::Attacker, ThrowIn, 3, 5},  // 2
    {Role::Defender, Beat, 2, 4},     // 3
    {Role::Attacker, Add, 4, 6},      // 4
}};                                   // 5 and 6 end the bout automatically
} // namespace detail

constexpr PhaseRow ThreePlayerRow(int hodPhase) {
    return hodPhase >= 0 && hodPhase < 15 ? detail::ThreePlayerRows[static_cast<std::size_t>(hodPhase)] : PhaseRow{};
}
constexpr PhaseRow TwoPlayerRow(int duelPhase) {
    return duelPhase >= 0 && duelPhase < 5 ? detail::TwoPlayerRows[static_cast<std::size_t>(duelPhase)] : PhaseRow{};
}
constexpr PhaseRow CurrentRow(const GameState& g) {
    return g.DuelMode ? TwoPlayerRow(g.DuelPhase) : ThreePlayerRow(g.HodPhase);
}

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
