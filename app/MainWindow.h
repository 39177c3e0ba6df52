// The main window: title screen, main menu and the game table, the game timer, and the wiring of
// settings, pictures, the rules and the computer opponents.
#pragma once

#include <QMainWindow>
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
#include "match/Match.h"
#include "media/Song.h"
#include "records/Series.h"
#include "settings/DataFolder.h"
#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/GameRecording.h"
#include "table/ImageStore.h"
#include "table/MenuScreen.h"
#include "table/OptionsDialog.h"
#include "table/RecordsWindows.h"
#include "table/TableScreen.h"

namespace tarvo {

class MenuMedia;
class TitleScreen;

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
    RecordsWindowOptions RecordsOptions() const;
    void StartSeries();
    void ChooseMember(int slot);
    void ChooseNewPlayer();
    std::optional<SeriesValues> Welcome(int slot, std::optional<SeriesValues> member,
                                        const QString& startName);
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

      private:
        MainWindow& w_;
    };

    StartOptions options_;
    std::unique_ptr<OnlineSession> online_; // before the settings: their loader fetches through it
    Settings settings_;
    QtTranslations qtTexts_; // Qt's standard buttons in the player's language
    ImageStore store_;
    CardLook look_;
    GameState game_;
    ClockDecks decks_;
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
    QTimer songTimer_; // plays the menu song again when it has ended
    std::unique_ptr<FluidSongPlayer> songPlayer_;
    std::unique_ptr<MenuSong> song_;
    MenuMedia* media_ = nullptr; // the music player, the radio and the one-source rule
    bool stepRunning_ = false;   // a flight or a search runs inside a step: ticks wait
    bool menuShown_ = false;
};

} // namespace tarvo
