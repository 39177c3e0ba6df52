#include "table/CalendarSheets.h"

#include <QFontMetricsF>
#include <QPainter>

#include "calendar/Sheets.h"
#include "packages/Package.h"
#include "table/Fonts.h"

namespace tarvo {

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

// Where things sit on a sheet of 60 x 100: the red head holds the month, the day number stands
// under it, and the sign of the zodiac below; on the other sheets the picture has the whole leaf.
const QRectF kMonthBox(3, 10, 54, 14);
const QRectF kDayBox(3, 26, 54, 30);
const QRectF kSignBox(8, 57, 44, 40);
const QRectF kPictureBox(3, 28, 54, 66);

// A font from `font` no wider than the box for the text, shrinking it a pixel at a time.
QFont Fitted(QFont font, const QString& text, double width) {
    while (font.pixelSize() > 6 && QFontMetricsF(font).horizontalAdvance(text) > width)
        font.setPixelSize(font.pixelSize() - 1);
    return font;
}

// Pictures larger than their box are scaled down to fit; smaller ones keep their pixels.
void DrawPicture(QPainter& p, const QImage& picture, const QRectF& box) {
    if (picture.isNull()) return;
    QSizeF size = picture.size();
    if (size.width() > box.width() || size.height() > box.height())
        size.scale(box.size(), Qt::KeepAspectRatio);
    const QRectF target(box.center().x() - size.width() / 2, box.center().y() - size.height() / 2,
                        size.width(), size.height());
    p.drawImage(target.toAlignedRect(), picture);
}

void DrawText(QPainter& p, const QRectF& box, const QString& text, const QFont& font, const QColor& colour,
              const QColor& shadow) {
    p.setFont(font);
    p.setPen(shadow);
    p.drawText(box.translated(0.6, 0.8), Qt::AlignCenter, text);
    p.setPen(colour);
    p.drawText(box, Qt::AlignCenter, text);
}

} // namespace

bool BuildCalendar(const PackageRegistry& packages, const FontSettings& roles, int language,
                   const QDate& date, std::vector<CalendarPicture>& sheets) {
    sheets.clear();
    const auto package = packages.Open(CalendarPackage);
    if (!package) return false;
    const QImage base = package->ReadPicture(RcData, Text(std::string(kSheetBaseImage)));
    if (base.isNull()) return false;

    FontSettings fonts = roles;
    fonts.language = language;
    const QFont dayFont = RoleFont(FontRole::Serif, RoleHeight(36, FontRole::Serif, fonts), true, fonts);
    const QFont monthFont = RoleFont(FontRole::Decor, RoleHeight(14, FontRole::Decor, fonts), true, fonts);
    const QRectF sheetRect(0, 0, kSheetWidth, kSheetHeight);

    for (const auto& sheet : CalendarSheets({date.year(), date.month(), date.day()}, language)) {
        QImage image(kSheetWidth, kSheetHeight, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::TextAntialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(sheetRect, base);
        const QImage picture = package->ReadPicture(RcData, Text(sheet.image));
        if (sheet.kind == SheetKind::Date) {
            const QString month = Text(sheet.monthName), day = Text(sheet.dayNumber);
            DrawText(p, kMonthBox, month, Fitted(monthFont, month, kMonthBox.width()), Qt::white,
                     QColor(0x50, 0x08, 0x10));
            // Sundays in red, as on a tear-off calendar.
            const QColor ink =
                date.dayOfWeek() == Qt::Sunday ? QColor(0xC0, 0x18, 0x2B) : QColor(0x17, 0x19, 0x20);
            DrawText(p, kDayBox, day, Fitted(dayFont, day, kDayBox.width()), ink, QColor(0, 0, 0, 50));
            DrawPicture(p, picture, kSignBox);
        } else {
            DrawPicture(p, picture, kPictureBox);
        }
        p.end();
        sheets.push_back({image.convertToFormat(QImage::Format_ARGB32), Text(sheet.hint)});
    }
    return !sheets.empty();
}

} // namespace tarvo
