// Small positions written as card codes, and a view that records what the computer shows.
#pragma once

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/Queries.h"
#include "core/Rules.h"

namespace tarvo::test {

inline TStr2 Card(const std::string& code) {
    auto card = TStr2::FromUtf8(code);
    EXPECT_TRUE(card && IsRealCard(*card)) << code;
    return card.value_or(NoCard);
}

inline std::vector<TStr2> Cards(const std::string& codes) {
    std::vector<TStr2> cards;
    std::istringstream in(codes);
    std::string code;
    while (in >> code) cards.push_back(Card(code));
    return cards;
}

inline char Suit(const std::string& utf8) {
    auto card = TStr2::FromUtf8("6" + utf8);
    return card ? card->suit : '#';
}

// A game position built from codes: hands in the game's sorted order, the table in play order
// with its last card as the card to beat.
class Position {
  public:
    explicit Position(const std::string& trump, int och = 20) {
        g.Koz = Suit(trump);
        g.Och = static_cast<Byte>(och);
        g.HodSeat = 1;
        g.HodPhase = 1;
        g.BoutLimit = 6;
        g.StartPending = 2;
    }
    Position& Hand(int seat, const std::string& codes) {
        g.CardsI[seat].Fill(NoCard);
        g.CardsJ[seat].Fill(EmptyRank);
        int slot = 0;
        for (TStr2 c : Cards(codes)) {
            g.CardsI[seat][++slot] = c;
            g.CardsJ[seat][slot] = RankOf(c);
        }
        g.KolCards[seat] =
            static_cast<Byte>(SortHand(g.CardsI[seat], g.CardsJ[seat], g.CardsAux[seat], g.Koz));
        return *this;
    }
    // Attack and beating cards alternate; an odd count leaves the last card unbeaten.
    Position& Table(const std::string& codes) {
        g.InGameI.Fill(NoCard);
        g.InGameJ.Fill(EmptyRank);
        g.OchGame = 1;
        g.KolCardsStol = 0;
        for (TStr2 c : Cards(codes)) {
            g.InGameI[g.OchGame] = c;
            g.InGameJ[g.OchGame] = RankOf(c);
            ++g.OchGame;
            ++g.KolCardsStol;
        }
        int n = g.KolCardsStol;
        g.KolHods = static_cast<Byte>((n + 1) / 2);
        g.KolFree = static_cast<Byte>(n % 2);
        g.KartaHod = n ? g.InGameI[n % 2 ? n : n - 1] : NoCard;
        g.DostHod = RankOf(g.KartaHod);
        return *this;
    }
    Position& Attacker(int seat) {
        g.HodSeat = static_cast<Byte>(seat);
        return *this;
    }
    Position& Duel(int pair) {
        g.DuelMode = 1;
        g.DuelPair = static_cast<Byte>(pair);
        g.Och = DeckSize + 1;
        return *this;
    }
    TStr2 At(int seat, int slot) const { return g.CardsI[seat][slot]; }

    GameState g;
};

class RecordingView : public TableView {
  public:
    void ShowSearchProgress(int seat, const std::string& text) override {
        progressSeat = seat;
        progress.push_back(text);
    }
    void SetBusyCursor(bool busy) override { cursor.push_back(busy); }
    void DrawBubble(int seat, Bubble bubble) override { bubbles.emplace_back(seat, bubble); }

    int progressSeat = 0;
    std::vector<std::string> progress;
    std::vector<bool> cursor;
    std::vector<std::pair<int, Bubble>> bubbles;
};

} // namespace tarvo::test
