// The radio and the music player in the real main window: a radio left on at exit plays when the
// menu comes up, the menu song gives way to it, the popup's "Radio" opens the radio window; and
// against a real tarvo3-server the menu's player plays the server's music folder and the radio
// its station list, never both at once.
#include <gtest/gtest.h>

#include <QApplication>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <unistd.h>

#include "../support/DeadAddress.h"
#include "../support/ServerProcess.h"
#include "../support/TempFolder.h"
#include "../support/TestApplication.h"
#include "app/MainWindow.h"
#include "app/MenuMedia.h"
#include "app/TitleScreen.h"
#include "settings/AddressCipher.h"
#include "settings/DataFolder.h"
#include "table/MediaControls.h"

using namespace tarvo;
namespace fs = std::filesystem;

namespace {

bool WaitUntil(const std::function<bool()>& done, int limitMs = 30000) {
    for (int waited = 0; !done() && waited < limitMs; waited += 20) QTest::qWait(20);
    return done();
}

// A fresh data folder in `folder`; the menu song's file goes to a folder of the test's own, not
// to whatever an earlier test of this program left in TMPDIR.
StartOptions FreshDataFolder(const test::TempFolder& folder) {
    test::TestApplication();
    qunsetenv("TMPDIR");
    fs::create_directories(folder.path() / "tmp");
    qputenv("TMPDIR", QByteArray::fromStdString((folder.path() / "tmp").string()));
    DataFolderInputs in;
    in.dataDir = folder.path() / "data";
    StartOptions options;
    options.data = PrepareDataFolder(in);
    return options;
}

TEST(MenuMediaTest, ARadioLeftOnPlaysAtTheMenuAndTheSongGivesWay) {
    test::TempFolder folder("tarvo3-radio");
    StartOptions options = FreshDataFolder(folder);
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
    WaitUntil([&] { return !radio.FailedStation().isEmpty(); });
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

class NoMessages : public SettingsMessages {
    void ShowError(std::string_view) override {}
};

TEST(MenuMediaTest, TheMenuPlaysTheServersMusicAndRadioOneAtATime) {
    test::ServerProcess server(TARVO_SERVER);
    const fs::path musik = server.DataDir() / "musik";
    fs::create_directories(musik);
    const std::string track = test::ReadBytes(STREAMS_DIR "/musik/Band_A~Tone_One.mp3");
    for (const char* name : {"Band_A~One.mp3", "Band_B~Two.mp3", "Band_C~Three.mp3", "Band_D~Four.mp3",
                             "Band_E~Five.mp3"})
        test::WriteBytes(musik / name, track);
    // The station is one of the server's own tracks: a stream of the loopback like any other.
    const std::string station = server.Origin() + "/musik/Band_A~One.mp3";
    fs::create_directories(server.DataDir() / "packages");
    test::WriteBytes(server.DataDir() / "packages" / "QobRadio.rad",
                     "# the test's one station\nRUS#LOOPBAK#Loopback FM#Russian Federation#" + station + "#L\n");

    test::TempFolder folder("tarvo3-server-media");
    StartOptions options = FreshDataFolder(folder);
    ASSERT_TRUE(options.data.ok()) << options.data.error;
    const fs::path data = options.data.folder;
    test::WriteBytes(data / "QobRadio02.dll", "pictures");
    test::WriteBytes(data / "QobRadio.ini",
                     "Loopback FM\r\n" + station + "\r\nRussian Federation\r\nL\r\n0\r\n40\r\n0\r\n");
    // The home server is the test's; the window is large enough for the radio and the player.
    Settings settings = LoadSettings(data / kSettingsFileName);
    settings.ServerPath = EncipherAddress(server.Origin() + "/stats");
    settings.RadioListFromServer = true;
    settings.MusicOn = true;
    settings.WindowSize = 4;
    NoMessages messages;
    ASSERT_EQ(SaveSettings(data / kSettingsFileName, settings, messages), SaveOutcome::Written);

    auto window = std::make_unique<MainWindow>(std::move(options));
    window->show();
    auto* media = window->findChild<MenuMedia*>();
    ASSERT_TRUE(media);
    MusicPlayer& music = media->Music();
    Radio& radio = media->TheRadio();
    QTest::mouseClick(window->findChild<TitleScreen*>(), Qt::LeftButton);

    // The playlist page arrives and the player's buttons come up on the menu.
    auto* buttons = window->findChild<MusicButtons*>();
    ASSERT_TRUE(buttons);
    ASSERT_TRUE(WaitUntil([&] { return buttons->isVisible(); }));
    EXPECT_EQ(music.Tracks().size(), 5u);
    QTest::mouseClick(buttons, Qt::LeftButton, {}, QPoint(30, 30));
    ASSERT_TRUE(WaitUntil([&] { return music.Stream().Position() >= 300; }));
    EXPECT_TRUE(music.Playing());
    EXPECT_TRUE(buttons->ShowsPause());

    // The radio's list came from the server; switching it on quiets the music.
    auto* indicator = window->findChild<RadioIndicator*>();
    ASSERT_TRUE(indicator);
    ASSERT_TRUE(WaitUntil([&] { return radio.Available(); }));
    EXPECT_EQ(test::ReadBytes(data / "QobRadio.ser"), test::ReadBytes(server.DataDir() / "packages" / "QobRadio.rad"));
    QTest::mouseClick(indicator, Qt::LeftButton, {}, QPoint(110, 60));
    EXPECT_TRUE(radio.Sounding());
    EXPECT_FALSE(music.Playing());
    EXPECT_NE(music.Stream().CurrentState(), AudioStream::State::Playing);
    EXPECT_EQ(indicator->CurrentLook(), RadioIndicator::Look::On);
    ASSERT_TRUE(WaitUntil([&] { return radio.Stream().Position() >= 300; }));

    // And the music again: the radio goes off.
    QTest::mouseClick(buttons, Qt::LeftButton, {}, QPoint(30, 30));
    EXPECT_TRUE(music.Playing());
    EXPECT_FALSE(radio.On());
    EXPECT_FALSE(radio.Sounding());
    EXPECT_EQ(indicator->CurrentLook(), RadioIndicator::Look::Off);

    window->close();
    window.reset();
    qunsetenv("TMPDIR");
}

} // namespace
