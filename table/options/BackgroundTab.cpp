#include "table/options/BackgroundTab.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "table/options/OptionsHooks.h"

namespace tarvo {
namespace {
constexpr int kBackgrounds = 10, kVariants = 7;
} // namespace

BackgroundTab::BackgroundTab(const OptionsContext& context) : OptionsPage(context) {
    backgroundGroup = new QGroupBox(this);
    backgroundList = new QComboBox(backgroundGroup);
    variantList = new QComboBox(backgroundGroup);
    auto* lists = new QVBoxLayout(backgroundGroup);
    lists->addWidget(backgroundList);
    lists->addWidget(variantList);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(backgroundGroup);
    auto* downloads = new QHBoxLayout;
    downloads->addWidget(AddDownloadButton(QStringLiteral("QobBackG03"), 2));
    downloads->addStretch();
    layout->addLayout(downloads);
    layout->addStretch();
    connect(backgroundList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        settings_.Background = index + 1;
        Apply();
    });
    connect(variantList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        settings_.BackgroundVariant = index;
        Apply();
    });
}

void BackgroundTab::Fill() {
    AddBlankItems(backgroundList, kBackgrounds);
    AddBlankItems(variantList, kVariants);
    SetIndex(backgroundList, std::clamp(settings_.Background, 1, kBackgrounds) - 1);
    SetIndex(variantList, std::clamp(settings_.BackgroundVariant, 0, kVariants - 1));
    FollowDesigns();
}

void BackgroundTab::ApplyLanguage() {
    backgroundGroup->setTitle(T(txt::Background));
    QStringList backgrounds;
    for (int i = 0; i < kBackgrounds; ++i) backgrounds << T(txt::BackgroundNames, i);
    SetItems(backgroundList, backgrounds);
    QStringList variants;
    for (int i = 0; i < kVariants; ++i) variants << T(txt::BackgroundVariantNames, i);
    SetItems(variantList, variants);
}

void BackgroundTab::FollowDesigns() {
    const bool both = settings_.MainMenuDesign == 1 && settings_.TableDesign == 1;
    backgroundList->setEnabled(!both);
    variantList->setEnabled(!both);
}

// A background that cannot be loaded falls back to set 2, variant 0.
void BackgroundTab::Apply() {
    if (settings_.MainMenuDesign == 1) return;
    if (!hooks_.BackgroundChanged()) {
        settings_.Background = 2;
        settings_.BackgroundVariant = 0;
        SetIndex(backgroundList, 1);
        SetIndex(variantList, 0);
        hooks_.BackgroundChanged();
    }
}

} // namespace tarvo
