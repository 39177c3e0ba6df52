// The main window: title screen, main menu and the game table, the game timer, and the wiring of
// settings, pictures, the rules and the computer opponents.
#pragma once

#include <QMainWindow>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>
#include <array>
#include <memory>

#include "core/Deck.h"
#include "core/GameState.h"
#include "match/Match.h"
#include "media/Song.h"
#include "settings/DataFolder.h"
#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/ImageStore.h"
#include "table/MenuScreen.h"
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

  private:
    QString Tr(TextTable table, int row = 0) const;
    Scale CurrentScale() const;
    void LoadPictures();
    void ApplyTexts();
    void ShowTitle();
    void ShowMenu();
    void LayOutMenu();
    void OnMenu(MenuButton which);
    RecordsWindowOptions RecordsOptions() const;
    void StartSeries();
    void ExitToMenu();
    void OnGameTick();
    void OnAction();
    void OnOwnCard(int slot, bool rightButton);
    void OnHover(int slot);
    void AutoplayStep();
    bool SaveSettingsNow();

    StartOptions options_;
    Settings settings_;
    ImageStore store_;
    CardLook look_;
    GameState game_;
    ClockDecks decks_;
    AiPlayer computer_;
    std::unique_ptr<MatchContext> match_;

    QStackedWidget* stack_ = nullptr;
    TitleScreen* title_ = nullptr;
    TableScreen* table_ = nullptr;
    MenuScreen* menu_ = nullptr;
    QTimer gameTimer_;
    QTimer songTimer_; // plays the menu song again when it has ended
    std::unique_ptr<FluidSongPlayer> songPlayer_;
    std::unique_ptr<MenuSong> song_;
    bool stepRunning_ = false; // a flight or a search runs inside a step: ticks wait
    bool menuShown_ = false;
    int autoplayed_ = 0;
};

} // namespace tarvo
