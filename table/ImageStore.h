// The in-memory image store: the chosen face set, backs, suit icons and table background, loaded
// from the program's built-in pictures or from a resource package whenever a setting changes.
#pragma once

#include <QDate>
#include <QImage>
#include <QRandomGenerator>
#include <QSize>
#include <QString>
#include <array>

#include "packages/Package.h"
#include "table/Geometry.h"

namespace tarvo {

enum class ImageMode { Small, Scaled, Large };

// The settings the pictures depend on, passed in by the caller. The loaders write their
// fall-backs back (a missing package sets its set to 0), so that the next settings save keeps them.
struct CardLook {
    int cardFaces = 0; // 0..47, 0 is the built-in deck
    int cardBack = 0;  // 0..12, 0 is the built-in backs
    bool oneBack = false;
    int background = 2;         // 0 none, 1..10
    int backgroundVariant = 0;  // colour 0..6
    int windowSize = 1;         // 1..4, 5 full screen
    double scale = 1.0;         // the table scale S of the window size
    QSize clientSize{760, 500}; // the table the background is stretched to
    bool mainMenuDesign = false;
    bool tableDesign = false;
    bool windowDesignGraphic = false; // the graphic part of the window design
};

// What the loaders have to tell the player; the caller shows it with texts from the language tables.
class PictureMessages {
  public:
    virtual ~PictureMessages() = default;
    // "Can`t find the file" + " " + fileName.
    virtual void CantFindFile(const QString& fileName) = 0;
    // A package that opened lacks a picture or holds an unreadable one; the built-in one is used.
    virtual void BadPicture(const QString& packageName, const QString& pictureName) = 0;
};

struct ImageStore {
    std::array<QImage, 36> faces; // ranks 6..ace, within a rank hearts, diamonds, clubs, spades
    std::array<QImage, 10> backs;
    std::array<QImage, 10> rotatedBacks;
    std::array<QImage, 4> smallSuits; // 20 x 20, the silver background keyed out
    std::array<QImage, 4> largeSuits; // 40 x 40
    QImage background;
    int currentBack = 1; // 1..10
    int backCount = 7;   // backs loaded from the set
    // Derived from the scale and the face set by the loaders.
    ImageMode mode = ImageMode::Small;
    double scale = 1.0;
    bool wide = true;
    int cellWidth = 71;
    int cellHeight = 96;
    int trumpOffset = 0; // shift of the trump card under the talon (narrow sets at larger sizes)
};

ImageMode ModeForScale(double scale);
bool IsWideSet(int faceSet);
QSize CellSize(double scale, bool wide);

// Resource names.
QString FaceSetCode(int faceSet);
QString SmallRankCode(int faceSet); // code of the ranks 6..10
QString AceCode(int faceSet);
QString SuitIconCode(int faceSet);
QString BackSetCode(int backSet);
QString FacePackage(int faceSet); // empty for the built-in deck
// card 1..36 in store order; size suffix "" or "B".
QString FaceName(int card, int faceSet, bool small);
QString BackName(int back, int backSet, bool rotated, const QString& suffix);
QString BackgroundName(int set, int variant, int windowSize);
int BackCountOfSet(int backSet);

// The loaders read the sets of `look` from the packages, falling back to the built-in pictures.
bool LoadCardFaces(const PackageRegistry& packages, ImageStore& store, CardLook& look,
                   PictureMessages& messages);
bool LoadCardBacks(const PackageRegistry& packages, ImageStore& store, CardLook& look,
                   PictureMessages& messages);
bool LoadBackground(const PackageRegistry& packages, ImageStore& store, CardLook& look,
                    PictureMessages& messages, bool design);
// The weekday's back (Monday 1 .. Sunday 7), 7 with OneBack, a random one of ten for the back sets
// that have ten.
void ChooseBackForGame(ImageStore& store, const CardLook& look, QDate today = QDate::currentDate(),
                       QRandomGenerator* random = nullptr);

} // namespace tarvo
