#include "table/options/OptionsPage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCursor>

#include "table/CardsButton.h"
#include "table/Salute.h"
#include "table/WindowResources.h"

namespace tarvo {

OptionsPage::OptionsPage(const OptionsContext& context)
    : settings_(context.settings), hooks_(context.hooks), resources_(context.resources) {}

QString OptionsPage::T(TextTable table, int row) const {
    return FromUtf8(Text(table, row, settings_.Language));
}

TQobCardsButton* OptionsPage::AddDownloadButton(const QString& caption, int package) {
    auto* button = new TQobCardsButton(caption, this);
    button->SetKLightSB(50);
    button->SetGrayDis(true);
    button->setToolTipDuration(5000); // the download hint shows for five seconds at most
    downloads_.push_back({button, package});
    connect(button, &QPushButton::clicked, this, [this, package] { emit downloadRequested(package); });
    return button;
}

void OptionsPage::Salute() const {
    if (settings_.SaluteButtons) PlaySalute(resources_.packages);
}

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void SetChecked(QCheckBox* box, bool on) {
    const QSignalBlocker block(box);
    box->setChecked(on);
}

void SetIndex(QComboBox* box, int index) {
    const QSignalBlocker block(box);
    box->setCurrentIndex(index);
}

void AddBlankItems(QComboBox* box, int count) {
    const QSignalBlocker block(box);
    for (int i = 0; i < count; ++i) box->addItem(QString());
}

void SetItems(QComboBox* box, const QStringList& items) {
    const QSignalBlocker block(box);
    const int current = box->currentIndex();
    for (int i = 0; i < items.size(); ++i) {
        if (i < box->count())
            box->setItemText(i, items[i]);
        else
            box->addItem(items[i]);
    }
    box->setCurrentIndex(current);
}

QIcon FlagIcon(int language) {
    const QImage flag = ReadProgramPicture(FromUtf8(Languages()[language].flag));
    if (flag.isNull()) return {};
    return QIcon(QPixmap::fromImage(flag));
}

} // namespace tarvo
