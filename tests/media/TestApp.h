// The multimedia classes and the local event loop of a waiting sound need an application object.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
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
