#include "Invariants.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "Rules.h"

namespace tarvo {
namespace {

// Where a card was seen: a hand of a seat, or one of the other places. Only a broken rule turns it
// into words, so a check that finds nothing allocates nothing.
struct Where {
    const char* place;
    int seat = 0;
    std::string Text() const { return seat ? std::string(place) + " " + std::to_string(seat) : place; }
};

struct EmptySlots {
    TCards_I1x36 I;
    TCards_J1x36 J;
    constexpr EmptySlots() {
        I.Fill(NoCard);
        J.Fill(EmptyRank);
    }
};
constexpr EmptySlots EmptyHand{};

class Checker {
  public:
    explicit Checker(const GameState& g) : g_(g) {}

    std::vector<std::string> Run() {
        CheckPlaces();
        for (int seat = 1; seat <= 4; ++seat) CheckHand(seat);
        CheckTable();
        return std::move(problems_);
    }

  private:
    void Fail(std::string what) { problems_.push_back(std::move(what)); }

    void See(TStr2 card, Where where) {
        if (!IsRealCard(card)) {
            Fail("not a card in " + where.Text());
            return;
        }
        auto& n = seen_[static_cast<std::size_t>(CardNumber(card))];
        if (++n == 2) Fail(card.Utf8() + " twice (again in " + where.Text() + ")");
    }

    void CheckPlaces() {
        // Without a valid Och the talon is unknown: its cards can be neither seen nor missed.
        bool talonKnown = g_.Och >= 1 && g_.Och <= DeckSize + 1;
        if (!talonKnown) Fail("Och out of range");
        if (g_.Koz != g_.KolodaI[DeckSize].suit) Fail("Koz is not the suit of the bottom card");
        if (talonKnown)
            for (int p = g_.Och; p <= DeckSize; ++p) See(g_.KolodaI[p], {"talon"});
        for (int seat = 1; seat <= 3; ++seat)
            for (int i = 1; i <= g_.KolCards[seat] && i <= DeckSize; ++i) See(g_.CardsI[seat][i], {"hand", seat});
        for (int i = 1; i < g_.OchGame && i <= 12; ++i) See(g_.InGameI[i], {"table"});
        for (int i = 1; i < g_.BitoNext && i <= DeckSize; ++i) See(g_.Bito[i], {"discard pile"});
        for (int n = 1; n <= DeckSize && talonKnown; ++n)
            if (seen_[static_cast<std::size_t>(n)] == 0) Fail(CardFromNumber(n).Utf8() + " is nowhere");
    }

    void CheckHand(int seat) {
        const Where hand{"hand", seat};
        auto failAt = [&](const char* what, int slot) {
            Fail(hand.Text() + " " + what + " at slot " + std::to_string(slot));
        };
        const int count = g_.KolCards[seat];
        if (seat == 4 && count != 0) Fail("seat 4 holds cards");
        const int held = std::min(count, TCards_I1x36::Size());
        int previousKey = 0;
        for (int i = 1; i <= held; ++i) {
            TStr2 card = g_.CardsI[seat][i];
            Byte rank = g_.CardsJ[seat][i];
            if (rank != RankOf(card)) failAt("rank byte wrong", i);
            int key = (card.suit == g_.Koz ? 10 : 0) + rank; // non-trumps by rank, then trumps
            if (key < previousKey) failAt("not sorted", i);
            previousKey = key;
        }
        // The slots after the last card, compared as a whole; slot by slot only to tell which.
        const auto& I = g_.CardsI[seat].v;
        const auto& J = g_.CardsJ[seat].v;
        const auto from = static_cast<std::size_t>(held);
        const std::size_t rest = I.size() - from;
        if (std::memcmp(&I[from], &EmptyHand.I.v[from], rest * sizeof(TStr2)) == 0 &&
            std::memcmp(&J[from], &EmptyHand.J.v[from], rest) == 0)
            return;
        for (int i = held + 1; i <= TCards_I1x36::Size(); ++i)
            if (!g_.CardsI[seat][i].Empty() || g_.CardsJ[seat][i] != EmptyRank) failAt("not compact", i);
    }

    void CheckTable() {
        if (g_.OchGame != g_.KolCardsStol + 1) Fail("OchGame does not follow KolCardsStol");
        for (int i = 1; i <= 12; ++i) {
            bool used = i < g_.OchGame;
            if (used && g_.InGameJ[i] != RankOf(g_.InGameI[i])) Fail("table rank byte wrong");
            if (!used && (!g_.InGameI[i].Empty() || g_.InGameJ[i] != EmptyRank))
                Fail("table slot beyond OchGame used");
        }
        if (g_.KolHods > g_.BoutLimit) Fail("KolHods above BoutLimit");
        int beaten = g_.KolCardsStol - g_.KolHods;
        if (beaten < 0 || g_.KolFree != g_.KolHods - beaten) Fail("KolFree does not match the table");
        int defender = DefenderSeat(g_);
        if (!g_.GameOver && defender != 0 && g_.KolFree > g_.KolCards[defender])
            Fail("more unbeaten cards than the defender holds");
        if (g_.KolCardsStol == 0) {
            if (!g_.KartaHod.Empty() || g_.DostHod != EmptyRank) Fail("KartaHod set between bouts");
        } else {
            bool onTable = false;
            for (int i = 1; i < g_.OchGame; ++i) onTable = onTable || g_.InGameI[i] == g_.KartaHod;
            if (!onTable || g_.DostHod != RankOf(g_.KartaHod)) Fail("KartaHod is not a card on the table");
        }
    }

    const GameState& g_;
    std::array<int, DeckSize + 1> seen_{};
    std::vector<std::string> problems_;
};

} // namespace

std::vector<std::string> CheckInvariants(const GameState& g) {
    return Checker(g).Run();
}

} // namespace tarvo
