// The recipes of the shipped packages: which deck fills which face set, which pattern each back
// set has, and the table cloths and design pictures.
#pragma once

#include <QString>

#include "tools/art/Art.h"
#include "tools/art/Resources.h"

namespace tarvo::art {

// A face set is either rendered from one of the system's SVG card decks or drawn in a style of
// our own.
struct FaceSetRecipe {
    QString svgDeck; // folder under the card decks root, empty for our own drawing
    DeckStyle style;
};
FaceSetRecipe RecipeOfFaceSet(int set);
BackPattern PatternOfBackSet(int backSet);

struct BuildOptions {
    QString cardDecksRoot = QStringLiteral("/usr/share/carddecks");
};

// Each adds one package's resources; false with a reason on failure.
bool AddCardsPackage(ResourceSet& set, int firstFaceSet, int lastFaceSet, bool withBacks,
                     const BuildOptions& options, QString* error);
bool AddBackgroundPackage(ResourceSet& set, QString* error);
bool AddGraphicsPackage(ResourceSet& set, QString* error);

} // namespace tarvo::art
