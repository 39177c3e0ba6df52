// The "Save games" tab: recording games as animated GIF files, what is recorded and how fast.
#pragma once

#include "table/options/OptionsPage.h"

class QGroupBox;
class QLabel;
class QSpinBox;

namespace tarvo {

class SaveGamesTab : public OptionsPage {
    Q_OBJECT
  public:
    explicit SaveGamesTab(const OptionsContext& context);
    void Fill() override;
    void ApplyLanguage() override;
    void Shown() override { FollowSettings(); }
    // Recording needs the smallest window: another size switches it off.
    void FollowWindowSize();

    QGroupBox* saveGamesGroup = nullptr;
    QCheckBox* saveGifBox = nullptr; // SaveGif
    QComboBox* areaList = nullptr;   // GifArea, item 0 is area 1
    QLabel* frameDelayLabel = nullptr;
    QSpinBox* frameDelaySpin = nullptr; // GifDelay

  private:
    void FollowSettings();
};

} // namespace tarvo
