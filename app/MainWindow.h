// The main window: title screen, main menu and the game table, the game timer, and the wiring of
// settings, pictures, the rules and the computer opponents.
#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <array>
#include <memory>
#include <string>

#include "app/CommandLine.h"
#include "app/OnlineSession.h"
#include "app/QtTranslations.h"
#include "app/WelcomeDialog.h"
#include "core/Deck.h"
#include "core/GameState.h"
#include "match/Autoplay.h"
#include "match/Deals.h"
#include "match/Match.h"
#include "media/Song.h"
#include "match/MoveClock.h"
#include "netplay/Session.h"
#include "netplay/TournamentSession.h"
#include "netplay/Transport.h"
#include "online/Account.h"
#include "online/Tournament.h"
#include "records/Series.h"
#include "settings/DataFolder.h"
#include "settings/PlayChoices.h"
#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/GameRecording.h"
#include "table/ImageStore.h"
#include "table/MenuScreen.h"
#include "table/OptionsDialog.h"
#include "table/RecordsWindows.h"
#include "table/TableScreen.h"
#include "table/TournamentWindow.h"
#include "table/WaitWindow.h"
#include "table/WindowResources.h"

class QAction;
class QMenu;
class QMessageBox;

namespace tarvo {

class MenuMedia;
struct NetAutoDecision;
class TitleScreen;
class WorldOnline;

// What the end of a series hands from the rated session to the posting after the recording.
struct WorldSeriesEnd {
    bool rated = false;        // the series was a rated session of the account holder
    bool accountCycle = false; // and it completed the account's cycle
    int cycleScore = 0;        // the score of the cycle before the series plus its points
};

// This machine's address as the Internet sees it; empty when it cannot be had.
QString InternetAddress(const Settings& settings);

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(StartOptions options);
    ~MainWindow() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    friend class WindowProbe; // the window tests reach the game through it

    QString Tr(TextTable table, int row = 0) const;
    Scale CurrentScale() const;
    void LoadPictures();
    void ApplyTexts();
    TableTexts TextsForTable() const;
    void ShowTitle();
    void ShowMenu();
    void LayOutMenu();
    void OnMenu(MenuButton which);
    RecordsWindowOptions RecordsOptions();
    void StartSeries();
    void ChooseMember(int slot);
    void ChooseNewPlayer();
    // In network mode the dialog also starts the connections and waits for the others.
    std::optional<SeriesValues> Welcome(int slot, std::optional<SeriesValues> member, const QString& startName,
                                        bool network);
    void PlaySeriesOf(std::optional<SeriesValues> player);
    bool CheckRecordsAtStart();
    std::filesystem::path ActiveRecordsFile() const;
    void RefreshClubList();
    void RecordAndExitToMenu();
    void AbandonSeries();
    void LeaveTable();
    void ShowPopup(const QPoint& at);
    void OpenHelp();
    void ShowMessage(const QString& text, const QString& second = QString());
    WelcomeTexts WelcomeTextsNow() const;
    void ExitToMenu();
    void OnGameTick();
    void OnAction();
    void OnOwnCard(int slot, bool rightButton);
    void OnHover(int slot);
    void AutoplayStep();
    void AutoplayStart();
    bool SaveSettingsNow();
    void ApplyFontSettings();
    void KeepFallBacks();
    void LoadBackgroundFor(bool table);
    bool ReloadBackground(bool table);
    void EnterTableForDeal();
    void ReportRecordsWrite(RecordsWrite result);
    void ReLayOutMenu();
    void ArrangeMenuWindow();
    void PlaceWindow(QSize client);
    void ShowOptionsDialog();
    void ShowAccount();
    void ShowAccountHint();
    void StartRecording();
    bool SaveSettingsFile();

    // The world services (MainWindowWorld.cpp).
    void SetUpWorld();
    void ReportStartToWorld();
    void OnMenuLink(MenuLink which);
    bool ShowTopTenOfWorld();
    bool StartRatedSeries();
    bool BeginRatedSession();
    void RatedAutoplaySession();
    WorldSeriesEnd FinishWorldSeries(SeriesContext& context);
    void PostWorldSeries(const WorldSeriesEnd& end, const SeriesOutcome& outcome);

    // The choices beyond the classic game (MainWindowPlay.cpp): the strong computer, hints,
    // numbered deals and practice replays, keyboard play.
    void ApplyPlayChoices();
    void SavePlayChoicesIfChanged();
    void ShowDealNumber();
    struct PlayActions {
        QAction* hint = nullptr;
        QAction* replay = nullptr;
    };
    PlayActions AddPlayActions(QMenu& popup);
    bool RunPlayAction(const PlayActions& actions, QAction* chosen);
    bool HintAllowed() const;
    void ShowHint();
    void AskReplayDeal();
    void StartPractice(std::uint32_t deal);

    // Network play (MainWindowNet.cpp).
    void SetUpNetwork();
    void EnableNetworkWelcome(WelcomeDialog& dialog);
    bool StartNetwork(const NetChoice& choice);
    void ShowMachineAddresses();
    WaitTexts WaitTextsNow() const;
    bool NetworkBusy() const; // what arrived waits to be applied: the player's input waits too
    void ApplyIncoming();
    void HandleInterruption();
    void EndNetwork();
    void SendOwnChat(const QString& text);
    void NetAutoplayStart();
    void NetAutoplayStep();
    bool TakeAutoMove(const NetAutoDecision& d);
    void SeriesStartsOnTable();

    // The online tournament (MainWindowTour.cpp).
    void SetUpTournament();
    TournamentTexts TournamentTextsNow() const;
    TournamentDesk* Desk();
    void OpenTournament();
    void TournamentSeated(int table, int seat);
    void TournamentGameBegins();
    void SavePlayerPicture(const TQobClient& player);
    TCount TournamentGeneralScore() const;
    void ApplyTableIncoming();
    void RestartMoveClock();
    void OnMoveClock();
    void EndTournamentGame(const QString& line1, const QString& line2, bool ownTimeUp);
    void LeaveTournament();
    void TournamentExit();
    void LeaveTournamentGame();
    void TournamentAutoplayStart();
    void TournamentAutoplayStep();

    // Guards the game timer against ticks that fall due while a step's flight or search runs.
    // The table's turn pointer may have looked at the game while a flight let events in, before
    // the step changed it: it looks again once the step is over.
    class StepGuard {
      public:
        StepGuard(bool& running, TableScreen& table) : running_(running), table_(table) { running_ = true; }
        ~StepGuard() {
            running_ = false;
            table_.StepOver();
        }

      private:
        bool& running_;
        TableScreen& table_;
    };

    // What a change in the options dialog redoes on the main window.
    class OptionsLink : public OptionsHooks {
      public:
        explicit OptionsLink(MainWindow& window) : w_(window) {}
        void LanguageChanged() override;
        void WindowSizeChanged() override { w_.ReLayOutMenu(); }
        void CardFacesChanged() override { w_.ReLayOutMenu(); } // a wide or narrow set moves the cells
        void CardBacksChanged() override { w_.LoadPictures(); }
        bool BackgroundChanged() override;
        void NetGameChanged() override { w_.LayOutMenu(); }
        void SoundSwitched() override { w_.ApplyTexts(); }
        void MusicSwitched() override;
        bool MenuShowing() const override { return w_.menuShown_; }
        void GifAnimationSwitched() override { w_.LayOutMenu(); }
        void CursorSwitched() override { w_.ApplyTexts(); }
        void ButtonStyleChanged() override { w_.LayOutMenu(); }
        void FontsChanged() override;
        bool MainMenuDesignChanged() override;
        void TableDesignChanged() override { w_.LayOutMenu(); }
        QString PackageServer() const override;
        void RadioCheck() override;
        PlayChoices* PlayChoicesToEdit() override { return &w_.choices_; }

      private:
        MainWindow& w_;
    };

    // What the network session tells the window.
    class NetLink : public NetEvents {
      public:
        explicit NetLink(MainWindow& window) : w_(window) {}
        void Joined(int clients) override;
        void Welcomed() override;
        void NamesChanged() override;
        void GameMessageArrived() override;
        void ChatArrived(int seat, const std::string& text) override;
        void Interrupted(const std::string& reason) override;

      private:
        MainWindow& w_;
    };

    // What the tournament session tells the window.
    class TourLink : public TournamentEvents {
      public:
        explicit TourLink(MainWindow& window) : w_(window) {}
        void GameMessageArrived() override;
        void ChatArrived(int seat, const std::string& text) override;
        void GameOver() override;
        void Left(int seat) override;
        void TimeUp(int seat) override;
        void Interrupted(const std::string& reason) override;

      private:
        MainWindow& w_;
    };
    // The player's steps go to the game server; each restarts the move clock.
    class TourSink : public RecordSink {
      public:
        explicit TourSink(MainWindow& window) : w_(window) {}
        void SendRecord(const std::optional<std::string>& bodyForSeat2, const std::optional<std::string>& bodyForSeat1,
                        int hodPhase, int duelPhase) override;

      private:
        MainWindow& w_;
    };

    StartOptions options_;
    std::unique_ptr<OnlineSession> online_; // before the settings: their loader fetches through it
    std::unique_ptr<WorldOnline> world_;    // news, chat, world lists, statistics, rated play
    Settings settings_;
    // Declared before the widgets that use it, so that it is made before them.
    WindowResources resources_;
    QtTranslations qtTexts_; // Qt's standard buttons in the player's language
    ImageStore store_;
    CardLook look_;
    GameState game_;
    WindowDecks decks_;
    PlayChoices choices_, storedChoices_; // as the player has them, and as the file holds them
    bool practice_ = false;               // a replayed deal and what follows it: nothing is recorded
    QPointer<QMessageBox> exitQuestion_;  // "leave to the menu?" while it is asked
    AutoplayPlayer computer_; // the computer seats; in autoplay seat 3 as well
    Autoplay autoplay_{computer_, options_.autoplayGames};
    std::unique_ptr<MatchContext> match_;
    std::unique_ptr<StepDriver> driver_;

    QStackedWidget* stack_ = nullptr;
    TitleScreen* title_ = nullptr;
    TableScreen* table_ = nullptr;
    MenuScreen* menu_ = nullptr;
    GameRecording* recording_ = nullptr;
    SeriesValues series_;
    MenuTexts menuTexts_;
    RecordsWrites writes_ = RecordsWrites::Allowed;
    bool recordsFailed_ = false; // a records file was missing or damaged: the program ends
    QTimer gameTimer_;
    std::unique_ptr<FluidSongPlayer> songPlayer_;
    std::unique_ptr<MenuSong> song_;
    MenuMedia* media_ = nullptr; // the music player, the radio and the one-source rule
    bool stepRunning_ = false;   // a flight or a search runs inside a step: ticks wait
    bool menuShown_ = false;

    NetLink netLink_{*this};
    NetTransport netTransport_;
    NetSession netSession_{netTransport_, netLink_};
    bool networkSeries_ = false;         // the series being set up or played is a network one
    WaitWindow* waitWindow_ = nullptr;   // while the welcome dialog waits for the others
    QTimer netTimer_;                    // applies what arrived, one message at a time
    std::optional<std::string> netInterruption_; // handled once no step runs
    bool netAutoplayed_ = false;                 // autoplay's network series has begun

    TourLink tourLink_{*this};
    TourSink tourSink_{*this};
    NetTransport tourTransport_;
    TournamentSession tourSession_{tourTransport_, tourLink_};
    std::unique_ptr<TournamentDesk> desk_;
    TournamentWindow* tourWindow_ = nullptr; // while the tournament window is open
    bool tourConnectFailed_ = false;         // the game server did not answer the seat
    bool tournamentGame_ = false;            // a tournament game is on the table
    bool tourGameOver_ = false;              // the game server ended it as played to the end
    int tourScoreBefore_ = 0;
    std::array<QString, 3> tourNames_;
    MoveClock moveClock_;
    QTimer moveTimer_; // the move clock's second
    QTimer tourTimer_; // applies what arrived, one message at a time
};

} // namespace tarvo
