// The main window's part of the world services: the news and chat signals, the link pictures of
// the menu, the world top ten and statistics windows, the reports to the statistics service, the
// info display's figure, and the rated sessions of the account holder at club slot 5.
#include <QCoreApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>

#include "MainWindow.h"
#include "WorldOnline.h"
#include "records/RecordsFile.h"
#include "table/PassportWindow.h"
#include "table/Salute.h"

namespace tarvo {

void MainWindow::SetUpWorld() {
    WorldHooks h;
    h.playSound = [this](const char* sound) { table_->PlaySound(sound); };
    h.message = [this](const QString& first, const QString& second) { ShowMessage(first, second); };
    h.askYesNo = [this](const QString& first, const QString& second) {
        if (options_.autoplayGames > 0) return false; // nobody there to answer
        return QMessageBox::question(this, Tr(txt::ProductName), first + "\n" + second) == QMessageBox::Yes;
    };
    h.windowOptions = [this] { return RecordsOptions(); };
    h.passport = [this] { ShowPassport(settings_, RecordsOptions(), this); };
    h.menuShown = [this] { return menuShown_; };
    h.gameRunning = [this] { return !menuShown_ && stack_->currentWidget() == table_ && table_->TableShown(); };
    h.showWaiting = [this](bool news, bool chat) { menu_->SetWaiting(news, chat); };
    h.showInfo = [this](std::optional<InfoFigure> figure) {
        std::optional<InfoReply> reply;
        if (figure) reply = InfoReply{figure->value, QString::fromStdString(figure->player)};
        menu_->SetInfoReply(reply);
    };
    h.saveSettings = [this] { SaveSettingsFile(); };
    h.accountChanged = [this] {
        ShowAccountHint();
        if (menuShown_) LayOutMenu();
    };
    world_ = std::make_unique<WorldOnline>(*online_, settings_, options_.data.folder, options_.data.SharedFolder(),
                                           std::move(h), this);
    connect(menu_, &MenuScreen::newsClicked, this, [this] { world_->OpenNews(); });
    connect(menu_, &MenuScreen::chatClicked, this, [this] { world_->OpenChat(); });
    connect(menu_, &MenuScreen::linkClicked, this, &MainWindow::OnMenuLink);
}

// The start report, unless this copy was handed out with the distribution label in its records.
// The settings' defaults say "reported" and "liked"; a data folder made by this start is a new
// installation, which is counted once and may vote once.
void MainWindow::ReportStartToWorld() {
    if (options_.data.created) {
        settings_.InstallReported = false;
        settings_.GameLiked = false;
    }
    const auto text = ReadRecords(options_.data.File(std::string(LocalRecordsFileName)));
    if (text && InstallationCode(*text) == DistributionLabel) return;
    world_->ReportStart();
}

void MainWindow::OnMenuLink(MenuLink which) {
    if (settings_.SaluteButtons) PlaySalute(resources_.packages);
    const bool lists = WindowDesign(settings_) == 4;
    switch (which) {
    case MenuLink::WorldTopTen:
        table_->PlaySound("WOpenFo");
        world_->ShowWorldTopTen(lists ? WorldLayout::Lists : WorldLayout::Platform, lists ? 3 : kDesktopList);
        break;
    case MenuLink::MobileList:
        table_->PlaySound("WOpenFo");
        world_->ShowWorldTopTen(lists ? WorldLayout::Lists : WorldLayout::Platform, lists ? 4 : kMobileList);
        break;
    case MenuLink::Statistics:
        table_->PlaySound("WOpenFo");
        world_->ShowStatistics();
        break;
    case MenuLink::ProductPage:
        world_->OpenProductPage();
        break;
    case MenuLink::Apk:
        world_->ShowMobileEdition(false);
        break;
    case MenuLink::GooglePlay:
        world_->ShowMobileEdition(true);
        break;
    }
}

// The "Top Ten" button in the graphic window design: the world top ten window on the list of the
// records file in use.
bool MainWindow::ShowTopTenOfWorld() {
    if (WindowDesign(settings_) != 4) return false;
    world_->ShowWorldTopTen(WorldLayout::Lists, settings_.NetGame ? 7 : 6);
    return true;
}

// Club slot 5 of a signed-in player in local play: the account window first, where he may tick
// "Play global rating"; a session starts once its provisional record is on the server.
bool MainWindow::StartRatedSeries() {
    if (settings_.NetGame || !online_->TheAccount().SignedIn()) return false;
    table_->PlaySound("WOpenFo");
    ShowAccount();
    BeginRatedSession();
    return true;
}

// In account state 3: the provisional record to the server, then the session's series.
bool MainWindow::BeginRatedSession() {
    if (!world_->StartRatedSession()) return false;
    series_ = world_->RatedSeries();
    StartSeries();
    table_->SetCounterHover(CounterKind::Rated, online_->TheAccount().game.KonL, game_.KonStart, true);
    return true;
}

// Autoplay in rated play: the player signed in at start plays one session after another, each
// begun as if he ticked "Play global rating" in the account window.
void MainWindow::RatedAutoplaySession() {
    Account& account = online_->TheAccount();
    const bool signedIn = account.SignedIn();
    account.SetRated(true);
    if (signedIn && BeginRatedSession()) return;
    std::fprintf(stderr, "autoplay: %s\n",
                 signedIn ? "the rated session did not start" : "not signed in: no rated play");
    QTimer::singleShot(0, this, [this] {
        close();
        QCoreApplication::exit(3);
    });
}

// The rated session's end comes before the series is recorded: its rating comes from the server.
WorldSeriesEnd MainWindow::FinishWorldSeries(SeriesContext& context) {
    WorldSeriesEnd end;
    end.rated = world_->RatedPlay() && !networkSeries_;
    end.cycleScore = series_.P0 + game_.SeatScore[3];
    context.signedIn = online_->TheAccount().SignedIn();
    if (!end.rated) return end;
    context.kind = PlayKind::Account;
    const auto session = world_->FinishSeries(game_.SeatScore[3], end.cycleScore);
    context.serverRating = session.serverRating;
    end.accountCycle = session.accountCycleCompleted;
    return end;
}

// After the series is recorded: the report to the statistics service, then the cycle to the world
// top ten (offered in local play, posted for an account) with the account cycle's window.
void MainWindow::PostWorldSeries(const WorldSeriesEnd& end, const SeriesOutcome& outcome) {
    SeriesFigures figures;
    figures.network = networkSeries_;
    figures.hostsNetwork = networkSeries_ && netSession_.IsServer();
    figures.games = game_.KonNumber - game_.KonStart;
    figures.points = game_.SeatScore[3];
    figures.kon = game_.KonNumber;
    world_->ReportSeries(figures);
    if (end.rated) table_->SetCounterHover(CounterKind::Local, 0, 0, true);
    // Autoplay has no one to fill in the passport of the write window: it closes it unsent. An
    // account's cycle needs no one and is posted.
    const bool person = options_.autoplayGames == 0;
    const bool localCycle = outcome.cycleEnd && !end.rated && !networkSeries_ && person;
    const auto place = world_->PostCycle(localCycle, end.accountCycle, end.cycleScore);
    if (!place) return;
    if (!person) {
        std::printf("autoplay: account cycle of %d points posted, place %d\n", end.cycleScore, *place);
        return;
    }
    // A place below the ten is no place in the window's terms.
    ShowCycleEnd(EndOfCycleFor(*place <= 10 ? *place : 0, std::to_string(end.cycleScore), PlayKind::Account, true),
                 RecordsOptions(), this);
}

} // namespace tarvo
