#include "table/OptionsDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QScreen>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include "media/Sound.h"
#include "packages/Package.h"
#include "table/CardsButton.h"
#include "table/Cursors.h"
#include "table/Fonts.h"
#include "table/GifAnimation.h"
#include "table/PassportWindow.h"
#include "table/Salute.h"
#include "table/SpeedDialog.h"

namespace tarvo {

namespace {

// The tab the dialog showed when it last closed; lives for the run only.
int rememberedTab = 0;

} // namespace

TFormOptions::TFormOptions(Settings& settings, OptionsHooks& hooks, WindowResources& resources,
                           QWidget* parent, QSize screen)
    : QDialog(parent), settings_(settings), hooks_(hooks), resources_(resources), screen_(screen) {
    if (screen_.isEmpty() && QGuiApplication::primaryScreen())
        screen_ = QGuiApplication::primaryScreen()->size();
    programFolder_ = resources_.packages.Folders().programFolder;
    webServer_ = hooks_.PackageServer();

    pages = new QTabWidget(this);
    // Nine tabs side by side in every language: snug tabs (FitTabs), no scrolling.
    pages->setUsesScrollButtons(false);
    const OptionsContext context{settings_, hooks_, resources_};
    AddPage(general_ = new GeneralTab(context, screen_));
    AddPage(faces_ = new CardFacesTab(context));
    AddPage(backs_ = new CardBacksTab(context));
    AddPage(rules_ = new GameRulesTab(context));
    AddPage(fonts_ = new FontsTab(context));
    AddPage(background_ = new BackgroundTab(context));
    AddPage(saveGames_ = new SaveGamesTab(context));
    AddPage(packages_ = new PackagesTab(context));
    AddPage(design_ = new DesignTab(context));
    connect(general_, &GeneralTab::languageChosen, this, &TFormOptions::LanguageChosen);
    connect(general_, &GeneralTab::windowSizeChosen, this, &TFormOptions::WindowSizeChosen);
    connect(general_, &GeneralTab::menuAnimationSwitched, this, &TFormOptions::MenuAnimationSwitched);
    connect(general_, &GeneralTab::cursorSwitched, this, &TFormOptions::ApplyCursors);
    connect(general_, &GeneralTab::buttonStyleChanged, this, &TFormOptions::ApplyButtonStyle);
    connect(general_, &GeneralTab::speedRequested, this, &TFormOptions::ShowSpeedDialog);
    connect(general_, &GeneralTab::passportRequested, this, [this] {
        RecordsWindowOptions options;
        options.language = settings_.Language;
        options.fonts = resources_.fonts;
        options.soundOn = settings_.SoundOn;
        options.sound = &resources_.sound;
        options.ownCursor = settings_.OwnCursor;
        options.salute = SaluteCallback(settings_.SaluteButtons, resources_.packages);
        ShowPassport(settings_, options, this);
    });
    connect(design_, &DesignTab::menuOrTableDesignChanged, background_, &BackgroundTab::FollowDesigns);
    connect(design_, &DesignTab::windowDesignChosen, this, [this] {
        LoadDesignPictures();
        ApplyDialogDesign();
    });

    flagLabel = new QLabel(this);
    flagLabel->setAlignment(Qt::AlignCenter);
    headerLabel = new QLabel(this);
    animation = new TGifAnimation(this);
    animation->Load(QStringLiteral("GOpt"));
    animation->SetLoop(true);
    okButton = new TQobCardsButton(QStringLiteral("Ok"), this);
    okButton->setAutoDefault(true);
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, [this] {
        Salute();
        accept();
    });
    iconTimer = new QTimer(this);
    iconTimer->setInterval(60);
    connect(iconTimer, &QTimer::timeout, this, [this] {
        iconFrame_ = (iconFrame_ + 1) % 10;
        update(QRect(35, 22, 48, 48));
    });
    for (QWidget* control : findChildren<QWidget*>()) {
        if (qobject_cast<QAbstractButton*>(control) || qobject_cast<QComboBox*>(control) ||
            qobject_cast<QTabBar*>(control)) {
            auto* keeper = new CursorKeeper(control);
            cursors_.push_back(keeper);
        }
    }

    LoadDesignPictures();
    for (OptionsPage* page : pages_) page->Fill();
    // The size's own checks run at opening too (without laying the window out again): a face set
    // or back the size cannot show falls back, and recording switches off away from the smallest.
    WindowSizeChosen();
    RefreshDownloadButtons();
    ApplyLanguage();
    ApplyDialogDesign();
    ApplyCursors();
    // The animation runs with the menu animations; switched off it stands on its still frame.
    if (settings_.GifAnimation)
        animation->Start();
    else
        animation->ShowFrame(34);
    connect(pages, &QTabWidget::currentChanged, this, &TFormOptions::TabShown);
    pages->setCurrentIndex(std::clamp(rememberedTab, 0, pages->count() - 1));
    TabShown(pages->currentIndex());
}

void TFormOptions::AddPage(OptionsPage* page) {
    pages_.push_back(page);
    pages->addTab(page, QString());
    connect(page, &OptionsPage::downloadRequested, this, &TFormOptions::Download);
}

QString TFormOptions::T(TextTable table, int row) const {
    return FromUtf8(Text(table, row, settings_.Language));
}

std::vector<DownloadButton> TFormOptions::DownloadButtons() const {
    std::vector<DownloadButton> all;
    for (const OptionsPage* page : pages_)
        all.insert(all.end(), page->DownloadButtons().begin(), page->DownloadButtons().end());
    return all;
}

void TFormOptions::LanguageChosen() {
    ApplyLanguage();
    LoadDesignPictures();
    ApplyDialogDesign();
    hooks_.LanguageChanged();
}

// A new window size loads the faces and backs at the new scale; only the smallest records games.
void TFormOptions::WindowSizeChosen() {
    static const std::array<QString, 5> hints = {QStringLiteral("760 x 500"), QString(),
                                                 QStringLiteral("990 x 650"), QStringLiteral("1290 x 850"),
                                                 QStringLiteral("1520 x 1000")};
    setToolTip(hints[std::clamp(settings_.WindowSize, 1, 5) - 1]);
    faces_->ChooseFaces(settings_.CardFaces);
    backs_->ChooseBack(settings_.CardBack);
    saveGames_->FollowWindowSize();
}

void TFormOptions::MenuAnimationSwitched(bool on) {
    if (on) {
        animation->ShowFrame(0);
        animation->Start();
    } else {
        animation->Stop();
        animation->ShowFrame(34);
    }
}

void TFormOptions::ShowSpeedDialog() {
    SpeedDialogOptions options;
    static constexpr std::array<int, 4> variants = {2, 1, 3, 2};
    options.graphicDesign = DesignItem() == 4;
    options.headerVariant = variants[static_cast<std::size_t>(DesignItem() - 1)];
    options.salute = SaluteCallback(settings_.SaluteButtons, resources_.packages);
    options.packages = &resources_.packages;
    options.caption = T(txt::ChoiceOfSpeed);
    options.prompt = T(txt::SelectFlightSpeed);
    options.speedWord = T(txt::Speed);
    options.languageCode = FromUtf8(Languages()[settings_.Language].resourceCode).toUpper();
    options.fonts = resources_.fonts;
    if (!tarvo::ShowSpeedDialog(settings_.Speed, options, this)) SetWindowDesign(settings_, 1);
    ApplyLanguage();
}

void TFormOptions::ApplyLanguage() {
    setWindowTitle(T(txt::Options));
    const QStringList tabs = {T(txt::TabGeneral), T(txt::Cards),         T(txt::Decks),
                              T(txt::Game),       T(txt::Fonts),         T(txt::TabBackground),
                              T(txt::SaveGames),  QStringLiteral("DLL"), T(txt::TabDesign)};
    for (int i = 0; i < pages->count(); ++i) pages->setTabText(i, tabs[i]);
    for (OptionsPage* page : pages_) page->ApplyLanguage();
    for (const auto& [button, package] : DownloadButtons())
        button->setToolTip(T(txt::Download) + QLatin1Char('\n') +
                           OptionalPackages()[static_cast<std::size_t>(package)]);

    // Chinese, Japanese and Korean need their own glyph shapes.
    const QString cjk = CjkFamily(settings_.Language);
    QFont font = QApplication::font();
    if (!cjk.isEmpty()) font.setFamilies({font.family(), cjk});
    setFont(font);
    DrawFlag();
}

void TFormOptions::RefreshDownloadButtons() {
    const QString shipped = resources_.packages.Folders().shippedFolder;
    auto present = [&](const QString& fileName) { return PackagePresent(fileName, programFolder_, shipped); };
    for (const auto& [button, package] : DownloadButtons())
        button->setEnabled(!present(OptionalPackages()[static_cast<std::size_t>(package)]));
    for (OptionsPage* page : pages_) page->PackagesChanged(present);
}

bool TFormOptions::Download(int package) {
    Salute();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString parent = QDir(programFolder_).filePath(QStringLiteral(".."));
    const bool ok =
        DownloadPackage(webServer_, OptionalPackages()[static_cast<std::size_t>(package)], parent);
    resources_.sound.PlayGameSound(ok ? "WToMenK" : "WWrongs", settings_.SoundOn);
    QApplication::restoreOverrideCursor();
    RefreshDownloadButtons();
    hooks_.RadioCheck();
    return ok;
}

void TFormOptions::TabShown(int index) {
    if (index < 0 || index >= static_cast<int>(pages_.size())) return;
    OptionsPage* page = pages_[static_cast<std::size_t>(index)];
    if (!page->DownloadButtons().empty()) RefreshDownloadButtons();
    page->Shown();
}

namespace {
// Where the parts of the dialog sit in each window design (item 1..4): the client height, the top
// of the page control and of the "Ok" button. The header above the page control differs in height.
struct DesignPlaces {
    int height, pageTop, okTop;
};
constexpr std::array<DesignPlaces, 4> kDesignPlaces = {
    {{375, 70, 332}, {360, 57, 317}, {410, 100, 367}, {400, 120, 355}}};
// Nine tabs in ten languages need a wide page control; the animation and the flag stand beside it.
constexpr int kPageWidth = 560, kSideLeft = 570, kSideWidth = 90, kClientWidth = kSideLeft + kSideWidth + 5;
const QColor kDesignText{0xFF, 0xE4, 0x9A};
const QColor kDesignPanel{0x2E, 0x14, 0x40};
} // namespace

int TFormOptions::DesignItem() const {
    const int item = std::clamp(WindowDesign(settings_), 1, 4);
    return item == 4 && designBackground_.isNull() ? 1 : item;
}

void TFormOptions::LoadDesignPictures() {
    designBackground_ = designHeader_ = designIcon_ = QImage();
    const auto package = resources_.packages.Open(GraphicsPackage);
    if (package) {
        const QString code = FromUtf8(Languages()[settings_.Language].resourceCode).toUpper();
        designBackground_ = package->ReadPicture(Jpeg, QStringLiteral("GFormOpt"));
        designHeader_ = package->ReadPicture(RcData, QStringLiteral("GFormOpt") + code);
        designIcon_ = package->ReadPicture(RcData, QStringLiteral("GIcon48Opt"));
    }
    // Without its background the graphic design cannot be drawn: the first design takes over.
    if (designBackground_.isNull() && WindowDesign(settings_) == 4) SetWindowDesign(settings_, 1);
}

// The widest language's captions do not fit the page with the usual padding: the tabs narrow
// until the last one ends on the page instead of being cut off.
void TFormOptions::FitTabs() {
    for (int padding = 5; padding >= 1; --padding) {
        pages->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px %1px; }").arg(padding));
        if (pages->tabBar()->sizeHint().width() <= kPageWidth) break;
    }
}

void TFormOptions::ApplyDialogDesign() {
    const int item = DesignItem();
    const DesignPlaces& at = kDesignPlaces[item - 1];
    const bool graphic = item == 4;
    setFixedSize(kClientWidth, at.height);
    pages->setGeometry(5, at.pageTop, kPageWidth, at.okTop - 6 - at.pageTop);
    FitTabs();
    flagLabel->setGeometry(kSideLeft + (kSideWidth - 40) / 2, at.pageTop + 24, 40, 27);
    animation->setGeometry(kSideLeft, graphic ? 210 : at.pageTop + 70, kSideWidth, 120);
    okButton->setGeometry(kClientWidth - 5 - 150, at.okTop, 150, at.height - at.okTop - 5);

    QPalette pal = QApplication::palette();
    if (graphic) {
        pal.setColor(QPalette::Window, kDesignPanel);
        pal.setColor(QPalette::WindowText, kDesignText);
        pal.setColor(QPalette::Button, kDesignPanel.lighter(150));
        pal.setColor(QPalette::ButtonText, kDesignText);
    }
    pages->setPalette(pal);
    headerLabel->setVisible(!graphic);
    if (!graphic) {
        // Items 1, 2 and 3 are the header variants 2, 1 and 3 of the plain design.
        static constexpr std::array<int, 3> variants = {2, 1, 3};
        const QImage header =
            DialogHeader(variants[item - 1], T(txt::Options), QImage(), designHeader_, resources_.fonts);
        headerLabel->setGeometry((kClientWidth - header.width()) / 2, 3, header.width(), header.height());
        headerLabel->setPixmap(QPixmap::fromImage(header));
    }
    if (graphic && !designIcon_.isNull())
        iconTimer->start();
    else
        iconTimer->stop();
    ApplyButtonStyle();
    DrawFlag();
    update();
}

void TFormOptions::ApplyButtonStyle() {
    const bool graphic = DesignItem() == 4;
    const FontSettings& fonts = resources_.fonts;
    okButton->setFont(RoleFont(FontRole::Decor, RoleHeight(20, FontRole::Decor, fonts), true, fonts));
    for (TQobCardsButton* button : findChildren<TQobCardsButton*>()) {
        button->SetNata(settings_.NewButtons);
        if (graphic) {
            button->SetColorSB(TQobCardsButton::Scheme::DCards);
            button->SetTextColour(kDesignText);
            button->SetColorMouse(Qt::white);
        } else {
            button->SetColorSB(TQobCardsButton::Scheme::DRed);
            button->SetTextColour(Qt::white);
            button->SetColorMouse(Qt::yellow);
        }
    }
}

void TFormOptions::ApplyCursors() {
    for (CursorKeeper* keeper : cursors_) {
        keeper->SetOwn(settings_.OwnCursor);
        keeper->Show(CursorRole::Hand);
    }
}

void TFormOptions::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (DesignItem() != 4) {
        p.fillRect(rect(), palette().color(QPalette::Button));
        return;
    }
    p.fillRect(rect(), Qt::black);
    p.drawImage(rect(), designBackground_);
    if (!designHeader_.isNull()) p.drawImage((width() - designHeader_.width()) / 2, 5, designHeader_);
    // One 48 x 48 frame of the icon strip, or the whole icon when it has a single frame.
    if (!designIcon_.isNull()) {
        const int frames = std::max(1, designIcon_.width() / 48);
        p.drawImage(QPoint(35, 22), designIcon_, QRect((iconFrame_ % frames) * 48, 0, 48, 48));
    }
}

void TFormOptions::DrawFlag() {
    // On the graphic design the flag lies over the background picture, otherwise over the
    // button face.
    flagLabel->setAutoFillBackground(DesignItem() != 4);
    const QImage flag = ReadProgramPicture(FromUtf8(Languages()[settings_.Language].flag));
    flagLabel->setPixmap(flag.isNull()
                             ? QPixmap()
                             : QPixmap::fromImage(flag).scaled(flagLabel->size(), Qt::KeepAspectRatio,
                                                               Qt::SmoothTransformation));
}

void TFormOptions::Salute() {
    if (settings_.SaluteButtons) PlaySalute(resources_.packages);
}

void TFormOptions::done(int result) {
    animation->Stop();
    rememberedTab = pages->currentIndex();
    QDialog::done(result);
}

void ShowOptions(Settings& settings, OptionsHooks& hooks, WindowResources& resources, QWidget* parent) {
    resources.sound.PlayGameSound("WOpenFo", settings.SoundOn);
    if (settings.SaluteButtons) PlaySalute(resources.packages);
    TFormOptions dialog(settings, hooks, resources, parent);
    dialog.exec();
}

int RememberedOptionsTab() {
    return rememberedTab;
}

} // namespace tarvo
