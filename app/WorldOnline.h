// The main window's side of the world services: the news and chat checks on the 10-second timer
// and their sirens, the world top ten, chat and statistics windows, the reports to the
// statistics service, the info display's figure, and the rated sessions of the global rating.
//
// The checks the player did not ask for (news, chat, the info display, the reports) run on a
// request thread of their own, so a slow or unreachable server never holds the window; what the
// player asks for waits in the window's own way (OnlineSession's transport).
#pragma once

#include <QObject>
#include <QString>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "online/Chat.h"
#include "online/RatedPlay.h"
#include "online/WorldStats.h"
#include "table/RecordsWindows.h"
#include "table/WorldWindows.h"

class QWidget;

namespace tarvo {

class OnlineSession;
class CurlTransport;
class RequestWorker;
struct Settings;
struct SeriesValues;

// What the world needs of the main window.
struct WorldHooks {
    std::function<void(const char* sound)> playSound;
    std::function<void(const QString& first, const QString& second)> message;
    std::function<bool(const QString& first, const QString& second)> askYesNo;
    std::function<RecordsWindowOptions()> windowOptions;
    std::function<void()> passport;
    std::function<bool()> menuShown;
    std::function<bool()> gameRunning;
    std::function<void(bool news, bool chat)> showWaiting; // the menu's sirens
    std::function<void(std::optional<InfoFigure> figure)> showInfo;
    std::function<void()> saveSettings;
    std::function<void()> accountChanged; // the menu redraws the account's state
};

class WorldOnline : public QObject {
  public:
    // `dataFolder` holds the records files; the chat and news files live in `sharedFolder`, beside
    // the sibling games.
    WorldOnline(OnlineSession& session, Settings& settings, std::filesystem::path dataFolder,
                std::filesystem::path sharedFolder, WorldHooks hooks, QWidget* window);
    ~WorldOnline() override;

    // From leaving the title screen: the 10-second timer.
    void Begin();
    // One tick of it (the timer calls it; tests too).
    void Tick();
    bool NewsWaiting() const { return schedule_.newsFlagged; }
    bool ChatWaiting() const { return schedule_.chatFlagged; }

    void OpenNews();
    void OpenChat();
    // The world top ten, unless the configuration document paused it.
    void ShowWorldTopTen(WorldLayout layout, int list);
    void ShowStatistics();
    // The product page in the system's web browser, at one of its two addresses.
    void OpenProductPage();
    // A mobile-edition entry of the menu: its store or download page when one is configured.
    void ShowMobileEdition(bool googlePlay);

    // At start-up, unless the records file carries the distribution label.
    void ReportStart();
    // The info display's figure for the mode the menu shows.
    void ReadInfo(int mode);

    // Rated play. After the account window: true when the session may start.
    bool StartRatedSession();
    bool RatedPlay() const;
    // A rated series abandoned: its provisional record stays on the server, rated play ends.
    void LeaveRatedPlay();
    // The series values of the account holder's rated session.
    SeriesValues RatedSeries() const;
    // The end of a series: the rated session's end first (in rated play), then the report to the
    // statistics service. `cycleScore` is the score of the cycle before the series plus the points.
    struct SeriesEnd {
        std::optional<double> serverRating; // the account's new rating (rated play)
        bool accountCycleCompleted = false;
    };
    SeriesEnd FinishSeries(int points, int cycleScore);
    void ReportSeries(const SeriesFigures& series);
    // After the series is recorded: the cycle to the world top ten (local play, a multiple of 30)
    // or the account's cycle to list 315 (rated play); rated play ends. The place reached by an
    // account's cycle, for its end-of-cycle window.
    std::optional<int> PostCycle(bool localCycleEnd, bool accountCycleEnd, int cycleScore);

  private:
    // Runs `job` on the background thread with a client of its own, then `done` on this thread.
    template <class Result>
    void Background(std::function<Result(ScoreClient&)> job, std::function<void(Result)> done);

    OnlineSession& session_;
    Settings& settings_;
    std::filesystem::path dataFolder_, sharedFolder_;
    WorldHooks hooks_;
    QWidget* window_;
    QTimer timer_;
    ChatNewsSchedule schedule_;
    int newsNumber_ = 0;
    bool chatOpen_ = false;
    std::unique_ptr<CurlTransport> backgroundTransport_;
    std::unique_ptr<RequestWorker> background_;
};

} // namespace tarvo
