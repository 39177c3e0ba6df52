// The "DLL" tab: a download button for each optional package, and where the radio's station list
// is read from.
#pragma once

#include <array>

#include "table/options/OptionsPage.h"

class QGroupBox;
class QRadioButton;

namespace tarvo {

class PackagesTab : public OptionsPage {
    Q_OBJECT
  public:
    explicit PackagesTab(const OptionsContext& context);
    void Fill() override;
    void ApplyLanguage() override;

    QGroupBox* radioListGroup = nullptr;
    // RadioListFromServer: 0 from the server, 1 from the file on disk.
    std::array<QRadioButton*, 2> radioListSources{};
};

} // namespace tarvo
