#include "table/options/GameRulesTab.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tarvo {

GameRulesTab::GameRulesTab(const OptionsContext& context) : OptionsPage(context) {
    firstMoveGroup = new QGroupBox(this);
    auto* moves = new QVBoxLayout(firstMoveGroup);
    for (int i = 0; i < 2; ++i) {
        firstMoves[i] = new QRadioButton(firstMoveGroup);
        moves->addWidget(firstMoves[i]);
        connect(firstMoves[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on && !filling_) settings_.FirstMove = i;
        });
    }
    minorRulesGroup = new QGroupBox(this);
    noFiveOfSuitBox = new QCheckBox(minorRulesGroup);
    firstBoutFiveBox = new QCheckBox(minorRulesGroup);
    auto* minor = new QVBoxLayout(minorRulesGroup);
    minor->addWidget(noFiveOfSuitBox);
    minor->addWidget(firstBoutFiveBox);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(firstMoveGroup);
    layout->addWidget(minorRulesGroup);
    layout->addStretch();
    connect(noFiveOfSuitBox, &QCheckBox::toggled, this, [this](bool on) { settings_.NoFiveOfSuit = on; });
    connect(firstBoutFiveBox, &QCheckBox::toggled, this, [this](bool on) { settings_.FirstBoutFive = on; });
}

void GameRulesTab::Fill() {
    filling_ = true;
    firstMoves[settings_.FirstMove == 1 ? 1 : 0]->setChecked(true);
    SetChecked(noFiveOfSuitBox, settings_.NoFiveOfSuit);
    SetChecked(firstBoutFiveBox, settings_.FirstBoutFive);
    filling_ = false;
}

void GameRulesTab::ApplyLanguage() {
    firstMoveGroup->setTitle(T(txt::FirstMove));
    for (int i = 0; i < 2; ++i) firstMoves[i]->setText(T(txt::FirstMoveNames, i));
    minorRulesGroup->setTitle(T(txt::Minor));
    noFiveOfSuitBox->setText(T(txt::NoFiveOfSuit));
    firstBoutFiveBox->setText(T(txt::FirstBoutFive));
}

} // namespace tarvo
