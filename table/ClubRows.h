// The club list of the main menu in columns: each row's name, games and score stand under the
// three headings of the header line above the list, whatever the font and the language.
#pragma once

#include <QFont>
#include <QString>
#include <array>
#include <optional>

#include "records/Club.h"

namespace tarvo {

// A member's caption ("Anna   29  -110", shortened names included) cut into its three cells;
// nullopt for a row that is not a member's (an empty slot's "#" characters).
struct ClubRowCells {
    QString name, games, score;
};
std::optional<ClubRowCells> SplitClubRow(const QString& caption);

// The header drawn from `left` in its panel; the headings' centres and the games heading's left
// edge in panel pixels. The header is written for a fixed-pitch font: its last two words are the
// games and score headings, the rest is the name heading.
struct ClubColumns {
    bool valid = false;
    int left = 0;
    std::array<int, 3> centres{};
    int gamesLeft = 0;
};
ClubColumns LayOutClubHeader(const QString& header, const QFont& font, int panelWidth);

// Measures captions for the records' shortening (ShortenCaption), in the units of its limit
// (ClubCaptionWidth): the space a caption needs in its row button as a share of the space it has
// there, so that the limit follows the button at every window size. A member's name has the room
// left of the games column; any other caption the whole button between its caps.
class ClubRowMeasure : public TextMeasure {
  public:
    // `inset`: how far a caption keeps from each end of the button; `glyph`: the width a medal
    // takes before the name (0 without medals).
    ClubRowMeasure(const QFont& font, int buttonWidth, int inset, int glyph, const ClubColumns& columns);
    int TextWidth(CaptionFont font, std::string_view utf8) const override;

  private:
    QFont font_;
    int whole_, nameRoom_;
};

} // namespace tarvo
