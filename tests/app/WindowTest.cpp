// The real main window on the offscreen screen, driven as a person would: the title screen, the
// club list, the welcome dialog and the popup menu.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <unistd.h>

#include "../support/TestApplication.h"
#include "app/MainWindow.h"
#include "app/TitleScreen.h"
#include "records/Club.h"
#include "settings/DataFolder.h"
#include "table/MenuScreen.h"

using namespace tarvo;
namespace fs = std::filesystem;

namespace {

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
        // Taken once, before the first test points TMPDIR elsewhere.
        static const fs::path base = fs::temp_directory_path();
        folder_ = base / ("tarvo3-window-" + std::to_string(::getpid()));
        fs::remove_all(folder_);
        // The menu song's file goes to a temporary folder of this test's own.
        fs::create_directories(folder_.string() + "-tmp");
        qputenv("TMPDIR", QByteArray::fromStdString(folder_.string() + "-tmp"));
        DataFolderInputs in;
        in.dataDir = folder_;
        StartOptions options;
        options.data = PrepareDataFolder(in);
        ASSERT_TRUE(options.data.ok()) << options.data.error;
        window_ = std::make_unique<MainWindow>(std::move(options));
        window_->show();
        // A click on the title screen leads to the menu.
        auto* title = window_->findChild<TitleScreen*>();
        ASSERT_TRUE(title);
        QTest::mouseClick(title, Qt::LeftButton);
        menu_ = window_->findChild<MenuScreen*>();
        ASSERT_TRUE(menu_ && menu_->isVisible());
    }
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
