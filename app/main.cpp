// The game's entry point: the command line, the data folder, then the main window.
#include <QApplication>
#include <QMessageBox>
#include <iostream>

#include "app/CommandLine.h"
#include "app/MainWindow.h"

int main(int argc, char* argv[]) {
    // Read before the application object exists: help and mistakes need no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
    tarvo::CommandLineResult command = tarvo::ParseCommandLine(arguments);
    std::cout << command.output.toStdString();
    std::cerr << command.error.toStdString();
    if (!command.run) return command.exitStatus;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvo-Trio"));

    tarvo::StartOptions options = std::move(command.options);
    tarvo::DataFolderInputs inputs = tarvo::CurrentDataFolderInputs({argv[0]});
    inputs.dataDir = options.dataDir;
    options.data = tarvo::PrepareDataFolder(inputs);
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
