// The main window at the online tournament: the tournament window and its seat, the game
// connection to the table's game server, what arrives applied on a timer, the move clock, the
// end of a tournament game with its history line, and the tournament game that autoplay plays.
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QScopedValueRollback>
#include <QTimer>
#include <cstdio>

#include "app/MainWindow.h"
#include "app/WorldOnline.h"
#include "netplay/Autoplay.h"
#include "online/Account.h"
#include "records/History.h"
#include "records/Series.h"
#include "table/Decorations.h"
#include "table/GeneralScoreWindow.h"
#include "table/HistoryWindow.h"

namespace tarvo {
namespace {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

} // namespace

void MainWindow::SetUpTournament() {
    tourTransport_.SetSession(&tourSession_);
    tourTransport_.onConnectFailed = [this] { tourConnectFailed_ = true; };
    tourTimer_.setSingleShot(true);
    connect(&tourTimer_, &QTimer::timeout, this, &MainWindow::ApplyTableIncoming);
    moveTimer_.setInterval(1000);
    connect(&moveTimer_, &QTimer::timeout, this, &MainWindow::OnMoveClock);
}

TournamentTexts MainWindow::TournamentTextsNow() const {
    TournamentTexts t;
    t.caption = Tr(txt::WorldOnlineTournament);
    t.serverOn = Tr(txt::ServerOn);
    t.serverOff = Tr(txt::ServerOff);
    t.noConnect = Tr(txt::NoConnect);
    t.table = Tr(txt::Table);
    t.logOff = Tr(txt::LogOff);
    t.takePlace = Tr(txt::TakePlaceOf);
    t.free = Tr(txt::Free);
    t.nick = Tr(txt::Nick);
    t.yourScore = Tr(txt::YourScore);
    t.yourPlace = Tr(txt::YourPlace);
    t.rating = Tr(txt::Rating);
    t.game = Tr(txt::GameCounter);
    t.city = Tr(txt::City);
    t.firstBeat = Tr(txt::FirstBoutFive);
    t.noFiveOfSuit = Tr(txt::NoFiveOfSuit);
    t.yes = Tr(txt::Yes);
    t.refresh = Tr(txt::Refresh);
    t.close = Tr(txt::Close);
    t.topTen = Tr(txt::TopTenTab);
    t.sameAddress = Tr(txt::TableTakenByYourIp);
    t.connectionError = Tr(txt::ServerConnectionError);
    return t;
}

// The desk of the signed-in player, with his tournament identity; nothing when signed out. It
// reads through the program's one link to the score server and its account.
TournamentDesk* MainWindow::Desk() {
    const Account& account = online_->TheAccount();
    if (!account.SignedIn()) return nullptr;
    if (!desk_) desk_ = std::make_unique<TournamentDesk>(online_->Client());
    if (desk_->Identity().Nick != account.holder.Nick || desk_->Seat() == 0)
        desk_->BuildIdentity(account.holder, InternetAddress(settings_).toStdString());
    return desk_.get();
}

// The window stays up while the player waits at his seat; the game server's deal closes it.
void MainWindow::OpenTournament() {
    TournamentDesk* desk = Desk();
    if (!desk) {
        ShowMessage(Tr(txt::LogInToAccount));
        return;
    }
    TournamentHooks hooks;
    hooks.message = [this](const QString& m) { ShowMessage(m); };
    hooks.sound = [this](const char* name) { table_->PlaySound(name); };
    hooks.seated = [this](int table, int seat) { TournamentSeated(table, seat); };
    hooks.left = [this] { tourSession_.Leave(); };
    hooks.connectionFailed = [this] { return std::exchange(tourConnectFailed_, false); };
    hooks.topTen = [this, desk] {
        // The graphic window design shows the tournament as a list of the world top ten window.
        if (WindowDesign(settings_) == 4) return world_->ShowWorldTopTen(WorldLayout::Lists, 5);
        TournamentTopTenWindow::Texts t;
        t.caption = Tr(txt::TournamentTopTen);
        t.score = Tr(txt::Score);
        t.rating = Tr(txt::Rating);
        t.games = Tr(txt::Games);
        t.close = Tr(txt::Close);
        t.language = settings_.Language;
        TournamentTopTenWindow(desk->Client(), desk->Identity(), t, RecordsOptions(), this).exec();
    };
    TournamentWindow window(*desk, TournamentTextsNow(), std::move(hooks), RecordsOptions(), this);
    tourWindow_ = &window;
    window.exec();
    tourWindow_ = nullptr;
}

void MainWindow::TournamentSeated(int table, int seat) {
    tourConnectFailed_ = false;
    tourSession_.Start(seat);
    tourTransport_.Connect(Utf8(desk_->GameServer()), static_cast<quint16>(desk_->GamePort(table)), false);
}

// The first deal of the table begins the tournament game: the window closes, the table opens.
void MainWindow::TournamentGameBegins() {
    if (tourWindow_) tourWindow_->accept();
    tournamentGame_ = true;
    tourGameOver_ = false;
    tourScoreBefore_ = desk_->Identity().Score;
    series_ = NewPlayerSeries(desk_->Identity().Nick, "");
    series_.G0 = desk_->Identity().Kon;
    menu_->hide();
    menuShown_ = false;
    game_.Rules = {true, true, settings_.FirstMove}; // tournament rules: no five of a suit, first bout of five
    LoadBackgroundFor(true);
    table_->SetReveal(false);
    match_->mode = PlayMode::Tournament;
    match_->sink = &tourSink_;
    tourSession_.Attach(driver_.get());
    table_->SetChatShown(true);
    // The others at the table, in this player's numbering.
    tourNames_ = {QStringLiteral("PC"), QStringLiteral("PC"), Utf8(desk_->Identity().Nick)};
    std::array<QString, 3> pictures;
    for (int other = 1; other <= 3; ++other) {
        const int local = SeatOfRole(other, desk_->Seat());
        std::string nick = desk_->Identity().Nick;
        if (other != desk_->Seat()) {
            const Reply<TQobClient> c = desk_->Client().ReadClient(other, desk_->Table());
            if (!c.ok) continue;
            nick = c.value.Nick;
            tourNames_[static_cast<std::size_t>(local - 1)] = Utf8(nick);
            SavePlayerPicture(c.value);
        }
        if (const auto file = PlayerPicturePath(options_.data.SharedFolder(), nick))
            pictures[static_cast<std::size_t>(local - 1)] = QString::fromStdString(file->string());
    }
    table_->SetSeatPictures(pictures);
    EnterTableForDeal();
    table_->SetTexts(TextsForTable());
    gameTimer_.start(autoplay_.On() ? 1 : 500);
}

// The general score of a tournament game: the player's tournament games with this one, his
// tournament score before it and with it, his rating before; the new rating is the server's.
TCount MainWindow::TournamentGeneralScore() const {
    return TournamentCount(series_.G0 + game_.KonNumber - game_.KonStart, tourScoreBefore_, game_.SeatScore[3],
                           desk_->Identity().Rating);
}

// "History\<nick>.bmp" in the folder shared with sibling games: the player's photo from the photo
// store, or the built-in face for his sex when there is none.
void MainWindow::SavePlayerPicture(const TQobClient& player) {
    const auto file = PlayerPicturePath(options_.data.SharedFolder(), player.Nick);
    if (!file) return;
    std::error_code ec;
    std::filesystem::create_directories(file->parent_path(), ec);
    QImage picture;
    const Reply<std::string> photo = desk_->Client().ReadPhoto(player.Nick);
    if (photo.ok)
        picture.loadFromData(reinterpret_cast<const uchar*>(photo.value.data()), static_cast<int>(photo.value.size()));
    if (picture.isNull()) picture = BuiltinPicture(player.Sex == "M" ? QStringLiteral("GAcNoM") : QStringLiteral("GAcNoF"));
    if (picture.isNull()) return;
    // A bitmap file keeps no transparency: the round faces sit on white, not on black.
    QImage bitmap(picture.size(), QImage::Format_RGB32);
    bitmap.fill(Qt::white);
    QPainter(&bitmap).drawImage(0, 0, picture);
    bitmap.save(QString::fromStdString(file->string()), "BMP");
}

// One deal, record or verdict of the game server at a time, as in network play.
void MainWindow::ApplyTableIncoming() {
    const TableIncoming next = tourSession_.NextIncoming();
    if (next == TableIncoming::None) return;
    if (stepRunning_) {
        tourTimer_.start(autoplay_.On() ? 0 : 100);
        return;
    }
    {
        StepGuard guard(stepRunning_, *table_);
        if (next == TableIncoming::Deal) TournamentGameBegins();
        tourSession_.ApplyNext();
        if (next == TableIncoming::Deal) {
            table_->SetCounterHover(CounterKind::Tournament, 0, 0, true);
            table_->RedrawAll();
        }
        if (next != TableIncoming::Verdict) RestartMoveClock();
    }
    if (tourSession_.NextIncoming() != TableIncoming::None) tourTimer_.start(autoplay_.On() ? 0 : 100);
}

void MainWindow::RestartMoveClock() {
    const int seat = ClockSeat(game_);
    for (int s = 1; s <= 3; ++s) table_->DrawMoveTimer(s, -1);
    if (seat == 0 || tourSession_.Finished()) {
        moveClock_.Stop();
        moveTimer_.stop();
        return;
    }
    moveClock_.Restart(seat);
    table_->DrawMoveTimer(seat, moveClock_.Left());
    moveTimer_.start();
}

void MainWindow::TourSink::SendRecord(const std::optional<std::string>& bodyForSeat2,
                                      const std::optional<std::string>& bodyForSeat1, int hodPhase,
                                      int duelPhase) {
    w_.tourSession_.SendRecord(bodyForSeat2, bodyForSeat1, hodPhase, duelPhase);
    // The step is taken once the pipeline has moved on: the clock then names the next seat.
    QTimer::singleShot(0, &w_, [this] {
        if (w_.tournamentGame_) w_.RestartMoveClock();
    });
}

void MainWindow::OnMoveClock() {
    const ClockTick t = moveClock_.Tick();
    if (t.seat != 0) table_->DrawMoveTimer(t.seat, t.left);
    if (t.sound && !autoplay_.On()) table_->PlaySound(t.sound);
    if (!t.ownTimeUp) return;
    tourSession_.SendTimeOut();
    EndTournamentGame(Tr(txt::YouLose), Tr(txt::YourTimeIsUp), true);
}

void MainWindow::TourLink::GameMessageArrived() {
    if (!w_.tourTimer_.isActive()) w_.tourTimer_.start(0);
}

void MainWindow::TourLink::ChatArrived(int seat, const std::string& text) {
    if (!w_.tournamentGame_) return;
    w_.table_->AddChatLine(seat, QStringLiteral("s") + Utf8(text));
    w_.table_->PlaySound("WToMenK");
}

// The game server says the game is over: the clock stops; the player leaves with "Exit to menu".
void MainWindow::TourLink::GameOver() {
    w_.tourGameOver_ = true;
    w_.moveClock_.Stop();
    w_.moveTimer_.stop();
    for (int s = 1; s <= 3; ++s) w_.table_->DrawMoveTimer(s, -1);
    w_.table_->EnableExitButton(true);
    w_.table_->SetChatShown(false);
    if (w_.autoplay_.On()) QTimer::singleShot(0, &w_, &MainWindow::TournamentExit);
}

void MainWindow::TourLink::Left(int seat) {
    w_.table_->PlaySound("WWrongs");
    w_.EndTournamentGame(w_.Tr(txt::PlayerInterrupted, 0) + " " + w_.tourNames_[static_cast<std::size_t>(seat - 1)] +
                             " " + w_.Tr(txt::PlayerInterrupted, 1),
                         {}, false);
}

void MainWindow::TourLink::TimeUp(int seat) {
    w_.table_->PlaySound("WKoGutX");
    w_.EndTournamentGame(w_.Tr(txt::PlayerTimeUp, 0) + " " + w_.tourNames_[static_cast<std::size_t>(seat - 1)] + " " +
                             w_.Tr(txt::PlayerTimeUp, 1),
                         {}, false);
}

// The game server sent what the game refuses, or the connection broke: the line on the error
// stream is written; the game ends unrecorded. Before the deal there is no game yet: a seat whose
// connection broke is the connection watch's (or the server let the seat go as it was left).
void MainWindow::TourLink::Interrupted(const std::string&) {
    if (!w_.tournamentGame_) {
        w_.tourConnectFailed_ = true;
        return;
    }
    QTimer::singleShot(0, &w_, [this] {
        w_.EndTournamentGame(w_.Tr(txt::OneOfPlayers) + " " + w_.Tr(txt::HasInterruptedGame), {}, false);
    });
}

// A tournament game that did not end by the server's "e": nothing is recorded, the player is told
// and the tournament window opens again.
void MainWindow::EndTournamentGame(const QString& line1, const QString& line2, bool ownTimeUp) {
    moveClock_.Stop();
    moveTimer_.stop();
    const bool wasPlaying = tournamentGame_;
    tourSession_.Close();
    LeaveTournament();
    if (autoplay_.On()) {
        std::printf("autoplay: tournament game ended unrecorded: %s\n", qPrintable(line1 + " " + line2));
        std::fflush(stdout);
        QTimer::singleShot(0, this, [this] {
            close();
            QCoreApplication::exit(3);
        });
        return;
    }
    ShowMessage(line1, line2);
    if (ownTimeUp || wasPlaying) {
        LeaveTable();
        QTimer::singleShot(0, this, &MainWindow::OpenTournament);
    }
}

void MainWindow::LeaveTournament() {
    tourTimer_.stop();
    tournamentGame_ = false;
    if (desk_) desk_->Forget();
    match_->mode = PlayMode::Local;
    match_->sink = nullptr;
    table_->SetChatShown(false);
    table_->SetSeatPictures({});
    for (int s = 1; s <= 3; ++s) table_->DrawMoveTimer(s, -1);
}

// "Exit to menu" after the server's "e": seat 1 reports the result; the new standing is read, the
// game goes to the history as a tournament line, and the tournament window opens again.
void MainWindow::TournamentExit() {
    if (!tournamentGame_) return;
    if (!tourGameOver_) return LeaveTournamentGame();
    if (tourSession_.Seat() == 1) tourSession_.SendResult(game_);
    tourSession_.Close();
    desk_->ReadStanding();
    SeriesContext context;
    context.kind = PlayKind::Tournament;
    context.dataFolder = options_.data.folder;
    const QDateTime now = QDateTime::currentDateTime();
    context.time = now.toString(QStringLiteral("h:mm")).toStdString();
    context.date = HistoryDateText(now.date()).toStdString();
    context.historyName = desk_->Identity().Nick;
    context.serverRating = desk_->Identity().Rating; // the tournament rating after this game
    const SeriesOutcome outcome = RecordSeries(series_, game_, context);
    const int scoreNow = desk_->Identity().Score;
    LeaveTournament();
    if (autoplay_.On()) {
        std::printf("autoplay: tournament game at seat %d, points %d, tournament score %d (%+d), history %s\n",
                    tourSession_.Seat(), game_.SeatScore[3], scoreNow, scoreNow - tourScoreBefore_,
                    outcome.history.status == HistoryWrite::CantSave ? "not saved" : "saved");
        std::fflush(stdout);
        close();
        return;
    }
    if (outcome.history.status == HistoryWrite::CantSave) ShowMessage(Tr(txt::CantSaveHistory));
    LeaveTable();
    QTimer::singleShot(0, this, &MainWindow::OpenTournament);
}

// The player leaves in the middle of the game: the connection closes, so the game server ends the
// table's game for the others; nothing is recorded here.
void MainWindow::LeaveTournamentGame() {
    moveClock_.Stop();
    moveTimer_.stop();
    tourSession_.Close();
    LeaveTournament();
    LeaveTable();
}

// Autoplay at the tournament: the signed-in player takes the lowest free seat of the table named
// on the command line (again every second while none is free), plays the game and exits.
void MainWindow::TournamentAutoplayStart() {
    TournamentDesk* desk = Desk();
    if (!desk) {
        std::fprintf(stderr, "autoplay: not signed in: no tournament\n");
        QTimer::singleShot(0, this, [this] {
            close();
            QCoreApplication::exit(3);
        });
        return;
    }
    auto* tryTake = new QTimer(this);
    auto busy = std::make_shared<bool>(false); // the second ticks on while a request waits
    connect(tryTake, &QTimer::timeout, this, [this, desk, tryTake, busy] {
        if (*busy) return;
        const QScopedValueRollback<bool> guard(*busy, true);
        if (desk->Seat() != 0) {
            if (tourConnectFailed_) { // the game server did not answer: give the seat back, try again
                tourConnectFailed_ = false;
                desk->FreeAfterConnectionError();
            }
            if (tournamentGame_) tryTake->deleteLater();
            return;
        }
        desk->Refresh();
        const int table = options_.tournamentTable;
        const auto buttons = desk->Buttons(table);
        for (int s = 1; s <= 3; ++s)
            if (buttons[static_cast<std::size_t>(s - 1)].enabled &&
                desk->Take(table, s) == TakeOutcome::Taken) {
                std::printf("autoplay: tournament seat %d of table %d\n", s, table);
                std::fflush(stdout);
                TournamentSeated(table, s);
                break;
            }
    });
    tryTake->start(1000);
}

// One step in the player's place, once what arrived from the game server has been applied.
void MainWindow::TournamentAutoplayStep() {
    if (!tournamentGame_ || tourSession_.NextIncoming() != TableIncoming::None || tourSession_.Finished()) return;
    const NetAutoDecision d = DecideAutoStep(*driver_, game_.GameOver != 0, false, computer_,
                                             table_->ActionButton()->isEnabled());
    if (!TakeAutoMove(d) && d.step == NetAutoStep::EndDisplay)
        GameTick(*driver_, false, false, tourSession_.Seat() == 1);
}

} // namespace tarvo
