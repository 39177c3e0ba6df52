#include "RecordBody.h"

#include <array>
#include <string_view>

namespace tarvo {
namespace {

struct StepRow {
    int step;
    char moverBubble;
    Role goRole;
    char sound;
    Role enableRole;
    bool beatenCaption;
};

constexpr StepRow NoStep{0, 'i', Role::None, 'i', Role::None, false};

StepRow ThreePlayerStep(int phase, bool isCard) {
    using R = Role;
    if (isCard) switch (phase) {
        case 1:
            return {1, 'g', R::None, 'i', R::Defender, false};
        case 2:
            return {2, 'i', R::None, 'i', R::Defender, false};
        case 3:
            return {4, 'i', R::None, 'i', R::None, false};
        case 4:
            return {6, 'i', R::None, 'i', R::Defender, false};
        case 5:
            return {8, 'i', R::None, 'i', R::None, false};
        case 6:
            return {10, 'i', R::None, 'i', R::Attacker, false};
        case 7:
            return {12, 'i', R::None, 'i', R::Defender, false};
        case 8:
            return {14, 'i', R::None, 'i', R::None, false};
        case 9:
            return {16, 'g', R::None, 'i', R::Defender, false};
        case 10:
            return {18, 'i', R::None, 'i', R::None, false};
        case 14:
            return {20, 'i', R::None, 'i', R::Third, false};
        default:
            return NoStep;
        }
    switch (phase) {
    case 2:
        return {3, 'a', R::Third, 'd', R::Third, false};
    case 3:
        return {5, 'a', R::Third, 'd', R::Third, false};
    case 4:
        return {7, 'a', R::None, 'a', R::Defender, true};
    case 5:
        return {9, 'a', R::None, 'd', R::Defender, false};
    case 6:
        return {11, 't', R::None, 't', R::Attacker, false};
    case 7:
        return {13, 'a', R::Attacker, 'd', R::Attacker, false};
    case 8:
        return {15, 'a', R::Attacker, 'd', R::Attacker, false};
    case 9:
        return {17, 'a', R::None, 'a', R::Defender, true};
    case 10:
        return {19, 'a', R::None, 'd', R::Defender, false};
    case 14:
        return {21, 't', R::None, 't', R::Third, false};
    default:
        return NoStep;
    }
}

StepRow TwoPlayerStep(int phase, bool isCard) {
    using R = Role;
    if (isCard) switch (phase) {
        case 1:
            return {24, 'g', R::None, 'i', R::Defender, false};
        case 2:
            return {25, 'g', R::None, 'i', R::Defender, false};
        case 3:
            return {27, 'i', R::None, 'i', R::Attacker, false};
        case 4:
            return {29, 'i', R::None, 'i', R::None, false};
        default:
            return NoStep;
        }
    switch (phase) {
    case 2:
        return {26, 'a', R::None, 'a', R::Defender, true};
    case 3:
        return {28, 't', R::None, 't', R::Attacker, false};
    case 4:
        return {30, 'a', R::None, 'd', R::Defender, false};
    default:
        return NoStep;
    }
}

// Two-player end codes: two letters share each meaning (who takes, or who leads next, as the
// receiver's seat 1, 2, 3). The letters the step tables name for the usual seatings are sent as
// they stand, by row (attacker 1, attacker 2, attacker 3 with pair 2, with pair 3) and receiver
// (local seat 2, local seat 1); any other seating gets the first letter of the right meaning.
constexpr char TakenCodes[4][2] = {{'d', 'g'}, {'k', 'e'}, {'l', 'd'}, {'e', 'h'}};
constexpr char BeatenCodes[4][2] = {{'f', 'o'}, {'m', 'p'}, {'n', 'f'}, {'p', 'j'}};
constexpr std::string_view TakenMeaning[4] = {"", "dk", "eg", "hl"};
constexpr std::string_view BeatenMeaning[4] = {"", "fm", "po", "jn"};

char DuelEndCode(const char (&codes)[4][2], const std::string_view (&meaning)[4], const StepRecord& s, int n,
                 int receiver) {
    int row = s.endAttacker == 1 ? 0 : s.endAttacker == 2 ? 1 : s.endPair == 2 ? 2 : 3;
    char c = codes[row][receiver == 2 ? 0 : 1];
    return meaning[n].find(c) != std::string_view::npos ? c : meaning[n][0];
}

// End-of-bout code for the receiver, in its numbering.
char EndCode(const StepRecord& s, int receiver) {
    int n = SeatInReceiverNumbering(s.endSeat, receiver);
    switch (s.endKind) {
    case 'T':
        return static_cast<char>('0' + n); // the taker
    case 'B':
        return "?bca"[n]; // the attacker: seat 1 "b", 2 "c", 3 "a"
    case 't':
        return DuelEndCode(TakenCodes, TakenMeaning, s, n, receiver);
    case 'b':
        return DuelEndCode(BeatenCodes, BeatenMeaning, s, n, receiver);
    default:
        return 'i';
    }
}

} // namespace

StepRecord DescribeMove(const GameState& before, bool isCard, int slot) {
    int phase = before.DuelMode ? before.DuelPhase : before.HodPhase;
    StepRow row = before.DuelMode ? TwoPlayerStep(phase, isCard) : ThreePlayerStep(phase, isCard);
    StepRecord s;
    s.step = row.step;
    s.mover = ActingSeat(before);
    s.moverBubble = row.moverBubble;
    s.goSeat = SeatOfRole(before, row.goRole);
    s.sound = row.sound;
    s.enableSeat = SeatOfRole(before, row.enableRole);
    s.beatenCaption = row.beatenCaption;
    if (isCard) {
        s.cardKind = CurrentKind(before);
        s.cardSlot = slot;
    }
    return s;
}

StepRecord DescribeBoutEnd(const GameState& before) {
    StepRecord s;
    int attacker = AttackerSeat(before), defender = DefenderSeat(before);
    s.endAttacker = attacker;
    s.endPair = before.DuelPair;
    if (!before.DuelMode) {
        bool taken = before.HodPhase == 12;
        s.step = taken ? 22 : 23;
        s.endKind = taken ? 'T' : 'B';
        s.endSeat = taken ? defender : attacker;
        s.mover = defender; // the defender's machine confirms
    } else {
        bool taken = before.DuelPhase == 6;
        s.step = taken ? 32 : 31;
        s.endKind = taken ? 't' : 'b';
        s.endSeat = defender; // the taker, or the next attacker after a beaten bout
    }
    return s;
}

std::optional<std::string> BuildBody(const StepRecord& s, int receiver) {
    if ((s.step == 22 || s.step == 23) && receiver == s.mover) return std::nullopt;
    std::string body(13, 'i');
    if (s.enableSeat == receiver) {
        body[0] = 'e';
        if (s.beatenCaption) body[1] = '4';
    }
    if (s.mover != 0 && s.moverBubble != 'i' && !s.endKind)
        body[static_cast<std::size_t>(1 + SeatInReceiverNumbering(s.mover, receiver))] = s.moverBubble;
    if (s.goSeat != 0) body[static_cast<std::size_t>(1 + SeatInReceiverNumbering(s.goSeat, receiver))] = 'g';
    body[5] = s.sound;
    if (s.cardKind != NoKind) {
        int n = SeatInReceiverNumbering(s.mover, receiver);
        if (n == 1 || n == 2) {
            std::size_t at = n == 1 ? 6 : 9;
            body[at] = static_cast<char>('0' + s.cardKind);
            body[at + 1] = static_cast<char>('0' + s.cardSlot / 10);
            body[at + 2] = static_cast<char>('0' + s.cardSlot % 10);
        }
    }
    if (s.endKind) body[12] = EndCode(s, receiver);
    return body;
}

} // namespace tarvo
