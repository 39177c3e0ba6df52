#include "table/ClubRows.h"

#include <QFontMetrics>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>

namespace tarvo {

namespace {

// The gap kept between a name and the games column.
int ColumnGap(const QFontMetrics& metrics) {
    return metrics.horizontalAdvance(QLatin1Char(' '));
}

} // namespace

std::optional<ClubRowCells> SplitClubRow(const QString& caption) {
    static const QRegularExpression row(QStringLiteral(R"(^\s*(\S.*?)\s+(\d+)\s+(-?\d+(?:\.\d+)?)\s*$)"));
    const QRegularExpressionMatch m = row.match(caption);
    if (!m.hasMatch()) return std::nullopt;
    return ClubRowCells{m.captured(1), m.captured(2), m.captured(3)};
}

ClubColumns LayOutClubHeader(const QString& header, const QFont& font, int panelWidth) {
    ClubColumns c;
    static const QRegularExpression words(QStringLiteral(R"(^(\s*)(\S.*?)\s+(\S+)\s+(\S+)\s*$)"));
    const QRegularExpressionMatch m = words.match(header);
    if (!m.hasMatch()) return c;
    const QFontMetrics metrics(font);
    c.left = (panelWidth - metrics.horizontalAdvance(header)) / 2;
    for (int k = 0; k < 3; ++k) {
        const int start = c.left + metrics.horizontalAdvance(header.left(m.capturedStart(k + 2)));
        c.centres[static_cast<std::size_t>(k)] = start + metrics.horizontalAdvance(m.captured(k + 2)) / 2;
        if (k == 1) c.gamesLeft = start;
    }
    c.valid = true;
    return c;
}

ClubRowMeasure::ClubRowMeasure(const QFont& font, int buttonWidth, int inset, int glyph,
                               const ClubColumns& columns)
    : font_(font), whole_(std::max(1, buttonWidth - 2 * inset)), nameRoom_(0) {
    if (columns.valid)
        nameRoom_ = std::max(1, columns.gamesLeft - ColumnGap(QFontMetrics(font)) - inset - glyph);
}

int ClubRowMeasure::TextWidth(CaptionFont font, std::string_view utf8) const {
    const QFontMetrics metrics(font_);
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (font == CaptionFont::TopThree) return metrics.horizontalAdvance(text);
    const std::optional<ClubRowCells> cells = nameRoom_ > 0 ? SplitClubRow(text) : std::nullopt;
    const int needed = metrics.horizontalAdvance(cells ? cells->name : text);
    const int room = cells ? nameRoom_ : whole_;
    return static_cast<int>(std::ceil(double(needed) * ClubCaptionWidth / room));
}

} // namespace tarvo
