// The game's entry point: the data folder, then the main window.
#include <QApplication>
#include <QMessageBox>
#include <iostream>

#include "MainWindow.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvo-Trio"));

    std::vector<std::string> args(argv + 1, argv + argc);
    tarvo::StartOptions options;
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == "--autoplay") options.autoplayGames = std::max(0, std::atoi(args[i + 1].c_str()));
    options.data = tarvo::PrepareDataFolder(tarvo::CurrentDataFolderInputs(args));
    if (!options.data.ok()) {
        std::cerr << "tarvo3: " << options.data.error << "\n";
        QMessageBox::critical(nullptr, QStringLiteral("Tarvo-Trio"),
                              QString::fromStdString(options.data.error));
        return 1;
    }
    tarvo::MainWindow window(std::move(options));
    window.show();
    return QApplication::exec();
}
