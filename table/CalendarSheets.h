// The two calendar images of the main menu: the day's sheets drawn from the calendar package.
#pragma once

#include <QDate>
#include <QImage>
#include <QString>
#include <vector>

#include "packages/Package.h"
#include "table/Fonts.h"

namespace tarvo {

inline const QString CalendarPackage = QStringLiteral("QobCalendar01.dll");

struct CalendarPicture {
    QImage image; // kSheetWidth x kSheetHeight
    QString hint;
};

// Draws the sheets for the date in the language (0 English .. 9 Korean): the date with its sign of
// the zodiac, the Eastern year, then one per holiday of the day, at most eight. False, with no
// sheets, when the calendar package cannot be opened or lacks its blank sheet; the menu then shows
// no calendar at all; false too for an invalid date. A single missing or damaged picture leaves its sheet
// blank, with its hint. The package is closed again before this returns.
bool BuildCalendar(const PackageRegistry& packages, const FontSettings& fonts, int language,
                   const QDate& date, std::vector<CalendarPicture>& sheets);

} // namespace tarvo
