// The real main window on the offscreen screen, driven as a person would: the title screen, the
// club list, the welcome dialog and the popup menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <unistd.h>

#include "../support/DecodedGif.h"
#include "../support/TempFolder.h"
#include "../support/TestApplication.h"
#include "app/MainWindow.h"
#include "app/TitleScreen.h"
#include "app/WelcomeDialog.h"
#include "core/Round.h"
#include "media/Sound.h"
#include "records/Club.h"
#include "settings/DataFolder.h"
#include "table/HelpWindow.h"
#include "table/MenuScreen.h"
#include "table/TableScreen.h"

using namespace tarvo;
namespace fs = std::filesystem;

namespace {

// Taken at start, before a test points TMPDIR elsewhere.
const fs::path TempBase = fs::temp_directory_path();

std::string ReadAllBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// Closes the next modal window that opens and reports what it was.
class ModalCloser {
  public:
    ModalCloser() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                seen = modal->metaObject()->className();
                modal->close();
            }
        });
        timer_.start(20);
    }
    QString seen;

  private:
    QTimer timer_;
};

// A screen of 1600 x 1200, large enough for every window size, made before the application is.
const bool largeScreen = [] {
    const std::string config = (fs::temp_directory_path() / "tarvo3-window-screen.json").string();
    std::ofstream(config) << R"({"screens": [{"name": "big", "x": 0, "y": 0, "width": 1600, "height": 1200,
                                              "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    qputenv("QT_QPA_PLATFORM", QByteArray::fromStdString("offscreen:configfile=" + config));
    return true;
}();

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::TestApplication();
        folder_ = TempBase / ("tarvo3-window-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        // The menu song's file goes to a temporary folder of this test's own.
        fs::create_directories(folder_.string() + "-tmp");
        qputenv("TMPDIR", QByteArray::fromStdString(folder_.string() + "-tmp"));
        DataFolderInputs in;
        in.dataDir = folder_;
        StartOptions options;
        options.data = PrepareDataFolder(in);
        ASSERT_TRUE(options.data.ok()) << options.data.error;
        struct Quiet : SettingsMessages {
            void ShowError(std::string_view) override {}
        } quiet;
        const fs::path settingsFile = options.data.File(kSettingsFileName);
        Settings settings = LoadSettings(settingsFile);
        PrepareSettings(settings);
        ASSERT_NE(SaveSettings(settingsFile, settings, quiet), SaveOutcome::Failed);
        window_ = std::make_unique<MainWindow>(std::move(options));
        window_->show();
        // A click on the title screen leads to the menu.
        auto* title = window_->findChild<TitleScreen*>();
        ASSERT_TRUE(title);
        QTest::mouseClick(title, Qt::LeftButton);
        menu_ = window_->findChild<MenuScreen*>();
        ASSERT_TRUE(menu_ && menu_->isVisible());
    }
    virtual void PrepareSettings(Settings&) {}
    void TearDown() override {
        if (window_) window_->close();
        window_.reset();
        fs::remove_all(folder_);
        fs::remove_all(folder_.string() + "-tmp");
    }

    fs::path folder_;
    std::unique_ptr<MainWindow> window_;
    MenuScreen* menu_ = nullptr;
};

TEST_F(WindowTest, AnEmptyClubRowDoesNothing) {
    ModalCloser closer;
    menu_->Button(MenuButton::Club1)->click();
    QTest::qWait(60);
    EXPECT_TRUE(closer.seen.isEmpty()) << closer.seen.toStdString();
    EXPECT_TRUE(menu_->isVisible());
}

TEST_F(WindowTest, ACancelledWelcomeLeavesTheClubAsItWas) {
    const std::string before = ReadAllBytes(folder_ / "Tarvo3.clb");
    ModalCloser closer;
    menu_->Button(MenuButton::Sixth)->click(); // "New Player": the welcome dialog, closed unanswered
    EXPECT_FALSE(closer.seen.isEmpty());
    EXPECT_TRUE(menu_->isVisible());
    EXPECT_EQ(ReadAllBytes(folder_ / "Tarvo3.clb"), before);
}

class RecordingWindowTest : public WindowTest {
  protected:
    void PrepareSettings(Settings& s) override {
        s.SaveGif = true;
        s.GifArea = 1;
        s.GifDelay = 100;
    }
};

// Closing the window in the middle of a game, and saying yes, saves the game as far as it went.
TEST_F(RecordingWindowTest, ClosingInTheMiddleOfAGameSavesItsRecording) {
    QStringList seen;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* welcome = dynamic_cast<WelcomeDialog*>(modal)) {
            seen << "welcome";
            welcome->NameField()->setText(QStringLiteral("Anna"));
            welcome->PasswordField()->setText(QStringLiteral("pw"));
            welcome->AgainField()->setText(QStringLiteral("pw"));
            if (welcome->Accept()) welcome->accept();
        } else if (auto* question = qobject_cast<QMessageBox*>(modal)) {
            seen << "question";
            question->button(QMessageBox::Yes)->click();
        }
    });
    answer.start(20);
    menu_->Button(MenuButton::Sixth)->click(); // "New Player": the deal starts the recording
    ASSERT_FALSE(menu_->isVisible());
    QCoreApplication::processEvents(); // the deal's picture
    window_->close();
    EXPECT_EQ(seen, (QStringList{"welcome", "question"}));
    EXPECT_FALSE(window_->isVisible());

    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder_ / "GIFGame")) files.push_back(entry.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].extension(), ".gif");
    test::DecodedGif gif = test::DecodeWithGiflib(QString::fromStdString(files[0].string()));
    ASSERT_TRUE(gif.ok);
    EXPECT_EQ(gif.screen, QSize(760, 500));
    EXPECT_EQ(gif.delays.back(), 500);
}

// On the main menu the game table's items of the popup are offered greyed: nothing to leave.
TEST_F(WindowTest, ExitToMenuOnTheMenuIsGreyed) {
    ModalCloser closer;
    std::optional<bool> exitEnabled;
    QTimer chooser;
    QObject::connect(&chooser, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* popup = qobject_cast<QMenu*>(top);
            if (!popup || !popup->isVisible()) continue;
            for (QAction* action : popup->actions())
                if (action->text() == QStringLiteral("Exit to menu")) exitEnabled = action->isEnabled();
            chooser.stop();
            popup->close();
        }
    });
    chooser.start(20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), window_->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window_.get(), &event);
    ASSERT_TRUE(exitEnabled.has_value());
    EXPECT_FALSE(*exitEnabled);
    EXPECT_TRUE(closer.seen.isEmpty()) << closer.seen.toStdString();
    EXPECT_TRUE(menu_->isVisible());
}

// "Help" of the popup opens the help pages in a window of the game, with no browser needed.
TEST_F(WindowTest, HelpOpensInAWindowOfTheGame) {
    QTimer chooser;
    QObject::connect(&chooser, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* popup = qobject_cast<QMenu*>(top);
            if (!popup || !popup->isVisible()) continue;
            chooser.stop();
            for (QAction* action : popup->actions())
                if (action->text() == QStringLiteral("Help")) popup->setActiveAction(action);
            QTest::keyClick(popup, Qt::Key_Return);
        }
    });
    chooser.start(20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), window_->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window_.get(), &event);
    auto* help = window_->findChild<HelpWindow*>();
    ASSERT_TRUE(help);
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->windowTitle(), QStringLiteral("Help"));
    EXPECT_TRUE(help->Browser()->toPlainText().contains(QStringLiteral("throw-in Durak")));
    help->close();
}

// Every size chosen in the options while the menu shows, smaller and larger, and full screen and
// back: the window takes exactly that size, centred on the screen, and the open dialog follows it.
TEST_F(WindowTest, AChosenWindowSizeIsTakenAndCentredWithTheDialogOverIt) {
    const QRect screen = window_->screen()->geometry(), free = window_->screen()->availableGeometry();
    ASSERT_EQ(screen.size(), QSize(1600, 1200));
    const struct {
        int item; // in the order the list offers them
        QSize client;
    } steps[] = {{4, {1520, 1000}}, {0, {760, 500}},   {3, {1290, 850}}, {2, {990, 650}},
                 {0, {760, 500}},   {1, {1600, 1200}}, {2, {990, 650}}};
    int checked = 0;
    QTimer poll; // the options open after the button's salute
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        QComboBox* sizes = nullptr;
        if (dialog)
            for (auto* combo : dialog->findChildren<QComboBox*>())
                if (combo->findText(QStringLiteral("Large window")) >= 0) sizes = combo;
        if (!sizes) return;
        poll.stop();
        for (const auto& step : steps) {
            sizes->setCurrentIndex(step.item);
            QApplication::processEvents();
            const bool full = step.item == 1;
            EXPECT_EQ(window_->isFullScreen(), full) << step.item;
            EXPECT_EQ(window_->size(), step.client) << step.item;
            EXPECT_EQ(window_->frameGeometry().center(), (full ? screen : free).center()) << step.item;
            EXPECT_EQ(dialog->frameGeometry().center(), window_->frameGeometry().center()) << step.item;
            ++checked;
        }
        dialog->close();
    });
    poll.start(20);
    menu_->Button(MenuButton::Options)->click();
    EXPECT_EQ(checked, static_cast<int>(std::size(steps)));
}

} // namespace

namespace {

// A game played in the real window with recording on leaves one animated GIF in "GIFGame" of the
// data folder: both decoders read it, every frame shows for the chosen delay and the last for
// five seconds, and the last frame is the window as it showed the result.
TEST(WindowRecording, AGameIsSavedAsAnAnimatedGif) {
    test::TestApplication();
    qputenv("TMPDIR", QByteArray::fromStdString(TempBase.string()));
    test::TempFolder folder("tarvo3-gif-window");
    // The menu song's file goes to a temporary folder of this test's own.
    fs::create_directories(folder / "tmp");
    qputenv("TMPDIR", QByteArray::fromStdString((folder / "tmp").string()));
    DataFolderInputs in;
    in.dataDir = folder / "data";
    StartOptions options;
    options.data = PrepareDataFolder(in);
    ASSERT_TRUE(options.data.ok()) << options.data.error;
    options.autoplayGames = 1;
    const fs::path settingsFile = options.data.File(kSettingsFileName);
    Settings settings = LoadSettings(settingsFile);
    settings.SaveGif = true;
    settings.GifArea = 1;
    settings.GifDelay = 30;
    struct Quiet : SettingsMessages {
        void ShowError(std::string_view) override {}
    } quiet;
    ASSERT_NE(SaveSettings(settingsFile, settings, quiet), SaveOutcome::Failed);

    MainWindow window(std::move(options));
    QImage atResult;
    auto* table = window.findChild<TableScreen*>();
    ASSERT_TRUE(table);
    // Connected after the window's own recording hook, so this picture is taken just after its.
    QObject::connect(table, &TableScreen::resultShown, [&] { atResult = window.grab().toImage(); });
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (window.isVisible() && waited.elapsed() < 300000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_FALSE(window.isVisible());
    ASSERT_FALSE(atResult.isNull());

    const std::vector<std::string> files = [&] {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder / "data" / "GIFGame"))
            names.push_back(entry.path().filename().string());
        return names;
    }();
    ASSERT_EQ(files.size(), 1u);
    EXPECT_EQ(files[0].size(), std::string("2024.05.01-13.45.10.gif").size()) << files[0];
    const QString path = QString::fromStdString((folder / "data" / "GIFGame" / files[0]).string());
    test::DecodedGif gif = test::DecodeWithGiflib(path);
    test::DecodedGif qt = test::DecodeWithQt(path);
    ASSERT_TRUE(gif.ok && qt.ok);
    EXPECT_EQ(gif.screen, QSize(760, 500));
    ASSERT_GE(gif.frames.size(), 2u);
    EXPECT_LE(gif.frames.size(), 250u);
    EXPECT_EQ(qt.frames.size(), gif.frames.size());
    EXPECT_EQ(gif.delays.back(), 500);
    for (std::size_t i = 0; i + 1 < gif.delays.size(); ++i) EXPECT_EQ(gif.delays[i], 3) << i;
    // 256 colours of the cloth's grain differ a little from the window; the deal differs a lot.
    EXPECT_LT(test::MeanDifference(gif.frames.back(), atResult), 6.0);
    EXPECT_LT(test::MeanDifference(qt.frames.back(), atResult), 6.0);
    EXPECT_GT(test::MeanDifference(gif.frames.front(), atResult), 12.0);
}

} // namespace

// --- the end of a series ------------------------------------------------------------------

namespace tarvo {

// Plays a game of the window to its end as the computer would for every seat, quietly and
// without flights, and leaves the table as the player's "Exit to menu" does.
class WindowProbe {
  public:
    explicit WindowProbe(MainWindow& w) : w_(w) {}
    SoundPlayer& Sound() { return w_.resources_.sound; }
    void PlayOneGame(int storedGames) {
        w_.settings_.FlyCards = false;
        w_.settings_.SoundOn = false;
        w_.settings_.SaluteButtons = false;
        w_.ApplyTexts();
        w_.series_ = NewPlayerSeries("Anna", "1");
        w_.series_.slot = NewPlayerSlot;
        w_.series_.G0 = storedGames;
        w_.StartSeries();
        w_.gameTimer_.stop(); // the steps are the test's
        MatchContext& m = *w_.match_;
        // The games of a cycle's end are one; otherwise until the player's points have moved.
        for (int game = 0; game < 20 && (game == 0 || (storedGames % 30 != 29 && m.g.SeatScore[3] == 0));
             ++game) {
            PressActionButton(m, w_.decks_); // "To Begin", later the next deal
            if (game > 0) PressActionButton(m, w_.decks_);
            for (int steps = 0; steps < 600 && !m.g.GameOver; ++steps)
                MakeMove(m, 0, PendingBoutEnd(m.g).has_value(), PendingBoutEnd(m.g).has_value());
            ASSERT_TRUE(m.g.GameOver);
        }
        w_.settings_.SoundOn = true;
        w_.ApplyTexts();
    }
    void ExitToMenu() { w_.ExitToMenu(); }

  private:
    MainWindow& w_;
};

} // namespace tarvo

namespace {

// Which of the program's effects starts when, and whether it cut off the one before.
class SoundLog : public WaveOutput {
  public:
    explicit SoundLog(SoundPlayer& player) : player_(player) {
        clock_.start();
        player_.SetOutput(this);
    }
    ~SoundLog() override { player_.SetOutput(nullptr); }
    void Start(const QByteArray& wave, const WaveInfo& info) override {
        std::string name = "other";
        for (const char* known : {"WKoGood", "WKoBads", "WToMenK", "WFiBest", "WFiGood", "WFiBads"})
            if (ResourceWave(known) == wave) name = known;
        const qint64 now = clock_.elapsed();
        // A little slack for the timer that ends a waiting sound.
        if (!names.empty() && now + 30 < endsAt_) cut.push_back(names.back());
        names.push_back(name);
        endsAt_ = now + info.DurationMs();
    }
    void Stop() override {}
    std::vector<std::string> names, cut;

  private:
    SoundPlayer& player_;
    QElapsedTimer clock_;
    qint64 endsAt_ = 0;
};

// The verdict of a series is heard to its end before the return to the menu sounds.
TEST_F(WindowTest, TheVerdictIsHeardBeforeTheReturnToTheMenu) {
    WindowProbe probe(*window_);
    probe.PlayOneGame(3);
    SoundLog log(probe.Sound());
    probe.ExitToMenu();
    ASSERT_GE(log.names.size(), 2u);
    EXPECT_TRUE(log.names[0] == "WKoGood" || log.names[0] == "WKoBads") << log.names[0];
    EXPECT_EQ(log.names.back(), "WToMenK");
    EXPECT_TRUE(log.cut.empty()) << log.cut.front();
    EXPECT_TRUE(menu_->isVisible());
}

// The thirtieth game closes a cycle: its window, with its own sound, comes before the menu.
TEST_F(WindowTest, TheEndOfACycleComesBeforeTheMenu) {
    WindowProbe probe(*window_);
    probe.PlayOneGame(29);
    SoundLog log(probe.Sound());
    std::optional<bool> menuUnderTheWindow;
    std::size_t soundsWhileOpen = 0;
    QStringList windows; // the end-of-cycle window, then the world top ten's write window
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) return;
        if (windows.isEmpty()) {
            menuUnderTheWindow = menu_->isVisible();
            soundsWhileOpen = log.names.size();
        }
        windows << modal->windowTitle();
        modal->close();
    });
    closer.start(20);
    probe.ExitToMenu();
    closer.stop();
    ASSERT_TRUE(menuUnderTheWindow.has_value()) << "no end-of-cycle window";
    EXPECT_TRUE(windows.contains("World Top Ten")) << windows.join(", ").toStdString();
    EXPECT_FALSE(*menuUnderTheWindow);
    ASSERT_EQ(soundsWhileOpen, 1u);
    EXPECT_EQ(log.names[0].substr(0, 3), "WFi");
    EXPECT_EQ(log.names.back(), "WToMenK");
    EXPECT_TRUE(menu_->isVisible());
}

} // namespace
