// The "Decks" tab: the card back and how the back changes from game to game.
#pragma once

#include <array>

#include "table/options/OptionsPage.h"

class QGroupBox;
class QRadioButton;

namespace tarvo {

class CardBacksTab : public OptionsPage {
    Q_OBJECT
  public:
    explicit CardBacksTab(const OptionsContext& context);
    void Fill() override;
    void ApplyLanguage() override;
    // Takes back `back` at the current window size; one that cannot be loaded falls back to 0.
    void ChooseBack(int back);

    QComboBox* backList = nullptr; // CardBack
    QGroupBox* backModeGroup = nullptr;
    // OneBack: 0 a new back each day, 1 always the same one, 2 at random from a family of
    // backs (the only mode of backs 8 to 11).
    std::array<QRadioButton*, 3> backModes{};

  private:
    void EnableModes(bool family);
    bool filling_ = false;
};

} // namespace tarvo
