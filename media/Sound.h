// The game's sound effects: RIFF WAVE images compiled into the program, played from memory.
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>
#include <optional>
#include <string_view>

#include "media/Wave.h"

namespace tarvo {

// The speakers. One sound at a time: starting a sound cuts off the one playing. Start returns at
// once; the caller that waits does so on the wave's own length, never on the device's state, which
// may never report the end when there is no device at all.
class WaveOutput {
  public:
    virtual ~WaveOutput() = default;
    virtual void Start(const QByteArray& wave, const WaveInfo& info) = 0;
    virtual void Stop() = 0;
};

// Says once on the terminal that the machine has no sound output; the game goes on silently.
void ReportNoSoundDevice();

// Plays through Qt Multimedia's default output; without an output device it stays silent.
class QtWaveOutput final : public WaveOutput {
  public:
    QtWaveOutput();
    ~QtWaveOutput() override;
    void Start(const QByteArray& wave, const WaveInfo& info) override;
    void Stop() override;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Keeps the screen painting but lets no click or key through until `ms` have passed: a waiting
// sound must not let the player act in the middle of a move.
void WaitWithoutInput(int ms);

// The program's own wave resource by name, ignoring case ("WHodsDo"); nullopt when absent.
std::optional<QByteArray> ResourceWave(std::string_view name);

// Whether the game waits for this effect to end before it goes on: the sounds of a move, a take,
// a discard, a passed turn and the empty talon do; everything else plays on.
bool EffectWaits(std::string_view name);

// The sounds of one game window, one at a time through its output. The window owns one, so two
// games in one process are heard (or recorded by a test) apart.
class SoundPlayer {
  public:
    // Plays on the speakers.
    SoundPlayer();
    // Plays into `output` (a recorder in the tests), which must outlive the player.
    explicit SoundPlayer(WaveOutput& output);
    ~SoundPlayer();
    SoundPlayer(const SoundPlayer&) = delete;
    SoundPlayer& operator=(const SoundPlayer&) = delete;

    WaveOutput& Output() { return *output_; }
    // Plays into `output` from now on (a test listening to a whole window); nullptr goes back to
    // the speakers.
    void SetOutput(WaveOutput* output);
    // Plays one wave image; with `wait` the call returns when the sound has ended. False,
    // silently, when the bytes are not a wave we can play.
    bool PlayWave(const QByteArray& wave, bool wait);
    // Plays the program's wave resource `name` when `enabled` (callers pass SoundOn). Without
    // `wait` it returns at once and the sound plays on; with `wait` it returns when the sound has
    // ended. False when nothing was started: disabled, or no such resource.
    bool PlayResource(std::string_view name, bool wait, bool enabled);
    // A sound asked for by the rules through the table: it waits as the effect requires.
    bool PlayGameSound(std::string_view name, bool enabled) {
        return PlayResource(name, EffectWaits(name), enabled);
    }

  private:
    std::unique_ptr<QtWaveOutput> speakers_;
    WaveOutput* output_;
};

} // namespace tarvo
