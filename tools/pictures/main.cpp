// Draws every built-in picture of the game and writes them with the .qrc that compiles them in.
// Usage: tarvo3-pictures OUTPUT_DIR QRC_PATH
#include <QGuiApplication>
#include <cstdio>

#include "tools/pictures/BuiltinPictures.h"

int main(int argc, char** argv) {
    // Drawing text needs a platform, never a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: tarvo3-pictures OUTPUT_DIR QRC_PATH\n");
        return 2;
    }
    const QString dir = QString::fromLocal8Bit(argv[1]);
    tarvo::art::ResourceSet set;
    QString error;
    if (!tarvo::art::AddBuiltinPictures(set, dir + QStringLiteral("/scratch"), &error) ||
        !set.WriteQrc(dir, QString::fromLocal8Bit(argv[2]), &error)) {
        std::fprintf(stderr, "tarvo3-pictures: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
