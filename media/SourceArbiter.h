// The menu song, the music player and the radio share the speakers: one of them at a time.
#pragma once

#include <array>
#include <functional>

#include "media/Song.h"

namespace tarvo {

enum class AudioSource { Song, Music, Radio };

// Each source tells the arbiter just before it starts to sound; the arbiter then silences the
// other two through what they attached. Silencing a source that is quiet must do no harm.
class SourceArbiter {
  public:
    void Attach(AudioSource source, std::function<void()> silence);
    void Claim(AudioSource source);

  private:
    std::array<std::function<void()>, 3> silencers_;
    bool claiming_ = false;
};

// The song player as the arbiter sees it: starting the song claims the speakers first.
class ClaimingSongPlayer final : public SongPlayer {
  public:
    ClaimingSongPlayer(SongPlayer& inner, SourceArbiter& arbiter) : inner_(inner), arbiter_(arbiter) {}
    bool Open(const QString& path) override { return inner_.Open(path); }
    void Close() override { inner_.Close(); }
    bool IsOpen() const override { return inner_.IsOpen(); }
    bool HasError() const override { return inner_.HasError(); }
    void Play() override {
        arbiter_.Claim(AudioSource::Song);
        inner_.Play();
    }
    void Stop() override { inner_.Stop(); }
    bool IsPlaying() const override { return inner_.IsPlaying(); }

  private:
    SongPlayer& inner_;
    SourceArbiter& arbiter_;
};

} // namespace tarvo
