// The real main window in network mode, against a machine of the test over a real TCP connection:
// the welcome dialog's network half, the wait window, and the start of the series.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QTimer>
#include <functional>

#include "../netplay/Machines.h"
#include "../support/EventWait.h"
#include "../support/TempFolder.h"
#include "../support/TestApplication.h"
#include "app/MainWindow.h"
#include "app/TitleScreen.h"
#include "netplay/Transport.h"
#include "table/MenuScreen.h"
#include "table/MessageWindow.h"
#include "table/WaitWindow.h"

using namespace tarvo;

namespace {

quint16 FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// Runs `step` on the modal window in front, again and again, while the test waits.
class ModalScript {
  public:
    explicit ModalScript(std::function<void(QWidget*)> step) : step_(std::move(step)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (QWidget* modal = QApplication::activeModalWidget()) step_(modal);
        });
        timer_.start(20);
    }

  private:
    std::function<void(QWidget*)> step_;
    QTimer timer_;
};

// A machine of the test: a network session over its own TCP transport.
struct Peer {
    NetTransport transport;
    test::Machine machine{transport};
    Peer() { transport.SetSession(&machine.session); }
};

class NetWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::TestApplication();
        port_ = FreePort();
        // The menu song's file goes to this test's folder.
        hadTmp_ = qEnvironmentVariableIsSet("TMPDIR");
        oldTmp_ = qgetenv("TMPDIR");
        qputenv("TMPDIR", QByteArray::fromStdString(folder_.path().string()));
        DataFolderInputs in;
        in.dataDir = folder_ / "data";
        StartOptions options;
        options.data = PrepareDataFolder(in);
        ASSERT_TRUE(options.data.ok()) << options.data.error;
        // A player who has switched network play on.
        Settings s = DefaultSettings();
        s.Language = language_;
        s.NetGame = true;
        s.NetIP = "127.0.0.1";
        s.NetPort = std::to_string(port_);
        test::WriteBytes(options.data.File(kSettingsFileName), SettingsFileBytes(s));
        window_ = std::make_unique<MainWindow>(std::move(options));
        window_->show();
        QTest::mouseClick(window_->findChild<TitleScreen*>(), Qt::LeftButton);
        menu_ = window_->findChild<MenuScreen*>();
        ASSERT_TRUE(menu_ && menu_->isVisible());
    }
    void TearDown() override {
        window_.reset(); // no "leave the game?" question
        if (hadTmp_)
            qputenv("TMPDIR", oldTmp_);
        else
            qunsetenv("TMPDIR");
    }

    // The welcome dialog's "Ok" with a new player's name, as a client or as the server. Pressed
    // after the script's turn: "Ok" opens the wait window, a modal loop of its own.
    static void Answer(WelcomeDialog* w, const QString& name, bool client) {
        w->NameField()->setText(name);
        if (client) w->ClientChoice()->setChecked(true);
        QTimer::singleShot(0, w->findChild<QDialogButtonBox*>()->buttons().first(), &QPushButton::click);
    }

    int language_ = 0;
    test::TempFolder folder_{"tarvo3-netwindow"};
    bool hadTmp_ = false;
    QByteArray oldTmp_;
    quint16 port_ = 0;
    std::unique_ptr<MainWindow> window_;
    MenuScreen* menu_ = nullptr;
};

} // namespace

// A client finds no server: no error box, the wait window says there are no accessible games and
// tries again every second; "Cancel" leaves the welcome dialog open. Once a server listens, the
// client joins, the welcome closes, and the window waits at the table for the first deal.
TEST_F(NetWindowTest, AClientWaitsForItsServer) {
    Peer server;
    QString statusSeen;
    bool cancelled = false, serverStarted = false;
    int answers = 0;
    ModalScript script([&](QWidget* modal) {
        if (auto* welcome = dynamic_cast<WelcomeDialog*>(modal)) {
            if (answers < 1 + cancelled) Answer(welcome, QStringLiteral("Ann"), true), ++answers;
            return;
        }
        auto* wait = dynamic_cast<WaitWindow*>(modal);
        if (!wait || wait->StatusLine()->text() != QStringLiteral("There are no accessible games")) return;
        statusSeen = wait->StatusLine()->text();
        if (!cancelled) {
            cancelled = true;
            wait->CancelButton()->click();
        } else if (!serverStarted) {
            serverStarted = true;
            server.machine.session.StartServer("Srv");
            server.transport.Listen(port_);
        }
    });
    menu_->Button(MenuButton::Sixth)->click();
    EXPECT_EQ(statusSeen, "There are no accessible games");
    EXPECT_TRUE(cancelled && serverStarted);
    ASSERT_EQ(server.machine.joined, 1);
    EXPECT_FALSE(menu_->isVisible());
    auto* table = window_->findChild<TableScreen*>();
    EXPECT_TRUE(table->ChatLine()->isVisible());

    // The chat goes through the server's machine.
    table->ChatLine()->setText(QStringLiteral("Привет!"));
    QTest::keyClick(table->ChatLine(), Qt::Key_Return);
    ASSERT_TRUE(test::WaitFor([&] { return !server.machine.chats.empty(); }));
    EXPECT_EQ(server.machine.chats[0], (std::pair<int, std::string>{1, "Привет!"}));
}

// The window as the server: a client joins and is shown, "Cancel" is no longer offered, and "Ok"
// starts the series with the computer in the seat of the missing second client.
TEST_F(NetWindowTest, TheServerStartsWithTheComputerInTheMissingSeat) {
    Peer client;
    bool linesShown = false, answered = false;
    ModalScript script([&](QWidget* modal) {
        if (auto* welcome = dynamic_cast<WelcomeDialog*>(modal)) {
            if (!answered) Answer(welcome, QStringLiteral("Srv"), false), answered = true;
            return;
        }
        auto* wait = dynamic_cast<WaitWindow*>(modal);
        if (!wait) return;
        if (client.machine.session.State() == NetState::None) {
            client.machine.session.StartClient("Bob");
            client.transport.Connect(QStringLiteral("127.0.0.1"), port_);
        }
        if (!client.machine.welcomed || !wait->OkButton()->isEnabled()) return;
        linesShown = wait->PlayerLine(0)->isVisibleTo(wait) && !wait->PlayerLine(1)->isVisibleTo(wait) &&
                     !wait->CancelButton()->isEnabled();
        wait->OkButton()->click();
    });
    menu_->Button(MenuButton::Sixth)->click();
    EXPECT_TRUE(linesShown);
    client.machine.Begin();
    ASSERT_TRUE(test::WaitFor([&] { return client.machine.session.NextIncoming() == Incoming::Deal; }));
    client.machine.session.ApplyNext(0);
    EXPECT_EQ(client.machine.g.KolCards[3], 6);
    EXPECT_EQ(client.machine.session.SeatName(2), "Srv");
    EXPECT_EQ(client.machine.session.SeatName(1), "PC");
    EXPECT_EQ(client.machine.m.singleClientComputer, 1);
}

// The other player leaves while this one is asked whether to leave the game: the game ends for
// him anyway, and the question goes with it rather than stand over the menu (or the next game).
TEST_F(NetWindowTest, AGameThatEndsWhileTheExitQuestionIsAskedTakesItAlong) {
    Peer server;
    server.machine.session.StartServer("Srv");
    server.transport.Listen(port_);
    bool answered = false, told = false, staleQuestion = false;
    ModalScript script([&](QWidget* modal) {
        if (auto* welcome = dynamic_cast<WelcomeDialog*>(modal)) {
            if (!answered) Answer(welcome, QStringLiteral("Ann"), true), answered = true;
        } else if (auto* question = qobject_cast<QMessageBox*>(modal)) {
            if (!told) return server.transport.CloseAll(); // the server's player goes meanwhile
            staleQuestion = true;
            question->button(QMessageBox::No)->click();
        } else if (auto* message = dynamic_cast<TFormLink*>(modal)) {
            told = true;
            message->accept();
        }
    });
    menu_->Button(MenuButton::Sixth)->click();
    ASSERT_EQ(server.machine.joined, 1);
    server.machine.Begin();
    auto* table = window_->findChild<TableScreen*>();
    ASSERT_TRUE(test::WaitFor([&] { return table->TableShown(); }));

    QTimer chooser; // "Exit to menu" from the popup
    QObject::connect(&chooser, &QTimer::timeout, [&] {
        auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!popup) return;
        for (QAction* action : popup->actions())
            if (action->text() == QStringLiteral("Exit to menu")) popup->setActiveAction(action);
        chooser.stop();
        QTest::keyClick(popup, Qt::Key_Return);
    });
    chooser.start(20);
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), window_->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(window_.get(), &event);
    EXPECT_TRUE(told);
    EXPECT_FALSE(staleQuestion);
    EXPECT_TRUE(menu_->isVisible());
}

class RussianNetWindowTest : public NetWindowTest {
  protected:
    void SetUp() override {
        language_ = 1;
        NetWindowTest::SetUp();
    }
};

// A port another program holds is told in the player's language, and the welcome dialog stays
// open for another port.
TEST_F(RussianNetWindowTest, APortInUseIsToldAndTheWelcomeStays) {
    QTcpServer other;
    ASSERT_TRUE(other.listen(QHostAddress::Any, port_));
    QString told;
    bool answered = false, welcomeAgain = false;
    ModalScript script([&](QWidget* modal) {
        if (auto* message = dynamic_cast<TFormLink*>(modal)) {
            told = message->Label1->text();
            message->close();
        } else if (auto* welcome = dynamic_cast<WelcomeDialog*>(modal)) {
            if (!answered) {
                Answer(welcome, QStringLiteral("Srv"), false);
                answered = true;
            } else if (!told.isEmpty()) {
                welcomeAgain = true;
                welcome->reject();
            }
        }
    });
    menu_->Button(MenuButton::Sixth)->click();
    EXPECT_EQ(told, QStringLiteral("Порт уже занят другой программой! (%1)").arg(port_));
    EXPECT_TRUE(welcomeAgain);
    EXPECT_TRUE(menu_->isVisible());
}
