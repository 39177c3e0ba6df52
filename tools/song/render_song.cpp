// Renders the start of the built-in menu song to a wave file, so that its level can be measured
// on a machine without speakers.
//   tarvo3-render-song OUT.wav [SECONDS]
#include <QCoreApplication>
#include <QFile>
#include <cstdio>

#include "media/Song.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarvo3-render-song OUT.wav [SECONDS]\n");
        return 2;
    }
    const double seconds = argc > 2 ? std::atof(argv[2]) : 20.0;
    const QByteArray wave =
        tarvo::RenderSong(tarvo::SongResource(), tarvo::FluidSongPlayer::DefaultSoundFont(), seconds);
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (wave.isEmpty() || !out.open(QIODevice::WriteOnly) || out.write(wave) != wave.size()) {
        std::fprintf(stderr, "tarvo3-render-song: cannot render or write the song\n");
        return 1;
    }
    return 0;
}
