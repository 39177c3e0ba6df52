// Runs the event loop until a condition holds: sockets, timers and windows get their turn while
// a test waits, never a fixed sleep.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <functional>

namespace tarvo::test {

// False when the condition still fails after a generous time.
inline bool WaitFor(const std::function<bool()>& done, int seconds = 60) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > seconds * 1000) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

} // namespace tarvo::test
