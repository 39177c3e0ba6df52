// Renders a contact sheet of face sets through the game's own image store and card drawing, to
// judge how a deck looks at each window size.
// Usage: tarvo3-contact-sheet OUT.png SCALE SET[/BACK] [SET[/BACK] ...]
#include <QGuiApplication>
#include <QPainter>
#include <cstdio>

#include "table/CardDrawing.h"
#include "table/ImageStore.h"

namespace {
class PrintMessages : public tarvo::PictureMessages {
  public:
    void CantFindFile(const QString& fileName) override {
        std::fprintf(stderr, "Can`t find the file %s\n", qPrintable(fileName));
    }
    void BadPicture(const QString& package, const QString& name) override {
        std::fprintf(stderr, "bad picture %s in %s\n", qPrintable(name), qPrintable(package));
    }
};
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: tarvo3-contact-sheet OUT.png SCALE SET[/BACK] ...\n");
        return 2;
    }
    const double scale = QString::fromLocal8Bit(argv[2]).toDouble();
    const int sets = argc - 3;
    const QSize cell = tarvo::CellSize(scale, true);
    const int gap = int(8 * scale), rowH = cell.height() + gap;
    // Per set: four rows of nine cards, then a row of backs.
    const int width = gap + 9 * (cell.width() + gap) + cell.height() + gap;
    const int height = gap + sets * (5 * rowH + gap);
    QImage sheet(width, height, QImage::Format_RGB32);
    PrintMessages messages;
    tarvo::CardLook look;
    look.scale = scale;
    look.windowSize = scale < 1.3 ? 1 : scale < 1.7 ? 2 : scale < 2 ? 3 : 4;
    look.clientSize = QSize(width, height);
    tarvo::ImageStore store;
    const tarvo::PackageRegistry packages;
    tarvo::LoadBackground(packages, store, look, messages, false);
    QPainter p(&sheet);
    p.drawImage(QRect(0, 0, width, height), store.background);
    for (int i = 0; i < sets; ++i) {
        const QStringList parts = QString::fromLocal8Bit(argv[3 + i]).split('/');
        look.cardFaces = parts.value(0).toInt();
        look.cardBack = parts.value(1).toInt();
        tarvo::LoadCardFaces(packages, store, look, messages);
        const int top = gap + i * (5 * rowH + gap);
        for (int suit = 1; suit <= 4; ++suit)
            for (int rank = 1; rank <= 9; ++rank)
                tarvo::DrawCard(gap + (rank - 1) * (store.cellWidth + gap), top + (suit - 1) * rowH,
                                tarvo::CardFromNumber((rank - 1) * 4 + suit), store, p);
        for (int b = 1; b <= store.backCount; ++b) {
            store.currentBack = b;
            tarvo::DrawCardBack(gap + (b - 1) * (store.cellWidth + gap), top + 4 * rowH, store, p);
        }
        store.currentBack = 1;
        tarvo::DrawCardBackRotated(gap + 9 * (store.cellWidth + gap), top, store, p);
        for (int s = 0; s < 4; ++s) {
            p.drawImage(gap + 9 * (store.cellWidth + gap), top + store.cellWidth + gap + s * 44,
                        store.largeSuits[s]);
            p.drawImage(gap + 9 * (store.cellWidth + gap) + 48, top + store.cellWidth + gap + s * 44,
                        store.smallSuits[s]);
        }
    }
    p.end();
    if (!sheet.save(QString::fromLocal8Bit(argv[1]))) return 1;
    return 0;
}
