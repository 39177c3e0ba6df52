// The "Fonts" tab: the family and scale of each of the four font roles, and the defaults.
#pragma once

#include "table/options/OptionsPage.h"

class QFontComboBox;
class QLabel;
class QSpinBox;

namespace tarvo {

class FontsTab : public OptionsPage {
    Q_OBJECT
  public:
    explicit FontsTab(const OptionsContext& context);
    void Fill() override;
    void ApplyLanguage() override;

    QComboBox* roleList = nullptr;       // which role the two controls below edit
    QFontComboBox* familyList = nullptr; // FontLarge, FontSmall, FontSpecial1 or FontSpecial2
    QLabel* scaleLabel = nullptr;
    QSpinBox* scaleSpin = nullptr; // ScaleLarge ... ScaleSpecial2, 50..150 per cent
    TQobCardsButton* defaultsButton = nullptr;
    QLabel* warningLabel = nullptr;

  private:
    void ShowRole();
    int Role() const;
    bool filling_ = false;
};

} // namespace tarvo
