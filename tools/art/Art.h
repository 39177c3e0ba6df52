// The one family of drawing helpers behind every picture of the game: the palette, the suit
// shapes, the card faces and backs, the table cloths and the decorations.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>
#include <vector>

namespace tarvo::art {

// The palette.
namespace ink {
inline const QColor Red{0xC0, 0x18, 0x2B};
inline const QColor Black{0x17, 0x19, 0x20};
inline const QColor Gold{0xC9, 0xA2, 0x3A};
inline const QColor GoldLight{0xF0, 0xD7, 0x8C};
inline const QColor Paper{0xFF, 0xFD, 0xF7};
inline const QColor Edge{0x70, 0x70, 0x74};
inline const QColor Navy{0x1F, 0x3A, 0x7A};
inline const QColor Cloth{0x1F, 0x6B, 0x3A};
inline const QColor Silver{0xC0, 0xC0, 0xC0};
inline const QColor Cream{0xFB, 0xF3, 0xDC};
} // namespace ink

// A star of `points` points between the radii, one point up, turned by `turn` radians.
QPainterPath StarPath(const QPointF& centre, double outer, double inner, int points, double turn = 0);

// Suits in store order: 0 hearts, 1 diamonds, 2 clubs, 3 spades.
QPainterPath SuitPath(int suit); // in the unit square
void DrawSuit(QPainter& p, int suit, const QRectF& box, const QColor& fill, bool flipped = false);

// The look of one deck; variations of it fill the face sets we draw ourselves.
struct DeckStyle {
    QColor suitColour[4] = {ink::Red, ink::Red, ink::Black, ink::Black};
    QColor paper = ink::Paper;
    QColor courtTint = ink::Cream;
    QColor robe[4] = {QColor(0xA3, 0x16, 0x2B), QColor(0xC8, 0x6A, 0x12), QColor(0x1E, 0x6B, 0x3A),
                      QColor(0x1F, 0x3A, 0x7A)};
    QColor trim = ink::Gold;
    QString indexFont = QStringLiteral("Liberation Serif");
    QString courtFont = QStringLiteral("Liberation Serif");
    bool russianLetters = false; // В Д К Т instead of J Q K A
    bool courtFigures = true;    // shoulders and headgear behind the court letter
    bool ornateAce = true;
};

// card 1..36 in store order (ranks 6..ace, suits hearts, diamonds, clubs, spades).
QImage DrawFace(int card, QSize size, const DeckStyle& style, bool bordered);

// Back patterns of the back sets; `back` 1..10 picks the colour of the day.
enum class BackPattern {
    Lattice,
    Rhombi,
    Carpet,
    Cross,
    Chess,
    Diamond,
    Knight,
    Animal,
    Flower,
    Place,
    Wave,
    Folk
};
QColor BackColour(int back);
QImage DrawBack(int back, QSize size, BackPattern pattern, bool bordered);
QImage Turned(const QImage& upright); // the back turned by 90 degrees for the talon

QImage DrawSuitIcon(int suit, int size, bool silverBackground, const DeckStyle& style = DeckStyle());

// Table cloths: set 1..10 (sun, felt, gradient, cloth, carpet, tree, casino, pattern, silk,
// ornament), colour variant 0..6 (green, red, orange, yellow, light blue, dark blue, violet).
QColor ClothColour(int variant);
QImage DrawCloth(int set, int variant, QSize size);

// Decorations.
QImage DrawTalonBase(QSize size);
QImage DrawTalonSpot(QSize size);
QImage DrawPlateFrame(QSize size, const QColor& colour);
QImage DrawBubble(QSize size, const QColor& colour);
QImage DrawPointer(QSize size, int direction); // 0 up, 1 down, 2 left, 3 right
QImage DrawTimer(QSize size, const QColor& colour);
QImage DrawClockBack(QSize size);
QImage DrawDigit(QChar c, QSize size, const QColor& colour, const QColor& glow);
QImage DrawTitle(QSize size, const QString& text, const QString& subtitle);
QImage DrawCaption(QSize size, const QString& text, const QColor& colour);
QImage DrawMedal(int size, int place);
QImage DrawButtonPiece(int height, int piece, bool alternative); // piece 0 left, 1 right, 2 middle
QImage DrawShelf(QSize size);
QImage DrawRoundIcon(int size, const QString& glyph, const QColor& colour);
QImage DrawScroll(QSize size);
QImage DrawRibbon(QSize size);
QImage DrawNoticeBar(QSize size); // a light bar with a gold rim for a short red notice
QImage DrawCursorFrames(int kind, int frames); // 0 hand, 1 wait, 2 edit; frames side by side, 32 x 32

// Animations.
std::vector<QImage> DrawSiren(QSize size, const QColor& colour, int frames);
std::vector<QImage> DrawResultBanner(QSize size, int outcome, int frames); // 0 lost, 1 won, 2 draw
std::vector<QImage> DrawMenuAnimation(QSize size, int which, int frames);
// The button salute: a spark burst that grows, sparkles and fades, 100 x 100 frames side by side.
QImage DrawTouchStrip(int frames);

// The account windows (Accounts.cpp).
QImage DrawStateStar(int size, const QColor& colour);
QImage DrawLamp(int size, const QColor& colour);
QImage DrawListFace(int size, bool man);
QImage DrawPhotoFrame(QSize size, QRect window); // transparent inside `window`
QImage DrawNoPhoto(QSize size);

// The world's pictures (World.cpp): the chat board's "new" mark.
QImage DrawNewMark(QSize size);

// Animated GIF, looping forever; delays in hundredths of a second. False with a reason on failure.
bool WriteGif(const QString& path, const std::vector<QImage>& frames, int delay, QString* error = nullptr);

// A transparent picture to draw on, and a finished one in the format the pictures are stored in.
QImage Blank(QSize size);
QImage Done(const QImage& img);

// JPEG and PNG bytes.
QByteArray JpegBytes(const QImage& image, int quality = 90);
QByteArray PngBytes(const QImage& image);
QByteArray BmpBytes(const QImage& image);

} // namespace tarvo::art
