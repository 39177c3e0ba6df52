#include "Geometry.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

namespace tarvo {

int RoundEven(double v) {
    // The default rounding mode rounds ties to even; nothing in the program changes it.
    return static_cast<int>(std::nearbyint(v));
}

Scale Scale::ForWindowSize(int windowSize, int fullWidth, int fullHeight) {
    Scale s;
    // The client sizes are the window's own, a little roomier than 760 x 500 scaled.
    switch (windowSize) {
    case 3:
        s = {990, 650, 1.3, 1.3, 1.3};
        break;
    case 4:
        s = {1290, 850, 1.7, 1.7, 1.7};
        break;
    case 5:
        s = {1520, 1000, 2.0, 2.0, 2.0};
        break;
    case 2:
        if (fullWidth > 0 && fullHeight > 0) {
            s.Sx = fullWidth / 760.0;
            s.Sy = fullHeight / 500.0;
            s.S = std::min(s.Sx, s.Sy);
            s.clientWidth = fullWidth;
            s.clientHeight = fullHeight;
            return s;
        }
        break;
    default:
        break;
    }
    return s;
}

Layout Layout::For(const Scale& scale, int cellWidth, int cellHeight) {
    Layout L;
    L.scale = scale;
    L.cellWidth = cellWidth;
    L.cellHeight = cellHeight;
    auto place = [&](const DesignRect& d) { return scale.Place(d.l, d.t, d.r, d.b); };
    for (std::size_t i = 0; i < 3; ++i) {
        L.hands[i] = place(HandRects[i]);
        L.hands[i].height = cellHeight; // a hand is as high as a card
        L.plates[i] = place(PlateRects[i]);
        L.bubbles[i] = place(BubbleRects[i]);
    }
    for (std::size_t i = 0; i < 4; ++i) L.timers[i] = place(TimerRects[i]);
    L.talon = place(TalonRect);
    L.table = place(TableRect);
    L.counter = place(CounterRect);
    L.help = place(HelpRect);
    L.memo = place(MemoRect);
    L.chatEdit = {L.memo.left,
                  L.memo.Bottom() + scale.Scaled(1) + RoundEven((scale.Scaled(35) - scale.Scaled(20)) / 2.0),
                  L.memo.width - scale.Scaled(36), scale.Scaled(20)};
    L.chatSend = {L.memo.Right() - scale.Scaled(35), L.memo.Bottom() + scale.Scaled(1), scale.Scaled(35),
                  scale.Scaled(35)};
    return L;
}

std::array<int, 2> Layout::TableCardPlace(int n) const {
    bool attack = n % 2 == 1;
    std::size_t pair = static_cast<std::size_t>(attack ? (n + 1) / 2 : n / 2) - 1;
    int x = table.left + scale.Scaled(attack ? AttackX[pair] : DefenceX[pair]);
    int y = table.top + (attack ? scale.Scaled(30) : 0);
    return {x, y};
}

std::array<int, 2> Layout::HandCentre(int seat) const {
    const Rect& h = hands[static_cast<std::size_t>(seat - 1)];
    return {RoundEven(h.left + h.width / 2.0 - cellWidth / 2.0), h.top};
}

std::array<int, 2> Layout::TalonDealPlace() const {
    return {talon.left + scale.Scaled(12), talon.top + scale.Scaled(70)};
}

std::vector<int> ArrangeHand(int left, int right, int count, int cellWidth) {
    std::vector<int> xs;
    if (count <= 0) return xs;
    int pitch = cellWidth + 3;
    double width = right - left;
    if (pitch <= width / count) {
        for (int i = 0; i < count; ++i)
            xs.push_back(RoundEven(left + RoundEven(width / 2) - count * pitch / 2.0 + pitch * i));
        return xs;
    }
    double slot = width / count;
    int step = count > 1 ? static_cast<int>(std::trunc(slot - (pitch - slot) / (count - 1))) : 0;
    for (int i = 0; i < count; ++i) xs.push_back(left + step * i);
    return xs;
}

std::vector<int> TalonBackTops(int remaining) {
    if (remaining < 2) return {};
    int backs = remaining >= 16   ? 6
                : remaining >= 13 ? 5
                : remaining >= 10 ? 4
                : remaining >= 7  ? 3
                : remaining >= 4  ? 2
                                  : 1;
    std::vector<int> tops;
    for (int i = 0; i < backs; ++i) tops.push_back(45 - 3 * i);
    return tops;
}

int MessageWindowWidth(int widestTextWidth) {
    int w = widestTextWidth + 59;
    return w >= 350 ? w + 50 : 400;
}

} // namespace tarvo
