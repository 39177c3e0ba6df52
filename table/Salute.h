// The button salute: a small spark burst from the graphics package, played over the spot the
// player has just clicked when he has the salute switched on.
#pragma once

#include <QPoint>
#include <QRect>
#include <functional>

class QWidget;

namespace tarvo {

class PackageRegistry;

// The strip "GTouch" holds the frames side by side, each SaluteSize x SaluteSize.
inline constexpr int SaluteFrames = 30;
inline constexpr int SaluteSize = 100;
inline constexpr int SaluteFrameMs = 12;

// Where the strip's left edge is drawn so that frame 1..SaluteFrames fills the salute's square.
constexpr int SaluteStripLeft(int frame) {
    return SaluteSize - SaluteSize * frame;
}
// The screen square the salute covers, centred on `globalCentre`.
QRect SaluteArea(QPoint globalCentre);

// Told after each frame is shown, with its number and the window that shows it.
using SaluteWatcher = std::function<void(int frame, QWidget& overlay)>;

// Plays the salute and returns when it is over; user input waits meanwhile, other events (timers,
// repaints) go on. False, with nothing shown, when the graphics package or its strip is missing,
// when there is no widget application, or when a salute is already playing.
bool PlaySalute(const PackageRegistry& packages, QPoint globalCentre, const SaluteWatcher& watcher = {});
bool PlaySalute(const PackageRegistry& packages); // at the mouse

// What a dialog calls on its button: empty when the salute is off, otherwise it plays at the mouse.
// The packages must outlive the dialog.
std::function<void(QWidget* button)> SaluteCallback(bool enabled, const PackageRegistry& packages);

} // namespace tarvo
