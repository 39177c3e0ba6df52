#include "media/AudioStream.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <QUrl>
#include <algorithm>
#include <functional>

namespace tarvo {

AudioStream::AudioStream(QObject* parent) : QObject(parent) {
    connect(&watch_, &QTimer::timeout, this, &AudioStream::Watch);
}

AudioStream::~AudioStream() {
    watch_.stop();
    // The back end's threads must be idle before the player goes.
    if (player_) player_->stop();
}

// The player and its output are made when the first stream plays: a program that never plays
// one does not start the multimedia back end at all.
QMediaPlayer& AudioStream::Player() {
    if (player_) return *player_;
    player_ = std::make_unique<QMediaPlayer>();
    output_ = std::make_unique<QAudioOutput>();
    player_->setAudioOutput(output_.get());
    output_->setVolume(static_cast<float>(volume_) / 100.0f);
    // The back end reports from inside its own handling: what we do about an end or an error
    // (stop, drop the source, start the next track) waits until that handling is over, and is
    // dropped when the stream has changed in between.
    connect(player_.get(), &QMediaPlayer::errorOccurred, this, [this](QMediaPlayer::Error error) {
        if (error == QMediaPlayer::NoError) return;
        Later([this] {
            if (Sounding()) Fail();
        });
    });
    connect(player_.get(), &QMediaPlayer::mediaStatusChanged, this, [this](QMediaPlayer::MediaStatus status) {
        if (status == QMediaPlayer::InvalidMedia) {
            Later([this] {
                if (Sounding()) Fail();
            });
        } else if (status == QMediaPlayer::EndOfMedia) {
            // A stream that ends without a moment of sound was no stream. A short track may end
            // before the first position report, so the player's own position decides too.
            const bool played = state_ == State::Playing || player_->position() > 0;
            Later([this, played] {
                if (!Sounding()) return;
                Stop();
                if (played)
                    emit ended();
                else
                    Fail();
            });
        }
    });
    connect(player_.get(), &QMediaPlayer::positionChanged, this, [this](qint64 position) {
        if (!Sounding() || position == lastPosition_) return;
        lastPosition_ = position;
        sinceMove_.restart();
        if (state_ == State::Connecting && position > 0) SetState(State::Playing);
    });
    return *player_;
}

void AudioStream::Later(std::function<void()> work) {
    QTimer::singleShot(0, this, [this, generation = generation_, work = std::move(work)] {
        if (generation == generation_) work();
    });
}

void AudioStream::Open(const QString& address) {
    Stop();
    address_ = address;
    SetState(State::Stopped);
}

void AudioStream::Play() {
    if (address_.isEmpty()) return;
    // A failed or stopped stream connects again from the start (stopping let go of its source).
    ++generation_;
    QMediaPlayer& player = Player();
    if (!sourceSet_) {
        player.setSource(QUrl(address_));
        sourceSet_ = true;
    }
    lastPosition_ = -1;
    sinceMove_.start();
    reopened_ = false;
    SetState(State::Connecting);
    player.play();
    watch_.start(250);
}

void AudioStream::Pause() {
    ++generation_;
    watch_.stop();
    if (state_ == State::Failed || !player_) return;
    player_->pause();
    SetState(State::Stopped);
}

void AudioStream::Stop() {
    ++generation_;
    watch_.stop();
    if (player_) {
        player_->stop();
        // Dropping the source closes the connection of a live stream.
        player_->setSource(QUrl());
    }
    sourceSet_ = false;
    if (state_ != State::Failed) SetState(State::Stopped);
}

void AudioStream::SetVolume(int percent) {
    volume_ = std::clamp(percent, 0, 100);
    if (output_) output_->setVolume(static_cast<float>(volume_) / 100.0f);
}

qint64 AudioStream::Position() const {
    return player_ ? player_->position() : 0;
}

void AudioStream::SetPatience(int connectMs, int stallMs) {
    connectMs_ = connectMs;
    stallMs_ = stallMs;
}

void AudioStream::SetState(State state) {
    if (state_ == state) return;
    state_ = state;
    emit stateChanged(state);
}

void AudioStream::Fail() {
    ++generation_;
    watch_.stop();
    Player().stop();
    player_->setSource(QUrl());
    sourceSet_ = false;
    SetState(State::Failed);
    emit failed();
}

// A stream that never starts, or stops moving, does not say so by itself.
void AudioStream::Watch() {
    if (!Sounding()) return;
    // Now and then the back end takes a new source and then never starts it. A stream that has
    // brought no sound for a while is opened once more on a fresh player before it counts as
    // failed.
    if (state_ == State::Connecting && !reopened_ && sinceMove_.elapsed() > connectMs_ / 4) {
        reopened_ = true;
        ++generation_;
        player_->stop();
        player_.reset();
        output_.reset();
        Player().setSource(QUrl(address_));
        sourceSet_ = true;
        player_->play();
        return;
    }
    const int limit = state_ == State::Connecting ? connectMs_ : stallMs_;
    if (sinceMove_.elapsed() > limit) Fail();
}

} // namespace tarvo
