// Draws the window as a player sees it into PNG files: the main menu, a table in play with three
// pairs, the end of a game, and a card halfway through its flight.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

#include "core/Round.h"
#include "match/Driver.h"
#include "table/MenuScreen.h"
#include "table/TableScreen.h"

using namespace tarvo;

namespace {

struct Shots {
    QString folder;
    void Save(QWidget& w, const QString& name) {
        QString path = folder + "/" + name + ".png";
        if (!w.grab().save(path)) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    }
};

ImageStore LoadStore(const PackageRegistry& packages, const Scale& scale, int windowSize) {
    struct Quiet : PictureMessages {
        void CantFindFile(const QString&) override {}
        void BadPicture(const QString&, const QString&) override {}
    } quiet;
    ImageStore store;
    CardLook look;
    look.windowSize = windowSize;
    look.scale = scale.S;
    look.clientSize = QSize(scale.clientWidth, scale.clientHeight);
    LoadCardFaces(packages, store, look, quiet);
    LoadCardBacks(packages, store, look, quiet);
    LoadBackground(packages, store, look, quiet, false);
    return store;
}

// Computer steps for every seat, and every bout end, until the table holds at least `cards` cards.
void PlayUntil(StepDriver& d, int cards) {
    for (int steps = 0; steps < 400 && !d.Next().over; ++steps) {
        if (d.Match().g.KolCardsStol >= cards && d.Next().seat != 0) return;
        d.ComputerStep();
    }
}

void Size(Shots& shots, int windowSize) {
    Scale scale = Scale::ForWindowSize(windowSize);
    WindowResources resources;
    ImageStore store = LoadStore(resources.packages, scale, windowSize);
    TableScreen table(store, resources);
    TableOptions options;
    options.windowSize = windowSize;
    options.flyCards = false;
    options.soundOn = false;
    table.SetOptions(options);
    table.ApplyWindowSize();
    table.show();

    MenuScreen menu(&table);
    MenuTexts texts;
    texts.clubRows = {"Anna", "Boris", "New Player", "", ""};
    texts.modeLine = "WINDOWS. LOCAL GAMES WITH PC";
    menu.SetTexts(texts);
    MenuLook look;
    look.windowSize = windowSize;
    menu.Arrange(scale, store.background, look);
    menu.show();
    shots.Save(table, QString("menu-%1").arg(windowSize));
    menu.hide();

    GameState g;
    AiPlayer computer;
    MatchContext m{g, table, computer, nullptr, PlayMode::Local, {}};
    StepDriver d(m);
    SeededDecks decks(static_cast<std::uint32_t>(7 + windowSize));
    table.Attach(&g);
    table.EnterTable();
    StartSeries(m, decks, 0);
    PressActionButton(m, decks);
    PlayUntil(d, 5);
    table.RedrawAll();
    shots.Save(table, QString("table-%1").arg(windowSize));

    PlayUntil(d, 99);
    GameTick(d);
    // The result banner animates to its still frame, as the player sees it after a moment.
    QElapsedTimer banner;
    banner.start();
    while (banner.elapsed() < 2600) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    shots.Save(table, QString("end-%1").arg(windowSize));
}

void Flight(Shots& shots) {
    Scale scale = Scale::ForWindowSize(1);
    WindowResources resources;
    ImageStore store = LoadStore(resources.packages, scale, 1);
    TableScreen table(store, resources);
    TableOptions options;
    options.flyCards = true;
    options.speed = 5;
    options.soundOn = false;
    table.SetOptions(options);
    table.ApplyWindowSize();
    table.show();
    GameState g;
    AiPlayer computer;
    MatchContext m{g, table, computer, nullptr, PlayMode::Local, {}};
    SeededDecks decks(3);
    table.Attach(&g);
    table.EnterTable();
    StartSeries(m, decks, 0);
    PressActionButton(m, decks);
    bool saved = false;
    table.onFlightFrame = [&](int frame) {
        if (!saved && frame == 60) {
            shots.Save(table, "flight-1");
            saved = true;
        }
    };
    for (int steps = 0; steps < 20 && !saved; ++steps) MakeMove(m, 0, false, false);
    // How long one flight across the table takes at each speed, for the record.
    for (int speed = 1; speed <= 6; ++speed) {
        options.speed = speed;
        table.SetOptions(options);
        table.onFlightFrame = {};
        QElapsedTimer clock;
        clock.start();
        table.FlyCard({TStr2{'6', '\xF7'}, Place::Talon, 0, 0, Place::Hand, 3, 1});
        std::printf("speed %d: %lld ms\n", speed, static_cast<long long>(clock.elapsed()) - 200);
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: tarvo3-table-shots OUTDIR\n");
        return 2;
    }
    Shots shots{QString::fromLocal8Bit(argv[1])};
    QDir().mkpath(shots.folder);
    for (int size : {1, 3, 4, 5}) Size(shots, size);
    Flight(shots);
    std::printf("pictures in %s\n", argv[1]);
    return 0;
}
