#include "table/options/CardFacesTab.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "core/Card.h"
#include "table/CardDrawing.h"
#include "table/ImageStore.h"
#include "table/WindowResources.h"
#include "table/options/OptionsHooks.h"

namespace tarvo {
namespace {

// The flag beside a face set: the language the deck comes from.
int FaceSetFlag(int faceSet) {
    if (faceSet <= 28) return English;
    if (faceSet <= 31) return German;
    if (faceSet <= 39) return Russian;
    if (faceSet == 40) return French;
    if (faceSet <= 44) return Spanish;
    if (faceSet == 45) return Chinese;
    if (faceSet == 46) return Italian;
    return Czech;
}

constexpr int kFaceSets = 48;

} // namespace

CardFacesTab::CardFacesTab(const OptionsContext& context) : OptionsPage(context) {
    faceSetList = new QComboBox(this);
    faceSetList->setMaxVisibleItems(18);
    for (int i = 0; i < kFaceSets; ++i) faceSetList->addItem(FlagIcon(FaceSetFlag(i)), QString());
    preview = new QLabel(this);
    preview->setFixedSize(189 + 71, 96);
    auto* downloads = new QHBoxLayout;
    downloads->addWidget(AddDownloadButton(QStringLiteral("06A"), 0));
    downloads->addWidget(AddDownloadButton(QStringLiteral("06B"), 1));
    downloads->addWidget(AddDownloadButton(QStringLiteral("06C"), 7));
    downloads->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(faceSetList);
    layout->addWidget(preview);
    layout->addLayout(downloads);
    layout->addStretch();
    connect(faceSetList, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index >= 0) ChooseFaces(index);
    });
}

void CardFacesTab::Fill() {
    SetIndex(faceSetList, std::clamp(settings_.CardFaces, 0, kFaceSets - 1));
    DrawPreview();
}

void CardFacesTab::ApplyLanguage() {
    QStringList faces;
    for (int i = 0; i < kFaceSets; ++i) faces << T(txt::CardFaceNames, i);
    SetItems(faceSetList, faces);
}

void CardFacesTab::ChooseFaces(int faceSet) {
    const int before = settings_.CardFaces;
    settings_.CardFaces = faceSet;
    ImageStore store;
    CardLook look;
    look.cardFaces = faceSet;
    look.windowSize = std::clamp(settings_.WindowSize, 1, 5);
    SilentPictureMessages silent;
    // The loader puts an unavailable set back to 0; only that is a fall-back here.
    LoadCardFaces(resources_.packages, store, look, silent);
    if (look.cardFaces != faceSet) settings_.CardFaces = 0;
    SetIndex(faceSetList, settings_.CardFaces);
    if (settings_.CardFaces != before) hooks_.CardFacesChanged();
    DrawPreview();
}

void CardFacesTab::DrawPreview() {
    ImageStore store;
    CardLook look;
    look.cardFaces = settings_.CardFaces;
    SilentPictureMessages silent;
    LoadCardFaces(resources_.packages, store, look, silent);
    QPixmap picture(preview->size());
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    static const std::array<const char*, 4> cards = {"Вч", "Дб", "Кк", "Тп"};
    for (int i = 0; i < 4; ++i)
        DrawCard(63 * i, 0, TStr2::FromUtf8(cards[i]).value_or(FaceDown), store, painter);
    painter.end();
    preview->setPixmap(picture);
}

} // namespace tarvo
