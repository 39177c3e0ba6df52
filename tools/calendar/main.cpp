// Builds the calendar package and reads every picture back the way the menu's sheets ask for it.
// Usage: tarvo3-calendarbuilder RCC PACKAGE_PATH WORK_DIR
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>

#include "calendar/Sheets.h"
#include "packages/Package.h"
#include "tools/calendar/CalendarArt.h"

using namespace tarvo;

namespace {

QString CheckPackage(const QString& path) {
    const QFileInfo info(path);
    const auto package = Package::FromFile(info.absoluteFilePath());
    if (!package) return QStringLiteral("cannot be opened");
    for (const auto& key : CalendarImageKeys()) {
        const QString name = QString::fromStdString(key);
        const QImage picture = package->ReadPicture(RcData, name);
        const QImage expected = art::DrawCalendarPicture(name);
        if (picture.size() != expected.size())
            return QStringLiteral("%1 is %2 x %3, not %4 x %5")
                .arg(name)
                .arg(picture.width())
                .arg(picture.height())
                .arg(expected.width())
                .arg(expected.height());
    }
    return {};
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: tarvo3-calendarbuilder RCC PACKAGE_PATH WORK_DIR\n");
        return 2;
    }
    const QString rcc = QString::fromLocal8Bit(argv[1]);
    const QString path = QString::fromLocal8Bit(argv[2]);
    const QString work = QString::fromLocal8Bit(argv[3]);
    art::ResourceSet set;
    QString error;
    if (!art::AddCalendarPackage(set, &error) || !set.WritePackage(rcc, work, path, &error)) {
        std::fprintf(stderr, "tarvo3-calendarbuilder: %s\n", qPrintable(error));
        QFile::remove(path);
        return 1;
    }
    if (const QString problem = CheckPackage(path); !problem.isEmpty()) {
        std::fprintf(stderr, "tarvo3-calendarbuilder: %s: %s\n", qPrintable(path), qPrintable(problem));
        QFile::remove(path); // a wrong package is not left for the game to find
        return 1;
    }
    std::printf("%s: %d pictures\n", qPrintable(QFileInfo(path).fileName()), set.Size());
    return 0;
}
