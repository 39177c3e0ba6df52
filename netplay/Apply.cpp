#include "netplay/Apply.h"

#include <string_view>

#include "core/Queries.h"
#include "core/Round.h"
#include "core/Rules.h"
#include "match/Match.h"

namespace tarvo {
namespace {

// The seats dealt from the three packets of the deck, in deck order.
constexpr int PacketSeats[3] = {3, 1, 2};

bool HandHoldsTrump(const GameState& g) {
    for (int seat = 1; seat <= 3; ++seat)
        if (LowestOfSuit(g.CardsI[seat], g.CardsJ[seat], g.Koz) != 0) return true;
    return false;
}

// The codes that end the pending bout in this machine's numbering: who takes, or who leads next.
bool EndCodeFits(const GameState& g, BoutEnd how, char code) {
    const int attacker = AttackerSeat(g), defender = DefenderSeat(g);
    constexpr std::string_view DuelTaken[4] = {"", "dk", "eg", "hl"};
    constexpr std::string_view DuelBeaten[4] = {"", "fm", "po", "jn"};
    switch (how) {
    case BoutEnd::Taken:
        return code == static_cast<char>('0' + defender);
    case BoutEnd::Beaten:
        return code == "?bca"[attacker];
    case BoutEnd::DuelTaken:
        return DuelTaken[defender].find(code) != std::string_view::npos;
    case BoutEnd::DuelBeaten:
        return DuelBeaten[defender].find(code) != std::string_view::npos;
    }
    return false;
}

ActionCaption CaptionOf(char c) {
    return c == '1'   ? ActionCaption::ToBegin
           : c == '2' ? ActionCaption::Take
           : c == '3' ? ActionCaption::Pass
                      : ActionCaption::Beaten;
}

// The one card of a record (seat 1 or 2), 0 when none.
int CardSeat(const RecordMsg& r) {
    if (r.cards[0].kind != NoKind) return 1;
    if (r.cards[1].kind != NoKind) return 2;
    return 0;
}

std::string SeatText(int seat) {
    return "seat " + std::to_string(seat);
}

} // namespace

Deck DeckForRole(const Deck& serverDeck, int role) {
    Deck deck = serverDeck;
    for (int packet = 0; packet < 3; ++packet) {
        const int from = RoleOfSeat(PacketSeats[packet], role) - 1; // the server deals role r's packet r - 1
        for (int i = 1; i <= 6; ++i) deck[packet * 6 + i] = serverDeck[from * 6 + i];
    }
    return deck;
}

std::string DealMessageOf(const GameState& g) {
    Deck deck;
    for (int i = 1; i <= DeckSize; ++i) deck[i] = g.KolodaI[i];
    return DealMessage(deck, g.Rules.FirstMove == 1, g.Rules.FirstBoutFive);
}

void DealFromServer(GameState& g, TableView& view, const DealMsg& deal, int role, bool keepSeries,
                    int storedGames) {
    // Decided as the deal decides it, before the deal clears the last game's result.
    const bool lowestTrump = !keepSeries || g.Loser == 4 || g.FirstSeat < 1 || g.FirstSeat > 3;
    g.Rules.FirstMove = deal.firstMove ? 1 : 0;
    g.Rules.FirstBoutFive = deal.firstBoutFive;
    DealDeck(g, view, DeckForRole(deal.deck, role), keepSeries, storedGames);
    // With no trump in any hand every machine would choose its own human: the server's choice
    // holds.
    if (lowestTrump && !HandHoldsTrump(g)) g.HodSeat = static_cast<Byte>(SeatOfRole(ServerRole, role));
}

std::string CheckRecord(const GameState& g, const RecordMsg& r, int senderSeat, int computerSeat) {
    GameState probe = g;
    NullView none;
    if (probe.StartPending == 1) BeginPlay(probe);
    if (probe.StartPending != 2 || probe.GameOver) return "a record between games";
    const int cardSeat = CardSeat(r);
    if (r.cards[0].kind != NoKind && r.cards[1].kind != NoKind) return "two cards in one record";

    if (r.end != 'i') {
        if (cardSeat) return "a card and a bout end in one record";
        auto how = PendingBoutEnd(probe);
        if (!how) return "a bout end while the bout goes on";
        if (!EndCodeFits(probe, *how, r.end))
            return std::string("end-of-bout code ") + r.end + " for another end";
        if ((r.hodPhase != -1 && r.hodPhase != 1) ||
            (r.duelPhase != -1 && r.duelPhase != (probe.DuelMode ? 1 : probe.DuelPhase)))
            return "the phases of a bout end";
        return {};
    }

    const int actor = ActingSeat(probe);
    if (actor == 3 || actor == 0 || CurrentKind(probe) == NoKind)
        return "a step while none is due from the others";
    if (g.StartPending == 1 && actor == computerSeat && computerSeat == 2)
        return "the computer's first lead, which the server computes";
    if (actor != senderSeat && actor != computerSeat)
        return "a step of " + SeatText(actor) + " from its neighbour";
    if (cardSeat) {
        const RecordCard& card = r.cards[static_cast<std::size_t>(cardSeat - 1)];
        if (cardSeat != actor) return "a card of " + SeatText(cardSeat) + " out of turn";
        if (card.kind != CurrentKind(probe)) return "a card of the wrong move kind";
        if (card.slot > probe.KolCards[actor] || probe.CardsI[actor][card.slot].Empty())
            return "a card from the empty slot " + std::to_string(card.slot) + " of " + SeatText(actor);
        if (!ApplyCard(probe, none, card.slot)) return "a card the rules refuse";
    } else if (!ApplyPass(probe, none)) {
        return "a pass the rules refuse";
    }
    if ((r.hodPhase != -1 && r.hodPhase != probe.HodPhase) ||
        (r.duelPhase != -1 && r.duelPhase != probe.DuelPhase))
        return "phases the rules do not reach";
    return {};
}

void ApplyRecord(StepDriver& d, const RecordMsg& r) {
    MatchContext& m = d.Match();
    if (m.g.StartPending == 1) d.Begin();
    if (r.end != 'i') {
        d.EndBout(StepOrigin::Remote);
    } else if (const int seat = CardSeat(r)) {
        d.GivenStep(seat, PlaySlot(r.cards[static_cast<std::size_t>(seat - 1)].slot), StepOrigin::Remote);
    } else {
        d.GivenStep(ActingSeat(m.g), PassChoice, StepOrigin::Remote);
    }
    if (r.caption != 'i') m.view.SetActionCaption(CaptionOf(r.caption));
    m.view.EnableActionButton(r.enable);
}

} // namespace tarvo
