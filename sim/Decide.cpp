#include <stdexcept>

#include <nlohmann/json.hpp>

#include "ai/Computer.h"
#include "match/Match.h"
#include "core/Codec.h"
#include "sim/Simulator.h"

namespace tarvo::sim {
namespace {

using Json = nlohmann::json;

struct BadPosition : std::runtime_error {
    using std::runtime_error::runtime_error;
};

const Json& Field(const Json& in, const char* name) {
    auto it = in.find(name);
    if (it == in.end()) throw BadPosition(std::string("missing \"") + name + "\"");
    return *it;
}

int Int(const Json& in, const char* name, int lo, int hi) {
    const Json& v = Field(in, name);
    if (!v.is_number_integer()) throw BadPosition(std::string("\"") + name + "\" must be an integer");
    auto n = v.get<long long>();
    if (n < lo || n > hi)
        throw BadPosition(std::string("\"") + name + "\" must be " + std::to_string(lo) + ".." +
                          std::to_string(hi));
    return static_cast<int>(n);
}

bool Bool(const Json& in, const char* name) {
    const Json& v = Field(in, name);
    if (!v.is_boolean()) throw BadPosition(std::string("\"") + name + "\" must be true or false");
    return v.get<bool>();
}

TStr2 Card(const Json& v, const std::string& where, bool emptyAllowed) {
    if (!v.is_string()) throw BadPosition(where + " must be a card code");
    auto card = TStr2::FromUtf8(v.get<std::string>());
    if (card && IsRealCard(*card)) return *card;
    if (card && emptyAllowed && card->Empty()) return *card;
    throw BadPosition(where + " is not a card: " + v.dump());
}

// Reads a position and checks everything the decision relies on; anything else is the caller's.
struct Position {
    GameState g;
    MoveKind kind = NoKind;
    int seat = 0;
    bool isThird = false;
    bool strong = false;
    std::uint32_t seed = 1;
    std::array<std::vector<TStr2>, 4> taken; // cards each seat was seen to pick up
};

Position Read(const Json& in) {
    if (!in.is_object()) throw BadPosition("a position must be a JSON object");
    Position p;
    GameState& g = p.g;
    std::array<bool, DeckSize + 1> seen{};
    auto place = [&](TStr2 card, const std::string& where) {
        auto& was = seen[static_cast<std::size_t>(CardNumber(card))];
        if (was) throw BadPosition(card.Utf8() + " appears twice (again in " + where + ")");
        was = true;
    };

    const Json& trump = Field(in, "trump");
    std::string suit = trump.is_string() ? Utf8ToCp1251(trump.get<std::string>()) : "";
    if (suit.size() != 1 || SuitIndex(suit[0]) == 0) throw BadPosition("\"trump\" must be one of ч б к п");
    g.Koz = suit[0];
    g.Och = static_cast<Byte>(Int(in, "och", 1, DeckSize + 1));

    const Json& hands = Field(in, "hands");
    if (!hands.is_array() || hands.size() != 3)
        throw BadPosition("\"hands\" must hold three arrays, seats 1 to 3");
    for (int seat = 1; seat <= 3; ++seat) {
        const Json& hand = hands[static_cast<std::size_t>(seat - 1)];
        std::string where = "hand " + std::to_string(seat);
        if (!hand.is_array() || hand.size() > DeckSize)
            throw BadPosition(where + " must be an array of at most 36 cards");
        for (const Json& code : hand) {
            TStr2 card = Card(code, where, false);
            place(card, where);
            int slot = ++g.KolCards[seat];
            g.CardsI[seat][slot] = card;
            g.CardsJ[seat][slot] = RankOf(card);
        }
    }

    const Json& table = Field(in, "table");
    if (!table.is_array() || table.size() > 12)
        throw BadPosition("\"table\" must be an array of at most 12 cards");
    for (const Json& code : table) {
        TStr2 card = Card(code, "the table", false);
        place(card, "the table");
        g.InGameI[g.OchGame] = card;
        g.InGameJ[g.OchGame] = RankOf(card);
        ++g.OchGame;
        ++g.KolCardsStol;
    }
    g.KartaHod = Card(Field(in, "kartaHod"), "\"kartaHod\"", true);
    g.DostHod = RankOf(g.KartaHod);
    bool onTable = false;
    for (int i = 1; i < g.OchGame; ++i) onTable = onTable || g.InGameI[i] == g.KartaHod;
    if (g.KolCardsStol == 0 && !g.KartaHod.Empty())
        throw BadPosition("\"kartaHod\" must be \"##\" with an empty table");
    if (g.KolCardsStol > 0 && !onTable) throw BadPosition("\"kartaHod\" must be a card on the table");

    g.KolHods = static_cast<Byte>(Int(in, "kolHods", 0, 6));
    g.KolFree = static_cast<Byte>(Int(in, "kolFree", 0, g.KolHods));
    g.BoutLimit = static_cast<Byte>(Int(in, "boutLimit", 5, 6));
    g.HodSeat = static_cast<Byte>(Int(in, "hodSeat", 1, 3));
    g.DuelMode = static_cast<Byte>(Int(in, "duelMode", 0, 1));
    g.DuelPair = static_cast<Byte>(Int(in, "duelPair", g.DuelMode ? 1 : 0, 3));
    p.kind = static_cast<MoveKind>(Int(in, "kind", 1, 4));
    p.seat = Int(in, "seat", 1, 3);
    p.isThird = Bool(in, "isThird");

    // The strong computer plays the game on from here, so it needs the phase, and the trump under
    // the talon that every seat sees.
    p.strong = in.contains("strong") && Bool(in, "strong");
    if (in.contains("seed")) p.seed = static_cast<std::uint32_t>(Int(in, "seed", 0, 2147483647));
    if (in.contains("trumpCard")) {
        TStr2 card = Card(in["trumpCard"], "\"trumpCard\"", false);
        if (card.suit != g.Koz) throw BadPosition("\"trumpCard\" must be of the trump suit");
        if (g.Och <= DeckSize) place(card, "\"trumpCard\"");
        g.KolodaI[DeckSize] = card;
        g.KolodaJ[DeckSize] = RankOf(card);
    }
    if (in.contains("bito")) {
        const Json& bito = in["bito"];
        if (!bito.is_array() || bito.size() > DeckSize) throw BadPosition("\"bito\" must be an array of at most 36 cards");
        for (const Json& code : bito) {
            TStr2 card = Card(code, "\"bito\"", false);
            place(card, "\"bito\"");
            g.Bito[g.BitoNext++] = card;
        }
    }
    if (in.contains("taken")) {
        const Json& taken = in["taken"];
        if (!taken.is_array() || taken.size() != 3) throw BadPosition("\"taken\" must hold three arrays, seats 1 to 3");
        for (int seat = 1; seat <= 3; ++seat)
            for (const Json& code : taken[static_cast<std::size_t>(seat - 1)]) {
                TStr2 card = Card(code, "\"taken\"", false);
                bool held = false;
                for (int i = 1; i <= g.KolCards[seat]; ++i) held = held || g.CardsI[seat][i] == card;
                if (!held) throw BadPosition(card.Utf8() + " in \"taken\" is not in hand " + std::to_string(seat));
                p.taken[static_cast<std::size_t>(seat)].push_back(card);
            }
    }
    if (p.kind == Lead && g.KolCardsStol > 0) throw BadPosition("a lead needs an empty table");
    if (p.kind != Lead && g.KolCardsStol == 0)
        throw BadPosition("this kind of move needs cards on the table");
    if (g.DuelMode) {
        int a = PairFirst(g.DuelPair), b = PairSecond(g.DuelPair);
        if (g.HodSeat != a && g.HodSeat != b) throw BadPosition("\"hodSeat\" is not one of the pair");
        if (p.seat != a && p.seat != b) throw BadPosition("\"seat\" is not one of the pair");
    }
    g.HodPhase = 1;
    g.StartPending = 2;
    if (p.strong && !g.DuelMode) {
        g.HodPhase = static_cast<Byte>(Int(in, "hodPhase", 1, 14));
        if (ActingSeat(g) != p.seat || CurrentKind(g) != p.kind)
            throw BadPosition("\"hodPhase\" does not give this seat this kind of move");
        if (g.Och <= DeckSize && !IsRealCard(g.KolodaI[DeckSize]))
            throw BadPosition("the strong computer needs \"trumpCard\" while the talon holds cards");
    }
    return p;
}

} // namespace

std::string DecideLine(const std::string& line) {
    Json in = Json::parse(line, nullptr, false);
    if (in.is_discarded()) return Json{{"error", "the line is not valid JSON"}}.dump();
    try {
        Position p = Read(in);
        NullView view;
        AiPlayer computer(SearchOptions::Headless());
        computer.SetStrong(p.seat, p.strong);
        computer.StrongSettings().seed = p.seed;
        for (int seat = 1; seat <= 3; ++seat)
            for (TStr2 card : p.taken[static_cast<std::size_t>(seat)]) computer.Seen().Note(p.g, seat, card);
        MoveChoice move = computer.Decide(p.g, view, p.kind, p.seat, p.isThird);
        TStr2 card = move.pass ? NoCard : p.g.CardsI[p.seat][move.slot];
        nlohmann::ordered_json out{
            {"slot", move.pass ? 0 : move.slot}, {"card", card.Utf8()}, {"pass", move.pass}};
        return out.dump();
    } catch (const BadPosition& e) {
        return Json{{"error", e.what()}}.dump();
    }
}

} // namespace tarvo::sim
