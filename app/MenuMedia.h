// The main menu's music player and radio, and the rule between them and the menu song that only
// one of the three sounds at a time: what the window owns of them and how they are wired.
#pragma once

#include <QNetworkAccessManager>
#include <QObject>
#include <functional>
#include <memory>

#include "media/MusicPlayer.h"
#include "media/Radio.h"
#include "media/SourceArbiter.h"
#include "settings/Settings.h"
#include "settings/Text.h"
#include "table/WindowResources.h"

namespace tarvo {

class MenuScreen;
class MenuSong;
class MusicButtons;
class RadioIndicator;

class MenuMedia : public QObject {
    Q_OBJECT
  public:
    // `quiet`: nobody listens (autoplay), so nothing is fetched, played or saved.
    // `resources` are the window's and outlive the menu's media.
    MenuMedia(QWidget* window, MenuScreen* menu, Settings& settings, WindowResources& resources,
              QString programFolder, bool quiet, std::function<void(const QString&)> showMessage);
    ~MenuMedia() override;

    // The song's player as the menu song must use it: starting the song quiets the music and the
    // radio. `song` is switched off when one of them starts.
    SongPlayer& SongPlayerFor(SongPlayer& inner);
    void SetSong(MenuSong* song) { song_ = song; }

    // The radio's settings, its list and the playlist; the answers from the server come later.
    void Start();
    // The radio will start when the menu comes up, so the song need not start on the title.
    bool RadioComesOn() const;
    // The main menu is up: the first time, a radio left on plays.
    void MenuShown();
    // Places and shows the radio and the player's buttons for the menu's current layout.
    void Arrange();
    // The popup's "Radio" and the right button on the radio: the radio window.
    void OpenRadioWindow();
    // The list source or a package changed: the radio looks for its files again.
    void RecheckRadio();
    // Closing: the radio's settings are saved and the streams stopped.
    void Close();

    MusicPlayer& Music() { return *music_; }
    Radio& TheRadio() { return *radio_; }

  private:
    QString Tr(TextTable table, int row = 0) const;
    void RadioClicked(bool rightButton);
    void ShowRadio();
    void ShowMusic();
    bool RadioUsable();
    QString HomeServer() const;
    RadioPlaces Places() const;

    QWidget* window_;
    MenuScreen* menu_;
    Settings& settings_;
    WindowResources& resources_;
    QString programFolder_;
    bool quiet_;
    std::function<void(const QString&)> showMessage_;
    MenuSong* song_ = nullptr;
    SourceArbiter arbiter_;
    std::unique_ptr<ClaimingSongPlayer> songPlayer_;
    QNetworkAccessManager network_;
    std::unique_ptr<MusicPlayer> music_;
    std::unique_ptr<Radio> radio_;
    RadioIndicator* indicator_ = nullptr;
    MusicButtons* buttons_ = nullptr;
};

} // namespace tarvo
