// The program's own owner-drawn button: a left cap, a right cap and a middle piece stretched
// between them, taken from the built-in pictures by the button's height, recoloured by a colour
// scheme, with the caption and glyph drawn over them.
#pragma once

#include <QColor>
#include <QImage>
#include <QPushButton>
#include <QString>
#include <functional>
#include <vector>

namespace tarvo {

// The three pieces of one picture set ("R29", "Q44", ...).
struct ButtonPieces {
    QImage left;
    QImage right;
    QImage middle;
    bool IsComplete() const { return !left.isNull() && !right.isNull() && !middle.isNull(); }
};

// The picture set for a button of this height: up to 30 pixels "R29", 31 to 45 "R44", above
// that "R59"; the alternative set (`Nata`) has "Q" in place of "R".
QString ButtonPieceBase(int height, bool nata);

// Reads base + "_L", "_R" and "_2" through the current piece loader. Pieces that are missing
// stay null; the button then draws a plain rounded body of its colour.
ButtonPieces LoadButtonPieces(const QString& base);

// Where the pieces come from: by default the program's built-in pictures (RCDATA). Replacing
// the loader clears the button caches; an empty function restores the default.
using ButtonPieceLoader = std::function<QImage(const QString& name)>;
void SetButtonPieceLoader(ButtonPieceLoader loader);

// A built-in picture (RCDATA) of the program by name; null when there is none.
QImage ReadProgramPicture(const QString& name);

// The colour that the `DCards` scheme follows: the graphic window design's main colour.
void SetCardsDesignColour(const QColor& colour);
QColor CardsDesignColour();

class TQobCardsButton : public QPushButton {
  public:
    enum class Scheme { DRed, DNavy, DBlue, DViolet, DYellow, DGreen, DGray, DCards };
    // The height the button asks for; DAuto follows its font.
    enum class Height { DAuto = 0, D30 = 30, D45 = 45, D60 = 60 };

    explicit TQobCardsButton(QWidget* parent = nullptr);
    TQobCardsButton(const QString& caption, QWidget* parent = nullptr);

    Scheme ColorSB() const { return colorSB_; }
    void SetColorSB(Scheme scheme);
    // Caption colour in the normal state.
    QColor TextColour() const { return textColour_; }
    void SetTextColour(const QColor& colour);
    // Caption colour while the mouse is over an enabled button.
    QColor ColorMouse() const { return colorMouse_; }
    void SetColorMouse(const QColor& colour);
    // The caption gets a dark one-pixel shadow, so that a light caption stands out on a light body.
    bool LightFont() const { return lightFont_; }
    void SetLightFont(bool on);
    // A disabled button is drawn in grey; without it a disabled button keeps its colours.
    bool GrayDis() const { return grayDis_; }
    void SetGrayDis(bool on);
    Height HeightSB() const { return heightSB_; }
    void SetHeightSB(Height height);
    // Brightness of the pictures in percent, 100 = as drawn.
    int KLightSB() const { return kLightSB_; }
    void SetKLightSB(int percent);
    // A dotted outline inside the body while the button has the keyboard focus.
    bool Kontur() const { return kontur_; }
    void SetKontur(bool on);
    // Smooth resampling of the pieces when the button's height differs from theirs.
    bool Smooth() const { return smooth_; }
    void SetSmooth(bool on);
    // The alternative picture set ("Q" names).
    bool Nata() const { return nata_; }
    void SetNata(bool on);

    // Column centres, in button pixels, for a caption cut by tabs ("Anna\t29\t-110"): each piece
    // is centred on its own, the first one (after the glyph) kept clear of the left cap and of the
    // second piece. A caption without tabs, or with more pieces than centres, is centred whole.
    void SetTabCentres(std::vector<int> centres);
    // How far a caption keeps from each end of the button, clear of the rounded caps.
    int CaptionInset() const { return height() / 3; }

    // The picture set the button draws with at its current height, e.g. "R29".
    QString PieceBase() const { return ButtonPieceBase(height(), nata_); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    Scheme colorSB_ = Scheme::DRed;
    QColor textColour_{Qt::white};
    QColor colorMouse_{Qt::yellow};
    bool lightFont_ = false;
    bool grayDis_ = true;
    Height heightSB_ = Height::DAuto;
    int kLightSB_ = 100;
    bool kontur_ = true;
    bool smooth_ = true;
    bool nata_ = false;
    std::vector<int> tabCentres_;
};

} // namespace tarvo
