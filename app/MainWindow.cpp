#include "MainWindow.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDate>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <cstdio>

#include "MenuMedia.h"
#include "TarvoVersion.h"
#include "TitleScreen.h"
#include "WorldOnline.h"
#include "core/Round.h"
#include "core/Rules.h"
#include "media/Sound.h"
#include "packages/Package.h"
#include "records/Club.h"
#include "table/AccountWindow.h"
#include "table/Fonts.h"
#include "table/HelpWindow.h"
#include "table/HistoryWindow.h"
#include "table/MessageWindow.h"
#include "table/OptionsDialog.h"
#include "table/RecordsWindows.h"
#include "table/Salute.h"
#include "table/SpeedDialog.h"

namespace tarvo {
namespace {

QString Utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// What the libraries have to tell the player goes through the program's message window, in the
// player's language.
class WindowMessages : public SettingsMessages, public PictureMessages, public SongMessages {
  public:
    // Without a person at the window (autoplay) the messages go to the error stream instead.
    WindowMessages(QWidget* parent, int language, bool person = true)
        : parent_(parent), language_(language), person_(person) {}
    void ShowError(std::string_view text) override { ShowLines(Utf8(text)); }
    // A text with a line break of its own shows as two lines, so the window is only as wide as
    // its longer line.
    void ShowLines(QString first, QString second = QString()) {
        if (const qsizetype at = first.indexOf('\n'); at >= 0 && second.isEmpty()) {
            second = first.mid(at + 1).replace('\n', ' ');
            first.truncate(at);
        }
        if (!person_) {
            std::fprintf(stderr, "tarvo3: %s\n", qPrintable(second.isEmpty() ? first : first + " " + second));
            return;
        }
        MessageWindowTexts texts;
        texts.caption = Utf8(Text(txt::Attention, 0, language_));
        texts.language = language_;
        ShowMessageLines(first, second, QString(), texts, parent_);
    }
    // The song is prepared before the game's own windows are up: this one comes in the system's box.
    void CantCreateMusicFile() override {
        const std::string_view text = Text(txt::CantCreateMusicFile, 0, language_);
        if (!person_) {
            ShowError(text);
            return;
        }
        QMessageBox::warning(parent_, Utf8(Text(txt::ProductName, 0, language_)), Utf8(text),
                             QMessageBox::Ok);
    }
    void CantFindFile(const QString& fileName) override {
        ShowError((Utf8(Text(txt::CantFindFile, 0, language_)) + " " + fileName).toStdString());
    }
    void BadPicture(const QString& packageName, const QString& pictureName) override {
        ShowError((Utf8(Text(txt::CantFindFile, 0, language_)) + " " + packageName + " (" + pictureName + ")")
                      .toStdString());
    }

  private:
    QWidget* parent_;
    int language_;
    bool person_;
};

} // namespace

MainWindow::MainWindow(StartOptions options)
    : options_(std::move(options)), online_(std::make_unique<OnlineSession>(options_.server)) {
    settings_ = LoadSettings(options_.data.File(kSettingsFileName), online_.get());
    online_->Begin(settings_);
    if (options_.data.created) SeedRecordsFiles(options_.data.folder); // a new player's empty club
    resources_.packages.SetFolders(
        {QString::fromStdString(options_.data.folder.string()), DefaultPackageFolders().shippedFolder});
    qtTexts_.Apply(settings_.Language);
    ApplyFontSettings();
    game_.Rules = {settings_.NoFiveOfSuit, settings_.FirstBoutFive, settings_.FirstMove};

    stack_ = new QStackedWidget(this);
    setCentralWidget(stack_);
    title_ = new TitleScreen(stack_);
    LoadPictures();
    table_ = new TableScreen(store_, resources_, stack_);
    table_->Attach(&game_);
    stack_->addWidget(title_);
    stack_->addWidget(table_);
    match_ =
        std::make_unique<MatchContext>(MatchContext{game_, *table_, computer_, nullptr, PlayMode::Local, {}});
    driver_ = std::make_unique<StepDriver>(*match_);
    choices_ = storedChoices_ = LoadPlayChoices(options_.data.File(kPlayChoicesFileName));
    ApplyPlayChoices();
    connect(table_, &TableScreen::hintAsked, this, &MainWindow::ShowHint);
    connect(table_, &TableScreen::menuAsked, this, [this] { ShowPopup(table_->mapToGlobal(table_->rect().center())); });

    menu_ = new MenuScreen(table_);
    menu_->hide();
    connect(menu_, &MenuScreen::clicked, this, &MainWindow::OnMenu);
    connect(menu_, &MenuScreen::accountClicked, this, &MainWindow::ShowAccount);
    connect(menu_, &MenuScreen::captionClicked, this, [this] {
        settings_.CaptionColour = settings_.CaptionColour % 7 + 1;
        LayOutMenu();
    });

    connect(title_, &TitleScreen::left, this, &MainWindow::ShowMenu);
    connect(table_, &TableScreen::actionPressed, this, &MainWindow::OnAction);
    connect(table_, &TableScreen::exitPressed, this, &MainWindow::ExitToMenu);
    connect(table_, &TableScreen::ownCardClicked, this, &MainWindow::OnOwnCard);
    connect(table_, &TableScreen::ownCardHovered, this, &MainWindow::OnHover);
    connect(&gameTimer_, &QTimer::timeout, this, &MainWindow::OnGameTick);
    SetUpNetwork();
    SetUpTournament();
    connect(menu_, &MenuScreen::tournamentClicked, this, &MainWindow::OpenTournament);

    recording_ = new GameRecording(this, table_, store_, resources_.fonts);
    connect(table_, &TableScreen::resultShown, recording_, [this] {
        recording_->CaptureFrame();
        recording_->FinishRecording();
    });
    connect(recording_, &GameRecording::failed, this, [this](const QString& folder, const QString& reason) {
        table_->PlaySound("WWrongs");
        if (options_.autoplayGames > 0) {
            ShowMessage(Tr(txt::CantSaveGif) + " " + folder + ": " + reason);
            return;
        }
        MessageWindowTexts texts;
        texts.caption = Tr(txt::Attention);
        texts.language = settings_.Language;
        ShowMessageLines(Tr(txt::CantSaveGif), folder, reason, texts, this);
    });

    media_ = new MenuMedia(this, menu_, settings_, resources_,
                           QString::fromStdString(options_.data.folder.string()), options_.autoplayGames > 0,
                           [this](const QString& m) { ShowMessage(m); });
    songPlayer_ = std::make_unique<FluidSongPlayer>();
    song_ = std::make_unique<MenuSong>(media_->SongPlayerFor(*songPlayer_), SongFilePath(QDir::tempPath()));
    media_->SetSong(song_.get());
    media_->Start();
    {
        WindowMessages messages(this, settings_.Language, options_.autoplayGames == 0);
        PrepareSong(*songPlayer_, messages, song_->Path());
    }
    // A radio left on takes over when the menu comes up; the song does not start before it.
    song_->ShowMenu(settings_.MusicOn && !media_->RadioComesOn());

    SetUpWorld();
    setWindowTitle(Tr(txt::ProductName));
    ApplyTexts();
    title_->SetCaption(settings_.Language, settings_.CaptionColour);
    ShowTitle();
    const int language = settings_.Language;
    if (!CheckRecordsAtStart()) {
        QTimer::singleShot(0, this, [this] {
            close();
            QCoreApplication::exit(1); // a records file the player cannot trust ends the program
        });
        return;
    }
    if (settings_.Language != language) { // the records file asked for Russian
        qtTexts_.Apply(settings_.Language);
        ApplyFontSettings();
        setWindowTitle(Tr(txt::ProductName));
        ApplyTexts();
        title_->SetCaption(settings_.Language, settings_.CaptionColour);
    }
    online_->AutoSignIn(options_.data.SharedFolder()); // silently: a failure leaves it signed out
    ShowAccountHint();
    ReportStartToWorld();
    if (options_.autoplayGames > 0) QTimer::singleShot(0, this, &MainWindow::ShowMenu);
}

MainWindow::~MainWindow() = default;

void MainWindow::ApplyFontSettings() {
    FontSettings fonts;
    fonts.fontLarge = QString::fromStdString(settings_.FontLarge);
    fonts.fontSmall = QString::fromStdString(settings_.FontSmall);
    fonts.fontSpecial1 = QString::fromStdString(settings_.FontSpecial1);
    fonts.fontSpecial2 = QString::fromStdString(settings_.FontSpecial2);
    fonts.scaleLarge = settings_.ScaleLarge;
    fonts.scaleSmall = settings_.ScaleSmall;
    fonts.scaleSpecial1 = settings_.ScaleSpecial1;
    fonts.scaleSpecial2 = settings_.ScaleSpecial2;
    fonts.language = settings_.Language;
    resources_.fonts = fonts;
}

// A new window size: the pictures for its scale, the table's parts and the menu laid out again.
void MainWindow::ReLayOutMenu() {
    LoadPictures();
    ApplyTexts(); // the table learns the new size here
    ArrangeMenuWindow();
}

// The table's parts at the current size, hidden under the menu, and the window placed for it.
void MainWindow::ArrangeMenuWindow() {
    const Scale scale = CurrentScale();
    table_->ApplyWindowSize(scale.clientWidth, scale.clientHeight);
    table_->HideTable();
    LayOutMenu();
    PlaceWindow(QSize(scale.clientWidth, scale.clientHeight));
}

// Sizes the window to `client` (or the whole screen) and centres it; the dialogs open over it
// follow. The new place is known before the window system has applied it: everything goes by it.
void MainWindow::PlaceWindow(QSize client) {
    title_->setFixedSize(client); // the page stack is as large as its largest page
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    QRect place(QPoint(), client); // the frame's place on the screen
    if (settings_.WindowSize == 2) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        if (screen) place = screen->geometry();
        setGeometry(place); // where the window system leaves full screen to the program
        showFullScreen();
    } else {
        if (isFullScreen()) showNormal();
        setFixedSize(client);
        const QRect outer = frameGeometry(), inner = geometry();
        place += QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                          outer.right() - inner.right(), outer.bottom() - inner.bottom());
        if (screen) place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
    for (QWidget* top : QApplication::topLevelWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(top);
        if (!dialog || !dialog->isVisible() || dialog->parentWidget() != this) continue;
        QRect frame = dialog->frameGeometry();
        frame.moveCenter(place.center());
        dialog->move(frame.topLeft());
    }
}

void MainWindow::ShowOptionsDialog() {
    OptionsLink link(*this);
    ShowOptions(settings_, link, resources_, this);
    ApplyPlayChoices();
    SavePlayChoicesIfChanged();
    game_.Rules = {settings_.NoFiveOfSuit, settings_.FirstBoutFive, settings_.FirstMove};
}

void MainWindow::OptionsLink::LanguageChanged() {
    w_.qtTexts_.Apply(w_.settings_.Language);
    w_.ApplyFontSettings(); // the font roles pick families with the new language's letters
    w_.setWindowTitle(w_.Tr(txt::ProductName));
    w_.title_->SetCaption(w_.settings_.Language, w_.settings_.CaptionColour);
    w_.ApplyTexts();
    if (w_.menuShown_) w_.LayOutMenu(); // the calendar sheets speak the new language too
}

bool MainWindow::OptionsLink::BackgroundChanged() {
    const int set = w_.settings_.Background, variant = w_.settings_.BackgroundVariant;
    const bool loaded = w_.ReloadBackground(false);
    w_.LayOutMenu();
    return loaded && w_.settings_.Background == set && w_.settings_.BackgroundVariant == variant;
}

void MainWindow::OptionsLink::MusicSwitched() {
    w_.song_->SwitchMusic(w_.settings_.MusicOn && w_.options_.autoplayGames == 0);
}

void MainWindow::OptionsLink::RadioCheck() {
    w_.media_->RecheckRadio();
}

void MainWindow::OptionsLink::FontsChanged() {
    w_.ApplyFontSettings();
    w_.ApplyTexts();
    w_.LayOutMenu();
}

// The packages come from the server the online configuration names for them.
QString MainWindow::OptionsLink::PackageServer() const {
    const auto origin = OriginOf(w_.online_->Client().Addresses().packages);
    return origin ? QString::fromStdString(*origin) : OptionsHooks::PackageServer();
}

bool MainWindow::OptionsLink::MainMenuDesignChanged() {
    const bool wanted = w_.settings_.MainMenuDesign != 0;
    // Without the graphics package no graphic design can be shown; the fall-back is kept.
    const bool loaded = w_.ReloadBackground(false);
    w_.LayOutMenu();
    return !wanted || loaded;
}

// Full screen takes the whole screen; the other sizes are fixed.
Scale MainWindow::CurrentScale() const {
    if (settings_.WindowSize == 2) {
        QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        QSize size = screen ? screen->geometry().size() : QSize(760, 500);
        return Scale::ForWindowSize(2, size.width(), size.height());
    }
    return Scale::ForWindowSize(settings_.WindowSize);
}

QString MainWindow::Tr(TextTable table, int row) const {
    std::string_view text = Text(table, row, settings_.Language);
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void MainWindow::LoadPictures() {
    WindowMessages messages(this, settings_.Language, options_.autoplayGames == 0);
    Scale scale = CurrentScale();
    look_.cardFaces = settings_.CardFaces;
    look_.cardBack = settings_.CardBack;
    look_.oneBack = settings_.OneBack;
    look_.windowSize = settings_.WindowSize;
    look_.scale = scale.S;
    look_.clientSize = QSize(scale.clientWidth, scale.clientHeight);
    LoadCardFaces(resources_.packages, store_, look_, messages); // the backs come with the faces
    ReloadBackground(table_ && !menuShown_ && table_->TableShown());
}

// The background of the settings for the table or the menu, in its design; what fell back is kept.
// False when the chosen picture could not be loaded.
bool MainWindow::ReloadBackground(bool table) {
    WindowMessages messages(this, settings_.Language, options_.autoplayGames == 0);
    look_.background = settings_.Background;
    look_.backgroundVariant = settings_.BackgroundVariant;
    look_.mainMenuDesign = settings_.MainMenuDesign != 0;
    look_.tableDesign = settings_.TableDesign != 0;
    look_.windowDesignGraphic = WindowDesign(settings_) == 4;
    const bool loaded = LoadBackground(resources_.packages, store_, look_, messages,
                                       table ? look_.tableDesign : look_.mainMenuDesign);
    KeepFallBacks();
    return loaded;
}

// A set or design that could not be loaded fell back; keep that for the next save.
void MainWindow::KeepFallBacks() {
    settings_.CardFaces = look_.cardFaces;
    settings_.CardBack = look_.cardBack;
    settings_.Background = look_.background;
    settings_.BackgroundVariant = look_.backgroundVariant;
    if (!look_.mainMenuDesign) settings_.MainMenuDesign = 0;
    if (!look_.tableDesign) settings_.TableDesign = 0;
    if (!look_.windowDesignGraphic && WindowDesign(settings_) == 4) SetWindowDesign(settings_, 1);
}

// The menu and the table may each have the graphic design or not: the background follows.
void MainWindow::LoadBackgroundFor(bool table) {
    if (settings_.MainMenuDesign != settings_.TableDesign) ReloadBackground(table);
}

// A new deal: the back of this game, and the table's background when it differs from the menu's.
void MainWindow::EnterTableForDeal() {
    // Over the network the others' hands are seen for one game at most; at home for the series.
    if (networkSeries_) table_->SetReveal(false);
    ChooseBackForGame(store_, look_);
    table_->EnterTable();
    StartRecording();
}

// Every game is recorded when the player asked for it, from its deal.
void MainWindow::StartRecording() {
    recording_->StartRecording(settings_,
                               GameRecording::Folder(QString::fromStdString(options_.data.folder.string())),
                               Tr(txt::CreatingGif));
}

TableTexts MainWindow::TextsForTable() const {
    TableTexts t;
    t.go = Tr(txt::IGo);
    t.pass = Tr(txt::ThatsAllDots);
    t.take = Tr(txt::ITake);
    t.penalties = Tr(txt::Penalties);
    t.game = Tr(txt::GameCounter) + Tr(txt::Colon);
    QString name = QString::fromStdString(series_.NameUtf8()).trimmed();
    t.names = {QStringLiteral("PC"), QStringLiteral("PC"), name.isEmpty() ? QStringLiteral("Player") : name};
    if (networkSeries_)
        for (int seat = 1; seat <= 3; ++seat)
            t.names[static_cast<std::size_t>(seat - 1)] = QString::fromStdString(netSession_.SeatName(seat));
    if (tournamentGame_) t.names = tourNames_;
    t.lose = Tr(txt::YouLoseGame);
    t.won = Tr(txt::YouHaveWon);
    t.draw = Tr(txt::DeadHeat);
    t.toBegin = Tr(txt::ToBegin);
    t.beaten = Tr(txt::Beaten);
    t.playStill = Tr(txt::WePlayStill);
    t.exitToMenu = Tr(txt::ExitToMenu);
    t.currentGame = Tr(txt::CurrentGame);
    t.notBeaten = Tr(txt::NotBeaten);
    t.counter = {Tr(txt::GeneralGameNumber), Tr(txt::RoundInCycle), Tr(txt::RoundInSession)};
    return t;
}

void MainWindow::ApplyTexts() {
    table_->SetTexts(TextsForTable());
    computer_.SetThinkText(std::string(Text(txt::IThink, 0, settings_.Language)));
    TableOptions o;
    o.windowSize = settings_.WindowSize;
    o.flyCards = settings_.FlyCards && options_.autoplayGames == 0;
    o.speed = settings_.Speed;
    o.gifAnimation = settings_.GifAnimation;
    o.soundOn = settings_.SoundOn && options_.autoplayGames == 0;
    o.language = settings_.Language;
    o.ownCursor = settings_.OwnCursor;
    table_->SetOptions(o);
    MenuTexts& m = menuTexts_;
    m.sixth = Tr(txt::NewPlayer);
    m.topTen = Tr(txt::TopTen);
    m.options = Tr(txt::Options);
    m.history = Tr(txt::History);
    m.mode = Tr(txt::ClubHeader, 0);
    m.exit = Tr(txt::Exit);
    // The info display's hints by its mode 1..7 (mode 6 is shown as 7).
    m.info.hints = {QString(),
                    Tr(txt::DynamicIq),
                    Tr(txt::GamesWithPc),
                    Tr(txt::BestWindowsPlayer),
                    Tr(txt::BestAndroidPlayer),
                    Tr(txt::BestAccountPlayer),
                    Tr(txt::ClubMembers),
                    Tr(txt::ClubMembers)};
    m.info.no = Tr(txt::No);
    m.newsHint = Tr(txt::QobNews);
    m.chatHint = Tr(txt::QobChat);
    m.linkHints = {Tr(txt::WorldTopTen), Tr(txt::Statistics), Tr(txt::ProductName),
                   Tr(txt::WorldTopTen) + "\n" + Tr(txt::BestAndroidPlayer).section(':', 0, 0),
                   Tr(txt::ProductName) + " (Apk)", Tr(txt::ProductName) + " (Google Play)"};
    menu_->SetTexts(m);
    menu_->Button(MenuButton::TopTen)->setToolTip(Tr(txt::GamesInCycle) + Tr(txt::Colon) + "30");
    menu_->Button(MenuButton::TopTen)->setToolTipDuration(5000); // a balloon shows for five seconds
    menu_->TournamentPicture()->setToolTip(Tr(txt::OnlineTournament));
    if (tourWindow_) tourWindow_->SetTexts(TournamentTextsNow());
}

void MainWindow::ShowTitle() {
    Scale scale = CurrentScale();
    stack_->setCurrentWidget(title_);
    title_->setFocus();
    PlaceWindow(QSize(scale.clientWidth, scale.clientHeight));
}

void MainWindow::ShowMenu() {
    LoadBackgroundFor(false);
    stack_->setCurrentWidget(table_);
    ArrangeMenuWindow();
    menuShown_ = true;
    world_->Begin();
    world_->ReadInfo(menu_->InfoMode());
    media_->MenuShown(); // a radio left on plays, and the song keeps quiet
    song_->ShowMenu(settings_.MusicOn && options_.autoplayGames == 0);
    gameTimer_.start(20);
    if (autoplay_.On() && autoplay_.Played() == 0) QTimer::singleShot(0, this, &MainWindow::AutoplayStart);
}

void MainWindow::LayOutMenu() {
    MenuLook look;
    look.windowSize = settings_.WindowSize;
    look.language = settings_.Language;
    look.captionColour = settings_.CaptionColour;
    look.network = settings_.NetGame;
    look.gifAnimation = settings_.GifAnimation;
    look.newButtons = settings_.NewButtons;
    look.mainMenuDesign = settings_.MainMenuDesign != 0;
    look.fonts = resources_.fonts;
    menu_->Arrange(table_->CurrentLayout().scale, store_.background, look);
    media_->Arrange();
    std::vector<CalendarPicture> sheets;
    menu_->SetCalendar(
        BuildCalendar(resources_.packages, resources_.fonts, settings_.Language, QDate::currentDate(), sheets)
            ? std::move(sheets)
            : std::vector<CalendarPicture>{});
    menu_->show();
    menu_->raise();
    RefreshClubList();
}

void MainWindow::ShowMessage(const QString& text, const QString& second) {
    WindowMessages(this, settings_.Language, options_.autoplayGames == 0).ShowLines(text, second);
}

std::filesystem::path MainWindow::ActiveRecordsFile() const {
    return options_.data.File(std::string(settings_.NetGame ? NetRecordsFileName : LocalRecordsFileName));
}

// Both records files must be there and whole; a file the program may not replace is reported
// once and no records file is written for the rest of the run.
bool MainWindow::CheckRecordsAtStart() {
    const RecordsStartCheck check = CheckRecordsFilesAtStart(options_.data.folder);
    if (check.russian) settings_.Language = 1; // a records file marked Russian sets the language
    if (!check.notWritable.empty() && writes_ == RecordsWrites::Allowed) {
        ShowMessage(Tr(txt::FileBadAttributes, 0) + QString::fromStdString(check.notWritable.string()) +
                    Tr(txt::FileBadAttributes, 1));
        writes_ = RecordsWrites::Blocked;
    }
    if (check.status == RecordsCheck::Valid) return true;
    ShowMessage(Tr(check.status == RecordsCheck::Missing ? txt::CantFindFile : txt::IncorrectFile) + " \"" +
                QString::fromStdString(check.failed.string()) + "\"!");
    recordsFailed_ = true;
    return false;
}

void MainWindow::RefreshClubList() {
    MenuTexts m = menuTexts_;
    m.modeLine = Tr(txt::ClubHeader, settings_.ClubView == 2 ? 2 : 1);
    const ClubRowMeasure measure = menu_->ClubMeasure(m.modeLine);
    if (auto club = ReadClubList(ActiveRecordsFile(), settings_.ClubView, measure)) {
        for (int slot = 1; slot <= 5; ++slot)
            m.clubRows[static_cast<std::size_t>(slot - 1)] = QString::fromStdString(club->captions[slot]);
    }
    menu_->SetTexts(m);
}

WelcomeTexts MainWindow::WelcomeTextsNow() const {
    WelcomeTexts w;
    w.caption = Tr(txt::Welcome);
    w.name = Tr(txt::EnterName);
    w.password = Tr(txt::EnterPassword);
    w.again = Tr(txt::EnterPasswordAgain);
    w.cancel = Tr(txt::Cancel);
    w.incorrectName = Tr(txt::IncorrectName);
    w.differ = Tr(txt::PasswordsDiffer);
    w.incorrectPassword = Tr(txt::IncorrectPassword);
    w.language = settings_.Language;
    return w;
}

// The welcome dialog, modal; the series values on "Ok", nothing on "Cancel".
std::optional<SeriesValues> MainWindow::Welcome(int slot, std::optional<SeriesValues> member,
                                                const QString& startName, bool network) {
    WelcomeDialog dialog(
        slot, std::move(member), startName, WelcomeTextsNow(), [this](const QString& m) { ShowMessage(m); },
        this);
    if (network) EnableNetworkWelcome(dialog);
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (network) {
        // The address and port stay as they were typed, whether the series started or not.
        settings_.NetIP = dialog.NetIp().toStdString();
        settings_.NetPort = dialog.NetPort().toStdString();
    }
    // A new player's name is remembered once it passed its check, whatever the password did.
    if (slot == NewPlayerSlot && !dialog.EnteredName().isEmpty())
        settings_.PlayerName = dialog.EnteredName().toStdString();
    if (!accepted) return std::nullopt;
    return dialog.Values();
}

void MainWindow::ChooseMember(int slot) {
    if (slot == 5 && StartRatedSeries()) return; // the account holder's seat
    auto text = ReadRecords(ActiveRecordsFile());
    std::optional<SeriesValues> member = text ? MemberSeries(*text, slot) : std::nullopt;
    if (!member) return; // an empty slot does nothing
    table_->PlaySound("WOpenFo");
    PlaySeriesOf(Welcome(slot, member, QString::fromStdString(settings_.PlayerName), settings_.NetGame));
}

void MainWindow::ChooseNewPlayer() {
    table_->PlaySound("WOpenFo");
    PlaySeriesOf(
        Welcome(NewPlayerSlot, std::nullopt, QString::fromStdString(settings_.PlayerName), settings_.NetGame));
}

void MainWindow::PlaySeriesOf(std::optional<SeriesValues> player) {
    if (!player) return; // a cancelled dialog leaves the menu as it was
    series_ = *player;
    settings_.PlayerName = series_.NameUtf8();
    StartSeries();
}

// "Exit to menu" after a game: the series is recorded, a 30-game cycle may end with its window.
void MainWindow::RecordAndExitToMenu() {
    if (practice_) return LeaveTable(); // practice leaves no trace
    SeriesContext context;
    context.kind = settings_.NetGame ? PlayKind::Network : PlayKind::Local;
    context.recordsFile = ActiveRecordsFile();
    context.writes = writes_;
    context.dataFolder = options_.data.folder;
    QDateTime now = QDateTime::currentDateTime();
    context.time = now.toString(QStringLiteral("h:mm")).toStdString();
    context.date = HistoryDateText(now.date()).toStdString();
    if (networkSeries_) context.historyName = netSession_.HistoryName();
    const WorldSeriesEnd world = FinishWorldSeries(context);
    SeriesOutcome outcome = RecordSeries(series_, game_, context);
    EndNetwork(); // the series is over for every machine
    // In the order of the recording: the verdict heard to its end, the end-of-cycle window with
    // its own sound, then the menu; the return's sound would cut either of them short.
    if (!outcome.sound.empty())
        resources_.sound.PlayResource(outcome.sound, true, settings_.SoundOn && options_.autoplayGames == 0);
    ReportRecordsWrite(outcome.store.write);
    if (!outcome.history.keptAside.empty())
        ShowMessage(Tr(txt::HistoryKeptAside), QString::fromStdString(outcome.history.keptAside.string()));
    if (outcome.history.status == HistoryWrite::CantSave) ShowMessage(Tr(txt::CantSaveHistory));
    if (outcome.cycleEnd && outcome.endOfCycle && options_.autoplayGames == 0)
        ShowCycleEnd(*outcome.endOfCycle, RecordsOptions(), this);
    PostWorldSeries(world, outcome);
    LeaveTable();
}

// The popup's "Exit to menu" in the middle of a series: the series is abandoned and the player
// leaves the club, as the rules of the club want.
void MainWindow::AbandonSeries() {
    table_->PlaySound("WOpenFo");
    if (menuShown_ || stack_->currentWidget() != table_) return;
    QMessageBox question(QMessageBox::Question, Tr(txt::ProductName),
                         Tr(txt::ExitQuestion, 0) + "\n" + Tr(txt::DataWillBeLost),
                         QMessageBox::Yes | QMessageBox::No, this);
    exitQuestion_ = &question;
    const int answer = question.exec();
    if (answer != QMessageBox::Yes || menuShown_) return; // the game may have ended while it asked
    if (tournamentGame_) return TournamentExit(); // the records file is not the tournament's
    if (!practice_) ReportRecordsWrite(RemoveMember(ActiveRecordsFile(), series_.slot, writes_));
    world_->LeaveRatedPlay(); // the provisional record stays on the server
    EndNetwork(); // the others see this player leave
    LeaveTable();
}

// Over the hands, the table and the talon the right button speaks cards instead.
void MainWindow::contextMenuEvent(QContextMenuEvent* event) {
    if (!menuShown_ && table_->OverCards(table_->mapFromGlobal(event->globalPos()))) return;
    ShowPopup(event->globalPos());
}

// The rules and how to play, written for this program, in a window of the game: the pages
// shipped with the program.
void MainWindow::OpenHelp() {
    // The pages are written in English: a player of another language is told so first.
    if (settings_.Language != 0) ShowMessage(Tr(txt::HelpNotTranslated, 0), Tr(txt::HelpNotTranslated, 1));
    if (ShowHelp(ProgramDataFolder(QStringLiteral("help")) + QStringLiteral("/index.html"), Tr(txt::Help), this))
        return;
    ShowMessage(Tr(txt::CantFindFile) + " \"index.html\"");
}

void MainWindow::ShowPopup(const QPoint& at) {
    bool tableUp = !menuShown_ && stack_->currentWidget() == table_ && table_->TableShown();
    QMenu popup(this);
    popup.setToolTipsVisible(true); // the items that come later say so
    QAction* score = popup.addAction(Tr(txt::GeneralScore));
    QAction* exit = popup.addAction(Tr(txt::ExitToMenu));
    QAction* rename = popup.addAction(Tr(txt::ChangeName));
    QAction* speed = popup.addAction(Tr(txt::Speed));
    QAction* radio = popup.addAction(Tr(txt::Radio));
    radio->setEnabled(stack_->currentWidget() != title_); // from leaving the title screen
    QAction* chat = popup.addAction(Tr(txt::Chat));
    chat->setEnabled(stack_->currentWidget() != title_);
    popup.addSeparator();
    QAction* help = popup.addAction(Tr(txt::Help));
    QAction* about = popup.addAction(Tr(txt::About));
    score->setEnabled(tableUp);
    exit->setEnabled(tableUp);
    rename->setEnabled(tableUp && !settings_.NetGame && !tournamentGame_);
    PlayActions play = AddPlayActions(popup);
    QAction* chosen = popup.exec(at);
    if (RunPlayAction(play, chosen)) return;
    if (chosen == score) {
        ShowGeneralScore(tournamentGame_ ? TournamentGeneralScore() : MakeCount(series_, game_), game_.SeatScore,
                         QString::fromStdString(series_.NameUtf8()).trimmed(), RecordsOptions(), this);
    } else if (chosen == exit) {
        AbandonSeries();
    } else if (chosen == rename) {
        if (auto renamed = Welcome(NewPlayerSlot, std::nullopt, QString::fromStdString(series_.NameUtf8()), false)) {
            // The player keeps his slot and his results under the new name.
            series_.nameField = renamed->nameField;
            series_.passwordField = renamed->passwordField;
            settings_.PlayerName = series_.NameUtf8();
            ApplyTexts();
            table_->DrawBubble(3, Bubble::Name);
        }
    } else if (chosen == radio) {
        media_->OpenRadioWindow();
    } else if (chosen == chat) {
        world_->OpenChat();
    } else if (chosen == help) {
        OpenHelp();
    } else if (chosen == about) {
        QMessageBox::about(
            this, Tr(txt::About),
            // Paragraphs keep the text off the box's top edge.
            QStringLiteral(
                "<p style=\"margin-top:12px\"><b>Tarvo-Trio</b> V %1</p><p>Throw-in Durak for three "
                "seats.</p><p>Free software under the GNU General Public License, version 3 or later.</p>")
                .arg(QLatin1String(kVersion)));
    } else if (chosen == speed) {
        SpeedDialogOptions o;
        o.caption = Tr(txt::ChoiceOfSpeed);
        o.prompt = Tr(txt::SelectFlightSpeed);
        o.speedWord = Tr(txt::Speed);
        o.languageCode = Utf8(Languages()[settings_.Language].resourceCode).toUpper();
        o.fonts = resources_.fonts;
        o.packages = &resources_.packages;
        // Window designs 1, 2 and 3 are the plain headers 2, 1 and 3; design 4 is the graphic one.
        const int design = WindowDesign(settings_);
        o.graphicDesign = design == 4;
        o.headerVariant = design == 2 ? 1 : design == 3 ? 3 : 2;
        o.salute = SaluteCallback(settings_.SaluteButtons, resources_.packages);
        if (!ShowSpeedDialog(settings_.Speed, o, this)) SetWindowDesign(settings_, 1);
        ApplyTexts();
    }
}

RecordsWindowOptions MainWindow::RecordsOptions() {
    RecordsWindowOptions o;
    o.language = settings_.Language;
    o.fonts = resources_.fonts;
    o.soundOn = settings_.SoundOn;
    o.sound = &resources_.sound;
    o.gifAnimation = settings_.GifAnimation;
    o.ownCursor = settings_.OwnCursor;
    o.salute = SaluteCallback(settings_.SaluteButtons, resources_.packages);
    return o;
}

void MainWindow::OnMenu(MenuButton which) {
    // Every menu button has the firework; the options dialog plays its own.
    if (settings_.SaluteButtons && which != MenuButton::Options) PlaySalute(resources_.packages);
    switch (which) {
    case MenuButton::Club1:
    case MenuButton::Club2:
    case MenuButton::Club3:
    case MenuButton::Club4:
    case MenuButton::Club5:
        ChooseMember(static_cast<int>(which) + 1);
        break;
    case MenuButton::Sixth:
        ChooseNewPlayer();
        break;
    case MenuButton::Mode:
        settings_.ClubView = settings_.ClubView == 2 ? 1 : 2;
        RefreshClubList();
        break;
    case MenuButton::TopTen:
        if (ShowTopTenOfWorld()) break;
        ShowTopTen(options_.data.folder, settings_.NetGame, RecordsOptions(), this);
        break;
    case MenuButton::History:
        ShowHistory(options_.data.folder, RecordsOptions(), this);
        break;
    case MenuButton::Exit:
        close();
        break;
    case MenuButton::Options:
        ShowOptionsDialog();
        break;
    }
}

// The account picture of the menu: the account window, then the menu again when the state or the
// holder changed.
void MainWindow::ShowAccount() {
    if (settings_.SaluteButtons) PlaySalute(resources_.packages);
    AccountWindowHooks hooks;
    hooks.userFile = online_->UserFile(options_.data.SharedFolder());
    hooks.message = [this](const QString& text) { ShowMessage(text); };
    hooks.choosePicture = [this] {
        return QFileDialog::getOpenFileName(this, QString(), QString(),
                                            QStringLiteral("JPEG (*.jpg *.jpeg)"));
    };
    if (ShowAccountWindow(online_->TheAccount(), RecordsOptions(), hooks, this)) {
        ShowAccountHint();
        LayOutMenu();
    }
}

void MainWindow::ShowAccountHint() {
    const Account& account = online_->TheAccount();
    menu_->AccountPicture()->setToolTip(
        account.SignedIn() ? Tr(txt::LoggedIn) + "\n" + QString::fromStdString(account.holder.Nick)
                           : Tr(txt::NotLoggedIn) + "\n" + Tr(txt::LoginToAccount));
    menu_->AccountPicture()->setToolTipDuration(5000);
}

void MainWindow::StartSeries() {
    menu_->hide();
    menuShown_ = false;
    game_.Rules = {settings_.NoFiveOfSuit, settings_.FirstBoutFive, settings_.FirstMove};
    song_->DealGame();
    LoadBackgroundFor(true);
    table_->SetReveal(false); // open hands last for a series, through its deals
    if (networkSeries_) SeriesStartsOnTable();
    if (networkSeries_ && !netSession_.IsServer()) {
        // A client's table stays empty until the server's deal arrives.
        game_ = GameState();
        game_.InputOpen = 0;
        match_->flags = {};
        table_->EnterTable();
    } else {
        EnterTableForDeal();
        tarvo::StartSeries(*match_, decks_, series_.G0);
        ShowDealNumber();
        if (networkSeries_) netSession_.SendDeal(game_);
    }
    TableTexts t = TextsForTable();
    table_->SetTexts(t);
    table_->RedrawAll();
    gameTimer_.start(options_.autoplayGames > 0 ? 1 : 500);
}

void MainWindow::ExitToMenu() {
    if (tournamentGame_) return TournamentExit();
    if (settings_.SaluteButtons) PlaySalute(resources_.packages);
    RecordAndExitToMenu();
}

void MainWindow::LeaveTable() {
    // A game that ended while the player was asked whether to leave it takes the question along:
    // left open, it would stand over the menu, or over the next game, and a "Yes" would leave that.
    if (exitQuestion_) exitQuestion_->reject();
    practice_ = false;
    gameTimer_.stop();
    game_.StartPending = 0;
    game_.InputOpen = 0;
    table_->PlaySound("WToMenK");
    ShowMenu();
    recording_->FinishRecording(); // a game left in the middle is saved as far as it went
}

// A records write that failed is told; the old file is whole either way.
void MainWindow::ReportRecordsWrite(RecordsWrite result) {
    if (result == RecordsWrite::DiskError) ShowMessage(Tr(txt::DiskWriteError));
    if (result == RecordsWrite::Unreadable)
        ShowMessage(Tr(txt::IncorrectFile) + " \"" + QString::fromStdString(ActiveRecordsFile().string()) +
                    "\"!");
}

void MainWindow::OnGameTick() {
    if (stepRunning_ || menuShown_) return;
    StepGuard guard(stepRunning_, *table_);
    if (autoplay_.On()) {
        if (tournamentGame_)
            TournamentAutoplayStep();
        else if (networkSeries_)
            NetAutoplayStep();
        else
            AutoplayStep();
        return;
    }
    GameTick(*driver_, world_->RatedPlay() && !networkSeries_, !networkSeries_ || netSession_.IsServer(),
             tourSession_.Seat() == 1);
    // The game server's end lets every seat leave, whether it came before the end display or after.
    if (tournamentGame_ && tourGameOver_) table_->EnableExitButton(true);
}

// Autoplay sits down in club slot 1, creating the player "Auto" through the welcome dialog's own
// checks when the club is empty.
void MainWindow::AutoplayStart() {
    if (options_.net.side != NetAutoplayOptions::Side::None) return NetAutoplayStart();
    if (options_.tournamentTable != 0) return TournamentAutoplayStart();
    if (options_.rated) return RatedAutoplaySession();
    auto text = ReadRecords(ActiveRecordsFile());
    std::optional<SeriesValues> member = text ? MemberSeries(*text, 1) : std::nullopt;
    WelcomeDialog dialog(
        member ? 1 : NewPlayerSlot, member, QStringLiteral("Auto"), WelcomeTextsNow(),
        [](const QString& m) { std::fprintf(stderr, "autoplay: %s\n", qPrintable(m)); }, this);
    if (!member) dialog.NameField()->setText(QStringLiteral("Auto"));
    dialog.PasswordField()->setText(QStringLiteral("12345"));
    dialog.AgainField()->setText(QStringLiteral("12345"));
    if (!dialog.Accept()) {
        close();
        return;
    }
    series_ = dialog.Values();
    settings_.PlayerName = series_.NameUtf8();
    StartSeries();
}

void MainWindow::AutoplayStep() {
    switch (autoplay_.Tick(*driver_, world_->RatedPlay())) {
    case AutoplayTick::Played:
        break;
    case AutoplayTick::DealNext:
        EnterTableForDeal();
        PressActionButton(*match_, decks_);
        ShowDealNumber();
        table_->RedrawAll();
        break;
    case AutoplayTick::SeriesEnd:
        if (world_->RatedPlay()) { // the session is over: the next one starts from the menu
            RecordAndExitToMenu();
            QTimer::singleShot(0, this, &MainWindow::RatedAutoplaySession);
            break;
        }
        [[fallthrough]]; // a local cycle closed: autoplay ends with it
    case AutoplayTick::Finished:
        std::printf("autoplay: %d games, fools %d %d %d\n", autoplay_.Played(), game_.FoolCount[1],
                    game_.FoolCount[2], game_.FoolCount[3]);
        RecordAndExitToMenu();
        close();
        break;
    }
}

void MainWindow::OnAction() {
    if (stepRunning_ || NetworkBusy()) return;
    StepGuard guard(stepRunning_, *table_);
    if (settings_.SaluteButtons) PlaySalute(resources_.packages);
    bool nextGame = game_.GameOver;
    if (nextGame) EnterTableForDeal();
    PressActionButton(*match_, decks_);
    if (nextGame && networkSeries_) netSession_.SendDeal(game_); // "We play still!" on the server
    if (nextGame) ShowDealNumber();
    if (nextGame) table_->RedrawAll();
}

void MainWindow::OnOwnCard(int slot, bool rightButton) {
    if (stepRunning_ || (NetworkBusy() && !rightButton)) return;
    StepGuard guard(stepRunning_, *table_);
    const int before = game_.KolCards[3];
    ClickOwnCard(*match_, slot, rightButton);
    // The card salute celebrates a card that was taken from the hand and played.
    if (!rightButton && settings_.SaluteCards && game_.KolCards[3] < before) PlaySalute(resources_.packages);
}

void MainWindow::OnHover(int slot) {
    table_->ShowCursor(slot && OwnCardAccepted(game_, slot) ? CursorRole::Hand : CursorRole::Arrow);
}

bool MainWindow::SaveSettingsNow() {
    DeleteSongFile(song_->Path()); // the song file lives only while the program runs
    return SaveSettingsFile();
}

bool MainWindow::SaveSettingsFile() {
    WindowMessages messages(this, settings_.Language, options_.autoplayGames == 0);
    return SaveSettings(options_.data.File(kSettingsFileName), settings_, messages, recordsFailed_) !=
           SaveOutcome::Failed;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!menuShown_ && stack_->currentWidget() == table_ && table_->TableShown() &&
        options_.autoplayGames == 0) {
        table_->PlaySound("WOpenFo");
        auto answer = QMessageBox::question(this, Tr(txt::ProductName),
                                            Tr(txt::ExitQuestion, 1) + " " + Tr(txt::DataWillBeLost));
        if (answer != QMessageBox::Yes) {
            event->ignore();
            return;
        }
        // Leaving a series costs the slot.
        if (!practice_) ReportRecordsWrite(RemoveMember(ActiveRecordsFile(), series_.slot, writes_));
    }
    EndNetwork();
    gameTimer_.stop();
    recording_->FinishRecording();
    recording_->WaitForFiles();
    songPlayer_->Close();
    media_->Close();
    SaveSettingsNow();
    event->accept();
}

} // namespace tarvo
