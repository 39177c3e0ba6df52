#include "TestSupport.h"

#include <algorithm>
#include <stdexcept>

#include "core/Queries.h"
#include "core/Rules.h"

namespace tarvo::test {

TStr2 Card(const std::string& utf8) {
    auto card = TStr2::FromUtf8(utf8);
    if (!card) throw std::invalid_argument("not a card: " + utf8);
    return *card;
}

namespace {
std::vector<TStr2> Cards(const std::string& codes) {
    std::istringstream in(codes);
    std::vector<TStr2> cards;
    for (std::string word; in >> word;) cards.push_back(Card(word));
    return cards;
}
} // namespace

GameState Position(const std::vector<std::string>& hands, int attacker, const std::string& talon,
                   char trump) {
    GameState g;
    std::vector<bool> placed(DeckSize + 1, false);
    for (int seat = 1; seat <= 3; ++seat) {
        auto cards = Cards(hands.at(static_cast<std::size_t>(seat - 1)));
        for (std::size_t i = 0; i < cards.size(); ++i) {
            g.CardsI[seat][static_cast<int>(i) + 1] = cards[i];
            g.CardsJ[seat][static_cast<int>(i) + 1] = RankOf(cards[i]);
            placed[static_cast<std::size_t>(CardNumber(cards[i]))] = true;
        }
        g.KolCards[seat] = static_cast<Byte>(cards.size());
    }
    auto talonCards = Cards(talon);
    for (TStr2 c : talonCards) placed[static_cast<std::size_t>(CardNumber(c))] = true;
    if (!talonCards.empty()) trump = talonCards.back().suit;

    // Discarded cards fill the deck before the talon; the bottom card must show the trump.
    std::vector<TStr2> rest;
    for (int n = 1; n <= DeckSize; ++n)
        if (!placed[static_cast<std::size_t>(n)]) rest.push_back(CardFromNumber(n));
    std::vector<TStr2> deck = rest;
    for (int seat = 1; seat <= 3; ++seat)
        for (int i = 1; i <= g.KolCards[seat]; ++i) deck.push_back(g.CardsI[seat][i]);
    if (talonCards.empty()) {
        auto trumpCard = std::find_if(deck.begin(), deck.end(), [&](TStr2 c) { return c.suit == trump; });
        std::rotate(trumpCard, trumpCard + 1, deck.end());
    }
    deck.insert(deck.end(), talonCards.begin(), talonCards.end());
    for (int p = 1; p <= DeckSize; ++p) {
        g.KolodaI[p] = deck[static_cast<std::size_t>(p - 1)];
        g.KolodaJ[p] = RankOf(g.KolodaI[p]);
    }
    g.Koz = trump;
    g.Och = static_cast<Byte>(DeckSize + 1 - talonCards.size());
    for (std::size_t i = 0; i < rest.size(); ++i) g.Bito[static_cast<int>(i) + 1] = rest[i];
    g.BitoNext = static_cast<Byte>(rest.size() + 1);
    for (int seat = 1; seat <= 3; ++seat)
        g.KolCards[seat] =
            static_cast<Byte>(SortHand(g.CardsI[seat], g.CardsJ[seat], g.CardsAux[seat], g.Koz));

    g.HodSeat = static_cast<Byte>(attacker);
    g.HodPhase = 1;
    g.StartPending = 2;
    g.KonNumber = 1;
    int empty = 0, emptySeat = 0;
    for (int seat = 1; seat <= 3; ++seat)
        if (g.KolCards[seat] == 0) ++empty, emptySeat = seat;
    if (empty == 1) {
        g.DuelMode = 1;
        g.DuelPhase = 1;
        g.DuelPair = static_cast<Byte>(emptySeat == 3 ? 1 : emptySeat == 1 ? 2 : 3);
    }
    return g;
}

int RecordingView::Count(const std::string& event) const {
    return static_cast<int>(std::count(events.begin(), events.end(), event));
}

std::string RecordingView::Name(Bubble b) {
    switch (b) {
    case Bubble::Name:
        return "Name";
    case Bubble::Go:
        return "Go";
    case Bubble::Pass:
        return "Pass";
    case Bubble::Take:
        return "Take";
    case Bubble::Blank:
        return "Blank";
    }
    return "?";
}

std::string RecordingView::Name(ActionCaption c) {
    switch (c) {
    case ActionCaption::ToBegin:
        return "ToBegin";
    case ActionCaption::Take:
        return "Take";
    case ActionCaption::Pass:
        return "Pass";
    case ActionCaption::Beaten:
        return "Beaten";
    case ActionCaption::Ok:
        return "Ok";
    case ActionCaption::PlayStill:
        return "PlayStill";
    }
    return "?";
}

} // namespace tarvo::test
