// The "Cards" tab: the face set, with a preview of four cards and the face packages to download.
#pragma once

#include "table/options/OptionsPage.h"

class QLabel;

namespace tarvo {

class CardFacesTab : public OptionsPage {
    Q_OBJECT
  public:
    explicit CardFacesTab(const OptionsContext& context);
    void Fill() override;
    void ApplyLanguage() override;
    // Takes face set `faceSet` at the current window size; one that cannot be loaded falls back
    // to the built-in set 0.
    void ChooseFaces(int faceSet);

    QComboBox* faceSetList = nullptr; // CardFaces
    QLabel* preview = nullptr;

  private:
    void DrawPreview();
};

} // namespace tarvo
