// Builds the shipped resource packages.
// Usage: tarvo3-packbuilder RCC OUTPUT_DIR WORK_DIR [PACKAGE ...]
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <cstdio>
#include <functional>

#include "media/StationList.h"
#include "packages/Package.h"
#include "table/ImageStore.h"
#include "tools/art/RadioArt.h"
#include "tools/packages/Recipes.h"

using namespace tarvo;
using namespace tarvo::art;

namespace {

std::vector<Station> ShippedStations() {
    QFile list(QStringLiteral(TARVO_STATION_LIST_SOURCE));
    return list.open(QIODevice::ReadOnly) ? ParseStationList(list.readAll()) : std::vector<Station>{};
}

// Reads back what the game's loaders will ask a package for, by name, type and size.
QString CheckPackage(const QString& folder, const QString& name) {
    auto p = PackageRegistry({folder, QString()}).Open(name);
    if (!p) return QStringLiteral("cannot be opened");
    auto expect = [&](const QString& type, const QString& picture, QSize size) -> QString {
        const QImage image = p->ReadPicture(type, picture);
        if (image.size() != size)
            return QStringLiteral("%1/%2 is %3 x %4, not %5 x %6")
                .arg(type, picture)
                .arg(image.width())
                .arg(image.height())
                .arg(size.width())
                .arg(size.height());
        return {};
    };
    QString problem;
    for (int s = 1; s <= 47 && problem.isEmpty(); ++s) {
        if (FacePackage(s) != name) continue;
        const QSize large = IsWideSet(s) ? QSize(146, 198) : QSize(126, 198);
        for (int card = 1; card <= 36 && problem.isEmpty(); ++card) {
            problem = expect(RcData, FaceName(card, s, true), {69, 94});
            if (problem.isEmpty()) problem = expect(RcData, FaceName(card, s, false), large);
        }
        for (const char* icon : {"Cher", "Bubi", "Kres", "Piki"})
            if (problem.isEmpty())
                problem = expect(RcData, QString::fromLatin1(icon) + SuitIconCode(s) + 'B', {40, 40});
    }
    if (name == CardsPackageB)
        for (int b = 0; b <= 12 && problem.isEmpty(); ++b)
            for (int i = 1; i <= BackCountOfSet(b) && problem.isEmpty(); ++i) {
                problem = expect(RcData, BackName(i, b, false, QStringLiteral("U")), {126, 198});
                if (problem.isEmpty())
                    problem = expect(RcData, BackName(i, b, true, QStringLiteral("U")), {198, 126});
                if (b != 0 && problem.isEmpty())
                    problem = expect(RcData, BackName(i, b, true, QString()), {94, 69});
                if (b != 0 && problem.isEmpty())
                    problem = expect(RcData, BackName(i, b, false, QStringLiteral("B")), {146, 198});
            }
    if (name == BackgroundPackage)
        for (int s = 1; s <= 10 && problem.isEmpty(); ++s)
            for (int v = 0; v <= 6 && problem.isEmpty(); ++v) {
                if (s == 2 && v == 0) continue;
                problem = expect(Jpeg, BackgroundName(s, v, 1), {760, 500});
                if (problem.isEmpty()) problem = expect(Jpeg, BackgroundName(s, v, 2), {1920, 922});
            }
    if (name == GraphicsPackage && p->ReadPicture(Jpeg, QStringLiteral("BGLilu")).isNull())
        problem = QStringLiteral("BGLilu is missing");
    if (name == RadioPackageName) {
        problem = expect(RcData, QStringLiteral("RRADIO_MAING"), {145, 90});
        for (int v = 0; v <= 100 && problem.isEmpty(); v += 10)
            problem = expect(RcData, VolumeMeterPicture(v), {78, 30});
        if (problem.isEmpty()) problem = expect(RcData, QStringLiteral("RRADIO_RAMKA"), {180, 180});
        for (const Station& s : ShippedStations())
            if (problem.isEmpty()) problem = expect(RcData, s.logo, {152, 152});
    }
    return problem;
}

} // namespace

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
        {RadioPackageName,
         [](ResourceSet& s, QString* e) {
             std::vector<std::pair<QString, QString>> logos;
             for (const Station& station : ShippedStations()) logos.emplace_back(station.logo, station.name);
             if (logos.empty()) *e = QStringLiteral("the station list is missing");
             AddRadioPackage(s, logos);
             return !logos.empty();
         }},
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
        if (const QString problem = CheckPackage(out.path(), name); !problem.isEmpty()) {
            std::fprintf(stderr, "tarvo3-packbuilder: %s: %s\n", qPrintable(name), qPrintable(problem));
            QFile::remove(out.filePath(name)); // a wrong package is not left for the game to find
            return 1;
        }
        std::printf("%s: %d pictures, %.1f s\n", qPrintable(name), set.Size(),
                    double(timer.elapsed()) / 1000.0);
    }
    return 0;
}
