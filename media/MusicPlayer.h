// The small music player of the main menu: MP3 tracks streamed from the program's web server,
// picked at random, with play/pause, next, previous and a volume in steps of 5.
#pragma once

#include <QObject>
#include <functional>
#include <vector>

#include "media/AudioStream.h"
#include "media/Playlist.h"

class QNetworkAccessManager;

namespace tarvo {

class SourceArbiter;

class MusicPlayer : public QObject {
    Q_OBJECT
  public:
    explicit MusicPlayer(SourceArbiter* arbiter = nullptr, QObject* parent = nullptr);

    // Fetches the playlist page of the server's music folder; the tracks arrive later (changed()).
    void FetchPlaylist(QNetworkAccessManager& network, const QString& server);
    // The tracks; the current one is chosen at random, nothing plays yet.
    void SetTracks(std::vector<Track> tracks);
    const std::vector<Track>& Tracks() const { return tracks_; }
    // The player is offered only with more than FewestTracks tracks.
    bool Usable() const { return static_cast<int>(tracks_.size()) > FewestTracks; }
    int Current() const { return current_; } // 1-based; 0 before there are tracks
    const Track* CurrentTrack() const;
    bool Playing() const { return playing_; }
    // The last track asked for could not be played.
    bool Failed() const { return failed_; }
    int Volume() const { return volume_; }

    void PlayPause();
    void Next();     // a track at random (the same one may come again)
    void Previous(); // back to the track played before this one
    // A click on the volume button at x: the right part raises by 5, the left part lowers by 5.
    void VolumeClick(int x);
    // The arbiter's way to quiet the player for another source.
    void Silence();

    // Picks a track number 1..count; the game draws at random, tests choose.
    void SetChooser(std::function<int(int count)> choose) { choose_ = std::move(choose); }
    AudioStream& Stream() { return stream_; }

  signals:
    void changed();

  private:
    void PlayTrack(int number);

    SourceArbiter* arbiter_;
    AudioStream stream_;
    std::vector<Track> tracks_;
    std::vector<int> history_; // the tracks played before the current one
    std::function<int(int)> choose_;
    int current_ = 0;
    int volume_ = 50;
    bool playing_ = false;
    bool failed_ = false;
};

} // namespace tarvo
