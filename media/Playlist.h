// The music player's playlist: the page the program's web server lists its music folder on, one
// MP3 file name per line in the form artist + "~" + title + ".mp3".
#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

namespace tarvo {

// The music folder on the program's web server, and its listing page.
inline constexpr const char* MusicFolderPath = "/musik/";
inline constexpr const char* PlaylistPageName = "_playlist.html";

struct Track {
    QString address; // the music folder + the line as it stands
    QString artist;  // before the first "~", "_" shown as blanks
    QString title;   // after it up to ".mp3", "_" shown as blanks
};

// The player is offered only with more than this many tracks.
inline constexpr int FewestTracks = 4;

// The tracks of a playlist page (UTF-8). Only lines naming an MP3 file are tracks; blank lines and
// anything else on the page are passed over. A line without "~" is a title without an artist.
std::vector<Track> ParsePlaylist(const QByteArray& page, const QString& musicFolder);

} // namespace tarvo
