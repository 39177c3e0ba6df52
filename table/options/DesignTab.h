// The "Design" tab: the graphic design of the main menu, of the table and of the program's other
// windows, and the salute of buttons and cards. Graphic designs and the salute need the graphics
// package.
#pragma once

#include "table/options/OptionsPage.h"

class QGroupBox;

namespace tarvo {

class DesignTab : public OptionsPage {
    Q_OBJECT
  public:
    explicit DesignTab(const OptionsContext& context);
    void Fill() override;
    void ApplyLanguage() override;
    // The salute boxes are off, and cleared, without the graphics package.
    void PackagesChanged(const PackageCheck& present) override;

    QGroupBox* mainMenuGroup = nullptr;
    QComboBox* mainMenuDesignList = nullptr; // MainMenuDesign
    QGroupBox* tableGroup = nullptr;
    QComboBox* tableDesignList = nullptr; // TableDesign
    QGroupBox* windowsGroup = nullptr;
    QComboBox* windowDesignList = nullptr; // the window design, item 0 is design 1
    QGroupBox* saluteGroup = nullptr;
    QCheckBox* saluteButtonsBox = nullptr; // SaluteButtons
    QCheckBox* saluteCardsBox = nullptr;   // SaluteCards

  signals:
    // The menu or table design changed: the background lists may be switched on or off.
    void menuOrTableDesignChanged();
    // The window design changed: the dialog redraws itself in it.
    void windowDesignChosen();

  private:
    // Without the graphics package every design falls back to the plain one, with a message.
    void FallBack();
};

} // namespace tarvo
