#include "table/options/CardBacksTab.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "table/WindowResources.h"
#include "table/options/OptionsHooks.h"

namespace tarvo {
namespace {

constexpr int kBacks = 13;

// Backs 8 to 11 are families a back is drawn from for every game: only "Random" fits them.
bool IsFamily(int back) {
    return back >= 8 && back <= 11;
}

} // namespace

CardBacksTab::CardBacksTab(const OptionsContext& context) : OptionsPage(context) {
    backList = new QComboBox(this);
    backList->setMaxVisibleItems(kBacks);
    backModeGroup = new QGroupBox(this);
    auto* modes = new QVBoxLayout(backModeGroup);
    for (auto& mode : backModes) {
        mode = new QRadioButton(backModeGroup);
        modes->addWidget(mode);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(backList);
    layout->addWidget(backModeGroup);
    auto* downloads = new QHBoxLayout;
    downloads->addWidget(AddDownloadButton(QStringLiteral("QobCards06B"), 1));
    downloads->addStretch();
    layout->addLayout(downloads);
    layout->addStretch();
    connect(backList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) ChooseBack(index);
    });
    for (int i = 0; i < 3; ++i) {
        connect(backModes[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on || filling_) return;
            settings_.OneBack = i == 1;
            hooks_.CardBacksChanged();
        });
    }
}

void CardBacksTab::Fill() {
    filling_ = true;
    AddBlankItems(backList, kBacks);
    SetIndex(backList, std::clamp(settings_.CardBack, 0, kBacks - 1));
    const bool family = IsFamily(settings_.CardBack);
    EnableModes(family);
    backModes[family ? 2 : (settings_.OneBack ? 1 : 0)]->setChecked(true);
    filling_ = false;
}

void CardBacksTab::ApplyLanguage() {
    QStringList backs;
    for (int i = 0; i < kBacks; ++i) backs << T(txt::CardBackNames, i);
    SetItems(backList, backs);
    backModeGroup->setTitle(T(txt::Modification));
    for (int i = 0; i < 3; ++i) backModes[i]->setText(T(txt::BackModes, i));
}

void CardBacksTab::EnableModes(bool family) {
    backModes[0]->setEnabled(!family);
    backModes[1]->setEnabled(!family);
    backModes[2]->setEnabled(family);
}

void CardBacksTab::ChooseBack(int back) {
    const int before = settings_.CardBack;
    settings_.CardBack = back;
    ImageStore store;
    CardLook look;
    look.cardBack = back;
    look.windowSize = std::clamp(settings_.WindowSize, 1, 5);
    look.cardFaces = settings_.CardFaces;
    SilentPictureMessages silent;
    LoadCardBacks(resources_.packages, store, look, silent);
    if (look.cardBack != back) settings_.CardBack = 0;
    SetIndex(backList, settings_.CardBack);
    const bool family = IsFamily(settings_.CardBack);
    filling_ = true;
    if (family)
        backModes[2]->setChecked(true);
    else if (backModes[2]->isChecked())
        backModes[0]->setChecked(true);
    filling_ = false;
    EnableModes(family);
    if (family || backModes[0]->isChecked()) settings_.OneBack = false;
    if (settings_.CardBack != before || family) hooks_.CardBacksChanged();
}

} // namespace tarvo
