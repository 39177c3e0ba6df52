// The card flight speed dialog: a track bar 1..6 that sets the speed at once, and a small preview
// whose frame rate follows the chosen speed.
#pragma once

#include <QColor>
#include <QDialog>
#include <QImage>
#include <QString>
#include <QTimer>
#include <array>
#include <functional>

#include "packages/Package.h"
#include "table/Fonts.h"

class QLabel;
class QSlider;
class QWidget;

namespace tarvo {

class TQobCardsButton;

struct SpeedDialogOptions {
    // Texts from the language tables.
    QString caption = QStringLiteral("Choice of speed");
    QString prompt = QStringLiteral("Select a flight speed of cards:");
    QString speedWord = QStringLiteral("Speed");
    QString ok = QStringLiteral("Ok");
    QString languageCode = QStringLiteral("ENG"); // suffix of the language's pictures
    FontSettings fonts;                           // the families and scales of the font roles
    // Where the graphic design's pictures are read from; none are without packages.
    const PackageRegistry* packages = nullptr;
    // The window design: the graphic part (the dark picture design) and the header variant 1..3
    // of the plain design.
    bool graphicDesign = false;
    int headerVariant = 2;
    // Text colour of the graphic design.
    QColor designText{0xFF, 0xE4, 0x9A};
    // The button firework, played before closing when the player has it switched on; empty for
    // none.
    std::function<void(QWidget* button)> salute;
};

// The pictures of the graphic design and of the header variants 1 and 3, from the graphics
// package; a picture that could not be read stays null.
struct SpeedDesignPictures {
    QImage background; // JPEG "GFormSpeed", 340 x 280
    QImage header;     // PNG "GFormSpeed" + language code
    QImage icon;       // PNG "GIcon48Speed": one 48 x 48 icon or ten frames side by side
    QImage speedWord;  // PNG "Speed" + language code, the lettered word of header variant 1
};
SpeedDesignPictures LoadSpeedDesignPictures(const PackageRegistry& packages, const QString& languageCode);

// The header of a plain-designed dialog, variant 1..3: the lettered `word` (or its picture), the
// "GCap300" cap with the word upper-cased, or the ribbon with the package's header picture.
QImage DialogHeader(int variant, const QString& word, const QImage& wordPicture, const QImage& packageHeader,
                    const FontSettings& fonts);

// Milliseconds between preview frames at speed 1..6: 110, 95, 80, 65, 40, 25.
int PreviewInterval(int speed);
// Frame 0..9 of the 48 x 48 preview: the icon's own frame when it holds ten, otherwise drawn here.
QImage SpeedPreviewFrame(int frame, const QImage& icon);

class TFormSpeed : public QDialog {
  public:
    // `speed` is set the moment the track bar moves and must outlive the dialog. The design
    // pictures are read from the graphics package.
    TFormSpeed(int& speed, const SpeedDialogOptions& options, QWidget* parent = nullptr);
    TFormSpeed(int& speed, const SpeedDialogOptions& options, SpeedDesignPictures pictures,
               QWidget* parent = nullptr);

    // After the fall-backs: the graphic design is dropped, and a header variant that needs a
    // missing picture becomes variant 2.
    bool GraphicDesign() const { return graphic_; }
    int HeaderVariant() const { return variant_; }
    int PreviewFrame() const { return frame_; }

    QLabel* Image0 = nullptr;  // header
    QWidget* Panel1 = nullptr; // the thin red bar
    QLabel* Image1 = nullptr;  // the preview's frame
    QLabel* Label0 = nullptr;  // prompt
    std::array<QLabel*, 6> TickLabels{};
    QSlider* TrackBar1 = nullptr;
    TQobCardsButton* Button1 = nullptr;
    QTimer Timer48;

  protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

  private:
    void Build();
    void ApplyDesign();
    void FitPrompt();
    QImage HeaderPicture() const;
    void Tick();

    int& speed_;
    SpeedDialogOptions options_;
    SpeedDesignPictures pictures_;
    bool graphic_ = false;
    int variant_ = 2;
    int frame_ = 0;
    QWidget* preview_ = nullptr;
};

// Shows the speed dialog modally; the track bar writes `speed` at once. False when the graphic
// design was asked for but its pictures were missing, so that the caller can switch it off.
bool ShowSpeedDialog(int& speed, const SpeedDialogOptions& options, QWidget* parent = nullptr);

} // namespace tarvo
