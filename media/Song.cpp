#include "media/Song.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace tarvo {

QString SongFilePath(const QString& folder) {
    return QDir(folder.isEmpty() ? QDir::tempPath() : folder).filePath(SongFileName);
}

QByteArray SongResource() {
    QFile file(QStringLiteral(":/RCDATA/MIDISONG"));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool PrepareSong(SongPlayer& player, SongMessages& messages, const QString& path) {
    const QByteArray song = SongResource();
    // A file left by an earlier run is kept; one that is not our song (damaged, or some other
    // program's) is written over.
    QFile existing(path);
    const bool present = existing.open(QIODevice::ReadOnly) && existing.readAll() == song;
    existing.close();
    if (!present) {
        QSaveFile out(path);
        const bool written = !song.isEmpty() && out.open(QIODevice::WriteOnly) &&
                             out.write(song) == song.size() && out.commit();
        if (!written) {
            player.Close();
            messages.CantCreateMusicFile();
            return false;
        }
    }
    player.Open(path);
    return true;
}

void PlaySong(SongPlayer& player, bool on, const QString& path) {
    if (!player.IsOpen() || player.HasError() || !QFileInfo::exists(path)) return;
    if (on)
        player.Play();
    else
        player.Stop();
}

void DeleteSongFile(const QString& path) {
    QFile::remove(path);
}

void MenuSong::ShowMenu(bool musicOn) {
    menuUp_ = true;
    if (musicOn && !player_.IsPlaying()) PlaySong(player_, true, path_);
}

void MenuSong::DealGame() {
    menuUp_ = false;
    PlaySong(player_, false, path_);
}

void MenuSong::SwitchMusic(bool on) {
    PlaySong(player_, on, path_);
}

} // namespace tarvo
