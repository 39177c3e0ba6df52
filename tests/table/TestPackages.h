// Small packages for the table tests, written with the real rcc: pictures of one flat colour each,
// so that a test can tell which package and which picture ended up in the store.
#pragma once

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <gtest/gtest.h>
#include <memory>

#include "packages/Package.h"
#include "table/ImageStore.h"
#include "tools/art/Art.h"
#include "tools/art/Resources.h"

namespace tarvo::testing {

inline QImage Solid(QSize size, QRgb colour) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

// A colour per face set and card, so that a loaded face names its origin.
inline QRgb FaceColour(int set, int card) {
    return qRgb(set * 5, card * 7, 99);
}
inline QRgb BackColour(int backSet, int back, bool rotated) {
    return qRgb(200 + backSet, back * 20, rotated ? 1 : 2);
}

inline void WritePackage(const QString& path, const art::ResourceSet& set) {
    QString error;
    ASSERT_TRUE(set.WritePackage(QStringLiteral(TARVO_RCC), path + QStringLiteral(".work"), path, &error))
        << error.toStdString();
}

// Faces of the given sets, stored as the shipped ones are (inverted ellipse), with suit icons.
inline void AddFaces(art::ResourceSet& set, int faceSet) {
    const QSize large = IsWideSet(faceSet) ? QSize(146, 198) : QSize(126, 198);
    for (int card = 1; card <= 36; ++card)
        for (const bool small : {true, false}) {
            QImage face = Solid(small ? QSize(69, 94) : large, FaceColour(faceSet, card));
            InvertFaceEllipse(face);
            set.Add(RcData, FaceName(card, faceSet, small), art::PngBytes(face));
        }
    for (const char* suit : {"Cher", "Bubi", "Kres", "Piki"}) {
        const QString name = QString::fromLatin1(suit) + SuitIconCode(faceSet);
        set.Add(RcData, name, art::PngBytes(Solid({40, 40}, qRgb(1, 2, 3))));
        set.Add(RcData, name + 'B', art::PngBytes(Solid({40, 40}, qRgb(1, 2, 3))));
    }
}

inline void AddBacks(art::ResourceSet& set, int backSet) {
    const std::pair<QString, QSize> sizes[3] = {
        {QString(), {69, 94}}, {QStringLiteral("B"), {146, 198}}, {QStringLiteral("U"), {126, 198}}};
    for (int i = 1; i <= BackCountOfSet(backSet); ++i)
        for (const auto& [suffix, size] : sizes)
            for (const bool rotated : {false, true})
                set.Add(RcData, BackName(i, backSet, rotated, suffix),
                        art::PngBytes(
                            Solid(rotated ? size.transposed() : size, BackColour(backSet, i, rotated))));
}

// Fonts and image plug-ins want an application object.
class QtEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { app_ = std::make_unique<QGuiApplication>(argc_, argv_); }
    void TearDown() override { app_.reset(); }

  private:
    int argc_ = 1;
    char name_[16] = "table_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QGuiApplication> app_;
};

} // namespace tarvo::testing
