// The main window in network play: the network half of the welcome dialog, the wait window, what
// arrives from the other machines applied on a timer, the chat, the interruption of a series, and
// the network series that autoplay plays between processes.
#include <QCoreApplication>
#include <QEventLoop>
#include <QHostAddress>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>
#include <cstdio>

#include "app/MainWindow.h"
#include "netplay/Autoplay.h"
#include "online/Services.h"
#include "records/Club.h"

namespace tarvo {
namespace {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

// Records that came in one read are applied this far apart, so that each can be followed; with
// nobody watching (autoplay) they follow at once, as the cards do not fly either.
constexpr int RecordSpacingMs = 100;

} // namespace

// This machine's address as the Internet sees it, from the home server's echo service; empty when
// it cannot be had within a few seconds or the answer is no address.
QString InternetAddress(const Settings& settings) {
    const ServiceAddresses services = StartAddresses(settings);
    const auto origin = OriginOf(services.statistics);
    if (!origin) return {};
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(QString::fromStdString(*origin + service_path::Ip)));
    request.setTransferTimeout(3000);
    QNetworkReply* reply = manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    const QString text = QString::fromLatin1(reply->read(64)).trimmed();
    const bool ok = reply->error() == QNetworkReply::NoError;
    reply->deleteLater();
    return ok && !QHostAddress(text).isNull() ? text : QString();
}

void MainWindow::SetUpNetwork() {
    netTransport_.SetSession(&netSession_);
    netTransport_.onConnectFailed = [this] {
        if (waitWindow_) waitWindow_->ShowNoGames();
    };
    netTimer_.setSingleShot(true);
    connect(&netTimer_, &QTimer::timeout, this, &MainWindow::ApplyIncoming);
    connect(table_, &TableScreen::chatSent, this, &MainWindow::SendOwnChat);
    table_->ChatLine()->setMaxLength(static_cast<int>(MaxChatLength));
}

WaitTexts MainWindow::WaitTextsNow() const {
    WaitTexts w;
    w.caption = Tr(txt::PleaseWait);
    w.waitingForPlayers = Tr(txt::WaitingForPlayers);
    w.waitingForGame = Tr(txt::WaitingForGame);
    for (int i = 0; i < 3; ++i) w.connected[static_cast<std::size_t>(i)] = Tr(txt::PlayerConnected, i);
    w.noGames = Tr(txt::NoGamesAvailable);
    w.cancel = Tr(txt::Cancel);
    return w;
}

void MainWindow::EnableNetworkWelcome(WelcomeDialog& dialog) {
    WelcomeNetwork n;
    n.texts.group = Tr(txt::ServerClient);
    n.texts.server = Tr(txt::ServerCreatesGame);
    n.texts.client = Tr(txt::ClientJoinsGame);
    n.texts.ip = Tr(txt::EnterServerIp);
    n.texts.port = Tr(txt::EnterServerPort);
    n.texts.addresses = Tr(txt::ReceiveIpAddresses);
    n.texts.games = Tr(txt::NumberOfGamesLabel);
    n.texts.help = Tr(txt::Help);
    n.texts.incorrectIp = Tr(txt::IncorrectIp);
    n.texts.incorrectPort = Tr(txt::IncorrectPort);
    n.netIp = Utf8(settings_.NetIP);
    n.netPort = Utf8(settings_.NetPort);
    n.start = [this](const NetChoice& choice) { return StartNetwork(choice); };
    n.showAddresses = [this] { ShowMachineAddresses(); };
    n.help = [this] { OpenHelp(); };
    dialog.EnableNetwork(std::move(n));
}

// Listens or connects, then waits in the wait window until the series can start: the server's
// "Ok" once a client has joined, a client's welcome from the server. "Cancel" stops it all.
bool MainWindow::StartNetwork(const NetChoice& choice) {
    const bool autoplay = autoplay_.On();
    if (choice.server) {
        netSession_.StartServer(choice.name.toStdString());
        const ListenFault fault = netTransport_.Listen(static_cast<quint16>(choice.port));
        if (fault != ListenFault::None) {
            EndNetwork();
            ShowMessage((fault == ListenFault::PortInUse ? Tr(txt::PortInUse) : Tr(txt::PortRefused)) + " (" +
                        QString::number(choice.port) + ")");
            return false;
        }
    } else {
        netSession_.StartClient(choice.name.toStdString());
        netTransport_.Connect(choice.ip, static_cast<quint16>(choice.port));
    }
    WaitWindow wait(choice.server, WaitTextsNow(), settings_.GifAnimation && !autoplay, this);
    waitWindow_ = &wait;
    const bool started = wait.exec() == QDialog::Accepted && !netSession_.Ended();
    waitWindow_ = nullptr;
    if (!started) {
        EndNetwork();
        return false;
    }
    networkSeries_ = true;
    return true;
}

void MainWindow::ShowMachineAddresses() {
    QStringList lines = LocalAddresses();
    const QString internet = InternetAddress(settings_);
    if (!internet.isEmpty()) lines << internet;
    lines << QStringLiteral("127.0.0.1  ") + Tr(txt::Loop);
    QMessageBox box(QMessageBox::Information, Tr(txt::ReceiveIpAddresses), lines.join(QLatin1Char('\n')),
                    QMessageBox::Ok, this);
    box.setTextInteractionFlags(Qt::TextSelectableByMouse);
    box.exec();
}

void MainWindow::NetLink::Joined(int clients) {
    if (!w_.waitWindow_) return;
    w_.waitWindow_->ShowJoined(clients);
    // Autoplay's server starts as soon as the clients it was told of are there.
    if (w_.autoplay_.On() && clients >= w_.options_.net.clients) w_.waitWindow_->accept();
}

void MainWindow::NetLink::Welcomed() {
    if (w_.waitWindow_) w_.waitWindow_->accept();
}

void MainWindow::NetLink::NamesChanged() {
    if (w_.networkSeries_) w_.table_->SetTexts(w_.TextsForTable());
}

// Never applied inside the socket's own call: a step's flight lets the sockets deliver more.
void MainWindow::NetLink::GameMessageArrived() {
    if (!w_.netTimer_.isActive()) w_.netTimer_.start(0);
}

void MainWindow::NetLink::ChatArrived(int seat, const std::string& text) {
    if (!w_.networkSeries_) return;
    w_.table_->AddChatLine(seat, QStringLiteral("s") + Utf8(text));
    w_.table_->PlaySound("WToMenK");
}

void MainWindow::NetLink::Interrupted(const std::string& reason) {
    w_.netInterruption_ = reason;
    QTimer::singleShot(0, &w_, &MainWindow::HandleInterruption);
}

bool MainWindow::NetworkBusy() const {
    return networkSeries_ && netSession_.NextIncoming() != Incoming::None;
}

// One deal or record at a time; a bunch that came together is spaced out, and a flight in
// progress finishes first.
void MainWindow::ApplyIncoming() {
    if (!networkSeries_ || netSession_.NextIncoming() == Incoming::None) return;
    const int spacing = autoplay_.On() ? 0 : RecordSpacingMs;
    if (stepRunning_) {
        netTimer_.start(spacing);
        return;
    }
    {
        StepGuard guard(stepRunning_, *table_);
        if (netSession_.NextIncoming() == Incoming::Deal) {
            EnterTableForDeal();
            netSession_.ApplyNext(series_.G0);
            table_->SetCounterHover(CounterKind::Network, 0, game_.KonStart, true);
            table_->RedrawAll();
        } else {
            netSession_.ApplyNext(series_.G0);
        }
    }
    if (netSession_.NextIncoming() != Incoming::None) netTimer_.start(spacing);
}

// Another machine left, aborted, or sent what the game refuses: nothing of the series is
// recorded, and the player is told and taken back to the main menu.
void MainWindow::HandleInterruption() {
    if (!netInterruption_) return;
    if (stepRunning_) {
        QTimer::singleShot(RecordSpacingMs, this, &MainWindow::HandleInterruption);
        return;
    }
    netInterruption_.reset();
    const bool wasPlaying = networkSeries_ && !menuShown_;
    EndNetwork();
    table_->PlaySound("WWrongs");
    if (autoplay_.On()) {
        // The reason is on the error stream already; the run ends unrecorded with a failure.
        std::printf("autoplay: network series interrupted, nothing recorded\n");
        std::fflush(stdout);
        QTimer::singleShot(0, this, [this] {
            close();
            QCoreApplication::exit(3);
        });
        return;
    }
    ShowMessage(Tr(txt::OneOfPlayers) + " " + Tr(txt::HasInterruptedGame), Tr(txt::PressOkForMenu));
    if (waitWindow_) waitWindow_->reject();
    if (wasPlaying) LeaveTable();
}

// The connections close (what was sent still leaves), and the window forgets the series.
void MainWindow::EndNetwork() {
    netSession_.End();
    netTimer_.stop();
    networkSeries_ = false;
    match_->mode = PlayMode::Local;
    match_->sink = nullptr;
    match_->singleClientComputer = 0;
    table_->SetChatShown(false);
}

void MainWindow::SendOwnChat(const QString& text) {
    if (tournamentGame_) {
        tourSession_.SendChat(text.toStdString());
        table_->AddChatLine(3, QStringLiteral("s") + text);
        return;
    }
    if (!networkSeries_) return;
    netSession_.SendChat(text.toStdString());
    table_->AddChatLine(3, QStringLiteral("s") + text);
}

// The table of a network series: the seats' names, the chat, and on a client an empty table
// until the server's deal arrives.
void MainWindow::SeriesStartsOnTable() {
    match_->mode = PlayMode::Network;
    match_->sink = &netSession_;
    netSession_.Attach(driver_.get());
    table_->SetChatShown(true);
    const bool server = netSession_.IsServer();
    table_->SetCounterHover(CounterKind::Network, 0, series_.G0, server);
    // The server's deal may have come while the welcome still closed.
    if (NetworkBusy()) netTimer_.start(0);
}

// Autoplay as a network machine: the player sits down through the welcome dialog in network mode,
// as the server or as a client, and the wait window ends when the others are there.
void MainWindow::NetAutoplayStart() {
    if (netAutoplayed_) return; // one series, then the program ends
    netAutoplayed_ = true;
    const NetAutoplayOptions& net = options_.net;
    settings_.NetGame = true;
    if (!net.ip.isEmpty()) settings_.NetIP = net.ip.toStdString();
    if (net.port != 0) settings_.NetPort = std::to_string(net.port);
    const QString name = net.name.isEmpty() ? QStringLiteral("Auto") : net.name;
    // The club member of that name plays again; a new name joins the club.
    std::optional<SeriesValues> member;
    int slot = NewPlayerSlot;
    if (auto text = ReadRecords(ActiveRecordsFile()))
        for (int s = 1; s <= ClubSlots && !member; ++s)
            if (auto m = MemberSeries(*text, s);
                m && QString::fromStdString(m->NameUtf8()).trimmed() == name) {
                member = m;
                slot = s;
            }
    WelcomeDialog dialog(
        slot, member, name, WelcomeTextsNow(),
        [](const QString& m) { std::fprintf(stderr, "autoplay: %s\n", qPrintable(m)); }, this);
    EnableNetworkWelcome(dialog);
    dialog.PasswordField()->setText(QStringLiteral("12345"));
    dialog.AgainField()->setText(QStringLiteral("12345"));
    if (net.side == NetAutoplayOptions::Side::Client) {
        dialog.ClientChoice()->setChecked(true);
        dialog.IpField()->setText(Utf8(settings_.NetIP));
    }
    dialog.PortField()->setText(Utf8(settings_.NetPort));
    if (!dialog.Accept()) {
        QTimer::singleShot(0, this, [this] {
            close();
            QCoreApplication::exit(3);
        });
        return;
    }
    series_ = dialog.Values();
    settings_.PlayerName = series_.NameUtf8();
    StartSeries();
    std::printf("autoplay: network series begins, role %d\n", netSession_.Role());
    std::fflush(stdout);
}

// The steps of a game that network and tournament autoplay take alike: the start, a move, the
// bout's end. False for the steps each takes its own way.
bool MainWindow::TakeAutoMove(const NetAutoDecision& d) {
    switch (d.step) {
    case NetAutoStep::Begin:
        driver_->Begin();
        return true;
    case NetAutoStep::Move:
        driver_->GivenStep(3, d.slot ? PlaySlot(d.slot) : PassChoice);
        return true;
    case NetAutoStep::Confirm:
        driver_->EndBout();
        return true;
    default:
        return false;
    }
}

// One step of the computer in this machine's human's place, the way a person at this machine
// would take it; what arrived from the others is applied first.
void MainWindow::NetAutoplayStep() {
    if (!networkSeries_ || NetworkBusy()) return;
    const NetAutoDecision d =
        DecideNetAutoStep(*driver_, netSession_, computer_, table_->ActionButton()->isEnabled());
    if (TakeAutoMove(d)) return;
    switch (d.step) {
    case NetAutoStep::EndDisplay:
        GameTick(*driver_, false, netSession_.IsServer());
        break;
    case NetAutoStep::NextGame:
        EnterTableForDeal();
        NextGame(*match_, decks_);
        netSession_.SendDeal(game_);
        table_->RedrawAll();
        break;
    case NetAutoStep::SeriesOver:
        std::printf("autoplay: network series of %d games, role %d, fools %d %d %d\n",
                    game_.KonNumber - game_.KonStart, netSession_.Role(), game_.FoolCount[1],
                    game_.FoolCount[2], game_.FoolCount[3]);
        RecordAndExitToMenu();
        close();
        break;
    default: // waiting for the others
        break;
    }
}

} // namespace tarvo
