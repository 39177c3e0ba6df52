// What the rules ask of the screen and the speakers. The rules never draw, sleep or play
// anything themselves: the Qt table implements this, tests record it, the simulator ignores it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Card.h"

namespace tarvo {

// The four announcements of a speech box, plus the empty bubble the endgame search writes on.
enum class Bubble { Name, Go, Pass, Take, Blank };

enum class ActionCaption { ToBegin, Take, Pass, Beaten, Ok, PlayStill };

enum class Place { Talon, Hand, Table, Bito };

enum class GameResult { Lost, Won, Draw };

// One card moving between two places. The view animates it (and pauses after talon, take and
// discard flights) when flights are switched on; otherwise it only redraws.
struct CardFlight {
    TStr2 card;
    Place from = Place::Hand;
    int fromSeat = 0; // for Place::Hand
    int fromSlot = 0; // hand slot or table slot
    Place to = Place::Table;
    int toSeat = 0;
    int toSlot = 0;
    bool defence = false;  // a beating card lies on top of the card it beats
};

class TableView {
  public:
    virtual ~TableView() = default;

    virtual void PlaySound(std::string_view /*resource*/) {}
    virtual void DrawBubble(int /*seat*/, Bubble /*bubble*/) {}
    virtual void SetActionCaption(ActionCaption) {}
    virtual void EnableActionButton(bool) {}
    virtual void EnableExitButton(bool) {} // "Exit to menu"
    virtual void ShowGameResult(GameResult) {}
    virtual void SayCard(TStr2 /*card*/) {} // the card voice

    virtual void FlyCard(const CardFlight&) {}
    // Cards that move at the same time (the discard of a beaten bout).
    virtual void FlyCardGroup(const std::vector<CardFlight>& flights) {
        for (const auto& f : flights) FlyCard(f);
    }
    virtual void RedrawHand(int /*seat*/) {}
    virtual void RevealHand(int /*seat*/) {} // the fool's cards turned face up
    // A card of the own hand (seat 3) that the rules refused: a short sign on the card itself,
    // seen also with the sound off.
    virtual void ShowRefusedCard(int /*slot*/) {}
    virtual void RedrawTalon() {}
    virtual void DrawTableCard(int /*tableSlot*/, bool /*defence*/) {}
    virtual void ClearTable() {}
    virtual void ShowTurnMarker(int /*seat*/) {}
    virtual void RedrawNameTab(int /*seat*/) {} // "Penalties: " and the fool count
    virtual void RedrawGameCounter() {}         // "Game: " and the number of the game
    virtual void ShowFirstBoutMarker(bool /*shown*/) {}
    virtual void ShowShownTrump(int /*seat*/, TStr2 /*card*/) {} // NoCard hides it

    // The endgame search's progress text and busy cursor.
    virtual void ShowSearchProgress(int /*seat*/, const std::string& /*text*/) {}
    virtual void SetBusyCursor(bool) {}
};

// A view that shows nothing: the simulator and the computer's look-ahead use it.
class NullView final : public TableView {};

} // namespace tarvo
