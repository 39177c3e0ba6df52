#include "table/options/SaveGamesTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSpinBox>
#include <QVBoxLayout>

namespace tarvo {

SaveGamesTab::SaveGamesTab(const OptionsContext& context) : OptionsPage(context) {
    saveGamesGroup = new QGroupBox(this);
    saveGifBox = new QCheckBox(saveGamesGroup);
    areaList = new QComboBox(saveGamesGroup);
    frameDelayLabel = new QLabel(saveGamesGroup);
    frameDelaySpin = new QSpinBox(saveGamesGroup);
    frameDelaySpin->setRange(10, 5000);
    auto* delay = new QHBoxLayout;
    delay->addWidget(frameDelayLabel);
    delay->addWidget(frameDelaySpin);
    delay->addStretch();
    auto* inner = new QVBoxLayout(saveGamesGroup);
    inner->addWidget(saveGifBox);
    inner->addWidget(areaList);
    inner->addLayout(delay);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(saveGamesGroup);
    layout->addStretch();
    connect(saveGifBox, &QCheckBox::toggled, this, [this](bool on) {
        settings_.SaveGif = on;
        FollowSettings();
    });
    connect(areaList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) settings_.GifArea = index + 1;
    });
    connect(frameDelaySpin, &QSpinBox::valueChanged, this, [this](int value) { settings_.GifDelay = value; });
}

void SaveGamesTab::Fill() {
    AddBlankItems(areaList, 2);
    SetChecked(saveGifBox, settings_.SaveGif);
    SetIndex(areaList, settings_.GifArea == 2 ? 1 : 0);
    {
        const QSignalBlocker block(frameDelaySpin);
        frameDelaySpin->setValue(settings_.GifDelay);
    }
    FollowSettings();
}

void SaveGamesTab::ApplyLanguage() {
    saveGamesGroup->setTitle(T(txt::SaveGames));
    saveGifBox->setText(T(txt::SaveGamesAsGif));
    SetItems(areaList, {T(txt::GifAreas, 0), T(txt::GifAreas, 1)});
    frameDelayLabel->setText(T(txt::FrameDelay));
}

void SaveGamesTab::FollowWindowSize() {
    if (settings_.WindowSize != 1) {
        settings_.SaveGif = false;
        SetChecked(saveGifBox, false);
    }
    FollowSettings();
}

void SaveGamesTab::FollowSettings() {
    // Recording needs the smallest window; the box keeps its tick either way.
    saveGifBox->setEnabled(settings_.WindowSize == 1);
    areaList->setEnabled(settings_.SaveGif);
    frameDelayLabel->setEnabled(settings_.SaveGif);
    frameDelaySpin->setEnabled(settings_.SaveGif);
}

} // namespace tarvo
