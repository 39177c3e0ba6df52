// The pictures of the calendar package: the sheet every picture is drawn on, the signs of the
// zodiac, the animals of the Eastern years and the holiday pictures, in the palette of the cards.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

#include "tools/art/Resources.h"

namespace tarvo::art {

// The blank sheet ("R_BASE"): a leaf of a tear-off calendar with its red head and two rings.
inline constexpr QSize kCalendarSheetSize{60, 100};
// The sign of the zodiac sits under the date, so it is smaller than the other pictures.
inline constexpr int kZodiacPictureSize = 40;
inline constexpr int kCalendarPictureSize = 52;

// The picture for one key of the calendar ("R_BASE", "R_07", "R_VOSDRAG", "R_1April0", ...); the
// key is matched without case. A null image for a key we have no recipe for.
QImage DrawCalendarPicture(const QString& key);

// Every picture the sheets can ask for, as PNG; false with the first key that has no recipe.
bool AddCalendarPackage(ResourceSet& set, QString* error);

} // namespace tarvo::art
