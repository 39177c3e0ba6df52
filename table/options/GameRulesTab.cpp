#include "table/options/GameRulesTab.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "settings/PlayChoices.h"
#include "table/options/OptionsHooks.h"

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
    computerGroup = new QGroupBox(this);
    auto* kinds = new QVBoxLayout(computerGroup);
    for (int i = 0; i < 2; ++i) {
        computers[i] = new QRadioButton(computerGroup);
        kinds->addWidget(computers[i]);
        connect(computers[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (PlayChoices* c = hooks_.PlayChoicesToEdit(); on && !filling_ && c) c->StrongComputer = i == 1;
        });
    }
    aidsGroup = new QGroupBox(this);
    auto* aids = new QVBoxLayout(aidsGroup);
    auto aid = [&](bool PlayChoices::*flag) {
        auto* box = new QCheckBox(aidsGroup);
        aids->addWidget(box);
        connect(box, &QCheckBox::toggled, this, [this, flag](bool on) {
            if (PlayChoices* c = hooks_.PlayChoicesToEdit()) c->*flag = on;
        });
        return box;
    };
    hintsBox = aid(&PlayChoices::Hints);
    numberedDealsBox = aid(&PlayChoices::NumberedDeals);
    keyboardPlayBox = aid(&PlayChoices::KeyboardPlay);
    const bool choices = hooks_.PlayChoicesToEdit() != nullptr;
    computerGroup->setVisible(choices);
    aidsGroup->setVisible(choices);

    // The rules on the left, the player's choices on the right: one column of four groups does
    // not fit the dialog's fixed height.
    auto* rules = new QVBoxLayout;
    rules->addWidget(firstMoveGroup);
    rules->addWidget(minorRulesGroup);
    rules->addStretch();
    auto* play = new QVBoxLayout;
    play->addWidget(computerGroup);
    play->addWidget(aidsGroup);
    play->addStretch();
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(rules, 1);
    layout->addLayout(play, 1);
    connect(noFiveOfSuitBox, &QCheckBox::toggled, this, [this](bool on) { settings_.NoFiveOfSuit = on; });
    connect(firstBoutFiveBox, &QCheckBox::toggled, this, [this](bool on) { settings_.FirstBoutFive = on; });
}

void GameRulesTab::Fill() {
    filling_ = true;
    firstMoves[settings_.FirstMove == 1 ? 1 : 0]->setChecked(true);
    SetChecked(noFiveOfSuitBox, settings_.NoFiveOfSuit);
    SetChecked(firstBoutFiveBox, settings_.FirstBoutFive);
    if (const PlayChoices* c = hooks_.PlayChoicesToEdit()) {
        computers[c->StrongComputer ? 1 : 0]->setChecked(true);
        SetChecked(hintsBox, c->Hints);
        SetChecked(numberedDealsBox, c->NumberedDeals);
        SetChecked(keyboardPlayBox, c->KeyboardPlay);
    }
    filling_ = false;
}

void GameRulesTab::ApplyLanguage() {
    firstMoveGroup->setTitle(T(txt::FirstMove));
    for (int i = 0; i < 2; ++i) firstMoves[i]->setText(T(txt::FirstMoveNames, i));
    minorRulesGroup->setTitle(T(txt::Minor));
    noFiveOfSuitBox->setText(T(txt::NoFiveOfSuit));
    firstBoutFiveBox->setText(T(txt::FirstBoutFive));
    computerGroup->setTitle(T(txt::ComputerChoice));
    for (int i = 0; i < 2; ++i) computers[i]->setText(T(txt::ComputerNames, i));
    aidsGroup->setTitle(T(txt::PlayAids));
    hintsBox->setText(T(txt::HintsChoice));
    numberedDealsBox->setText(T(txt::NumberedDealsChoice));
    keyboardPlayBox->setText(T(txt::KeyboardPlayChoice));
    keyboardPlayBox->setToolTip(T(txt::KeyboardPlayKeys)); // the keys are told nowhere else
}

} // namespace tarvo
