// The options dialog: the one place where the player changes every setting. Each control writes
// its setting at once; what the main window has to redo follows through `OptionsHooks`. Nothing
// is written to the settings file here: that happens at exit.
#pragma once

#include <QDialog>
#include <QImage>
#include <QSize>
#include <QString>
#include <QTimer>
#include <array>
#include <vector>

#include "packages/Download.h"
#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/WindowResources.h"
#include "table/options/BackgroundTab.h"
#include "table/options/CardBacksTab.h"
#include "table/options/CardFacesTab.h"
#include "table/options/DesignTab.h"
#include "table/options/FontsTab.h"
#include "table/options/GameRulesTab.h"
#include "table/options/GeneralTab.h"
#include "table/options/OptionsHooks.h"
#include "table/options/PackagesTab.h"
#include "table/options/SaveGamesTab.h"

class QLabel;
class QTabWidget;

namespace tarvo {

class TQobCardsButton;
class TGifAnimation;
class CursorKeeper;

// The dialog's frame: the page control with one tab object per page, the flag, the animation, the
// "Ok" button and the window design. The tabs edit the settings; the frame wires what one tab's
// change means for another and downloads the packages their buttons ask for.
class TFormOptions : public QDialog {
  public:
    // `screen` empty: the primary screen's size.
    TFormOptions(Settings& settings, OptionsHooks& hooks, WindowResources& resources,
                 QWidget* parent = nullptr, QSize screen = QSize());

    // Fills every caption and list in the current language.
    void ApplyLanguage();
    // Enables each download button exactly when its package is missing.
    void RefreshDownloadButtons();
    void SetProgramFolder(const QString& folder) { programFolder_ = folder; }
    void SetWebServer(const QString& server) { webServer_ = server; }
    // Downloads package 0..8 of OptionalPackages() as its buttons do.
    bool Download(int package);
    // Every download button of every tab.
    std::vector<DownloadButton> DownloadButtons() const;

    GeneralTab& General() const { return *general_; }
    CardFacesTab& Faces() const { return *faces_; }
    CardBacksTab& Backs() const { return *backs_; }
    GameRulesTab& Rules() const { return *rules_; }
    FontsTab& Fonts() const { return *fonts_; }
    BackgroundTab& Background() const { return *background_; }
    SaveGamesTab& SaveGames() const { return *saveGames_; }
    PackagesTab& Packages() const { return *packages_; }
    DesignTab& Design() const { return *design_; }

    QTabWidget* pages = nullptr;
    TQobCardsButton* okButton = nullptr;
    QLabel* flagLabel = nullptr;
    QLabel* headerLabel = nullptr;      // the header of the plain designs
    TGifAnimation* animation = nullptr; // "GOpt"
    // The dialog's icon animation of the graphic design: frame 0..9 of "GIcon48Opt".
    QTimer* iconTimer = nullptr;
    int IconFrame() const { return iconFrame_; }
    // Window design item 1..4 as shown (after the fall-back for a missing background).
    int DesignItem() const;

  protected:
    void done(int result) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    void AddPage(OptionsPage* page);
    void TabShown(int index);
    void LanguageChosen();
    void WindowSizeChosen();
    void MenuAnimationSwitched(bool on);
    void ShowSpeedDialog();
    void DrawFlag();
    void ApplyDialogDesign();
    void FitTabs();
    void LoadDesignPictures();
    void ApplyButtonStyle();
    void ApplyCursors();
    void Salute();
    QString T(TextTable table, int row = 0) const;

    Settings& settings_;
    OptionsHooks& hooks_;
    WindowResources& resources_;
    QSize screen_;
    QString programFolder_;
    QString webServer_;
    std::vector<OptionsPage*> pages_;
    GeneralTab* general_ = nullptr;
    CardFacesTab* faces_ = nullptr;
    CardBacksTab* backs_ = nullptr;
    GameRulesTab* rules_ = nullptr;
    FontsTab* fonts_ = nullptr;
    BackgroundTab* background_ = nullptr;
    SaveGamesTab* saveGames_ = nullptr;
    PackagesTab* packages_ = nullptr;
    DesignTab* design_ = nullptr;
    // The graphic design's pictures from the graphics package; null when it has none.
    QImage designBackground_, designHeader_, designIcon_;
    int iconFrame_ = 0;
    std::vector<CursorKeeper*> cursors_;
};

// Shows the dialog modally on the tab that was active when it last closed in this run.
void ShowOptions(Settings& settings, OptionsHooks& hooks, WindowResources& resources,
                 QWidget* parent = nullptr);
// The tab the next opening shows (0 "General" at start-up).
int RememberedOptionsTab();

} // namespace tarvo
