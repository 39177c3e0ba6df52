// The decorations of the main menu: the time clock and the online-figures display, the news and
// chat indicators, the medals of the club rows, and the title and caption pictures.
#pragma once

#include <QImage>
#include <QString>
#include <QTime>
#include <array>
#include <optional>
#include <vector>

#include "table/Decorations.h"

namespace tarvo {

// One picture of a composed display at its place inside the part. The unit letters of a shortened
// figure have no pictures: they carry the letter, written in the ink of the digit set instead.
struct Glyph {
    QString picture;
    int x = 0, y = 0;
    QChar letter = {};
    bool operator==(const Glyph&) const = default;
};

// Both clocks need room: they show from a table scale of 1.6 on.
bool MenuClocksShown(const Scale& scale);

// The time of day as digit pictures: hour tens (left out when "0"), hour units, the colon while
// the milliseconds are above 500, minute tens and units.
std::vector<Glyph> MenuClockGlyphs(const QTime& time);
// The 115 x 64 clock; a null picture when the clocks are hidden.
QImage DrawMenuClock(const DecorContext& ctx, const Rect& part, const QTime& time);

// The info display's mode for the minute the menu is shown: 1..7, 6 shown as 7.
int InfoModeForMinute(int minute);
// The digit set of a mode ("GRClock", "GAClock", ...).
QString InfoDigitSet(int mode);
// m * 100 / (l + m), 0 when there is nothing to divide.
double InfoPercentage(double l, double m);
// The characters shown for a figure: mode 2 (and any figure longer than six characters) shortened
// to thousands "K", millions "M" or milliards "G"; whole figures without a point, others with one
// decimal.
QString InfoFigureText(int mode, double value);
// The pictures of the characters at y 15, x by their count; "-" is the set's "M", "." its "P", and
// the letters "K", "M", "G" are written.
std::vector<Glyph> InfoGlyphs(int mode, const QString& figure);

// What the score server answered for the display; absent when it could not be reached.
struct InfoReply {
    double value = 0; // the figure of the mode (mode 1: the percentage)
    QString player;   // modes 3..5: the best player's name, "#" when the reply holds none
};
// The hints of the part by mode (index 1..7; 6 unused), and "No" for a reply without a player.
struct InfoTexts {
    std::array<QString, 8> hints;
    QString no;
};
struct InfoDisplay {
    QImage picture; // null when the clocks are hidden
    QString hint;
    QString figure; // the characters shown
};
InfoDisplay DrawInfoDisplay(const DecorContext& ctx, const Rect& part, int mode,
                            const std::optional<InfoReply>& reply, const InfoTexts& texts);

// Where the news and chat signals go and what they do.
struct NewsChatView {
    bool shelfShown = false; // the shelf with the two icons, from S 1.6
    Rect shelf;
    Rect newsSiren, chatSiren; // 30 x 33
    bool newsShown = false, chatShown = false;
    bool newsAnimates = false, chatAnimates = false;
};
// `shelf` is the shelf's place (220 x 125) for the large sizes; `exit` the menu's Exit button in the
// middle of the window's bottom, which the small sirens flank.
NewsChatView ShowNewsChatIndicators(const Scale& scale, const Rect& shelf, const Rect& exit, bool newsWaiting,
                                    bool chatWaiting);
// The shelf picture "GPolkaNw" with the news and chat icons standing on it.
QImage DrawNewsShelf(const DecorContext& ctx, const Rect& shelf);

// The club rows' captions and glyphs.
struct MedalLook {
    QColor rowCaption;                 // Panel1..Panel3
    std::optional<QColor> modeCaption; // Panel4; left alone with the main menu design
    std::array<QString, 3> glyphs;     // "GMEDAL01".."GMEDAL03", or empty for none
};
MedalLook SetMedals(const Scale& scale, bool newButtons, bool mainMenuDesign);

// "ENG", "RUS", "DEU", "FRA", "SPA", "CHI", "ITA", "CZE"; the other languages have no pictures of
// their own and use the English ones.
QString CaptionLanguageCode(int language);
// Recolours a caption for CaptionColour 1..7 (1 keeps it; any other number acts as 1).
QImage RecolourCaption(const QImage& picture, int captionColour);
// The title picture resized to its part.
QImage DrawTitle(const QSize& part);
// "Cap" + language code, and "Elite" (or "Net__" in a network game) + language code, recoloured;
// resized to `part` unless it is empty.
QImage CaptionPicture(int language, int captionColour, const QSize& part = {});
QImage ElitePicture(int language, bool network, int captionColour, const QSize& part = {});

} // namespace tarvo
