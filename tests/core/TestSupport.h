// Small helpers for the rules tests: a position builder and a view that records what it is told.
#pragma once

#include <sstream>
#include <string>
#include <vector>

#include "core/GameState.h"
#include "core/TableView.h"

namespace tarvo::test {

TStr2 Card(const std::string& utf8);

// A game in play: the given hands (space-separated codes) for seats 1..3, the talon from its
// next card to the bottom card (which shows the trump), every other card in the discard pile.
// With an empty talon the trump suit is given by `trump`. Play has started (HodPhase 1).
GameState Position(const std::vector<std::string>& hands, int attacker, const std::string& talon,
                   char trump = '\xEF');

// Records the view's calls as short lines: "sound WHodsDo", "bubble 2 Take", "caption Beaten".
class RecordingView : public TableView {
  public:
    std::vector<std::string> events;

    void PlaySound(std::string_view name) override { Add("sound " + std::string(name)); }
    void DrawBubble(int seat, Bubble b) override { Add("bubble " + std::to_string(seat) + " " + Name(b)); }
    void SetActionCaption(ActionCaption c) override { Add("caption " + Name(c)); }
    void ShowFirstBoutMarker(bool shown) override { Add(shown ? "marker on" : "marker off"); }
    void RevealHand(int seat) override { Add("reveal " + std::to_string(seat)); }
    void ShowShownTrump(int seat, TStr2 card) override {
        Add("shown " + std::to_string(seat) + " " + card.Utf8());
    }

    int Count(const std::string& event) const;
    bool Has(const std::string& event) const { return Count(event) > 0; }

  private:
    void Add(std::string e) { events.push_back(std::move(e)); }
    static std::string Name(Bubble b);
    static std::string Name(ActionCaption c);
};

} // namespace tarvo::test
