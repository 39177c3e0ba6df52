#include "table/options/FontsTab.h"

#include <QComboBox>
#include <QFontComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "table/CardsButton.h"
#include "table/Cp1251Field.h"
#include "table/options/OptionsHooks.h"

namespace tarvo {
namespace {

std::string& FontName(Settings& s, int role) {
    switch (role) {
    case 0:
        return s.FontLarge;
    case 1:
        return s.FontSmall;
    case 2:
        return s.FontSpecial1;
    default:
        return s.FontSpecial2;
    }
}

int& FontScale(Settings& s, int role) {
    switch (role) {
    case 0:
        return s.ScaleLarge;
    case 1:
        return s.ScaleSmall;
    case 2:
        return s.ScaleSpecial1;
    default:
        return s.ScaleSpecial2;
    }
}

} // namespace

FontsTab::FontsTab(const OptionsContext& context) : OptionsPage(context) {
    roleList = new QComboBox(this);
    familyList = new QFontComboBox(this);
    familyList->setEditable(true);
    scaleLabel = new QLabel(this);
    scaleSpin = new QSpinBox(this);
    // Typing passes through numbers outside 50..150; those are ignored until back in range.
    scaleSpin->setRange(1, 999);
    defaultsButton = new TQobCardsButton(this);
    warningLabel = new QLabel(this);
    warningLabel->setWordWrap(true);
    auto* grid = new QGridLayout;
    grid->addWidget(roleList, 0, 0);
    grid->addWidget(familyList, 0, 1);
    grid->addWidget(scaleLabel, 1, 0, Qt::AlignRight);
    grid->addWidget(scaleSpin, 1, 1, Qt::AlignLeft);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    auto* reset = new QHBoxLayout;
    reset->addWidget(defaultsButton);
    reset->addStretch();
    layout->addLayout(reset);
    layout->addWidget(warningLabel);
    layout->addStretch();
    connect(roleList, &QComboBox::currentIndexChanged, this, [this] { ShowRole(); });
    connect(familyList, &QComboBox::currentTextChanged, this, [this](const QString& family) {
        // The family is stored in the settings file, in Windows-1251: a name it cannot hold is not taken.
        if (filling_ || family.isEmpty() || !FitsCp1251(family)) return;
        FontName(settings_, Role()) = family.toStdString();
        hooks_.FontsChanged();
    });
    connect(scaleSpin, &QSpinBox::valueChanged, this, [this](int value) {
        if (filling_ || value < 50 || value > 150) return;
        FontScale(settings_, Role()) = value;
        hooks_.FontsChanged();
    });
    connect(defaultsButton, &QPushButton::clicked, this, [this] {
        Salute();
        settings_.FontLarge = settings_.FontSmall = "Comic Sans MS";
        settings_.FontSpecial1 = "FixedSys";
        settings_.FontSpecial2 = "Courier New";
        settings_.ScaleLarge = settings_.ScaleSmall = settings_.ScaleSpecial1 = settings_.ScaleSpecial2 = 100;
        hooks_.FontsChanged();
        ShowRole();
    });
}

int FontsTab::Role() const {
    return std::max(0, roleList->currentIndex());
}

void FontsTab::Fill() {
    AddBlankItems(roleList, 4);
    SetIndex(roleList, 0);
    ShowRole();
}

void FontsTab::ApplyLanguage() {
    SetItems(roleList,
             {T(txt::FontRoles, 0), T(txt::FontRoles, 1), T(txt::FontRoles, 2) + QStringLiteral(" 1"),
              T(txt::FontRoles, 2) + QStringLiteral(" 2")});
    scaleLabel->setText(T(txt::ScalePercent));
    defaultsButton->setText(T(txt::Default));
    warningLabel->setText(T(txt::FontsWarning));
    KeepToCp1251(familyList->lineEdit(), settings_.Language);
}

void FontsTab::ShowRole() {
    const QString family = QString::fromStdString(FontName(settings_, Role()));
    filling_ = true;
    familyList->setCurrentText(family);
    familyList->setEditText(family);
    scaleSpin->setValue(FontScale(settings_, Role()));
    filling_ = false;
}

} // namespace tarvo
