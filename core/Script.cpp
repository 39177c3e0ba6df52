#include "Script.h"

#include <sstream>

#include "Queries.h"
#include "Round.h"
#include "Rules.h"

namespace tarvo {
namespace {

MoveKind KindOfCardVerb(const std::string& verb) {
    if (verb == "leads") return Lead;
    if (verb == "throws") return ThrowIn;
    if (verb == "beats") return Beat;
    if (verb == "adds") return Add;
    return NoKind;
}

bool PassVerbFits(const std::string& verb, MoveKind kind) {
    if (verb == "takes") return kind == Beat;
    if (verb == "stops") return kind == Add;
    if (verb == "passes") return kind == ThrowIn || kind == Add;
    return false;
}

std::string ApplyStep(GameState& g, TableView& view, std::istringstream& in, const std::string& first) {
    if (first == "start") {
        if (g.StartPending != 1) return "the game is not waiting for its start";
        BeginPlay(g);
        return {};
    }
    if (first == "confirm") {
        auto end = PendingBoutEnd(g);
        if (!end) return "no bout end to confirm";
        FinishBout(g, view, *end);
        return {};
    }
    int seat = std::atoi(first.c_str());
    std::string verb;
    in >> verb;
    if (seat != ActingSeat(g) || CurrentKind(g) == NoKind)
        return "seat " + first + " is not to act (acting seat " + std::to_string(ActingSeat(g)) + ")";
    MoveKind kind = CurrentKind(g);
    if (MoveKind cardKind = KindOfCardVerb(verb); cardKind != NoKind) {
        std::string code;
        in >> code;
        auto card = TStr2::FromUtf8(code);
        if (!card) return "not a card: " + code;
        if (cardKind != kind) return "the phase wants move kind " + std::to_string(kind);
        int slot = SlotOfCard(g.CardsI[seat], *card);
        if (slot == 0) return "seat " + first + " does not hold " + code;
        if (!ApplyCard(g, view, slot)) return code + " may not be played now";
        return {};
    }
    if (!PassVerbFits(verb, kind)) return "'" + verb + "' does not fit move kind " + std::to_string(kind);
    if (!ApplyPass(g, view)) return "a pass is not allowed now";
    return {};
}

} // namespace

std::string RunScriptLine(GameState& g, TableView& view, std::string_view line) {
    std::string text(line);
    std::string expectation;
    if (auto arrow = text.find("->"); arrow != std::string::npos) {
        expectation = text.substr(arrow + 2);
        text.erase(arrow);
    }
    std::istringstream in(text);
    std::string first;
    if (!(in >> first)) return "empty line";
    GameState before = g;
    std::string error = ApplyStep(g, view, in, first);
    if (error.empty() && !expectation.empty()) {
        int want = std::atoi(expectation.c_str());
        int phase = g.DuelMode ? g.DuelPhase : g.HodPhase;
        if (phase != want) error = "phase " + std::to_string(phase) + ", expected " + std::to_string(want);
    }
    if (!error.empty()) g = before;
    return error;
}

std::string RunScript(GameState& g, TableView& view, const std::vector<std::string>& lines) {
    for (const auto& line : lines)
        if (std::string error = RunScriptLine(g, view, line); !error.empty())
            return "'" + line + "': " + error;
    return {};
}

} // namespace tarvo
