// The main window: title screen, main menu and the game table, the game timer, and the wiring of
// settings, pictures, the rules and the computer opponents.
#pragma once

#include <QMainWindow>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <array>
#include <memory>
#include <random>
#include <set>
#include <string>

#include "WelcomeDialog.h"
#include "core/Deck.h"
#include "core/GameState.h"
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

class TitleScreen;

struct StartOptions {
    DataFolder data;
    int autoplayGames = 0; // seat 3 played by the computer for this many games, then exit
};

class MainWindow : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindow(StartOptions options);
    ~MainWindow() override;

  protected:
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
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
    void ShowMessage(const QString& text);
    WelcomeTexts WelcomeTextsNow() const;
    void ExitToMenu();
    void OnGameTick();
    void OnAction();
    void OnOwnCard(int slot, bool rightButton);
    void OnHover(int slot);
    void AutoplayStep();
    void AutoplayStart();
    void NoteBoutStart();
    bool SaveSettingsNow();
    void ApplyFontSettings();
    void KeepFallBacks();
    void LoadBackgroundFor(bool table);
    bool ReloadBackground(bool table);
    void EnterTableForDeal();
    void ReportRecordsWrite(RecordsWrite result);
    void ReLayOutMenu();
    void ArrangeMenuWindow();
    void ShowOptionsDialog();
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

      private:
        MainWindow& w_;
    };

    StartOptions options_;
    Settings settings_;
    ImageStore store_;
    CardLook look_;
    GameState game_;
    ClockDecks decks_;
    // The computer seats; in autoplay it also plays seat 3, at random once a game repeats itself.
    class AutoplayComputer : public ComputerPlayer {
      public:
        MoveChoice Decide(const GameState& g, TableView& view, MoveKind kind, int seat,
                          bool isThird) override;
        bool randomSeatThree = false;
        void SetThinkText(std::string text) { ai_.SetThinkText(std::move(text)); }

      private:
        AiPlayer ai_;
        std::mt19937 random_{20261210};
    };
    AutoplayComputer computer_;
    std::set<std::string> boutStarts_; // positions at the start of each bout of this game
    std::unique_ptr<MatchContext> match_;

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
    bool stepRunning_ = false; // a flight or a search runs inside a step: ticks wait
    bool menuShown_ = false;
    int autoplayed_ = 0;
};

} // namespace tarvo
