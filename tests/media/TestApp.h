// The multimedia classes and the local event loop of a waiting sound need an application object.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <functional>
#include <vector>

#include "media/Sound.h"

namespace tarvo::testing {

inline void EnsureApp() {
    static int argc = 1;
    static char name[] = "media_tests";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app = QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    (void)app;
}

inline void Wait(int ms) {
    WaitWithoutInput(ms);
}

// Waits for a condition with a generous bound (the machine may be busy); false when it never came.
inline bool WaitFor(const std::function<bool()>& done, int ms = 30000) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(10);
    }
    return true;
}

// Remembers every sound started instead of playing it.
class RecordingOutput final : public WaveOutput {
  public:
    void Start(const QByteArray& wave, const WaveInfo&) override { started.push_back(wave); }
    void Stop() override { ++stops; }

    std::vector<QByteArray> started;
    int stops = 0;
};

// A sound player that plays into a recorder.
struct RecordedSound {
    RecordedSound() { EnsureApp(); }
    RecordingOutput output;
    SoundPlayer player{output};
};

} // namespace tarvo::testing
