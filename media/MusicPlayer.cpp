#include "media/MusicPlayer.h"

#include <QRandomGenerator>
#include <algorithm>

#include "media/HttpFetch.h"
#include "media/SourceArbiter.h"

namespace tarvo {

namespace {
constexpr qint64 MaxPlaylistBytes = 1 << 20;
constexpr int PlaylistTimeoutMs = 10000;
constexpr std::size_t MaxHistory = 100;
} // namespace

MusicPlayer::MusicPlayer(SourceArbiter* arbiter, QObject* parent)
    : QObject(parent), arbiter_(arbiter),
      choose_([](int count) { return static_cast<int>(QRandomGenerator::global()->bounded(count)) + 1; }) {
    stream_.SetVolume(volume_);
    // At the end of a track the next one follows; a track that breaks off stops the player.
    connect(&stream_, &AudioStream::ended, this, [this] {
        if (playing_) Next();
    });
    connect(&stream_, &AudioStream::failed, this, [this] {
        playing_ = false;
        failed_ = true;
        emit changed();
    });
}

void MusicPlayer::FetchPlaylist(QNetworkAccessManager& network, const QString& server) {
    const QString folder = server + QLatin1String(MusicFolderPath);
    FetchBytes(network, QUrl(folder + QLatin1String(PlaylistPageName)), MaxPlaylistBytes, PlaylistTimeoutMs, this,
               [this, folder](std::optional<QByteArray> page) {
                   if (page) SetTracks(ParsePlaylist(*page, folder));
               });
}

void MusicPlayer::SetTracks(std::vector<Track> tracks) {
    stream_.Stop();
    tracks_ = std::move(tracks);
    history_.clear();
    playing_ = failed_ = false;
    current_ = tracks_.empty() ? 0 : std::clamp(choose_(static_cast<int>(tracks_.size())), 1,
                                                static_cast<int>(tracks_.size()));
    if (const Track* t = CurrentTrack()) stream_.Open(t->address);
    emit changed();
}

const Track* MusicPlayer::CurrentTrack() const {
    return current_ >= 1 && current_ <= static_cast<int>(tracks_.size())
               ? &tracks_[static_cast<std::size_t>(current_ - 1)]
               : nullptr;
}

void MusicPlayer::PlayPause() {
    if (!Usable()) return;
    if (playing_) {
        stream_.Pause();
        playing_ = false;
    } else {
        if (arbiter_) arbiter_->Claim(AudioSource::Music);
        failed_ = false;
        stream_.Play();
        playing_ = true;
    }
    emit changed();
}

void MusicPlayer::PlayTrack(int number) {
    stream_.Stop();
    current_ = number;
    stream_.Open(CurrentTrack()->address);
    stream_.SetVolume(volume_);
    if (arbiter_) arbiter_->Claim(AudioSource::Music);
    failed_ = false;
    playing_ = true;
    stream_.Play();
    emit changed();
}

void MusicPlayer::Next() {
    if (!Usable()) return;
    history_.push_back(current_);
    if (history_.size() > MaxHistory) history_.erase(history_.begin());
    PlayTrack(std::clamp(choose_(static_cast<int>(tracks_.size())), 1, static_cast<int>(tracks_.size())));
}

void MusicPlayer::Previous() {
    if (!Usable()) return;
    int number = current_ > 1 ? current_ - 1 : static_cast<int>(tracks_.size());
    if (!history_.empty()) {
        number = history_.back();
        history_.pop_back();
    }
    PlayTrack(number);
}

void MusicPlayer::VolumeClick(int x) {
    if (x > 34)
        volume_ = std::min(100, volume_ + 5);
    else if (x <= 25)
        volume_ = std::max(0, volume_ - 5);
    stream_.SetVolume(volume_);
    emit changed();
}

void MusicPlayer::Silence() {
    if (!playing_) return;
    stream_.Pause();
    playing_ = false;
    emit changed();
}

} // namespace tarvo
