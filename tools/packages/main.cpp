// Builds the shipped resource packages.
// Usage: tarvo3-packbuilder RCC OUTPUT_DIR WORK_DIR [PACKAGE ...]
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdio>
#include <functional>

#include "packages/Package.h"
#include "tools/packages/Recipes.h"

using namespace tarvo;
using namespace tarvo::art;

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc < 4) {
        std::fprintf(stderr, "usage: tarvo3-packbuilder RCC OUTPUT_DIR WORK_DIR [PACKAGE ...]\n");
        return 2;
    }
    const QString rcc = QString::fromLocal8Bit(argv[1]);
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QDir work(QString::fromLocal8Bit(argv[3]));
    QStringList only;
    for (int i = 4; i < argc; ++i) only << QString::fromLocal8Bit(argv[i]);
    const BuildOptions options;
    const std::pair<QString, std::function<bool(ResourceSet&, QString*)>> recipes[] = {
        {CardsPackageA,
         [&](ResourceSet& s, QString* e) { return AddCardsPackage(s, 1, 31, false, options, e); }},
        {CardsPackageB,
         [&](ResourceSet& s, QString* e) { return AddCardsPackage(s, 32, 39, true, options, e); }},
        {CardsPackageC,
         [&](ResourceSet& s, QString* e) { return AddCardsPackage(s, 40, 47, false, options, e); }},
        {BackgroundPackage, [](ResourceSet& s, QString* e) { return AddBackgroundPackage(s, e); }},
        {GraphicsPackage, [](ResourceSet& s, QString* e) { return AddGraphicsPackage(s, e); }},
    };
    for (const auto& [name, add] : recipes) {
        if (!only.isEmpty() && !only.contains(name)) continue;
        QElapsedTimer timer;
        timer.start();
        ResourceSet set;
        QString error;
        if (!add(set, &error) ||
            !set.WritePackage(rcc, work.filePath(name + QStringLiteral(".d")), out.filePath(name), &error)) {
            std::fprintf(stderr, "tarvo3-packbuilder: %s: %s\n", qPrintable(name), qPrintable(error));
            return 1;
        }
        std::printf("%s: %d pictures, %.1f s\n", qPrintable(name), set.Size(),
                    double(timer.elapsed()) / 1000.0);
    }
    return 0;
}
