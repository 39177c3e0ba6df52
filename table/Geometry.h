// The table's geometry: every part is placed from the 760 x 500 design space by one scaling
// rule. Plain arithmetic, so that it is exact and testable without a window.
#pragma once

#include <array>
#include <vector>

namespace tarvo {

// Round to nearest, ties to even, as every placement of the table does.
int RoundEven(double v);

struct Rect {
    int left = 0, top = 0, width = 0, height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
    bool operator==(const Rect&) const = default;
};

// Scale factors of a window size (1, 3, 4, 5; 2 is full screen with the client size given).
struct Scale {
    int clientWidth = 760, clientHeight = 500;
    double Sx = 1.0, Sy = 1.0, S = 1.0;

    static Scale ForWindowSize(int windowSize, int fullWidth = 0, int fullHeight = 0);

    int Scaled(double n) const { return RoundEven(n * S); }
    int PlaceX(double x, double w) const { return RoundEven(Sx * x) + RoundEven((Sx - S) * w / 2); }
    int PlaceY(double y, double h) const { return RoundEven(Sy * y) + RoundEven((Sy - S) * h / 2); }
    // A part whose design rectangle is (l, t)-(r, b).
    Rect Place(int l, int t, int r, int b) const {
        return {PlaceX(l, r - l), PlaceY(t, b - t), Scaled(r - l), Scaled(b - t)};
    }
};

// Design rectangles (left, top, right, bottom) of the per-seat parts, seats 1..3.
struct DesignRect {
    int l, t, r, b;
};
constexpr std::array<DesignRect, 3> HandRects{
    {{20, 10, 310, 106}, {450, 10, 740, 106}, {110, 395, 650, 491}}};
constexpr std::array<DesignRect, 3> PlateRects{
    {{15, 112, 145, 182}, {615, 112, 745, 182}, {615, 320, 745, 390}}};
constexpr std::array<DesignRect, 3> BubbleRects{
    {{150, 130, 310, 150}, {450, 130, 610, 150}, {300, 350, 460, 370}}};
constexpr DesignRect TalonRect{28, 193, 128, 363};
constexpr DesignRect TableRect{135, 180, 612, 310};
constexpr DesignRect CounterRect{615, 190, 745, 250};
constexpr DesignRect HelpRect{60, 410, 100, 470};
constexpr DesignRect MemoRect{315, 10, 445, 100};
// Move timers, seats 1..3 and the fourth for no seat. The two opponents' dials sit in their name
// plates, right of the turn pointer: beside their bubbles the table's cards would hide them.
constexpr std::array<DesignRect, 4> TimerRects{
    {{100, 142, 136, 178}, {700, 142, 736, 178}, {560, 330, 610, 380}, {470, 330, 520, 380}}};

// Attack and defence card x offsets of the six table pairs (before scaling); attack cards lie
// 30 lower than the cards that beat them.
constexpr std::array<int, 6> AttackX{0, 74, 148, 222, 296, 370};
constexpr std::array<int, 6> DefenceX{30, 104, 178, 252, 326, 400};

struct Layout {
    Scale scale;
    int cellWidth = 69, cellHeight = 94;
    std::array<Rect, 4> hands{}, plates{}, bubbles{}; // index seat - 1
    std::array<Rect, 4> timers{};                     // index seat - 1; the fourth for no seat
    Rect talon, table, counter, help, memo, chatEdit, chatSend;

    static Layout For(const Scale& scale, int cellWidth, int cellHeight);

    // Top-left corner of table card n (odd: attack card of pair (n + 1) / 2, even: its beater).
    std::array<int, 2> TableCardPlace(int n) const;
    // Where a card flying from or to a hand starts: the top centre of the hand part.
    std::array<int, 2> HandCentre(int seat) const;
    // Where cards dealt from the talon start.
    std::array<int, 2> TalonDealPlace() const;
};

// x offsets of count cards in a strip from left to right, centred when they fit with a
// 3-pixel gap, otherwise overlapping evenly.
std::vector<int> ArrangeHand(int left, int right, int count, int cellWidth);

// The tops (before scaling) of the turned backs stacked on the talon for its card count.
std::vector<int> TalonBackTops(int remaining);

// Width of the message window for the widest of its lines (in pixels at its font).
int MessageWindowWidth(int widestTextWidth);

} // namespace tarvo
