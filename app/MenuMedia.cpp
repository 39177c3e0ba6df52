#include "MenuMedia.h"

#include <QDir>

#include "media/Song.h"
#include "online/Services.h"
#include "table/Fonts.h"
#include "table/MediaControls.h"
#include "table/MenuScreen.h"
#include "table/OptionsDialog.h"
#include "table/RadioWindow.h"
#include "table/Salute.h"

namespace tarvo {

MenuMedia::MenuMedia(QWidget* window, MenuScreen* menu, Settings& settings, WindowResources& resources,
                     QString programFolder, bool quiet, std::function<void(const QString&)> showMessage)
    : QObject(window), window_(window), menu_(menu), settings_(settings), resources_(resources),
      programFolder_(std::move(programFolder)), quiet_(quiet), showMessage_(std::move(showMessage)),
      music_(std::make_unique<MusicPlayer>(&arbiter_)), radio_(std::make_unique<Radio>(&arbiter_)) {
    // Whichever source starts, the other two fall silent. The song's switch goes off with it, or
    // the menu would start the song again over the music.
    arbiter_.Attach(AudioSource::Song, [this] {
        settings_.MusicOn = false;
        if (song_) song_->SwitchMusic(false);
    });
    arbiter_.Attach(AudioSource::Music, [this] { music_->Silence(); });
    arbiter_.Attach(AudioSource::Radio, [this] {
        if (radio_->On()) radio_->TurnOff();
    });

    indicator_ = new RadioIndicator(menu_);
    indicator_->hide();
    buttons_ = new MusicButtons(menu_);
    buttons_->hide();
    connect(indicator_, &RadioIndicator::clicked, this, &MenuMedia::RadioClicked);
    connect(buttons_, &MusicButtons::playClicked, music_.get(), &MusicPlayer::PlayPause);
    connect(buttons_, &MusicButtons::nextClicked, this, [this](bool back) {
        if (back)
            music_->Previous();
        else
            music_->Next();
    });
    connect(buttons_, &MusicButtons::volumeClicked, music_.get(), &MusicPlayer::VolumeClick);
    connect(radio_.get(), &Radio::changed, this, &MenuMedia::ShowRadio);
    connect(music_.get(), &MusicPlayer::changed, this, &MenuMedia::ShowMusic);
}

MenuMedia::~MenuMedia() = default;

QString MenuMedia::Tr(TextTable table, int row) const {
    const std::string_view text = Text(table, row, settings_.Language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

SongPlayer& MenuMedia::SongPlayerFor(SongPlayer& inner) {
    songPlayer_ = std::make_unique<ClaimingSongPlayer>(inner, arbiter_);
    return *songPlayer_;
}

QString MenuMedia::HomeServer() const {
    // The playlist and the station list come from the same server as the other online services,
    // so a club that runs its own server gets its own music too.
    const std::optional<std::string> origin = OriginOf(StartAddresses(settings_).config);
    return QString::fromStdString(origin.value_or(kDefaultServerOrigin));
}

RadioPlaces MenuMedia::Places() const {
    return {programFolder_, HomeServer(), settings_.RadioListFromServer, resources_.packages};
}

void MenuMedia::Start() {
    if (quiet_) return;
    radio_->LoadSettings(QDir(programFolder_).filePath(RadioSettingsFileName));
    radio_->CheckAvailability(network_, Places());
    music_->FetchPlaylist(network_, HomeServer());
}

bool MenuMedia::RadioComesOn() const {
    return !quiet_ && radio_->On();
}

void MenuMedia::MenuShown() {
    if (!quiet_) radio_->StartAtMenu();
}

void MenuMedia::RecheckRadio() {
    if (!quiet_) radio_->CheckAvailability(network_, Places());
}

void MenuMedia::Arrange() {
    const Rect r = menu_->RadioPart(), m = menu_->MusicPart();
    indicator_->move(r.left, r.top);
    buttons_->move(m.left, m.top);
    ShowRadio();
    ShowMusic();
}

void MenuMedia::ShowRadio() {
    using Look = RadioIndicator::Look;
    const Look look = !radio_->Available() ? Look::Unavailable : radio_->Sounding() ? Look::On : Look::Off;
    indicator_->SetLook(look, Tr(txt::QobInternetRadio) + Tr(txt::Colon) + radio_->Settings().name);
    indicator_->setVisible(menu_->RadioShown());
    if (indicator_->isVisible()) indicator_->raise();
}

void MenuMedia::ShowMusic() {
    QString hint;
    if (const Track* t = music_->CurrentTrack()) hint = t->artist + QStringLiteral("  :  ") + t->title;
    if (music_->Failed()) hint += QLatin1Char('\n') + Tr(txt::TrackNoAnswer);
    const QFont volumeFont =
        RoleFont(FontRole::Decor, RoleHeight(14, FontRole::Decor, resources_.fonts), true, resources_.fonts);
    buttons_->SetLook(music_->Playing(), music_->Volume(), hint, Tr(txt::MusicBackNext), Tr(txt::MusicVolume),
                      volumeFont);
    buttons_->setVisible(menu_->MusicShown() && music_->Usable());
    if (buttons_->isVisible()) buttons_->raise();
}

bool MenuMedia::RadioUsable() {
    if (radio_->Available()) return true;
    if (radio_->Checking())
        showMessage_(Tr(txt::PleaseWait));
    else
        showMessage_(Tr(txt::CantFind) + StationListFileName + QStringLiteral(" + ") + RadioPackageName);
    return false;
}

void MenuMedia::RadioClicked(bool rightButton) {
    if (!RadioUsable()) return;
    if (rightButton)
        OpenRadioWindow();
    else
        radio_->Toggle();
}

void MenuMedia::OpenRadioWindow() {
    if (!RadioUsable()) return;
    RadioWindowOptions o;
    o.caption = Tr(txt::Radio);
    o.all = Tr(txt::AllCountries);
    o.noAnswer = Tr(txt::StationNoAnswer);
    o.connecting = Tr(txt::RadioConnecting);
    o.fonts = resources_.fonts;
    o.packages = resources_.packages;
    // Window designs 1, 2 and 3 are the plain headers 2, 1 and 3; design 4 is the graphic one.
    const int design = WindowDesign(settings_);
    o.graphicDesign = design == 4;
    o.headerVariant = design == 2 ? 1 : design == 3 ? 3 : 2;
    o.salute = SaluteCallback(settings_.SaluteButtons, resources_.packages);
    if (!ShowRadioWindow(*radio_, o, window_)) SetWindowDesign(settings_, 1);
}

void MenuMedia::Close() {
    if (quiet_) return;
    music_->Stream().Stop();
    radio_->Stream().Stop();
    radio_->SaveSettings(QDir(programFolder_).filePath(RadioSettingsFileName));
}

} // namespace tarvo
