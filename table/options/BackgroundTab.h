// The "BG" tab: the background picture and its variant, and the background package.
#pragma once

#include "table/options/OptionsPage.h"

class QGroupBox;

namespace tarvo {

class BackgroundTab : public OptionsPage {
    Q_OBJECT
  public:
    explicit BackgroundTab(const OptionsContext& context);
    void Fill() override;
    void ApplyLanguage() override;
    // With the graphic design for both the menu and the table no background is shown: the lists
    // are off.
    void FollowDesigns();

    QGroupBox* backgroundGroup = nullptr;
    QComboBox* backgroundList = nullptr; // Background, item 0 is set 1
    QComboBox* variantList = nullptr;    // BackgroundVariant

  private:
    void Apply();
};

} // namespace tarvo
