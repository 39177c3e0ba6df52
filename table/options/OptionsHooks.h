// The main window's side of the options dialog: the tabs write a setting, then ask through this.
#pragma once

#include <QString>

#include "packages/Download.h"

namespace tarvo {

struct PlayChoices;

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
    // The choices of "Tarvo3Play.ini", edited in place by the "Game" tab; none hides them.
    virtual PlayChoices* PlayChoicesToEdit() { return nullptr; }
    // The program's web server the packages are downloaded from (the score server's packages
    // address in the online configuration).
    virtual QString PackageServer() const { return QString::fromLatin1(kDefaultProgramWebServer); }
};

} // namespace tarvo
