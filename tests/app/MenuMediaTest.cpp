// The radio in the real main window: a radio left on at exit plays when the menu comes up, the menu
// song gives way to it, and the popup's "Radio" opens the radio window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "../support/DeadAddress.h"
#include "../support/TempFolder.h"
#include "../support/TestApplication.h"
#include "app/MainWindow.h"
#include "app/MenuMedia.h"
#include "app/TitleScreen.h"
#include "settings/DataFolder.h"

using namespace tarvo;
namespace fs = std::filesystem;

namespace {

TEST(MenuMediaTest, ARadioLeftOnPlaysAtTheMenuAndTheSongGivesWay) {
    test::TestApplication();
    // The system's temporary folder, whatever an earlier test of this program left in TMPDIR; the
    // menu song's file goes to a folder of this test's own.
    qunsetenv("TMPDIR");
    test::TempFolder folder("tarvo3-radio");
    fs::create_directories(folder.path() / "tmp");
    qputenv("TMPDIR", QByteArray::fromStdString((folder.path() / "tmp").string()));
    DataFolderInputs in;
    in.dataDir = folder.path() / "data";
    StartOptions options;
    options.data = PrepareDataFolder(in);
    ASSERT_TRUE(options.data.ok()) << options.data.error;
    const fs::path data = options.data.folder;
    const std::string address = test::DeadAddress(QStringLiteral("local")).toStdString();
    test::WriteBytes(data / "QobRadio.rad", "RUS#LOCALST#Local station#Russian Federation#" + address + "#L\n");
    test::WriteBytes(data / "QobRadio02.dll", "pictures"); // found: all the radio asks of it here
    test::WriteBytes(data / "QobRadio.ini",
                     "Local station\r\n" + address + "\r\nRussian Federation\r\nL\r\n1\r\n40\r\n1\r\n");

    auto window = std::make_unique<MainWindow>(std::move(options));
    window->show();
    auto* media = window->findChild<MenuMedia*>();
    ASSERT_TRUE(media);
    Radio& radio = media->TheRadio();
    EXPECT_TRUE(radio.On());
    EXPECT_FALSE(radio.Sounding()); // the title screen: the radio waits for the menu
    QTest::mouseClick(window->findChild<TitleScreen*>(), Qt::LeftButton);

    // The radio tries its station (the list may still be on its way) and tells that it is silent.
    for (int waited = 0; radio.FailedStation().isEmpty() && waited < 30000; waited += 20) QTest::qWait(20);
    EXPECT_EQ(radio.FailedStation(), QStringLiteral("Local station"));
    EXPECT_TRUE(radio.On());

    // The popup's "Radio" opens the radio window.
    QString opened;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets())
            if (auto* popup = qobject_cast<QMenu*>(top); popup && popup->isVisible())
                for (QAction* action : popup->actions())
                    if (action->text() == QStringLiteral("Radio") && action->isEnabled()) {
                        popup->setActiveAction(action);
                        QTest::keyClick(popup, Qt::Key_Return);
                        return;
                    }
        if (QWidget* modal = QApplication::activeModalWidget()) {
            opened = modal->windowTitle();
            modal->close();
        }
    });
    closer.start(20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), window->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window.get(), &event);
    closer.stop();
    EXPECT_EQ(opened, QStringLiteral("Radio"));

    window->close();
    window.reset();
    // The song's switch went off when the radio started (sound on, music off), and the radio
    // stays on for the next start.
    std::ifstream settings(data / "Tarvo3.ini", std::ios::binary);
    std::string header, flags;
    std::getline(settings, header);
    std::getline(settings, flags);
    ASSERT_GE(flags.size(), 2u);
    EXPECT_EQ(flags[1], '2');
    const std::string ini = test::ReadBytes(data / "QobRadio.ini");
    EXPECT_NE(ini.find("\r\n1\r\n40\r\n1\r\n"), std::string::npos) << ini;
    qunsetenv("TMPDIR");
}

} // namespace
