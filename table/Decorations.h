// The small pictures around the hands and the table: name plates and the turn pointer, speech
// bubbles, move timers, the game counter, the chat memo and the end-of-game banner. Each drawing
// returns the finished picture of one part; the table widget only places and shows it. Texts come
// in already translated, so nothing here reads the language tables.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <deque>

#include "core/TableView.h"
#include "table/Fonts.h"
#include "table/Geometry.h"

namespace tarvo {

// What every part needs: the scale, whether the small frame pictures apply, and the table
// background (at client size) that clears a part so that it blends with the cloth.
struct DecorContext {
    Scale scale;
    int windowSize = 1;
    QImage background;
    FontSettings fonts;
    bool Small() const { return windowSize == 1; }
};

// A colour given the way the window's colours are written: 0xBBGGRR.
QColor Bgr(quint32 value);

// A built-in picture by name (case ignored), decoded once and kept; a null image when absent.
QImage BuiltinPicture(const QString& name);
// Frame `frame` (from 0) of a built-in GIF; a null image when absent or shorter.
QImage BuiltinGifFrame(const QString& name, int frame);
// Names asked for that were not among the built-in pictures, for the log and the picture makers.
QStringList MissingBuiltinPictures();

// A part of the given size filled with the background seen through its place.
QImage ClearedPart(const DecorContext& ctx, const Rect& part);
// Text centred between left and right with its top at y: x = left + Trunc((right - left - w) / 2).
void CentreText(QPainter& painter, int left, int right, int y, const QString& text);
// A picture drawn over the whole image: a frame of the size is drawn as it is, others resized.
void DrawFitted(QPainter& painter, const QImage& picture, const QRect& target);

// Name plate: the frame with "Penalties: " + the seat's lost games of the session.
QImage DrawNamePlate(const DecorContext& ctx, const Rect& plate, const QString& penaltiesLabel,
                     int penalties);
// The line height of the plate's text: 17 (scaled, by the "decor" role), smaller as far as it takes
// for the text to fit inside the frame.
int PlateTextHeight(const Scale& scale, const QString& text, const FontSettings& fonts);
// The plate with the pointing hand under the text while the seat is to move; `on` false is the
// bare plate.
QImage DrawTurnPointer(const DecorContext& ctx, const Rect& plate, const QString& penaltiesLabel,
                       int penalties, bool on);

// The marker of a first bout limited to five cards: a pile of five cards over a disc with "5",
// whose glow breathes with `frame` (any number; it repeats every 12).
QImage DrawFirstBoutMarker(const DecorContext& ctx, const Rect& part, int frame);

// Speech bubble, colour 'b' blue, 'g' green, 'r' red, 'y' yellow, 'o' violet; 'n' (or an empty
// text, or an unknown colour) leaves the part cleared.
QImage DrawBubble(const DecorContext& ctx, const Rect& bubble, const QString& text, char colour);
// The line height of a bubble text: 18, else 16, else 14 (scaled, by the "serif" role), the first
// at which the text without trailing blanks fits Scaled(150); 14 even when it still does not fit.
int BubbleTextHeight(const Scale& scale, const QString& text, const FontSettings& fonts);
// The bubble picture name for a colour character, empty for none.
QString BubblePictureName(char colour, bool small);

// Seconds left of a timed move; a negative count leaves the part cleared.
QImage DrawMoveTimer(const DecorContext& ctx, const Rect& timer, int seconds);
// Which timer part (1..4) a seat uses: seats 1..3 their own, anything else the fourth.
int MoveTimerPart(int seat);

// The label ("Game: ", in the player's language) + the number of the game in the session.
QImage DrawGameCounter(const DecorContext& ctx, const Rect& counter, const QString& label, int number);

enum class CounterKind { Local, Rated, Network, Tournament };
struct CounterHoverTexts {
    QString generalNumber;  // "General number of game:"
    QString roundInCycle;   // "Number of round in a current cycle:"
    QString roundInSession; // "Number of round in a current session:"
};
// The balloon text over the game counter, lines joined by LF. kon is the game number, konL the
// games of the unfinished rated cycle and konStart the game the rated session began with (both
// used in rated play only).
QString GameCounterHover(CounterKind kind, int kon, int konL, int konStart, const CounterHoverTexts& texts);

// The chat of a network game: the last four lines with the colour of their sender.
struct ChatLine {
    QString text;
    int seat = 0;
};
class ChatMemo {
  public:
    static constexpr int MaxLines = 4;
    // Drops the sender mark (the first character), fits the rest and keeps it, pushing out the
    // oldest of five.
    void Add(int seat, const QString& text, const Scale& scale, const FontSettings& fonts);
    const std::deque<ChatLine>& Lines() const { return lines_; }
    void Clear() { lines_.clear(); }
    // The frame and the lines.
    QImage Draw(const DecorContext& ctx, const Rect& memo) const;

  private:
    std::deque<ChatLine> lines_;
};
// The chat line shortened until it fits Scaled(85) at the "serif" family, by at most 12
// characters; "..." ends a shortened line even when it still does not fit.
QString FitChatLine(const QString& line, const Scale& scale, const FontSettings& fonts);
// The colour of a sender: 1 maroon, 2 navy, 3 green, 4 olive; black for anything else.
QColor ChatSeatColour(int seat);
// Adds a line and returns the redrawn memo.
QImage AddChatLine(ChatMemo& memo, const DecorContext& ctx, const Rect& part, int seat, const QString& text);

// The end of a game on the table: the table part shrinks to a strip holding the result text, and
// the banner animation plays below it.
struct GameResultView {
    Rect table;          // the table part with its new height
    QImage tablePicture; // the background with the result text
    Rect banner;         // the banner animation's place (240 x 110)
    QString bannerGif;   // "GKonBads", "GKonGood" or "GKonNich"
    int stillFrame = -1; // with animation off the frame shown, otherwise -1
    QImage stillPicture; // that frame; null while animating
};
// `text` is "You lose!!!", "You have won!!!" or "Dead heat..." in the current language.
GameResultView ShowGameResult(const DecorContext& ctx, const Rect& table, GameResult outcome,
                              const QString& text, bool gifAnimation);
QColor GameResultColour(GameResult outcome);

} // namespace tarvo
