#include "table/OptionsDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFontComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPainter>
#include <QRadioButton>
#include <QSaveFile>
#include <QScreen>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include "core/Card.h"
#include "media/Sound.h"
#include "packages/Package.h"
#include "table/CardDrawing.h"
#include "table/CardsButton.h"
#include "table/Cursors.h"
#include "table/Fonts.h"
#include "table/GifAnimation.h"
#include "table/MessageWindow.h"
#include "table/Salute.h"
#include "table/SpeedDialog.h"

namespace tarvo {

namespace {

// The tab the dialog showed when it last closed; lives for the run only.
int rememberedTab = 0;

constexpr int kTabCount = 9;

// The loaders report missing packages; the dialog's fall-backs are silent.
class SilentMessages : public PictureMessages {
  public:
    void CantFindFile(const QString&) override {}
    void BadPicture(const QString&, const QString&) override {}
};

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The flag beside a face set: the language the deck comes from.
int FaceSetFlag(int faceSet) {
    if (faceSet <= 28) return English;
    if (faceSet <= 31) return German;
    if (faceSet <= 39) return Russian;
    if (faceSet == 40) return French;
    if (faceSet <= 44) return Spanish;
    if (faceSet == 45) return Chinese;
    if (faceSet == 46) return Italian;
    return Czech;
}

QIcon FlagIcon(int language) {
    const QImage flag = ReadProgramPicture(FromUtf8(Languages()[language].flag));
    if (flag.isNull()) return {};
    return QIcon(QPixmap::fromImage(flag));
}

std::string* FontName(Settings& s, int role) {
    switch (role) {
    case 0:
        return &s.FontLarge;
    case 1:
        return &s.FontSmall;
    case 2:
        return &s.FontSpecial1;
    default:
        return &s.FontSpecial2;
    }
}

int* FontScale(Settings& s, int role) {
    switch (role) {
    case 0:
        return &s.ScaleLarge;
    case 1:
        return &s.ScaleSmall;
    case 2:
        return &s.ScaleSpecial1;
    default:
        return &s.ScaleSpecial2;
    }
}

void SetChecked(QCheckBox* box, bool on) {
    const QSignalBlocker block(box);
    box->setChecked(on);
}

void SetIndex(QComboBox* box, int index) {
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

// Blank items for a list whose texts come with the language; filling is not a choice.
void AddBlankItems(QComboBox* box, int count) {
    const QSignalBlocker block(box);
    for (int i = 0; i < count; ++i) box->addItem(QString());
}

// Refills a list's texts in place, keeping its selection and icons.
void SetItems(QComboBox* box, const QStringList& items) {
    const QSignalBlocker block(box);
    const int current = box->currentIndex();
    for (int i = 0; i < items.size(); ++i) {
        if (i < box->count())
            box->setItemText(i, items[i]);
        else
            box->addItem(items[i]);
    }
    box->setCurrentIndex(current);
}

} // namespace

const std::array<QString, 9>& DownloadPackages() {
    static const std::array<QString, 9> packages = {
        CardsPackageA,
        CardsPackageB,
        BackgroundPackage,
        QStringLiteral("QobCalendar01.dll"),
        QStringLiteral("QobRadio.rad"),
        QStringLiteral("QobRadio02.dll"),
        QStringLiteral("QobCVoice3.dll"),
        CardsPackageC,
        GraphicsPackage,
    };
    return packages;
}

bool PackagePresent(const QString& fileName, const QString& programFolder, const QString& shippedFolder) {
    const QDir folder(programFolder);
    return QFileInfo::exists(folder.filePath(fileName)) ||
           QFileInfo::exists(folder.filePath(QStringLiteral("../") + fileName)) ||
           (!shippedFolder.isEmpty() && QFileInfo::exists(QDir(shippedFolder).filePath(fileName)));
}

bool DownloadPackage(const QString& server, const QString& fileName, const QString& folder, int timeoutMs) {
    QNetworkAccessManager manager;
    QNetworkRequest request(QUrl(server + QLatin1String(kPackageDownloadPath) + fileName));
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    // The body goes to a temporary file that replaces the target only when complete, so a broken
    // download never leaves half a package where the loaders would find it.
    QSaveFile file(QDir(folder).filePath(fileName));
    if (!file.open(QIODevice::WriteOnly)) return false;
    QNetworkReply* reply = manager.get(request);
    bool writeFailed = false;
    QObject::connect(reply, &QNetworkReply::readyRead, [&] {
        if (file.write(reply->readAll()) < 0) writeFailed = true;
    });
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, [reply] { reply->abort(); });
    if (!reply->isFinished()) loop.exec();
    if (file.write(reply->readAll()) < 0) writeFailed = true;
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const bool ok = reply->error() == QNetworkReply::NoError && status == 200 && !writeFailed;
    reply->deleteLater();
    if (!ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

int OfferedWindowSizes(QSize screen) {
    static constexpr std::array<QSize, 3> needs = {QSize(990, 670), QSize(1290, 870), QSize(1520, 1020)};
    int count = 2;
    for (const QSize& need : needs) {
        if (screen.width() < need.width() || screen.height() < need.height()) break;
        ++count;
    }
    return count;
}

TFormOptions::TFormOptions(Settings& settings, OptionsHooks& hooks, QWidget* parent, QSize screen)
    : QDialog(parent), settings_(settings), hooks_(hooks), screen_(screen) {
    if (screen_.isEmpty() && QGuiApplication::primaryScreen())
        screen_ = QGuiApplication::primaryScreen()->size();
    programFolder_ = CurrentPackageFolders().programFolder;
    webServer_ = QString::fromLatin1(kDefaultProgramWebServer);

    PageControl1 = new QTabWidget(this);
    // Nine tabs side by side in every language: snug tabs, no scrolling.
    PageControl1->setUsesScrollButtons(false);
    PageControl1->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 4px 5px; }"));
    PageControl1->addTab(BuildGeneral(), QString());
    PageControl1->addTab(BuildCards(), QString());
    PageControl1->addTab(BuildDecks(), QString());
    PageControl1->addTab(BuildGame(), QString());
    PageControl1->addTab(BuildFonts(), QString());
    PageControl1->addTab(BuildBackground(), QString());
    PageControl1->addTab(BuildSaveGames(), QString());
    PageControl1->addTab(BuildDll(), QString());
    PageControl1->addTab(BuildDesign(), QString());

    ImFlag = new QLabel(this);
    ImFlag->setAlignment(Qt::AlignCenter);
    Image0 = new QLabel(this);
    RxGIFAn1 = new TGifAnimation(this);
    RxGIFAn1->Load(QStringLiteral("GOpt"));
    RxGIFAn1->SetLoop(true);
    Button1 = new TQobCardsButton(QStringLiteral("Ok"), this);
    Button1->setAutoDefault(true);
    Button1->setDefault(true);
    connect(Button1, &QPushButton::clicked, this, [this] {
        Salute();
        accept();
    });
    IconTimer = new QTimer(this);
    IconTimer->setInterval(60);
    connect(IconTimer, &QTimer::timeout, this, [this] {
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
    Fill();
    ApplyLanguage();
    ApplyDialogDesign();
    ApplyCursors();
    // The animation runs with the menu animations; switched off it stands on its still frame.
    if (settings_.GifAnimation)
        RxGIFAn1->Start();
    else
        RxGIFAn1->ShowFrame(34);
    connect(PageControl1, &QTabWidget::currentChanged, this, &TFormOptions::TabShown);
    PageControl1->setCurrentIndex(std::clamp(rememberedTab, 0, kTabCount - 1));
    TabShown(PageControl1->currentIndex());
}

QString TFormOptions::T(TextTable table, int row) const {
    return FromUtf8(Text(table, row, settings_.Language));
}

TQobCardsButton* TFormOptions::AddDownloadButton(const QString& caption, int package, QWidget* page) {
    auto* button = new TQobCardsButton(caption, page);
    button->SetKLightSB(50);
    button->SetGrayDis(true);
    button->setToolTipDuration(5000); // the download hint shows for five seconds at most
    DownloadButtons.push_back({button, package});
    connect(button, &QPushButton::clicked, this, [this, package] { Download(package); });
    return button;
}

QWidget* TFormOptions::BuildGeneral() {
    auto* page = new QWidget;
    ComboBoxLan = new QComboBox(page);
    for (int i = 0; i < kLanguageCount; ++i) ComboBoxLan->addItem(FlagIcon(i), FromUtf8(Languages()[i].name));
    ComboBoxWSize = new QComboBox(page);
    CheckBoxNet = new QCheckBox(page);
    GroupBox1 = new QGroupBox(page);
    CheckBox1 = new QCheckBox(GroupBox1);
    CheckBox2 = new QCheckBox(GroupBox1);
    CheckBox3 = new QCheckBox(GroupBox1);
    CheckBox4 = new QCheckBox(GroupBox1);
    CheckBoxCur = new QCheckBox(GroupBox1);
    CheckBoxBut = new QCheckBox(GroupBox1);
    auto* multimedia = new QGridLayout(GroupBox1);
    multimedia->addWidget(CheckBox1, 0, 0);
    multimedia->addWidget(CheckBox2, 1, 0);
    multimedia->addWidget(CheckBox3, 2, 0);
    multimedia->addWidget(CheckBox4, 0, 1);
    multimedia->addWidget(CheckBoxCur, 1, 1);
    multimedia->addWidget(CheckBoxBut, 2, 1);
    Button3 = new TQobCardsButton(page);
    Button4 = new TQobCardsButton(page);
    // The passport window comes with the online accounts; until then the button stays off.
    Button4->setEnabled(false);

    auto* lists = new QHBoxLayout;
    lists->addWidget(ComboBoxLan, 1);
    lists->addWidget(ComboBoxWSize, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(CheckBoxNet);
    buttons->addStretch();
    buttons->addWidget(Button3);
    buttons->addWidget(Button4);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(lists);
    layout->addWidget(GroupBox1);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(ComboBoxLan, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        settings_.Language = index;
        ApplyLanguage();
        LoadDesignPictures();
        ApplyDialogDesign();
        hooks_.LanguageChanged();
    });
    connect(ComboBoxWSize, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) SetWindowSize(index + 1, true);
    });
    connect(CheckBoxNet, &QCheckBox::toggled, this, [this](bool on) {
        settings_.NetGame = on;
        hooks_.NetGameChanged();
    });
    connect(CheckBox1, &QCheckBox::toggled, this, [this](bool on) {
        settings_.SoundOn = on;
        hooks_.SoundSwitched();
    });
    connect(CheckBox2, &QCheckBox::toggled, this, [this](bool on) {
        settings_.MusicOn = on;
        hooks_.MusicSwitched();
    });
    connect(CheckBox3, &QCheckBox::toggled, this, [this](bool on) {
        // During a game the animations are not ours to switch: the click changes nothing.
        if (!hooks_.MenuShowing()) {
            SetChecked(CheckBox3, settings_.GifAnimation);
            return;
        }
        settings_.GifAnimation = on;
        if (on) {
            RxGIFAn1->ShowFrame(0);
            RxGIFAn1->Start();
        } else {
            RxGIFAn1->Stop();
            RxGIFAn1->ShowFrame(34);
        }
        hooks_.GifAnimationSwitched();
    });
    connect(CheckBox4, &QCheckBox::toggled, this, [this](bool on) { settings_.FlyCards = on; });
    connect(CheckBoxCur, &QCheckBox::toggled, this, [this](bool on) {
        settings_.OwnCursor = on;
        hooks_.CursorSwitched();
        ApplyCursors();
    });
    connect(CheckBoxBut, &QCheckBox::toggled, this, [this](bool on) {
        settings_.NewButtons = on;
        hooks_.ButtonStyleChanged();
        ApplyButtonStyle();
    });
    connect(Button3, &QPushButton::clicked, this, [this] {
        Salute();
        SpeedDialogOptions options;
        static constexpr std::array<int, 4> variants = {2, 1, 3, 2};
        options.graphicDesign = DesignItem() == 4;
        options.headerVariant = variants[DesignItem() - 1];
        options.salute = SaluteCallback(settings_.SaluteButtons);
        options.caption = T(txt::ChoiceOfSpeed);
        options.prompt = T(txt::SelectFlightSpeed);
        options.speedWord = T(txt::Speed);
        options.languageCode = FromUtf8(Languages()[settings_.Language].resourceCode).toUpper();
        options.fonts = CurrentFontSettings();
        if (!ShowSpeedDialog(settings_.Speed, options, this)) SetWindowDesign(settings_, 1);
        ApplyLanguage();
    });
    return page;
}

QWidget* TFormOptions::BuildCards() {
    auto* page = new QWidget;
    ComboBox1 = new QComboBox(page);
    ComboBox1->setMaxVisibleItems(18);
    for (int i = 0; i < 48; ++i) ComboBox1->addItem(FlagIcon(FaceSetFlag(i)), QString());
    Image1 = new QLabel(page);
    Image1->setFixedSize(189 + 71, 96);
    auto* downloads = new QHBoxLayout;
    downloads->addWidget(AddDownloadButton(QStringLiteral("06A"), 0, page));
    downloads->addWidget(AddDownloadButton(QStringLiteral("06B"), 1, page));
    downloads->addWidget(AddDownloadButton(QStringLiteral("06C"), 7, page));
    downloads->addStretch();
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(ComboBox1);
    layout->addWidget(Image1);
    layout->addLayout(downloads);
    layout->addStretch();
    connect(ComboBox1, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) SetFaces(index);
    });
    return page;
}

QWidget* TFormOptions::BuildDecks() {
    auto* page = new QWidget;
    ComboBox2 = new QComboBox(page);
    ComboBox2->setMaxVisibleItems(13);
    RadioGroup2 = new QGroupBox(page);
    auto* modes = new QVBoxLayout(RadioGroup2);
    for (auto& mode : BackModes) {
        mode = new QRadioButton(RadioGroup2);
        modes->addWidget(mode);
    }
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(ComboBox2);
    layout->addWidget(RadioGroup2);
    auto* downloads = new QHBoxLayout;
    downloads->addWidget(AddDownloadButton(QStringLiteral("QobCards06B"), 1, page));
    downloads->addStretch();
    layout->addLayout(downloads);
    layout->addStretch();
    connect(ComboBox2, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) SetBack(index);
    });
    for (int i = 0; i < 3; ++i) {
        connect(BackModes[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on || filling_) return;
            settings_.OneBack = i == 1;
            hooks_.CardBacksChanged();
        });
    }
    return page;
}

QWidget* TFormOptions::BuildGame() {
    auto* page = new QWidget;
    RadioGroup3 = new QGroupBox(page);
    auto* moves = new QVBoxLayout(RadioGroup3);
    for (int i = 0; i < 2; ++i) {
        FirstMoves[i] = new QRadioButton(RadioGroup3);
        moves->addWidget(FirstMoves[i]);
        connect(FirstMoves[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !filling_) settings_.FirstMove = i;
        });
    }
    GroupBox2 = new QGroupBox(page);
    CheckBox5 = new QCheckBox(GroupBox2);
    CheckBox6 = new QCheckBox(GroupBox2);
    auto* minor = new QVBoxLayout(GroupBox2);
    minor->addWidget(CheckBox5);
    minor->addWidget(CheckBox6);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(RadioGroup3);
    layout->addWidget(GroupBox2);
    layout->addStretch();
    connect(CheckBox5, &QCheckBox::toggled, this, [this](bool on) { settings_.NoFiveOfSuit = on; });
    connect(CheckBox6, &QCheckBox::toggled, this, [this](bool on) { settings_.FirstBoutFive = on; });
    return page;
}

QWidget* TFormOptions::BuildFonts() {
    auto* page = new QWidget;
    ComboBoxFont = new QComboBox(page);
    FontComboBox1 = new QFontComboBox(page);
    FontComboBox1->setEditable(true);
    LabelScale = new QLabel(page);
    SpinEdit1 = new QSpinBox(page);
    // Typing passes through numbers outside 50..150; those are ignored until back in range.
    SpinEdit1->setRange(1, 999);
    Button2 = new TQobCardsButton(page);
    Label1 = new QLabel(page);
    Label1->setWordWrap(true);
    auto* grid = new QGridLayout;
    grid->addWidget(ComboBoxFont, 0, 0);
    grid->addWidget(FontComboBox1, 0, 1);
    grid->addWidget(LabelScale, 1, 0, Qt::AlignRight);
    grid->addWidget(SpinEdit1, 1, 1, Qt::AlignLeft);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    auto* reset = new QHBoxLayout;
    reset->addWidget(Button2);
    reset->addStretch();
    layout->addLayout(reset);
    layout->addWidget(Label1);
    layout->addStretch();
    connect(ComboBoxFont, &QComboBox::currentIndexChanged, this, [this] { ShowFontRole(); });
    connect(FontComboBox1, &QComboBox::currentTextChanged, this, [this](const QString& family) {
        if (filling_ || family.isEmpty()) return;
        *FontName(settings_, std::max(0, ComboBoxFont->currentIndex())) = family.toStdString();
        FontsChanged();
    });
    connect(SpinEdit1, &QSpinBox::valueChanged, this, [this](int value) {
        if (filling_ || value < 50 || value > 150) return;
        *FontScale(settings_, std::max(0, ComboBoxFont->currentIndex())) = value;
        FontsChanged();
    });
    connect(Button2, &QPushButton::clicked, this, [this] {
        Salute();
        settings_.FontLarge = settings_.FontSmall = "Comic Sans MS";
        settings_.FontSpecial1 = "FixedSys";
        settings_.FontSpecial2 = "Courier New";
        settings_.ScaleLarge = settings_.ScaleSmall = settings_.ScaleSpecial1 = settings_.ScaleSpecial2 = 100;
        FontsChanged();
        ShowFontRole();
    });
    return page;
}

QWidget* TFormOptions::BuildBackground() {
    auto* page = new QWidget;
    GroupBoxBG = new QGroupBox(page);
    ComboBoxBG1 = new QComboBox(GroupBoxBG);
    ComboBoxBG2 = new QComboBox(GroupBoxBG);
    auto* lists = new QVBoxLayout(GroupBoxBG);
    lists->addWidget(ComboBoxBG1);
    lists->addWidget(ComboBoxBG2);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(GroupBoxBG);
    auto* downloads = new QHBoxLayout;
    downloads->addWidget(AddDownloadButton(QStringLiteral("QobBackG03"), 2, page));
    downloads->addStretch();
    layout->addLayout(downloads);
    layout->addStretch();
    connect(ComboBoxBG1, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        settings_.Background = index + 1;
        SetBackground();
    });
    connect(ComboBoxBG2, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        settings_.BackgroundVariant = index;
        SetBackground();
    });
    return page;
}

QWidget* TFormOptions::BuildSaveGames() {
    auto* page = new QWidget;
    GroupBoxSG = new QGroupBox(page);
    CheckBoxSG1 = new QCheckBox(GroupBoxSG);
    ComboBoxSG1 = new QComboBox(GroupBoxSG);
    LabelSG = new QLabel(GroupBoxSG);
    SpinEditSG1 = new QSpinBox(GroupBoxSG);
    SpinEditSG1->setRange(10, 5000);
    auto* delay = new QHBoxLayout;
    delay->addWidget(LabelSG);
    delay->addWidget(SpinEditSG1);
    delay->addStretch();
    auto* inner = new QVBoxLayout(GroupBoxSG);
    inner->addWidget(CheckBoxSG1);
    inner->addWidget(ComboBoxSG1);
    inner->addLayout(delay);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(GroupBoxSG);
    layout->addStretch();
    connect(CheckBoxSG1, &QCheckBox::toggled, this, [this](bool on) {
        settings_.SaveGif = on;
        SaveGamesEnabling();
    });
    connect(ComboBoxSG1, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) settings_.GifArea = index + 1;
    });
    connect(SpinEditSG1, &QSpinBox::valueChanged, this, [this](int value) { settings_.GifDelay = value; });
    return page;
}

QWidget* TFormOptions::BuildDll() {
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    const auto& packages = DownloadPackages();
    for (int i = 0; i < 9; ++i) {
        QString caption = packages[i];
        if (caption.endsWith(QLatin1String(".dll"))) caption.chop(4);
        grid->addWidget(AddDownloadButton(caption, i, page), i / 3, i % 3);
    }
    RGRadio = new QGroupBox(page);
    auto* sources = new QVBoxLayout(RGRadio);
    for (auto& source : RadioSources) {
        source = new QRadioButton(RGRadio);
        sources->addWidget(source);
    }
    // The radio comes with its own issue; until then its list source is shown but not changed.
    RGRadio->setEnabled(false);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    layout->addWidget(RGRadio);
    layout->addStretch();
    return page;
}

QWidget* TFormOptions::BuildDesign() {
    auto* page = new QWidget;
    auto group = [page](QGroupBox*& box, QComboBox*& list) {
        box = new QGroupBox(page);
        list = new QComboBox(box);
        auto* inner = new QVBoxLayout(box);
        inner->addWidget(list);
    };
    group(GroupBoxD1, ComboBoxD1);
    group(GroupBoxD2, ComboBoxD2);
    group(GroupBoxD3, ComboBoxD3);
    GroupBoxD4 = new QGroupBox(page);
    CheckBoxD1 = new QCheckBox(GroupBoxD4);
    CheckBoxD2 = new QCheckBox(GroupBoxD4);
    auto* salute = new QHBoxLayout(GroupBoxD4);
    salute->addWidget(CheckBoxD1);
    salute->addWidget(CheckBoxD2);
    auto* grid = new QGridLayout;
    grid->addWidget(GroupBoxD1, 0, 0);
    grid->addWidget(GroupBoxD2, 0, 1);
    grid->addWidget(GroupBoxD3, 1, 0);
    grid->addWidget(GroupBoxD4, 1, 1);
    auto* layout = new QVBoxLayout(page);
    layout->addLayout(grid);
    auto* downloads = new QHBoxLayout;
    downloads->addWidget(AddDownloadButton(QStringLiteral("QobCGraph1"), 8, page));
    downloads->addStretch();
    layout->addLayout(downloads);
    layout->addStretch();

    connect(ComboBoxD1, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        settings_.MainMenuDesign = index;
        if (!hooks_.MainMenuDesignChanged()) {
            settings_.MainMenuDesign = 0;
            SetIndex(ComboBoxD1, 0);
        }
        BackgroundListsEnabling();
    });
    connect(ComboBoxD2, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        settings_.TableDesign = index;
        QImage icon;
        if (!LoadPackagePicture(QStringLiteral("GIcon48Opt"), GraphicsPackage, icon))
            DesignFallBack();
        else
            hooks_.TableDesignChanged();
        BackgroundListsEnabling();
    });
    connect(ComboBoxD3, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        SetWindowDesign(settings_, index + 1);
        if (index > 0 && FindPackage(GraphicsPackage).isEmpty()) DesignFallBack();
        LoadDesignPictures();
        ApplyDialogDesign();
    });
    connect(CheckBoxD1, &QCheckBox::toggled, this, [this](bool on) { settings_.SaluteButtons = on; });
    connect(CheckBoxD2, &QCheckBox::toggled, this, [this](bool on) { settings_.SaluteCards = on; });
    return page;
}

void TFormOptions::Fill() {
    filling_ = true;
    const int sizes = OfferedWindowSizes(screen_);
    AddBlankItems(ComboBoxWSize, sizes);
    SetIndex(ComboBoxLan, settings_.Language);
    // A stored size this screen cannot offer shows no selection.
    SetIndex(ComboBoxWSize,
             settings_.WindowSize >= 1 && settings_.WindowSize <= sizes ? settings_.WindowSize - 1 : -1);
    SetChecked(CheckBoxNet, settings_.NetGame);
    SetChecked(CheckBox1, settings_.SoundOn);
    SetChecked(CheckBox2, settings_.MusicOn);
    SetChecked(CheckBox3, settings_.GifAnimation);
    SetChecked(CheckBox4, settings_.FlyCards);
    SetChecked(CheckBoxCur, settings_.OwnCursor);
    SetChecked(CheckBoxBut, settings_.NewButtons);
    AddBlankItems(ComboBox2, 13);
    AddBlankItems(ComboBoxFont, 4);
    AddBlankItems(ComboBoxBG1, 10);
    AddBlankItems(ComboBoxBG2, 7);
    AddBlankItems(ComboBoxSG1, 2);
    AddBlankItems(ComboBoxD1, 2);
    AddBlankItems(ComboBoxD2, 2);
    AddBlankItems(ComboBoxD3, 4);
    SetIndex(ComboBox1, std::clamp(settings_.CardFaces, 0, 47));
    SetIndex(ComboBox2, std::clamp(settings_.CardBack, 0, 12));
    const bool family = settings_.CardBack >= 8 && settings_.CardBack <= 11;
    BackModes[0]->setEnabled(!family);
    BackModes[1]->setEnabled(!family);
    BackModes[2]->setEnabled(family);
    BackModes[family ? 2 : (settings_.OneBack ? 1 : 0)]->setChecked(true);
    FirstMoves[settings_.FirstMove == 1 ? 1 : 0]->setChecked(true);
    SetChecked(CheckBox5, settings_.NoFiveOfSuit);
    SetChecked(CheckBox6, settings_.FirstBoutFive);
    SetIndex(ComboBoxFont, 0);
    SetIndex(ComboBoxBG1, std::clamp(settings_.Background, 1, 10) - 1);
    SetIndex(ComboBoxBG2, std::clamp(settings_.BackgroundVariant, 0, 6));
    SetChecked(CheckBoxSG1, settings_.SaveGif);
    SetIndex(ComboBoxSG1, settings_.GifArea == 2 ? 1 : 0);
    {
        const QSignalBlocker block(SpinEditSG1);
        SpinEditSG1->setValue(settings_.GifDelay);
    }
    RadioSources[settings_.RadioListFromServer ? 0 : 1]->setChecked(true);
    SetIndex(ComboBoxD1, settings_.MainMenuDesign == 1 ? 1 : 0);
    SetIndex(ComboBoxD2, settings_.TableDesign == 1 ? 1 : 0);
    SetIndex(ComboBoxD3, std::clamp(WindowDesign(settings_), 1, 4) - 1);
    SetChecked(CheckBoxD1, settings_.SaluteButtons);
    SetChecked(CheckBoxD2, settings_.SaluteCards);
    filling_ = false;
    ShowFontRole();
    BackgroundListsEnabling();
    SaveGamesEnabling();
    RefreshDownloadButtons();
    DrawPreview();
    DrawFlag();
}

void TFormOptions::ApplyLanguage() {
    setWindowTitle(T(txt::Options));
    const QStringList tabs = {T(txt::TabGeneral), T(txt::Cards),         T(txt::Decks),
                              T(txt::Game),       T(txt::Fonts),         T(txt::TabBackground),
                              T(txt::SaveGames),  QStringLiteral("DLL"), T(txt::TabDesign)};
    for (int i = 0; i < kTabCount; ++i) PageControl1->setTabText(i, tabs[i]);

    QStringList sizes;
    for (int i = 0; i < ComboBoxWSize->count(); ++i) sizes << T(txt::WindowSizes, i);
    SetItems(ComboBoxWSize, sizes);
    CheckBoxNet->setText(T(txt::Multiplayer));
    GroupBox1->setTitle(T(txt::Multimedia));
    CheckBox1->setText(T(txt::Sound));
    CheckBox2->setText(T(txt::Music));
    CheckBox3->setText(T(txt::GifAnimationBox));
    CheckBox4->setText(T(txt::FlyCardsBox));
    CheckBoxCur->setText(T(txt::RedCursor));
    CheckBoxBut->setText(T(txt::NewButtons));
    Button3->setText(T(txt::Speed) + QLatin1Char('=') + QString::number(settings_.Speed));
    Button4->setText(T(txt::Passport));

    QStringList faces;
    for (int i = 0; i < 48; ++i) faces << T(txt::CardFaceNames, i);
    SetItems(ComboBox1, faces);
    QStringList backs;
    for (int i = 0; i < 13; ++i) backs << T(txt::CardBackNames, i);
    SetItems(ComboBox2, backs);
    RadioGroup2->setTitle(T(txt::Modification));
    for (int i = 0; i < 3; ++i) BackModes[i]->setText(T(txt::BackModes, i));

    RadioGroup3->setTitle(T(txt::FirstMove));
    for (int i = 0; i < 2; ++i) FirstMoves[i]->setText(T(txt::FirstMoveNames, i));
    GroupBox2->setTitle(T(txt::Minor));
    CheckBox5->setText(T(txt::NoFiveOfSuit));
    CheckBox6->setText(T(txt::FirstBoutFive));

    SetItems(ComboBoxFont,
             {T(txt::FontRoles, 0), T(txt::FontRoles, 1), T(txt::FontRoles, 2) + QStringLiteral(" 1"),
              T(txt::FontRoles, 2) + QStringLiteral(" 2")});
    LabelScale->setText(T(txt::ScalePercent));
    Button2->setText(T(txt::Default));
    Label1->setText(T(txt::FontsWarning));

    GroupBoxBG->setTitle(T(txt::Background));
    QStringList backgrounds;
    for (int i = 0; i < 10; ++i) backgrounds << T(txt::BackgroundNames, i);
    SetItems(ComboBoxBG1, backgrounds);
    QStringList variants;
    for (int i = 0; i < 7; ++i) variants << T(txt::BackgroundVariantNames, i);
    SetItems(ComboBoxBG2, variants);

    GroupBoxSG->setTitle(T(txt::SaveGames));
    CheckBoxSG1->setText(T(txt::SaveGamesAsGif));
    SetItems(ComboBoxSG1, {T(txt::GifAreas, 0), T(txt::GifAreas, 1)});
    LabelSG->setText(T(txt::FrameDelay));

    RGRadio->setTitle(T(txt::RadioListSource));
    for (int i = 0; i < 2; ++i) RadioSources[i]->setText(T(txt::RadioListSources, i));

    GroupBoxD1->setTitle(T(txt::MainMenuDesign));
    GroupBoxD2->setTitle(T(txt::GameTableDesign));
    GroupBoxD3->setTitle(T(txt::AuxWindowDesign));
    GroupBoxD4->setTitle(T(txt::Salute));
    SetItems(ComboBoxD1, {T(txt::DesignNames, 0), T(txt::DesignNames, 1)});
    SetItems(ComboBoxD2, {T(txt::DesignNames, 0), T(txt::DesignNames, 1)});
    QStringList windowDesigns;
    for (int i = 0; i < 4; ++i) windowDesigns << T(txt::WindowDesignNames, i);
    SetItems(ComboBoxD3, windowDesigns);
    CheckBoxD1->setText(T(txt::Buttons));
    CheckBoxD2->setText(T(txt::Cards));

    for (const auto& [button, package] : DownloadButtons)
        button->setToolTip(T(txt::Download) + QLatin1Char('\n') + DownloadPackages()[package]);

    // Chinese, Japanese and Korean need their own glyph shapes.
    const QString cjk = CjkFamily(settings_.Language);
    QFont font = QApplication::font();
    if (!cjk.isEmpty()) font.setFamilies({font.family(), cjk});
    setFont(font);
    DrawFlag();
}

void TFormOptions::RefreshDownloadButtons() {
    for (const auto& [button, package] : DownloadButtons)
        button->setEnabled(!PackagePresent(DownloadPackages()[package], programFolder_,
                                           CurrentPackageFolders().shippedFolder));
    // The salute needs the graphics package; without it the boxes are off and cleared.
    const bool graphics =
        PackagePresent(GraphicsPackage, programFolder_, CurrentPackageFolders().shippedFolder);
    CheckBoxD1->setEnabled(graphics);
    CheckBoxD2->setEnabled(graphics);
    if (!graphics) {
        CheckBoxD1->setChecked(false);
        CheckBoxD2->setChecked(false);
    }
}

bool TFormOptions::Download(int package) {
    Salute();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString parent = QDir(programFolder_).filePath(QStringLiteral(".."));
    const bool ok = DownloadPackage(webServer_, DownloadPackages()[package], parent);
    PlayGameSound(ok ? "WToMenK" : "WWrongs", settings_.SoundOn);
    QApplication::restoreOverrideCursor();
    RefreshDownloadButtons();
    hooks_.RadioCheck();
    return ok;
}

void TFormOptions::TabShown(int index) {
    if (index == 1 || index == 2 || index == 5 || index == 7 || index == 8) RefreshDownloadButtons();
    if (index == 6) SaveGamesEnabling();
}

void TFormOptions::SaveGamesEnabling() {
    // Recording needs the smallest window; the box keeps its tick either way.
    CheckBoxSG1->setEnabled(settings_.WindowSize == 1);
    ComboBoxSG1->setEnabled(settings_.SaveGif);
    LabelSG->setEnabled(settings_.SaveGif);
    SpinEditSG1->setEnabled(settings_.SaveGif);
}

void TFormOptions::BackgroundListsEnabling() {
    const bool both = settings_.MainMenuDesign == 1 && settings_.TableDesign == 1;
    ComboBoxBG1->setEnabled(!both);
    ComboBoxBG2->setEnabled(!both);
}

void TFormOptions::DesignFallBack() {
    settings_.MainMenuDesign = 0;
    settings_.TableDesign = 0;
    SetWindowDesign(settings_, 1);
    SetIndex(ComboBoxD1, 0);
    SetIndex(ComboBoxD2, 0);
    SetIndex(ComboBoxD3, 0);
    hooks_.MainMenuDesignChanged();
    hooks_.TableDesignChanged();
    MessageWindowTexts texts;
    texts.language = settings_.Language;
    texts.caption = T(txt::Attention);
    ShowMessageLines(T(txt::CantFindFile) + QLatin1Char(' ') + GraphicsPackage, QString(), QString(), texts,
                     this);
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
    const auto package = Package::Open(GraphicsPackage);
    if (package) {
        const QString code = FromUtf8(Languages()[settings_.Language].resourceCode).toUpper();
        designBackground_ = package->ReadPicture(Jpeg, QStringLiteral("GFormOpt"));
        designHeader_ = package->ReadPicture(RcData, QStringLiteral("GFormOpt") + code);
        designIcon_ = package->ReadPicture(RcData, QStringLiteral("GIcon48Opt"));
    }
    // Without its background the graphic design cannot be drawn: the first design takes over.
    if (designBackground_.isNull() && WindowDesign(settings_) == 4) SetWindowDesign(settings_, 1);
}

void TFormOptions::ApplyDialogDesign() {
    const int item = DesignItem();
    const DesignPlaces& at = kDesignPlaces[item - 1];
    const bool graphic = item == 4;
    setFixedSize(kClientWidth, at.height);
    PageControl1->setGeometry(5, at.pageTop, kPageWidth, at.okTop - 6 - at.pageTop);
    ImFlag->setGeometry(kSideLeft + (kSideWidth - 40) / 2, at.pageTop + 24, 40, 27);
    RxGIFAn1->setGeometry(kSideLeft, graphic ? 210 : at.pageTop + 70, kSideWidth, 120);
    Button1->setGeometry(kClientWidth - 5 - 150, at.okTop, 150, at.height - at.okTop - 5);

    QPalette pal = QApplication::palette();
    if (graphic) {
        pal.setColor(QPalette::Window, kDesignPanel);
        pal.setColor(QPalette::WindowText, kDesignText);
        pal.setColor(QPalette::Button, kDesignPanel.lighter(150));
        pal.setColor(QPalette::ButtonText, kDesignText);
    }
    PageControl1->setPalette(pal);
    Image0->setVisible(!graphic);
    if (!graphic) {
        // Items 1, 2 and 3 are the header variants 2, 1 and 3 of the plain design.
        static constexpr std::array<int, 3> variants = {2, 1, 3};
        const QImage header =
            DialogHeader(variants[item - 1], T(txt::Options), QImage(), designHeader_, CurrentFontSettings());
        Image0->setGeometry((kClientWidth - header.width()) / 2, 3, header.width(), header.height());
        Image0->setPixmap(QPixmap::fromImage(header));
    }
    if (graphic && !designIcon_.isNull())
        IconTimer->start();
    else
        IconTimer->stop();
    ApplyButtonStyle();
    DrawFlag();
    update();
}

void TFormOptions::ApplyButtonStyle() {
    const bool graphic = DesignItem() == 4;
    const FontSettings& fonts = CurrentFontSettings();
    Button1->setFont(RoleFont(FontRole::Decor, RoleHeight(20, FontRole::Decor, fonts), true, fonts));
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

void TFormOptions::SetWindowSize(int size, bool layOut) {
    settings_.WindowSize = size;
    static const std::array<QString, 5> hints = {QStringLiteral("760 x 500"), QString(),
                                                 QStringLiteral("990 x 650"), QStringLiteral("1290 x 850"),
                                                 QStringLiteral("1520 x 1000")};
    setToolTip(hints[std::clamp(size, 1, 5) - 1]);
    if (layOut) hooks_.WindowSizeChanged();
    SetFaces(settings_.CardFaces);
    SetBack(settings_.CardBack);
    if (size != 1) {
        settings_.SaveGif = false;
        SetChecked(CheckBoxSG1, false);
    }
    SaveGamesEnabling();
}

void TFormOptions::SetFaces(int faceSet) {
    const int before = settings_.CardFaces;
    settings_.CardFaces = faceSet;
    ImageStore store;
    CardLook look;
    look.cardFaces = faceSet;
    look.windowSize = std::clamp(settings_.WindowSize, 1, 5);
    SilentMessages silent;
    // The loader puts an unavailable set back to 0; only that is a fall-back here.
    LoadCardFaces(store, look, silent);
    if (look.cardFaces != faceSet) settings_.CardFaces = 0;
    SetIndex(ComboBox1, settings_.CardFaces);
    if (settings_.CardFaces != before) hooks_.CardFacesChanged();
    DrawPreview();
}

void TFormOptions::SetBack(int back) {
    const int before = settings_.CardBack;
    settings_.CardBack = back;
    ImageStore store;
    CardLook look;
    look.cardBack = back;
    look.windowSize = std::clamp(settings_.WindowSize, 1, 5);
    SilentMessages silent;
    look.cardFaces = settings_.CardFaces;
    LoadCardBacks(store, look, silent);
    if (look.cardBack != back) settings_.CardBack = 0;
    SetIndex(ComboBox2, settings_.CardBack);
    // Backs 8 to 11 are families a back is drawn from for every game: only "Random" fits them.
    const bool family = settings_.CardBack >= 8 && settings_.CardBack <= 11;
    filling_ = true;
    if (family)
        BackModes[2]->setChecked(true);
    else if (BackModes[2]->isChecked())
        BackModes[0]->setChecked(true);
    filling_ = false;
    BackModes[0]->setEnabled(!family);
    BackModes[1]->setEnabled(!family);
    BackModes[2]->setEnabled(family);
    if (family || BackModes[0]->isChecked()) settings_.OneBack = false;
    if (settings_.CardBack != before || family) hooks_.CardBacksChanged();
}

void TFormOptions::SetBackground() {
    if (settings_.MainMenuDesign == 1) return;
    if (!hooks_.BackgroundChanged()) {
        settings_.Background = 2;
        settings_.BackgroundVariant = 0;
        SetIndex(ComboBoxBG1, 1);
        SetIndex(ComboBoxBG2, 0);
        hooks_.BackgroundChanged();
    }
}

void TFormOptions::ShowFontRole() {
    const int role = std::max(0, ComboBoxFont->currentIndex());
    filling_ = true;
    FontComboBox1->setCurrentText(QString::fromStdString(*FontName(settings_, role)));
    FontComboBox1->setEditText(QString::fromStdString(*FontName(settings_, role)));
    SpinEdit1->setValue(*FontScale(settings_, role));
    filling_ = false;
}

void TFormOptions::FontsChanged() {
    hooks_.FontsChanged();
}

void TFormOptions::DrawPreview() {
    ImageStore store;
    CardLook look;
    look.cardFaces = settings_.CardFaces;
    SilentMessages silent;
    LoadCardFaces(store, look, silent);
    QPixmap picture(Image1->size());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    static const std::array<const char*, 4> cards = {"Вч", "Дб", "Кк", "Тп"};
    for (int i = 0; i < 4; ++i)
        DrawCard(63 * i, 0, TStr2::FromUtf8(cards[i]).value_or(FaceDown), store, painter);
    painter.end();
    Image1->setPixmap(picture);
}

void TFormOptions::DrawFlag() {
    // On the graphic design the flag lies over the background picture, otherwise over the
    // button face.
    ImFlag->setAutoFillBackground(DesignItem() != 4);
    const QImage flag = ReadProgramPicture(FromUtf8(Languages()[settings_.Language].flag));
    ImFlag->setPixmap(flag.isNull() ? QPixmap()
                                    : QPixmap::fromImage(flag).scaled(ImFlag->size(), Qt::KeepAspectRatio,
                                                                      Qt::SmoothTransformation));
}

void TFormOptions::Salute() {
    if (settings_.SaluteButtons) PlaySalute(QCursor::pos());
}

void TFormOptions::done(int result) {
    RxGIFAn1->Stop();
    rememberedTab = PageControl1->currentIndex();
    QDialog::done(result);
}

void ShowOptions(Settings& settings, OptionsHooks& hooks, QWidget* parent) {
    PlayGameSound("WOpenFo", settings.SoundOn);
    if (settings.SaluteButtons) PlaySalute(QCursor::pos());
    TFormOptions dialog(settings, hooks, parent);
    dialog.exec();
}

int RememberedOptionsTab() {
    return rememberedTab;
}

} // namespace tarvo
