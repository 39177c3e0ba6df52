// How much recording costs: whole games at the smallest window with card flights at the default
// speed, every deck played once without and once with recording, several rounds. Prints the
// flights' frame rate both ways, each file's size, and the worker's time per frame.
// Usage: tarvo3-gif-bench [rounds] [folder for the files] [area: 1 client, 2 whole window]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QMainWindow>
#include <cstdio>

#include "match/Autoplay.h"
#include "table/GameRecording.h"
#include "table/TableScreen.h"

using namespace tarvo;

namespace {

ImageStore LoadStore() {
    struct Quiet : PictureMessages {
        void CantFindFile(const QString&) override {}
        void BadPicture(const QString&, const QString&) override {}
    } quiet;
    const Scale scale = Scale::ForWindowSize(1);
    ImageStore store;
    CardLook look;
    look.windowSize = 1;
    look.scale = scale.S;
    look.clientSize = QSize(scale.clientWidth, scale.clientHeight);
    LoadCardFaces(store, look, quiet);
    LoadCardBacks(store, look, quiet);
    LoadBackground(store, look, quiet, false);
    return store;
}

struct Run {
    long flightFrames = 0;
    double flightSeconds = 0;
    double gameSeconds = 0;
    GifRecordingOutcome outcome;
    qint64 fileBytes = 0;
    double captureMs = 0; // one picture of the window at the result
};

Run PlayGame(QMainWindow& window, TableScreen& table, GameRecording& recording, unsigned seed, bool record,
             const QString& folder, int area) {
    Run run;
    GameState g;
    AutoplayPlayer players;
    MatchContext m{g, table, players, nullptr, PlayMode::Local, {}};
    StepDriver driver(m);
    Autoplay autoplay(players, 1);
    SeededDecks decks(seed);
    table.Attach(&g);

    // A flight's time runs from its first frame to its last.
    QElapsedTimer clock;
    clock.start();
    qint64 flightStart = -1, lastFrame = 0;
    auto closeFlight = [&] {
        if (flightStart >= 0) run.flightSeconds += static_cast<double>(lastFrame - flightStart) / 1e9;
        flightStart = -1;
    };
    table.onFlightFrame = [&](int frame) {
        const qint64 now = clock.nsecsElapsed();
        if (frame == 1) {
            closeFlight();
            flightStart = now;
        }
        lastFrame = now;
        ++run.flightFrames;
    };
    bool finished = !record;
    QObject::connect(&recording, &GameRecording::finished, &window, [&](const GifRecordingOutcome& outcome) {
        run.outcome = outcome;
        finished = true;
    });

    table.EnterTable();
    if (record) {
        Settings settings;
        settings.SaveGif = true;
        settings.WindowSize = 1;
        settings.GifArea = area;
        settings.GifDelay = 100;
        recording.StartRecording(settings, folder, QStringLiteral("Creating a GIF..."));
    }
    StartSeries(m, decks, 0);
    table.RedrawAll();
    // The computer plays every seat, as in the program's autoplay, until the result is shown.
    while (autoplay.Tick(driver) == AutoplayTick::Played) QCoreApplication::processEvents();
    closeFlight();
    run.gameSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    while (!finished) QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    // What one picture costs the window's thread.
    constexpr int Pictures = 20;
    clock.restart();
    for (int i = 0; i < Pictures; ++i) window.grab().toImage();
    run.captureMs = static_cast<double>(clock.nsecsElapsed()) / 1e6 / Pictures;
    table.Attach(nullptr);
    QObject::disconnect(&recording, &GameRecording::finished, &window, nullptr);
    table.onFlightFrame = {};
    if (!run.outcome.path.isEmpty()) run.fileBytes = QFileInfo(run.outcome.path).size();
    return run;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    const int area = argc > 3 && std::atoi(argv[3]) == 2 ? 2 : 1;
    const QString folder =
        argc > 2 ? QString::fromLocal8Bit(argv[2]) : QDir::tempPath() + "/tarvo3-gif-bench";
    QDir(folder).removeRecursively();

    ImageStore store = LoadStore();
    QMainWindow window;
    auto* table = new TableScreen(store);
    window.setCentralWidget(table);
    TableOptions options;
    options.flyCards = true;
    options.speed = DefaultSettings().Speed;
    options.soundOn = false;
    table->SetOptions(options);
    table->ApplyWindowSize();
    window.show();
    GameRecording recording(&window, table, store);
    // As the main window does: the result is the recording's last picture.
    QObject::connect(table, &TableScreen::resultShown, &recording, [&recording] {
        recording.CaptureFrame();
        recording.FinishRecording();
    });

    std::printf("game  recording  capture ms  flight frames  flight s  frames/s  game s  gif frames/pictures "
                " bytes  ms/frame\n");
    for (int round = 0; round < rounds; ++round)
        for (unsigned seed : {11u, 12u, 13u})
            for (bool record : {false, true}) {
                Run r = PlayGame(window, *table, recording, seed, record, folder, area);
                const double rate =
                    r.flightSeconds > 0 ? static_cast<double>(r.flightFrames) / r.flightSeconds : 0;
                if (record)
                    std::printf(
                        "%4u  on         %10.2f  %13ld  %8.2f  %8.1f  %6.1f  %6d/%-12d  %7lld  %8.1f  %s\n",
                        seed, r.captureMs, r.flightFrames, r.flightSeconds, rate, r.gameSeconds,
                        r.outcome.frames, r.outcome.pictures, static_cast<long long>(r.fileBytes),
                        r.outcome.frames ? r.outcome.encodeMs / r.outcome.frames : 0.0,
                        qPrintable(r.outcome.error));
                else
                    std::printf("%4u  off        %10.2f  %13ld  %8.2f  %8.1f  %6.1f\n", seed, r.captureMs,
                                r.flightFrames, r.flightSeconds, rate, r.gameSeconds);
                std::fflush(stdout);
            }
    return 0;
}
