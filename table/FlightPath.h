// The path of a flying card: one pixel per step along the longer axis, the other coordinate on
// the straight line; two steps per frame at the fastest speed. And the pauses between frames.
#pragma once

#include <vector>

namespace tarvo {

struct Point {
    int x = 0, y = 0;
    bool operator==(const Point&) const = default;
};

// One step from p toward the end of the line from start to end.
Point FlightStep(Point p, Point start, Point end);

// The positions drawn, frame by frame, from the first step to the end (none when start = end).
std::vector<Point> FlightFrames(Point start, Point end, int speed);

// The pause after each frame. The every-second / every-third counter carries over from one
// flight to the next, as the player's eye expects a steady pace.
class FlightPacer {
  public:
    // Milliseconds to sleep after the frame just drawn.
    int PauseAfterFrame(int speed);

  private:
    int cycle_ = 0;
};

} // namespace tarvo
