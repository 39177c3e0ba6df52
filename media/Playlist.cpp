#include "media/Playlist.h"

#include <QStringList>

#include "media/StationList.h"

namespace tarvo {

std::vector<Track> ParsePlaylist(const QByteArray& page, const QString& musicFolder) {
    std::vector<Track> tracks;
    const QString text = QString::fromUtf8(page);
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        constexpr int ExtensionLength = 4; // ".mp3"
        if (line.size() <= ExtensionLength || !line.endsWith(QLatin1String(".mp3"), Qt::CaseInsensitive))
            continue;
        Track t;
        t.address = musicFolder + line;
        if (!IsStreamAddress(t.address)) continue;
        const QString name = line.left(line.size() - ExtensionLength);
        const qsizetype tilde = name.indexOf(QLatin1Char('~'));
        t.artist = tilde < 0 ? QString() : name.left(tilde);
        t.title = tilde < 0 ? name : name.mid(tilde + 1);
        t.artist.replace(QLatin1Char('_'), QLatin1Char(' '));
        t.title.replace(QLatin1Char('_'), QLatin1Char(' '));
        tracks.push_back(std::move(t));
    }
    return tracks;
}

} // namespace tarvo
