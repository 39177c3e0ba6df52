#include "table/options/PackagesTab.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "packages/Download.h"

namespace tarvo {

PackagesTab::PackagesTab(Settings& settings, OptionsHooks& hooks) : OptionsPage(settings, hooks) {
    auto* grid = new QGridLayout;
    const auto& packages = OptionalPackages();
    for (int i = 0; i < static_cast<int>(packages.size()); ++i) {
        QString caption = packages[static_cast<std::size_t>(i)];
        if (caption.endsWith(QLatin1String(".dll"))) caption.chop(4);
        grid->addWidget(AddDownloadButton(caption, i), i / 3, i % 3);
    }
    radioListGroup = new QGroupBox(this);
    auto* sources = new QVBoxLayout(radioListGroup);
    for (auto& source : radioListSources) {
        source = new QRadioButton(radioListGroup);
        sources->addWidget(source);
    }
    // The radio comes with its own issue; until then its list source is shown but not changed.
    radioListGroup->setEnabled(false);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(radioListGroup);
    layout->addStretch();
}

void PackagesTab::Fill() {
    radioListSources[settings_.RadioListFromServer ? 0 : 1]->setChecked(true);
}

void PackagesTab::ApplyLanguage() {
    radioListGroup->setTitle(T(txt::RadioListSource));
    for (int i = 0; i < 2; ++i) radioListSources[i]->setText(T(txt::RadioListSources, i));
}

} // namespace tarvo
