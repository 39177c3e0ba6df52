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

#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/ImageStore.h"

class QCheckBox;
class QComboBox;
class QFontComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace tarvo {

class TQobCardsButton;
class TGifAnimation;
class CursorKeeper;

// The program's web server, where the optional packages are downloaded from. The one place to
// change it, next to the score server's addresses.
inline constexpr const char* kDefaultProgramWebServer = "http://127.0.0.1:8015";
inline constexpr const char* kPackageDownloadPath = "/downloads/progr/cards/";

// What the main window redoes when a setting changes. Every call comes after the setting has been
// written into the settings the dialog was given.
class OptionsHooks {
  public:
    virtual ~OptionsHooks() = default;
    // Re-caption every window of the program in `Language`.
    virtual void LanguageChanged() {}
    // Re-lay out and redraw the main window for `WindowSize`, and re-apply the fonts.
    virtual void WindowSizeChanged() {}
    // Reload the face set (`CardFaces`) or the backs (`CardBack`, `OneBack`).
    virtual void CardFacesChanged() {}
    virtual void CardBacksChanged() {}
    // Reload the background (`Background`, `BackgroundVariant`) and redraw the menu and its
    // decorations. False when it could not be loaded: the dialog then falls back to set 2,
    // variant 0 and calls again.
    virtual bool BackgroundChanged() { return true; }
    // Switch the active records file, redraw the club badge and read the club list again.
    virtual void NetGameChanged() {}
    virtual void SoundSwitched() {}
    // Start or stop the menu song.
    virtual void MusicSwitched() {}
    // True while the main menu shows: the GIF animation box works only then.
    virtual bool MenuShowing() const { return true; }
    // Start the menu animations from frame 0 or stop them at their still frames.
    virtual void GifAnimationSwitched() {}
    virtual void CursorSwitched() {}
    // Redraw the menu buttons and restyle every owner-drawn button (`NewButtons`).
    virtual void ButtonStyleChanged() {}
    // Re-apply the four font roles (families and scales).
    virtual void FontsChanged() {}
    // Load the menu background of `MainMenuDesign` and redraw the menu; false when that failed
    // (the dialog then falls back to "Customizable").
    virtual bool MainMenuDesignChanged() { return true; }
    virtual void TableDesignChanged() {}
    // Check the radio's availability again (list source changed, a package downloaded).
    virtual void RadioCheck() {}
};

// The nine packages of the "DLL" tab, in their order.
const std::array<QString, 9>& DownloadPackages();
// Whether a package is in the program folder, its parent (where downloads land) or the folder the
// game's own packages were installed to.
bool PackagePresent(const QString& fileName, const QString& programFolder, const QString& shippedFolder = {});
// Downloads `fileName` from `server` + kPackageDownloadPath into `folder`; the file appears only
// when the whole body arrived with status 200. Blocks in a local event loop.
bool DownloadPackage(const QString& server, const QString& fileName, const QString& folder,
                     int timeoutMs = 30000);
// How many window sizes a screen can hold (2..5): items 3, 4 and 5 need 990 x 670, 1290 x 870
// and 1520 x 1020, and are taken from the end.
int OfferedWindowSizes(QSize screen);

class TFormOptions : public QDialog {
  public:
    // `screen` empty: the primary screen's size.
    TFormOptions(Settings& settings, OptionsHooks& hooks, QWidget* parent = nullptr, QSize screen = QSize());

    // Fills every caption and list in the current language.
    void ApplyLanguage();
    // Enables each download button exactly when its package is missing.
    void RefreshDownloadButtons();
    void SetProgramFolder(const QString& folder) { programFolder_ = folder; }
    void SetWebServer(const QString& server) { webServer_ = server; }
    // Downloads package 0..8 of DownloadPackages() as its buttons do.
    bool Download(int package);

    QTabWidget* PageControl1 = nullptr;
    TQobCardsButton* Button1 = nullptr; // "Ok"
    QLabel* ImFlag = nullptr;
    QLabel* Image0 = nullptr;          // the header of the plain designs
    TGifAnimation* RxGIFAn1 = nullptr; // "GOpt"
    // The dialog's icon animation of the graphic design: frame 0..9 of "GIcon48Opt".
    QTimer* IconTimer = nullptr;
    int IconFrame() const { return iconFrame_; }
    // Window design item 1..4 as shown (after the fall-back for a missing background).
    int DesignItem() const;
    // "General"
    QComboBox* ComboBoxLan = nullptr;
    QComboBox* ComboBoxWSize = nullptr;
    QCheckBox* CheckBoxNet = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QCheckBox* CheckBox2 = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    QCheckBox* CheckBox4 = nullptr;
    QCheckBox* CheckBoxCur = nullptr;
    QCheckBox* CheckBoxBut = nullptr;
    TQobCardsButton* Button3 = nullptr; // speed
    TQobCardsButton* Button4 = nullptr; // passport
    // "Cards"
    QComboBox* ComboBox1 = nullptr;
    QLabel* Image1 = nullptr;
    // "Decks"
    QComboBox* ComboBox2 = nullptr;
    QGroupBox* RadioGroup2 = nullptr;
    std::array<QRadioButton*, 3> BackModes{};
    // "Game"
    QGroupBox* RadioGroup3 = nullptr;
    std::array<QRadioButton*, 2> FirstMoves{};
    QGroupBox* GroupBox2 = nullptr;
    QCheckBox* CheckBox5 = nullptr;
    QCheckBox* CheckBox6 = nullptr;
    // "Fonts"
    QComboBox* ComboBoxFont = nullptr;
    QFontComboBox* FontComboBox1 = nullptr;
    QLabel* LabelScale = nullptr;
    QSpinBox* SpinEdit1 = nullptr;
    TQobCardsButton* Button2 = nullptr;
    QLabel* Label1 = nullptr;
    // "BG"
    QGroupBox* GroupBoxBG = nullptr;
    QComboBox* ComboBoxBG1 = nullptr;
    QComboBox* ComboBoxBG2 = nullptr;
    // "Save games"
    QGroupBox* GroupBoxSG = nullptr;
    QCheckBox* CheckBoxSG1 = nullptr;
    QComboBox* ComboBoxSG1 = nullptr;
    QLabel* LabelSG = nullptr;
    QSpinBox* SpinEditSG1 = nullptr;
    // "DLL"
    QGroupBox* RGRadio = nullptr;
    std::array<QRadioButton*, 2> RadioSources{};
    // "Design"
    QGroupBox* GroupBoxD1 = nullptr;
    QGroupBox* GroupBoxD2 = nullptr;
    QGroupBox* GroupBoxD3 = nullptr;
    QGroupBox* GroupBoxD4 = nullptr;
    QComboBox* ComboBoxD1 = nullptr;
    QComboBox* ComboBoxD2 = nullptr;
    QComboBox* ComboBoxD3 = nullptr;
    QCheckBox* CheckBoxD1 = nullptr;
    QCheckBox* CheckBoxD2 = nullptr;
    // Every download button with the package (0..8) it fetches.
    struct DownloadButton {
        TQobCardsButton* button;
        int package;
    };
    std::vector<DownloadButton> DownloadButtons;

  protected:
    void done(int result) override;
    void paintEvent(QPaintEvent* event) override;

  private:
    QWidget* BuildGeneral();
    QWidget* BuildCards();
    QWidget* BuildDecks();
    QWidget* BuildGame();
    QWidget* BuildFonts();
    QWidget* BuildBackground();
    QWidget* BuildSaveGames();
    QWidget* BuildDll();
    QWidget* BuildDesign();
    TQobCardsButton* AddDownloadButton(const QString& caption, int package, QWidget* page);
    void Fill();
    void TabShown(int index);
    void DrawPreview();
    void DrawFlag();
    void ShowFontRole();
    void FontsChanged();
    void SetFaces(int faceSet);
    void SetBack(int back);
    void SetBackground();
    void SetWindowSize(int size, bool layOut);
    void SaveGamesEnabling();
    void BackgroundListsEnabling();
    void DesignFallBack();
    void ApplyDialogDesign();
    void LoadDesignPictures();
    void ApplyButtonStyle();
    void ApplyCursors();
    void Salute();
    QString T(TextTable table, int row = 0) const;

    Settings& settings_;
    OptionsHooks& hooks_;
    QSize screen_;
    QString programFolder_;
    QString webServer_;
    bool filling_ = false;
    // The graphic design's pictures from the graphics package; null when it has none.
    QImage designBackground_, designHeader_, designIcon_;
    int iconFrame_ = 0;
    std::vector<CursorKeeper*> cursors_;
};

// Shows the dialog modally on the tab that was active when it last closed in this run.
void ShowOptions(Settings& settings, OptionsHooks& hooks, QWidget* parent = nullptr);
// The tab the next opening shows (0 "General" at start-up).
int RememberedOptionsTab();

} // namespace tarvo
