// The "Game" tab: the rule options, who leads the first bout after a game, the minor rules, and
// the choices beyond the classic game (the computer's strength and the play aids).
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
    QGroupBox* computerGroup = nullptr;
    std::array<QRadioButton*, 2> computers{}; // StrongComputer off, on
    QGroupBox* aidsGroup = nullptr;
    QCheckBox* hintsBox = nullptr;         // Hints
    QCheckBox* numberedDealsBox = nullptr; // NumberedDeals
    QCheckBox* keyboardPlayBox = nullptr;  // KeyboardPlay

  private:
    bool filling_ = false;
};

} // namespace tarvo
