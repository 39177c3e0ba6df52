#include "FlightPath.h"

#include <cmath>
#include <cstdlib>

#include "table/Geometry.h"

namespace tarvo {

Point FlightStep(Point p, Point start, Point end) {
    int dx = end.x - start.x, dy = end.y - start.y;
    if (p == end) return p;
    if (std::abs(dx) >= std::abs(dy)) {
        p.x += end.x >= start.x ? 1 : -1;
        p.y = RoundEven(static_cast<double>(dy) * (p.x - start.x) / dx + start.y);
    } else {
        p.y += end.y >= start.y ? 1 : -1;
        p.x = RoundEven(static_cast<double>(dx) * (p.y - start.y) / dy + start.x);
    }
    return p;
}

std::vector<Point> FlightFrames(Point start, Point end, int speed) {
    std::vector<Point> frames;
    Point p = start;
    int stepsPerFrame = speed >= 6 ? 2 : 1;
    while (!(p == end)) {
        for (int i = 0; i < stepsPerFrame && !(p == end); ++i) p = FlightStep(p, start, end);
        frames.push_back(p);
    }
    return frames;
}

int FlightPacer::PauseAfterFrame(int speed) {
    switch (speed) {
    case 1:
        return 2;
    case 2:
        return 1;
    case 3:
    case 4: {
        int period = speed == 3 ? 2 : 3;
        cycle_ = (cycle_ + 1) % period;
        return cycle_ == 0 ? 1 : 0;
    }
    default:
        return 0;
    }
}

} // namespace tarvo
