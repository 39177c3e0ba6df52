#include "table/options/DesignTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QImage>
#include <QVBoxLayout>
#include <algorithm>

#include "packages/Package.h"
#include "table/MessageWindow.h"
#include "table/WindowResources.h"
#include "table/options/OptionsHooks.h"

namespace tarvo {

DesignTab::DesignTab(const OptionsContext& context) : OptionsPage(context) {
    auto group = [this](QGroupBox*& box, QComboBox*& list) {
        box = new QGroupBox(this);
        list = new QComboBox(box);
        auto* inner = new QVBoxLayout(box);
        inner->addWidget(list);
    };
    group(mainMenuGroup, mainMenuDesignList);
    group(tableGroup, tableDesignList);
    group(windowsGroup, windowDesignList);
    saluteGroup = new QGroupBox(this);
    saluteButtonsBox = new QCheckBox(saluteGroup);
    saluteCardsBox = new QCheckBox(saluteGroup);
    auto* salute = new QHBoxLayout(saluteGroup);
    salute->addWidget(saluteButtonsBox);
    salute->addWidget(saluteCardsBox);
    auto* grid = new QGridLayout;
    grid->addWidget(mainMenuGroup, 0, 0);
    grid->addWidget(tableGroup, 0, 1);
    grid->addWidget(windowsGroup, 1, 0);
    grid->addWidget(saluteGroup, 1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    auto* downloads = new QHBoxLayout;
    downloads->addWidget(AddDownloadButton(QStringLiteral("QobCGraph1"), 8));
    downloads->addStretch();
    layout->addLayout(downloads);
    layout->addStretch();

    connect(mainMenuDesignList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        settings_.MainMenuDesign = index;
        if (!hooks_.MainMenuDesignChanged()) {
            settings_.MainMenuDesign = 0;
            SetIndex(mainMenuDesignList, 0);
        }
        emit menuOrTableDesignChanged();
    });
    connect(tableDesignList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        settings_.TableDesign = index;
        QImage icon;
        if (!resources_.packages.LoadPicture(QStringLiteral("GIcon48Opt"), GraphicsPackage, icon))
            FallBack();
        else
            hooks_.TableDesignChanged();
        emit menuOrTableDesignChanged();
    });
    connect(windowDesignList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        SetWindowDesign(settings_, index + 1);
        if (index > 0 && resources_.packages.Find(GraphicsPackage).isEmpty()) FallBack();
        emit windowDesignChosen();
    });
    connect(saluteButtonsBox, &QCheckBox::toggled, this, [this](bool on) { settings_.SaluteButtons = on; });
    connect(saluteCardsBox, &QCheckBox::toggled, this, [this](bool on) { settings_.SaluteCards = on; });
}

void DesignTab::Fill() {
    AddBlankItems(mainMenuDesignList, 2);
    AddBlankItems(tableDesignList, 2);
    AddBlankItems(windowDesignList, 4);
    SetIndex(mainMenuDesignList, settings_.MainMenuDesign == 1 ? 1 : 0);
    SetIndex(tableDesignList, settings_.TableDesign == 1 ? 1 : 0);
    SetIndex(windowDesignList, std::clamp(WindowDesign(settings_), 1, 4) - 1);
    SetChecked(saluteButtonsBox, settings_.SaluteButtons);
    SetChecked(saluteCardsBox, settings_.SaluteCards);
}

void DesignTab::ApplyLanguage() {
    mainMenuGroup->setTitle(T(txt::MainMenuDesign));
    tableGroup->setTitle(T(txt::GameTableDesign));
    windowsGroup->setTitle(T(txt::AuxWindowDesign));
    saluteGroup->setTitle(T(txt::Salute));
    SetItems(mainMenuDesignList, {T(txt::DesignNames, 0), T(txt::DesignNames, 1)});
    SetItems(tableDesignList, {T(txt::DesignNames, 0), T(txt::DesignNames, 1)});
    QStringList windowDesigns;
    for (int i = 0; i < 4; ++i) windowDesigns << T(txt::WindowDesignNames, i);
    SetItems(windowDesignList, windowDesigns);
    saluteButtonsBox->setText(T(txt::Buttons));
    saluteCardsBox->setText(T(txt::Cards));
}

void DesignTab::PackagesChanged(const PackageCheck& present) {
    const bool graphics = present(GraphicsPackage);
    saluteButtonsBox->setEnabled(graphics);
    saluteCardsBox->setEnabled(graphics);
    if (!graphics) {
        saluteButtonsBox->setChecked(false);
        saluteCardsBox->setChecked(false);
    }
}

void DesignTab::FallBack() {
    settings_.MainMenuDesign = 0;
    settings_.TableDesign = 0;
    SetWindowDesign(settings_, 1);
    SetIndex(mainMenuDesignList, 0);
    SetIndex(tableDesignList, 0);
    SetIndex(windowDesignList, 0);
    hooks_.MainMenuDesignChanged();
    hooks_.TableDesignChanged();
    MessageWindowTexts texts;
    texts.language = settings_.Language;
    texts.caption = T(txt::Attention);
    ShowMessageLines(T(txt::CantFindFile) + QLatin1Char(' ') + GraphicsPackage, QString(), QString(), texts,
                     window());
}

} // namespace tarvo
