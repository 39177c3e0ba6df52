#include "table/options/PackagesTab.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "packages/Download.h"
#include "table/options/OptionsHooks.h"

namespace tarvo {

PackagesTab::PackagesTab(const OptionsContext& context) : OptionsPage(context) {
    auto* grid = new QGridLayout;
    const auto& packages = OptionalPackages();
    for (int i = 0; i < static_cast<int>(packages.size()); ++i) {
        QString caption = packages[static_cast<std::size_t>(i)];
        if (caption.endsWith(QLatin1String(".dll"))) caption.chop(4);
        grid->addWidget(AddDownloadButton(caption, i), i / 3, i % 3);
    }
    radioListGroup = new QGroupBox(this);
    auto* sources = new QVBoxLayout(radioListGroup);
    for (int i = 0; i < 2; ++i) {
        QRadioButton*& source = radioListSources[static_cast<std::size_t>(i)];
        source = new QRadioButton(radioListGroup);
        sources->addWidget(source);
        // Another source for the list: the radio looks for its list again at once.
        connect(source, &QRadioButton::toggled, this, [this, i](bool on) {
            if (!on) return;
            settings_.RadioListFromServer = i == 0;
            hooks_.RadioCheck();
        });
    }
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(radioListGroup);
    layout->addStretch();
}

void PackagesTab::Fill() {
    const QSignalBlocker first(radioListSources[0]), second(radioListSources[1]);
    radioListSources[settings_.RadioListFromServer ? 0 : 1]->setChecked(true);
}

void PackagesTab::ApplyLanguage() {
    radioListGroup->setTitle(T(txt::RadioListSource));
    for (int i = 0; i < 2; ++i) radioListSources[i]->setText(T(txt::RadioListSources, i));
}

} // namespace tarvo
