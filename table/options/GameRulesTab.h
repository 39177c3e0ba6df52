// The "Game" tab: the rule options, who leads the first bout after a game, and the minor rules.
#pragma once

#include <array>

#include "table/options/OptionsPage.h"

class QGroupBox;
class QRadioButton;

namespace tarvo {

class GameRulesTab : public OptionsPage {
    Q_OBJECT
  public:
    explicit GameRulesTab(const OptionsContext& context);
    void Fill() override;
    void ApplyLanguage() override;

    QGroupBox* firstMoveGroup = nullptr;
    // FirstMove: 0 the seat after the last fool leads, 1 the seat before him.
    std::array<QRadioButton*, 2> firstMoves{};
    QGroupBox* minorRulesGroup = nullptr;
    QCheckBox* noFiveOfSuitBox = nullptr;  // NoFiveOfSuit
    QCheckBox* firstBoutFiveBox = nullptr; // FirstBoutFive

  private:
    bool filling_ = false;
};

} // namespace tarvo
