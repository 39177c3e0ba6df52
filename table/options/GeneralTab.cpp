#include "table/options/GeneralTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <array>

#include "media/Sound.h"
#include "table/WindowResources.h"
#include "table/CardsButton.h"
#include "table/options/OptionsHooks.h"

namespace tarvo {

int OfferedWindowSizes(QSize screen) {
    static constexpr std::array<QSize, 3> needs = {QSize(990, 670), QSize(1290, 870), QSize(1520, 1020)};
    int count = 2;
    for (const QSize& need : needs) {
        if (screen.width() < need.width() || screen.height() < need.height()) break;
        ++count;
    }
    return count;
}

GeneralTab::GeneralTab(const OptionsContext& context, QSize screen) : OptionsPage(context), screen_(screen) {
    languageList = new QComboBox(this);
    for (int i = 0; i < kLanguageCount; ++i)
        languageList->addItem(FlagIcon(i), FromUtf8(Languages()[i].name));
    windowSizeList = new QComboBox(this);
    networkGameBox = new QCheckBox(this);
    multimediaGroup = new QGroupBox(this);
    soundBox = new QCheckBox(multimediaGroup);
    musicBox = new QCheckBox(multimediaGroup);
    menuAnimationBox = new QCheckBox(multimediaGroup);
    flyCardsBox = new QCheckBox(multimediaGroup);
    ownCursorBox = new QCheckBox(multimediaGroup);
    newButtonsBox = new QCheckBox(multimediaGroup);
    auto* multimedia = new QGridLayout(multimediaGroup);
    multimedia->addWidget(soundBox, 0, 0);
    multimedia->addWidget(musicBox, 1, 0);
    multimedia->addWidget(menuAnimationBox, 2, 0);
    multimedia->addWidget(flyCardsBox, 0, 1);
    multimedia->addWidget(ownCursorBox, 1, 1);
    multimedia->addWidget(newButtonsBox, 2, 1);
    speedButton = new TQobCardsButton(this);
    passportButton = new TQobCardsButton(this);

    auto* lists = new QHBoxLayout;
    lists->addWidget(languageList, 1);
    lists->addWidget(windowSizeList, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(networkGameBox);
    buttons->addStretch();
    buttons->addWidget(speedButton);
    buttons->addWidget(passportButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(multimediaGroup);
    layout->addLayout(buttons);
    layout->addStretch();

    connect(languageList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        settings_.Language = index;
        emit languageChosen();
    });
    connect(windowSizeList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        settings_.WindowSize = index + 1;
        hooks_.WindowSizeChanged();
        emit windowSizeChosen();
    });
    connect(networkGameBox, &QCheckBox::toggled, this, [this](bool on) {
        settings_.NetGame = on;
        hooks_.NetGameChanged();
    });
    connect(soundBox, &QCheckBox::toggled, this, [this](bool on) {
        settings_.SoundOn = on;
        hooks_.SoundSwitched();
    });
    connect(musicBox, &QCheckBox::toggled, this, [this](bool on) {
        settings_.MusicOn = on;
        hooks_.MusicSwitched();
    });
    connect(menuAnimationBox, &QCheckBox::toggled, this, [this](bool on) {
        // During a game the animations are not ours to switch: the click changes nothing.
        if (!hooks_.MenuShowing()) {
            SetChecked(menuAnimationBox, settings_.GifAnimation);
            return;
        }
        settings_.GifAnimation = on;
        emit menuAnimationSwitched(on);
        hooks_.GifAnimationSwitched();
    });
    connect(flyCardsBox, &QCheckBox::toggled, this, [this](bool on) { settings_.FlyCards = on; });
    connect(ownCursorBox, &QCheckBox::toggled, this, [this](bool on) {
        settings_.OwnCursor = on;
        hooks_.CursorSwitched();
        emit cursorSwitched();
    });
    connect(newButtonsBox, &QCheckBox::toggled, this, [this](bool on) {
        settings_.NewButtons = on;
        hooks_.ButtonStyleChanged();
        emit buttonStyleChanged();
    });
    connect(speedButton, &QPushButton::clicked, this, [this] {
        Salute();
        emit speedRequested();
    });
    connect(passportButton, &QPushButton::clicked, this, [this] {
        resources_.sound.PlayGameSound("WOpenFo", settings_.SoundOn);
        Salute();
        emit passportRequested();
    });
}

void GeneralTab::Fill() {
    const int sizes = OfferedWindowSizes(screen_);
    AddBlankItems(windowSizeList, sizes);
    SetIndex(languageList, settings_.Language);
    // A stored size this screen cannot offer shows no selection.
    SetIndex(windowSizeList,
             settings_.WindowSize >= 1 && settings_.WindowSize <= sizes ? settings_.WindowSize - 1 : -1);
    SetChecked(networkGameBox, settings_.NetGame);
    SetChecked(soundBox, settings_.SoundOn);
    SetChecked(musicBox, settings_.MusicOn);
    SetChecked(menuAnimationBox, settings_.GifAnimation);
    SetChecked(flyCardsBox, settings_.FlyCards);
    SetChecked(ownCursorBox, settings_.OwnCursor);
    SetChecked(newButtonsBox, settings_.NewButtons);
}

void GeneralTab::ApplyLanguage() {
    QStringList sizes;
    for (int i = 0; i < windowSizeList->count(); ++i) sizes << T(txt::WindowSizes, i);
    SetItems(windowSizeList, sizes);
    networkGameBox->setText(T(txt::Multiplayer));
    multimediaGroup->setTitle(T(txt::Multimedia));
    soundBox->setText(T(txt::Sound));
    musicBox->setText(T(txt::Music));
    menuAnimationBox->setText(T(txt::GifAnimationBox));
    flyCardsBox->setText(T(txt::FlyCardsBox));
    ownCursorBox->setText(T(txt::RedCursor));
    newButtonsBox->setText(T(txt::NewButtons));
    speedButton->setText(T(txt::Speed) + QLatin1Char('=') + QString::number(settings_.Speed));
    passportButton->setText(T(txt::Passport));
}

} // namespace tarvo
